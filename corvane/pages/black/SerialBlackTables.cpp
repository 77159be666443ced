#include "corvane/pages/black/SerialBlackTables.h"

#include "corvane/modules/hdclock/HdClock.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/SerialBlackPageForms.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace {

// Sample clock periods, in seconds.
constexpr double kStep143 = 69.84127871e-9;  // 14.31818 MHz
constexpr double kStep270 = 18.51851852e-9;  // 54 MHz
constexpr double kStepHd = 13.468013468e-9;  // 74.25 MHz
// The clock of the 1/1.001 rates, with the value the timing pages of every HD module step by.
constexpr double kStepHd1001 = 13.454558909e-9;

constexpr double kLine525 = 63.55556363e-6;
constexpr double kLine625 = 64e-6;

constexpr int kSd143 = 0;
constexpr int kSd625 = 2;

// The HD clock family of an Ulmeth format code: the 1/1.001 rates run on 74.18 MHz.
int UlmethClockFamily(int format) {
    switch (format) {
        case 1:
        case 4:
        case 6:
        case 9:
        case 11:
        case 13:
        case 16:
        case 19:
            return kClock7418;
        default:
            return kClock7425;
    }
}

// Clock periods in one line of an Ulmeth format.
int UlmethLineLength(int format) {
    switch (format) {
        case 2:
        case 7:
            return 2640;
        case 3:
        case 4:
        case 8:
        case 9:
            return 2750;
        case 12:
        case 13:
            return 1650;
        case 14:
            return 1980;
        case 15:
        case 16:
            return 3300;
        case 17:
            return 3960;
        case 18:
        case 19:
            return 4125;
        default:
            return 2200;
    }
}

bool IsSingleHdClock(int family) {
    return family == kClock7425 || family == kClock7418;
}

}  // namespace

BlackTimingLimits SormetBlackLimits(int format) {
    if (format == kSd143)
        return {-525, 525, kLine525, kStep143};
    if (format == kSd625)
        return {-1250, 1250, kLine625, kStep270};
    return {-525, 525, kLine525, kStep270};
}

BlackTimingLimits UlmethBlackLimits(int format) {
    const bool is720 = format >= 12 && format <= 19;
    const int lines = is720 ? 375 : 562;
    const double step = UlmethClockFamily(format) == kClock7418 ? kStepHd1001 : kStepHd;
    // One line period: as many steps as the line has clock periods, so the spin's step count
    // stays within its 16 bits.
    return {-lines, lines, UlmethLineLength(format) * step, step};
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
