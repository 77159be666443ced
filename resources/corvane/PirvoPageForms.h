// The Pirvo's two picture output pages: Signal (output 3, a test signal out of the module's
// catalogue) and Bars (output 4). Both carry the same ID text box, laid out by one builder
// from each page's table of ids.
#pragma once

#include <array>

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_PIRVO_SIGNAL = 238;
constexpr int IDD_PIRVO_BARS = 239;

// The ID text box of a page.
struct PirvoIdTextControls {
    int text;
    int x, xSpin, xLabel, xUnit;
    int y, ySpin, yLabel, yUnit;
    // The radio buttons in the order of the modes: Enable, Disable, Blink Fast, Blink Slow.
    std::array<int, 4> modes;
};

// The longest ID text and position the operator can type, in characters. A longer text read
// from the module is shown whole.
constexpr int kPirvoIdTextLimit = 18;
constexpr int kPirvoPositionLimit = 7;

constexpr int IDC_PIRVO_BARS_FORMAT = 1375;
constexpr int IDC_PIRVO_BARS_SIGNAL = 1376;
constexpr PirvoIdTextControls kPirvoBarsIdText{1366, 1367, 1370, 1389, 1390,
                                               1368, 1369, 1391, 1392, {1374, 1371, 1373, 1372}};

constexpr int IDC_PIRVO_SIGNAL_FORMAT = 1377;
constexpr int IDC_PIRVO_SIGNAL_SET = 1378;
constexpr int IDC_PIRVO_SIGNAL_SIGNAL = 1379;
constexpr int IDC_PIRVO_APL_MODE = 1363;
constexpr int IDC_PIRVO_APL_PERIOD = 1365;
constexpr PirvoIdTextControls kPirvoSignalIdText{1380, 1381, 1387, 1393, 1394,
                                                 1382, 1388, 1395, 1396, {1383, 1386, 1384, 1385}};

const platform::DialogTemplate& PirvoSignalPageTemplate();
const platform::DialogTemplate& PirvoBarsPageTemplate();

}  // namespace corvane
