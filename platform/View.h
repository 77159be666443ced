// CView: a window that shows a document inside a child frame.
#pragma once

#include "platform/Types.h"
#include "platform/Wnd.h"

namespace platform {

class CDocument;
class CMDIChildWnd;

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    // Creates the view's widget inside the parent widget; derived views build their content
    // here. The default makes a plain widget.
    virtual bool Create(QWidget* parent);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, void* hintObject);

    CDocument* GetDocument() const { return m_document; }
    CMDIChildWnd* GetParentFrame() const { return m_frame; }

private:
    friend class CDocument;
    friend class CMultiDocTemplate;
    friend class CMDIChildWnd;
    CDocument* m_document = nullptr;
    CMDIChildWnd* m_frame = nullptr;
};

}  // namespace platform
