// The moving picture of the copy progress dialog: a sheet flying from one folder to the other,
// drawn by the program itself.
#pragma once

#include "platform/AnimateCtrl.h"

namespace drenlo {

// The animation resource IDR_COPY_ANIMATION, for the dialog's animation control.
platform::CAnimateCtrl::Clip CopyAnimationClip();

}  // namespace drenlo
