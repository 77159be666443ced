// What the signal page does differently for each video model, as plain rules on a format's
// name: the code the view is sent, the HD clock family, the timing limits, and which
// question a format change asks first.
#pragma once

#include <string>

#include "corvane/modules/video/VideoTiming.h"
#include "corvane/pages/videosignal/VideoSignalMessages.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

// The format codes of each model's format folders.
int OltraFormatCode(const std::string& name);
int YarloFormatCode(const std::string& name);
int SormetFormatCode(const std::string& name);
int UlmethFormatCode(const std::string& name);

// The HD clock family (kClock7425, kClock7418 or kClockNoHd) of a format folder.
int OltraFormatClockFamily(const std::string& name);
int YarloFormatClockFamily(const std::string& name);
int UlmethFormatClockFamily(const std::string& name);

// The timing limits of a format folder.
LineTiming OltraTimingLimits(const std::string& name);
// Yarlo folders carry their colour space (" GBR", " YPbPr"); the limits go by the name
// without it.
LineTiming YarloTimingLimits(const std::string& name);
LineTiming SormetTimingLimits(const std::string& name);
LineTiming UlmethTimingLimits(const std::string& name);

// The family the Ulmeth's black output runs on while it is on, from its format code.
int UlmethBlackClockFamily(int blackFormat);

// The question before a move to a format of family `family` while other outputs run on the
// families given, in the order given: the string id (IDS_HD_CLOCK_IS_7425 or _7418) of the
// first that is on the other HD clock, or 0 when none is (no HD, or not installed).
int HdClockQuestion(int family, int own, int brumo, int kintor);

// The Sormet's black output at `blackFormat` (0..2) and a move of output 1 to `name`: the
// question to ask, or empty when the two stay on the same line standard.
std::string SormetBlackFormatQuestion(int blackFormat, const std::string& name);

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
    int (*formatCode)(const std::string& name);
    int (*clockFamily)(const std::string& name);
    LineTiming (*timingLimits)(const std::string& name);
};

const VideoSignalTable& VideoSignalTableOf(VideoModel model);

}  // namespace corvane
