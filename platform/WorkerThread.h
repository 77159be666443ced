// CWorkerThread: one job on its own thread, which reports only by posting messages.
//
// The job must not touch windows: it tells the user-interface thread what happened with
// CWnd::PostMessage (safe from any thread; dropped if the window is gone). Start refuses a
// second job while one still runs, so "one worker at a time" holds by construction.
//
// Join waits for the end. On the user-interface thread use JoinDispatching instead: it keeps
// delivering posted messages and other events while it waits, so a job that waits for the
// user-interface thread (a message box, a queued call) can finish. The destructor joins.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace platform {

class CWorkerThread {
public:
    CWorkerThread();
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the job; false (nothing started) while an earlier job still runs. A finished
    // earlier job is joined first.
    bool Start(std::function<void()> job);
    // True from Start until the job's function has returned.
    bool IsRunning() const;
    // True when a thread was started and not yet joined.
    bool IsJoinable() const { return m_thread.joinable(); }
    void Join();
    // Waits while processing the user-interface thread's events; timeoutMs < 0 waits for
    // ever. True when the job has ended (and the thread is joined).
    bool JoinDispatching(int timeoutMs = -1);

private:
    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_running;
};

}  // namespace platform
