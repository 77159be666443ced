// The Pirvo window: its form. The pages over its tabs come from their families (the Pirvo
// signal and bars pages, the black output page, the timing page).
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_PIRVO_FORM = 234;

const platform::DialogTemplate& PirvoFormTemplate();

}  // namespace corvane
