// What the signal page does differently for each video model: the code a format name is sent
// with, its HD clock family and timing limits (all from the program's format table), which
// question a format change asks first, and how the horizontal delay is entered.
#pragma once

#include <string>

#include "corvane/modules/video/VideoFormats.h"
#include "corvane/pages/videosignal/VideoSignalMessages.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

// The code the format message carries for a format folder. The Sormet sends its format's code
// too, so a catalogue listing its folders in another order cannot shift the format the
// document keeps; a name it does not know counts as "525-270", as its limits do.
int SignalPageFormatCode(VideoModel model, const std::string& name);

// The family the Ulmeth's black output runs on while it is on, from its format code.
int UlmethBlackClockFamily(int blackFormat);

// The Sormet's black output at `blackFormat` (0..2) and a move of output 1 to `name`: the
// question to ask, or empty when the two stay on the same line standard.
std::string SormetBlackFormatQuestion(int blackFormat, const std::string& name);

// A delay split into a part on the step grid and a rest on a 0.1 ns grid, the rest kept
// within +-10 ns.
struct DelaySplit {
    double coarse = 0.0;
    double fine = 0.0;
};
DelaySplit SplitDelay(double delay, double step);

struct VideoSignalTable {
    VideoModel model;
    const VideoSignalMessages& messages;
    const char* delayMessage;
    // The analog models split the delay into coarse and fine fields; the serial ones have one.
    int delayEdit;
    int delaySpin;
    int fineEdit;  // 0: no fine field
    int fineSpin;
    // Signal sets named "APL" are left out of the list: at every fill, or at the first only.
    bool dropAplSets;
    bool dropAplSetsAtFirstFill;
    bool blackFormatGuard;  // else the HD clock guard
};

const VideoSignalTable& VideoSignalTableOf(VideoModel model);

}  // namespace corvane
