// The relay of the notifications that documents post after an Apply.
#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/ModelRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/View.h"

namespace corvane {

namespace {

// The one view of a document (every editor document has exactly one).
platform::CView* FirstView(platform::CDocument* document) {
    if (document == nullptr || document->GetViews().empty())
        return nullptr;
    return document->GetViews().front();
}

// Whether a view is the editor of the given model: each template pairs one document class
// with one view class, so the template's document name tells the view's class.
bool IsEditorOf(platform::CView* view, const std::string& model) {
    if (view == nullptr || view->GetDocument() == nullptr)
        return false;
    platform::CMultiDocTemplate* docTemplate = view->GetDocument()->GetDocTemplate();
    std::string name;
    return docTemplate != nullptr &&
           docTemplate->GetDocString(name, platform::CMultiDocTemplate::docName) && name == model;
}

}  // namespace

// Sends a relayed message on to the first view of every open slot document whose model takes
// it, slot by slot; each view has handled it before the next slot is visited.
void CMainFrame::RelayToSlots(platform::UINT message, platform::WPARAM wParam) {
    for (int index = 0; index < kSlotCount; ++index) {
        const ModelEntry* model = FindModel(g_slotKind[static_cast<size_t>(index)]);
        if (model == nullptr)
            continue;
        const platform::UINT sent = model->RelayedAs(message);
        if (sent == 0)
            continue;
        platform::CView* view = FirstView(m_slotDoc[static_cast<size_t>(index)]);
        if (IsEditorOf(view, ModelName(model->kind)))
            view->SendMessage(sent, wParam);
    }
}

void CMainFrame::RegisterRelay() {
    OnMessage(WM_MODULE_APPLIED, [this](platform::WPARAM wParam, platform::LPARAM) {
        platform::CView* quarn = FirstView(m_mainframeDoc);
        if (IsEditorOf(quarn, "Quarn"))
            quarn->SendMessage(WM_MODULE_APPLIED, wParam);
        RelayToSlots(WM_MODULE_APPLIED, wParam);
        return 0;
    });
    for (platform::UINT message :
         {WM_BRUMO_CLOCK_FAMILY, WM_KINTOR_CLOCK_FAMILY, WM_ULMETH_CLOCK_FAMILY})
        OnMessage(message, [this, message](platform::WPARAM wParam, platform::LPARAM) {
            RelayToSlots(message, wParam);
            return 0;
        });
}

}  // namespace corvane
