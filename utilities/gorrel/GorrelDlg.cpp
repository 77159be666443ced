#include "utilities/gorrel/GorrelDlg.h"

#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "resources/gorrel/Resource.h"
#include "utilities/common/UtilityApp.h"
#include "utilities/gorrel/ModuleMismatchDlg.h"
#include "utilities/gorrel/RestoreRunner.h"

namespace gorrel {

CGorrelDlg::CGorrelDlg(utilities::CUtilityApp& app, platform::CWnd* parent)
    : CUtilityDlg(GorrelDialogTemplate(), app.Traits(), parent), m_app(app) {}

platform::BOOL CGorrelDlg::OnInitDialog() {
    CUtilityDlg::OnInitDialog();
    std::string address;
    m_app.GetSettings(address, m_folder);
    SetAddressControl(IDC_IPADDRESS, address, utilities::UtilityTraits::kDefaultAddress);
    SetDlgItemText(IDC_SOURCE_PATH, m_folder);
    return platform::TRUE;
}

platform::BOOL CGorrelDlg::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED && id == IDC_BROWSE) {
        OnBrowse();
        return platform::TRUE;
    }
    if (code == platform::BN_CLICKED && id == IDC_RESTORE) {
        OnRestore();
        return platform::TRUE;
    }
    return CUtilityDlg::OnCommand(id, code);
}

void CGorrelDlg::OnBrowse() {
    // The picker opens on the folder restored last, or in the home folder.
    std::string folder = platform::IsDirectory(m_folder) ? m_folder : platform::HomeDirectory();
    if (!platform::BrowseForFolder(this, kPickerTitle, folder))
        return;
    platform::MessageBox(this, folder, "Selected folder", platform::MB_OK);
    m_folder = folder;
    SetDlgItemText(IDC_SOURCE_PATH, m_folder);
}

void CGorrelDlg::EnableControls(bool enable) {
    for (int id : {IDC_IPADDRESS, IDC_BROWSE, IDC_SOURCE_PATH, IDC_RESTORE, platform::IDCANCEL})
        EnableDlgItem(id, enable);
}

void CGorrelDlg::OnRestore() {
    platform::CWaitCursor wait;
    utilities::CQuarnComm* link = m_app.GetLink();
    if (link == nullptr || !ConnectToAddress(IDC_IPADDRESS, *link))
        return;
    EnableControls(false);
    m_app.SetSettings(AddressControlText(IDC_IPADDRESS), m_folder);
    CRestoreRunner runner(*link, this,
                          [this](const std::string& backup, const std::string& installed) {
                              CModuleMismatchDlg(backup, installed, this).DoModal();
                          });
    runner.Run(m_folder);
    link->Disconnect();
    EnableControls(true);
}

}  // namespace gorrel
