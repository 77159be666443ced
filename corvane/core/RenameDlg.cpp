#include "corvane/core/RenameDlg.h"

#include "platform/MessageBox.h"
#include "resources/corvane/Resource.h"

namespace corvane {

bool CleanPresetName(const std::string& typed, std::string& name) {
    name.clear();
    if (typed.find_first_of("\"'") != std::string::npos) return false;
    for (char c : typed)
        if (static_cast<unsigned char>(c) < 0x80) name += c;
    return true;
}

CRenameDlg::CRenameDlg(platform::CWnd* parent, std::string currentName)
    : CDialog(RenameDialogTemplate(), parent), m_currentName(std::move(currentName)) {}

platform::BOOL CRenameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CURRENT_NAME, m_currentName);
    LimitText(IDC_NEW_NAME, kMaxNameLength);
    DisableInputMethod(IDC_NEW_NAME);
    return platform::TRUE;
}

void CRenameDlg::OnOK() {
    std::string name;
    if (!CleanPresetName(GetDlgItemText(IDC_NEW_NAME), name)) {
        platform::AfxMessageBox("Can not enter \" and ' character", platform::MB_ICONEXCLAMATION);
        GotoDlgCtrl(IDC_NEW_NAME);
        return;  // the dialog stays open for a corrected name
    }
    m_newName = name;
    CDialog::OnOK();
}

}  // namespace corvane
