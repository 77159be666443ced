#include "corvane/modules/oltra/OltraModel.h"

#include <memory>

#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/modules/oltra/OltraView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/OltraForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {

ModelEntry OltraModel() {
    ModelEntry entry;
    entry.kind = kModuleOltra;
    entry.docTemplateId = IDR_OLTRATYPE;
    entry.formTemplate = &OltraFormTemplate;
    entry.applyQuestionId = IDS_APPLY_OLTRA;
    entry.makeDocument = [] { return std::make_unique<COltraDoc>(); };
    entry.makeView = [] { return std::make_unique<COltraView>(); };
    return entry;
}

}  // namespace corvane
