// The Qt window of a frame: its close box asks the frame.
//
// The close goes through the layer's own queue as WM_SYSCOMMAND SC_CLOSE, so a close box
// clicked while a socket call waits is held until the exchange is over, and the frame may
// then destroy this very window. A frame that goes first detaches itself.
//
// A change of the operator's locale reaches the frame as WM_SETTINGCHANGE, queued the same
// way, so lists can show their numbers and dates anew.
#pragma once

#include <QCloseEvent>

#include "platform/Wnd.h"

namespace platform {

template <typename Window>
class CloseToFrame : public Window {
public:
    explicit CloseToFrame(CWnd* frame) : m_frame(frame) {}
    void Detach() { m_frame = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_frame != nullptr)
            m_frame->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LocaleChange && m_frame != nullptr)
            m_frame->PostMessage(WM_SETTINGCHANGE);
        Window::changeEvent(event);
    }

private:
    CWnd* m_frame;
};

}  // namespace platform
