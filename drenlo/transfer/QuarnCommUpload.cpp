// Instrument to PC: one file at a time, received into a temporary file beside the target that
// replaces it only once the full listed size has arrived.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/ErrorBox.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/BlockHeader.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/MessageBox.h"

namespace drenlo {

namespace {

void Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

const char kFormatInvalid[] = "Error: Data format invalid.";

// The process's umask as it is now. /proc tells it without changing it; only where /proc is
// missing is it set and put back, and then only once, as other threads could
// create files in between.
mode_t ProcessUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned value = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr) {
            found = std::sscanf(line, "Umask: %o", &value) == 1;
        }
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(value & 0777);
    }
    static const mode_t swapped = [] {
        const mode_t old = ::umask(022);
        ::umask(old);
        return old;
    }();
    return swapped;
}

// A temporary file in `folder`, hidden, named after the target so a left-over is recognisable.
int CreateTemporary(const std::string& target, std::string& temporary) {
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = target.substr(0, slash + 1);
    const std::string name = target.substr(slash + 1);
    std::string pattern = folder + "." + name + ".drenlo-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        return -1;
    // An existing target keeps its permissions; a new one gets what creat() would give it
    // (mkstemp's 0600 would hide it from everyone else).
    struct stat info {};
    const mode_t mode =
        ::stat(target.c_str(), &info) == 0 ? (info.st_mode & 07777) : (0666 & ~ProcessUmask());
    ::fchmod(fd, mode);
    temporary = buffer.data();
    return fd;
}

bool WriteAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string CQuarnComm::SendUploadCommand(const std::string& instrumentPath) {
    return "mmem:data? \"" + instrumentPath + "\"\r\n";
}

int CQuarnComm::StartUploadJob() {
    if (m_jobActive || m_host == nullptr)
        return 0;
    m_uploadQueue.First();
    m_listView = m_host->GetListView();
    m_progressDlg = m_host->CreateProgressDialog();
    if (m_progressDlg == nullptr || m_listView == nullptr) {
        m_progressDlg = nullptr;
        m_uploadQueue.ClearTransferQueue();
        return 0;
    }
    m_progressWnd = m_progressDlg->GetProgressWindow();
    m_failed.store(0);
    g_cancelFlag.store(0);
    m_anyDataMoved = false;
    m_jobActive = true;
    m_listView->SendMessage(WM_UPLOAD_NEXT, 0);
    return 1;
}

int CQuarnComm::UploadNext() {
    OnWorkerDone();
    if (!m_jobActive)
        return 0;
    CFileInfo item;
    std::string pcPath;
    if (m_failed.load() == 1 || g_cancelFlag.load() != 0 || !m_uploadQueue.TakeNext(item, pcPath)) {
        EndJob(0);
        return 1;
    }
    const std::string instrumentPath = m_uploadQueue.GetTransferTarget() + "/" + item.GetName();
    if (UploadFile(instrumentPath, pcPath, item.GetSize(), item.IsFolder()) == 1)
        return 1;
    EndJob(0);
    return 0;
}

int CQuarnComm::UploadFile(const std::string& instrumentPath, const std::string& pcPath,
                           std::uint64_t size, int isFolder) {
    const std::string::size_type slash = pcPath.rfind('/');
    const std::string pcFolder = slash == std::string::npos ? pcPath : pcPath.substr(0, slash);
    std::string shownName = slash == std::string::npos ? std::string() : pcPath.substr(slash + 1);
    struct stat folderInfo {};
    const std::string statFolder = pcFolder.empty() ? std::string("/") : pcFolder;
    if (!IsQuotableArgument(instrumentPath)) {
        ShowErrorBox("File not open : \"Quarn:" + instrumentPath + "\"");
        return 0;
    }
    if (slash == std::string::npos || shownName.empty() || shownName == "." || shownName == ".." ||
        ::stat(statFolder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) {
        ShowErrorBox("File not open : \"" + pcPath + "\"");
        return 0;
    }
    struct statvfs disk {};
    if (::statvfs(statFolder.c_str(), &disk) == 0) {
        const std::uint64_t free =
            static_cast<std::uint64_t>(disk.f_bavail) * static_cast<std::uint64_t>(disk.f_frsize);
        if (size > free &&
            platform::AfxMessageBox("Insufficient disk free space in PC, continue ?",
                                    platform::MB_OKCANCEL | platform::MB_ICONQUESTION) !=
                platform::IDOK) {
            return 0;
        }
    } else {
        platform::AfxMessageBox(std::strerror(errno), platform::MB_ICONEXCLAMATION);
    }
    const std::string::size_type instrumentSlash = instrumentPath.rfind('/');
    const std::string instrumentFolder = instrumentSlash == std::string::npos
                                             ? instrumentPath
                                             : instrumentPath.substr(0, instrumentSlash);
    if (m_progressDlg != nullptr) {
        m_progressDlg->StartProgress(
            shownName, size, "From 'Quarn:" + instrumentFolder + "' to '" + pcFolder + "'", 1);
    }
    m_commandText = SendUploadCommand(instrumentPath);
    m_transferSize = size;
    m_isFolder = isFolder;
    Disconnect();
    m_pcPath = pcPath;
    StartWorker(&CQuarnComm::UploadThreadProc);
    return 1;
}

void CQuarnComm::UploadThreadProc() {
    InitThreadSocketState();
    enum class End { Early, Done, Failed };
    End end = End::Early;
    std::string temporary;
    int fd = -1;

    auto finish = [&] {
        if (fd >= 0)
            ::close(fd);
        if (!temporary.empty())
            ::unlink(temporary.c_str());
        if (end == End::Failed) {
            g_workerSocket.ShutDown(2);
            m_failed.store(1);
        }
        g_workerSocket.Close();
        if (end != End::Done)
            Sleep(500);
        if (m_listView != nullptr)
            m_listView->PostMessage(WM_UPLOAD_DONE, 0);
    };

    if (!g_workerSocket.Create()) {
        SetWorkerError("Cannot create Socket.");
        return finish();
    }
    if (g_cancelFlag.load() != 0 || !g_workerSocket.Connect(m_targetHost, kCommandPort)) {
        SetWorkerSocketError();
        return finish();
    }
    if (m_isFolder == 1) {
        if (::mkdir(m_pcPath.c_str(), 0777) != 0 && errno != EEXIST) {
            SetWorkerError("File not open : \"" + m_pcPath + "\"");
        }
        return finish();
    }
    if (g_cancelFlag.load() != 0 ||
        g_workerSocket.Send(m_commandText.data(), static_cast<int>(m_commandText.size())) !=
            static_cast<int>(m_commandText.size())) {
        SetWorkerSocketError();
        return finish();
    }
    CBlockHeader header;
    char byte = 0;
    bool first = true;
    while (header.GetState() == CBlockHeader::State::NeedMore) {
        if (g_workerSocket.Receive(&byte, 1) != 1) {
            SetWorkerSocketError();
            return finish();
        }
        header.Feed(byte);
        if (first && header.GetState() == CBlockHeader::State::NeedMore)
            Sleep(20);
        first = false;
    }
    // A length that disagrees with the listing means the reply is not the file we listed.
    if (header.GetState() != CBlockHeader::State::Done || header.GetLength() != m_transferSize) {
        SetWorkerError(kFormatInvalid);
        return finish();
    }
    fd = CreateTemporary(m_pcPath, temporary);
    if (fd < 0) {
        SetWorkerError("File not open : \"" + m_pcPath + "\"");
        return finish();
    }

    std::vector<char> buffer(kChunkSize);
    std::uint64_t received = 0;
    end = End::Failed;
    while (received < m_transferSize) {
        Sleep(100);
        if (g_cancelFlag.load() != 0)
            break;
        const std::uint64_t left = m_transferSize - received;
        const int want =
            left < static_cast<std::uint64_t>(kChunkSize) ? static_cast<int>(left) : kChunkSize;
        // The block's closing line end is never read: only the listed bytes are taken.
        const int got = g_workerSocket.Receive(buffer.data(), want);
        if (got <= 0) {
            // 0 means the instrument closed before the listed size arrived.
            SetWorkerSocketError();
            break;
        }
        if (!WriteAll(fd, buffer.data(), static_cast<size_t>(got))) {
            SetWorkerError("Can not write to the file.");
            break;
        }
        received += static_cast<std::uint64_t>(got);
        if (g_cancelFlag.load() != 0)
            break;
        PostProgress(received, false);
    }
    if (received == m_transferSize && g_cancelFlag.load() == 0) {
        const bool closed = ::close(fd) == 0;
        fd = -1;
        if (closed && ::rename(temporary.c_str(), m_pcPath.c_str()) == 0) {
            temporary.clear();
            end = End::Done;
            PostProgress(received, true);
        } else {
            SetWorkerError("Can not write to the file.");
        }
    }
    finish();
}

}  // namespace drenlo
