// CStowenDlg: Stowen's main dialog: the instrument's address, the backup folder, and the
// Backup button.
//
// A backup runs on the user-interface thread under the wait cursor, with the address, the
// folder, "....", Backup and Cancel disabled until it ends; the windows keep repainting but
// take no input meanwhile.
#pragma once

#include <string>

#include "utilities/common/UtilityDlg.h"

namespace utilities {
class CUtilityApp;
}

namespace stowen {

class CStowenDlg : public utilities::CUtilityDlg {
public:
    static constexpr const char* kPickerTitle = "Select backup folder";

    explicit CStowenDlg(utilities::CUtilityApp& app, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    void OnBrowse();
    void OnBackup();

    const std::string& Folder() const { return m_folder; }

private:
    void EnableControls(bool enable);

    utilities::CUtilityApp& m_app;
    std::string m_folder;
};

}  // namespace stowen
