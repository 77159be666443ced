// The Oltra window, the analog video module: its form. The pages over its tabs are the video page
// families' (VideoSignalPageForms.h and the others).
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_OLTRA_FORM = 240;

const platform::DialogTemplate& OltraFormTemplate();

}  // namespace corvane
