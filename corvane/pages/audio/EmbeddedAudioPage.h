// CEmbeddedAudioPage: the audio embedded in a serial video output: four groups of four
// channels, one group and one of its channels shown at a time. Per group its state,
// pre-emphasis, sampling and resolution; per channel its test tone's frequency, amplitude and
// click. The view makes one page for output 1 ("Audio") and, with the black option, one for
// output 2 ("Black (Audio)"); each model and output has its table of numbers.
//
// "Link to channel 1" is the page's own state per group, never sent and cleared at every
// creation: it copies channel 1's tone to channels 2..4, and from then on every change of
// channel 1 is sent for them too, in ascending order. A value channel 1 does not show (a
// frequency or click the lists lack, as the instrument may report) is not passed on.
//
// On the Sormet only group 1 of an output whose format is "525-143" carries audio: a
// change of the output's format between that and a wider one disables groups 2..4 and sends
// them so.
//
// The page keeps its own copy after creation and never reloads it. Its own writes (creation,
// showing another group or channel, an amplitude put back) happen with the ready flag at 0.
#pragma once

#include <array>
#include <string>

#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/pages/audio/EmbeddedAudioMessages.h"
#include "corvane/pages/common/TabPage.h"

namespace corvane {

constexpr int kAudioGroups = 4;
constexpr int kAudioChannelsPerGroup = 4;

// The page's values, handed over by the view before the page is created. The channels of
// group g are 4 x g + 0..3; a channel's frequency is its position in the frequency list.
struct EmbeddedAudioValues {
    std::array<AudioGroupSettings, kAudioGroups> groups{};
    std::array<AudioChannelSettings, kAudioGroups * kAudioChannelsPerGroup> channels{};
    int format = 0;  // the output's format code, where the groups depend on it
};

struct EmbeddedAudioTable {
    const platform::DialogTemplate& pageTemplate;
    const EmbeddedAudioMessages& messages;
};

const EmbeddedAudioTable& SormetAudioTable();
const EmbeddedAudioTable& SormetBlackAudioTable();
const EmbeddedAudioTable& UlmethAudioTable();
const EmbeddedAudioTable& UlmethBlackAudioTable();

class CEmbeddedAudioPage : public CTabPage {
public:
    static constexpr int kLowestAmplitude = -60;
    static constexpr int kHighestAmplitude = 0;

    explicit CEmbeddedAudioPage(const EmbeddedAudioTable& table);

    void Load(const EmbeddedAudioValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;

    const EmbeddedAudioValues& Values() const { return m_values; }
    int SelectedGroup() const { return m_group; }
    int SelectedChannel() const { return m_channel; }

private:
    AudioGroupSettings& Group() { return m_values.groups[static_cast<size_t>(m_group)]; }
    AudioChannelSettings& Channel(int channel) {
        return m_values.channels[static_cast<size_t>(ChannelIndex(channel))];
    }
    int ChannelIndex(int channel) const { return kAudioChannelsPerGroup * m_group + channel; }
    bool GroupEnabled() const;
    // Channel 1 of a linked group is shown: what it takes goes to channels 2..4 as well.
    bool Leading() const;

    void ShowGroup();
    void ShowChannel();
    void SelectEntry(int comboId, int index);

    void GroupLevelChanged(int id);
    void FrequencyChosen();
    void ClickChosen();
    void AmplitudeUpdated();
    void AcceptAmplitude(int amplitude, bool moveSpin);
    void RewriteAmplitude();
    void LinkClicked();
    platform::LRESULT FormatChanged(int format);

    void SendFrequency(int channel);
    void SendClick(int channel);
    void SendAmplitude(int channel);

    const EmbeddedAudioTable& m_table;
    EmbeddedAudioValues m_values;
    int m_group = 0;
    int m_channel = 0;
    std::array<bool, kAudioGroups> m_linked{};
    // Groups 2..4 can carry audio (always, where the groups do not depend on the format).
    bool m_wideFormat = true;
};

}  // namespace corvane
