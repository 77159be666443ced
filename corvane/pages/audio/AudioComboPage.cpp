#include "corvane/pages/audio/AudioComboPage.h"

#include "platform/DataExchange.h"

namespace corvane {

CAudioComboPage::CAudioComboPage(const AudioComboTable& table)
    : CLinkedChannelsPage(table.pageTemplate(), table.ids), m_table(table) {
    m_index.fill(-1);
}

void CAudioComboPage::DoDataExchange(platform::CDataExchange* dx) {
    for (int ch = 0; ch < kChannels; ++ch)
        platform::DDX_CBIndex(dx, ControlId(ch), m_index[static_cast<size_t>(ch)]);
}

void CAudioComboPage::ChannelNotified(int channel, int code) {
    if (code != platform::CBN_SELCHANGE)
        return;
    SendChannel(channel);
    if (channel == 0)
        FollowLinkedChannels();
}

void CAudioComboPage::WriteChannels() {
    for (int ch = 0; ch < kChannels; ++ch) {
        int& index = m_index[static_cast<size_t>(ch)];
        if (index < 0 || index >= GetCount(ControlId(ch)))
            index = -1;
    }
}

void CAudioComboPage::SendChannel(int channel) {
    const int index = GetCurSel(ControlId(channel));
    m_index[static_cast<size_t>(channel)] = index;
    if (index < 0)
        return;
    SendChannelValue(m_table.message, channel,
                     m_table.valueOfEntry(GetLBText(ControlId(channel), index)));
}

void CAudioComboPage::FollowChannelOne(int channel) {
    const int first = GetCurSel(ControlId(0));
    if (first < 0)
        return;
    SetCurSel(ControlId(channel), first);
    SendChannel(channel);
}

}  // namespace corvane
