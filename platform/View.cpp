#include "platform/View.h"

#include "platform/Document.h"

namespace platform {

CView::CView() = default;

CView::~CView() {
    if (m_document != nullptr)
        m_document->RemoveView(this);
}

bool CView::Create(QWidget* parent) {
    AttachWidget(new QWidget(parent));
    return true;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*) {
    if (QWidget* w = GetWidget())
        w->update();
}

}  // namespace platform
