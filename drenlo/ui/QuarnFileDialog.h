// CQuarnFileDialog: the file dialog of the copy commands. An open dialog picks PC files for
// "PC to Quarn" (several at once), a save dialog the PC target of one instrument file for
// "Quarn to PC"; both ask before a file is replaced.
//
// The OK button reads "Download" for the open dialog and "Upload" for the save dialog; the
// filter index chooses the filter the dialog starts with (the instrument file's type).
#pragma once

#include <string>
#include <vector>

namespace platform {
class CWnd;
}

namespace drenlo {

class CQuarnFileDialog {
public:
    // The filter of both copy commands, in the Windows form.
    static constexpr const char* kFilter =
        "Download File (*.dnl)|*.dnl|Logo File (*.lgo)|*.lgo|Preset File (*.pst)|*.pst|"
        "Sequence File (*.seq)|*.seq|Signal File (*.cmp)|*.cmp|Picture File (*.pic)|*.pic|"
        "All Files (*.*)|*.*||";

    CQuarnFileDialog(bool openFileDialog, const std::string& title, platform::CWnd* owner);

    // 1-based, as the common dialog counted.
    void SetFilterIndex(int index) { m_filterIndex = index; }
    void SetInitialPath(const std::string& path) { m_path = path; }
    // IDOK or IDCANCEL.
    int DoModal();

    bool IsOpenDialog() const { return m_openFileDialog; }
    // The text the dialog's OK button stands for: "Download" or "Upload".
    const char* OkButtonText() const { return m_openFileDialog ? "Download" : "Upload"; }
    const std::string& GetPathName() const { return m_path; }
    const std::vector<std::string>& GetPathNames() const { return m_paths; }

    // The filter index of a file type (FileType.h): 5 -> 1, 6 -> 2, 9 -> 3, 7 -> 4, 10 -> 5,
    // 8 -> 6, any other -> 7.
    static int FilterIndexOfType(int fileType);

private:
    bool m_openFileDialog;
    std::string m_title;
    platform::CWnd* m_owner;
    int m_filterIndex = 1;
    std::string m_path;
    std::vector<std::string> m_paths;
};

}  // namespace drenlo
