// The numbers the Pirvo's Signal and Bars pages send their view. Every message carries the
// page's output in wParam: 2 for the SIGNAL output, 3 for the BARS output. A text travels as
// the address of the page's own copy, valid for the call. The view sends the pages nothing:
// after an Apply it calls each page's ReloadIdText.
#pragma once

#include "platform/Types.h"

namespace corvane {

// What the two pages share: the ID text box.
struct PirvoIdTextMessages {
    int output;
    platform::UINT text;  // lParam: &text
    platform::UINT mode;  // 0 Enable, 1 Disable, 2 Blink Fast, 3 Blink Slow
    platform::UINT x;     // percent
    platform::UINT y;
};

struct PirvoSignalMessages {
    platform::UINT format;     // lParam: the format folder's index in the catalogue
    platform::UINT signal;     // lParam: &file name, as listed
    platform::UINT signalSet;  // lParam: &set name
    platform::UINT aplMode;    // lParam: &mode keyword
    platform::UINT aplPeriod;  // lParam: &period keyword
    PirvoIdTextMessages idText;
};

struct PirvoBarsMessages {
    platform::UINT format;  // lParam: 0 NTSC, 1 PAL, 2 NTSC No Setup
    platform::UINT signal;  // lParam: the signal code
    PirvoIdTextMessages idText;
};

constexpr PirvoSignalMessages kPirvoSignalMessages{1291, 1292, 1293,
                                                   1294, 1295, {2, 1296, 1297, 1298, 1299}};
constexpr PirvoBarsMessages kPirvoBarsMessages{1300, 1301, {3, 1302, 1303, 1304, 1305}};

}  // namespace corvane
