// Window placement: where a top-level window is, for programs that keep it in their settings.
//
// The rectangle is the window's frame in screen coordinates. RectFitsScreen tells whether
// a stored rectangle can be used at all: it must overlap the available area of some screen
// by at least the minimum size, so a window saved on a monitor that is gone, or with a width
// or height of 0, is not restored off-screen or invisible.
#pragma once

#include <QRect>
#include <QSize>

namespace platform {

class CWnd;

struct WINDOWPLACEMENT {
    int showCmd = 1;  // SW_ values (SingleDocTemplate.h)
    QRect rcNormalPosition;
};

bool GetWindowPlacement(const CWnd* window, WINDOWPLACEMENT& placement);
bool SetWindowPlacement(CWnd* window, const WINDOWPLACEMENT& placement);
// The frame rectangle in screen coordinates (empty before the window exists).
QRect GetWindowRect(const CWnd* window);
bool RectFitsScreen(const QRect& rect, QSize minimum = QSize(100, 60));

}  // namespace platform
