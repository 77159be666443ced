#include "corvane/modules/brumo/BrumoModel.h"

#include <memory>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "corvane/modules/brumo/BrumoView.h"
#include "resources/corvane/BrumoForms.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {

ModelEntry BrumoModel() {
    ModelEntry entry;
    entry.kind = kModuleBrumo;
    entry.docTemplateId = IDR_BRUMOTYPE;
    entry.formTemplate = &BrumoFormTemplate;
    entry.applyQuestionId = IDS_APPLY_BRUMO;
    entry.makeDocument = [] { return std::make_unique<CBrumoDoc>(); };
    entry.makeView = [] { return std::make_unique<CBrumoView>(); };
    // BLACK 3's HD clock question follows the clocks the Kintor and the Ulmeth run on.
    entry.relayed = {WM_KINTOR_CLOCK_FAMILY, WM_ULMETH_CLOCK_FAMILY};
    entry.installedFlag = &CMainFrame::m_hasBrumo;
    return entry;
}

}  // namespace corvane
