// The ids and strings every module window shares: the form's tab control, OK, Cancel and
// Apply, and the close questions of each model.
#pragma once

namespace corvane {

// Controls every module form carries.
constexpr int IDC_MODULE_TAB = 1008;
constexpr int IDC_MODULE_OK = 1121;
constexpr int IDC_MODULE_CANCEL = 1122;
constexpr int IDC_MODULE_APPLY = 3;

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
