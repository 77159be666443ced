// CStowenDlg: Stowen's main dialog: the instrument's address, the backup folder, and the
// Backup button, which runs one backup into the folder (see CFolderRunDlg for how a run
// holds the dialog).
#pragma once

#include <string>

#include "utilities/common/FolderRunDlg.h"

namespace stowen {

class CStowenDlg : public utilities::CFolderRunDlg {
public:
    static constexpr const char* kPickerTitle = "Select backup folder";

    explicit CStowenDlg(utilities::CUtilityApp& app, platform::CWnd* parent = nullptr);

protected:
    void RunWith(utilities::CQuarnComm& link, const std::string& folder) override;
};

}  // namespace stowen
