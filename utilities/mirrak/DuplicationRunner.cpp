#include "utilities/mirrak/DuplicationRunner.h"

#include <cstdio>

#include "platform/MessageBox.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityBeep.h"
#include "utilities/mirrak/FtpSession.h"
#include "utilities/mirrak/ListEntry.h"

namespace mirrak {

namespace {

std::atomic<int> g_linkTimeoutMs{utilities::CQuarnComm::kDefaultReceiveTimeoutMs};

// The end message names at most this many of the entries left out.
constexpr std::size_t kNamedAtEnd = 20;

}  // namespace

std::string PrintableName(const std::string& name) {
    std::string shown;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

void CDuplicationRunner::SetLinkTimeoutMsForTests(int ms) {
    g_linkTimeoutMs.store(ms);
}

CDuplicationRunner::CDuplicationRunner() = default;

CDuplicationRunner::~CDuplicationRunner() {
    Shutdown();
}

int CDuplicationRunner::StartDuplication(platform::CWnd* dialog, const std::string& source,
                                         const std::string& target, double total) {
    if (m_thread.IsRunning())
        return 0;
    m_thread.Join();
    m_sender = std::make_unique<platform::CCrossThreadSender>(dialog);
    m_cancel.store(0);
    m_source = source;
    m_target = target;
    m_done = 0;
    m_total = total > 0 && total < 9.0e18 ? static_cast<std::int64_t>(total) : 0;
    m_leftOut.clear();
    if (!m_thread.Start([this] { DuplicationThreadProc(); }))
        return 0;
    return 1;
}

void CDuplicationRunner::AbortAll() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_sourceSession != nullptr)
        m_sourceSession->Abort();
    if (m_targetSession != nullptr)
        m_targetSession->Abort();
    if (m_link != nullptr)
        m_link->Abort();
}

void CDuplicationRunner::CancelDuplication() {
    m_cancel.store(1);
    AbortAll();
}

void CDuplicationRunner::Shutdown() {
    if (!m_thread.IsJoinable())
        return;
    CancelDuplication();
    if (m_sender)
        m_sender->Close();
    // A box the worker asked for before it saw the cancel is still answered meanwhile.
    m_thread.JoinDispatching();
}

bool CDuplicationRunner::WaitForEnd(int timeoutMs) {
    if (!m_thread.IsJoinable())
        return true;
    return m_thread.JoinDispatching(timeoutMs);
}

bool CDuplicationRunner::Cancelled() {
    return m_cancel.load() != 0;
}

int CDuplicationRunner::Send(platform::UINT message, platform::WPARAM wParam,
                             platform::LPARAM lParam) {
    if (m_sender->Send(message, wParam, lParam))
        return 1;
    // The window no longer listens: nobody is left to see the copy go on.
    m_cancel.store(1);
    return 0;
}

void CDuplicationRunner::SendText(platform::UINT message, const std::string& text) {
    Send(message, 0, reinterpret_cast<platform::LPARAM>(text.c_str()));
}

void CDuplicationRunner::AddDone(std::int64_t bytes) {
    if (bytes > 0 && m_done <= INT64_MAX - bytes)
        m_done += bytes;
    Send(WM_DUP_PROGRESS, 0, static_cast<platform::LPARAM>(m_done));
}

void CDuplicationRunner::LeaveOut(const std::string& what) {
    m_leftOut.push_back(what);
}

void CDuplicationRunner::DuplicationThreadProc() {
    CFtpSession source;
    CFtpSession target;
    utilities::CQuarnComm link;
    link.SetDisconnectAlwaysSucceeds(true);
    link.SetReceiveTimeoutMs(g_linkTimeoutMs.load());
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sourceSession = &source;
        m_targetSession = &target;
        m_link = &link;
    }
    // A cancel that came before the objects were reachable still reaches them.
    if (Cancelled())
        AbortAll();

    Walk walk = Walk::Failed;
    if (source.Login(m_source) && target.Login(m_target) && link.Connect(m_target)) {
        Send(WM_DUP_START, 0, static_cast<platform::LPARAM>(m_total));
        walk = CopyDirectoryTree("/F0:/", 0);
    }
    if (Cancelled())
        walk = Walk::Cancelled;
    source.Quit();
    target.Quit();
    link.Disconnect();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sourceSession = nullptr;
        m_targetSession = nullptr;
        m_link = nullptr;
    }

    if (walk == Walk::Cancelled) {
        Send(WM_DUP_END, kDupCancelled);
    } else if (walk == Walk::Failed) {
        Send(WM_DUP_END, kDupFailed);
    } else if (m_leftOut.empty()) {
        Send(WM_DUP_END, kDupDone);
    } else {
        std::string text = "Duplication is completed, but " + std::to_string(m_leftOut.size()) +
                           (m_leftOut.size() == 1 ? " entry was" : " entries were") +
                           " not copied:\n";
        for (std::size_t i = 0; i < m_leftOut.size() && i < kNamedAtEnd; ++i)
            text += "\n" + m_leftOut[i];
        if (m_leftOut.size() > kNamedAtEnd)
            text += "\n... and " + std::to_string(m_leftOut.size() - kNamedAtEnd) + " more";
        Send(WM_DUP_END, kDupIncomplete, reinterpret_cast<platform::LPARAM>(text.c_str()));
    }
}

CDuplicationRunner::Walk CDuplicationRunner::CopyDirectoryTree(std::string path, int depth) {
    if (path.empty() || path.back() != '/')
        path += '/';
    if (depth > kMaxDepth) {
        // An error box like the sessions' own: the stop beep first.
        utilities::UtilityBeep(platform::MB_ICONHAND);
        platform::MessageBox(nullptr,
                             "Error : folders nest too deeply at '" + PrintableName(path) + "'", "",
                             platform::MB_OK | platform::MB_ICONSTOP);
        return Walk::Failed;
    }
    SendText(WM_DUP_TITLE, "Reading directory...");
    std::string listing;
    bool listed = false;
    for (int attempt = 0; attempt < kAttempts && !listed; ++attempt) {
        if (Cancelled())
            return Walk::Cancelled;
        // A failed attempt may leave replies unread; the next one starts on a fresh login.
        if (attempt > 0 && !m_sourceSession->Resync())
            break;
        listed = m_sourceSession->ListDirectory(path, listing) != 0;
    }
    if (Cancelled())
        return Walk::Cancelled;
    if (!listed)
        return Walk::Failed;

    std::vector<std::string_view> lines;
    if (!ListingEntryLines(listing, lines))
        return Walk::Failed;
    for (const std::string_view line : lines) {
        if (Cancelled())
            return Walk::Cancelled;
        ListEntry entry;
        const ListLineKind kind = ParseListLine(line, entry);
        if (kind == ListLineKind::Unreadable) {
            LeaveOut("unreadable listing line in " + path + ": " +
                     PrintableName(std::string(line.substr(0, 80))));
            AddDone(kFolderBytes);
        } else if (kind == ListLineKind::NamesNothing) {
            AddDone(kFolderBytes);
        } else if (!IsCarriableName(entry.name)) {
            LeaveOut(path + PrintableName(entry.name) + " (the name cannot be sent)");
            AddDone(kFolderBytes);
        } else if (entry.folder) {
            SendText(WM_DUP_TITLE, "Checking directory...");
            if (!m_link->DirectoryExists(path, entry.name)) {
                SendText(WM_DUP_TITLE, "Making directory...");
                if (!MakeTargetDirectory(path, entry.name))
                    return Cancelled() ? Walk::Cancelled : Walk::Failed;
            }
            AddDone(kFolderBytes);
            SendText(WM_DUP_PATH, "From '" + ShortenDisplayPath(path + entry.name) + "' to '" +
                                      entry.name + "'");
            const Walk below = CopyDirectoryTree(path + entry.name, depth + 1);
            if (below != Walk::Done)
                return below;
        } else {
            const Walk copied = CopyFile(path, entry.name, entry.size);
            if (copied != Walk::Done)
                return copied;
        }
    }
    return Walk::Done;
}

int CDuplicationRunner::MakeTargetDirectory(const std::string& path, const std::string& name) {
    if (!m_link->MakeDirectory(path, name))
        return 0;
    // The make-folder command has no reply, and the instrument's FTP server does not wait for
    // its command port: the first STOR into the folder could arrive before the folder is made
    // and be refused. A query on the same link is answered only after every command sent
    // before it, so the files go across once the instrument has carried the command out. A
    // folder it refused to make is not failed here: its files are refused and named at the end.
    m_link->DirectoryExists(path, name);
    return m_link->IsConnected() ? 1 : 0;
}

CDuplicationRunner::Walk CDuplicationRunner::CopyFile(const std::string& path,
                                                      const std::string& name, std::int64_t size) {
    SendText(WM_DUP_FILE, name);
    SendText(WM_DUP_TITLE, "Copying file...");
    TransferResult result = TransferResult::Failed;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (Cancelled())
            return Walk::Cancelled;
        if (attempt > 0 && (!m_sourceSession->Resync() || !m_targetSession->Resync()))
            break;
        result = m_sourceSession->TransferFile(*m_targetSession, path + name, size);
        if (result != TransferResult::Failed)
            break;
    }
    if (Cancelled())
        return Walk::Cancelled;
    if (result == TransferResult::Failed)
        return Walk::Failed;
    if (result == TransferResult::NotFound)
        LeaveOut(path + name + " (not found)");
    else if (result == TransferResult::NotStored)
        LeaveOut(path + name + " (the target did not store it)");
    Send(WM_DUP_FILE_CLEAR);
    AddDone(size);
    return Walk::Done;
}

}  // namespace mirrak
