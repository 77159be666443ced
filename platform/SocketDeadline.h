// CSocketDeadline: a time limit on the blocking calls one thread makes on one socket.
//
// While it lives it stands in front of the thread's blocking hook (Socket.h) and passes every
// event on, so a user-interface thread keeps repainting and firing its timers and takes no
// more than it did; once the time is up it cancels the call blocked on its socket, which then
// fails with WSAEINTR, and TimedOut() tells the caller why. The limit covers all the calls
// made while the object lives together, not each one afresh, so a peer that sends one byte
// now and then cannot stretch a reply without end.
//
// The hook runs only while a call has to wait: a peer that streams without a pause never
// reaches it. A reader that loops over many calls asks Expired() between them.
//
// Deadlines on one thread nest only strictly (the inner one ends first), since each puts
// back the hook it found.
#pragma once

#include <chrono>

#include "platform/Socket.h"

namespace platform {

class CSocketDeadline : public BlockingHook {
public:
    CSocketDeadline(CSocket& socket, std::chrono::milliseconds limit);
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
    BlockingHook* m_previous;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_timedOut = false;
};

}  // namespace platform
