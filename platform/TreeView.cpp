#include "platform/TreeView.h"

#include <QVBoxLayout>

namespace platform {

CTreeView::CTreeView(unsigned style) : m_initialStyle(style) {}

CTreeView::~CTreeView() = default;

bool CTreeView::Create(QWidget* parent) {
    auto* surface = new QWidget(parent);
    AttachWidget(surface);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_tree.Create(m_initialStyle, surface, kControlId, this) == 0)
        return false;
    layout->addWidget(m_tree.GetWidget());
    surface->setFocusProxy(m_tree.GetWidget());
    return OnCreate() != -1;
}

LRESULT CTreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam != 0) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->hwndFrom == &m_tree) {
            LRESULT result = 0;
            if (OnNotify(hdr->code, hdr, &result))
                return result;
            return 0;
        }
    }
    return CView::WindowProc(message, wParam, lParam);
}

BOOL CTreeView::OnNotify(int, void*, LRESULT* result) {
    if (result != nullptr)
        *result = 0;
    return FALSE;
}

}  // namespace platform
