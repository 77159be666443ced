// The mainframe window's form (template 210), its control ids and its strings.
#pragma once

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_QUARN_FORM = 210;
constexpr int IDI_FRAME_RESET = 225;
constexpr int IDS_APPLY_CHANGES_TO_MAINFRAME = 152;

// "Frame Reset": the frequency of each reset, and one image per reset and slot that shows
// when the module in that slot uses the reset.
constexpr int IDC_RESET_SLOT_LABEL1 = 1306;  // .. 1309
constexpr int IDC_FRAME_FREQ1 = 1334;        // .. 1336
// Slot s (0..3), reset r (0..2): IDC_FRAME_USE_FIRST + 3 * s + r.
constexpr int IDC_FRAME_USE_FIRST = 1337;
constexpr int IDC_FRAME_USE_LAST = 1348;

// "Version": one column for the controller and one per slot.
constexpr int IDC_VERSION_SLOT_LABEL1 = 1314;
constexpr int IDC_VERSION_SLOT_LABEL2 = 1315;
constexpr int IDC_VERSION_SLOT_LABEL3 = 1316;
constexpr int IDC_VERSION_SLOT_LABEL4 = 1330;
constexpr int IDC_CPU_NAME = 1322;
constexpr int IDC_CPU_HARDWARE = 1323;
constexpr int IDC_CPU_SOFTWARE = 1324;
constexpr int IDC_SLOT1_MODEL = 1327;
constexpr int IDC_SLOT2_MODEL = 1328;
constexpr int IDC_SLOT3_MODEL = 1329;
constexpr int IDC_SLOT4_MODEL = 1317;
constexpr int IDC_SLOT1_HARDWARE = 1310;  // .. 1313
constexpr int IDC_SLOT1_SOFTWARE = 1318;  // .. 1321

// "Memory" and "Display Contrast".
constexpr int IDC_FREE_BYTES = 1325;
constexpr int IDC_USED_BYTES = 1326;
constexpr int IDC_CONTRAST = 1331;
constexpr int IDC_CONTRAST_SPIN = 1332;

// The buttons every editor window has.
constexpr int IDC_QUARN_OK = 1121;
constexpr int IDC_QUARN_CANCEL = 1122;
constexpr int IDC_QUARN_APPLY = 3;

const platform::DialogTemplate& QuarnFormTemplate();
// Registers the form's strings (the close question) with the string table.
void RegisterQuarnFormStrings();
// The frame reset image as a resource path.
const char* FrameResetImagePath();

}  // namespace corvane
