// The moving picture pages of the video module windows: the steps of each move, the period
// between moves and the random mode. The four models share one layout.
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_OLTRA_MOVING_PICTURE = 242;
constexpr int IDD_YARLO_MOVING_PICTURE = 247;
constexpr int IDD_SORMET_MOVING_PICTURE = 172;
constexpr int IDD_ULMETH_MOVING_PICTURE = 190;

// The up-downs only report their moves; the page writes the fields.
constexpr int IDC_MOVING_HSTEP = 1135;
constexpr int IDC_MOVING_HSTEP_SPIN = 1119;
constexpr int IDC_MOVING_VSTEP = 1137;
constexpr int IDC_MOVING_VSTEP_SPIN = 1016;
constexpr int IDC_MOVING_PERIOD = 1136;  // digits only
constexpr int IDC_MOVING_PERIOD_SPIN = 1017;
constexpr int IDC_MOVING_RANDOM_ON = 1138;
constexpr int IDC_MOVING_RANDOM_OFF = 1139;

// The moving picture page of a video model.
const platform::DialogTemplate& MovingPicturePageTemplate(VideoModel model);

}  // namespace corvane
