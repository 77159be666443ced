// The video output pages of the video module windows: the switches of the output's three
// components and the options of each model (GBR sync, composite configuration and APL on the
// analog models; resolution, EDH and AV timing on the serial ones).
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_OLTRA_VIDEO = 244;
constexpr int IDD_YARLO_VIDEO = 249;
constexpr int IDD_SORMET_VIDEO = 178;
constexpr int IDD_ULMETH_VIDEO = 192;

// CH1 to CH3 on the analog models, Y, Pb and Pr on the serial ones.
constexpr int IDC_CHANNEL1_ON = 1226;
constexpr int IDC_CHANNEL1_OFF = 1227;
constexpr int IDC_CHANNEL2_ON = 1228;
constexpr int IDC_CHANNEL2_OFF = 1229;
constexpr int IDC_CHANNEL3_ON = 1230;
constexpr int IDC_CHANNEL3_OFF = 1231;

// Analog models.
constexpr int IDC_SYNC_ALL = 1395;
constexpr int IDC_SYNC_GREEN = 1396;
constexpr int IDC_OLTRA_SYNC_GROUP = 1413;
constexpr int IDC_YARLO_SYNC_GROUP = 1414;
constexpr int IDC_CONFIG_YC = 1411;
constexpr int IDC_CONFIG_COMPOSITE = 1412;
constexpr int IDC_OLTRA_COMPOSITE_GROUP = 1414;
constexpr int IDC_APL_MODE = 1363;
constexpr int IDC_APL_PERIOD = 1365;

// Serial models.
constexpr int IDC_EDH_ON = 1232;
constexpr int IDC_EDH_OFF = 1233;
constexpr int IDC_BITS8 = 1262;
constexpr int IDC_BITS10 = 1263;
constexpr int IDC_AV_TIMING_ON = 1417;
constexpr int IDC_AV_TIMING_OFF = 1418;
constexpr int IDC_AV_TIMING_LABEL = 1421;

// The video output page of a video model.
const platform::DialogTemplate& VideoOutputPageTemplate(VideoModel model);

}  // namespace corvane
