// Window placement: where a top-level window is, for programs that keep it in their settings.
//
// The rectangle is the window's frame in screen coordinates. RectFitsScreen tells whether
// a stored rectangle can be used at all: it must overlap the available area of some screen
// by at least the minimum size, so a window saved on a monitor that is gone, or with a width
// or height of 0, is not restored off-screen or invisible.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

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
// Puts a top-level window's frame on the rectangle (screen coordinates), so that a rectangle
// read with GetWindowRect and given back leaves the window where it was. The decoration is
// only known once the window system has framed the window (not before it is first shown,
// and under X11 a little after): until then the window takes the whole size, and it is
// sized again, keeping its frame's corner, when the frame appears.
void MoveWindowFrame(QWidget* window, const QRect& frame);
bool RectFitsScreen(const QRect& rect, QSize minimum = QSize(100, 60));

}  // namespace platform
