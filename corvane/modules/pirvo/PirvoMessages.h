// Messages between the Pirvo view and its pages. Each page reports an accepted change with
// one of these, wParam the output index (0..3) and lParam the value; a text or a double goes
// by the address of the page's own copy, valid only during the send. The view's reloads go the
// other way, to the timing page.
#pragma once

#include "platform/Types.h"

namespace corvane {

// Black page -> view: format 0..2 of output 0 or 1; signal code of the keyword table. The
// view sends both numbers on to the timing page once the document has stored the value (the
// timing page's own numbers are in TimingMessages.h).
constexpr platform::UINT WM_PIRVO_FORMAT = platform::WM_USER + 260;  // 1284
constexpr platform::UINT WM_PIRVO_SIGNAL = platform::WM_USER + 261;  // 1285

// Signal page -> view (wParam 2): the format folder index; lParam &text for the signal's
// file name, the set name, the APL mode and period keywords.
constexpr platform::UINT WM_PIRVO_FORMAT_FOLDER = platform::WM_USER + 267;  // 1291
constexpr platform::UINT WM_PIRVO_SIGNAL_FILE = platform::WM_USER + 268;    // 1292
constexpr platform::UINT WM_PIRVO_SIGNAL_SET = platform::WM_USER + 269;     // 1293
constexpr platform::UINT WM_PIRVO_APL_MODE = platform::WM_USER + 270;       // 1294
constexpr platform::UINT WM_PIRVO_APL_PERIOD = platform::WM_USER + 271;     // 1295

// ID text of the SIGNAL output (wParam 2): lParam &text, the mode 0..3, X and Y in percent.
constexpr platform::UINT WM_PIRVO_SIGNAL_ID_TEXT = platform::WM_USER + 272;  // 1296
constexpr platform::UINT WM_PIRVO_SIGNAL_ID_MODE = platform::WM_USER + 273;  // 1297
constexpr platform::UINT WM_PIRVO_SIGNAL_ID_X = platform::WM_USER + 274;     // 1298
constexpr platform::UINT WM_PIRVO_SIGNAL_ID_Y = platform::WM_USER + 275;     // 1299

// Bars page -> view (wParam 3): format 0..2, the bars signal code, then its ID text as above.
constexpr platform::UINT WM_PIRVO_BARS_FORMAT = platform::WM_USER + 276;   // 1300
constexpr platform::UINT WM_PIRVO_BARS_SIGNAL = platform::WM_USER + 277;   // 1301
constexpr platform::UINT WM_PIRVO_BARS_ID_TEXT = platform::WM_USER + 278;  // 1302
constexpr platform::UINT WM_PIRVO_BARS_ID_MODE = platform::WM_USER + 279;  // 1303
constexpr platform::UINT WM_PIRVO_BARS_ID_X = platform::WM_USER + 280;     // 1304
constexpr platform::UINT WM_PIRVO_BARS_ID_Y = platform::WM_USER + 281;     // 1305

}  // namespace corvane
