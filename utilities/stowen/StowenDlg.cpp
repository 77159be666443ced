#include "utilities/stowen/StowenDlg.h"

#include "resources/stowen/Resource.h"
#include "utilities/stowen/BackupRunner.h"

namespace stowen {

CStowenDlg::CStowenDlg(utilities::CUtilityApp& app, platform::CWnd* parent)
    : CFolderRunDlg(StowenDialogTemplate(), app,
                    {IDC_IPADDRESS, IDC_SOURCE_PATH, IDC_BROWSE, IDC_BACKUP}, kPickerTitle,
                    parent) {}

void CStowenDlg::RunWith(utilities::CQuarnComm& link, const std::string& folder) {
    CBackupRunner(link, this).Run(folder);
}

}  // namespace stowen
