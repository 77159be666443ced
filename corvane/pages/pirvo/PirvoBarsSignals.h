// The signals the Pirvo's BARS output offers for each format, and the codes the Bars page
// sends for them (the codes of the module's output signal keywords).
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct BarsSignal {
    const char* name;
    int code;
};

// The list of a format (0 NTSC, 1 PAL, 2 NTSC No Setup); empty for any other.
const std::vector<BarsSignal>& BarsSignalList(int format);
// The code of a signal's name as the lists show it; 0 (Black Burst) for a name not known.
int BarsSignalCode(const std::string& name);
// Where `code` stands in the list of `format`, -1 when it is not there.
int BarsSignalIndex(int format, int code);

}  // namespace corvane
