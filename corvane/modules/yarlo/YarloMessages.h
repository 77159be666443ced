// Messages between the Yarlo view and its pages: the Oltra's plus 100 (OltraMessages.h tells
// what each carries), without the APL and composite messages. The video page's reload is the
// exception: 1485, not 1486.
#pragma once

#include "platform/Types.h"

namespace corvane {

// Signal page -> view.
constexpr platform::UINT WM_YARLO_FORMAT = platform::WM_USER + 400;         // 1424
constexpr platform::UINT WM_YARLO_SIGNAL_SET = platform::WM_USER + 401;     // 1425
constexpr platform::UINT WM_YARLO_SIGNAL = platform::WM_USER + 402;         // 1426
constexpr platform::UINT WM_YARLO_LINES = platform::WM_USER + 403;          // 1427
constexpr platform::UINT WM_YARLO_DELAY = platform::WM_USER + 404;          // 1428
constexpr platform::UINT WM_YARLO_TIMING_QUERY = platform::WM_USER + 446;   // 1470
constexpr platform::UINT WM_YARLO_FRAME_PICTURE = platform::WM_USER + 450;  // 1474
constexpr platform::UINT WM_YARLO_PICTURE_SET = platform::WM_USER + 451;    // 1475
constexpr platform::UINT WM_YARLO_PICTURE = platform::WM_USER + 452;        // 1476

// Moving picture page -> view.
constexpr platform::UINT WM_YARLO_MOVING_HSTEP = platform::WM_USER + 405;   // 1429
constexpr platform::UINT WM_YARLO_MOVING_VSTEP = platform::WM_USER + 406;   // 1430
constexpr platform::UINT WM_YARLO_MOVING_PERIOD = platform::WM_USER + 407;  // 1431
constexpr platform::UINT WM_YARLO_MOVING_RANDOM = platform::WM_USER + 408;  // 1432

// Overlay page -> view.
constexpr platform::UINT WM_YARLO_LOGO_STATE = platform::WM_USER + 409;    // 1433
constexpr platform::UINT WM_YARLO_LOGO_NAME = platform::WM_USER + 410;     // 1434
constexpr platform::UINT WM_YARLO_LOGO_X = platform::WM_USER + 411;        // 1435
constexpr platform::UINT WM_YARLO_LOGO_Y = platform::WM_USER + 412;        // 1436
constexpr platform::UINT WM_YARLO_TEXT_STATE = platform::WM_USER + 413;    // 1437
constexpr platform::UINT WM_YARLO_TEXT = platform::WM_USER + 414;          // 1438
constexpr platform::UINT WM_YARLO_TEXT_X = platform::WM_USER + 415;        // 1439
constexpr platform::UINT WM_YARLO_TEXT_Y = platform::WM_USER + 416;        // 1440
constexpr platform::UINT WM_YARLO_CIRCLE_STATE = platform::WM_USER + 417;  // 1441
constexpr platform::UINT WM_YARLO_CIRCLE_X = platform::WM_USER + 418;      // 1442
constexpr platform::UINT WM_YARLO_CIRCLE_Y = platform::WM_USER + 419;      // 1443
constexpr platform::UINT WM_YARLO_DIAMETER = platform::WM_USER + 420;      // 1444
constexpr platform::UINT WM_YARLO_BLINK = platform::WM_USER + 455;         // 1479

// Video page -> view.
constexpr platform::UINT WM_YARLO_CHANNEL1 = platform::WM_USER + 428;  // 1452
constexpr platform::UINT WM_YARLO_CHANNEL2 = platform::WM_USER + 429;  // 1453
constexpr platform::UINT WM_YARLO_CHANNEL3 = platform::WM_USER + 430;  // 1454
constexpr platform::UINT WM_YARLO_SYNC = platform::WM_USER + 460;      // 1484

// View -> pages.
constexpr platform::UINT WM_YARLO_TIMING_RELOAD = platform::WM_USER + 448;  // 1472, signal page
constexpr platform::UINT WM_YARLO_TEXT_RELOAD = WM_YARLO_FRAME_PICTURE;     // 1474, overlay page
constexpr platform::UINT WM_YARLO_LOGO_RELOAD = platform::WM_USER + 454;    // 1478, overlay page
constexpr platform::UINT WM_YARLO_VIDEO_RELOAD = platform::WM_USER + 461;   // 1485, video page

}  // namespace corvane
