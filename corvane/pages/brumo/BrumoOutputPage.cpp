#include "corvane/pages/brumo/BrumoOutputPage.h"

#include "corvane/modules/brumo/BrumoMessages.h"
#include "corvane/modules/video/VideoFormats.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "resources/corvane/BrumoForms.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

namespace {

constexpr int kFormatIds[] = {IDC_BRUMO_FORMAT1, IDC_BRUMO_FORMAT2, IDC_BRUMO_FORMAT3};
constexpr int kSignalIds[] = {IDC_BRUMO_SIGNAL1, IDC_BRUMO_SIGNAL2};
constexpr int kSignalLabelIds[] = {IDC_BRUMO_SIGNAL1_LABEL, IDC_BRUMO_SIGNAL2_LABEL};
// BLACK 1 lists three formats, BLACK 2 also the HD sync; BLACK 3's list starts at code 4.
constexpr int kFormatCount[] = {3, 4};
constexpr int kHdSync = 3;
constexpr int kBlack3First = 4;
constexpr int kBlack3Last = 17;
constexpr int kSignalEntries = 2;
constexpr int kSignalEntryBytes = 64;

}  // namespace

CBrumoOutputPage::CBrumoOutputPage() : CTabPage(BrumoOutputPageTemplate()) {
    RegisterVideoPageStrings();
}

void CBrumoOutputPage::SetClockFamilies(int ulmeth, int kintor) {
    m_values.ulmethFamily = ulmeth;
    m_values.kintorFamily = kintor;
}

std::vector<std::string> CBrumoOutputPage::SignalNames(int format) {
    const VideoFormat* row = FindFormatByCode(videoformat::kBrumoOutput, format);
    const std::string name = row != nullptr ? std::string(row->name) : std::string();
    if (name.find("NTSC") == std::string::npos && name.find("PAL") != std::string::npos)
        return {"Black Burst", "Black Burst with No Field REF"};
    return {"Black Burst", "Black Burst with Field REF"};
}

int CBrumoOutputPage::Black3Index(int format) {
    return format >= kBlack3First && format <= kBlack3Last ? format - kBlack3First : -1;
}

platform::BOOL CBrumoOutputPage::OnInitDialog() {
    m_ready = 0;
    CTabPage::OnInitDialog();
    for (int output = 0; output < 2; ++output) {
        const int format = m_values.formats[static_cast<size_t>(output)];
        const bool known = format >= 0 && format < kFormatCount[output];
        m_formatIndex[static_cast<size_t>(output)] = known ? format : -1;
        SetCurSel(kFormatIds[output], known ? format : -1);
        // A signal read as "BB_NO_FREF" (2) is the second entry as much as "BB_FREF" (1).
        m_signalIndex[static_cast<size_t>(output)] =
            m_values.outputSignals[static_cast<size_t>(output)] != 0 ? 1 : 0;
        const bool hdSync = format == kHdSync;
        FillSignalList(output, m_signalIndex[static_cast<size_t>(output)]);
        EnableSignal(output, !hdSync);
    }
    m_formatIndex[2] = Black3Index(m_values.formats[2]);
    m_previousBlack3 = m_formatIndex[2];
    SetCurSel(IDC_BRUMO_FORMAT3, m_formatIndex[2]);
    m_ready = 1;
    return platform::TRUE;
}

void CBrumoOutputPage::FillSignalList(int output, int select) {
    ReadyOff off(*this);
    const int format = m_formatIndex[static_cast<size_t>(output)];
    FillComboList(kSignalIds[output], SignalNames(format < 0 ? 0 : format), kSignalEntries,
                  kSignalEntryBytes, select);
}

void CBrumoOutputPage::EnableSignal(int output, bool enable) {
    EnableDlgItem(kSignalIds[output], enable);
    EnableDlgItem(kSignalLabelIds[output], enable);
}

void CBrumoOutputPage::OnFormatChange(int output) {
    const int index = GetCurSel(kFormatIds[output]);
    if (index < 0 || index >= kFormatCount[output])
        return;
    const size_t o = static_cast<size_t>(output);
    m_formatIndex[o] = index;
    SendToView(WM_BRUMO_OUTPUT_FORMAT, static_cast<platform::WPARAM>(output),
               static_cast<platform::LPARAM>(index));
    if (index == kHdSync) {
        EnableSignal(output, false);
        return;
    }
    // The entry chosen stays chosen while the list was in use; a list coming back from HD
    // sync starts on plain black burst.
    if (!IsDlgItemEnabled(kSignalIds[output]))
        m_signalIndex[o] = 0;
    FillSignalList(output, m_signalIndex[o]);
    EnableSignal(output, true);
    SendToView(WM_BRUMO_OUTPUT_SIGNAL, static_cast<platform::WPARAM>(output),
               static_cast<platform::LPARAM>(m_signalIndex[o]));
}

void CBrumoOutputPage::OnBlack3Change() {
    const int index = GetCurSel(IDC_BRUMO_FORMAT3);
    const int format = index + kBlack3First;
    if (index < 0 || format > kBlack3Last)
        return;
    if (index != 0) {
        const VideoFormat* row = FindFormatByCode(videoformat::kBrumoOutput, format);
        const int family = row != nullptr ? row->family : kClockNoHd;
        // A Kintor already on both clocks conflicts with any HD format.
        const int question =
            HdClockQuestion(family, {m_values.ulmethFamily, m_values.kintorFamily}, true);
        if (question != 0 &&
            platform::AfxMessageBox(platform::LoadString(question),
                                    platform::MB_YESNO | platform::MB_ICONEXCLAMATION) !=
                platform::IDYES) {
            ReadyOff off(*this);
            SetCurSel(IDC_BRUMO_FORMAT3, m_previousBlack3);
            return;
        }
    }
    m_formatIndex[2] = index;
    m_previousBlack3 = index;
    SendToView(WM_BRUMO_OUTPUT_FORMAT, 2, static_cast<platform::LPARAM>(format));
}

void CBrumoOutputPage::OnSignalChange(int output) {
    const int index = GetCurSel(kSignalIds[output]);
    if (index < 0)
        return;
    m_signalIndex[static_cast<size_t>(output)] = index;
    SendToView(WM_BRUMO_OUTPUT_SIGNAL, static_cast<platform::WPARAM>(output),
               static_cast<platform::LPARAM>(index));
}

platform::BOOL CBrumoOutputPage::OnCommand(int id, int code) {
    if (code != platform::CBN_SELCHANGE)
        return CTabPage::OnCommand(id, code);
    if (!IsReady())
        return platform::TRUE;
    if (id == IDC_BRUMO_FORMAT1 || id == IDC_BRUMO_FORMAT2)
        OnFormatChange(id == IDC_BRUMO_FORMAT1 ? 0 : 1);
    else if (id == IDC_BRUMO_FORMAT3)
        OnBlack3Change();
    else if (id == IDC_BRUMO_SIGNAL1 || id == IDC_BRUMO_SIGNAL2)
        OnSignalChange(id == IDC_BRUMO_SIGNAL1 ? 0 : 1);
    else
        return CTabPage::OnCommand(id, code);
    return platform::TRUE;
}

}  // namespace corvane
