// CQuarnView: the mainframe window's form (File > Open Quarn).
//
// It shows what CQuarnDoc read: the frame reset outputs with the slots that use them, the
// versions of the controller and of every module, the memory use, and the display contrast
// in an edit with a spin. Every change of the contrast text goes to the document at once;
// the document refuses a value out of range and the view puts the old one back.
#pragma once

#include <string>

#include "platform/FormView.h"

namespace corvane {

class CQuarnDoc;

class CQuarnView : public platform::CFormView {
public:
    CQuarnView();
    ~CQuarnView() override;

    CQuarnDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    platform::BOOL OnCommand(int id, int code) override;

    // The view's own copy of the contrast and the edit's text.
    int m_contrast = 0;
    std::string m_contrastText;

private:
    void FillForm();
    void FillFrameReset();
    // The version texts from the "*OPT?" reply; false where the reply stops making sense.
    bool FillVersions();
    void OnContrastChange();
    void OnOk();
    void OnCancel();
    void OnApply();
    platform::LRESULT OnModuleApplied();

    // 0 while the view itself fills the form, so its own writes do not reach the document.
    int m_ready = 0;
};

}  // namespace corvane
