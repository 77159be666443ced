// CGorrelDlg: Gorrel's main dialog: the instrument's address, the backup folder to restore,
// and the Restore button.
//
// A restore runs on the user-interface thread under the wait cursor, with the address, the
// folder, "....", Restore and Cancel disabled until it ends; the windows keep repainting but
// take no input meanwhile. A folder whose backup.cfg does not match the instrument's modules
// brings up the mismatch dialog instead.
#pragma once

#include <string>

#include "utilities/common/UtilityDlg.h"

namespace utilities {
class CUtilityApp;
}

namespace gorrel {

class CGorrelDlg : public utilities::CUtilityDlg {
public:
    static constexpr const char* kPickerTitle = "Select restore folder";

    explicit CGorrelDlg(utilities::CUtilityApp& app, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    void OnBrowse();
    void OnRestore();

    const std::string& Folder() const { return m_folder; }

private:
    void EnableControls(bool enable);

    utilities::CUtilityApp& m_app;
    std::string m_folder;
};

}  // namespace gorrel
