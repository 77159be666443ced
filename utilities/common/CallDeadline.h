// CCallDeadline: bounds the socket calls made on one thread while it lives.
//
// The socket layer runs the calling thread's blocking hook while a call waits; this object
// puts itself in front of that hook (passing every event on to it, so the user-interface
// thread keeps repainting) and cancels the socket's blocked call once the time is up or the
// abort flag is raised. TimedOut() then tells a time-out from any other failure.
#pragma once

#include <atomic>
#include <chrono>

#include "platform/Socket.h"

namespace utilities {

class CCallDeadline : public platform::BlockingHook {
public:
    // timeoutMs <= 0: no time limit, only the abort flag.
    CCallDeadline(platform::CSocket& socket, int timeoutMs, const std::atomic<bool>& aborted);
    ~CCallDeadline() override;
    CCallDeadline(const CCallDeadline&) = delete;
    CCallDeadline& operator=(const CCallDeadline&) = delete;

    void OnWaitBegin() override;
    void OnWait() override;
    void OnWaitEnd() override;

    bool TimedOut() const { return m_timedOut; }

private:
    platform::CSocket& m_socket;
    const std::atomic<bool>& m_aborted;
    platform::BlockingHook* m_previous;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_limited;
    bool m_timedOut = false;
};

}  // namespace utilities
