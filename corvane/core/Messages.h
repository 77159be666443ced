// Private window messages between Corvane's documents, views, pages and the main frame.
//
// Documents post the first four to the main frame after an Apply; the main frame relays them
// to the views with SendMessage. Page and view message numbers are listed by each model.
#pragma once

#include "platform/Types.h"

namespace corvane {

constexpr platform::UINT WM_MODULE_APPLIED = platform::WM_USER + 91;        // 1115
constexpr platform::UINT WM_BRUMO_CLOCK_FAMILY = platform::WM_USER + 115;   // 1139
constexpr platform::UINT WM_KINTOR_CLOCK_FAMILY = platform::WM_USER + 126;  // 1150
constexpr platform::UINT WM_ULMETH_CLOCK_FAMILY = platform::WM_USER + 243;  // 1267

}  // namespace corvane
