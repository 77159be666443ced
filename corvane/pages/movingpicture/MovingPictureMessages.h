// The numbers a moving picture page sends its view, one table per model. The page takes no
// message from its view.
#pragma once

#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"
#include "corvane/modules/yarlo/YarloMessages.h"

namespace corvane {

struct MovingPictureMessages {
    platform::UINT horizontalStep;
    platform::UINT verticalStep;
    platform::UINT period;
    platform::UINT random;
};

constexpr MovingPictureMessages kOltraMovingPicture{WM_OLTRA_MOVING_HSTEP, WM_OLTRA_MOVING_VSTEP,
                                                    WM_OLTRA_MOVING_PERIOD, WM_OLTRA_MOVING_RANDOM};
constexpr MovingPictureMessages kYarloMovingPicture{WM_YARLO_MOVING_HSTEP, WM_YARLO_MOVING_VSTEP,
                                                    WM_YARLO_MOVING_PERIOD, WM_YARLO_MOVING_RANDOM};
constexpr MovingPictureMessages kSormetMovingPicture{WM_SORMET_MOVING_HSTEP, WM_SORMET_MOVING_VSTEP,
                                                     WM_SORMET_MOVING_PERIOD,
                                                     WM_SORMET_MOVING_RANDOM};
constexpr MovingPictureMessages kUlmethMovingPicture{WM_ULMETH_MOVING_HSTEP, WM_ULMETH_MOVING_VSTEP,
                                                     WM_ULMETH_MOVING_PERIOD,
                                                     WM_ULMETH_MOVING_RANDOM};

}  // namespace corvane
