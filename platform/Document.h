// CDocument: the data behind one or more views, with a modified flag and a title.
//
// A document is created and opened by its template (DocTemplate.h). It deletes itself in
// OnCloseDocument, after its frames and views are gone; a program that keeps a pointer to a
// document learns of its end in the document's destructor.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/CmdTarget.h"
#include "platform/Types.h"

namespace platform {

class CView;
class CFrameWnd;
class CMultiDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual bool OnNewDocument();
    // Called by the template with the path to open; false leaves no window and no document.
    virtual bool OnOpenDocument(const std::string& path);
    // Destroys every frame showing the document, then deletes the document.
    virtual void OnCloseDocument();
    // Asked before the document's last frame closes. The default lets it close.
    virtual bool SaveModified();
    virtual bool CanCloseFrame(CFrameWnd* frame);

    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_title; }
    virtual void SetPathName(const std::string& path);
    const std::string& GetPathName() const { return m_pathName; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Calls OnUpdate of every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* hintObject = nullptr);

    CMultiDocTemplate* GetDocTemplate() const { return m_template; }
    // Told when the document is deleted (a single-document template keeps its pointer).
    void SetDeleteNotify(std::function<void(CDocument*)> notify) {
        m_deleteNotify = std::move(notify);
    }

private:
    friend class CMultiDocTemplate;
    bool m_modified = false;
    bool m_closing = false;
    std::string m_title;
    std::string m_pathName;
    std::vector<CView*> m_views;
    CMultiDocTemplate* m_template = nullptr;
    std::function<void(CDocument*)> m_deleteNotify;
};

}  // namespace platform
