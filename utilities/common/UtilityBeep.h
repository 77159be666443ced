// The beeps of the utilities' error boxes.
//
// The stop beep comes before an error box, the exclamation beep before a socket error's box;
// both go through platform::MessageBeep (so the box records that a beep came) and, while a
// test watches, to its recorder with the kind.
#pragma once

#include <functional>

#include "platform/Types.h"

namespace utilities {

void UtilityBeep(platform::UINT type);

using BeepRecorder = std::function<void(platform::UINT type)>;
// An empty recorder stops recording. Returns the recorder it replaces.
BeepRecorder SetBeepRecorderForTests(BeepRecorder recorder);

}  // namespace utilities
