// The Sormet window, the SD serial video module: its form. The pages over its tabs are the video
// page families' (VideoSignalPageForms.h and the others).
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_SORMET_FORM = 133;

const platform::DialogTemplate& SormetFormTemplate();

}  // namespace corvane
