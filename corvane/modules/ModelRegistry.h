// The module models Corvane knows, one entry each: what the application needs to register a
// model's document template and what the main frame needs to relay notifications to its views.
// A model's own folder builds its entry; the registry lists the entries in catalogue order.
#pragma once

#include <vector>

#include "corvane/modules/ModuleKind.h"
#include "platform/DialogTemplate.h"
#include "platform/DocTemplate.h"
#include "platform/Types.h"

namespace corvane {

class CMainFrame;

struct ModelEntry {
    ModuleKind kind = kModuleNone;
    // The template string's id; its document name is the model's catalogue name.
    int docTemplateId = 0;
    // The view's form; null while the model's editor is not written.
    const platform::DialogTemplate& (*formTemplate)() = nullptr;
    // The question the document asks before closing with changes.
    int applyQuestionId = 0;
    // Both null while the model's editor is not written: its template then opens nothing.
    platform::CMultiDocTemplate::DocumentFactory makeDocument;
    platform::CMultiDocTemplate::ViewFactory makeView;
    // The relayed messages the model's views take. A clock family goes as itself to the views
    // that take it, and as WM_MODULE_APPLIED to the views that take only that.
    std::vector<platform::UINT> relayed;
    // The main frame's flag that the module catalogue listed this model, for the models other
    // modules ask about (the HD clock family); null for the rest.
    int CMainFrame::*installedFlag = nullptr;

    bool Receives(platform::UINT message) const;
    // The message a view of this model gets for a relayed one, or 0 for none.
    platform::UINT RelayedAs(platform::UINT message) const;
};

// Every model, in the order of its kind (the order the templates are registered in).
const std::vector<ModelEntry>& ModelRegistry();
// The entry of a kind, or null for none or an unknown value.
const ModelEntry* FindModel(ModuleKind kind);

}  // namespace corvane
