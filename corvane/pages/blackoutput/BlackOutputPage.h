// CBlackOutputPage: the black outputs of the analog modules, per output its television format
// and the signal it carries: the Kintor's "Output" tab (four outputs, with an HD sync format)
// and the Pirvo's "Black" tab (two outputs). One class serves both through their table
// (BlackOutputTables.h).
//
// Every accepted choice goes to the view at once. A format change is sent first, then the
// signal the new format's list shows, so the view can take the new format's limits before the
// signal arrives. On the Kintor an HD signal on the other HD clock than the one in use is asked
// first; a No puts the list back, and after a format change also sends the old format again,
// which the view takes as the change being refused.
//
// The signal a refusal goes back to is the one the page last accepted (or opened with), kept
// from the stored value and never from what a list last showed.
#pragma once

#include <array>

#include "corvane/pages/blackoutput/BlackOutputTables.h"
#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CBlackOutputPage : public CTabPage {
public:
    explicit CBlackOutputPage(const BlackOutputTable& table);

    // The values, handed over by the view before the page is created.
    void Load(const BlackOutputValues& values) { m_values = values; }
    // The clocks the other HD modules moved to, relayed while the page is open; the next
    // question follows them.
    void SetClockFamilies(int brumo, int ulmeth) {
        m_values.brumoClockFamily = brumo;
        m_values.ulmethClockFamily = ulmeth;
    }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    const BlackOutputValues& Values() const { return m_values; }

private:
    // The output's signal list for its format, with the stored code's entry selected; a code
    // the list lacks selects the first entry and is stored as 0 without being sent. 0 when the
    // list had no room (the box has been shown).
    int FillSignals(int output);
    void FormatChosen(int output);
    // The signal selected on `output`, asked about when it changes the HD clock and sent when
    // accepted. False when the operator refused it; the list then shows the last accepted one.
    bool SignalChosen(int output);
    int OutputOfControl(int id, const std::array<int, 4>& ids) const;

    const BlackOutputTable& m_table;
    BlackOutputValues m_values;
    // Per output the place of the accepted signal in its list, -1 for none.
    std::array<int, 4> m_signalIndex{-1, -1, -1, -1};
};

}  // namespace corvane
