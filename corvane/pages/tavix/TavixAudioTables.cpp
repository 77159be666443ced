#include "corvane/pages/tavix/TavixAudioTables.h"

#include "corvane/modules/tavix/TavixMessages.h"
#include "corvane/pages/audio/AudioEntryText.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

namespace {

using Ids = std::array<int, CLinkedChannelsPage::kChannels>;

// Channel 1's control, then the controls of channels 2..8 numbered on from `second`.
Ids Controls(int first, int second) {
    Ids ids{first};
    for (int ch = 1; ch < CLinkedChannelsPage::kChannels; ++ch)
        ids[static_cast<size_t>(ch)] = second + ch - 1;
    return ids;
}

// The link boxes are numbered alike on the three pages.
CLinkedChannelsPage::ChannelIds WithLinks(const Ids& controls, const Ids& spins) {
    CLinkedChannelsPage::ChannelIds ids{controls, spins, {}};
    for (size_t i = 0; i < ids.links.size(); ++i) ids.links[i] = IDC_LINK_CH2 + static_cast<int>(i);
    return ids;
}

}  // namespace

const AudioComboTable& TavixFrequencyTable() {
    static const AudioComboTable table{
        TavixFrequencyPageTemplate,
        WithLinks(Controls(IDC_TAVIX_FREQUENCY_CH1, IDC_TAVIX_FREQUENCY_CH1 + 1), {}),
        kTavixFrequencyMessage, HertzOfEntryText};
    return table;
}

const AudioComboTable& TavixClickTable() {
    static const AudioComboTable table{
        TavixClickPageTemplate, WithLinks(Controls(IDC_TAVIX_CLICK_CH1, IDC_TAVIX_CLICK_CH2), {}),
        kTavixClickMessage, SecondsOfEntryText};
    return table;
}

const CLinkedChannelsPage::ChannelIds& TavixAmplitudeIds() {
    static const CLinkedChannelsPage::ChannelIds ids =
        WithLinks(Controls(IDC_TAVIX_AMPLITUDE_CH1, IDC_TAVIX_AMPLITUDE_CH1 + 1),
                  Controls(IDC_TAVIX_AMPLITUDE_SPIN1, IDC_TAVIX_AMPLITUDE_SPIN1 + 1));
    return ids;
}

}  // namespace corvane
