#include "corvane/modules/pirvo/PirvoModel.h"

#include <memory>

#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/PirvoForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {

ModelEntry PirvoModel() {
    ModelEntry entry;
    entry.kind = kModulePirvo;
    entry.docTemplateId = IDR_PIRVOTYPE;
    entry.formTemplate = &PirvoFormTemplate;
    entry.applyQuestionId = IDS_APPLY_PIRVO;
    entry.makeDocument = [] { return std::make_unique<CPirvoDoc>(); };
    entry.makeView = [] { return std::make_unique<CPirvoView>(); };
    return entry;
}

}  // namespace corvane
