// Notification records shared by the list and tree controls (ListCtrl.h, TreeCtrl.h).
//
// A control reports to its owner window as Windows did: it sends WM_NOTIFY (Controls.h) to
// the owner CWnd with wParam = the control's id and lParam = a pointer to a record that
// starts with NMHDR. The record lives only during the send. The owner's answer (the send's
// result) matters where the code says so (a nonzero answer to a BEGINLABELEDIT refuses the
// edit, a nonzero answer to an ENDLABELEDIT takes the new text, a nonzero answer to
// TVN_ITEMEXPANDING refuses the expansion).
//
// Views that are a control (ListView.h, TreeView.h) receive their own control's
// notifications, as the framework's reflected notifications did.
#pragma once

#include <QPoint>

#include "platform/Controls.h"
#include "platform/Types.h"

namespace platform {

class CWnd;

struct NMHDR {
    CWnd* hwndFrom;  // the control
    WPARAM idFrom;   // its id
    int code;
};

// Codes common to both controls. The point of a mouse notification is the control's
// GetMessagePos(), in the control's own coordinates.
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RETURN = -4;
constexpr int NM_RCLICK = -5;
constexpr int NM_SETFOCUS = -7;
constexpr int NM_KILLFOCUS = -8;

// Keys a control reports with its KEYDOWN notification.
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_F2 = 0x71;
constexpr unsigned VK_BACK = 0x08;

}  // namespace platform
