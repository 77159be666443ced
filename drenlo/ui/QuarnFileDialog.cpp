#include "drenlo/ui/QuarnFileDialog.h"

#include "drenlo/model/FileType.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

namespace drenlo {

CQuarnFileDialog::CQuarnFileDialog(bool openFileDialog, const std::string& title,
                                   platform::CWnd* owner)
    : m_openFileDialog(openFileDialog), m_title(title), m_owner(owner) {}

std::string CQuarnFileDialog::FilterStartingWith(const std::string& filter, int index) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t bar = filter.find('|', start);
        if (bar == std::string::npos || bar == start)
            break;
        fields.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    const size_t pairs = fields.size() / 2;
    if (index < 1 || static_cast<size_t>(index) > pairs)
        return filter;
    std::string result;
    const size_t first = static_cast<size_t>(index - 1);
    result += fields[first * 2] + "|" + fields[first * 2 + 1] + "|";
    for (size_t pair = 0; pair < pairs; ++pair)
        if (pair != first)
            result += fields[pair * 2] + "|" + fields[pair * 2 + 1] + "|";
    return result + "|";
}

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
    const std::string filter = FilterStartingWith(kFilter, m_filterIndex);
    m_paths.clear();
    bool ok;
    if (m_openFileDialog) {
        ok = platform::GetOpenFileName(m_owner, m_title, filter, m_path, &m_paths);
        if (ok && m_paths.empty() && !m_path.empty())
            m_paths.push_back(m_path);
    } else {
        ok = platform::GetSaveFileName(m_owner, m_title, filter, m_path);
        if (ok)
            m_paths.push_back(m_path);
    }
    return ok ? platform::IDOK : platform::IDCANCEL;
}

}  // namespace drenlo
