// Messages from the Tavix pages to the Tavix view.
#pragma once

#include "corvane/pages/common/ChannelMessage.h"
#include "platform/Types.h"

namespace corvane {

// Channel 0..7 and the frequency in Hz (-1 inactive, 0 silence).
constexpr ChannelMessage kTavixFrequencyMessage{platform::WM_USER + 95};  // 1119
// The amplitude in dBFS in wParam and the channel in lParam: the other way round from the
// two others.
constexpr ChannelMessage kTavixAmplitudeMessage{platform::WM_USER + 96,  // 1120
                                                ChannelMessage::Order::ValueFirst};
// Channel 0..7 and the click period in seconds (0 off).
constexpr ChannelMessage kTavixClickMessage{platform::WM_USER + 97};  // 1121

}  // namespace corvane
