// The numbers a signal page exchanges with its view, one table per model, so that one page
// class serves all four.
#pragma once

#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"
#include "corvane/modules/yarlo/YarloMessages.h"

namespace corvane {

struct VideoSignalMessages {
    // Page -> view.
    platform::UINT format;
    platform::UINT signalSet;
    platform::UINT signal;
    platform::UINT lines;
    platform::UINT delay;
    platform::UINT framePicture;
    platform::UINT pictureSet;
    platform::UINT picture;
    platform::UINT timingQuery;
    // View -> page: the format was stored (set the timing limits again); read the live timing.
    platform::UINT setLimits;
    platform::UINT timingReload;
};

constexpr VideoSignalMessages kOltraVideoSignal{
    WM_OLTRA_FORMAT,       WM_OLTRA_SIGNAL_SET,    WM_OLTRA_SIGNAL,       WM_OLTRA_LINES,
    WM_OLTRA_DELAY,        WM_OLTRA_FRAME_PICTURE, WM_OLTRA_PICTURE_SET,  WM_OLTRA_PICTURE,
    WM_OLTRA_TIMING_QUERY, WM_OLTRA_FORMAT,        WM_OLTRA_TIMING_RELOAD};
constexpr VideoSignalMessages kYarloVideoSignal{
    WM_YARLO_FORMAT,       WM_YARLO_SIGNAL_SET,    WM_YARLO_SIGNAL,       WM_YARLO_LINES,
    WM_YARLO_DELAY,        WM_YARLO_FRAME_PICTURE, WM_YARLO_PICTURE_SET,  WM_YARLO_PICTURE,
    WM_YARLO_TIMING_QUERY, WM_YARLO_FORMAT,        WM_YARLO_TIMING_RELOAD};
constexpr VideoSignalMessages kSormetVideoSignal{
    WM_SORMET_FORMAT,       WM_SORMET_SIGNAL_SET,    WM_SORMET_SIGNAL,       WM_SORMET_LINES,
    WM_SORMET_DELAY,        WM_SORMET_FRAME_PICTURE, WM_SORMET_PICTURE_SET,  WM_SORMET_PICTURE,
    WM_SORMET_TIMING_QUERY, WM_SORMET_FORMAT,        WM_SORMET_TIMING_RELOAD};
constexpr VideoSignalMessages kUlmethVideoSignal{
    WM_ULMETH_FORMAT,       WM_ULMETH_SIGNAL_SET,    WM_ULMETH_SIGNAL,       WM_ULMETH_LINES,
    WM_ULMETH_DELAY,        WM_ULMETH_FRAME_PICTURE, WM_ULMETH_PICTURE_SET,  WM_ULMETH_PICTURE,
    WM_ULMETH_TIMING_QUERY, WM_ULMETH_FORMAT,        WM_ULMETH_TIMING_RELOAD};

}  // namespace corvane
