#include "utilities/stowen/StowenDlg.h"

#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "resources/stowen/Resource.h"
#include "utilities/common/UtilityApp.h"
#include "utilities/stowen/BackupRunner.h"

namespace stowen {

CStowenDlg::CStowenDlg(utilities::CUtilityApp& app, platform::CWnd* parent)
    : CUtilityDlg(StowenDialogTemplate(), app.Traits(), parent), m_app(app) {}

platform::BOOL CStowenDlg::OnInitDialog() {
    CUtilityDlg::OnInitDialog();
    std::string address;
    m_app.GetSettings(address, m_folder);
    SetAddressControl(IDC_IPADDRESS, address, utilities::UtilityTraits::kDefaultAddress);
    SetDlgItemText(IDC_SOURCE_PATH, m_folder);
    return platform::TRUE;
}

platform::BOOL CStowenDlg::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED && id == IDC_BROWSE) {
        OnBrowse();
        return platform::TRUE;
    }
    if (code == platform::BN_CLICKED && id == IDC_BACKUP) {
        OnBackup();
        return platform::TRUE;
    }
    return CUtilityDlg::OnCommand(id, code);
}

void CStowenDlg::OnBrowse() {
    // The picker opens where the backup went last, or in the home folder.
    std::string folder = platform::IsDirectory(m_folder) ? m_folder : platform::HomeDirectory();
    if (!platform::BrowseForFolder(this, kPickerTitle, folder))
        return;
    platform::MessageBox(this, folder, "Selected folder", platform::MB_OK);
    m_folder = folder;
    SetDlgItemText(IDC_SOURCE_PATH, m_folder);
}

void CStowenDlg::EnableControls(bool enable) {
    for (int id : {IDC_IPADDRESS, IDC_BROWSE, IDC_SOURCE_PATH, IDC_BACKUP, platform::IDCANCEL})
        EnableDlgItem(id, enable);
}

void CStowenDlg::OnBackup() {
    platform::CWaitCursor wait;
    utilities::CQuarnComm* link = m_app.GetLink();
    if (link == nullptr || !ConnectToAddress(IDC_IPADDRESS, *link))
        return;
    EnableControls(false);
    m_app.SetSettings(AddressControlText(IDC_IPADDRESS), m_folder);
    CBackupRunner(*link, this).Run(m_folder);
    link->Disconnect();
    EnableControls(true);
}

}  // namespace stowen
