#include "utilities/gorrel/GorrelDlg.h"

#include "resources/gorrel/Resource.h"
#include "utilities/gorrel/ModuleMismatchDlg.h"
#include "utilities/gorrel/RestoreRunner.h"

namespace gorrel {

CGorrelDlg::CGorrelDlg(utilities::CUtilityApp& app, platform::CWnd* parent)
    : CFolderRunDlg(GorrelDialogTemplate(), app,
                    {IDC_IPADDRESS, IDC_SOURCE_PATH, IDC_BROWSE, IDC_RESTORE}, kPickerTitle,
                    parent) {}

void CGorrelDlg::RunWith(utilities::CQuarnComm& link, const std::string& folder) {
    CRestoreRunner runner(link, this,
                          [this](const std::string& backup, const std::string& installed) {
                              CModuleMismatchDlg(backup, installed, this).DoModal();
                          });
    runner.Run(folder);
}

}  // namespace gorrel
