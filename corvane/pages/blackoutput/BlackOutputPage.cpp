#include "corvane/pages/blackoutput/BlackOutputPage.h"

#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "resources/corvane/BlackOutputPageForms.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace {
// Room a signal list reserves before it is filled.
constexpr int kReserveItems = 12;
constexpr int kReserveBytes = 32;
}  // namespace

CBlackOutputPage::CBlackOutputPage(const BlackOutputTable& table)
    : CTabPage(table.pageTemplate()), m_table(table) {
    RegisterVideoPageStrings();
}

platform::BOOL CBlackOutputPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    for (int output = 0; output < m_table.outputs; ++output) {
        const size_t i = static_cast<size_t>(output);
        const int format = m_values.format[i];
        // A format the list does not hold (a Pirvo output on another standard) shows none.
        SetCurSel(kBlackFormatIds[i],
                  format >= 0 && format < GetCount(kBlackFormatIds[i]) ? format : -1);
        if (!FillSignals(output))
            break;
    }
    m_ready = 1;
    return platform::TRUE;
}

int CBlackOutputPage::FillSignals(int output) {
    const size_t i = static_cast<size_t>(output);
    const auto list = m_table.signalList(output, m_values.format[i], m_values.output3Config != 0);
    std::vector<std::string> names;
    for (const BlackSignal& entry : list) names.emplace_back(entry.name);
    int index = BlackSignalIndex(list, m_values.signal[i]);
    if (index < 0 && !list.empty()) {
        index = 0;
        m_values.signal[i] = 0;
    }
    ReadyOff off(*this);
    const int filled =
        FillComboList(kBlackSignalIds[i], names, kReserveItems, kReserveBytes, index);
    m_signalIndex[i] = filled ? index : -1;
    return filled;
}

int CBlackOutputPage::OutputOfControl(int id, const std::array<int, 4>& ids) const {
    for (int output = 0; output < m_table.outputs; ++output)
        if (ids[static_cast<size_t>(output)] == id)
            return output;
    return -1;
}

platform::BOOL CBlackOutputPage::OnCommand(int id, int code) {
    const int formatOutput = OutputOfControl(id, kBlackFormatIds);
    const int signalOutput = OutputOfControl(id, kBlackSignalIds);
    if (formatOutput < 0 && signalOutput < 0)
        return CTabPage::OnCommand(id, code);
    if (code == platform::CBN_SELCHANGE && IsReady()) {
        if (formatOutput >= 0)
            FormatChosen(formatOutput);
        else
            SignalChosen(signalOutput);
    }
    return platform::TRUE;
}

void CBlackOutputPage::FormatChosen(int output) {
    const size_t i = static_cast<size_t>(output);
    const int format = GetCurSel(kBlackFormatIds[i]);
    if (format < 0 || format == m_values.format[i])
        return;
    const int oldFormat = m_values.format[i];
    const int oldSignal = m_values.signal[i];
    m_values.format[i] = format;
    SendToView(m_table.messages.format, i, format);
    if (!FillSignals(output) || SignalChosen(output))
        return;
    // Refused: the old format goes back to the view, which puts back what the new one changed.
    m_values.format[i] = oldFormat;
    m_values.signal[i] = oldSignal;
    SendToView(m_table.messages.format, i, oldFormat);
    ReadyOff off(*this);
    SetCurSel(kBlackFormatIds[i], oldFormat);
    FillSignals(output);
}

bool CBlackOutputPage::SignalChosen(int output) {
    const size_t i = static_cast<size_t>(output);
    const int signalId = kBlackSignalIds[i];
    const int index = GetCurSel(signalId);
    if (index < 0)
        return true;  // an empty list: nothing to send
    const int code = BlackSignalCode(m_table, GetLBText(signalId, index));
    if (m_table.hdSync && m_values.format[i] == kBlackFormatHdSync) {
        // The other outputs run on the clock of the entry they show. A code their list lacked
        // at opening is kept as 0 while the list shows its first entry, which the instrument
        // is then asked about.
        BlackOutputValues shown = m_values;
        for (int other = 0; other < m_table.outputs; ++other) {
            const int otherId = kBlackSignalIds[static_cast<size_t>(other)];
            const int at = GetCurSel(otherId);
            if (other != output && at >= 0)
                shown.signal[static_cast<size_t>(other)] =
                    BlackSignalCode(m_table, GetLBText(otherId, at));
        }
        const int question = BlackHdClockQuestion(shown, output, code);
        if (question != 0 &&
            platform::AfxMessageBox(platform::LoadString(question),
                                    platform::MB_YESNO | platform::MB_ICONEXCLAMATION) !=
                platform::IDYES) {
            ReadyOff off(*this);
            SetCurSel(signalId, m_signalIndex[i]);
            return false;
        }
    }
    m_values.signal[i] = code;
    m_signalIndex[i] = index;
    SendToView(m_table.messages.signal, i, code);
    return true;
}

}  // namespace corvane
