// The Brumo window, the analog genlock module: its form and its genlock and output pages. The
// timing page over its third tab is the timing page family's.
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_BRUMO_FORM = 131;
constexpr int IDD_BRUMO_GENLOCK = 161;
constexpr int IDD_BRUMO_OUTPUT = 162;

// Genlock page.
constexpr int IDC_BRUMO_SOURCE = 1268;
constexpr int IDC_BRUMO_GO_INTERNAL = 1269;   // lock-loss radios: 0
constexpr int IDC_BRUMO_STAY_CURRENT = 1072;  // 1
constexpr int IDC_BRUMO_LOCK_LOSS_GROUP = 1271;
constexpr int IDC_BRUMO_CW_FRAME = 1267;
constexpr int IDC_BRUMO_CW_LABEL = 1272;
constexpr int IDC_BRUMO_LINES = 1013;
constexpr int IDC_BRUMO_LINES_SPIN = 1106;
constexpr int IDC_BRUMO_COARSE = 1032;
constexpr int IDC_BRUMO_COARSE_SPIN = 1107;
constexpr int IDC_BRUMO_FINE = 1034;
constexpr int IDC_BRUMO_FINE_SPIN = 1035;
// The genlock timing group's box, labels and units, enabled with its fields.
constexpr int IDC_BRUMO_TIMING_GROUP = 1273;
constexpr int IDC_BRUMO_LINES_LABEL = 1274;
constexpr int IDC_BRUMO_COARSE_LABEL = 1275;
constexpr int IDC_BRUMO_FINE_LABEL = 1276;
constexpr int IDC_BRUMO_LINES_UNIT = 1277;
constexpr int IDC_BRUMO_COARSE_UNIT = 1278;
constexpr int IDC_BRUMO_FINE_UNIT = 1279;

// Output page: the formats of BLACK 1..3 and the signals of BLACK 1 and 2.
constexpr int IDC_BRUMO_FORMAT1 = 1037;
constexpr int IDC_BRUMO_FORMAT2 = 1038;
constexpr int IDC_BRUMO_FORMAT3 = 1039;
constexpr int IDC_BRUMO_SIGNAL1 = 1120;
constexpr int IDC_BRUMO_SIGNAL2 = 1121;
constexpr int IDC_BRUMO_SIGNAL1_LABEL = 1280;
constexpr int IDC_BRUMO_SIGNAL2_LABEL = 1281;

const platform::DialogTemplate& BrumoFormTemplate();
const platform::DialogTemplate& BrumoGenlockPageTemplate();
const platform::DialogTemplate& BrumoOutputPageTemplate();

}  // namespace corvane
