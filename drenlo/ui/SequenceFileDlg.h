// CSequenceFileDlg: the confirmation of a sequence file, with "Edit", which opens the PC file
// in the chosen editor (or, with none chosen, the desktop's default application for it) so the
// operator can look at it before it goes. The editor gets the file's full path as one argument
// and starts in the file's folder, so a name with blanks or a relative name opens the right file.
#pragma once

#include <functional>
#include <string>

#include "drenlo/ui/FileConfirmDlg.h"

namespace drenlo {

class CSequenceFileDlg : public CFileConfirmDlg {
public:
    CSequenceFileDlg(const std::string& editorPath, platform::CWnd* parent = nullptr);

    // The PC file the Edit button opens; the shown text stays the job's.
    void SetFilePath(const std::string& path) { m_filePath = path; }
    platform::BOOL OnCommand(int id, int code) override;
    void OnEditSequence();

    // Starts a program on a file; false when it could not be started. Tests replace it.
    using Launcher = std::function<bool(const std::string& editor, const std::string& file)>;
    static Launcher SetLauncher(Launcher launcher);

private:
    std::string m_editorPath;
    std::string m_filePath;
};

}  // namespace drenlo
