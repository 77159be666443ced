#include "corvane/pages/pirvo/PirvoBarsPage.h"

#include <string>
#include <vector>

#include "corvane/pages/pirvo/PirvoBarsSignals.h"

namespace corvane {

namespace {
constexpr int kFormatCount = 3;
constexpr int kSignalListBytes = 32;
}  // namespace

CPirvoBarsPage::CPirvoBarsPage()
    : CPirvoIdTextPage(PirvoBarsPageTemplate(), kPirvoBarsIdText, kPirvoBarsMessages.idText) {}

void CPirvoBarsPage::Load(const PirvoBarsValues& values) {
    m_values = values;
    LoadIdText(values.idText);
}

platform::BOOL CPirvoBarsPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    m_format = m_values.format;
    m_signal = m_values.signal;
    {
        ReadyOff off(*this);
        SetCurSel(IDC_PIRVO_BARS_FORMAT, m_format >= 0 && m_format < kFormatCount ? m_format : -1);
    }
    FillSignalList();
    InitIdText();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CPirvoBarsPage::FillSignalList() {
    const std::vector<BarsSignal>& list = BarsSignalList(m_format);
    std::vector<std::string> names;
    for (const BarsSignal& entry : list) names.emplace_back(entry.name);
    int index = BarsSignalIndex(m_format, m_signal);
    // The document keeps its code; the page starts over on the list's first entry.
    if (index < 0 && !list.empty()) {
        index = 0;
        m_signal = list.front().code;
    }
    ReadyOff off(*this);
    FillComboList(IDC_PIRVO_BARS_SIGNAL, names, static_cast<int>(names.size()), kSignalListBytes,
                  index);
}

void CPirvoBarsPage::OnFormatChange() {
    const int format = GetCurSel(IDC_PIRVO_BARS_FORMAT);
    if (format < 0 || format >= kFormatCount)
        return;
    m_format = format;
    FillSignalList();
    SendToOutput(kPirvoBarsMessages.format, static_cast<platform::LPARAM>(m_format));
    OnSignalChange();
}

void CPirvoBarsPage::OnSignalChange() {
    const int index = GetCurSel(IDC_PIRVO_BARS_SIGNAL);
    if (index < 0 || index >= GetCount(IDC_PIRVO_BARS_SIGNAL))
        return;
    m_signal = BarsSignalCode(GetLBText(IDC_PIRVO_BARS_SIGNAL, index));
    FillSignalList();
    SendToOutput(kPirvoBarsMessages.signal, static_cast<platform::LPARAM>(m_signal));
}

platform::BOOL CPirvoBarsPage::OnCommand(int id, int code) {
    if (id == IDC_PIRVO_BARS_FORMAT || id == IDC_PIRVO_BARS_SIGNAL) {
        if (IsReady() && code == platform::CBN_SELCHANGE) {
            if (id == IDC_PIRVO_BARS_FORMAT)
                OnFormatChange();
            else
                OnSignalChange();
        }
        return platform::TRUE;
    }
    return CPirvoIdTextPage::OnCommand(id, code);
}

}  // namespace corvane
