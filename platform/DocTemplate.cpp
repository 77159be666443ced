#include "platform/DocTemplate.h"

#include <algorithm>

#include "platform/Document.h"
#include "platform/MdiChildWnd.h"
#include "platform/MdiFrameWnd.h"
#include "platform/View.h"
#include "platform/WinApp.h"

namespace platform {

CMultiDocTemplate::CMultiDocTemplate(int resourceId, std::string templateString,
                                     DocumentFactory makeDocument, ViewFactory makeView)
    : m_resourceId(resourceId),
      m_templateString(std::move(templateString)),
      m_makeDocument(std::move(makeDocument)),
      m_makeView(std::move(makeView)) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    CloseAllDocuments();
}

bool CMultiDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
    out.clear();
    size_t start = 0;
    for (int field = 0; field < index; ++field) {
        size_t nl = m_templateString.find('\n', start);
        if (nl == std::string::npos)
            return false;
        start = nl + 1;
    }
    size_t end = m_templateString.find('\n', start);
    out =
        m_templateString.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return !out.empty();
}

void CMultiDocTemplate::SetFactories(DocumentFactory makeDocument, ViewFactory makeView) {
    m_makeDocument = std::move(makeDocument);
    m_makeView = std::move(makeView);
}

bool CMultiDocTemplate::HasFactories() const {
    return m_makeDocument && m_makeView;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const std::string& path, bool makeVisible) {
    auto* mainFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (mainFrame == nullptr || !HasFactories())
        return nullptr;
    std::unique_ptr<CDocument> made = m_makeDocument();
    std::unique_ptr<CView> view = m_makeView();
    if (!made || !view)
        return nullptr;
    CDocument* doc = made.release();  // from here on the document deletes itself
    doc->m_template = this;
    m_documents.push_back(doc);
    auto* frame = new CMDIChildWnd(mainFrame, std::move(view), doc);
    if (!doc->OnOpenDocument(path)) {
        frame->DestroyWindow();  // its view was the document's only one: the document goes too
        return nullptr;
    }
    doc->SetPathName(path);
    if (CView* v = frame->GetActiveView())
        v->OnInitialUpdate();
    frame->ActivateFrame(makeVisible);
    return doc;
}

void CMultiDocTemplate::RemoveDocument(CDocument* document) {
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), document),
                      m_documents.end());
}

bool CMultiDocTemplate::SaveAllModified() {
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* doc : documents)
        if (!doc->SaveModified())
            return false;
    return true;
}

void CMultiDocTemplate::CloseAllDocuments() {
    while (!m_documents.empty()) m_documents.back()->OnCloseDocument();
}

}  // namespace platform
