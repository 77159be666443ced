// Messages the Pirvo view takes from its Black page, wParam the output index (0..1) and lParam
// the value. The other pages' numbers are their families' (PirvoPageMessages.h,
// TimingMessages.h).
#pragma once

#include "platform/Types.h"

namespace corvane {

// Black page -> view: format 0..2 of output 0 or 1; signal code of the keyword table. The
// view sends both numbers on to the timing page once the document has stored the value (the
// timing page's own numbers are in TimingMessages.h).
constexpr platform::UINT WM_PIRVO_FORMAT = platform::WM_USER + 260;  // 1284
constexpr platform::UINT WM_PIRVO_SIGNAL = platform::WM_USER + 261;  // 1285

}  // namespace corvane
