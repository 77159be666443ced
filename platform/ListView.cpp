#include "platform/ListView.h"

#include <QEvent>
#include <QVBoxLayout>

#include "platform/FrameWnd.h"

namespace platform {

CListView::CListView(unsigned style) : m_initialStyle(style) {}

CListView::~CListView() = default;

bool CListView::Create(QWidget* parent) {
    auto* surface = new QWidget(parent);
    AttachWidget(surface);
    auto* layout = new QVBoxLayout(surface);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_list.Create(m_initialStyle, surface, kControlId, this) == 0)
        return false;
    layout->addWidget(m_list.GetWidget());
    surface->setFocusProxy(m_list.GetWidget());
    return OnCreate() != -1;
}

LRESULT CListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam != 0) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->hwndFrom == &m_list) {
            LRESULT result = 0;
            if (OnNotify(hdr->code, hdr, &result))
                return result;
            return 0;
        }
    }
    return CView::WindowProc(message, wParam, lParam);
}

BOOL CListView::OnNotify(int, void*, LRESULT* result) {
    if (result != nullptr)
        *result = 0;
    return FALSE;
}

}  // namespace platform
