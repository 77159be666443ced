// Message numbers, notification codes and records of the common controls.
//
// The values are those of Windows, because the programs pass them around as numbers (a page
// sends UDM_SETRANGE with a packed lParam, tests compare codes). ControlsHost.h implements
// them; notifications reach the owner's OnCommand (WM_COMMAND codes, Types.h) or its
// OnNotify / OnVScroll / OnHScroll (the codes below).
#pragma once

#include "platform/Types.h"

namespace platform {

constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;

// Scroll codes an up-down control sends with WM_VSCROLL / WM_HSCROLL: the new position after
// each step, then SB_ENDSCROLL when the operator lets go of the arrow.
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_ENDSCROLL = 8;

// Combo and list box results.
constexpr int CB_OKAY = 0;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;
constexpr int LB_ERR = -1;

// A combo or list box holds at most this many items; an add beyond it answers CB_ERRSPACE,
// so a runaway list shows the program's "no room" path instead of growing without end.
constexpr int kMaxListItems = 32767;

// Edit and combo messages that pages send directly.
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT CB_INITSTORAGE = 0x0161;

// Up-down control messages. UDM_SETRANGE packs the upper limit in the low word and the lower
// limit in the high word, both as signed 16-bit values; UDM_GETPOS answers the position in
// the low word and a nonzero high word when the buddy's text is not a number in range.
constexpr UINT UDM_SETRANGE = 0x0465;
constexpr UINT UDM_GETRANGE = 0x0466;
constexpr UINT UDM_SETPOS = 0x0467;
constexpr UINT UDM_GETPOS = 0x0468;
constexpr UINT UDM_SETBUDDY = 0x0469;
constexpr UINT UDM_GETBUDDY = 0x046A;  // answers the buddy's control id (0: none)
constexpr UINT UDM_SETRANGE32 = 0x046F;
constexpr UINT UDM_GETRANGE32 = 0x0470;  // wParam, lParam: int* lower, int* upper
constexpr UINT UDM_SETPOS32 = 0x0471;
constexpr UINT UDM_GETPOS32 = 0x0472;  // lParam: BOOL* error, may be 0

// Progress bar messages.
constexpr UINT PBM_SETRANGE = 0x0401;
constexpr UINT PBM_SETPOS = 0x0402;
constexpr UINT PBM_DELTAPOS = 0x0403;
constexpr UINT PBM_SETSTEP = 0x0404;
constexpr UINT PBM_STEPIT = 0x0405;
constexpr UINT PBM_SETRANGE32 = 0x0406;
constexpr UINT PBM_GETPOS = 0x0408;

// WM_NOTIFY codes.
constexpr int UDN_DELTAPOS = -722;
constexpr int TCN_SELCHANGE = -551;
constexpr int TCN_SELCHANGING = -552;
constexpr int IPN_FIELDCHANGED = -860;

// The record of UDN_DELTAPOS: the position before the step and the proposed step. The owner
// may change iDelta; answering nonzero cancels the step.
//
// The sign of iDelta follows the range, as on Windows: the up arrow moves the position toward
// the range's second (upper) value. With the default range (lower 100, upper 0) the up arrow
// therefore reports iDelta = -1 and the position goes down.
struct NMUPDOWN {
    int iPos;
    int iDelta;
};

// The record of IPN_FIELDCHANGED: the field (0..3) and its value, -1 when blank.
struct NMIPADDRESS {
    int iField;
    int iValue;
};

}  // namespace platform
