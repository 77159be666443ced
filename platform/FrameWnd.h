// CFrameWnd: a top-level frame window with a menu bar and a status bar.
//
// The frame owns the menu (built from a MenuTemplate) and does what the framework did for it:
// before a menu opens, each item's state is asked along the command route (see CmdTarget.h);
// while the pointer rests on an item, the item's prompt shows in the message pane; when the
// menu closes, the pane goes back to the idle message ("Ready"). Choosing an item routes its
// command. Closing the frame asks its documents, then destroys the window.
#pragma once

#include <string>

#include "platform/Menu.h"
#include "platform/StringTable.h"
#include "platform/Wnd.h"

class QMainWindow;

namespace platform {

class CStatusBar;
class CDocument;
class CView;

// Framework command ids.
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_WINDOW_ARRANGE = 57649;
constexpr int ID_WINDOW_CASCADE = 57650;
constexpr int ID_WINDOW_TILE_HORZ = 57651;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the Qt window with the menu; calls OnCreate (-1 there fails the creation).
    virtual bool LoadFrame(const MenuTemplate& menu, const std::string& title);
    virtual int OnCreate();

    QMainWindow* Window() const;
    CMenu GetMenu() const;
    void SetMessageBar(CStatusBar* bar) { m_messageBar = bar; }
    CStatusBar* GetMessageBar() const { return m_messageBar; }

    // The status prompt of a command: the string table's text for the id, before '\n'.
    virtual void GetMessageString(int id, std::string& message) const;
    void SetMessageText(const std::string& text);
    void SetMessageText(int stringId) { SetMessageText(platform::LoadString(stringId)); }

    // The command route: active view, its document, this frame, the application.
    bool OnCmdMsg(int id, CCmdUI* update) override;
    BOOL OnCommand(int id, int code) override;
    // WM_CLOSE, and the close box or Exit (queued as WM_SYSCOMMAND SC_CLOSE), run OnClose.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs the update route for one id: true when some target enables it.
    bool IsCommandEnabled(int id);
    // Runs the command as the menu would: only when its item is enabled.
    bool ExecuteCommand(int id);

    // The view commands route to first. A frame with several views (a splitter) names it;
    // an MDI frame answers its active child's view. Making a view active gives it the
    // keyboard focus, as the framework did, so focus and command route never disagree.
    virtual CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view);
    virtual CDocument* GetActiveDocument() const;

    // The operator closes the frame: documents are asked (CanCloseFrame), then the window is
    // destroyed. Returns false when the close was refused.
    virtual bool OnClose();
    void DestroyWindow() override;
    void CenterWindow();
    // Caption: the application title, and " - " with the active document's title.
    virtual void OnUpdateFrameTitle();

protected:
    // Shows the idle message again; called when a menu closes.
    void ShowIdleMessage();
    virtual void ConnectMenus();

private:
    void UpdateMenuItems(QWidget* menu);
    CStatusBar* m_messageBar = nullptr;
    CView* m_activeView = nullptr;
    std::string m_title;
    bool m_statusBarVisible = true;
};

}  // namespace platform
