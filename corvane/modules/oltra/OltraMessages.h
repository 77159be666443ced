// Messages between the Oltra view and its pages. A page reports each accepted change with one
// of these (wParam and lParam as noted; a double or a text goes by the address of the page's
// own copy); the view's reloads go the other way. One number can mean two things on two
// windows: the view tells apart what it receives, each page what it receives.
#pragma once

#include "platform/Types.h"

namespace corvane {

// Signal page -> view. The format carries wParam the format's code and lParam its name; a set,
// a signal, a picture set and a picture carry wParam the index and lParam the name.
constexpr platform::UINT WM_OLTRA_FORMAT = platform::WM_USER + 300;      // 1324
constexpr platform::UINT WM_OLTRA_SIGNAL_SET = platform::WM_USER + 301;  // 1325
constexpr platform::UINT WM_OLTRA_SIGNAL = platform::WM_USER + 302;      // 1326
constexpr platform::UINT WM_OLTRA_LINES = platform::WM_USER + 303;       // 1327, lParam the lines
// lParam &double: coarse and fine together, in seconds.
constexpr platform::UINT WM_OLTRA_DELAY = platform::WM_USER + 304;  // 1328
// lParam &{lines, delay}: the view reads the live output timing and answers 1 when filled.
constexpr platform::UINT WM_OLTRA_TIMING_QUERY = platform::WM_USER + 346;   // 1370
constexpr platform::UINT WM_OLTRA_FRAME_PICTURE = platform::WM_USER + 350;  // 1374, wParam 1/0
constexpr platform::UINT WM_OLTRA_PICTURE_SET = platform::WM_USER + 351;    // 1375
constexpr platform::UINT WM_OLTRA_PICTURE = platform::WM_USER + 352;        // 1376

// Moving picture page -> view: lParam the value; random: wParam 1 on, 0 off.
constexpr platform::UINT WM_OLTRA_MOVING_HSTEP = platform::WM_USER + 305;   // 1329
constexpr platform::UINT WM_OLTRA_MOVING_VSTEP = platform::WM_USER + 306;   // 1330
constexpr platform::UINT WM_OLTRA_MOVING_PERIOD = platform::WM_USER + 307;  // 1331
constexpr platform::UINT WM_OLTRA_MOVING_RANDOM = platform::WM_USER + 308;  // 1332

// Overlay page -> view. States go in wParam, positions and the diameter in lParam, the logo
// positions by the address of a double (percent), the names by address.
constexpr platform::UINT WM_OLTRA_LOGO_STATE = platform::WM_USER + 309;    // 1333
constexpr platform::UINT WM_OLTRA_LOGO_NAME = platform::WM_USER + 310;     // 1334
constexpr platform::UINT WM_OLTRA_LOGO_X = platform::WM_USER + 311;        // 1335
constexpr platform::UINT WM_OLTRA_LOGO_Y = platform::WM_USER + 312;        // 1336
constexpr platform::UINT WM_OLTRA_TEXT_STATE = platform::WM_USER + 313;    // 1337
constexpr platform::UINT WM_OLTRA_TEXT = platform::WM_USER + 314;          // 1338
constexpr platform::UINT WM_OLTRA_TEXT_X = platform::WM_USER + 315;        // 1339
constexpr platform::UINT WM_OLTRA_TEXT_Y = platform::WM_USER + 316;        // 1340
constexpr platform::UINT WM_OLTRA_CIRCLE_STATE = platform::WM_USER + 317;  // 1341
constexpr platform::UINT WM_OLTRA_CIRCLE_X = platform::WM_USER + 318;      // 1342
constexpr platform::UINT WM_OLTRA_CIRCLE_Y = platform::WM_USER + 319;      // 1343
constexpr platform::UINT WM_OLTRA_DIAMETER = platform::WM_USER + 320;      // 1344
constexpr platform::UINT WM_OLTRA_BLINK = platform::WM_USER + 355;         // 1379, wParam 0/2/3

// Video/APL page -> view: lParam the value; the APL mode and period by their keyword's address.
constexpr platform::UINT WM_OLTRA_CHANNEL1 = platform::WM_USER + 328;    // 1352
constexpr platform::UINT WM_OLTRA_CHANNEL2 = platform::WM_USER + 329;    // 1353
constexpr platform::UINT WM_OLTRA_CHANNEL3 = platform::WM_USER + 330;    // 1354
constexpr platform::UINT WM_OLTRA_APL_MODE = platform::WM_USER + 358;    // 1382
constexpr platform::UINT WM_OLTRA_APL_PERIOD = platform::WM_USER + 359;  // 1383
constexpr platform::UINT WM_OLTRA_SYNC = platform::WM_USER + 360;        // 1384
constexpr platform::UINT WM_OLTRA_COMPOSITE = platform::WM_USER + 361;   // 1385

// View -> pages, wParam 0 and lParam 0. The format number goes back to the signal page (set
// the timing limits again); the frame-picture number goes on to the overlay page with the
// signal page's wParam and lParam, and after an Apply alone, both meaning "the ID text was
// read again".
constexpr platform::UINT WM_OLTRA_TIMING_RELOAD = platform::WM_USER + 348;  // 1372, signal page
constexpr platform::UINT WM_OLTRA_TEXT_RELOAD = WM_OLTRA_FRAME_PICTURE;     // 1374, overlay page
constexpr platform::UINT WM_OLTRA_LOGO_RELOAD = platform::WM_USER + 354;    // 1378, overlay page
constexpr platform::UINT WM_OLTRA_VIDEO_RELOAD = platform::WM_USER + 362;   // 1386, video page

}  // namespace corvane
