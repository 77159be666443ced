// CMDIChildWnd: the frame of one view inside the MDI frame's client area.
//
// The child frame owns its view. Closing it by its close box asks the document when this is
// the document's last frame (CanCloseFrame) and then closes the document; the work runs from
// the event loop, not inside Qt's close event, because it destroys the window.
#pragma once

#include <memory>
#include <string>

#include "platform/Wnd.h"

class QMdiSubWindow;

namespace platform {

class CView;
class CDocument;
class CMDIFrameWnd;

class CMDIChildWnd : public CWnd {
public:
    CMDIChildWnd(CMDIFrameWnd* mainFrame, std::unique_ptr<CView> view, CDocument* document);
    ~CMDIChildWnd() override;

    CView* GetActiveView() const { return m_view.get(); }
    CDocument* GetActiveDocument() const;
    CMDIFrameWnd* GetMDIFrame() const { return m_mainFrame; }
    QMdiSubWindow* SubWindow() const;

    void ActivateFrame(bool visible = true);
    // Takes away the resizing border and the maximise box (module windows have a fixed size).
    void SetFixedFrame();
    // Makes the frame exactly as large as its view's content.
    void ResizeToFitView();
    // WM_CLOSE closes the frame as its close box does: queued (WM_SYSCOMMAND SC_CLOSE),
    // because the sender is usually a button of the view that the close destroys.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The caption follows the document's title.
    void OnUpdateFrameTitle();
    // The operator closes the window. Returns false when the document refused.
    bool OnClose();
    // Removes the window and deletes this frame object with its view.
    void DestroyWindow() override;

private:
    CMDIFrameWnd* m_mainFrame;
    std::unique_ptr<CView> m_view;
    bool m_destroying = false;
    bool m_fixed = false;
};

}  // namespace platform
