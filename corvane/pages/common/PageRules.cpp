#include "corvane/pages/common/PageRules.h"

#include <cmath>
#include <limits>

#include "platform/Numbers.h"

namespace corvane {

int FirstNonAsciiIndex(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return static_cast<int>(i);
    return -1;
}

IdText CleanIdText(std::string& text) {
    const int cut = FirstNonAsciiIndex(text);
    if (cut >= 0) {
        text.erase(static_cast<size_t>(cut));
        return IdText::Cut;
    }
    std::string cleaned;
    for (char c : text)
        if (c != '"' && c != '\'')
            cleaned += c;
    if (cleaned.size() != text.size()) {
        text = cleaned;
        return IdText::QuotesRemoved;
    }
    return IdText::Clean;
}

bool SnapToStep(double value, double step, double& snapped) {
    if (!std::isfinite(value) || !std::isfinite(step) || step <= 0.0)
        return false;
    const double steps = value / step + (value >= 0.0 ? 0.5 : -0.5);
    if (!(std::fabs(steps) < static_cast<double>(std::numeric_limits<int>::max())))
        return false;
    snapped = static_cast<double>(static_cast<int>(steps)) * step;
    return true;
}

int Clamp(int value, int lower, int upper) {
    if (value < lower)
        return lower;
    if (value > upper)
        return upper;
    return value;
}

int ValueAfterStep(const std::string& text, const platform::NMUPDOWN& step, int lower, int upper) {
    const long long value = static_cast<long long>(platform::StrToInt(text.c_str())) - step.iDelta;
    if (value < lower)
        return lower;
    if (value > upper)
        return upper;
    return static_cast<int>(value);
}

platform::LPARAM PackSpinRange(int lower, int upper) {
    return static_cast<platform::LPARAM>((static_cast<unsigned>(upper) & 0xFFFFu) |
                                         ((static_cast<unsigned>(lower) & 0xFFFFu) << 16));
}

}  // namespace corvane
