// Messages between the Kintor view and its pages. The view also takes the clock families the
// main frame relays (WM_BRUMO_CLOCK_FAMILY, WM_ULMETH_CLOCK_FAMILY) and posts its own
// (WM_KINTOR_CLOCK_FAMILY) after an Apply that sent a format.
#pragma once

#include "platform/Types.h"

namespace corvane {

// Output page -> view (wParam the output 0..3); the view passes both on to the timing page.
constexpr platform::UINT WM_KINTOR_FORMAT = platform::WM_USER + 120;  // 1144, lParam 0..3
constexpr platform::UINT WM_KINTOR_SIGNAL = platform::WM_USER + 121;  // 1145, lParam the code
// Timing page -> view.
constexpr platform::UINT WM_KINTOR_LINES = platform::WM_USER + 122;         // 1146
constexpr platform::UINT WM_KINTOR_DELAY = platform::WM_USER + 123;         // 1147, &seconds
constexpr platform::UINT WM_KINTOR_TIMING_QUERY = platform::WM_USER + 124;  // 1148, &{lines; s}
// View -> timing page after an Apply that sent the output's format: fetch the live timing.
constexpr platform::UINT WM_KINTOR_TIMING_RELOAD = platform::WM_USER + 125;  // 1149

}  // namespace corvane
