#include "utilities/common/FolderRunDlg.h"

#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityApp.h"

namespace utilities {

CFolderRunDlg::CFolderRunDlg(const platform::DialogTemplate& dialogTemplate, CUtilityApp& app,
                             Controls controls, const char* pickerTitle, platform::CWnd* parent)
    : CUtilityDlg(dialogTemplate, app.Traits(), parent),
      m_app(app),
      m_controls(controls),
      m_pickerTitle(pickerTitle) {}

platform::BOOL CFolderRunDlg::OnInitDialog() {
    CUtilityDlg::OnInitDialog();
    std::string address;
    m_app.GetSettings(address, m_folder);
    SetAddressControl(m_controls.address, address, UtilityTraits::kDefaultAddress);
    SetDlgItemText(m_controls.folder, m_folder);
    return platform::TRUE;
}

platform::BOOL CFolderRunDlg::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED && id == m_controls.browse) {
        OnBrowse();
        return platform::TRUE;
    }
    if (code == platform::BN_CLICKED && id == m_controls.run) {
        OnRun();
        return platform::TRUE;
    }
    return CUtilityDlg::OnCommand(id, code);
}

void CFolderRunDlg::OnBrowse() {
    // The picker opens on the folder used last, or in the home folder.
    std::string folder = platform::IsDirectory(m_folder) ? m_folder : platform::HomeDirectory();
    if (!platform::BrowseForFolder(this, m_pickerTitle, folder))
        return;
    platform::MessageBox(this, folder, "Selected folder", platform::MB_OK);
    m_folder = folder;
    SetDlgItemText(m_controls.folder, m_folder);
}

void CFolderRunDlg::EnableControls(bool enable) {
    for (int id : {m_controls.address, m_controls.browse, m_controls.folder, m_controls.run,
                   platform::IDCANCEL})
        EnableDlgItem(id, enable);
}

void CFolderRunDlg::OnRun() {
    platform::CWaitCursor wait;
    CQuarnComm* link = m_app.GetLink();
    if (link == nullptr || !ConnectToAddress(m_controls.address, *link))
        return;
    EnableControls(false);
    m_app.SetSettings(AddressControlText(m_controls.address), m_folder);
    RunWith(*link, m_folder);
    link->Disconnect();
    EnableControls(true);
}

}  // namespace utilities
