#include "corvane/pages/common/AudioComboPage.h"

#include "platform/DataExchange.h"

namespace corvane {

CAudioComboPage::CAudioComboPage(const platform::DialogTemplate& pageTemplate,
                                 const std::array<int, kChannels>& comboIds,
                                 const std::array<int, kChannels - 1>& linkIds,
                                 platform::UINT message)
    : CTabPage(pageTemplate), m_comboIds(comboIds), m_linkIds(linkIds), m_message(message) {
    m_index.fill(-1);
}

platform::BOOL CAudioComboPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    LoadFromDocument();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CAudioComboPage::DoDataExchange(platform::CDataExchange* dx) {
    for (int ch = 0; ch < kChannels; ++ch)
        platform::DDX_CBIndex(dx, ComboId(ch), m_index[static_cast<size_t>(ch)]);
}

platform::BOOL CAudioComboPage::OnCommand(int id, int code) {
    for (int ch = 0; ch < kChannels; ++ch) {
        if (id == ComboId(ch) && code == platform::CBN_SELCHANGE) {
            if (IsReady())
                ChannelChosen(ch);
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

void CAudioComboPage::SendChannel(int channel) {
    const int index = GetCurSel(ComboId(channel));
    m_index[static_cast<size_t>(channel)] = index;
    if (index < 0)
        return;
    const int value = ValueOfEntry(index, GetLBText(ComboId(channel), index));
    SendToView(m_message, static_cast<platform::WPARAM>(channel),
               static_cast<platform::LPARAM>(value));
}

void CAudioComboPage::ChannelChosen(int channel) {
    SendChannel(channel);
    if (channel != 0)
        return;
    const int first = GetCurSel(ComboId(0));
    if (first < 0)
        return;
    for (int ch = 1; ch < kChannels; ++ch) {
        if (IsDlgButtonChecked(LinkId(ch)) == 0)
            continue;
        SetCurSel(ComboId(ch), first);
        SendChannel(ch);
    }
}

void CAudioComboPage::LinkClicked(int channel) {
    if (IsDlgButtonChecked(LinkId(channel)) != 0) {
        const int first = GetCurSel(ComboId(0));
        if (first >= 0) {
            SetCurSel(ComboId(channel), first);
            SendChannel(channel);
        }
        EnableDlgItem(ComboId(channel), false);
    } else {
        EnableDlgItem(ComboId(channel), true);
    }
}

}  // namespace corvane
