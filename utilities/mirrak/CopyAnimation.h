// The moving picture of Mirrak's progress dialog: a sheet travelling from one instrument to the
// other, drawn by the program itself.
#pragma once

#include "platform/AnimateCtrl.h"

namespace mirrak {

// The animation resource IDR_COPY_ANIMATION, for the dialog's animation control.
platform::CAnimateCtrl::Clip CopyAnimationClip();

}  // namespace mirrak
