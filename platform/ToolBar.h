// CToolBar: the frame's dockable tool bar, built from a resource table.
//
// Each button carries a command id and an image (the program's own drawings); id 0 is a
// separator. A button's tool tip is the string-table text of its id after the '\n', its
// status prompt the text before it: while the pointer rests on a button the prompt shows in
// the frame's message pane, and the idle message comes back when it leaves.
//
// Buttons are enabled and checked through the frame's command route (CmdTarget.h): a button
// no target handles is disabled. The states are refreshed when the event loop is idle (a
// short timer, skipped during blocking waits) and on UpdateButtons(). A click runs the
// command through the route, only when the button is enabled.
//
// The bar can be dragged to any side of the frame or floated (CBRS_ styles accepted as the
// programs give them). Create registers View > Toolbar (ID_VIEW_TOOLBAR) on the frame:
// the command shows or hides the bar and its item is checked while the bar shows.
#pragma once

#include <QIcon>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "platform/Wnd.h"

class QToolBar;
class QTimer;

namespace platform {

class CFrameWnd;

constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int AFX_IDW_TOOLBAR = 59392;

// Styles, accepted for the programs' sake: the Qt bar is always flat, tipped and dockable.
constexpr unsigned TBSTYLE_FLAT = 0x0800;
constexpr unsigned CBRS_ALIGN_ANY = 0xF000;
constexpr unsigned CBRS_TOP = 0x2000;
constexpr unsigned CBRS_GRIPPER = 0x00400000;
constexpr unsigned CBRS_TOOLTIPS = 0x0010;
constexpr unsigned CBRS_FLYBY = 0x0020;
constexpr unsigned CBRS_SIZE_DYNAMIC = 0x0080;

struct ToolBarButton {
    int id = 0;  // 0: a separator
    QIcon icon;
};

struct ToolBarTemplate {
    int id;
    QSize buttonSize{16, 15};
    std::vector<ToolBarButton> buttons;
};

class CToolBar : public CWnd {
public:
    CToolBar();
    ~CToolBar() override;

    // Creates the bar at the top of the frame. 1/0.
    int CreateEx(CFrameWnd* frame, unsigned controlStyle = TBSTYLE_FLAT,
                 unsigned style = CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY,
                 int id = AFX_IDW_TOOLBAR);
    int LoadToolBar(const ToolBarTemplate& toolBar);
    // Accepted; docking is always allowed on every side.
    void EnableDocking(unsigned) {}

    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    int GetItemID(int index) const;  // 0 for separators, -1 out of range
    int CommandToIndex(int id) const;
    bool IsButtonEnabled(int id) const;
    bool IsButtonChecked(int id) const;
    std::string GetButtonToolTip(int id) const;
    bool IsVisible() const;

    // Asks the route for every button's state now.
    void UpdateButtons();

    // Operator actions for tests.
    bool ClickButton(int id);
    bool HoverButton(int id);  // the pointer rests on it (prompt in the message pane)
    void LeaveButtons();       // the pointer leaves the bar

    QToolBar* Bar() const;

private:
    struct Button {
        int id;
        QAction* action;
    };
    CFrameWnd* m_frame = nullptr;
    QPointer<QTimer> m_idleTimer;
    // The frame keeps the View > Toolbar handlers; they check this before they touch the bar.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::vector<Button> m_buttons;
};

}  // namespace platform
