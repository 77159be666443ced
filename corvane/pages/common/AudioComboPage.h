// CAudioComboPage: an eight-channel page with one drop-down list per channel and a
// "Link to Ch1" box for channels 2..8 (the audio frequency and click pages).
//
// A choice on a channel is sent to the view as (message, channel, value). A linked channel
// follows channel 1: linking copies channel 1's entry to it, sends it and greys its list;
// a choice on channel 1 is sent for channel 1 and then for each linked channel in ascending
// order. While channel 1 shows no entry there is nothing to copy, and nothing is sent for the
// linked channels. The link boxes are the page's own state, unchecked at every creation.
#pragma once

#include <array>
#include <string>

#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CAudioComboPage : public CTabPage {
public:
    static constexpr int kChannels = 8;

    CAudioComboPage(const platform::DialogTemplate& pageTemplate,
                    const std::array<int, kChannels>& comboIds,
                    const std::array<int, kChannels - 1>& linkIds, platform::UINT message);

    platform::BOOL OnInitDialog() override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    platform::BOOL OnCommand(int id, int code) override;

    int ComboId(int channel) const { return m_comboIds[static_cast<size_t>(channel)]; }
    int LinkId(int channel) const { return m_linkIds[static_cast<size_t>(channel - 1)]; }

    // The selected entry of each channel's list; -1 for none.
    std::array<int, kChannels> m_index;

protected:
    // Copies the document's eight values into m_index.
    virtual void LoadFromDocument() = 0;
    // The value sent for entry `index`, whose text is `text`.
    virtual int ValueOfEntry(int index, const std::string& text) const = 0;

private:
    void SendChannel(int channel);
    void ChannelChosen(int channel);
    void LinkClicked(int channel);

    std::array<int, kChannels> m_comboIds;
    std::array<int, kChannels - 1> m_linkIds;
    platform::UINT m_message;
};

}  // namespace corvane
