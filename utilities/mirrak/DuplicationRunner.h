// CDuplicationRunner: the copy of every folder and file under "/F0:/" from one instrument to
// another, on one worker thread.
//
// The worker logs in to both FTP servers and connects its own command link to the target;
// these three belong to the worker alone and end with it. It lists each source folder over
// FTP (three attempts), makes missing folders on the target over the command port, and copies
// each file server to server (three attempts). It reports to the main dialog with the
// WM_DUP_ messages below, sent synchronously through a platform::CCrossThreadSender.
//
// Ending, in every case, with exactly one WM_DUP_END as the worker's last message:
//  - 0 done, 1 cancelled, 2 failed, 3 done but with entries left out; for 3, lParam points
//    at the text that names them (valid during the call).
//  - Cancel sets the flag and aborts the worker's sockets, so a call blocked on a silent
//    server returns at once; the walk then ends as cancelled.
//  - Shutdown (the window is closing) cancels, stops delivering messages, and waits for the
//    worker, so nothing the worker uses outlives it and it never sends to a dead window.
//
// Guards: folders nest at most kMaxDepth deep; a file the source or target answers with
// "550" is left out and named at the end rather than counted as copied; names a command
// cannot carry (ListEntry.h) are never sent and are named at the end; listing lines that do
// not read are named too, since a listing nobody can read would otherwise copy nothing and
// pass as done.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/CrossThreadSend.h"
#include "platform/Types.h"
#include "platform/WorkerThread.h"

namespace utilities {
class CQuarnComm;
}

namespace mirrak {

class CFtpSession;

constexpr platform::UINT WM_DUP_START = platform::WM_USER + 5;       // lParam: total bytes
constexpr platform::UINT WM_DUP_FILE = platform::WM_USER + 6;        // lParam: const char*
constexpr platform::UINT WM_DUP_FILE_CLEAR = platform::WM_USER + 7;  //
constexpr platform::UINT WM_DUP_END = platform::WM_USER + 8;         // wParam: DupEnd
constexpr platform::UINT WM_DUP_CANCEL = platform::WM_USER + 9;      // progress -> main
constexpr platform::UINT WM_DUP_TITLE = platform::WM_USER + 10;      // lParam: const char*
constexpr platform::UINT WM_DUP_PATH = platform::WM_USER + 11;       // lParam: const char*
constexpr platform::UINT WM_DUP_PROGRESS = platform::WM_USER + 12;   // lParam: done bytes

enum DupEnd : int { kDupDone = 0, kDupCancelled = 1, kDupFailed = 2, kDupIncomplete = 3 };

class CDuplicationRunner {
public:
    static constexpr int kAttempts = 3;
    static constexpr int kMaxDepth = 32;
    static constexpr std::int64_t kFolderBytes = 1024;

    CDuplicationRunner();
    ~CDuplicationRunner();  // Shutdown
    CDuplicationRunner(const CDuplicationRunner&) = delete;
    CDuplicationRunner& operator=(const CDuplicationRunner&) = delete;

    // Starts the worker; 0 while an earlier one still runs.
    int StartDuplication(platform::CWnd* dialog, const std::string& source,
                         const std::string& target, double total);
    // User-interface thread.
    void CancelDuplication();
    void Shutdown();
    // Waits (dispatching) for a worker that has sent its end; true when none runs.
    bool WaitForEnd(int timeoutMs = 10000);
    bool IsRunning() const { return m_thread.IsRunning(); }
    bool IsCancelled() const { return m_cancel.load() != 0; }

    // The command link's receive time-out for the worker's link (tests shorten it).
    static void SetLinkTimeoutMsForTests(int ms);

private:
    enum class Walk { Done, Cancelled, Failed };

    void DuplicationThreadProc();
    Walk CopyDirectoryTree(std::string path, int depth);
    Walk CopyFile(const std::string& path, const std::string& name, std::int64_t size);
    // Makes the folder on the target and returns once the instrument has dealt with it. 0
    // when the link failed.
    int MakeTargetDirectory(const std::string& path, const std::string& name);
    int Send(platform::UINT message, platform::WPARAM wParam = 0, platform::LPARAM lParam = 0);
    void SendText(platform::UINT message, const std::string& text);
    void AddDone(std::int64_t bytes);
    void LeaveOut(const std::string& what);
    bool Cancelled();
    void AbortAll();

    platform::CWorkerThread m_thread;
    std::unique_ptr<platform::CCrossThreadSender> m_sender;
    std::atomic<int> m_cancel{0};
    std::string m_source;
    std::string m_target;
    std::int64_t m_done = 0;
    std::int64_t m_total = 0;
    std::vector<std::string> m_leftOut;

    // The worker's connections, reachable for Cancel while they exist.
    std::mutex m_mutex;
    CFtpSession* m_sourceSession = nullptr;
    CFtpSession* m_targetSession = nullptr;
    utilities::CQuarnComm* m_link = nullptr;
};

// How a name from a listing is shown in a message: control characters as \r, \n or \xNN.
std::string PrintableName(const std::string& name);

}  // namespace mirrak
