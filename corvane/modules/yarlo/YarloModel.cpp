#include "corvane/modules/yarlo/YarloModel.h"

#include <memory>

#include "corvane/modules/yarlo/YarloDoc.h"
#include "corvane/modules/yarlo/YarloView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "resources/corvane/YarloForms.h"

namespace corvane {

ModelEntry YarloModel() {
    ModelEntry entry;
    entry.kind = kModuleYarlo;
    entry.docTemplateId = IDR_YARLOTYPE;
    entry.formTemplate = &YarloFormTemplate;
    entry.applyQuestionId = IDS_APPLY_YARLO;
    entry.makeDocument = [] { return std::make_unique<CYarloDoc>(); };
    entry.makeView = [] { return std::make_unique<CYarloView>(); };
    return entry;
}

}  // namespace corvane
