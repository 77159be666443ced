// The Kintor window, the black generator: its form. The pages over its tabs are the black
// output page's (BlackOutputPageForms.h) and the timing page's.
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_KINTOR_FORM = 132;

const platform::DialogTemplate& KintorFormTemplate();

}  // namespace corvane
