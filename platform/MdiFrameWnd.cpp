#include "platform/MdiFrameWnd.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/MdiChildWnd.h"
#include "platform/View.h"

namespace platform {

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

bool CMDIFrameWnd::LoadFrame(const MenuTemplate& menu, const std::string& title) {
    OnCommandId(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    OnCommandId(ID_WINDOW_TILE_HORZ, [this] { MDITile(); });
    OnCommandId(ID_WINDOW_ARRANGE, [this] { MDIIconArrange(); });
    return CFrameWnd::LoadFrame(menu, title);
}

int CMDIFrameWnd::OnCreate() {
    if (MdiArea() == nullptr) {
        QMainWindow* window = Window();
        auto* area = new QMdiArea(window);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        window->setCentralWidget(area);
        QObject::connect(area, &QMdiArea::subWindowActivated, window,
                         [this](QMdiSubWindow*) { OnUpdateFrameTitle(); });
    }
    return 0;
}

QMdiArea* CMDIFrameWnd::MdiArea() const {
    QMainWindow* window = Window();
    return window == nullptr ? nullptr : qobject_cast<QMdiArea*>(window->centralWidget());
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const {
    QMdiArea* area = MdiArea();
    if (area == nullptr)
        return nullptr;
    QMdiSubWindow* active = area->activeSubWindow();
    if (active == nullptr && !area->subWindowList().isEmpty() && !area->isActiveWindow())
        active = area->currentSubWindow();
    for (CMDIChildWnd* child : m_children)
        if (child->SubWindow() == active && active != nullptr)
            return child;
    return nullptr;
}

CView* CMDIFrameWnd::GetActiveView() const {
    CMDIChildWnd* child = MDIGetActive();
    return child == nullptr ? nullptr : child->GetActiveView();
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* child) {
    m_children.push_back(child);
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* child) {
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    OnUpdateFrameTitle();
}

void CMDIFrameWnd::MDICascade() {
    if (QMdiArea* area = MdiArea())
        area->cascadeSubWindows();
}

void CMDIFrameWnd::MDITile() {
    if (QMdiArea* area = MdiArea())
        area->tileSubWindows();
}

void CMDIFrameWnd::MDIIconArrange() {
    QMdiArea* area = MdiArea();
    if (area == nullptr)
        return;
    // Minimised children in a row along the bottom of the client area.
    int x = 0;
    const int bottom = area->viewport()->height();
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

}  // namespace platform
