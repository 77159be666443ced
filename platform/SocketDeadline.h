// CSocketDeadline: a time limit on the blocking calls one thread makes on one socket, and
// optionally an abort flag another thread may raise.
//
// While it lives it stands in front of the thread's blocking hook (Socket.h) and passes every
// event on, so a user-interface thread keeps repainting and firing its timers and takes no
// more than it did; once the time is up, or the flag is raised, it cancels the call blocked on
// its socket, which then fails with WSAEINTR, and TimedOut() tells a time-out from an abort. The
// limit covers all the calls made while the object lives together, not each one afresh, so a peer
// that sends one byte now and then cannot stretch a reply without end.
//
// The hook runs only while a call has to wait: a peer that streams without a pause never
// reaches it. A reader that loops over many calls asks Expired() between them.
//
// Deadlines on one thread nest only strictly (the inner one ends first), since each puts
// back the hook it found.
#pragma once

#include <atomic>
#include <chrono>

#include "platform/Socket.h"

namespace platform {

class CSocketDeadline : public BlockingHook {
public:
    // A limit of zero or less sets no time limit; only the abort flag, if any, ends a call.
    CSocketDeadline(CSocket& socket, std::chrono::milliseconds limit,
                    const std::atomic<bool>* aborted = nullptr);
    ~CSocketDeadline() override;
    CSocketDeadline(const CSocketDeadline&) = delete;
    CSocketDeadline& operator=(const CSocketDeadline&) = delete;

    void OnWaitBegin() override;
    void OnWait() override;
    void OnWaitEnd() override;

    // True once the time is up, and from then on.
    bool Expired();
    // The time ran out: a call was cancelled for it, or Expired() has said so.
    bool TimedOut() const { return m_timedOut; }

private:
    void CancelWhenDue();

    CSocket& m_socket;
    const std::atomic<bool>* m_aborted;
    BlockingHook* m_previous;
    bool m_limited;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_timedOut = false;
};

}  // namespace platform
