#include "corvane/modules/video/VideoTiming.h"

#include <cmath>

namespace corvane {

namespace {
constexpr double kNtscLine = 63.55556363e-6;
constexpr double kPalLine = 64e-6;
// A fine part is kept in tenths of a nanosecond.
constexpr double kFineGrid = 1e-10;
constexpr double kFineLimit = 10e-9;

// Truncation toward zero after adding half away from zero.
double RoundAway(double value) {
    return std::trunc(value >= 0 ? value + 0.5 : value - 0.5);
}
}  // namespace

int LineTiming::BoundSteps() const {
    if (step <= 0.0 || !std::isfinite(bound))
        return 0;
    // A bound made of whole steps must not lose its last step to the division's rounding.
    return static_cast<int>(std::trunc(bound / step + 1e-6));
}

LineTiming HdLineTiming(int lines, int clocks, double step) {
    return {lines, clocks * step, step};
}

LineTiming SormetLineTiming(int code) {
    switch (code) {
        case 0:
            return {525, kNtscLine, kStep14MHz};
        case 2:
            return {1250, kPalLine, kStep54MHz};
        default:
            return {525, kNtscLine, kStep54MHz};
    }
}

LineTiming UlmethLineTiming(int code) {
    struct Row {
        int lines;
        int clocks;
    };
    // By code: 1080 and 1035 lines, then the 720 lines.
    static constexpr Row kRows[20] = {
        {562, 2200}, {562, 2200}, {562, 2640}, {562, 2750}, {562, 2750}, {562, 2200}, {562, 2200},
        {562, 2640}, {562, 2750}, {562, 2750}, {562, 2200}, {562, 2200}, {375, 1650}, {375, 1650},
        {375, 1980}, {375, 3300}, {375, 3300}, {375, 3960}, {375, 4125}, {375, 4125}};
    if (code < 0 || code >= 20)
        code = 0;
    // The 1/1.001 rates run on the slower clock.
    const bool slow = code == 1 || code == 4 || code == 6 || code == 9 || code == 11 ||
                      code == 13 || code == 16 || code == 19;
    const Row& row = kRows[code];
    return HdLineTiming(row.lines, row.clocks, slow ? kStep7418 : kStep7425);
}

DelaySplit SplitDelay(double delay, double step) {
    if (!std::isfinite(delay) || step <= 0.0)
        return {};
    DelaySplit split;
    split.coarse = RoundAway(delay / step) * step;
    const double rest = delay - split.coarse;
    double tenths = RoundAway(rest / kFineGrid);
    // The nearest-step split leaves at most half a step, so these two never act; they keep
    // the rest below half a step whatever the grid.
    if (rest >= 0 && rest > step / 2)
        tenths += 1;
    if (rest < 0 && rest < -step / 2)
        tenths -= 1;
    split.fine = tenths * kFineGrid;
    if (split.fine >= kFineLimit) {
        split.fine -= kFineLimit;
        split.coarse += kFineLimit;
    } else if (split.fine <= -kFineLimit) {
        split.fine += kFineLimit;
        split.coarse -= kFineLimit;
    }
    return split;
}

}  // namespace corvane
