// CGorrelDlg: Gorrel's main dialog: the instrument's address, the backup folder to restore,
// and the Restore button, which runs one restore from the folder (see CFolderRunDlg for how a
// run holds the dialog). A folder whose backup.cfg does not match the instrument's modules
// brings up the mismatch dialog instead.
#pragma once

#include <string>

#include "utilities/common/FolderRunDlg.h"

namespace gorrel {

class CGorrelDlg : public utilities::CFolderRunDlg {
public:
    static constexpr const char* kPickerTitle = "Select restore folder";

    explicit CGorrelDlg(utilities::CUtilityApp& app, platform::CWnd* parent = nullptr);

protected:
    void RunWith(utilities::CQuarnComm& link, const std::string& folder) override;
};

}  // namespace gorrel
