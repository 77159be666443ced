#include "utilities/mirrak/ProgressArithmetic.h"

#include <cmath>
#include <cstdio>

namespace mirrak {

int ProgressPercent(double total, double done) {
    if (!(total > 0) || !(done > 0))
        return 0;
    const double percent = done / total * 100.0 + 0.5;
    if (percent >= 100.0)
        return 100;
    return static_cast<int>(percent);
}

bool RemainingSeconds(double total, double done, std::int64_t elapsedSeconds,
                      std::int64_t& remaining) {
    if (elapsedSeconds < kFirstEstimateAfterSeconds || !(total > 0) || !(done > 0))
        return false;
    const double left = (total - done) * static_cast<double>(elapsedSeconds) / done;
    if (!(left > 0)) {
        remaining = 0;
        return true;
    }
    // An estimate beyond a century says nothing more than a century would.
    remaining = left > 3.2e9 ? static_cast<std::int64_t>(3.2e9) : static_cast<std::int64_t>(left);
    return true;
}

std::string RemainingTimeText(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    char text[64];
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60;
    const long long rest = seconds % 60;
    if (hours > 0)
        std::snprintf(text, sizeof text, "%lld Hours Remaining", hours + 1);
    else if (minutes == 59)
        std::snprintf(text, sizeof text, "1 Hour Remaining");
    else if (minutes > 0)
        std::snprintf(text, sizeof text, "%lld Minutes Remaining", minutes + 1);
    else if (rest != 0)
        std::snprintf(text, sizeof text, "%lld Seconds Remaining", rest + 1);
    else
        std::snprintf(text, sizeof text, "1 Second Remaining");
    return text;
}

}  // namespace mirrak
