#include "corvane/pages/tavix/TavixAmplitudePage.h"

#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixMessages.h"
#include "platform/DataExchange.h"
#include "platform/Numbers.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

namespace {
platform::LPARAM SpinRange(int lower, int upper) {
    return static_cast<platform::LPARAM>((static_cast<unsigned>(upper) & 0xFFFFu) |
                                         ((static_cast<unsigned>(lower) & 0xFFFFu) << 16));
}
}  // namespace

CTavixAmplitudePage::CTavixAmplitudePage() : CTabPage(TavixAmplitudePageTemplate()) {}

int CTavixAmplitudePage::EditId(int channel) {
    return IDC_TAVIX_AMPLITUDE_CH1 + channel;
}
int CTavixAmplitudePage::SpinId(int channel) {
    return IDC_TAVIX_AMPLITUDE_SPIN1 + channel;
}
int CTavixAmplitudePage::LinkId(int channel) {
    return IDC_LINK_CH2 + channel - 1;
}

platform::BOOL CTavixAmplitudePage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    if (auto* doc = dynamic_cast<CTavixDoc*>(ParentDocument()))
        m_amplitude = doc->m_amplitude;
    for (int ch = 0; ch < kChannels; ++ch) {
        const int amplitude = m_amplitude[static_cast<size_t>(ch)];
        SendDlgItemMessage(SpinId(ch), platform::UDM_SETRANGE, 0,
                           SpinRange(CTavixDoc::kMinAmplitude, CTavixDoc::kMaxAmplitude));
        WriteSpin(SpinId(ch), amplitude);
        m_text[static_cast<size_t>(ch)] = platform::Format("%d", amplitude);
        WriteText(EditId(ch), m_text[static_cast<size_t>(ch)]);
    }
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CTavixAmplitudePage::DoDataExchange(platform::CDataExchange* dx) {
    for (int ch = 0; ch < kChannels; ++ch)
        platform::DDX_Text(dx, EditId(ch), m_text[static_cast<size_t>(ch)]);
}

platform::BOOL CTavixAmplitudePage::OnCommand(int id, int code) {
    for (int ch = 0; ch < kChannels; ++ch) {
        if (id == EditId(ch) && code == platform::EN_UPDATE) {
            if (IsReady())
                AmplitudeTyped(ch);
            return platform::TRUE;
        }
        if (id == EditId(ch) && code == platform::EN_CHANGE) {
            if (IsReady()) {
                // The members may hold a value the view put back; they win over the field.
                m_amplitude[static_cast<size_t>(ch)] =
                    platform::StrToInt(m_text[static_cast<size_t>(ch)].c_str());
                WriteControls();
            }
            return platform::TRUE;
        }
        if (ch > 0 && id == LinkId(ch) && code == platform::BN_CLICKED) {
            if (IsReady())
                LinkClicked(ch);
            return platform::TRUE;
        }
    }
    return CTabPage::OnCommand(id, code);
}

void CTavixAmplitudePage::AmplitudeTyped(int channel) {
    UpdateData(platform::TRUE);
    const int value = platform::StrToInt(m_text[static_cast<size_t>(channel)].c_str());
    SendToView(WM_TAVIX_AMPLITUDE, static_cast<platform::WPARAM>(value),
               static_cast<platform::LPARAM>(channel));
    if (channel != 0)
        return;
    // Linked channels follow only a value the document took.
    auto* doc = dynamic_cast<CTavixDoc*>(ParentDocument());
    if (doc == nullptr || doc->m_amplitude[0] != value)
        return;
    for (int ch = 1; ch < kChannels; ++ch)
        if (IsDlgButtonChecked(LinkId(ch)) != 0)
            Follow(ch, value);
}

void CTavixAmplitudePage::Follow(int channel, int amplitude) {
    SendDlgItemMessage(SpinId(channel), platform::UDM_SETPOS, 0,
                       static_cast<platform::LPARAM>(amplitude & 0xFFFF));
}

void CTavixAmplitudePage::LinkClicked(int channel) {
    const bool linked = IsDlgButtonChecked(LinkId(channel)) != 0;
    if (linked)
        Follow(channel, m_amplitude[0]);
    EnableDlgItem(EditId(channel), !linked);
    EnableDlgItem(SpinId(channel), !linked);
}

void CTavixAmplitudePage::RestoreAmplitude(int channel, int amplitude) {
    if (channel < 0 || channel >= kChannels)
        return;
    ReadyOff off(*this);
    m_amplitude[static_cast<size_t>(channel)] = amplitude;
    m_text[static_cast<size_t>(channel)] = platform::Format("%d", amplitude);
    SendDlgItemMessage(SpinId(channel), platform::UDM_SETPOS, 0,
                       static_cast<platform::LPARAM>(amplitude & 0xFFFF));
    SetDlgItemText(EditId(channel), m_text[static_cast<size_t>(channel)]);
    GotoDlgCtrl(EditId(channel));
}

}  // namespace corvane
