// HD clock families: the Brumo, Kintor and Ulmeth modules share the instrument's HD clock, so
// the formats they put out must all belong to the 74.25 MHz family or all to the 74.18 MHz
// family. One table classifies every HD format keyword, and three queries ask the installed
// modules which family they run on now.
#pragma once

#include <initializer_list>
#include <string>

#include "corvane/core/InstrumentLink.h"

namespace corvane {

constexpr int kClock7425 = 1;       // formats of the 74.25 MHz clock
constexpr int kClock7418 = 2;       // formats of the 74.18 MHz clock (the 1/1.001 rates)
constexpr int kClockBoth = 3;       // outputs on both clocks
constexpr int kClockNoHd = 4;       // no HD output
constexpr int kClockFailed = -1;    // the exchange failed; a document's read fails with it
constexpr int kClockNoBrumo = -2;   // no Brumo installed
constexpr int kClockNoKintor = -3;  // no Kintor installed
constexpr int kClockUnknown = -4;   // no HD keyword of either family
constexpr int kClockNoUlmeth = -4;  // no Ulmeth installed: as unknown, the value documents keep

// 1, 2 or -4, by exact comparison.
int HdClockFamily(const std::string& keyword);

// The family of the Kintor outputs 1 to 3 (4 = SD, or 1, 2 from HdClockFamily): all SD gives
// 4, all the same HD family gives that family, anything mixed gives 3.
int CombineKintorOutputs(int output1, int output2, int output3);

// The question before moving an output onto a format of `family` while the other HD outputs
// run on `others`, looked at in the order given: the string id (IDS_HD_CLOCK_IS_7425 or _7418)
// of the first that is on the other clock, or 0 when none is (no HD, or not installed). An
// output on both clocks (kClockBoth) conflicts with either family only where `bothConflicts`:
// the Brumo's BLACK 3 against a Kintor already mixing the two.
int HdClockQuestion(int family, std::initializer_list<int> others, bool bothConflicts = false);

// The queries select the first slot holding that model and ask its outputs. `installed` is
// whether the module catalogue listed the model; a model not installed gives its own value
// without an exchange, a failed exchange gives kClockFailed.
// Output 3 of the Brumo: 4 for black burst, else its HD family.
int QueryBrumoClockFamily(IInstrumentLink& link, bool installed);
// Outputs 1 to 3 of the Kintor combined; an output of no known format gives -4 at once.
int QueryKintorClockFamily(IInstrumentLink& link, bool installed);
// Output 1 of the Ulmeth.
int QueryUlmethClockFamily(IInstrumentLink& link, bool installed);

// A document's read of another HD module's family, before its own: `family` gets what `query`
// answers; false when the module is installed but its family cannot be told, since the clock
// questions would then guess.
bool ReadClockFamily(int (*query)(IInstrumentLink&, bool), IInstrumentLink& link, bool installed,
                     int& family);

}  // namespace corvane
