#include "corvane/core/RenameDlg.h"

#include <QLineEdit>

#include "platform/MessageBox.h"
#include "resources/corvane/Resource.h"

namespace corvane {

bool CleanPresetName(const std::string& typed, std::string& name) {
    name.clear();
    if (typed.find_first_of("\"'") != std::string::npos)
        return false;
    // Control characters would end the command line early; bytes from 0x80 up do not travel
    // in the instrument's single-byte commands.
    for (char c : typed) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x80)
            name += c;
    }
    return true;
}

namespace {
// The field's text with every character outside ASCII left out before it becomes bytes, so
// that a character Latin-1 cannot hold does not turn into a '?'.
std::string AsciiText(const QString& text) {
    std::string out;
    for (QChar c : text)
        if (c.unicode() < 0x80)
            out += static_cast<char>(c.unicode());
    return out;
}
}  // namespace

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
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(IDC_NEW_NAME));
    const std::string typed =
        edit != nullptr ? AsciiText(edit->text()) : GetDlgItemText(IDC_NEW_NAME);
    if (!CleanPresetName(typed, name)) {
        platform::AfxMessageBox("Can not enter \" and ' character", platform::MB_ICONEXCLAMATION);
        GotoDlgCtrl(IDC_NEW_NAME);
        return;  // the dialog stays open for a corrected name
    }
    m_newName = name;
    CDialog::OnOK();
}

}  // namespace corvane
