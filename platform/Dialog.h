// CDialog: a dialog built from a template (DialogTemplate.h), modal or modeless.
//
// The behaviour the programs rely on is that of the Windows dialog manager:
//  - DoModal builds the dialog, runs OnInitDialog, and runs a modal loop until EndDialog;
//    the widgets are destroyed before DoModal returns, so values must be taken in OnOK
//    (UpdateData). It returns the value given to EndDialog.
//  - Enter presses the default push button (BN_CLICKED of its id, IDOK for the usual OK);
//    Escape and the window's close box send IDCANCEL, which reaches OnCancel.
//  - Create makes a modeless dialog. With WS_CHILD in the template's style it is a frameless
//    child widget of the parent at the template's position (the pages over a tab control);
//    Enter and Escape then belong to the window around it. It is visible at once only with
//    WS_VISIBLE in the template's style.
//  - Controls are addressed by id through ControlsHost, with its notification rules.
//
// Tests answer modal dialogs with SetModalDialogHook: DoModal then builds the dialog, runs
// OnInitDialog, shows it (offscreen, so that grab() works) and calls the hook instead of the
// modal loop. The hook acts as the operator (ClickButton, TypeText...) or calls EndDialog;
// when it returns without ending the dialog, DoModal answers IDCANCEL.
#pragma once

#include <functional>
#include <string>

#include "platform/ControlsHost.h"
#include "platform/DialogTemplate.h"
#include "platform/Wnd.h"

class QEventLoop;

namespace platform {

class CDataExchange;

class CDialog : public CWnd, public ControlsHost {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    int DoModal();
    BOOL Create(CWnd* parent);
    void EndDialog(int result);
    void DestroyWindow() override;

    virtual BOOL OnInitDialog();  // UpdateData(FALSE); TRUE
    virtual void OnOK();          // UpdateData(TRUE), then EndDialog(IDOK) when it succeeds
    virtual void OnCancel();      // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // IDOK and IDCANCEL (BN_CLICKED) go to OnOK and OnCancel. Derived classes override this
    // for their own controls and call the base for the rest.
    BOOL OnCommand(int id, int code) override;

    int GetTemplateId() const { return m_template.id; }
    const DialogTemplate& Template() const { return m_template; }
    CWnd* GetParent() const { return m_parent; }
    bool IsModal() const { return m_modal; }
    bool HasEnded() const { return m_ended; }
    int EndResult() const { return m_result; }

    // Keys of the operator, for tests: Enter presses the default button, Escape cancels.
    void PressEnter();
    void PressEscape();

private:
    void BuildWidget(CWnd* parent, bool child);
    int DefaultButtonId() const;

    DialogTemplate m_template;
    CWnd* m_parent;
    bool m_modal = false;
    bool m_ended = false;
    int m_result = IDCANCEL;
    QEventLoop* m_loop = nullptr;
    friend class DialogWidget;
};

using ModalDialogHook = std::function<void(CDialog&)>;
// An empty hook brings back the real modal loop. Returns the hook it replaces.
ModalDialogHook SetModalDialogHook(ModalDialogHook hook);

}  // namespace platform
