// The numbers of the copy progress dialog: the bar's percentage and the time-left text.
//
// Counts are 64-bit bytes (folders count 1024 each, so done may pass the total). Nothing
// here divides by zero: without a total the bar stays at 0 and there is no estimate, and
// without anything done yet there is no estimate either.
#pragma once

#include <cstdint>
#include <string>

namespace mirrak {

// No estimate is shown before the copy has run this long.
constexpr std::int64_t kFirstEstimateAfterSeconds = 180;

// done / total x 100, rounded, within 0..100; 0 when total <= 0.
int ProgressPercent(double total, double done);

// Seconds left at the rate so far, never negative. False when there is no estimate yet
// (before kFirstEstimateAfterSeconds, nothing done, or no total).
bool RemainingSeconds(double total, double done, std::int64_t elapsedSeconds,
                      std::int64_t& remaining);

// "3 Minutes Remaining", "60 Seconds Remaining", "1 Hour Remaining", "2 Hours Remaining"...
// Each unit is rounded up, and 59 minutes and more already read as an hour.
std::string RemainingTimeText(std::int64_t seconds);

}  // namespace mirrak
