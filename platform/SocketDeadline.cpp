#include "platform/SocketDeadline.h"

namespace platform {

CSocketDeadline::CSocketDeadline(CSocket& socket, std::chrono::milliseconds limit,
                                 const std::atomic<bool>* aborted)
    : m_socket(socket),
      m_aborted(aborted),
      m_previous(GetBlockingHook()),
      m_limited(limit.count() > 0),
      m_deadline(std::chrono::steady_clock::now() + limit) {
    SetBlockingHook(this);
}

CSocketDeadline::~CSocketDeadline() {
    SetBlockingHook(m_previous);
}

void CSocketDeadline::OnWaitBegin() {
    if (m_previous != nullptr)
        m_previous->OnWaitBegin();
    // The time may have gone on calls that never had to wait.
    CancelWhenDue();
}

void CSocketDeadline::OnWait() {
    if (m_previous != nullptr)
        m_previous->OnWait();
    CancelWhenDue();
}

void CSocketDeadline::OnWaitEnd() {
    if (m_previous != nullptr)
        m_previous->OnWaitEnd();
}

bool CSocketDeadline::Expired() {
    if (!m_timedOut && m_limited && std::chrono::steady_clock::now() >= m_deadline)
        m_timedOut = true;
    return m_timedOut;
}

void CSocketDeadline::CancelWhenDue() {
    if ((m_aborted != nullptr && m_aborted->load()) || Expired())
        m_socket.CancelBlockingCall();
}

}  // namespace platform
