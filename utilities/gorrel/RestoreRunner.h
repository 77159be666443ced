// CRestoreRunner: sends the preset files of a backup folder back to the instrument.
//
// The guard is the module catalogue: the folder's backup.cfg must equal the instrument's
// "inst:cat?" reply byte for byte, otherwise the mismatch dialog shows both and nothing is
// sent. Then, for the controller and each installed model of the fixed table, every
// MSTATE.Pnn (controller) or MSTATE<s>.Pnn (slots 1 to 4) found as a regular file under
// <folder>/<Model>/PRESET goes to /F0:/<Model>/PRESET/ on the instrument. A missing model
// folder or file is skipped.
//
// Nothing partial passes as good: a file that fails stops the restore with a box naming it
// and the count sent so far, and once every file is sent the instrument's error queue is
// read, so files the instrument refused are reported instead of counted as restored. The
// queue is emptied before the first file for that reason.
//
// Paths are made absolute once and the process's current directory is never changed.
#pragma once

#include <functional>
#include <string>

namespace platform {
class CWnd;
}

namespace utilities {
class CQuarnComm;
}

namespace gorrel {

class CRestoreRunner {
public:
    static constexpr const char* kCaption = "Gorrel";
    // Shows the mismatch dialog (backup.cfg's text, the instrument's reply).
    using MismatchHandler =
        std::function<void(const std::string& backupText, const std::string& installedText)>;

    CRestoreRunner(utilities::CQuarnComm& link, platform::CWnd* owner, MismatchHandler mismatch);

    // The link must be connected. 1 when every file was sent and the instrument reported no
    // error (the count box shown).
    int Run(const std::string& folder);
    int FileCount() const { return m_count; }

    static std::string AbsoluteFolder(const std::string& folder);

private:
    bool CheckRestoreInfo(const std::string& folder, const std::string& reply);
    int RestoreModel(const std::string& folder, const std::string& model);
    int EmptyErrorQueue();
    int CheckInstrumentErrors();
    void ShowStop(const std::string& text);

    utilities::CQuarnComm& m_link;
    platform::CWnd* m_owner;
    MismatchHandler m_mismatch;
    int m_count = 0;
};

}  // namespace gorrel
