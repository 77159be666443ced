#include "platform/FrameWnd.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "platform/CloseToFrame.h"
#include "platform/Document.h"
#include "platform/StatusBar.h"
#include "platform/View.h"
#include "platform/WinApp.h"

namespace platform {

using FrameWindowWidget = CloseToFrame<QMainWindow>;

namespace {
// The smallest size the operator can drag a frame to, as on Windows. It is fixed: a frame's
// minimum never follows its content, so a long status text or tool bar cannot widen the window
// past the screen, and the window system is not told a new minimum at every relayout.
constexpr QSize kMinimumTrackSize(136, 39);
}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    if (auto* w = dynamic_cast<FrameWindowWidget*>(GetWidget())) {
        w->Detach();
        delete w;
    }
}

bool CFrameWnd::LoadFrame(const MenuTemplate& menu, const std::string& title) {
    auto* window = new FrameWindowWidget(this);
    window->setMinimumSize(kMinimumTrackSize);
    AttachWidget(window);
    m_title = title;
    window->setWindowTitle(ToQString(title));
    BuildMenuBar(window->menuBar(), menu);
    ConnectMenus();
    OnCommandId(ID_VIEW_STATUS_BAR, [this] {
        if (m_messageBar == nullptr)
            return;
        m_statusBarVisible = !m_statusBarVisible;
        m_messageBar->ShowWindow(m_statusBarVisible);
    });
    OnUpdateCommand(ID_VIEW_STATUS_BAR, [this](CCmdUI* ui) {
        ui->Enable(m_messageBar != nullptr);
        ui->SetCheck(m_statusBarVisible ? 1 : 0);
    });
    // Like the close box; queued, since the menu that sent it belongs to the window.
    OnCommandId(ID_APP_EXIT, [this] { PostMessage(WM_SYSCOMMAND, SC_CLOSE); });
    if (OnCreate() == -1) {
        DestroyWindow();
        return false;
    }
    return true;
}

int CFrameWnd::OnCreate() {
    return 0;
}

QMainWindow* CFrameWnd::Window() const {
    return qobject_cast<QMainWindow*>(GetWidget());
}

CMenu CFrameWnd::GetMenu() const {
    QMainWindow* w = Window();
    return w == nullptr ? CMenu() : CMenu(w->menuBar());
}

void CFrameWnd::ConnectMenus() {
    QMainWindow* w = Window();
    if (w == nullptr)
        return;
    QMenuBar* bar = w->menuBar();
    QObject::connect(bar, &QMenuBar::triggered, w, [this](QAction* action) {
        int id = ActionId(action);
        if (id != 0)
            OnCmdMsg(id, nullptr);
    });
    // Every menu asks for its items' state when it opens; the top-level menus restore the
    // idle message when they close. Menus are built once; later changes only add and remove
    // plain items, which these connections cover.
    const QList<QMenu*> menus = bar->findChildren<QMenu*>();
    for (QMenu* menu : menus) {
        QObject::connect(menu, &QMenu::aboutToShow, w, [this, menu] { UpdateMenuItems(menu); });
        // While the pointer rests on an item, its prompt shows in the message pane.
        QObject::connect(menu, &QMenu::hovered, w, [this](QAction* action) {
            if (action->menu() != nullptr || action->isSeparator())
                return;
            std::string prompt;
            GetMessageString(ActionId(action), prompt);
            SetMessageText(prompt);
        });
        if (menu->parent() == bar)
            QObject::connect(menu, &QMenu::aboutToHide, w, [this] { ShowIdleMessage(); });
    }
}

void CFrameWnd::UpdateMenuItems(QWidget* menu) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr || action->isSeparator())
            continue;
        int id = ActionId(action);
        if (id == 0)
            continue;
        CCmdUI ui(id);
        bool handled = OnCmdMsg(id, &ui);
        action->setEnabled(handled && ui.m_enabled);
        if (ui.m_checked != 0 || action->isCheckable()) {
            action->setCheckable(true);
            action->setChecked(ui.m_checked != 0);
        }
        if (ui.m_textChanged)
            action->setText(ToQString(ui.m_text));
    }
}

bool CFrameWnd::IsCommandEnabled(int id) {
    CCmdUI ui(id);
    return OnCmdMsg(id, &ui) && ui.m_enabled;
}

bool CFrameWnd::ExecuteCommand(int id) {
    if (!IsCommandEnabled(id))
        return false;
    return OnCmdMsg(id, nullptr);
}

void CFrameWnd::GetMessageString(int id, std::string& message) const {
    message = PromptPart(platform::LoadString(id));
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (m_messageBar != nullptr)
        m_messageBar->SetPaneText(0, text, true);
}

void CFrameWnd::ShowIdleMessage() {
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

bool CFrameWnd::OnCmdMsg(int id, CCmdUI* update) {
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(id, update))
            return true;
        if (CDocument* doc = view->GetDocument())
            if (doc->OnCmdMsg(id, update))
                return true;
    }
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    if (CWinApp* app = AfxGetApp())
        return app->OnCmdMsg(id, update);
    return false;
}

BOOL CFrameWnd::OnCommand(int id, int) {
    return OnCmdMsg(id, nullptr) ? TRUE : FALSE;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && wParam == SC_CLOSE)) {
        OnClose();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::SetActiveView(CView* view) {
    if (m_activeView == view)
        return;
    m_activeView = view;
    if (view != nullptr)
        if (QWidget* w = view->GetWidget())
            w->setFocus();
}

CDocument* CFrameWnd::GetActiveDocument() const {
    CView* view = GetActiveView();
    return view == nullptr ? nullptr : view->GetDocument();
}

bool CFrameWnd::OnClose() {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return false;
        app->CloseAllDocuments();
    } else if (CDocument* doc = GetActiveDocument()) {
        if (!doc->CanCloseFrame(this))
            return false;
    }
    DestroyWindow();
    return true;
}

void CFrameWnd::DestroyWindow() {
    QWidget* w = GetWidget();
    if (w == nullptr)
        return;
    if (auto* frameWidget = dynamic_cast<FrameWindowWidget*>(w))
        frameWidget->Detach();
    m_messageBar = nullptr;
    CWnd::DestroyWindow();
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->OnMainWindowDestroyed();
}

void CFrameWnd::CenterWindow() {
    QWidget* w = GetWidget();
    if (w == nullptr)
        return;
    QScreen* screen = w->screen() != nullptr ? w->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect area = screen->availableGeometry();
    QRect frame = w->frameGeometry();
    w->move(area.center().x() - frame.width() / 2, area.center().y() - frame.height() / 2);
}

void CFrameWnd::OnUpdateFrameTitle() {
    QWidget* w = GetWidget();
    if (w == nullptr)
        return;
    std::string title = m_title;
    if (CDocument* doc = GetActiveDocument(); doc != nullptr && !doc->GetTitle().empty())
        title += " - " + doc->GetTitle();
    w->setWindowTitle(ToQString(title));
}

}  // namespace platform
