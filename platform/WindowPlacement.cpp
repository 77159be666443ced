#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Wnd.h"

namespace platform {

bool GetWindowPlacement(const CWnd* window, WINDOWPLACEMENT& placement) {
    QWidget* w = window != nullptr ? window->GetWidget() : nullptr;
    if (w == nullptr)
        return false;
    placement.showCmd = w->isMaximized() ? 3 : (w->isMinimized() ? 2 : 1);
    // The normal rectangle, also while maximised, so a restore comes back to it.
    const QRect normal = w->normalGeometry();
    placement.rcNormalPosition =
        normal.isValid() && (w->isMaximized() || w->isMinimized()) ? normal : w->frameGeometry();
    return true;
}

bool SetWindowPlacement(CWnd* window, const WINDOWPLACEMENT& placement) {
    QWidget* w = window != nullptr ? window->GetWidget() : nullptr;
    if (w == nullptr || !placement.rcNormalPosition.isValid())
        return false;
    const QRect& r = placement.rcNormalPosition;
    w->move(r.topLeft());
    // Frame rectangle to client size: the decoration is what frameGeometry adds.
    const QSize decoration = w->frameGeometry().size() - w->geometry().size();
    w->resize(r.size() - decoration);
    if (placement.showCmd == 3)
        w->showMaximized();
    if (placement.showCmd == 2)
        w->showMinimized();
    return true;
}

QRect GetWindowRect(const CWnd* window) {
    QWidget* w = window != nullptr ? window->GetWidget() : nullptr;
    return w == nullptr ? QRect() : w->frameGeometry();
}

bool RectFitsScreen(const QRect& rect, QSize minimum) {
    if (rect.width() < minimum.width() || rect.height() < minimum.height())
        return false;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = rect.intersected(screen->availableGeometry());
        if (shown.width() >= minimum.width() && shown.height() >= minimum.height())
            return true;
    }
    return false;
}

}  // namespace platform
