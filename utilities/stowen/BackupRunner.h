// CBackupRunner: one backup of the instrument's preset files into a PC folder.
//
// What lands in the folder:
//   backup.cfg                    the reply to "inst:cat?", byte for byte, no line end
//   CPU/PRESET/MSTATE.Pnn         the controller's presets (nn 00 to 14)
//   <Model>/PRESET/MSTATE<s>.Pnn  each installed module model's presets (slot s 1 to 4)
// Only presets the instrument lists are fetched, and models that are not installed are
// neither read nor made.
//
// A folder holding backup.cfg is one that restores. So an old backup.cfg goes first, before
// anything is fetched, and the new one is written last, only when every listed preset arrived
// whole (each arrives through a temporary file, see CQuarnComm::UploadFile). A folder whose
// backup stopped part way can therefore never be restored by mistake.
//
// Each model's listing is trusted only when the instrument's error queue is empty after the
// change of folder: an instrument without that PRESET folder stays in the folder it was in
// and would list another model's presets. The queue is emptied before the first listing, so
// an error left by someone else does not pass for ours.
//
// Every failure ends the backup with a stop box "Backup failed after <n> files." naming what
// failed (after the link's own box, when the link failed).
#pragma once

#include <string>

#include "platform/Types.h"

namespace platform {
class CWnd;
}

namespace utilities {
class CQuarnComm;
}

namespace stowen {

class CBackupFolder;
class CPresetListing;

class CBackupRunner {
public:
    static constexpr const char* kCaption = "Stowen";

    CBackupRunner(utilities::CQuarnComm& link, platform::CWnd* owner);

    // The link must be connected. 1 when the backup is complete (and its box shown).
    int Run(const std::string& folder);
    int FileCount() const { return m_count; }

private:
    int BackupModel(const CBackupFolder& folder, const std::string& model);
    int FetchPreset(const CBackupFolder& folder, const std::string& model,
                    const CPresetListing& listing, const std::string& name);
    int EmptyErrorQueue();
    int RemoveOldRestoreInfo(const std::string& path);
    int WriteRestoreInfo(const std::string& path, const std::string& reply);
    int Fail(const std::string& detail);
    void ShowStop(const std::string& text);

    utilities::CQuarnComm& m_link;
    platform::CWnd* m_owner;
    int m_count = 0;
};

}  // namespace stowen
