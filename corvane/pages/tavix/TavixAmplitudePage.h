// CTavixAmplitudePage: the amplitude of each Tavix channel in dBFS, typed or spun.
//
// Every text the field goes through is sent at once, so typing "-12" sends 0, -1 and -12;
// the page checks no range, the document refuses what lies outside and the view then puts
// the old value back through RestoreAmplitude. A linked channel is driven by moving its spin,
// whose buddy text then sends the value like typing does.
#pragma once

#include <array>
#include <string>

#include "corvane/pages/audio/LinkedChannelsPage.h"

namespace corvane {

class CTavixAmplitudePage : public CLinkedChannelsPage {
public:
    CTavixAmplitudePage();

    // The amplitudes and the spins' range, handed over by the view before the page is created.
    void LoadAmplitudes(const std::array<int, kChannels>& amplitudes, int lowest, int highest);

    void DoDataExchange(platform::CDataExchange* dx) override;

    // The document refused a value: `amplitude` back in the channel's field and spin, sending
    // nothing, and the focus in the field.
    void RestoreAmplitude(int channel, int amplitude);

    // What each channel shows; the document's value unless one was typed since.
    std::array<int, kChannels> m_amplitude{};

protected:
    void WriteChannels() override;
    // Every text the field goes through is sent at once; once the text stands, the page's
    // members, which may hold a value the view put back, win over the field.
    void ChannelNotified(int channel, int code) override;
    // Moves the channel's spin to channel 1's amplitude; its buddy's notification sends it.
    void FollowChannelOne(int channel) override;

private:
    std::array<std::string, kChannels> m_text;
    int m_lowest = 0;
    int m_highest = 0;
};

}  // namespace corvane
