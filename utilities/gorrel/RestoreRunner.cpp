#include "utilities/gorrel/RestoreRunner.h"

#include <sys/stat.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "utilities/common/ErrorQueue.h"
#include "utilities/common/ModuleCatalog.h"
#include "utilities/common/PresetFiles.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/gorrel/RestoreInfo.h"

namespace gorrel {

using utilities::Quoted;

CRestoreRunner::CRestoreRunner(utilities::CQuarnComm& link, platform::CWnd* owner,
                               MismatchHandler mismatch)
    : m_link(link), m_owner(owner), m_mismatch(std::move(mismatch)) {}

std::string CRestoreRunner::AbsoluteFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    if (ec)
        return folder;
    std::string text = absolute.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

void CRestoreRunner::ShowStop(const std::string& text) {
    utilities::ShowStopBox(m_owner, text, kCaption);
}

int CRestoreRunner::Run(const std::string& typedFolder) {
    m_count = 0;
    std::string folder = typedFolder.empty() ? std::string() : AbsoluteFolder(typedFolder);
    if (folder.empty() || !platform::IsDirectory(folder)) {
        ShowStop("Can not find selected directory.");
        return 0;
    }
    std::string reply;
    if (m_link.SendCommand("inst:cat?"))
        reply = m_link.ReceiveLine();
    if (reply.empty()) {
        ShowStop("Can not read the installed modules.\n\nCan not restore.");
        return 0;
    }
    if (!CheckRestoreInfo(folder, reply))
        return 0;
    if (!EmptyErrorQueue())
        return 0;
    utilities::CModuleCatalog catalog(reply);
    for (const char* model : utilities::CModuleCatalog::Models()) {
        if (catalog.IsInstalled(model) && !RestoreModel(folder, model))
            return 0;
    }
    if (!CheckInstrumentErrors())
        return 0;
    platform::MessageBox(m_owner, platform::Format("%d files are restored.", m_count), kCaption,
                         platform::MB_OK);
    return 1;
}

bool CRestoreRunner::CheckRestoreInfo(const std::string& folder, const std::string& reply) {
    CRestoreInfo info;
    switch (info.Read(folder)) {
        case CRestoreInfo::ReadResult::kMissing:
            ShowStop("Can not find restore information file.\n\nCan not restore.");
            return false;
        case CRestoreInfo::ReadResult::kEmpty:
            ShowStop("Can not read restore information file.\n\nCan not restore.");
            return false;
        case CRestoreInfo::ReadResult::kRead:
            break;
    }
    if (info.Matches(reply))
        return true;
    if (m_mismatch)
        m_mismatch(info.Text(), reply);
    return false;
}

int CRestoreRunner::RestoreModel(const std::string& folder, const std::string& model) {
    std::string pcFolder = folder + (folder == "/" ? "" : "/") + model + "/PRESET";
    if (!platform::IsDirectory(pcFolder))
        return 1;
    for (const std::string& name : utilities::PresetFileNames(model)) {
        std::string pcPath = pcFolder + "/" + name;
        // A folder or device of a preset's name is not a preset.
        struct stat info {};
        if (stat(pcPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        std::string instPath = utilities::InstrumentPresetFolder(model) + name;
        if (!m_link.DownloadFile(pcPath, instPath, static_cast<std::int64_t>(info.st_size))) {
            ShowStop(platform::Format("Restore stopped after %d files.", m_count) +
                     "\n\nThe file " + Quoted(pcPath) + " was not restored to " + Quoted(instPath) +
                     ".");
            return 0;
        }
        ++m_count;
    }
    return 1;
}

int CRestoreRunner::EmptyErrorQueue() {
    if (utilities::CErrorQueue(m_link).Empty() == utilities::CErrorQueue::EmptyResult::kEmptied)
        return 1;
    ShowStop("Can not read the error queue of the instrument.\n\nCan not restore.");
    return 0;
}

int CRestoreRunner::CheckInstrumentErrors() {
    utilities::CErrorQueue queue(m_link);
    std::string errors;
    for (int i = 0; i < utilities::CErrorQueue::kMaxQueuedErrors; ++i) {
        long number = 0;
        std::string reply;
        if (!queue.ReadError(number, reply)) {
            ShowStop(
                platform::Format("%d files were sent, but the error queue of the instrument "
                                 "does not read.\n\nThe presets may not all be restored.",
                                 m_count));
            return 0;
        }
        if (number == 0)
            break;
        errors += "\n" + reply;
    }
    if (errors.empty())
        return 1;
    ShowStop(platform::Format("%d files were sent, but the instrument reported:", m_count) +
             errors + "\n\nThe presets may not all be restored.");
    return 0;
}

}  // namespace gorrel
