// The numbers an overlay page exchanges with its view, one table per model.
#pragma once

#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/sormet/SormetMessages.h"
#include "corvane/modules/ulmeth/UlmethMessages.h"
#include "corvane/modules/yarlo/YarloMessages.h"

namespace corvane {

struct OverlayMessages {
    // Page -> view.
    platform::UINT logoState;
    platform::UINT logoName;
    platform::UINT logoX;
    platform::UINT logoY;
    platform::UINT textState;
    platform::UINT text;
    platform::UINT textX;
    platform::UINT textY;
    platform::UINT circleState;
    platform::UINT circleX;
    platform::UINT circleY;
    platform::UINT diameter;
    platform::UINT blink;
    // View -> page: the logo settings, or the ID text, were read again.
    platform::UINT logoReload;
    platform::UINT textReload;
};

constexpr OverlayMessages kOltraOverlay{
    WM_OLTRA_LOGO_STATE,   WM_OLTRA_LOGO_NAME,   WM_OLTRA_LOGO_X,     WM_OLTRA_LOGO_Y,
    WM_OLTRA_TEXT_STATE,   WM_OLTRA_TEXT,        WM_OLTRA_TEXT_X,     WM_OLTRA_TEXT_Y,
    WM_OLTRA_CIRCLE_STATE, WM_OLTRA_CIRCLE_X,    WM_OLTRA_CIRCLE_Y,   WM_OLTRA_DIAMETER,
    WM_OLTRA_BLINK,        WM_OLTRA_LOGO_RELOAD, WM_OLTRA_TEXT_RELOAD};
constexpr OverlayMessages kYarloOverlay{
    WM_YARLO_LOGO_STATE,   WM_YARLO_LOGO_NAME,   WM_YARLO_LOGO_X,     WM_YARLO_LOGO_Y,
    WM_YARLO_TEXT_STATE,   WM_YARLO_TEXT,        WM_YARLO_TEXT_X,     WM_YARLO_TEXT_Y,
    WM_YARLO_CIRCLE_STATE, WM_YARLO_CIRCLE_X,    WM_YARLO_CIRCLE_Y,   WM_YARLO_DIAMETER,
    WM_YARLO_BLINK,        WM_YARLO_LOGO_RELOAD, WM_YARLO_TEXT_RELOAD};
constexpr OverlayMessages kSormetOverlay{
    WM_SORMET_LOGO_STATE,   WM_SORMET_LOGO_NAME,   WM_SORMET_LOGO_X,     WM_SORMET_LOGO_Y,
    WM_SORMET_TEXT_STATE,   WM_SORMET_TEXT,        WM_SORMET_TEXT_X,     WM_SORMET_TEXT_Y,
    WM_SORMET_CIRCLE_STATE, WM_SORMET_CIRCLE_X,    WM_SORMET_CIRCLE_Y,   WM_SORMET_DIAMETER,
    WM_SORMET_BLINK,        WM_SORMET_LOGO_RELOAD, WM_SORMET_TEXT_RELOAD};
constexpr OverlayMessages kUlmethOverlay{
    WM_ULMETH_LOGO_STATE,   WM_ULMETH_LOGO_NAME,   WM_ULMETH_LOGO_X,     WM_ULMETH_LOGO_Y,
    WM_ULMETH_TEXT_STATE,   WM_ULMETH_TEXT,        WM_ULMETH_TEXT_X,     WM_ULMETH_TEXT_Y,
    WM_ULMETH_CIRCLE_STATE, WM_ULMETH_CIRCLE_X,    WM_ULMETH_CIRCLE_Y,   WM_ULMETH_DIAMETER,
    WM_ULMETH_BLINK,        WM_ULMETH_LOGO_RELOAD, WM_ULMETH_TEXT_RELOAD};

}  // namespace corvane
