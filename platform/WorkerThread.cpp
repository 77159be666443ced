#include "platform/WorkerThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace platform {

CWorkerThread::CWorkerThread() : m_running(std::make_shared<std::atomic<bool>>(false)) {}

CWorkerThread::~CWorkerThread() {
    Join();
}

bool CWorkerThread::Start(std::function<void()> job) {
    if (m_running->load())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_running->store(true);
    // The flag is shared so that it stays valid for the thread's last store even if this
    // object were moved from meanwhile.
    std::shared_ptr<std::atomic<bool>> running = m_running;
    m_thread = std::thread([running, job = std::move(job)] {
        job();
        running->store(false);
    });
    return true;
}

bool CWorkerThread::IsRunning() const {
    return m_running->load();
}

void CWorkerThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

bool CWorkerThread::JoinDispatching(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    const bool uiThread = QCoreApplication::instance() != nullptr &&
                          QThread::currentThread() == QCoreApplication::instance()->thread();
    while (m_running->load()) {
        if (timeoutMs >= 0 && clock.elapsed() >= timeoutMs)
            return false;
        if (uiThread)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    Join();
    // What the job posted last is delivered before the caller tears windows down.
    if (uiThread)
        QCoreApplication::processEvents();
    return true;
}

}  // namespace platform
