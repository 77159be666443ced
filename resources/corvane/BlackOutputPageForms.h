// The black output pages of the analog modules: per black output its television format and
// the signal it carries. The Kintor's "Output" tab has four outputs and an HD sync format, the
// Pirvo's "Black" tab two outputs in the SD formats only.
#pragma once

#include <array>

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_KINTOR_OUTPUT = 211;
constexpr int IDD_PIRVO_BLACK = 235;

// Per output BLACK 1..4; the Pirvo has the first two. The signal lists are built by the page.
constexpr std::array<int, 4> kBlackFormatIds{1270, 1271, 1272, 1273};
constexpr std::array<int, 4> kBlackSignalIds{1275, 1274, 1122, 1123};

const platform::DialogTemplate& KintorOutputPageTemplate();
const platform::DialogTemplate& PirvoBlackPageTemplate();

}  // namespace corvane
