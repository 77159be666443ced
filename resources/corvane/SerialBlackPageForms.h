// The black output pages of the serial video module windows: output 2's format, its black or
// flat-field signal, its timing and, on the Sormet, its EDH and resolution.
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_SORMET_BLACK = 180;
constexpr int IDD_ULMETH_BLACK = 186;

constexpr int IDC_SORMET_BLACK_FORMAT = 1105;
constexpr int IDC_ULMETH_BLACK_FORMAT = 1174;
constexpr int IDC_BLACK_SIGNAL = 1106;
// Lines: the up-down writes its position into the edit.
constexpr int IDC_BLACK_LINES = 1178;
constexpr int IDC_BLACK_LINES_SPIN = 1176;
// The delay in microseconds: the up-down counts steps and the page writes the field.
constexpr int IDC_BLACK_DELAY = 1179;
constexpr int IDC_BLACK_DELAY_SPIN = 1177;
// Sormet only; the same ids as the video page's.
constexpr int IDC_BLACK_EDH_ON = 1232;
constexpr int IDC_BLACK_EDH_OFF = 1233;
constexpr int IDC_BLACK_BITS8 = 1262;
constexpr int IDC_BLACK_BITS10 = 1263;

// The black page of a serial video model; throws std::invalid_argument for an
// analog one.
const platform::DialogTemplate& SerialBlackPageTemplate(VideoModel model);

}  // namespace corvane
