#include "corvane/pages/tavix/TavixAmplitudePage.h"

#include "corvane/modules/tavix/TavixMessages.h"
#include "corvane/pages/tavix/TavixAudioTables.h"
#include "platform/DataExchange.h"
#include "platform/Numbers.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

CTavixAmplitudePage::CTavixAmplitudePage()
    : CLinkedChannelsPage(TavixAmplitudePageTemplate(), TavixAmplitudeIds()) {}

void CTavixAmplitudePage::LoadAmplitudes(const std::array<int, kChannels>& amplitudes, int lowest,
                                         int highest) {
    m_amplitude = amplitudes;
    m_lowest = lowest;
    m_highest = highest;
}

void CTavixAmplitudePage::WriteChannels() {
    for (int ch = 0; ch < kChannels; ++ch) {
        const int amplitude = m_amplitude[static_cast<size_t>(ch)];
        SetSpinRange(SpinId(ch), m_lowest, m_highest);
        WriteSpin(SpinId(ch), amplitude);
        m_text[static_cast<size_t>(ch)] = platform::Format("%d", amplitude);
        WriteText(ControlId(ch), m_text[static_cast<size_t>(ch)]);
    }
}

void CTavixAmplitudePage::DoDataExchange(platform::CDataExchange* dx) {
    for (int ch = 0; ch < kChannels; ++ch)
        platform::DDX_Text(dx, ControlId(ch), m_text[static_cast<size_t>(ch)]);
}

void CTavixAmplitudePage::ChannelNotified(int channel, int code) {
    const size_t ch = static_cast<size_t>(channel);
    if (code == platform::EN_CHANGE) {
        m_amplitude[ch] = platform::StrToInt(m_text[ch].c_str());
        WriteControls();
        return;
    }
    if (code != platform::EN_UPDATE)
        return;
    UpdateData(platform::TRUE);
    const int value = platform::StrToInt(m_text[ch].c_str());
    m_amplitude[ch] = value;
    SendChannelValue(kTavixAmplitudeMessage, channel, value);
    // A value the document refused has been put back by now; linked channels follow only a
    // value it took.
    if (channel == 0 && m_amplitude[0] == value)
        FollowLinkedChannels();
}

void CTavixAmplitudePage::FollowChannelOne(int channel) {
    SendDlgItemMessage(SpinId(channel), platform::UDM_SETPOS, 0,
                       static_cast<platform::LPARAM>(m_amplitude[0] & 0xFFFF));
}

void CTavixAmplitudePage::RestoreAmplitude(int channel, int amplitude) {
    if (channel < 0 || channel >= kChannels)
        return;
    ReadyOff off(*this);
    m_amplitude[static_cast<size_t>(channel)] = amplitude;
    m_text[static_cast<size_t>(channel)] = platform::Format("%d", amplitude);
    WriteSpin(SpinId(channel), amplitude);
    WriteText(ControlId(channel), m_text[static_cast<size_t>(channel)]);
    GotoDlgCtrl(ControlId(channel));
}

}  // namespace corvane
