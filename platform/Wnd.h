// CWnd: a window the programs talk to with messages, as they did on Windows.
//
// A CWnd wraps one Qt widget. Messages:
//  - SendMessage calls WindowProc at once, on the caller's thread, and returns its result.
//    Sends are re-entrant: a handler may send further messages.
//  - PostMessage queues the message and returns at once. It is safe from any thread. The
//    message is delivered on the user-interface thread from the event loop, in posting order,
//    and is dropped if the window is gone by then.
//  - While the user-interface thread is inside a blocking wait (a socket call, see
//    BlockingWait.h) no posted message is delivered; they wait in the layer's own queue until
//    the wait has ended and control is back in an event loop. This keeps a second exchange
//    from starting in the middle of a reply on the one connection.
//
// Timers: SetTimer(id, ms) makes the window receive WM_TIMER (wParam = id) every ms
// milliseconds until KillTimer(id); setting an id again restarts it with the new period.
// Timers belong to the user-interface thread and fire there, also while that thread is
// inside a blocking wait (BlockingWait.h), so a WM_TIMER handler can cancel the blocked
// socket call (CSocket::CancelBlockingCall). A timer never fires inside its own handler.
//
// Private message numbers (WM_USER and up) and control ids live in separate spaces: control
// notifications arrive as WM_COMMAND with the id in the low word of wParam and the code in
// the high word, and are handed to OnCommand; they never collide with a private message of
// the same number.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/CmdTarget.h"
#include "platform/Types.h"

namespace platform {

namespace detail {
struct WndHandle;
class WndTimers;
}  // namespace detail

class CWnd : public CCmdTarget {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The Qt widget behind this window; null before it is created or after Qt destroyed it.
    QWidget* GetWidget() const { return m_widget.data(); }
    bool IsWindow() const { return !m_widget.isNull(); }
    // The CWnd that wraps a widget (or its nearest wrapped ancestor), or null.
    static CWnd* FromWidget(const QWidget* widget);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The handler of one message number, in place of a message-map entry.
    using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;
    void OnMessage(UINT message, MessageHandler handler);

    // Dispatch: WM_COMMAND goes to OnCommand; other numbers to the handler registered with
    // OnMessage; anything else returns 0.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A control notification or a menu command. Return TRUE when handled.
    virtual BOOL OnCommand(int id, int code);

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void ShowWindow(bool show);
    void EnableWindow(bool enable);
    // Brings the top-level window that holds this one to the front and activates it. The
    // active window is already in front: it is left as it is.
    void SetForegroundWindow();
    bool IsWindowEnabled() const;
    void UpdateWindow();  // repaint now
    // In the parent's coordinates; a top-level window's rectangle is its frame's, on the
    // screen (WindowPlacement.h).
    void MoveWindow(int x, int y, int width, int height);
    // Destroys the Qt widget (and so its children). WM_DESTROY is sent first.
    virtual void DestroyWindow();

    // Returns the id (nonzero), or 0 when the timer could not be set (id 0, period < 0).
    WPARAM SetTimer(WPARAM id, UINT elapseMs);
    bool KillTimer(WPARAM id);

protected:
    // Takes the widget as this window's own. The CWnd does not own the widget's lifetime
    // unless the derived class deletes it; Qt's parent/child ownership applies.
    void AttachWidget(QWidget* widget);

private:
    QPointer<QWidget> m_widget;
    std::shared_ptr<detail::WndHandle> m_handle;
    std::unordered_map<UINT, MessageHandler> m_handlers;
    std::unique_ptr<detail::WndTimers> m_timers;
    friend class PostQueue;
};

// Texts in the programs are single-byte; widgets take them as Latin-1.
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

}  // namespace platform
