// CSingleDocTemplate: one document in the main frame, for programs with a single window.
//
// The template makes the document, then the frame through the program's factory, which
// receives a CCreateContext naming the document: the frame creates its views in OnCreate
// (usually into a splitter, SplitterWnd.h) and adds them to that document. Then the template
// opens or starts the document, calls every view's OnInitialUpdate, makes the frame the
// application's main window and shows it with the given show command.
//
// The template owns the frame; the frame's views belong to the frame (or its splitter), and
// the document deletes itself when its last view goes (Document.h). Destroying the template
// destroys the frame first.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/DocTemplate.h"

namespace platform {

class CDocument;
class CFrameWnd;
class CSingleDocTemplate;

struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    CSingleDocTemplate* m_pNewDocTemplate = nullptr;
};

// ShowWindow commands the programs pass.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    // Creates and loads the frame (LoadFrame) for the context's document; null on failure.
    // A factory that fails destroys any view it already added to the document.
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>(CCreateContext& context)>;

    CSingleDocTemplate(int resourceId, std::string templateString, DocumentFactory makeDocument,
                       FrameFactory makeFrame);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    int GetResourceId() const { return m_resourceId; }
    bool GetDocString(std::string& out, CMultiDocTemplate::DocStringIndex index) const;

    // Empty path: a new document (OnNewDocument); else OnOpenDocument(path). With a document
    // already open it is reused for a new one, as the framework's single-document template
    // did. Returns the document, or null when nothing could be made (nothing is left behind).
    CDocument* OpenDocumentFile(const std::string& path, int showCommand = SW_SHOW);
    CDocument* GetDocument() const { return m_document; }
    CFrameWnd* GetFrame() const { return m_frame.get(); }
    // Destroys the frame (and with it the views and the document).
    void CloseAllDocuments();

private:
    int m_resourceId;
    std::string m_templateString;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    std::unique_ptr<CFrameWnd> m_frame;
    CDocument* m_document = nullptr;
};

}  // namespace platform
