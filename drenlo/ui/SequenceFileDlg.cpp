#include "drenlo/ui/SequenceFileDlg.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/MessageBox.h"
#include "platform/Wnd.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
bool LaunchEditor(const std::string& editor, const std::string& file) {
    const QString path = platform::ToQString(file);
    if (editor.empty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    const QString folder = QFileInfo(path).absolutePath();
    return QProcess::startDetached(platform::ToQString(editor), {path}, folder);
}

CSequenceFileDlg::Launcher& CurrentLauncher() {
    static CSequenceFileDlg::Launcher launcher = LaunchEditor;
    return launcher;
}
}  // namespace

CSequenceFileDlg::CSequenceFileDlg(const std::string& editorPath, platform::CWnd* parent)
    : CFileConfirmDlg(IDD_SEQUENCE_FILE, parent), m_editorPath(editorPath) {}

CSequenceFileDlg::Launcher CSequenceFileDlg::SetLauncher(Launcher launcher) {
    Launcher previous = CurrentLauncher();
    CurrentLauncher() = launcher ? std::move(launcher) : Launcher(LaunchEditor);
    return previous;
}

platform::BOOL CSequenceFileDlg::OnCommand(int id, int code) {
    if (id == IDC_EDIT_SEQUENCE && code == platform::BN_CLICKED) {
        OnEditSequence();
        return platform::TRUE;
    }
    return CFileConfirmDlg::OnCommand(id, code);
}

void CSequenceFileDlg::OnEditSequence() {
    const std::string file = m_filePath.empty() ? GetText() : m_filePath;
    if (!CurrentLauncher()(m_editorPath, file))
        platform::AfxMessageBox("Error: Cannot find this editor", platform::MB_ICONSTOP);
}

}  // namespace drenlo
