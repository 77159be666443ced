// The overlay pages of the video module windows: the logo, the ID text and the circle drawn
// over output 1, and their blinking. The four models share one layout.
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_OLTRA_OVERLAY = 243;
constexpr int IDD_YARLO_OVERLAY = 246;
constexpr int IDD_SORMET_OVERLAY = 173;
constexpr int IDD_ULMETH_OVERLAY = 188;

constexpr int IDC_BLINK_OFF = 1083;
constexpr int IDC_BLINK_FAST = 1084;
constexpr int IDC_BLINK_SLOW = 1085;

// Every up-down of the page only reports its moves; the page writes the fields.
constexpr int IDC_LOGO_ENABLE = 1082;
constexpr int IDC_LOGO_DISABLE = 1198;
constexpr int IDC_LOGO_NAME = 1182;
constexpr int IDC_LOGO_X = 1073;
constexpr int IDC_LOGO_X_SPIN = 1191;
constexpr int IDC_LOGO_X_LABEL = 1235;
constexpr int IDC_LOGO_X_UNIT = 1236;
constexpr int IDC_LOGO_Y = 1076;
constexpr int IDC_LOGO_Y_SPIN = 1192;
constexpr int IDC_LOGO_Y_LABEL = 1238;
constexpr int IDC_LOGO_Y_UNIT = 1237;

constexpr int IDC_TEXT_ENABLE = 1189;
constexpr int IDC_TEXT_DISABLE = 1199;
constexpr int IDC_TEXT = 1190;
// The longest ID text the field takes, in characters.
constexpr int kIdTextLimit = 64;
constexpr int IDC_TEXT_X = 1074;
constexpr int IDC_TEXT_X_SPIN = 1193;
constexpr int IDC_TEXT_X_LABEL = 1243;
constexpr int IDC_TEXT_X_UNIT = 1251;
constexpr int IDC_TEXT_Y = 1077;
constexpr int IDC_TEXT_Y_SPIN = 1194;
constexpr int IDC_TEXT_Y_LABEL = 1249;
constexpr int IDC_TEXT_Y_UNIT = 1252;

constexpr int IDC_CIRCLE_ENABLE = 1080;
constexpr int IDC_CIRCLE_DISABLE = 1200;
constexpr int IDC_CIRCLE_DIAMETER = 1079;
constexpr int IDC_CIRCLE_DIAMETER_SPIN = 1197;
constexpr int IDC_CIRCLE_DIAMETER_LABEL = 1247;
constexpr int IDC_CIRCLE_DIAMETER_UNIT = 1253;
constexpr int IDC_CIRCLE_X = 1075;
constexpr int IDC_CIRCLE_X_SPIN = 1195;
constexpr int IDC_CIRCLE_X_LABEL = 1244;
constexpr int IDC_CIRCLE_X_UNIT = 1254;
constexpr int IDC_CIRCLE_Y = 1078;
constexpr int IDC_CIRCLE_Y_SPIN = 1196;
constexpr int IDC_CIRCLE_Y_LABEL = 1250;
constexpr int IDC_CIRCLE_Y_UNIT = 1255;

// The overlay page of a video model.
const platform::DialogTemplate& OverlayPageTemplate(VideoModel model);

}  // namespace corvane
