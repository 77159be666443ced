#include "platform/FormView.h"

#include <QWidget>

#include "platform/DataExchange.h"
#include "platform/MdiChildWnd.h"

namespace platform {

CFormView::CFormView(const DialogTemplate& formTemplate) : m_template(formTemplate) {}

CFormView::~CFormView() {
    ForgetControls();
}

bool CFormView::Create(QWidget* parent) {
    auto* surface = new QWidget(parent);
    AttachWidget(surface);
    BuildControls(m_template, surface, this);
    m_formSize = MapDialogRect(QRect(0, 0, m_template.cx, m_template.cy), surface->font()).size();
    surface->setMinimumSize(m_formSize);
    surface->resize(m_formSize);
    return true;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
}

void CFormView::DoDataExchange(CDataExchange*) {}

BOOL CFormView::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CFormView::ResizeParentToFit() {
    if (CMDIChildWnd* frame = GetParentFrame())
        frame->ResizeToFitView();
}

}  // namespace platform
