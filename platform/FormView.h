// CFormView: a view whose content is a child dialog template.
//
// The controls are built from the template as a dialog's are (ControlsHost) and report to the
// view with the same notification rules; data exchange works as in a dialog. The form keeps
// the template's size, and ResizeParentToFit makes the child frame fit it exactly.
#pragma once

#include <QSize>

#include "platform/ControlsHost.h"
#include "platform/DialogTemplate.h"
#include "platform/View.h"

namespace platform {

class CDataExchange;

class CFormView : public CView, public ControlsHost {
public:
    explicit CFormView(const DialogTemplate& formTemplate);
    ~CFormView() override;

    bool Create(QWidget* parent) override;
    // Writes the controls from the members (UpdateData(FALSE)).
    void OnInitialUpdate() override;
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The form's size in pixels.
    QSize FormSize() const { return m_formSize; }
    // Makes the child frame exactly as large as the form.
    void ResizeParentToFit();
    const DialogTemplate& FormTemplate() const { return m_template; }

private:
    DialogTemplate m_template;
    QSize m_formSize;
};

}  // namespace platform
