#include "corvane/pages/timing/TimingLimits.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "corvane/pages/common/PageRules.h"
#include "platform/Numbers.h"

namespace corvane {

namespace {

using namespace videoformat;

// A quotient within this of a whole number is that number: limits and delays on the grid are
// products of a count and the step, and their division must give the count back.
constexpr double kGridSlack = 1e-6;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whole units of `quotient` toward zero, saturated; a quotient a hair below a whole number
// counts as that number.
int WholeUnits(double quotient) {
    const double nearest = std::round(quotient);
    if (std::fabs(quotient - nearest) < kGridSlack)
        return platform::DoubleToIntSaturated(nearest);
    return platform::DoubleToIntSaturated(quotient);
}

bool IsHdStep(double step) {
    return step == kStepHd7425 || step == kStepHd7418;
}

bool Take(const VideoFormat* format, TimingLimits& limits) {
    if (format == nullptr)
        return false;
    limits = TimingLimits::Of(format->timing);
    return true;
}

bool NearHz(double value, double hz) {
    return std::fabs(value - hz) < 1e-6;
}

}  // namespace

TimingLimits TimingLimits::Of(const FormatTiming& timing) {
    TimingLimits limits;
    limits.lines = timing.lines;
    limits.delayBound = timing.delayBound;
    limits.step = timing.step;
    limits.fineBound =
        IsHdStep(timing.step) ? timinglimits::kFineBoundHd : timinglimits::kFineBoundSd;
    return limits;
}

int TimingLimits::DelaySpinBound() const {
    return WholeUnits(delayBound / step);
}

int TimingLimits::FineSpinBound() const {
    return WholeUnits(fineBound / timinglimits::kFineUnit);
}

int TimingLimits::ClampLines(int value) const {
    return Clamp(value, -lines, lines);
}

double TimingLimits::ClampDelay(double seconds) const {
    if (std::isnan(seconds))
        return 0.0;
    if (seconds < -delayBound)
        return -delayBound;
    if (seconds > delayBound)
        return delayBound;
    return seconds;
}

int TimingLimits::DelaySpinPosition(double seconds) const {
    // A delay read back from a module may carry only four decimals of a microsecond, up to
    // half a last digit off its step: it still sits on that step, or the first click up
    // would not move and the first click down would skip one.
    constexpr double kReadBackSlack = 0.5e-10;
    const double nearest = std::round(seconds / step);
    const int bound = DelaySpinBound();
    if (std::fabs(seconds - nearest * step) <= kReadBackSlack && std::fabs(nearest) <= bound)
        return platform::DoubleToIntSaturated(nearest);
    return WholeUnits(seconds / step);
}

int TimingLimits::FineSpinPosition(double seconds) const {
    return platform::DoubleToIntSaturated(std::round(seconds / timinglimits::kFineUnit));
}

bool TimingLimits::DelayFromText(const std::string& text, double& seconds) const {
    double typed = 0.0;
    double snapped = 0.0;
    if (!ParseTypedDecimal(text, typed) || !SnapToStep(typed, StepMicroseconds(), snapped))
        return false;
    // The bound may be a whole number of steps; the snapped value must not fall outside it
    // by the last bit of the multiplication.
    const double bound = DelayBoundMicroseconds() * (1.0 + 1e-12);
    if (snapped < -bound || snapped > bound)
        return false;
    seconds = snapped * 1e-6;
    return true;
}

bool TimingLimits::FineFromText(const std::string& text, double& seconds) const {
    double typed = 0.0;
    if (!ParseTypedDecimal(text, typed))
        return false;
    const double tenths = std::trunc(typed * 10.0);
    if (!(std::fabs(tenths) <= static_cast<double>(FineSpinBound())))
        return false;
    seconds = tenths * timinglimits::kFineUnit;
    return true;
}

void TimingLimits::Split(double total, double& coarse, double& fine) const {
    const double steps = std::round(total / step);
    coarse = steps * step;
    const int tenths = FineSpinPosition(total - coarse);
    const int bound = FineSpinBound();
    if (tenths >= bound) {
        coarse += fineBound;
        fine = (tenths - bound) * timinglimits::kFineUnit;
    } else if (tenths <= -bound) {
        coarse -= fineBound;
        fine = (tenths + bound) * timinglimits::kFineUnit;
    } else {
        fine = tenths * timinglimits::kFineUnit;
    }
}

bool ParseTypedDecimal(const std::string& text, double& value) {
    const char* begin = text.c_str();
    const char* end = begin;
    const double parsed = platform::StrToDouble(begin, &end);
    const char* rest = end;
    if (end == begin) {
        // Nothing read yet: only the start of a number may stand there.
        rest = begin;
        while (IsBlank(*rest) || *rest == '-' || *rest == '+' || *rest == '.') ++rest;
    } else if (*rest == 'e' || *rest == 'E') {
        // An exponent being typed: its digits have not come yet.
        ++rest;
        if (*rest == '-' || *rest == '+')
            ++rest;
    }
    while (IsBlank(*rest)) ++rest;
    if (*rest != '\0')
        return false;
    value = end == begin ? 0.0 : parsed;
    return true;
}

bool PirvoTimingLimits(int format, TimingLimits& limits) {
    return Take(FindFormatByCode(kAnalogSd, format), limits);
}

bool KintorTimingLimits(int format, int hdCode, TimingLimits& limits) {
    constexpr int kHd = 3;
    if (format != kHd)
        return Take(FindFormatByCode(kAnalogSd, format), limits);
    const VideoFormat* row = FindFormatByCode(kKintorHd, hdCode);
    return Take(row ? row : &kKintorHd[0], limits);
}

bool BrumoTimingLimits(int output, int format, TimingLimits& limits) {
    if (output < 0 || output > 2)
        return false;
    TimingLimits found;
    if (!Take(FindFormatByCode(kBrumoOutput, format), found))
        return false;
    if (output < 2)
        found.fineBound = timinglimits::kFineBoundSd;
    limits = found;
    return true;
}

bool BrumoGenlockLimits(int source, double cwFrameHz, int hdCode, TimingLimits& limits) {
    using namespace genlocksource;
    if (source < kInternal || source > kCw)
        return false;
    TimingLimits found = TimingLimits::Of(kSd525);
    if (source == kPalBurst || source == k625Sync || (source == kCw && NearHz(cwFrameHz, 6.25))) {
        found = TimingLimits::Of(kSd625);
    } else if (source == kHdSync) {
        constexpr int k720p50 = 12;
        if (hdCode == kNoHdSync) {
            found = TimingLimits::Of(kHd720x1650);
        } else {
            constexpr int kCodes = static_cast<int>(std::size(kBrumoHdReferenceUlmethCode));
            if (hdCode < 0 || hdCode >= kCodes || hdCode == k720p50)
                return false;
            const VideoFormat* row =
                FindFormatByCode(VideoModel::Ulmeth, kBrumoHdReferenceUlmethCode[hdCode]);
            if (row == nullptr)
                return false;
            found = TimingLimits::Of(row->timing);
        }
    } else if (source == kCw && (NearHz(cwFrameHz, 15.0) || NearHz(cwFrameHz, 3.0))) {
        // A CW reference framed for the HD rates: the whole 1125-line frame, lines of 2750
        // clocks; the 2.997 Hz reset frames the 1/1.001 rates.
        found = TimingLimits::Of(HdTiming(1125, 2750, kStepHd7425));
    } else if (source == kCw && NearHz(cwFrameHz, 2.997)) {
        found = TimingLimits::Of(HdTiming(1125, 2750, kStepHd7418));
    }
    found.step = kStepSd270;
    limits = found;
    return true;
}

}  // namespace corvane
