#include "corvane/modules/tavix/TavixModel.h"

#include <memory>

#include "corvane/core/Messages.h"
#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

ModelEntry TavixModel() {
    ModelEntry entry;
    entry.kind = kModuleTavix;
    entry.docTemplateId = IDR_TAVIXTYPE;
    entry.formTemplate = &TavixFormTemplate;
    entry.applyQuestionId = IDS_APPLY_TAVIX;
    entry.makeDocument = [] { return std::make_unique<CTavixDoc>(); };
    entry.makeView = [] { return std::make_unique<CTavixView>(); };
    // Its displayed synchronisation state depends on the reference, which any module's Apply
    // and any clock family change may have moved.
    entry.relayed = {WM_MODULE_APPLIED};
    return entry;
}

}  // namespace corvane
