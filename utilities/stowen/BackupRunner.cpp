#include "utilities/stowen/BackupRunner.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "utilities/common/ErrorQueue.h"
#include "utilities/common/ModuleCatalog.h"
#include "utilities/common/PresetFiles.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/stowen/BackupFolder.h"
#include "utilities/stowen/PresetListing.h"

namespace stowen {

using utilities::InstrumentPresetFolder;
using utilities::Quoted;

CBackupRunner::CBackupRunner(utilities::CQuarnComm& link, platform::CWnd* owner)
    : m_link(link), m_owner(owner) {}

void CBackupRunner::ShowStop(const std::string& text) {
    utilities::ShowStopBox(m_owner, text, kCaption);
}

int CBackupRunner::Fail(const std::string& detail) {
    ShowStop(platform::Format("Backup failed after %d files.", m_count) + "\n\n" + detail);
    return 0;
}

int CBackupRunner::Run(const std::string& typedFolder) {
    m_count = 0;
    CBackupFolder folder(typedFolder);
    if (!CBackupFolder::MakeFolderTree(folder.Path()))
        return Fail("Can not create folder : " + Quoted(folder.Path()));
    std::string infoPath = folder.RestoreInfoPath();
    if (!RemoveOldRestoreInfo(infoPath))
        return Fail("Can not remove the old restore information file : " + Quoted(infoPath));

    if (!m_link.SendCommand("inst:cat?"))
        return Fail("Can not read the installed modules.");
    std::string reply = m_link.ReceiveLine();
    if (reply.empty())
        return Fail("Can not read the installed modules.");
    if (!EmptyErrorQueue())
        return 0;

    utilities::CModuleCatalog catalog(reply);
    for (const char* model : utilities::CModuleCatalog::Models()) {
        if (catalog.IsInstalled(model) && !BackupModel(folder, model))
            return 0;
    }
    if (!WriteRestoreInfo(infoPath, reply))
        return Fail("No restore information was written.");
    platform::MessageBox(m_owner, platform::Format("%d files are backed up.", m_count), kCaption,
                         platform::MB_OK);
    return 1;
}

int CBackupRunner::BackupModel(const CBackupFolder& folder, const std::string& model) {
    std::string instFolder = InstrumentPresetFolder(model);
    std::optional<std::string> reply = m_link.ReadCatalog(instFolder);
    if (!reply || reply->empty())
        return Fail("Can not read the catalogue of " + Quoted(instFolder) + ".");
    long number = 0;
    std::string error;
    if (!utilities::CErrorQueue(m_link).ReadError(number, error))
        return Fail("Can not read the error queue of the instrument.");
    if (number != 0)
        return Fail("The instrument can not open " + Quoted(instFolder) + " : " + error);
    CPresetListing listing;
    if (!listing.Parse(*reply))
        return Fail("The catalogue of " + Quoted(instFolder) + " does not read.");

    for (const std::string& name : utilities::PresetFileNames(model)) {
        if (!FetchPreset(folder, model, listing, name))
            return 0;
    }
    return 1;
}

int CBackupRunner::FetchPreset(const CBackupFolder& folder, const std::string& model,
                               const CPresetListing& listing, const std::string& name) {
    const CPresetListing::Entry* entry = listing.Find(name);
    if (entry == nullptr)
        return 1;
    std::string instPath = InstrumentPresetFolder(model) + name;
    std::uint64_t size = 0;
    if (!CPresetListing::ParseSize(entry->size, size)) {
        return Fail("The size of " + Quoted(instPath) +
                    " in the catalogue does not read : " + Quoted(entry->size));
    }
    std::string pcFolder = folder.PresetFolder(model);
    if (!CBackupFolder::MakeFolderTree(pcFolder))
        return Fail("Can not create folder : " + Quoted(pcFolder));
    std::string pcPath = folder.PresetFile(model, name);
    if (!m_link.UploadFile(instPath, pcPath, static_cast<std::int64_t>(size)))
        return Fail("The file " + Quoted(instPath) + " was not backed up to " + Quoted(pcPath) +
                    ".");
    ++m_count;
    return 1;
}

int CBackupRunner::EmptyErrorQueue() {
    switch (utilities::CErrorQueue(m_link).Empty()) {
        case utilities::CErrorQueue::EmptyResult::kEmptied:
            return 1;
        case utilities::CErrorQueue::EmptyResult::kUnreadable:
            return Fail("Can not read the error queue of the instrument.");
        case utilities::CErrorQueue::EmptyResult::kNeverEmpty:
            break;
    }
    return Fail("The error queue of the instrument does not empty.");
}

int CBackupRunner::RemoveOldRestoreInfo(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? 1 : 0;
    return std::remove(path.c_str()) == 0 ? 1 : 0;
}

int CBackupRunner::WriteRestoreInfo(const std::string& path, const std::string& reply) {
    if (platform::ReplaceFileContent(path, reply.data(), reply.size()))
        return 1;
    // Running out of room is a failed write; anything else kept the file from being made.
    bool writeFailed = errno == ENOSPC || errno == EDQUOT || errno == EIO || errno == EFBIG;
    ShowStop((writeFailed ? "Can not write file : " : "Can not create file : ") + Quoted(path));
    return 0;
}

}  // namespace stowen
