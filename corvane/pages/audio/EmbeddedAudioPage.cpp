#include "corvane/pages/audio/EmbeddedAudioPage.h"

#include "corvane/pages/audio/AudioEntryText.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/corvane/EmbeddedAudioPageForms.h"

namespace corvane {

namespace {

const char* const kAmplitudeMessage = "Amplitude must be within\n%d to %d [dBFS].";

constexpr int kBits20 = 20;
constexpr int kBits24 = 24;

// What is enabled exactly while the shown group is enabled.
constexpr int kGroupControls[] = {
    IDC_AUDIO_EMPHASIS,       IDC_AUDIO_SAMPLING,         IDC_AUDIO_EMPHASIS_LABEL,
    IDC_AUDIO_SAMPLING_LABEL, IDC_AUDIO_RESOLUTION_LABEL, IDC_AUDIO_BITS20,
    IDC_AUDIO_BITS24};
constexpr int kChannelControls[] = {
    IDC_AUDIO_AMPLITUDE,      IDC_AUDIO_AMPLITUDE_SPIN,  IDC_AUDIO_FREQUENCY,
    IDC_AUDIO_CLICK,          IDC_AUDIO_CHANNEL_FRAME,   IDC_AUDIO_CHANNEL1,
    IDC_AUDIO_LINK,           IDC_AUDIO_FREQUENCY_LABEL, IDC_AUDIO_AMPLITUDE_LABEL,
    IDC_AUDIO_AMPLITUDE_UNIT, IDC_AUDIO_CLICK_LABEL};

}  // namespace

const EmbeddedAudioTable& SormetAudioTable() {
    static const EmbeddedAudioTable table{EmbeddedAudioPageTemplate(VideoModel::Sormet),
                                          kSormetAudio};
    return table;
}

const EmbeddedAudioTable& SormetBlackAudioTable() {
    static const EmbeddedAudioTable table{EmbeddedAudioPageTemplate(VideoModel::Sormet),
                                          kSormetBlackAudio};
    return table;
}

const EmbeddedAudioTable& UlmethAudioTable() {
    static const EmbeddedAudioTable table{EmbeddedAudioPageTemplate(VideoModel::Ulmeth),
                                          kUlmethAudio};
    return table;
}

const EmbeddedAudioTable& UlmethBlackAudioTable() {
    static const EmbeddedAudioTable table{EmbeddedAudioPageTemplate(VideoModel::Ulmeth),
                                          kUlmethBlackAudio};
    return table;
}

CEmbeddedAudioPage::CEmbeddedAudioPage(const EmbeddedAudioTable& table)
    : CTabPage(table.pageTemplate), m_table(table) {
    if (m_table.messages.formatChanged != 0)
        OnMessage(m_table.messages.formatChanged, [this](platform::WPARAM w, platform::LPARAM) {
            return FormatChanged(static_cast<int>(static_cast<platform::LPARAM>(w)));
        });
}

platform::BOOL CEmbeddedAudioPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    m_wideFormat = m_table.messages.formatChanged == 0 || m_values.format != 0;
    m_group = 0;
    m_channel = 0;
    m_linked.fill(false);
    SetSpinRange(IDC_AUDIO_AMPLITUDE_SPIN, kLowestAmplitude, kHighestAmplitude);
    ShowGroup();
    m_ready = 1;
    return platform::TRUE;
}

bool CEmbeddedAudioPage::GroupEnabled() const {
    return m_values.groups[static_cast<size_t>(m_group)].state == 1;
}

bool CEmbeddedAudioPage::Leading() const {
    return m_channel == 0 && m_linked[static_cast<size_t>(m_group)];
}

void CEmbeddedAudioPage::SelectEntry(int comboId, int index) {
    SetCurSel(comboId, index >= 0 && index < GetCount(comboId) ? index : -1);
}

void CEmbeddedAudioPage::ShowGroup() {
    ReadyOff off(*this);
    const AudioGroupSettings& group = Group();
    const bool enabled = GroupEnabled();
    CheckRadioButton(IDC_AUDIO_GROUP1, IDC_AUDIO_GROUP1 + kAudioGroups - 1,
                     IDC_AUDIO_GROUP1 + m_group);
    CheckRadioButton(IDC_AUDIO_ENABLE, IDC_AUDIO_DISABLE,
                     enabled ? IDC_AUDIO_ENABLE : IDC_AUDIO_DISABLE);
    SelectEntry(IDC_AUDIO_EMPHASIS, group.preEmphasis);
    SelectEntry(IDC_AUDIO_SAMPLING, group.sampling);
    CheckRadioButton(IDC_AUDIO_BITS20, IDC_AUDIO_BITS24,
                     group.bits == kBits20 ? IDC_AUDIO_BITS20 : IDC_AUDIO_BITS24);
    for (int id : kGroupControls) EnableDlgItem(id, enabled);
    ShowChannel();
    for (int g = 1; g < kAudioGroups; ++g) EnableDlgItem(IDC_AUDIO_GROUP1 + g, m_wideFormat);
}

void CEmbeddedAudioPage::ShowChannel() {
    ReadyOff off(*this);
    const bool enabled = GroupEnabled();
    const bool linked = m_linked[static_cast<size_t>(m_group)];
    if (linked)
        m_channel = 0;
    CheckDlgButton(IDC_AUDIO_LINK, linked ? 1 : 0);
    for (int c = 1; c < kAudioChannelsPerGroup; ++c)
        EnableDlgItem(IDC_AUDIO_CHANNEL1 + c, !linked && enabled);
    CheckRadioButton(IDC_AUDIO_CHANNEL1, IDC_AUDIO_CHANNEL1 + kAudioChannelsPerGroup - 1,
                     IDC_AUDIO_CHANNEL1 + m_channel);
    const AudioChannelSettings& channel = Channel(m_channel);
    SetDlgItemText(IDC_AUDIO_AMPLITUDE, platform::Format("%d", channel.amplitude));
    WriteSpin(IDC_AUDIO_AMPLITUDE_SPIN, channel.amplitude);
    SelectEntry(IDC_AUDIO_FREQUENCY, channel.frequency);
    SelectEntry(IDC_AUDIO_CLICK, channel.click);
    for (int id : kChannelControls) EnableDlgItem(id, enabled);
}

platform::BOOL CEmbeddedAudioPage::OnCommand(int id, int code) {
    const bool ready = IsReady();
    const bool clicked = ready && code == platform::BN_CLICKED;
    const bool chosen = ready && code == platform::CBN_SELCHANGE;
    if (id >= IDC_AUDIO_GROUP1 && id < IDC_AUDIO_GROUP1 + kAudioGroups) {
        if (clicked) {
            m_group = id - IDC_AUDIO_GROUP1;
            ShowGroup();
        }
    } else if (id >= IDC_AUDIO_CHANNEL1 && id < IDC_AUDIO_CHANNEL1 + kAudioChannelsPerGroup) {
        if (clicked) {
            m_channel = id - IDC_AUDIO_CHANNEL1;
            ShowChannel();
        }
    } else if (id == IDC_AUDIO_ENABLE || id == IDC_AUDIO_DISABLE || id == IDC_AUDIO_BITS20 ||
               id == IDC_AUDIO_BITS24) {
        if (clicked)
            GroupLevelChanged(id);
    } else if (id == IDC_AUDIO_EMPHASIS || id == IDC_AUDIO_SAMPLING) {
        if (chosen)
            GroupLevelChanged(id);
    } else if (id == IDC_AUDIO_FREQUENCY) {
        if (chosen)
            FrequencyChosen();
    } else if (id == IDC_AUDIO_CLICK) {
        if (chosen)
            ClickChosen();
    } else if (id == IDC_AUDIO_AMPLITUDE) {
        if (code == platform::EN_UPDATE && ready)
            AmplitudeUpdated();
        else if (code == platform::EN_KILLFOCUS)
            RewriteAmplitude();
    } else if (id == IDC_AUDIO_LINK) {
        if (clicked)
            LinkClicked();
    } else {
        return CTabPage::OnCommand(id, code);
    }
    return platform::TRUE;
}

void CEmbeddedAudioPage::GroupLevelChanged(int id) {
    AudioGroupSettings& group = Group();
    const EmbeddedAudioMessages& m = m_table.messages;
    switch (id) {
        case IDC_AUDIO_ENABLE:
        case IDC_AUDIO_DISABLE:
            group.state = id == IDC_AUDIO_ENABLE ? 1 : 0;
            SendToView(m.groupState, m_group, group.state);
            break;
        case IDC_AUDIO_EMPHASIS:
            group.preEmphasis = GetCurSel(id);
            SendToView(m.emphasis, m_group, group.preEmphasis);
            break;
        case IDC_AUDIO_SAMPLING:
            group.sampling = GetCurSel(id);
            SendToView(m.sampling, m_group, group.sampling);
            break;
        default:
            group.bits = id == IDC_AUDIO_BITS20 ? kBits20 : kBits24;
            SendToView(m.bits, m_group, group.bits);
            break;
    }
    ShowGroup();
}

void CEmbeddedAudioPage::SendFrequency(int channel) {
    const int index = Channel(channel).frequency;
    SendToView(m_table.messages.frequency, ChannelIndex(channel),
               HertzOfEntryText(GetLBText(IDC_AUDIO_FREQUENCY, index)));
}

void CEmbeddedAudioPage::SendClick(int channel) {
    const int index = Channel(channel).click;
    SendToView(m_table.messages.click, ChannelIndex(channel),
               SecondsOfEntryText(GetLBText(IDC_AUDIO_CLICK, index)));
}

void CEmbeddedAudioPage::SendAmplitude(int channel) {
    SendToView(m_table.messages.amplitude, ChannelIndex(channel), Channel(channel).amplitude);
}

void CEmbeddedAudioPage::FrequencyChosen() {
    const int index = GetCurSel(IDC_AUDIO_FREQUENCY);
    if (index < 0)
        return;
    Channel(m_channel).frequency = index;
    SendFrequency(m_channel);
    if (!Leading())
        return;
    for (int c = 1; c < kAudioChannelsPerGroup; ++c) {
        Channel(c).frequency = index;
        SendFrequency(c);
    }
}

void CEmbeddedAudioPage::ClickChosen() {
    const int index = GetCurSel(IDC_AUDIO_CLICK);
    if (index < 0)
        return;
    Channel(m_channel).click = SecondsOfEntryText(GetLBText(IDC_AUDIO_CLICK, index));
    SendClick(m_channel);
    if (!Leading())
        return;
    for (int c = 1; c < kAudioChannelsPerGroup; ++c) {
        Channel(c).click = Channel(0).click;
        SendClick(c);
    }
}

void CEmbeddedAudioPage::AmplitudeUpdated() {
    const double typed = platform::StrToDouble(GetDlgItemText(IDC_AUDIO_AMPLITUDE).c_str());
    double snapped = 0.0;
    if (SnapToStep(typed, 1.0, snapped) && snapped >= kLowestAmplitude &&
        snapped <= kHighestAmplitude) {
        AcceptAmplitude(static_cast<int>(snapped), true);
        return;
    }
    platform::AfxMessageBox(
        platform::Format(kAmplitudeMessage, kLowestAmplitude, kHighestAmplitude),
        platform::MB_OK | platform::MB_ICONEXCLAMATION);
    RewriteAmplitude();
}

void CEmbeddedAudioPage::AcceptAmplitude(int amplitude, bool moveSpin) {
    Channel(m_channel).amplitude = amplitude;
    SendAmplitude(m_channel);
    if (Leading())
        for (int c = 1; c < kAudioChannelsPerGroup; ++c) {
            Channel(c).amplitude = amplitude;
            SendAmplitude(c);
        }
    if (moveSpin)
        WriteSpin(IDC_AUDIO_AMPLITUDE_SPIN, amplitude);
}

void CEmbeddedAudioPage::RewriteAmplitude() {
    const int amplitude = Channel(m_channel).amplitude;
    WriteText(IDC_AUDIO_AMPLITUDE, platform::Format("%d", amplitude));
    WriteSpin(IDC_AUDIO_AMPLITUDE_SPIN, amplitude);
}

void CEmbeddedAudioPage::OnVScroll(int code, int pos, int id) {
    if (id != IDC_AUDIO_AMPLITUDE_SPIN || code == platform::SB_ENDSCROLL || !IsReady())
        return;
    WriteText(IDC_AUDIO_AMPLITUDE, platform::Format("%d", pos));
    AcceptAmplitude(pos, false);
}

void CEmbeddedAudioPage::LinkClicked() {
    const bool linked = IsDlgButtonChecked(IDC_AUDIO_LINK) != 0;
    m_linked[static_cast<size_t>(m_group)] = linked;
    if (linked) {
        // Only what channel 1 shows is passed on; a value the lists lack stays where it is.
        const AudioChannelSettings first = Channel(0);
        const bool frequencyShown =
            first.frequency >= 0 && first.frequency < GetCount(IDC_AUDIO_FREQUENCY);
        const bool clickShown = first.click >= 0 && first.click < GetCount(IDC_AUDIO_CLICK);
        for (int c = 1; c < kAudioChannelsPerGroup; ++c) {
            AudioChannelSettings& channel = Channel(c);
            if (frequencyShown) {
                channel.frequency = first.frequency;
                SendFrequency(c);
            }
            if (clickShown) {
                channel.click = first.click;
                SendClick(c);
            }
            channel.amplitude = first.amplitude;
            SendAmplitude(c);
        }
        m_channel = 0;
    }
    ShowChannel();
}

platform::LRESULT CEmbeddedAudioPage::FormatChanged(int format) {
    const bool wide = format != 0;
    if (wide == m_wideFormat)
        return 0;
    m_wideFormat = wide;
    for (int g = 1; g < kAudioGroups; ++g) {
        m_values.groups[static_cast<size_t>(g)].state = 0;
        SendToView(m_table.messages.groupState, g, 0);
    }
    m_group = 0;
    if (IsWindow())
        ShowGroup();
    return 0;
}

}  // namespace corvane
