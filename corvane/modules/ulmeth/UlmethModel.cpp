#include "corvane/modules/ulmeth/UlmethModel.h"

#include <memory>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "corvane/modules/ulmeth/UlmethView.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "resources/corvane/UlmethForms.h"

namespace corvane {

ModelEntry UlmethModel() {
    ModelEntry entry;
    entry.kind = kModuleUlmeth;
    entry.docTemplateId = IDR_ULMETHTYPE;
    entry.formTemplate = &UlmethFormTemplate;
    entry.applyQuestionId = IDS_APPLY_ULMETH;
    entry.makeDocument = [] { return std::make_unique<CUlmethDoc>(); };
    entry.makeView = [] { return std::make_unique<CUlmethView>(); };
    // Its HD clock questions follow the clocks the Brumo and the Kintor run on.
    entry.relayed = {WM_BRUMO_CLOCK_FAMILY, WM_KINTOR_CLOCK_FAMILY};
    entry.installedFlag = &CMainFrame::m_hasUlmeth;
    return entry;
}

}  // namespace corvane
