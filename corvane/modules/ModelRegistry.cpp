#include "corvane/modules/ModelRegistry.h"

#include <algorithm>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/brumo/BrumoModel.h"
#include "corvane/modules/kintor/KintorModel.h"
#include "corvane/modules/oltra/OltraModel.h"
#include "corvane/modules/sormet/SormetModel.h"
#include "corvane/modules/tavix/TavixModel.h"
#include "corvane/modules/ulmeth/UlmethModel.h"
#include "corvane/modules/yarlo/YarloModel.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {

bool ModelEntry::Receives(platform::UINT message) const {
    return std::find(relayed.begin(), relayed.end(), message) != relayed.end();
}

platform::UINT ModelEntry::RelayedAs(platform::UINT message) const {
    if (Receives(message))
        return message;
    return Receives(WM_MODULE_APPLIED) ? WM_MODULE_APPLIED : 0;
}

namespace {

// A model whose editor is not written yet: its template is registered all the same, so that
// the main frame finds it (and opens nothing), and its views' relay is already known.
ModelEntry Pending(ModuleKind kind, int docTemplateId, int applyQuestionId,
                   std::vector<platform::UINT> relayed, int CMainFrame::*installedFlag = nullptr) {
    ModelEntry entry;
    entry.kind = kind;
    entry.docTemplateId = docTemplateId;
    entry.applyQuestionId = applyQuestionId;
    entry.relayed = std::move(relayed);
    entry.installedFlag = installedFlag;
    return entry;
}

}  // namespace

const std::vector<ModelEntry>& ModelRegistry() {
    static const std::vector<ModelEntry> models = [] {
        std::vector<ModelEntry> list{
            TavixModel(),
            BrumoModel(),
            KintorModel(),
            SormetModel(),
            UlmethModel(),
            Pending(kModulePirvo, IDR_PIRVOTYPE, IDS_APPLY_PIRVO, {}),
            OltraModel(),
            YarloModel(),
        };
        std::stable_sort(list.begin(), list.end(),
                         [](const ModelEntry& a, const ModelEntry& b) { return a.kind < b.kind; });
        return list;
    }();
    return models;
}

const ModelEntry* FindModel(ModuleKind kind) {
    for (const ModelEntry& entry : ModelRegistry())
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

}  // namespace corvane
