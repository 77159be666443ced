// CMDIFrameWnd: a frame whose client area holds child frames (CMDIChildWnd).
//
// The command route starts at the active child's view. The Window menu's commands cascade,
// tile and line up minimised children.
#pragma once

#include <vector>

#include "platform/FrameWnd.h"

class QMdiArea;

namespace platform {

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    bool LoadFrame(const MenuTemplate& menu, const std::string& title) override;
    // Makes the client area; a derived frame calls the base first.
    int OnCreate() override;
    QMdiArea* MdiArea() const;
    CMDIChildWnd* MDIGetActive() const;
    CView* GetActiveView() const override;

    // Child frames register themselves.
    void AddChild(CMDIChildWnd* child);
    void RemoveChild(CMDIChildWnd* child);
    const std::vector<CMDIChildWnd*>& Children() const { return m_children; }

    void MDICascade();
    void MDITile();
    void MDIIconArrange();

private:
    std::vector<CMDIChildWnd*> m_children;
};

}  // namespace platform
