// CMultiDocTemplate: how to make a document, its view and its child frame.
//
// The template string holds '\n'-separated fields; the second is the document name, by which
// programs find a template. OpenDocumentFile creates the document and its frame, opens the
// document on the path, and shows the frame; when opening fails, nothing is left behind.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class CDocument;
class CView;
class CMDIFrameWnd;

class CMultiDocTemplate {
public:
    enum DocStringIndex {
        windowTitle = 0,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CMultiDocTemplate(int resourceId, std::string templateString, DocumentFactory makeDocument,
                      ViewFactory makeView);
    ~CMultiDocTemplate();

    int GetResourceId() const { return m_resourceId; }
    bool GetDocString(std::string& out, DocStringIndex index) const;
    // Documents and views can be supplied after registration (tests use their own).
    void SetFactories(DocumentFactory makeDocument, ViewFactory makeView);
    bool HasFactories() const;

    // Opens a document in a new child frame of the application's main MDI frame. Returns
    // the document, or null when it could not be created or opened.
    CDocument* OpenDocumentFile(const std::string& path, bool makeVisible = true);
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }
    void RemoveDocument(CDocument* document);
    // Asks every document (SaveModified); false when one refused.
    bool SaveAllModified();
    void CloseAllDocuments();

private:
    int m_resourceId;
    std::string m_templateString;
    DocumentFactory m_makeDocument;
    ViewFactory m_makeView;
    std::vector<CDocument*> m_documents;
};

}  // namespace platform
