// The Ulmeth window, the HD serial video module: its form. The pages over its tabs are the video
// page families' (VideoSignalPageForms.h and the others).
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_ULMETH_FORM = 134;

const platform::DialogTemplate& UlmethFormTemplate();

}  // namespace corvane
