// CQuarnComm: Drenlo's link to the instrument, its file commands and its copy jobs.
//
// The application owns one (m_comm). It holds the user-interface thread's command connection
// to port 5000 and offers every file-system command the views and the main frame use. All
// members run on the user-interface thread unless stated otherwise.
//
// The link:
//  - Commands go out in lower case with CR LF; commands without '?' read no reply. A path
//    that cannot stand in a quoted argument ('"' or a control character) is refused: 0,
//    nothing sent.
//  - A reply is read to LF (CR dropped) within 2000 ms of the read's start. The bound lives in
//    the blocking wait itself (a platform::CSocketDeadline in front of the thread's blocking
//    hook, which keeps repainting): when the time is up it cancels the blocked read, which
//    fails with "Socket error.". No window timer is involved, so no other timer can cut a
//    reply short.
//  - Any failed send or read (time-out, closed connection, a line over 1 MiB) shows the
//    socket error text and closes the link, so a late reply can never be read as the answer
//    to the next query; commands then fail without a box until Connect.
//
// Listing state is program-wide (g_catalogReply & co. below), walked with ReadDirectory and
// then ParseCatalogEntries until it returns 0.
//
// Copy jobs (one at a time; IsJobActive): CheckDownload starts a PC-to-instrument job,
// StartUploadJob an instrument-to-PC job whose queue the main frame has filled. Each file
// moves on a worker thread with its own connection while the command link is closed; the
// messages that drive the job are in TransferEvents.h. CancelTransfer (the progress dialog's
// Cancel) ends the whole job at any point and wakes any blocking call. A copy to the PC goes
// into a temporary file in the target folder that replaces the target only when the full
// listed size has arrived; nothing else is ever left behind on the PC.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "drenlo/comm/CatalogParser.h"
#include "drenlo/model/FileInfo.h"
#include "drenlo/model/LocalFileItem.h"
#include "drenlo/transfer/TransferQueue.h"
#include "platform/Socket.h"
#include "platform/Wnd.h"

namespace drenlo {

class ICommHost;
class ICopyProgress;

// Program-wide listing state; user-interface thread only.
extern CCatalogReply g_catalogReply;  // the listing being walked
extern int g_objectCount;             // entries taken from the current listing
extern std::uint64_t g_totalSize;     // sum of the file entries' sizes (not folders)
extern double g_usedBytes;            // instrument memory as shown in the status bar
extern double g_freeBytes;

// Worker state: one copy runs at a time. g_cancelFlag is set by Cancel and cleared only when
// a job starts.
extern platform::CSocket g_workerSocket;
extern std::atomic<int> g_cancelFlag;

class CQuarnComm : public platform::CWnd {
public:
    static constexpr unsigned short kCommandPort = 5000;
    static constexpr unsigned kReplyTimeoutMs = 2000;
    static constexpr size_t kMaxReplyLine = 1024 * 1024;
    static constexpr int kMaxJobFiles = 12345678;
    static constexpr int kChunkSize = 32768;

    // IsDirectoryEmpty's answers.
    static constexpr int kFolderNotEmpty = 0;
    static constexpr int kFolderEmpty = 1;
    static constexpr int kFolderUnknown = -1;  // the listing could not be read

    CQuarnComm();
    // Cancels a running job and waits for its worker. Closes nothing else by itself.
    ~CQuarnComm() override;

    // Not owned; must outlive the link's use.
    void SetHost(ICommHost* host) { m_host = host; }
    ICommHost* GetHost() const { return m_host; }

    void SetTargetHost(const std::string& host) { m_targetHost = host; }
    const std::string& GetTargetHost() const { return m_targetHost; }
    int IsConnected() const { return m_connected; }

    int Connect();
    int Disconnect();  // closes the socket, m_connected 0, waits 100 ms; returns 1
    int SendCommand(const std::string& command);
    int SendRaw(const std::string& bytes);
    // The reply line; empty when not connected or on failure (the link is then closed).
    const std::string& ReceiveLine();
    // SendCommand then ReceiveLine: 1 with the reply, 0 on failure (reply empty).
    int Query(const std::string& command, std::string& reply);

    int ReadIdentity();
    std::string ReadCatalog(const std::string& folder);
    int ReadDirectory(const std::string& folder, CFileInfo& item);
    int ParseCatalogEntries(CFileInfo& item);
    void ClearCatalogReply();
    // kFolderEmpty, kFolderNotEmpty, or kFolderUnknown when the listing failed: a failed read
    // is never taken for an empty folder.
    int IsDirectoryEmpty(const std::string& folder);
    // One line of the error queue ("stat:que:next?"): 1 with the line, 0 on failure.
    int ReadNextError(std::string& line);

    int MakeDirectory(const std::string& path);
    int RemoveRemoteDirectory(const std::string& path);
    int DeleteRemoteFile(const std::string& path);
    int DeleteAll(const std::string& folder);
    int MoveRemoteFile(const std::string& from, const std::string& to);
    int CopyRemoteFile(const std::string& from, const std::string& to);
    int LoadDownloadFile(const std::string& path);
    int LoadLogoFile(const std::string& path);
    int LoadSequenceFile(const std::string& path);
    int LoadPresetFile(const std::string& path);

    static int FileTypeFromName(const std::string& name);
    static void FormatByteSize(double bytes, std::string& text);
    std::string GetRootText() const;
    void ShowListStatus();

    // --- copy jobs --------------------------------------------------------------------
    // A job is checked, running, or ending (until WM_TRANSFER_DONE is posted and the last
    // worker has been joined). Every way of starting a job, and Network, must refuse while
    // this is 1.
    int IsJobActive() const { return m_jobActive ? 1 : 0; }

    // PC to instrument. `pcPaths` are POSIX paths; `targetFolder` an instrument folder.
    int CheckDownload(const std::vector<std::string>& pcPaths, const std::string& targetFolder);
    int PrepareDownload(CLocalFileItem& record, const std::string& targetFolder);
    std::string BuildDownloadCommand(const std::string& fileName, const std::string& targetPath);
    int CheckLocalFile(CLocalFileItem& record);
    int DownloadNext(platform::WPARAM wParam);
    int DownloadFile(CLocalFileItem* record, const std::string& targetFolder,
                     const std::string& counterText);
    int Pause();  // waits 500 ms; returns 1

    // Instrument to PC. The main frame fills the queue (copies of the items, one PC path
    // each, the folder as target) before StartUploadJob.
    CTransferQueue& GetUploadQueue() { return m_uploadQueue; }
    int StartUploadJob();
    int UploadNext();
    int UploadFile(const std::string& instrumentPath, const std::string& pcPath, std::uint64_t size,
                   int isFolder);
    static std::string SendUploadCommand(const std::string& instrumentPath);

    // The progress dialog's Cancel; safe at any moment, also between files or with no job.
    void CancelTransfer();
    // The list view calls this first when WM_DOWNLOAD_DONE or WM_UPLOAD_DONE arrives: joins
    // the finished worker and shows its error, if any. DownloadNext and UploadNext call it too.
    void OnWorkerDone();
    // Exit during a job: cancels it and waits for the worker to end. Returns at once when no
    // worker runs. Posted job messages still pending are harmless afterwards.
    void AbortJobAndWait();

    // Worker-side members named as the job's steps; run on the worker thread.
    void DownloadThreadProc();
    void UploadThreadProc();
    void NotifyDownloadDone(platform::WPARAM wParam);
    static void InitThreadSocketState() {}

private:
    void CloseAfterFailure();
    int SendQuoted(const char* head, const std::string& argument);
    void EndJob(platform::WPARAM refresh);
    void StartWorker(void (CQuarnComm::*proc)());
    void SetWorkerError(const std::string& text);
    void SetWorkerSocketError();
    void PostProgress(std::uint64_t done, bool full);
    int ReadCatalogCounts(const std::string& reply);
    int NameExistsIn(const std::string& reply, const std::string& listed) const;

    ICommHost* m_host = nullptr;
    std::string m_targetHost;
    int m_connected = 0;
    platform::CSocket m_socket;
    double m_usedBytes = 0;
    double m_freeBytes = 0;
    std::string m_reply;

    // Transfer members.
    ICopyProgress* m_progressDlg = nullptr;
    platform::CWnd* m_progressWnd = nullptr;  // the dialog's window, for the worker's reports
    std::uint64_t m_transferSize = 0;
    std::string m_commandText;
    std::string m_pcPath;
    platform::CWnd* m_listView = nullptr;
    std::atomic<int> m_failed{0};
    int m_isFolder = 0;
    CLocalFileList m_downloadList;
    CTransferQueue m_uploadQueue;

    bool m_jobActive = false;
    bool m_anyDataMoved = false;        // some file's data loop ran: the folder listing changed
    std::FILE* m_sourceFile = nullptr;  // the open PC file of the current download
    std::thread m_worker;
    std::mutex m_workerMutex;
    std::string m_workerError;  // guarded by m_workerMutex; shown by the UI thread
    platform::WPARAM m_workerResult = 0;
};

}  // namespace drenlo
