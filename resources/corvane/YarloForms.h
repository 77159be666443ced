// The Yarlo window, the wideband analog video module: its form. The pages over its tabs are the
// video page families' (VideoSignalPageForms.h and the others). Its Apply button starts enabled: it
// can be pressed from the opening on.
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_YARLO_FORM = 245;

const platform::DialogTemplate& YarloFormTemplate();

}  // namespace corvane
