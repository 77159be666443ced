// Messages between the Brumo view and its pages. The timing page's own numbers (1131..1134)
// are the Brumo row of the timing page family's table (kBrumoTimingMessages); the output
// format (1129) also reaches that page, as its reload.
#pragma once

#include "corvane/pages/timing/TimingMessages.h"
#include "platform/Types.h"

namespace corvane {

// Genlock page -> view.
constexpr platform::UINT WM_BRUMO_SOURCE = platform::WM_USER + 100;         // 1124
constexpr platform::UINT WM_BRUMO_GENLOCK_LINES = platform::WM_USER + 101;  // 1125
constexpr platform::UINT WM_BRUMO_LOCK_LOSS = platform::WM_USER + 102;      // 1126
constexpr platform::UINT WM_BRUMO_CW_FRAME = platform::WM_USER + 103;       // 1127, &double Hz
constexpr platform::UINT WM_BRUMO_GENLOCK_DELAY = platform::WM_USER + 104;  // 1128, &double s
// Output page -> view: wParam the output (0..2), lParam the format (BLACK 3: list index + 4)
// or the signal index.
constexpr platform::UINT WM_BRUMO_OUTPUT_FORMAT = platform::WM_USER + 105;  // 1129
constexpr platform::UINT WM_BRUMO_OUTPUT_SIGNAL = platform::WM_USER + 106;  // 1130
// Genlock page -> view: lParam the address of a LiveTiming to fill; answers 1 or 0.
constexpr platform::UINT WM_BRUMO_GENLOCK_TIMING_QUERY = platform::WM_USER + 111;  // 1135
// View -> genlock page: read the live genlock timing; run the HD reference detection.
constexpr platform::UINT WM_BRUMO_GENLOCK_TIMING_RELOAD = platform::WM_USER + 112;  // 1136
constexpr platform::UINT WM_BRUMO_HD_REFERENCE_RELOAD = platform::WM_USER + 113;    // 1137
// Genlock page -> view: wParam the address of an int that receives the detected HD code;
// answers 1, or 0 when the detection failed.
constexpr platform::UINT WM_BRUMO_HD_REFERENCE_QUERY = platform::WM_USER + 114;  // 1138

}  // namespace corvane
