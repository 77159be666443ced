// CLinkedChannelsPage: the base of the eight-channel audio pages: one control per channel
// (a list, or a field with its spin) and a "Link to Ch1" box for each of the channels 2..8.
//
// A linked channel follows channel 1: linking copies channel 1's value to it, which sends it
// for that channel, and greys the channel's own controls; unlinking gives them back and sends
// nothing. Once a change of channel 1 has gone to the view, every linked channel follows it in
// ascending order. The boxes are the page's own state, unchecked at every creation.
//
// The page's values are handed over by the view before the page is created; creation writes
// them to the controls with the ready flag at 0, so that opening the page sends nothing.
#pragma once

#include <array>

#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CLinkedChannelsPage : public CTabPage {
public:
    static constexpr int kChannels = 8;

    struct ChannelIds {
        std::array<int, kChannels> controls;   // the list or field of each channel
        std::array<int, kChannels> spins;      // the field's spin; 0 for none
        std::array<int, kChannels - 1> links;  // the boxes of channels 2..8
    };

    CLinkedChannelsPage(const platform::DialogTemplate& pageTemplate, const ChannelIds& ids);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    int ControlId(int channel) const { return m_ids.controls[static_cast<size_t>(channel)]; }
    int SpinId(int channel) const { return m_ids.spins[static_cast<size_t>(channel)]; }
    int LinkId(int channel) const { return m_ids.links[static_cast<size_t>(channel - 1)]; }

protected:
    // Writes the values handed over into the controls, at creation, before the data exchange
    // writes the members.
    virtual void WriteChannels() = 0;
    // A notification of a channel's own control, while the page is ready.
    virtual void ChannelNotified(int channel, int code) = 0;
    // Copies channel 1's value to `channel` (0-based, 1..7) and sends it for that channel.
    virtual void FollowChannelOne(int channel) = 0;

    // After channel 1's change went to the view: the linked channels follow, in ascending order.
    void FollowLinkedChannels();

private:
    void LinkClicked(int channel);

    ChannelIds m_ids;
};

}  // namespace corvane
