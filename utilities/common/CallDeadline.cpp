#include "utilities/common/CallDeadline.h"

namespace utilities {

CCallDeadline::CCallDeadline(platform::CSocket& socket, int timeoutMs,
                             const std::atomic<bool>& aborted)
    : m_socket(socket),
      m_aborted(aborted),
      m_previous(platform::GetBlockingHook()),
      m_deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)),
      m_limited(timeoutMs > 0) {
    platform::SetBlockingHook(this);
}

CCallDeadline::~CCallDeadline() {
    platform::SetBlockingHook(m_previous);
}

void CCallDeadline::OnWaitBegin() {
    if (m_previous != nullptr)
        m_previous->OnWaitBegin();
}

void CCallDeadline::OnWait() {
    if (m_previous != nullptr)
        m_previous->OnWait();
    if (m_aborted.load()) {
        m_socket.CancelBlockingCall();
    } else if (m_limited && std::chrono::steady_clock::now() >= m_deadline) {
        m_timedOut = true;
        m_socket.CancelBlockingCall();
    }
}

void CCallDeadline::OnWaitEnd() {
    if (m_previous != nullptr)
        m_previous->OnWaitEnd();
}

}  // namespace utilities
