// What differs between the Sormet's and the Ulmeth's black output page: the timing limits of
// each black format, the formats later firmware adds, and when a change of format has to be
// confirmed because it does not fit what the other outputs run on.
#pragma once

#include <string>
#include <vector>

#include "corvane/pages/black/SerialBlackMessages.h"
#include "platform/DialogTemplate.h"

namespace corvane {

// The timing one black format allows. The delay limits are one line period; the spin counts
// steps of one sample clock period.
struct BlackTimingLimits {
    int lowerLines = 0;
    int upperLines = 0;
    double upperDelay = 0.0;  // seconds; the lower limit is its negative
    double step = 0.0;        // seconds
};

// The page's values, handed over by the view before the page is created.
struct SerialBlackValues {
    int format = 0;  // the black format's code
    int signal = 0;  // 0 black, 1 40%, 2 50%, 3 100% flat field
    int lines = 0;
    double delay = 0.0;  // seconds
    int edh = 0;         // Sormet: 1 on
    int bits = 0;        // Sormet: 8 or 10
    double firmwareVersion = 0.0;
    // What the format question compares with: the Sormet names output 1's format folder, the
    // Ulmeth gives output 1's format code and the clock families the other HD modules run on.
    std::string output1FormatName;
    int output1Format = 0;
    int brumoClockFamily = 0;
    int kintorClockFamily = 0;
};

struct SerialBlackTable {
    const platform::DialogTemplate& pageTemplate;
    int formatId;
    const SerialBlackMessages& messages;
    bool edhAndBits;
    BlackTimingLimits (*limits)(int format);
    // Formats the list gains from firmware 3.1, after the template's.
    std::vector<std::string> laterFormats;
    // The question to ask before output 2 changes to `format`; empty when none is needed.
    std::string (*question)(const SerialBlackValues& values, int format);
};

const SerialBlackTable& SormetSerialBlackTable();
const SerialBlackTable& UlmethSerialBlackTable();

// Unknown codes take the "525-270" row (Sormet) or the 1080 60i row (Ulmeth).
BlackTimingLimits SormetBlackLimits(int format);
BlackTimingLimits UlmethBlackLimits(int format);

// The Sormet asks when output 2 would leave the sample clock output 1 runs on: "525-143" on
// the one hand, "525-270" and "625-270" on the other.
std::string SormetBlackQuestion(const SerialBlackValues& values, int format);
// The Ulmeth asks when the new format's HD clock differs from output 1's, or from that of a
// Brumo or Kintor that runs on one HD clock only; the question names the clock in use.
std::string UlmethBlackQuestion(const SerialBlackValues& values, int format);

// The signals firmware 3.1 adds to the list.
const std::vector<std::string>& LaterBlackSignals();
constexpr double kFirmwareWithMoreBlack = 3.1;

}  // namespace corvane
