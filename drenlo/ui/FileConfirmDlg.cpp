#include "drenlo/ui/FileConfirmDlg.h"

#include "resources/drenlo/Resource.h"

namespace drenlo {

CFileConfirmDlg::CFileConfirmDlg(int templateId, platform::CWnd* parent)
    : CDialog(FileConfirmDialogTemplate(templateId), parent) {}

int CFileConfirmDlg::TextControlId() const {
    return GetTemplateId() == IDD_PRESET_FILE ? IDC_PRESET_NAME : IDC_FILE_NAME;
}

void CFileConfirmDlg::SetText(const std::string& text) {
    m_text = text.substr(0, kMaxText);
}

platform::BOOL CFileConfirmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(TextControlId(), m_text);
    return platform::TRUE;
}

CLogoFileDlg::CLogoFileDlg(platform::CWnd* parent) : CFileConfirmDlg(IDD_LOGO_FILE, parent) {}
CPictureFileDlg::CPictureFileDlg(platform::CWnd* parent)
    : CFileConfirmDlg(IDD_PICTURE_FILE, parent) {}
CPresetFileDlg::CPresetFileDlg(platform::CWnd* parent) : CFileConfirmDlg(IDD_PRESET_FILE, parent) {}
CSignalFileDlg::CSignalFileDlg(platform::CWnd* parent) : CFileConfirmDlg(IDD_SIGNAL_FILE, parent) {}
CDownloadFileDlg::CDownloadFileDlg(platform::CWnd* parent)
    : CFileConfirmDlg(IDD_DOWNLOAD_FILE, parent) {}

}  // namespace drenlo
