// CTavixAmplitudePage: the amplitude of each Tavix channel in dBFS, typed or spun (-60..0).
//
// Every text the field goes through is sent at once, so typing "-12" sends 0, -1 and -12;
// the page checks no range, the document refuses what lies outside and the view then puts
// the old value back through RestoreAmplitude. A linked channel is driven by moving its spin,
// whose buddy text then sends the value like typing does.
#pragma once

#include <array>
#include <string>

#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CTavixAmplitudePage : public CTabPage {
public:
    static constexpr int kChannels = 8;

    CTavixAmplitudePage();

    platform::BOOL OnInitDialog() override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    platform::BOOL OnCommand(int id, int code) override;

    // The document refused a value: `amplitude` back in the channel's field and spin, sending
    // nothing, and the focus in the field.
    void RestoreAmplitude(int channel, int amplitude);

    static int EditId(int channel);
    static int SpinId(int channel);
    static int LinkId(int channel);  // channels 1..7

    std::array<std::string, kChannels> m_text;
    std::array<int, kChannels> m_amplitude{};

private:
    void AmplitudeTyped(int channel);
    void LinkClicked(int channel);
    // Moves a linked channel's spin to `amplitude`; its buddy's notification sends it.
    void Follow(int channel, int amplitude);
};

}  // namespace corvane
