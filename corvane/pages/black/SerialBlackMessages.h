// The numbers a black output page exchanges with its view, one table per model; 0 where the
// model's page has no such control (the Ulmeth's black page sets no resolution or EDH).
#pragma once

#include <cstdint>

#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"

namespace corvane {

struct SerialBlackMessages {
    // Page -> view: lParam the value, the delay by address.
    platform::UINT format;
    platform::UINT signal;
    platform::UINT lines;
    platform::UINT delay;
    platform::UINT edh;
    platform::UINT bits;
    platform::UINT timingQuery;
    // View -> page after an Apply that sent the black format or delay: read the live timing.
    platform::UINT timingReload;
};

// What the live timing query fills in (its lParam); the query answers 1 when it did.
struct SerialBlackTiming {
    std::int32_t lines = 0;
    double delay = 0.0;  // seconds
};

constexpr SerialBlackMessages kSormetSerialBlack{
    WM_SORMET_BLACK_FORMAT,       WM_SORMET_BLACK_SIGNAL,       WM_SORMET_BLACK_LINES,
    WM_SORMET_BLACK_DELAY,        WM_SORMET_BLACK_EDH,          WM_SORMET_BLACK_BITS,
    WM_SORMET_BLACK_TIMING_QUERY, WM_SORMET_BLACK_TIMING_RELOAD};
constexpr SerialBlackMessages kUlmethSerialBlack{WM_ULMETH_BLACK_FORMAT,
                                                 WM_ULMETH_BLACK_SIGNAL,
                                                 WM_ULMETH_BLACK_LINES,
                                                 WM_ULMETH_BLACK_DELAY,
                                                 0,
                                                 0,
                                                 WM_ULMETH_BLACK_TIMING_QUERY,
                                                 WM_ULMETH_BLACK_TIMING_RELOAD};

}  // namespace corvane
