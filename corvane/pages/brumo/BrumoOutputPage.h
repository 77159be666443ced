// CBrumoOutputPage: the Output tab of the Brumo window. The formats of BLACK 1..3 and the
// signals of BLACK 1 and 2, whose lists follow the format (a field reference is named after
// the format's). BLACK 2 on "HD SYNC" repeats BLACK 3 and has no signal of its own.
//
// BLACK 3 carries the HD formats, and the instrument's HD clock is shared with the Ulmeth and
// the Kintor: a format on the other clock than theirs is asked about first, and No puts the
// previous format back with nothing sent. The previous format is the one last accepted (or
// loaded), however the list was changed.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/pages/common/TabPage.h"

namespace corvane {

// What the view hands the page before it is created.
struct BrumoOutputValues {
    std::array<int, 3> formats{0, 0, 4};     // the document's codes: BLACK 3 4..17
    std::array<int, 2> outputSignals{0, 0};  // 0 black burst, else with its field reference
    int ulmethFamily = kClockNoUlmeth;
    int kintorFamily = kClockNoKintor;
};

class CBrumoOutputPage : public CTabPage {
public:
    CBrumoOutputPage();

    void Load(const BrumoOutputValues& values) { m_values = values; }
    // The clock families the other HD modules run on now, for BLACK 3's question.
    void SetClockFamilies(int ulmeth, int kintor);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    // The signal entries of an output on format `format` (0..2).
    static std::vector<std::string> SignalNames(int format);
    // BLACK 3's list index of a document code, -1 outside the list.
    static int Black3Index(int format);

private:
    void FillSignalList(int output, int select);
    void EnableSignal(int output, bool enable);
    void OnFormatChange(int output);
    void OnBlack3Change();
    void OnSignalChange(int output);

    BrumoOutputValues m_values;
    std::array<int, 3> m_formatIndex{-1, -1, -1};
    std::array<int, 2> m_signalIndex{0, 0};
    int m_previousBlack3 = -1;
};

}  // namespace corvane
