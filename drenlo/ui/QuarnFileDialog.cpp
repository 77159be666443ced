#include "drenlo/ui/QuarnFileDialog.h"

#include "drenlo/model/FileType.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

namespace drenlo {

CQuarnFileDialog::CQuarnFileDialog(bool openFileDialog, const std::string& title,
                                   platform::CWnd* owner)
    : m_openFileDialog(openFileDialog), m_title(title), m_owner(owner) {}

int CQuarnFileDialog::FilterIndexOfType(int fileType) {
    switch (fileType) {
        case kFileDownload:
            return 1;
        case kFileLogo:
            return 2;
        case kFilePreset:
            return 3;
        case kFileSequence:
            return 4;
        case kFileSignal:
            return 5;
        case kFilePicture:
            return 6;
        default:
            return 7;
    }
}

int CQuarnFileDialog::DoModal() {
    platform::FileDialogOptions options;
    options.okLabel = OkButtonText();
    options.filterIndex = m_filterIndex;
    m_paths.clear();
    bool ok;
    if (m_openFileDialog) {
        ok = platform::GetOpenFileName(m_owner, m_title, kFilter, m_path, &m_paths, options);
        if (ok && m_paths.empty() && !m_path.empty())
            m_paths.push_back(m_path);
    } else {
        ok = platform::GetSaveFileName(m_owner, m_title, kFilter, m_path, "", options);
        if (ok)
            m_paths.push_back(m_path);
    }
    return ok ? platform::IDOK : platform::IDCANCEL;
}

}  // namespace drenlo
