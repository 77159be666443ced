#include "corvane/pages/blackoutput/BlackOutputTables.h"

#include <algorithm>

#include "resources/corvane/BlackOutputPageForms.h"

namespace corvane {

namespace {

using namespace std::string_view_literals;

constexpr auto kBlack = "Black Burst"sv;
constexpr auto kFieldRef = "Black Burst with Field REF"sv;
constexpr auto kNoFieldRef = "Black Burst No Field REF"sv;
constexpr auto kTenField = "Black Burst with 10 Field ID"sv;
constexpr auto kBars100 = "100% Color Bar"sv;
constexpr auto kBars75 = "75% Color Bar"sv;
constexpr auto kSmpteBars = "SMPTE Color Bar"sv;
constexpr auto kFlatField = "40% Flat Field"sv;
constexpr auto kOther1 = "Other 1"sv;
constexpr auto kOther2 = "Other 2"sv;
constexpr auto kBars100Red = "100% Color Bar Over Red"sv;
constexpr auto kBars75Red = "75% Color Bar Over Red"sv;

// --- Kintor ---

constexpr BlackSignal kKintorNtsc[] = {{kBlack, 0}, {kFieldRef, 1}};
constexpr BlackSignal kKintorNtscTest[] = {{kBlack, 0},      {kFieldRef, 1}, {kTenField, 27},
                                           {kBars100, 28},   {kBars75, 29},  {kSmpteBars, 30},
                                           {kFlatField, 31}, {kOther1, 12},  {kOther2, 13}};
constexpr BlackSignal kKintorPal[] = {{kBlack, 0}, {kNoFieldRef, 2}};
constexpr BlackSignal kKintorPalTest[] = {{kBlack, 0},      {kNoFieldRef, 2},  {kBars100, 28},
                                          {kBars75, 29},    {kBars100Red, 32}, {kBars75Red, 33},
                                          {kFlatField, 31}, {kOther1, 12},     {kOther2, 13}};
constexpr BlackSignal kKintorHd[] = {{"1080 59.94i", 14}, {"1080 60i", 15},     {"1080 50i", 16},
                                     {"1080 24sF", 17},   {"1080 23.98sF", 18}, {"1080 30p", 19},
                                     {"1080 29.97p", 20}, {"1080 25p", 21},     {"1080 24p", 22},
                                     {"1080 23.98p", 23}, {"720 60p", 24},      {"720 59.94p", 25},
                                     {"720 50p", 26}};
constexpr BlackSignal kKintorNames[] = {
    {kBlack, 0},        {kFieldRef, 1},       {kNoFieldRef, 2},    {kOther1, 12},
    {kOther2, 13},      {"1080 60i", 15},     {"1080 59.94i", 14}, {"1080 50i", 16},
    {"1080 24sF", 17},  {"1080 23.98sF", 18}, {"1080 30p", 19},    {"1080 29.97p", 20},
    {"1080 25p", 21},   {"1080 24p", 22},     {"1080 23.98p", 23}, {"720 60p", 24},
    {"720 59.94p", 25}, {"720 50p", 26},      {kTenField, 27},     {kBars100, 28},
    {kBars75, 29},      {kSmpteBars, 30},     {kFlatField, 31},    {kBars100Red, 32},
    {kBars75Red, 33}};

std::span<const BlackSignal> KintorSignals(int output, int format, bool output3Config) {
    // Outputs 3 and 4 carry the test signals when the module is configured for them.
    const bool test = output3Config && output >= 2;
    switch (format) {
        case 0:
        case 2:
            return test ? std::span<const BlackSignal>(kKintorNtscTest) : kKintorNtsc;
        case 1:
            return test ? std::span<const BlackSignal>(kKintorPalTest) : kKintorPal;
        case kBlackFormatHdSync:
            return kKintorHd;
        default:
            return {};
    }
}

// --- Pirvo ---

constexpr BlackSignal kPirvoNtsc[] = {
    {kBlack, 0},       {kFieldRef, 1}, {"Composite Sync", 3}, {"Composite Blanking", 4},
    {"Subcarrier", 9}, {"H Drive", 5}, {"V Drive", 6},        {"Field Reference", 7}};
constexpr BlackSignal kPirvoPal[] = {
    {kBlack, 0},       {kNoFieldRef, 2}, {"Composite Sync", 3}, {"Composite Blanking", 4},
    {"Subcarrier", 9}, {"H Drive", 5},   {"V Drive", 6},        {"Field Reference", 7},
    {"Pal Pulse", 8}};
constexpr BlackSignal kPirvoNames[] = {{kBlack, 0},
                                       {kFieldRef, 1},
                                       {kNoFieldRef, 2},
                                       {"Composite Sync", 3},
                                       {"Composite Blanking", 4},
                                       {"Subcarrier", 9},
                                       {"H Drive", 5},
                                       {"V Drive", 6},
                                       {"Field Reference", 7},
                                       {"Pal Pulse", 8},
                                       {kBars100, 28},
                                       {kBars75, 29},
                                       {kSmpteBars, 30},
                                       {kFlatField, 31},
                                       {kOther1, 12},
                                       {kOther2, 13},
                                       {kBars100Red, 32},
                                       {kBars75Red, 33}};

// A Pirvo output read as another standard (format 3) has no list: the page shows none.
std::span<const BlackSignal> PirvoSignals(int, int format, bool) {
    switch (format) {
        case 0:
        case 2:
            return kPirvoNtsc;
        case 1:
            return kPirvoPal;
        default:
            return {};
    }
}

}  // namespace

const BlackOutputTable& KintorBlackOutputTable() {
    static const BlackOutputTable table{
        &KintorOutputPageTemplate, kKintorBlackOutput, 4, true, kKintorNames, &KintorSignals};
    return table;
}

const BlackOutputTable& PirvoBlackOutputTable() {
    static const BlackOutputTable table{
        &PirvoBlackPageTemplate, kPirvoBlackOutput, 2, false, kPirvoNames, &PirvoSignals};
    return table;
}

int BlackSignalCode(const BlackOutputTable& table, std::string_view text) {
    for (const BlackSignal& entry : table.names)
        if (entry.name == text)
            return entry.code;
    return 0;
}

int BlackSignalIndex(std::span<const BlackSignal> list, int code) {
    const auto found = std::find_if(
        list.begin(), list.end(), [code](const BlackSignal& entry) { return entry.code == code; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

int BlackHdClock(int code) {
    switch (code) {
        case 14:
        case 18:
        case 20:
        case 23:
        case 25:
            return kClock7418;
        default:
            return kClock7425;
    }
}

int BlackHdClockQuestion(const BlackOutputValues& values, int output, int code) {
    std::array<int, 4> outputs{};
    for (size_t i = 0; i < outputs.size(); ++i) {
        const bool other = static_cast<int>(i) != output && values.format[i] == kBlackFormatHdSync;
        outputs[i] = other ? BlackHdClock(values.signal[i]) : kClockNoHd;
    }
    return HdClockQuestion(BlackHdClock(code), {values.ulmethClockFamily, values.brumoClockFamily,
                                                outputs[0], outputs[1], outputs[2], outputs[3]});
}

}  // namespace corvane
