// The numbers a timing page exchanges with its view, one table per model, so that one page
// class serves the Pirvo and the Kintor and its variant the Brumo. Every message carries the
// group (the output, 0-based) in wParam.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace corvane {

struct TimingMessages {
    // Page -> view: lParam the lines; the whole horizontal delay by the address of the page's
    // own double, in seconds; the live timing query by the address of a LiveTiming, answered
    // 1 when it was filled in.
    platform::UINT lines;
    platform::UINT delay;
    platform::UINT timingQuery;
    // View -> page, after the view stored a new format or signal of the group (lParam the new
    // value) and pushed the document's values: take the new limits. 0 where the model's view
    // has no such message.
    platform::UINT formatReload;
    platform::UINT signalReload;
    // View -> page after an Apply that changed the group's format: read its live timing.
    platform::UINT liveRequest;
};

// What the live timing query fills in.
struct LiveTiming {
    std::int32_t lines = 0;
    double delay = 0.0;  // seconds
};

constexpr TimingMessages kPirvoTimingMessages{
    platform::WM_USER + 262,  // 1286
    platform::WM_USER + 263,  // 1287
    platform::WM_USER + 264,  // 1288
    platform::WM_USER + 260,  // 1284: also the Black page's format to the view
    platform::WM_USER + 261,  // 1285: also the Black page's signal to the view
    platform::WM_USER + 265,  // 1289
};
constexpr TimingMessages kKintorTimingMessages{
    platform::WM_USER + 122,  // 1146
    platform::WM_USER + 123,  // 1147
    platform::WM_USER + 124,  // 1148
    platform::WM_USER + 120,  // 1144: also the Output page's format to the view
    platform::WM_USER + 121,  // 1145: also the Output page's signal to the view
    platform::WM_USER + 125,  // 1149
};
constexpr TimingMessages kBrumoTimingMessages{
    platform::WM_USER + 107,  // 1131
    platform::WM_USER + 108,  // 1132
    platform::WM_USER + 109,  // 1133
    platform::WM_USER + 105,  // 1129: also the Output page's format to the view
    0,
    platform::WM_USER + 110,  // 1134
};

}  // namespace corvane
