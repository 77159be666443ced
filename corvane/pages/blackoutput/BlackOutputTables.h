// What the black output page does for each analog model: how many outputs it has, the signal
// list each output offers on each format, the names the signal codes are told by, and, on the
// Kintor, the HD sync format with the question before a change of HD clock.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/pages/blackoutput/BlackOutputMessages.h"
#include "platform/DialogTemplate.h"

namespace corvane {

// An entry of a signal list: its text and the code the document keeps for it.
struct BlackSignal {
    std::string_view name;
    int code;
};

// The page's values, handed over by the view before the page is created.
struct BlackOutputValues {
    // Per output: 0 NTSC, 1 PAL, 2 NTSC No Setup, 3 HD SYNC (Kintor only).
    std::array<int, 4> format{};
    // Per output the signal code; for HD SYNC the code of the HD format.
    std::array<int, 4> signal{};
    // Kintor: outputs 3 and 4 offer the test signals beside black burst.
    int output3Config = 0;
    // Kintor: the clocks the other HD modules run on.
    int brumoClockFamily = kClockNoBrumo;
    int ulmethClockFamily = kClockNoUlmeth;
};

constexpr int kBlackFormatHdSync = 3;

struct BlackOutputTable {
    const platform::DialogTemplate& (*pageTemplate)();
    const BlackOutputMessages& messages;
    int outputs;
    // The HD SYNC format, and with it the HD clock question.
    bool hdSync;
    // Text to code, searched in this order.
    std::span<const BlackSignal> names;
    // The list of `output` on `format`; empty for a format the model has no list for.
    std::span<const BlackSignal> (*signalList)(int output, int format, bool output3Config);
};

const BlackOutputTable& KintorBlackOutputTable();
const BlackOutputTable& PirvoBlackOutputTable();

// The code of a signal's text; 0 (black burst) for a text the model does not know.
int BlackSignalCode(const BlackOutputTable& table, std::string_view text);
// The place of `code` in `list`, or -1.
int BlackSignalIndex(std::span<const BlackSignal> list, int code);

// The HD clock an HD sync code runs on: the 1/1.001 rates on 74.18 MHz, the rest on 74.25.
int BlackHdClock(int code);
// The question before output `output` moves to HD code `code`, looking at the Ulmeth, then the
// Brumo, then the page's other HD SYNC outputs in order: the string id naming the clock in use
// of the first on the other clock, or 0 when nothing conflicts.
int BlackHdClockQuestion(const BlackOutputValues& values, int output, int code);

}  // namespace corvane
