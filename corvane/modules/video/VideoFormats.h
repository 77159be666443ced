// The output formats of the four video generator models, one table for the whole program: the
// documents read and send them, the pages list them, check timing against them and ask the
// HD clock questions from them, and the HD clock classifier takes its families from them.
//
// A row is one format of one model: its code (the number the model's pages and documents use
// for it), its name (the name of its folder in the instrument's signal catalogue and the text
// of the format lists), the word the instrument uses for it in "OUTPn:STAN" (serial models
// only), its HD clock family and the limits of the output timing on it.
//
// The data is constexpr in this header so that the dialog templates, which cannot link the
// program's library, list the same names.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "corvane/modules/hdclock/HdClock.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace videoformat {

// Sample clocks of the formats: one step of the horizontal delay.
constexpr double kStepSd143 = 1.0 / 14.31818e6;  // 525-143 composite-rate sampling
constexpr double kStepSd270 = 1.0 / 54e6;        // 270 Mb/s serial and the analog SD
constexpr double kStepHd7425 = 1.0 / 74.25e6;
// The module's delay grid on the 1/1.001 formats is 74.25 MHz x 1.001, not the clock itself.
constexpr double kStepHd7418 = 1.0 / (74.25e6 * 1.001);

}  // namespace videoformat

// How far the output timing may move on a format: the vertical delay within +-lines, the
// horizontal delay within +-delayBound seconds in whole steps of `step` seconds.
struct FormatTiming {
    int lines;
    double delayBound;
    double step;

    // The spin of the horizontal delay runs over +-this many steps.
    int StepCount() const { return static_cast<int>(delayBound / step); }
};

// An HD format's delay reaches one line period either way: `clocks` sample clocks of `step`.
constexpr FormatTiming HdTiming(int lines, int clocks, double step) {
    return FormatTiming{lines, clocks * step, step};
}

struct VideoFormat {
    int code;
    // Folder and list name; compared literally, never unescaped.
    std::string_view name;
    // "OUTPn:STAN" word of the serial models; empty for the analog ones, which answer a number.
    std::string_view keyword;
    // kClock7425, kClock7418, or kClockNoHd for formats that do not run on the HD clock.
    int family;
    FormatTiming timing;
    // False for a format the module offers but whose folder no catalogue carries, so a load
    // from a folder of that name announces no clock family.
    bool hasFolder = true;
};

namespace videoformat {

using namespace std::string_view_literals;

constexpr FormatTiming kSd525Composite{525, 63.55556363e-6, kStepSd143};
constexpr FormatTiming kSd525{525, 63.55556363e-6, kStepSd270};
constexpr FormatTiming kSd625{1250, 64e-6, kStepSd270};
// The analog component and Beta formats run their delay on the HD sample clock.
constexpr FormatTiming kAnalog525{262, 63.555556e-6, kStepHd7425};
constexpr FormatTiming kAnalog625{312, 64e-6, kStepHd7425};

constexpr FormatTiming kHd1080x2200 = HdTiming(562, 2200, kStepHd7425);
constexpr FormatTiming kHd1080x2200M = HdTiming(562, 2200, kStepHd7418);
constexpr FormatTiming kHd1080x2640 = HdTiming(562, 2640, kStepHd7425);
constexpr FormatTiming kHd1080x2750 = HdTiming(562, 2750, kStepHd7425);
constexpr FormatTiming kHd1080x2750M = HdTiming(562, 2750, kStepHd7418);
constexpr FormatTiming kHd720x1650 = HdTiming(375, 1650, kStepHd7425);
constexpr FormatTiming kHd720x1650M = HdTiming(375, 1650, kStepHd7418);
constexpr FormatTiming kHd720x1980 = HdTiming(375, 1980, kStepHd7425);
constexpr FormatTiming kHd720x3300 = HdTiming(375, 3300, kStepHd7425);
constexpr FormatTiming kHd720x3300M = HdTiming(375, 3300, kStepHd7418);
constexpr FormatTiming kHd720x3960 = HdTiming(375, 3960, kStepHd7425);
constexpr FormatTiming kHd720x4125 = HdTiming(375, 4125, kStepHd7425);
constexpr FormatTiming kHd720x4125M = HdTiming(375, 4125, kStepHd7418);

constexpr int F1 = kClock7425;
constexpr int F2 = kClock7418;
constexpr int SD = kClockNoHd;

// Sormet: the code is also "OUTP1:STAN?"'s and the black output's.
inline constexpr VideoFormat kSormet[] = {
    {0, "525-143", "D2_NTSC", SD, kSd525Composite},
    {1, "525-270", "D1_NTSC", SD, kSd525},
    {2, "625-270", "D1_PAL", SD, kSd625},
};

// Ulmeth: the code is the position in its format lists; codes 14..19 need firmware 3.1.
inline constexpr VideoFormat kUlmeth[] = {
    {0, "1080 60i", "HD1080_60I", F1, kHd1080x2200},
    {1, "1080 59.94i", "HD1080_59I", F2, kHd1080x2200M},
    {2, "1080 50i", "HD1080_50I", F1, kHd1080x2640},
    {3, "1080 24sF", "HD1080_24SF", F1, kHd1080x2750},
    {4, "1080 23.98sF", "HD1080_23SF", F2, kHd1080x2750M},
    {5, "1080 30p", "HD1080_30P", F1, kHd1080x2200},
    {6, "1080 29.97p", "HD1080_29P", F2, kHd1080x2200M},
    {7, "1080 25p", "HD1080_25P", F1, kHd1080x2640},
    {8, "1080 24p", "HD1080_24P", F1, kHd1080x2750},
    {9, "1080 23.98p", "HD1080_23P", F2, kHd1080x2750M},
    {10, "1035 60i", "HD1035_60I", F1, kHd1080x2200},
    {11, "1035 59.94i", "HD1035_59I", F2, kHd1080x2200M},
    {12, "720 60p", "HD720_60P", F1, kHd720x1650},
    {13, "720 59.94p", "HD720_59P", F2, kHd720x1650M},
    {14, "720 50p", "HD720_50P", F1, kHd720x1980},
    {15, "720 30p", "HD720_30P", F1, kHd720x3300},
    {16, "720 29.97p", "HD720_29P", F2, kHd720x3300M},
    {17, "720 25p", "HD720_25P", F1, kHd720x3960},
    {18, "720 24p", "HD720_24P", F1, kHd720x4125, false},
    {19, "720 23.98p", "HD720_23P", F2, kHd720x4125M},
};

// Oltra: the code is the wParam of its format message. Every SD name counts as the 74.25 MHz
// family for the HD clock question, as the module has always asked.
inline constexpr VideoFormat kOltra[] = {
    {0, "NTSC No Setup", "", F1, kSd525},   {1, "NTSC", "", F1, kSd525},
    {2, "525 Beta", "", F1, kAnalog525},    {3, "PVW", "", SD, HdTiming(562, 2200, kStepHd7425)},
    {4, "525 GBR", "", F1, kAnalog525},     {5, "525 YPbPr", "", F1, kAnalog525},
    {6, "525p", "", F1, kAnalog525},        {7, "525p GBR", "", F1, kAnalog525},
    {8, "525p YPbPr", "", F1, kAnalog525},  {13, "PAL", "", F1, kSd625},
    {14, "PAL-1", "", F1, kSd625},          {15, "PAL-2", "", F1, kSd625},
    {19, "625 GBR", "", F1, kAnalog625},    {20, "625 YPbPr", "", F1, kAnalog625},
    {21, "625p", "", F1, kAnalog625},       {22, "625p GBR", "", F1, kAnalog625},
    {23, "625p YPbPr", "", F1, kAnalog625}, {24, "625 PVW", "", F1, kAnalog625},
};

// Yarlo: every HD format in GBR (0..16) and YPbPr (17..33), then 1080 24sF in both (34, 35).
inline constexpr VideoFormat kYarlo[] = {
    {0, "720 23p GBR", "", F2, kHd720x4125M},       {1, "720 24p GBR", "", F1, kHd720x4125},
    {2, "720 25p GBR", "", F1, kHd720x3960},        {3, "720 29p GBR", "", F2, kHd720x3300M},
    {4, "720 30p GBR", "", F1, kHd720x3300},        {5, "720 50p GBR", "", F1, kHd720x1980},
    {6, "720 59p GBR", "", F2, kHd720x1650M},       {7, "720 60p GBR", "", F1, kHd720x1650},
    {8, "1080 23p GBR", "", F2, kHd1080x2750M},     {9, "1080 23sF GBR", "", F2, kHd1080x2750M},
    {10, "1080 24p GBR", "", F1, kHd1080x2750},     {11, "1080 25p GBR", "", F1, kHd1080x2640},
    {12, "1080 29p GBR", "", F2, kHd1080x2200M},    {13, "1080 30p GBR", "", F1, kHd1080x2200},
    {14, "1080 50i GBR", "", F1, kHd1080x2640},     {15, "1080 59i GBR", "", F2, kHd1080x2200M},
    {16, "1080 60i GBR", "", F1, kHd1080x2200},     {17, "720 23p YPbPr", "", F2, kHd720x4125M},
    {18, "720 24p YPbPr", "", F1, kHd720x4125},     {19, "720 25p YPbPr", "", F1, kHd720x3960},
    {20, "720 29p YPbPr", "", F2, kHd720x3300M},    {21, "720 30p YPbPr", "", F1, kHd720x3300},
    {22, "720 50p YPbPr", "", F1, kHd720x1980},     {23, "720 59p YPbPr", "", F2, kHd720x1650M},
    {24, "720 60p YPbPr", "", F1, kHd720x1650},     {25, "1080 23p YPbPr", "", F2, kHd1080x2750M},
    {26, "1080 23sF YPbPr", "", F2, kHd1080x2750M}, {27, "1080 24p YPbPr", "", F1, kHd1080x2750},
    {28, "1080 25p YPbPr", "", F1, kHd1080x2640},   {29, "1080 29p YPbPr", "", F2, kHd1080x2200M},
    {30, "1080 30p YPbPr", "", F1, kHd1080x2200},   {31, "1080 50i YPbPr", "", F1, kHd1080x2640},
    {32, "1080 59i YPbPr", "", F2, kHd1080x2200M},  {33, "1080 60i YPbPr", "", F1, kHd1080x2200},
    {34, "1080 24sF GBR", "", F1, kHd1080x2750},    {35, "1080 24sF YPbPr", "", F1, kHd1080x2750},
};

// The analog black and test-signal outputs (Pirvo and Kintor formats 0..2, Brumo BLACK 1
// and 2): the code is the format number of their documents, the keyword their "OUTPn:STAN"
// word.
inline constexpr VideoFormat kAnalogSd[] = {
    {0, "NTSC", "NTSC", SD, kSd525},
    {1, "PAL", "PAL", SD, kSd625},
    {2, "NTSC No Setup", "NTSC_NSU", SD, kSd525},
};

// The Kintor's HD formats (its format 3), by the code of its keyword table. The module gives
// 720 50p (code 26) no limits of its own: it times it as 1080 59.94i.
inline constexpr VideoFormat kKintorHd[] = {
    {14, "1080 59.94i", "HD1080_59I", F2, kHd1080x2200M},
    {15, "1080 60i", "HD1080_60I", F1, kHd1080x2200},
    {16, "1080 50i", "HD1080_50I", F1, kHd1080x2640},
    {17, "1080 24sF", "HD1080_24SF", F1, kHd1080x2750},
    {18, "1080 23.98sF", "HD1080_23SF", F2, kHd1080x2750M},
    {19, "1080 30p", "HD1080_30P", F1, kHd1080x2200},
    {20, "1080 29.97p", "HD1080_29P", F2, kHd1080x2200M},
    {21, "1080 25p", "HD1080_25P", F1, kHd1080x2640},
    {22, "1080 24p", "HD1080_24P", F1, kHd1080x2750},
    {23, "1080 23.98p", "HD1080_23P", F2, kHd1080x2750M},
    {24, "720 60p", "HD720_60P", F1, kHd720x1650},
    {25, "720 59.94p", "HD720_59P", F2, kHd720x1650M},
};

// The Brumo's output formats: BLACK 1 and 2 take 0..2, BLACK 2 also 3 (it then follows
// BLACK 3), BLACK 3 takes 4 (it then follows BLACK 2) and the HD formats 5..17. The two
// following formats keep the 1080 60i limits the module gives them.
inline constexpr VideoFormat kBrumoOutput[] = {
    {0, "NTSC", "NTSC", SD, kSd525},
    {1, "PAL", "PAL", SD, kSd625},
    {2, "NTSC No Setup", "NTSC_NSU", SD, kSd525},
    {3, "HD SYNC (SAME AS BLACK3)", "HDSY", SD, kHd1080x2200},
    {4, "BB (SAME AS BLACK2)", "BB", SD, kHd1080x2200},
    {5, "1080 60i", "HD1080_60I", F1, kHd1080x2200},
    {6, "1080 59.94i", "HD1080_59I", F2, kHd1080x2200M},
    {7, "1080 50i", "HD1080_50I", F1, kHd1080x2640},
    {8, "1080 24sF", "HD1080_24SF", F1, kHd1080x2750},
    {9, "1080 23.98sF", "HD1080_23SF", F2, kHd1080x2750M},
    {10, "1080 30p", "HD1080_30P", F1, kHd1080x2200},
    {11, "1080 29.97p", "HD1080_29P", F2, kHd1080x2200M},
    {12, "1080 25p", "HD1080_25P", F1, kHd1080x2640},
    {13, "1080 24p", "HD1080_24P", F1, kHd1080x2750},
    {14, "1080 23.98p", "HD1080_23P", F2, kHd1080x2750M},
    {15, "720 60p", "HD720_60P", F1, kHd720x1650},
    {16, "720 59.94p", "HD720_59P", F2, kHd720x1650M},
    {17, "720 50p", "HD720_50P", F1, kHd720x1980},
};

// The HD references the Brumo detects on its genlock input are the serial HD formats: the
// Ulmeth's code of each, by the code of the detection answer (13: none detected). Their
// timing is the reference's own; the genlock delay itself runs on the 54 MHz grid.
inline constexpr int kBrumoHdReferenceUlmethCode[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14};

// What a name missing from a model's rows is taken for.
struct UnknownFormat {
    int code;  // -1: the model has no code for it
    int family;
    FormatTiming timing;
};

}  // namespace videoformat

// The rows of a model, in code order.
std::span<const VideoFormat> VideoFormats(VideoModel model);

// The row of that name or code; null when the model has none.
const VideoFormat* FindFormatByName(VideoModel model, std::string_view name);
const VideoFormat* FindFormatByCode(VideoModel model, int code);
// Serial models: the row whose "OUTPn:STAN" word this is; null for any other text.
const VideoFormat* FindFormatByKeyword(VideoModel model, std::string_view keyword);

// The code of a format name; a name the model does not know gives the code the model has
// always fallen back to (Oltra 2, Yarlo 33, Ulmeth 0) and, on the Sormet, -1.
int FormatCode(VideoModel model, std::string_view name);
// The "OUTPn:STAN" word of a code; empty outside the model's codes.
std::string FormatKeyword(VideoModel model, int code);
// The HD clock family of a format name: kClock7425, kClock7418 or kClockNoHd. On the Oltra
// any name beginning "525" or "625" is an SD format of the 74.25 MHz family.
int FormatClockFamily(VideoModel model, std::string_view name);
// The family a load from the named folder puts the module on, or 0 when the catalogue folder
// names no HD format (the Ulmeth's "720 24p" among them).
int FolderClockFamily(VideoModel model, std::string_view folder);
// The row of `code` in one of the analog tables above; null outside it.
const VideoFormat* FindFormatByCode(std::span<const VideoFormat> rows, int code);

// The timing limits of a format name; unknown names get the model's fallback limits.
FormatTiming FormatTimingOf(VideoModel model, std::string_view name);
// The timing limits of a code; codes outside the model's get the model's fallback limits.
FormatTiming FormatTimingOf(VideoModel model, int code);

}  // namespace corvane
