// The numbers a black output page sends its view, one table per model: wParam the output,
// lParam the format index or the signal code.
#pragma once

#include "corvane/modules/kintor/KintorMessages.h"
#include "platform/Types.h"

namespace corvane {

struct BlackOutputMessages {
    platform::UINT format;
    platform::UINT signal;
};

constexpr BlackOutputMessages kKintorBlackOutput{WM_KINTOR_FORMAT, WM_KINTOR_SIGNAL};
// The Pirvo's black outputs: the first two of its output messages.
constexpr BlackOutputMessages kPirvoBlackOutput{platform::WM_USER + 260,   // 1284
                                                platform::WM_USER + 261};  // 1285

}  // namespace corvane
