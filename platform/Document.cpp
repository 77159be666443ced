#include "platform/Document.h"

#include <algorithm>

#include "platform/DocTemplate.h"
#include "platform/MdiChildWnd.h"
#include "platform/View.h"

namespace platform {

CDocument::CDocument() = default;
CDocument::~CDocument() {
    if (m_deleteNotify)
        m_deleteNotify(this);
}

bool CDocument::OnNewDocument() {
    m_modified = false;
    return true;
}

bool CDocument::OnOpenDocument(const std::string&) {
    m_modified = false;
    return true;
}

void CDocument::OnCloseDocument() {
    if (m_closing)
        return;
    m_closing = true;
    // Destroying a frame deletes its view, which takes itself out of m_views.
    while (!m_views.empty()) {
        CView* view = m_views.back();
        if (CMDIChildWnd* frame = view->GetParentFrame()) {
            frame->DestroyWindow();
        } else {
            RemoveView(view);
        }
    }
    if (m_template != nullptr)
        m_template->RemoveDocument(this);
    delete this;
}

bool CDocument::SaveModified() {
    return true;
}

bool CDocument::CanCloseFrame(CFrameWnd*) {
    return SaveModified();
}

void CDocument::SetTitle(const std::string& title) {
    m_title = title;
    for (CView* view : m_views)
        if (CMDIChildWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const std::string& path) {
    m_pathName = path;
    std::string::size_type slash = path.find_last_of('/');
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_document = this;
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_document = nullptr;
    // A document lives as long as something shows it.
    if (m_views.empty() && !m_closing)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* hintObject) {
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}

}  // namespace platform
