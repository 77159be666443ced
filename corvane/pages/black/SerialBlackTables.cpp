#include "corvane/pages/black/SerialBlackTables.h"

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/modules/video/VideoFormats.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/SerialBlackPageForms.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace {

constexpr int kSd143 = 0;

// The black output asks by code; a code the list lacks counts as the 74.25 MHz family.
int UlmethClockFamily(int format) {
    const VideoFormat* row = FindFormatByCode(VideoModel::Ulmeth, format);
    return row != nullptr ? row->family : kClock7425;
}

BlackTimingLimits LimitsOf(const FormatTiming& timing) {
    return {-timing.lines, timing.lines, timing.delayBound, timing.step};
}

bool IsSingleHdClock(int family) {
    return family == kClock7425 || family == kClock7418;
}

}  // namespace

// Unknown codes get the table's fallback rows: "525-270" and 1080 60i.
BlackTimingLimits SormetBlackLimits(int format) {
    return LimitsOf(FormatTimingOf(VideoModel::Sormet, format));
}

BlackTimingLimits UlmethBlackLimits(int format) {
    return LimitsOf(FormatTimingOf(VideoModel::Ulmeth, format));
}

std::string SormetBlackQuestion(const SerialBlackValues& values, int format) {
    const bool output1On143 = values.output1FormatName == SdFormatNames()[kSd143];
    if (output1On143 == (format == kSd143))
        return {};
    return platform::Format("Current signal format is %s.\n\nAre you sure want to change format?",
                            values.output1FormatName.c_str());
}

std::string UlmethBlackQuestion(const SerialBlackValues& values, int format) {
    const int family = UlmethClockFamily(format);
    const bool asks =
        family != UlmethClockFamily(values.output1Format) ||
        (IsSingleHdClock(values.brumoClockFamily) && values.brumoClockFamily != family) ||
        (IsSingleHdClock(values.kintorClockFamily) && values.kintorClockFamily != family);
    if (!asks)
        return {};
    // The question names the clock the other outputs run on now.
    RegisterVideoPageStrings();
    return platform::LoadString(family == kClock7418 ? IDS_HD_CLOCK_IS_7425 : IDS_HD_CLOCK_IS_7418);
}

const std::vector<std::string>& LaterBlackSignals() {
    static const std::vector<std::string> signals{"50% Flat Field", "100% Flat Field"};
    return signals;
}

const SerialBlackTable& SormetSerialBlackTable() {
    static const SerialBlackTable table{SerialBlackPageTemplate(VideoModel::Sormet),
                                        IDC_SORMET_BLACK_FORMAT,
                                        kSormetSerialBlack,
                                        true,
                                        SormetBlackLimits,
                                        {},
                                        SormetBlackQuestion};
    return table;
}

const SerialBlackTable& UlmethSerialBlackTable() {
    static const SerialBlackTable table{
        SerialBlackPageTemplate(VideoModel::Ulmeth),
        IDC_ULMETH_BLACK_FORMAT,
        kUlmethSerialBlack,
        false,
        UlmethBlackLimits,
        {HdFormatNames().begin() + kHdFormatsBefore31, HdFormatNames().end()},
        UlmethBlackQuestion};
    return table;
}

}  // namespace corvane
