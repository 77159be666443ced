#include "platform/MdiChildWnd.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/CloseToFrame.h"
#include "platform/Document.h"
#include "platform/MdiFrameWnd.h"
#include "platform/View.h"

namespace platform {

namespace {

using ChildWindowWidget = CloseToFrame<QMdiSubWindow>;

}  // namespace

CMDIChildWnd::CMDIChildWnd(CMDIFrameWnd* mainFrame, std::unique_ptr<CView> view,
                           CDocument* document)
    : m_mainFrame(mainFrame), m_view(std::move(view)) {
    auto* sub = new ChildWindowWidget(this);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    AttachWidget(sub);
    m_view->m_frame = this;
    m_view->Create(sub);
    sub->setWidget(m_view->GetWidget());
    if (document != nullptr)
        document->AddView(m_view.get());
    if (QMdiArea* area = mainFrame->MdiArea())
        area->addSubWindow(sub);
    mainFrame->AddChild(this);
}

CMDIChildWnd::~CMDIChildWnd() = default;

CDocument* CMDIChildWnd::GetActiveDocument() const {
    return m_view ? m_view->GetDocument() : nullptr;
}

QMdiSubWindow* CMDIChildWnd::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(GetWidget());
}

void CMDIChildWnd::ActivateFrame(bool visible) {
    QMdiSubWindow* sub = SubWindow();
    if (sub == nullptr)
        return;
    OnUpdateFrameTitle();
    if (!visible)
        return;
    sub->show();
    if (QMdiArea* area = m_mainFrame->MdiArea())
        area->setActiveSubWindow(sub);
    m_mainFrame->OnUpdateFrameTitle();
}

void CMDIChildWnd::OnUpdateFrameTitle() {
    if (QMdiSubWindow* sub = SubWindow()) {
        CDocument* doc = GetActiveDocument();
        sub->setWindowTitle(ToQString(doc != nullptr ? doc->GetTitle() : std::string()));
    }
    m_mainFrame->OnUpdateFrameTitle();
}

void CMDIChildWnd::SetFixedFrame() {
    QMdiSubWindow* sub = SubWindow();
    if (sub == nullptr)
        return;
    m_fixed = true;
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
    ResizeToFitView();
}

void CMDIChildWnd::ResizeToFitView() {
    QMdiSubWindow* sub = SubWindow();
    if (sub == nullptr || !m_view || m_view->GetWidget() == nullptr)
        return;
    sub->setMinimumSize(0, 0);
    sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sub->adjustSize();
    if (m_fixed)
        sub->setFixedSize(sub->size());
    // The area placed the window while it was still small; grown to its view, it must not
    // stick out past the area's left or top edge, where no scrolling brings its title back.
    if (sub->x() < 0 || sub->y() < 0)
        sub->move(std::max(0, sub->x()), std::max(0, sub->y()));
}

LRESULT CMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostMessage(WM_SYSCOMMAND, SC_CLOSE);  // dropped if this frame is gone by then
        return 0;
    }
    if (message == WM_SYSCOMMAND && wParam == SC_CLOSE) {
        OnClose();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CMDIChildWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && doc->GetViews().size() == 1) {
        if (!doc->CanCloseFrame(nullptr))
            return false;
        doc->OnCloseDocument();  // destroys this frame too
        return true;
    }
    DestroyWindow();
    return true;
}

void CMDIChildWnd::DestroyWindow() {
    if (m_destroying)
        return;
    m_destroying = true;
    m_mainFrame->RemoveChild(this);
    if (auto* sub = static_cast<ChildWindowWidget*>(SubWindow())) {
        sub->Detach();
        // The widgets may be in the middle of their own event (a button that closes its
        // window); they go from the event loop, silenced, while the view and this frame go
        // now, as the program expects.
        sub->blockSignals(true);
        for (QObject* child : sub->findChildren<QObject*>()) child->blockSignals(true);
        sub->hide();
        if (QMdiArea* area = m_mainFrame->MdiArea())
            area->removeSubWindow(sub);
        sub->deleteLater();
    }
    m_view.reset();  // leaves the document; the last view gone closes it
    delete this;
}

}  // namespace platform
