// The HD clock family of the other modules, and the relay of the notifications that documents
// post after an Apply.
#include "corvane/core/HdClock.h"
#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/ModelRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/Numbers.h"
#include "platform/View.h"

namespace corvane {

int CMainFrame::HdClockFamily(const std::string& keyword) {
    return corvane::HdClockFamily(keyword);
}

int CMainFrame::FirstSlotOf(ModuleKind kind) const {
    // By the slot's kind rather than its text, so that an unknown model whose name merely
    // contains a known one is never taken for it.
    for (int index = 0; index < kSlotCount; ++index)
        if (g_slotKind[static_cast<size_t>(index)] == kind)
            return index;
    return -1;
}

bool CMainFrame::SelectModule(ModuleKind kind, int slotIndex) {
    return SendCommand(
               platform::Format("INST:SEL \"%s:%d\"", ModelName(kind).c_str(), slotIndex + 1)) != 0;
}

int CMainFrame::QueryBrumoClockFamily() {
    const int slot = FirstSlotOf(kModuleBrumo);
    if (m_hasBrumo == 0 || slot < 0)
        return kClockNoBrumo;
    std::string reply;
    if (!SelectModule(kModuleBrumo, slot) || !Query("OUTP3:STAN?", reply))
        return kClockFailed;
    if (reply == "BB")
        return kClockNoHd;
    return corvane::HdClockFamily(reply);
}

int CMainFrame::QueryUlmethClockFamily() {
    const int slot = FirstSlotOf(kModuleUlmeth);
    if (m_hasUlmeth == 0 || slot < 0)
        return kClockUnknown;
    std::string reply;
    if (!SelectModule(kModuleUlmeth, slot) || !Query("OUTP1:STAN?", reply))
        return kClockFailed;
    return corvane::HdClockFamily(reply);
}

int CMainFrame::QueryKintorClockFamily() {
    const int slot = FirstSlotOf(kModuleKintor);
    if (m_hasKintor == 0 || slot < 0)
        return kClockFailed;
    if (!SelectModule(kModuleKintor, slot))
        return kClockFailed;
    int family[4] = {0, 0, 0, 0};
    for (int output = 1; output <= 4; ++output) {
        std::string reply;
        if (!Query(platform::Format("OUTP%d:STAN?", output), reply))
            return kClockFailed;
        int value = kClockNoHd;
        if (reply != "NTSC" && reply != "NTSC_NSU" && reply != "PAL") {
            value = corvane::HdClockFamily(reply);
            if (value == kClockUnknown)
                return kClockUnknown;
        }
        family[output - 1] = value;
    }
    // Output 4 is asked for, but only outputs 1 to 3 share the clock.
    return CombineKintorOutputs(family[0], family[1], family[2]);
}

}  // namespace corvane

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
