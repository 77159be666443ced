// What the Tavix gives the eight-channel audio pages: its templates, ids and messages.
#pragma once

#include "corvane/pages/audio/AudioComboPage.h"

namespace corvane {

const AudioComboTable& TavixFrequencyTable();
const AudioComboTable& TavixClickTable();
const CLinkedChannelsPage::ChannelIds& TavixAmplitudeIds();

}  // namespace corvane
