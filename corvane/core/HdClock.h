// HD clock families: the Brumo, Kintor and Ulmeth modules share the instrument's HD clock, so
// the formats they put out must all belong to the 74.25 MHz family or all to the 74.18 MHz
// family. One table classifies every HD format keyword.
#pragma once

#include <string>

namespace corvane {

constexpr int kClock7425 = 1;      // formats of the 74.25 MHz clock
constexpr int kClock7418 = 2;      // formats of the 74.18 MHz clock (the 1/1.001 rates)
constexpr int kClockBoth = 3;      // outputs on both clocks
constexpr int kClockNoHd = 4;      // no HD output
constexpr int kClockNoBrumo = -2;  // no Brumo installed
constexpr int kClockFailed = -3;   // the exchange failed; also: no Kintor installed
constexpr int kClockUnknown = -4;  // no Ulmeth installed, or no HD keyword of either family

// 1, 2 or -4, by exact comparison.
int HdClockFamily(const std::string& keyword);

// The family of the Kintor outputs 1 to 3 (4 = SD, or 1, 2 from HdClockFamily): all SD gives
// 4, all the same HD family gives that family, anything mixed gives 3.
int CombineKintorOutputs(int output1, int output2, int output3);

}  // namespace corvane
