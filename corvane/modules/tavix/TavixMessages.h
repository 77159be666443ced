// Messages from the Tavix pages to the Tavix view.
#pragma once

#include "platform/Types.h"

namespace corvane {

// wParam channel 0..7, lParam the frequency in Hz (-1 inactive, 0 silence).
constexpr platform::UINT WM_TAVIX_FREQUENCY = platform::WM_USER + 95;  // 1119
// wParam the amplitude in dBFS, lParam the channel: the other way round from the two others.
constexpr platform::UINT WM_TAVIX_AMPLITUDE = platform::WM_USER + 96;  // 1120
// wParam channel 0..7, lParam the click period in seconds (0 off).
constexpr platform::UINT WM_TAVIX_CLICK = platform::WM_USER + 97;  // 1121

}  // namespace corvane
