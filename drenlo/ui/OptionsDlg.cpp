#include "drenlo/ui/OptionsDlg.h"

#include "platform/FileDialogs.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
constexpr int kEditorPathLimit = 256;
}

COptionsDlg::COptionsDlg(const std::string& editorPath, platform::CWnd* parent)
    : CDialog(OptionsDialogTemplate(), parent), m_editorPath(editorPath) {}

platform::BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LimitText(IDC_EDITOR_PATH, kEditorPathLimit);
    SetDlgItemText(IDC_EDITOR_PATH, m_editorPath);
    return platform::TRUE;
}

platform::BOOL COptionsDlg::OnCommand(int id, int code) {
    if (id == IDC_BROWSE_EDITOR && code == platform::BN_CLICKED) {
        OnBrowseEditor();
        return platform::TRUE;
    }
    return CDialog::OnCommand(id, code);
}

void COptionsDlg::OnBrowseEditor() {
    // Programs on Linux carry no extension; any file may be the editor.
    std::string path = GetDlgItemText(IDC_EDITOR_PATH);
    if (platform::GetOpenFileName(this, "Editor", "All Files (*)|*||", path))
        SetDlgItemText(IDC_EDITOR_PATH, path);
}

void COptionsDlg::OnOK() {
    m_editorPath = GetDlgItemText(IDC_EDITOR_PATH);
    CDialog::OnOK();
}

}  // namespace drenlo
