#include "platform/SingleDocTemplate.h"

#include <QWidget>

#include "platform/Document.h"
#include "platform/FrameWnd.h"
#include "platform/View.h"
#include "platform/WinApp.h"

namespace platform {

CSingleDocTemplate::CSingleDocTemplate(int resourceId, std::string templateString,
                                       DocumentFactory makeDocument, FrameFactory makeFrame)
    : m_resourceId(resourceId),
      m_templateString(std::move(templateString)),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    CloseAllDocuments();
}

bool CSingleDocTemplate::GetDocString(std::string& out,
                                      CMultiDocTemplate::DocStringIndex index) const {
    out.clear();
    size_t start = 0;
    for (int field = 0; field < index; ++field) {
        const size_t nl = m_templateString.find('\n', start);
        if (nl == std::string::npos)
            return false;
        start = nl + 1;
    }
    const size_t end = m_templateString.find('\n', start);
    out =
        m_templateString.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return !out.empty();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string& path, int showCommand) {
    if (m_document != nullptr && m_frame) {
        // The one document is reused, as a single-document program's File New did.
        const bool ok =
            path.empty() ? m_document->OnNewDocument() : m_document->OnOpenDocument(path);
        if (!ok)
            return nullptr;
        if (!path.empty())
            m_document->SetPathName(path);
        return m_document;
    }
    if (!m_makeDocument || !m_makeFrame)
        return nullptr;
    CDocument* document = m_makeDocument().release();
    if (document == nullptr)
        return nullptr;
    // The document may go with its last view before the template closes it.
    document->SetDeleteNotify([this](CDocument* gone) {
        if (m_document == gone)
            m_document = nullptr;
    });
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    m_frame = m_makeFrame(context);
    m_document = document;
    const bool ok = m_frame && m_frame->IsWindow() &&
                    (path.empty() ? document->OnNewDocument() : document->OnOpenDocument(path));
    if (!ok) {
        CloseAllDocuments();
        return nullptr;
    }
    if (!path.empty())
        document->SetPathName(path);
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = m_frame.get();
    for (CView* view : std::vector<CView*>(document->GetViews())) view->OnInitialUpdate();
    if (QWidget* w = m_frame->GetWidget()) {
        switch (showCommand) {
            case SW_HIDE:
                break;
            case SW_SHOWMINIMIZED:
                w->showMinimized();
                break;
            case SW_SHOWMAXIMIZED:
                w->showMaximized();
                break;
            default:
                w->show();
                break;
        }
    }
    m_frame->OnUpdateFrameTitle();
    return document;
}

void CSingleDocTemplate::CloseAllDocuments() {
    // A document with views deletes itself when the frame takes its last view away; one
    // that never got a view is the template's to delete.
    const bool documentGoesWithViews = m_document != nullptr && !m_document->GetViews().empty();
    if (m_frame) {
        if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == m_frame.get())
            app->m_pMainWnd = nullptr;
        m_frame.reset();
    }
    // Still here: it had no view, or its views live elsewhere; either way it stops reporting
    // to this template.
    if (m_document != nullptr) {
        CDocument* document = m_document;
        m_document = nullptr;
        document->SetDeleteNotify(nullptr);
        if (!documentGoesWithViews)
            delete document;
    }
}

}  // namespace platform
