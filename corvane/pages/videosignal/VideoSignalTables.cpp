#include "corvane/pages/videosignal/VideoSignalTables.h"

#include <array>
#include <vector>

#include "corvane/modules/hdclock/HdClock.h"
#include "platform/StringTable.h"
#include "resources/corvane/VideoSignalPageForms.h"

namespace corvane {

namespace {

constexpr const char* kCoarseMessage = "Horizontal coarse must be within\n%8.4f to %8.4f [usec].";
constexpr const char* kDelayMessage = "Horizontal delay must be within\n%8.4f to %8.4f [usec].";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

// Oltra -------------------------------------------------------------------------------------

struct OltraRow {
    std::vector<std::string> names;
    LineTiming timing;
};

const std::vector<OltraRow>& OltraRows() {
    static const LineTiming k525{262, 63.555556e-6, kStep7425};
    static const LineTiming k625{312, 64e-6, kStep7425};
    static const std::vector<OltraRow> rows{
        {{"525 Beta"}, k525},
        {{"625 PVW"}, k625},
        {{"525 GBR", "525 YPbPr"}, k525},
        {{"625 GBR", "625 YPbPr"}, k625},
        {{"NTSC", "NTSC No Setup"}, {525, 63.55556363e-6, kStep54MHz}},
        {{"PAL", "PAL-1", "PAL-2"}, {1250, 64e-6, kStep54MHz}},
    };
    return rows;
}

// Yarlo -------------------------------------------------------------------------------------

struct YarloRow {
    const char* name;  // without the colour space
    int family;
    int lines;
    int clocks;
};

// In the order of the format codes (GBR from 0, YPbPr from 17); "1080 24sF" came later.
constexpr std::array<YarloRow, 18> kYarloRows{{
    {"720 23p", kClock7418, 375, 4125},
    {"720 24p", kClock7425, 375, 4125},
    {"720 25p", kClock7425, 375, 3960},
    {"720 29p", kClock7418, 375, 3300},
    {"720 30p", kClock7425, 375, 3300},
    {"720 50p", kClock7425, 375, 1980},
    {"720 59p", kClock7418, 375, 1650},
    {"720 60p", kClock7425, 375, 1650},
    {"1080 23p", kClock7418, 562, 2750},
    {"1080 23sF", kClock7418, 562, 2750},
    {"1080 24p", kClock7425, 562, 2750},
    {"1080 25p", kClock7425, 562, 2640},
    {"1080 29p", kClock7418, 562, 2200},
    {"1080 30p", kClock7425, 562, 2200},
    {"1080 50i", kClock7425, 562, 2640},
    {"1080 59i", kClock7418, 562, 2200},
    {"1080 60i", kClock7425, 562, 2200},
    {"1080 24sF", kClock7425, 562, 2750},
}};
constexpr int kYarloRowsPerSpace = 17;

// The row of a Yarlo folder and whether it is the YPbPr one; -1 for an unknown name.
int FindYarloRow(const std::string& name, bool& ypbpr) {
    std::string base;
    for (const char* space : {" GBR", " YPbPr"}) {
        const std::string suffix(space);
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            base = name.substr(0, name.size() - suffix.size());
            ypbpr = suffix == " YPbPr";
        }
    }
    for (size_t i = 0; i < kYarloRows.size(); ++i)
        if (base == kYarloRows[i].name)
            return static_cast<int>(i);
    return -1;
}

// Ulmeth ------------------------------------------------------------------------------------

// The Ulmeth's folder names are the HD format names; "720 24p" has no folder but keeps its
// code.
int UlmethCode(const std::string& name) {
    return IndexOf(HdFormatNames(), name);
}

// Tables --------------------------------------------------------------------------------------

const std::array<VideoSignalTable, 4>& Tables() {
    static const std::array<VideoSignalTable, 4> tables{{
        {VideoModel::Oltra, kOltraVideoSignal, kCoarseMessage, IDC_OLTRA_COARSE,
         IDC_OLTRA_COARSE_SPIN, IDC_OLTRA_FINE, IDC_OLTRA_FINE_SPIN, true, true, false,
         OltraFormatCode, OltraFormatClockFamily, OltraTimingLimits},
        {VideoModel::Yarlo, kYarloVideoSignal, kCoarseMessage, IDC_YARLO_COARSE,
         IDC_YARLO_COARSE_SPIN, IDC_YARLO_FINE, IDC_YARLO_FINE_SPIN, false, true, false,
         YarloFormatCode, YarloFormatClockFamily, YarloTimingLimits},
        {VideoModel::Sormet, kSormetVideoSignal, kDelayMessage, IDC_SIGNAL_DELAY,
         IDC_SIGNAL_DELAY_SPIN, 0, 0, false, false, true, SormetFormatCode, nullptr,
         SormetTimingLimits},
        {VideoModel::Ulmeth, kUlmethVideoSignal, kDelayMessage, IDC_SIGNAL_DELAY,
         IDC_SIGNAL_DELAY_SPIN, 0, 0, false, false, false, UlmethFormatCode,
         UlmethFormatClockFamily, UlmethTimingLimits},
    }};
    return tables;
}

}  // namespace

int OltraFormatCode(const std::string& name) {
    struct Code {
        const char* name;
        int code;
    };
    static constexpr Code kCodes[] = {{"NTSC No Setup", 0}, {"NTSC", 1},        {"525 Beta", 2},
                                      {"PVW", 3},           {"525 GBR", 4},     {"525 YPbPr", 5},
                                      {"525p", 6},          {"525p GBR", 7},    {"525p YPbPr", 8},
                                      {"PAL", 13},          {"PAL-1", 14},      {"PAL-2", 15},
                                      {"625 GBR", 19},      {"625 YPbPr", 20},  {"625p", 21},
                                      {"625p GBR", 22},     {"625p YPbPr", 23}, {"625 PVW", 24}};
    for (const Code& c : kCodes)
        if (name == c.name)
            return c.code;
    return 2;
}

int YarloFormatCode(const std::string& name) {
    bool ypbpr = false;
    const int row = FindYarloRow(name, ypbpr);
    if (row < 0)
        return 33;
    if (row == kYarloRowsPerSpace)  // "1080 24sF"
        return ypbpr ? 35 : 34;
    return row + (ypbpr ? kYarloRowsPerSpace : 0);
}

int SormetFormatCode(const std::string& name) {
    const int code = IndexOf(SdFormatNames(), name);
    return code < 0 ? 1 : code;
}

int UlmethFormatCode(const std::string& name) {
    const int code = UlmethCode(name);
    return code < 0 ? 0 : code;
}

int OltraFormatClockFamily(const std::string& name) {
    static const std::vector<std::string> kSd{"525 Beta", "525 GBR",   "525 YPbPr", "625 GBR",
                                              "625 PVW",  "625 YPbPr", "NTSC",      "NTSC No Setup",
                                              "PAL",      "PAL-1",     "PAL-2"};
    const bool sd = IndexOf(kSd, name) >= 0 || StartsWith(name, "525") || StartsWith(name, "625");
    return sd ? kClock7425 : kClockNoHd;
}

int YarloFormatClockFamily(const std::string& name) {
    bool ypbpr = false;
    const int row = FindYarloRow(name, ypbpr);
    return row < 0 ? kClockNoHd : kYarloRows[static_cast<size_t>(row)].family;
}

int UlmethFormatClockFamily(const std::string& name) {
    const int code = UlmethCode(name);
    return code < 0 ? kClockNoHd : UlmethBlackClockFamily(code);
}

int UlmethBlackClockFamily(int blackFormat) {
    return UlmethLineTiming(blackFormat).step == kStep7418 ? kClock7418 : kClock7425;
}

LineTiming OltraTimingLimits(const std::string& name) {
    for (const OltraRow& row : OltraRows())
        for (const std::string& rowName : row.names)
            if (name == rowName)
                return row.timing;
    if (StartsWith(name, "525"))
        return OltraRows()[0].timing;
    if (StartsWith(name, "625"))
        return OltraRows()[1].timing;
    return HdLineTiming(562, 2200, kStep7425);
}

LineTiming YarloTimingLimits(const std::string& name) {
    bool ypbpr = false;
    const int row = FindYarloRow(name, ypbpr);
    if (row < 0)
        return HdLineTiming(562, 2640, kStep7425);
    const YarloRow& r = kYarloRows[static_cast<size_t>(row)];
    return HdLineTiming(r.lines, r.clocks, r.family == kClock7418 ? kStep7418 : kStep7425);
}

LineTiming SormetTimingLimits(const std::string& name) {
    return SormetLineTiming(SormetFormatCode(name));
}

LineTiming UlmethTimingLimits(const std::string& name) {
    return UlmethLineTiming(UlmethCode(name));
}

int HdClockQuestion(int family, int own, int brumo, int kintor) {
    for (const int other : {own, brumo, kintor}) {
        if (other == kClock7425 && family == kClock7418)
            return IDS_HD_CLOCK_IS_7425;
        if (other == kClock7418 && family == kClock7425)
            return IDS_HD_CLOCK_IS_7418;
    }
    return 0;
}

std::string SormetBlackFormatQuestion(int blackFormat, const std::string& name) {
    const std::vector<std::string>& names = SdFormatNames();
    const bool toNarrow = name == names[0];
    const bool toWide = name == names[1] || name == names[2];
    const bool ask = blackFormat != 0 ? toNarrow : toWide;
    if (!ask)
        return {};
    const std::string black = blackFormat >= 0 && blackFormat < static_cast<int>(names.size())
                                  ? names[static_cast<size_t>(blackFormat)]
                                  : std::string();
    return "Current Black format is " + black + ".\n\nAre you sure want to change format?";
}

const VideoSignalTable& VideoSignalTableOf(VideoModel model) {
    return Tables()[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
