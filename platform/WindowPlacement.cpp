#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Wnd.h"

namespace platform {

namespace {

const char* const kPendingFrameSize = "platform.PendingFrameSize";

// What the frame adds to the window; nothing until the window system has framed it.
QSize Decoration(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}

// A frame size asked for before the window was framed. The window is sized for it once the
// frame appears: on showing offscreen, with the move that reparenting into the frame brings
// under X11. Without a window manager no frame ever comes and the window keeps the size.
class PendingFrameSize : public QObject {
public:
    PendingFrameSize(QWidget* window, QSize frame) : QObject(window), m_frame(frame) {
        setObjectName(kPendingFrameSize);
        window->installEventFilter(this);
    }

    static void Drop(QWidget* window) {
        delete window->findChild<QObject*>(kPendingFrameSize, Qt::FindDirectChildrenOnly);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)
            return false;
        auto* window = static_cast<QWidget*>(watched);
        const QSize decoration = Decoration(window);
        if (decoration.isNull())
            return false;
        window->removeEventFilter(this);
        // A window maximised meanwhile keeps that; its normal size is what was asked for.
        if (window->windowState() == Qt::WindowNoState)
            window->resize(m_frame - decoration);
        deleteLater();
        return false;
    }

private:
    QSize m_frame;
};

}  // namespace

bool GetWindowPlacement(const CWnd* window, WINDOWPLACEMENT& placement) {
    QWidget* w = window != nullptr ? window->GetWidget() : nullptr;
    if (w == nullptr)
        return false;
    placement.showCmd = w->isMaximized() ? 3 : (w->isMinimized() ? 2 : 1);
    // The normal rectangle, also while maximised, so a restore comes back to it. Qt keeps it
    // without the frame; the frame around it is the decoration the window has now.
    const QRect normal = w->normalGeometry();
    if (normal.isValid() && (w->isMaximized() || w->isMinimized())) {
        const QRect frame = w->frameGeometry();
        const QRect inner = w->geometry();
        placement.rcNormalPosition =
            normal.adjusted(frame.left() - inner.left(), frame.top() - inner.top(),
                            frame.right() - inner.right(), frame.bottom() - inner.bottom());
    } else {
        placement.rcNormalPosition = w->frameGeometry();
    }
    return true;
}

bool SetWindowPlacement(CWnd* window, const WINDOWPLACEMENT& placement) {
    QWidget* w = window != nullptr ? window->GetWidget() : nullptr;
    if (w == nullptr || !placement.rcNormalPosition.isValid())
        return false;
    MoveWindowFrame(w, placement.rcNormalPosition);
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

void MoveWindowFrame(QWidget* window, const QRect& frame) {
    if (window == nullptr)
        return;
    PendingFrameSize::Drop(window);
    // A window's position is its frame's corner, also before the frame exists.
    window->move(frame.topLeft());
    const QSize decoration = Decoration(window);
    window->resize(frame.size() - decoration);
    if (decoration.isNull())
        new PendingFrameSize(window, frame.size());
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
