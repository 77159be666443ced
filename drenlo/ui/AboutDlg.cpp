#include "drenlo/ui/AboutDlg.h"

#include "drenlo/ui/VersionInfo.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

CAboutDlg::CAboutDlg(platform::CWnd* parent) : CDialog(AboutDialogTemplate(), parent) {}

platform::BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CVersionInfo version;
    version.Load();
    SetDlgItemText(IDC_VERSION, version.Get(CVersionInfo::kProductVersion));
    return platform::TRUE;
}

}  // namespace drenlo
