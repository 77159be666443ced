// What the Tavix gives the eight-channel audio pages: its templates, ids and messages.
#pragma once

#include <string>

#include "corvane/pages/audio/AudioComboPage.h"

namespace corvane {

const AudioComboTable& TavixFrequencyTable();
const AudioComboTable& TavixClickTable();
const CLinkedChannelsPage::ChannelIds& TavixAmplitudeIds();

// The frequency an entry's text names, as the list reads: "Inactive" -1, "Silence" 0, else
// its number, times 1000 with "k" in the text.
int TavixFrequencyOfText(const std::string& text);

}  // namespace corvane
