// CAudioComboPage: an eight-channel page with one drop-down list per channel and a link to
// channel 1 for channels 2..8 (CLinkedChannelsPage).
//
// A model gives the page its table: the template, the lists' and the link boxes' ids, the
// message and how an entry's text becomes the value sent. A choice on a channel is sent to the
// view as (channel, value) in the message's order. Linking copies channel 1's entry to the
// channel; while channel 1 shows no entry there is nothing to copy, and nothing is sent.
#pragma once

#include <array>
#include <string>

#include "corvane/pages/audio/LinkedChannelsPage.h"
#include "corvane/pages/common/ChannelMessage.h"

namespace corvane {

struct AudioComboTable {
    const platform::DialogTemplate& (*pageTemplate)();
    CLinkedChannelsPage::ChannelIds ids;  // lists, no spins, link boxes
    ChannelMessage message;
    // The value sent for an entry, from its text.
    int (*valueOfEntry)(const std::string& text);
};

class CAudioComboPage : public CLinkedChannelsPage {
public:
    explicit CAudioComboPage(const AudioComboTable& table);

    // The entry each channel shows, handed over by the view before the page is created; an
    // entry the list lacks shows none.
    void LoadIndexes(const std::array<int, kChannels>& indexes) { m_index = indexes; }

    void DoDataExchange(platform::CDataExchange* dx) override;

protected:
    void WriteChannels() override;
    // A choice on a channel is sent; one on channel 1 is then followed by the linked channels.
    void ChannelNotified(int channel, int code) override;
    void FollowChannelOne(int channel) override;

private:
    void SendChannel(int channel);

    const AudioComboTable& m_table;
    // The selected entry of each channel's list; -1 for none.
    std::array<int, kChannels> m_index;
};

}  // namespace corvane
