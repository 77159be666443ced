#include "corvane/pages/audio/LinkedChannelsPage.h"

namespace corvane {

CLinkedChannelsPage::CLinkedChannelsPage(const platform::DialogTemplate& pageTemplate,
                                         const ChannelIds& ids)
    : CTabPage(pageTemplate), m_ids(ids) {}

platform::BOOL CLinkedChannelsPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    WriteChannels();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

platform::BOOL CLinkedChannelsPage::OnCommand(int id, int code) {
    for (int ch = 0; ch < kChannels; ++ch) {
        const bool link = ch > 0 && id == LinkId(ch) && code == platform::BN_CLICKED;
        if (!link && id != ControlId(ch))
            continue;
        if (IsReady()) {
            if (link)
                LinkClicked(ch);
            else
                ChannelNotified(ch, code);
        }
        return platform::TRUE;
    }
    return CTabPage::OnCommand(id, code);
}

void CLinkedChannelsPage::FollowLinkedChannels() {
    for (int ch = 1; ch < kChannels; ++ch)
        if (IsDlgButtonChecked(LinkId(ch)) != 0)
            FollowChannelOne(ch);
}

void CLinkedChannelsPage::LinkClicked(int channel) {
    const bool linked = IsDlgButtonChecked(LinkId(channel)) != 0;
    if (linked)
        FollowChannelOne(channel);
    EnableDlgItem(ControlId(channel), !linked);
    if (SpinId(channel) != 0)
        EnableDlgItem(SpinId(channel), !linked);
}

}  // namespace corvane
