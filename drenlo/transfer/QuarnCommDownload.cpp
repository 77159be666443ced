// PC to instrument: the job's checks, then one file at a time as a definite-length block on a
// connection of its own.
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "drenlo/comm/CatalogParser.h"
#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/ErrorBox.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileType.h"
#include "drenlo/transfer/BlockHeader.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"

namespace drenlo {

namespace {

std::string NotFoundText(const std::string& path) {
    return "File not found : \"" + path + "\"";
}

std::string NotOpenText(const std::string& path) {
    return "File not open : \"" + path + "\"";
}

std::string TooLargeText(const std::string& path) {
    return "The file is too large to be transferred (1000000000 bytes or more) : \"" + path + "\"";
}

int AskStop(const std::string& text, platform::UINT buttons) {
    platform::MessageBeep(platform::MB_ICONHAND);
    return platform::AfxMessageBox(text, buttons | platform::MB_ICONSTOP);
}

// The size of a regular file; 0 for anything else (a folder passes "exists" but cannot be
// sent as a block).
int RegularFileSize(const std::string& path, std::uint64_t& size) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    size = static_cast<std::uint64_t>(info.st_size);
    return 1;
}

}  // namespace

int CQuarnComm::NameExistsIn(const std::string& reply, const std::string& listed) const {
    // Every text between two neighbouring quotes is tried, not just the entries that read:
    // one entry the walk cannot take must not hide a later name and let its file be
    // overwritten. The texts between entries start with a comma, which no usable name holds.
    std::string::size_type open = reply.find('"');
    while (open != std::string::npos) {
        const std::string::size_type close = reply.find('"', open + 1);
        if (close == std::string::npos)
            break;
        std::string name = reply.substr(open + 1, close - open - 1);
        const std::string::size_type slash = name.find('/');
        if (slash != std::string::npos)
            name.erase(slash);  // a folder of that name blocks it too
        if (!name.empty() && name == listed)
            return 1;
        open = close;
    }
    return 0;
}

int CQuarnComm::CheckLocalFile(CLocalFileItem& record) {
    std::uint64_t size = 0;
    if (!RegularFileSize(record.GetPcPath(), size))
        return 0;
    record.SetSize(size);
    return 1;
}

int CQuarnComm::CheckDownload(const std::vector<std::string>& pcPaths,
                              const std::string& targetFolder) {
    if (m_jobActive)
        return 0;
    m_listView = m_host != nullptr ? m_host->GetListView() : nullptr;
    const bool fromListView = m_host != nullptr && m_host->GetListFolder() == targetFolder &&
                              (m_usedBytes != 0 || m_freeBytes != 0);
    std::string reply;
    if (!fromListView) {
        reply = ReadCatalog(targetFolder);
        double used = 0;
        double free = 0;
        if (reply.empty() || !CCatalogParser::ReadCounts(reply, used, free))
            return 0;
        m_usedBytes = used;
        m_freeBytes = free;
    }
    m_downloadList.RemoveAll();
    m_downloadList.SetFolder(targetFolder);
    std::uint64_t total = 0;
    for (const std::string& path : pcPaths) {
        CLocalFileItem record;
        if (!record.SplitLocalPath(path)) {
            if (AskStop(NotFoundText(path), platform::MB_OKCANCEL) == platform::IDOK)
                continue;
            m_downloadList.RemoveAll();
            return 0;
        }
        const std::string& name = record.GetFileName();
        std::string listed;
        if (!ListedNameFromPcName(name, listed)) {
            ShowErrorBox("This file name cannot be used on the Quarn : \"" + name + "\"");
            m_downloadList.RemoveAll();
            return 0;
        }
        if (fromListView) {
            if (m_host->ListHasItem(listed)) {
                ShowErrorBox("This file already exists : \"" + name + "\"");
                m_downloadList.RemoveAll();
                return 0;
            }
        } else if (NameExistsIn(reply, listed)) {
            if (AskStop("This file already exists : \"" + name + "\"", platform::MB_OKCANCEL) ==
                platform::IDOK) {
                continue;
            }
            m_downloadList.RemoveAll();
            return 0;
        }
        if (!CheckLocalFile(record)) {
            ShowErrorBox(NotFoundText(path));
            m_downloadList.RemoveAll();
            return 0;
        }
        if (record.GetSize() > CBlockHeader::kMaxBlockSize) {
            ShowErrorBox(TooLargeText(path));
            m_downloadList.RemoveAll();
            return 0;
        }
        total += record.GetSize();
        if (!m_downloadList.Add(record)) {
            m_downloadList.RemoveAll();
            return 0;
        }
    }
    if (m_downloadList.IsEmpty())
        return 0;
    const double free = m_freeBytes;
    const std::uint64_t freeBytes =
        free > 0 && free < 1.8e19 ? static_cast<std::uint64_t>(free) : (free > 0 ? UINT64_MAX : 0);
    if (total > freeBytes) {
        ShowErrorBox("Insufficient memory free space in Quarn.");
        m_downloadList.RemoveAll();
        return 0;
    }
    if (m_downloadList.GetCount() > kMaxJobFiles) {
        ShowErrorBox(
            platform::Format("A count of TS files in Quarn will exceed the number of "
                             "limit.\nOnly %d TS file(s) can be downloaded.",
                             kMaxJobFiles));
        m_downloadList.RemoveAll();
        return 0;
    }
    for (int i = 0; i < m_downloadList.GetCount(); ++i) {
        if (!PrepareDownload(*m_downloadList.GetAt(i), targetFolder)) {
            m_downloadList.RemoveAll();
            return 0;
        }
    }
    m_progressDlg = m_host != nullptr ? m_host->CreateProgressDialog() : nullptr;
    if (m_progressDlg == nullptr || m_listView == nullptr) {
        m_progressDlg = nullptr;
        m_downloadList.RemoveAll();
        return 0;
    }
    m_progressWnd = m_progressDlg->GetProgressWindow();
    m_failed.store(0);
    g_cancelFlag.store(0);
    m_anyDataMoved = false;
    m_jobActive = true;
    m_downloadList.First();
    m_listView->SendMessage(WM_DOWNLOAD_NEXT, 0);
    return 1;
}

int CQuarnComm::PrepareDownload(CLocalFileItem& record, const std::string& targetFolder) {
    std::string listed;
    if (!ListedNameFromPcName(record.GetFileName(), listed))
        return 0;
    const std::string head =
        BuildDownloadCommand(record.GetFileName(), targetFolder + "/" + listed);
    if (head.empty())
        return 0;
    record.SetFileType(FileTypeFromName(record.GetFileName()));
    record.SetCommandHead(head);
    return 1;
}

std::string CQuarnComm::BuildDownloadCommand(const std::string& fileName,
                                             const std::string& targetPath) {
    platform::CWaitCursor wait;
    if (!IsQuotableArgument(targetPath) || m_host == nullptr)
        return std::string();
    // The type of the file itself: a folder named like "X.DNLS" must not decide it.
    const int type = FileTypeFromName(fileName);
    if (m_host->ConfirmFile(type, fileName) != platform::IDOK)
        return std::string();
    if (type == kFileDownload)
        return "mmem:load:download ";
    return "mmem:data \"" + targetPath + "\",";
}

int CQuarnComm::DownloadNext(platform::WPARAM wParam) {
    OnWorkerDone();
    if (!m_jobActive)
        return 0;
    if (wParam == 1)
        m_anyDataMoved = true;
    const platform::WPARAM refresh = m_anyDataMoved ? 1 : 0;
    if (m_failed.load() == 1 || g_cancelFlag.load() != 0) {
        EndJob(refresh);
        return 0;
    }
    std::string counter;
    const int count = m_downloadList.GetCount();
    if (count > 1)
        counter = platform::Format("   [%d/%d]", m_downloadList.GetTaken() + 1, count);
    CLocalFileItem* record = m_downloadList.Next();
    if (record != nullptr && DownloadFile(record, m_downloadList.GetFolder(), counter) == 1) {
        return 1;
    }
    EndJob(refresh);
    return 0;
}

int CQuarnComm::DownloadFile(CLocalFileItem* record, const std::string& targetFolder,
                             const std::string& counterText) {
    if (record == nullptr)
        return 0;
    const std::string& path = record->GetPcPath();
    // Opened before anything goes to the instrument, and measured again now: the file may
    // have changed since the job was checked (an editor started from the confirmation), and
    // the header must announce exactly the bytes that follow.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat info {};
    if (file == nullptr || ::fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        if (file != nullptr)
            std::fclose(file);
        ShowErrorBox(NotOpenText(path));
        return 0;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
    const std::string header = CBlockHeader::Format(size);
    if (header.empty()) {
        std::fclose(file);
        ShowErrorBox(TooLargeText(path));
        return 0;
    }
    record->SetSize(size);

    const std::string pcFolder = path.substr(0, path.rfind('/'));
    const std::string::size_type slash = pcFolder.rfind('/');
    const std::string lastPart = slash == std::string::npos ? pcFolder : pcFolder.substr(slash + 1);
    if (m_progressDlg != nullptr) {
        m_progressDlg->StartProgress(record->GetFileName() + counterText, size,
                                     "From '" + lastPart + "' to 'Quarn:" + targetFolder + "'", 1);
    }
    m_transferSize = size;
    m_commandText = record->GetCommandHead() + header;
    Disconnect();
    m_pcPath = path;
    m_sourceFile = file;
    StartWorker(&CQuarnComm::DownloadThreadProc);
    return 1;
}

void CQuarnComm::NotifyDownloadDone(platform::WPARAM wParam) {
    g_workerSocket.Close();
    if (m_sourceFile != nullptr) {
        std::fclose(m_sourceFile);
        m_sourceFile = nullptr;
    }
    if (m_listView != nullptr)
        m_listView->PostMessage(WM_DOWNLOAD_DONE, wParam);
}

void CQuarnComm::DownloadThreadProc() {
    InitThreadSocketState();
    if (!g_workerSocket.Create()) {
        SetWorkerError("Cannot create Socket.");
        NotifyDownloadDone(0);
        return;
    }
    if (g_cancelFlag.load() != 0 || !g_workerSocket.Connect(m_targetHost, kCommandPort)) {
        SetWorkerSocketError();
        NotifyDownloadDone(0);
        return;
    }
    if (g_cancelFlag.load() != 0 ||
        (!m_commandText.empty() &&
         g_workerSocket.Send(m_commandText.data(), static_cast<int>(m_commandText.size())) !=
             static_cast<int>(m_commandText.size()))) {
        SetWorkerSocketError();
        NotifyDownloadDone(0);
        return;
    }

    std::vector<char> buffer(kChunkSize);
    std::uint64_t sent = 0;
    bool failed = false;
    while (sent < m_transferSize) {
        if (g_cancelFlag.load() != 0) {
            failed = true;
            break;
        }
        const std::uint64_t left = m_transferSize - sent;
        const size_t want = left < static_cast<std::uint64_t>(kChunkSize)
                                ? static_cast<size_t>(left)
                                : static_cast<size_t>(kChunkSize);
        const size_t got = std::fread(buffer.data(), 1, want, m_sourceFile);
        if (got != want) {
            // The file shrank or could not be read: the block cannot be completed.
            SetWorkerError("Can not read from the file.");
            failed = true;
            break;
        }
        if (g_workerSocket.Send(buffer.data(), static_cast<int>(got)) != static_cast<int>(got)) {
            SetWorkerSocketError();
            failed = true;
            break;
        }
        sent += got;
        PostProgress(sent, false);
    }
    // The closing line end belongs to the block: without it the instrument has not taken
    // the file, so the copy is not finished.
    if (!failed && g_workerSocket.Send("\r\n", 2) != 2) {
        SetWorkerSocketError();
        failed = true;
    }
    if (!failed) {
        PostProgress(sent, true);
    } else {
        g_workerSocket.ShutDown(2);
        m_failed.store(1);
    }
    NotifyDownloadDone(1);
}

}  // namespace drenlo
