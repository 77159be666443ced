// CSerialBlackPage: the "Black" tab of the serial video modules: output 2's format, its black
// or flat-field signal, its vertical and horizontal delay and, on the Sormet, its EDH and
// resolution. One class serves both models through their table (SerialBlackTables.h).
//
// Every accepted change goes to the view at once. A change of format that does not fit the
// clock the other outputs run on is asked first; a refusal puts the list back and sends
// nothing. The new format's limits then apply at once: lines and a delay outside them are
// set to the nearest limit and sent, during creation and a reload too, so that the document
// never holds a timing its black format cannot take.
//
// The delay is kept in seconds and shown in microseconds; typed values snap to the format's
// sample clock and the spin counts those steps. Everything the page writes into its own
// controls (creation, a reload, a refused value put back, the rewrite when a field loses the
// focus) happens with the ready flag at 0 and so sends nothing.
#pragma once

#include <string>

#include "corvane/pages/black/SerialBlackTables.h"
#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CSerialBlackPage : public CTabPage {
public:
    explicit CSerialBlackPage(const SerialBlackTable& table);

    // The values, handed over by the view before the page is created.
    void Load(const SerialBlackValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

    const SerialBlackValues& Values() const { return m_values; }
    const BlackTimingLimits& Limits() const { return m_limits; }

private:
    void FormatChosen();
    void SignalChosen();
    // Takes the format's limits, sends lines and a delay it does not allow as its nearest
    // limit, and sets both spins.
    void SetFormatLimits();
    void ShowLists();
    void LinesUpdated();
    void DelayUpdated();
    void DelaySpun(int position);
    void RewriteDelay();
    // 1203 / 1263: the live timing after an Apply.
    platform::LRESULT ReloadTiming();
    void SendDelay();
    StepField DelayField() const;
    int DelaySteps(double seconds) const;

    const SerialBlackTable& m_table;
    SerialBlackValues m_values;
    BlackTimingLimits m_limits;
    std::string m_linesText;
    std::string m_delayText;
    int m_edhRadio = 0;   // 0 "On", 1 "Off"
    int m_bitsRadio = 0;  // 0 "8 bits", 1 "10 bits"
};

}  // namespace corvane
