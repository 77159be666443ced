#include "corvane/modules/sormet/SormetModel.h"

#include <memory>

#include "corvane/modules/sormet/SormetDoc.h"
#include "corvane/modules/sormet/SormetView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "resources/corvane/SormetForms.h"

namespace corvane {

ModelEntry SormetModel() {
    ModelEntry entry;
    entry.kind = kModuleSormet;
    entry.docTemplateId = IDR_SORMETTYPE;
    entry.formTemplate = &SormetFormTemplate;
    entry.applyQuestionId = IDS_APPLY_SORMET;
    entry.makeDocument = [] { return std::make_unique<CSormetDoc>(); };
    entry.makeView = [] { return std::make_unique<CSormetView>(); };
    // Nothing another window does changes what the window shows.
    return entry;
}

}  // namespace corvane
