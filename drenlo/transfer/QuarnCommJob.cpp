// What both kinds of copy job share: the worker thread, Cancel, the end of a job.
#include <chrono>
#include <thread>

#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/ErrorBox.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/SocketErrors.h"

namespace drenlo {

platform::CSocket g_workerSocket;
std::atomic<int> g_cancelFlag{0};

int CQuarnComm::Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return 1;
}

void CQuarnComm::CancelTransfer() {
    // The flag first: the worker's call that the shutdown makes fail must already see it, so
    // the operator's own Cancel never shows as a socket error.
    g_cancelFlag.store(1);
    g_workerSocket.ShutDown(2);
    g_workerSocket.CancelBlockingCall();
}

void CQuarnComm::StartWorker(void (CQuarnComm::*proc)()) {
    if (m_worker.joinable())
        m_worker.join();
    {
        std::lock_guard<std::mutex> lock(m_workerMutex);
        m_workerError.clear();
    }
    m_worker = std::thread([this, proc] { (this->*proc)(); });
}

void CQuarnComm::SetWorkerError(const std::string& text) {
    if (g_cancelFlag.load() != 0)
        return;
    std::lock_guard<std::mutex> lock(m_workerMutex);
    if (m_workerError.empty())
        m_workerError = text;
}

void CQuarnComm::SetWorkerSocketError() {
    SetWorkerError(SocketErrorText(platform::WSAGetLastError()));
}

void CQuarnComm::PostProgress(std::uint64_t done, bool full) {
    if (m_progressWnd == nullptr)
        return;
    if (full) {
        m_progressWnd->PostMessage(WM_TRANSFER_FULL);
    } else {
        m_progressWnd->PostMessage(WM_TRANSFER_PROGRESS, 0, static_cast<platform::LPARAM>(done));
    }
}

void CQuarnComm::OnWorkerDone() {
    // The worker posts its message as its very last step, so this join does not wait.
    if (m_worker.joinable())
        m_worker.join();
    std::string error;
    {
        std::lock_guard<std::mutex> lock(m_workerMutex);
        error.swap(m_workerError);
    }
    if (!error.empty() && g_cancelFlag.load() == 0)
        ShowErrorBox(error);
}

void CQuarnComm::AbortJobAndWait() {
    if (m_jobActive)
        CancelTransfer();
    if (m_worker.joinable())
        m_worker.join();
    if (m_sourceFile != nullptr) {
        std::fclose(m_sourceFile);
        m_sourceFile = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(m_workerMutex);
        m_workerError.clear();
    }
    m_downloadList.RemoveAll();
    m_uploadQueue.ClearTransferQueue();
    m_progressDlg = nullptr;
    m_progressWnd = nullptr;
    m_jobActive = false;
}

void CQuarnComm::EndJob(platform::WPARAM refresh) {
    if (m_progressDlg != nullptr) {
        if (platform::CWnd* window = m_progressDlg->GetProgressWindow()) {
            window->PostMessage(WM_TRANSFER_DONE, refresh);
        }
    }
    m_progressDlg = nullptr;
    m_progressWnd = nullptr;
    m_downloadList.RemoveAll();
    m_uploadQueue.ClearTransferQueue();
    m_jobActive = false;
}

}  // namespace drenlo
