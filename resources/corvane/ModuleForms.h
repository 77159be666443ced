// What every module window shares: the form's tab control, OK, Cancel and Apply and where
// they sit, and the close questions of each model.
#pragma once

#include <vector>

#include "platform/DialogTemplate.h"

namespace corvane {

// Controls every module form carries.
constexpr int IDC_MODULE_TAB = 1008;
constexpr int IDC_MODULE_OK = 1121;
constexpr int IDC_MODULE_CANCEL = 1122;
constexpr int IDC_MODULE_APPLY = 3;

// Where a module form's tab control sits, and its tab pages over the tab's display area
// (dialog units); the view moves the pages onto that area anyway.
constexpr int kModuleTabX = 7;
constexpr int kModuleTabY = 7;
constexpr int kModulePageX = kModuleTabX + 4;
constexpr int kModulePageY = kModuleTabY + 17;

// The form of a module window whose tab pages are `pageCx` x `pageCy` dialog units: the tab
// control around them, the model's own `controls` beside it (each where the model put it), and
// OK, Cancel and Apply in a row under the tab control at the form's right edge, so that they
// never widen the form and its windows fit the first-start main window. Apply starts disabled
// unless `applyEnabled`.
platform::DialogTemplate ModuleForm(int id, int pageCx, int pageCy,
                                    std::vector<platform::ControlTemplate> controls,
                                    bool applyEnabled);

// Strings of the module windows.
constexpr int IDS_INSUFFICIENT_MEMORY = 145;
constexpr int IDS_APPLY_TAVIX = 147;
constexpr int IDS_APPLY_BRUMO = 148;
constexpr int IDS_APPLY_KINTOR = 149;
constexpr int IDS_APPLY_SORMET = 150;
constexpr int IDS_APPLY_ULMETH = 151;
constexpr int IDS_APPLY_PIRVO = 154;
constexpr int IDS_APPLY_OLTRA = 155;
constexpr int IDS_APPLY_YARLO = 161;

// Adds the module windows' strings to the string table; later calls do nothing.
void RegisterModuleStrings();

}  // namespace corvane
