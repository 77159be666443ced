// CFolderRunDlg: the main dialog of a utility that runs between one instrument and one PC
// folder (Stowen's backup, Gorrel's restore): the instrument's address, the read-only folder
// edit, "...." to pick the folder, the button that starts the run, and Cancel.
//
// "...." opens the folder picker on the last folder (or the home folder), shows the pick in a
// "Selected folder" box and puts it into the edit. The run itself happens on the
// user-interface thread under the wait cursor: the address is checked and connected first,
// then the address, the folder, "....", the run button and Cancel stay disabled until it ends
// (the windows keep repainting but take no input meanwhile), the settings are stored, and the
// link is closed afterwards. Each program only names its controls and picker title and says
// what the run does.
#pragma once

#include <string>

#include "utilities/common/UtilityDlg.h"

namespace utilities {

class CUtilityApp;

class CFolderRunDlg : public CUtilityDlg {
public:
    struct Controls {
        int address;
        int folder;
        int browse;
        int run;
    };

    CFolderRunDlg(const platform::DialogTemplate& dialogTemplate, CUtilityApp& app,
                  Controls controls, const char* pickerTitle, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    void OnBrowse();
    // The run button: connect, run, disconnect.
    void OnRun();

    const std::string& Folder() const { return m_folder; }

protected:
    // The link is connected; its connection closes after the call.
    virtual void RunWith(CQuarnComm& link, const std::string& folder) = 0;

private:
    void EnableControls(bool enable);

    CUtilityApp& m_app;
    Controls m_controls;
    const char* m_pickerTitle;
    std::string m_folder;
};

}  // namespace utilities
