#include "corvane/modules/kintor/KintorModel.h"

#include <memory>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/kintor/KintorDoc.h"
#include "corvane/modules/kintor/KintorView.h"
#include "resources/corvane/KintorForms.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {

ModelEntry KintorModel() {
    ModelEntry entry;
    entry.kind = kModuleKintor;
    entry.docTemplateId = IDR_KINTORTYPE;
    entry.formTemplate = &KintorFormTemplate;
    entry.applyQuestionId = IDS_APPLY_KINTOR;
    entry.makeDocument = [] { return std::make_unique<CKintorDoc>(); };
    entry.makeView = [] { return std::make_unique<CKintorView>(); };
    // Its output page's HD clock question follows the clocks the Brumo and the Ulmeth run on.
    entry.relayed = {WM_BRUMO_CLOCK_FAMILY, WM_ULMETH_CLOCK_FAMILY};
    entry.installedFlag = &CMainFrame::m_hasKintor;
    return entry;
}

}  // namespace corvane
