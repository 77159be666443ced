#include "corvane/pages/videosignal/VideoSignalTables.h"

#include <array>
#include <cmath>
#include <vector>

#include "corvane/modules/hdclock/HdClock.h"
#include "resources/corvane/VideoSignalPageForms.h"

namespace corvane {

namespace {

constexpr const char* kCoarseMessage = "Horizontal coarse must be within\n%8.4f to %8.4f [usec].";
constexpr const char* kDelayMessage = "Horizontal delay must be within\n%8.4f to %8.4f [usec].";
// A fine part is kept in tenths of a nanosecond.
constexpr double kFineGrid = 1e-10;
constexpr double kFineLimit = 10e-9;
constexpr int kSormetOtherFormat = 1;

// Truncation toward zero after adding half away from zero.
double RoundAway(double value) {
    return std::trunc(value >= 0 ? value + 0.5 : value - 0.5);
}

const std::array<VideoSignalTable, 4>& Tables() {
    static const std::array<VideoSignalTable, 4> tables{{
        {VideoModel::Oltra, kOltraVideoSignal, kCoarseMessage, IDC_OLTRA_COARSE,
         IDC_OLTRA_COARSE_SPIN, IDC_OLTRA_FINE, IDC_OLTRA_FINE_SPIN, true, true, false},
        {VideoModel::Yarlo, kYarloVideoSignal, kCoarseMessage, IDC_YARLO_COARSE,
         IDC_YARLO_COARSE_SPIN, IDC_YARLO_FINE, IDC_YARLO_FINE_SPIN, false, true, false},
        {VideoModel::Sormet, kSormetVideoSignal, kDelayMessage, IDC_SIGNAL_DELAY,
         IDC_SIGNAL_DELAY_SPIN, 0, 0, false, false, true},
        {VideoModel::Ulmeth, kUlmethVideoSignal, kDelayMessage, IDC_SIGNAL_DELAY,
         IDC_SIGNAL_DELAY_SPIN, 0, 0, false, false, false},
    }};
    return tables;
}

}  // namespace

int SignalPageFormatCode(VideoModel model, const std::string& name) {
    const int code = FormatCode(model, name);
    return model == VideoModel::Sormet && code < 0 ? kSormetOtherFormat : code;
}

int UlmethBlackClockFamily(int blackFormat) {
    const VideoFormat* format = FindFormatByCode(VideoModel::Ulmeth, blackFormat);
    return format != nullptr ? format->family : kClock7425;
}

std::string SormetBlackFormatQuestion(int blackFormat, const std::string& name) {
    const std::vector<std::string>& names = SdFormatNames();
    const bool toNarrow = name == names[0];
    const bool toWide = name == names[1] || name == names[2];
    const bool ask = blackFormat != 0 ? toNarrow : toWide;
    if (!ask)
        return {};
    const VideoFormat* black = FindFormatByCode(VideoModel::Sormet, blackFormat);
    const std::string blackName = black != nullptr ? std::string(black->name) : std::string();
    return "Current Black format is " + blackName + ".\n\nAre you sure want to change format?";
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

const VideoSignalTable& VideoSignalTableOf(VideoModel model) {
    return Tables()[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
