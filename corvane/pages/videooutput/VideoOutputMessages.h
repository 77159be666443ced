// The numbers a video output page exchanges with its view, one table per model. A model
// without a control has 0 in its place: the analog models switch three channels and the GBR
// sync, the Oltra also the composite configuration and the APL; the serial models switch Y,
// Pb and Pr and the AV timing, the Sormet also the resolution and the EDH.
#pragma once

#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"
#include "corvane/modules/yarlo/YarloMessages.h"

namespace corvane {

struct VideoOutputMessages {
    // Page -> view.
    platform::UINT channel1;  // CH1 or Y
    platform::UINT channel2;  // CH2 or Pb
    platform::UINT channel3;  // CH3 or Pr
    platform::UINT sync;
    platform::UINT composite;
    platform::UINT aplMode;
    platform::UINT aplPeriod;
    platform::UINT bits;
    platform::UINT edh;
    platform::UINT avTiming;
    // View -> page after an Apply: the output standard may have changed.
    platform::UINT reload;
};

constexpr VideoOutputMessages kOltraVideoOutput{WM_OLTRA_CHANNEL1,
                                                WM_OLTRA_CHANNEL2,
                                                WM_OLTRA_CHANNEL3,
                                                WM_OLTRA_SYNC,
                                                WM_OLTRA_COMPOSITE,
                                                WM_OLTRA_APL_MODE,
                                                WM_OLTRA_APL_PERIOD,
                                                0,
                                                0,
                                                0,
                                                WM_OLTRA_VIDEO_RELOAD};
constexpr VideoOutputMessages kYarloVideoOutput{
    WM_YARLO_CHANNEL1,    WM_YARLO_CHANNEL2, WM_YARLO_CHANNEL3, WM_YARLO_SYNC, 0, 0, 0, 0, 0, 0,
    WM_YARLO_VIDEO_RELOAD};
constexpr VideoOutputMessages kSormetVideoOutput{
    WM_SORMET_VIDEO_Y,    WM_SORMET_VIDEO_PB,  WM_SORMET_VIDEO_PR,  0, 0, 0, 0,
    WM_SORMET_VIDEO_BITS, WM_SORMET_VIDEO_EDH, WM_SORMET_AV_TIMING, 0};
constexpr VideoOutputMessages kUlmethVideoOutput{WM_ULMETH_VIDEO_Y,
                                                 WM_ULMETH_VIDEO_PB,
                                                 WM_ULMETH_VIDEO_PR,
                                                 0,
                                                 0,
                                                 0,
                                                 0,
                                                 0,
                                                 0,
                                                 WM_ULMETH_AV_TIMING,
                                                 0};

}  // namespace corvane
