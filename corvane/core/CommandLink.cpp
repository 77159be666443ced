#include "corvane/core/CommandLink.h"

#include <cstring>

#include "platform/MessageBox.h"
#include "platform/SocketDeadline.h"
#include "platform/SocketErrors.h"
#include "platform/WaitCursor.h"

namespace corvane {

namespace {

std::chrono::milliseconds g_timeout = CCommandLink::kTimeout;
size_t g_maxReplyLine = CCommandLink::kMaxReplyLine;

void ShowError(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

}  // namespace

CCommandLink::~CCommandLink() {
    if (m_connected)
        m_socket.Close();
}

void CCommandLink::SetTimeout(std::chrono::milliseconds timeout) {
    g_timeout = timeout;
}

std::chrono::milliseconds CCommandLink::Timeout() {
    return g_timeout;
}

void CCommandLink::SetMaxReplyLine(size_t length) {
    g_maxReplyLine = length;
}

int CCommandLink::Connect(const std::string& host) {
    if (m_connected)
        return 1;
    platform::CWaitCursor wait;
    if (!m_socket.Create()) {
        ShowError("Cannot create Socket.");
        return 0;
    }
    if (!m_socket.Connect(host, kCommandPort)) {
        m_socket.Close();
        ShowError("Cannot connect to \"" + host + "\"");
        return 0;
    }
    m_connected = true;
    m_skipToLineEnd = false;
    m_receivedPos = 0;
    m_receivedEnd = 0;
    return 1;
}

int CCommandLink::SendCommand(const std::string& command) {
    // The line is built in a buffer the link keeps, so a command costs no allocation.
    m_line.assign(command);
    m_line.append("\r\n");
    const int length = static_cast<int>(m_line.size());
    platform::CSocketDeadline deadline(m_socket, g_timeout);
    if (m_socket.Send(m_line.data(), length) != length) {
        if (deadline.TimedOut())
            platform::WSASetLastError(platform::WSAECONNABORTED);
        ReportSocketError();
        Disconnect();
        return 0;
    }
    return 1;
}

int CCommandLink::ReceiveLine(std::string& reply) {
    reply.clear();
    // One limit for the whole line, the tail of an earlier one included, so that a peer
    // that trickles bytes or streams without a line end cannot hold the link either.
    platform::CSocketDeadline deadline(m_socket, g_timeout);
    // The tail of a line that was cut off earlier belongs to no query: drop it first, so
    // that the next reply is read in step.
    while (m_skipToLineEnd) {
        if (m_receivedPos == m_receivedEnd && !ReceiveMore(deadline))
            return FailRead(deadline, reply);
        const char* const begin = m_received.get() + m_receivedPos;
        const auto* lineEnd =
            static_cast<const char*>(std::memchr(begin, '\n', m_receivedEnd - m_receivedPos));
        if (lineEnd == nullptr) {
            m_receivedPos = m_receivedEnd;
            continue;
        }
        m_receivedPos = static_cast<size_t>(lineEnd + 1 - m_received.get());
        m_skipToLineEnd = false;
    }
    for (;;) {
        if (m_receivedPos == m_receivedEnd && !ReceiveMore(deadline))
            return FailRead(deadline, reply);
        const char* const begin = m_received.get() + m_receivedPos;
        const auto* lineEnd =
            static_cast<const char*>(std::memchr(begin, '\n', m_receivedEnd - m_receivedPos));
        const char* const stop = lineEnd != nullptr ? lineEnd : m_received.get() + m_receivedEnd;
        // A CR anywhere in the line is dropped, not only the one before the LF.
        for (const char* run = begin; run < stop;) {
            const auto* cr = static_cast<const char*>(std::memchr(run, '\r', stop - run));
            const char* const runEnd = cr != nullptr ? cr : stop;
            const size_t room = g_maxReplyLine - reply.size();
            if (static_cast<size_t>(runEnd - run) > room) {
                // The byte past the limit ends the reply; the rest of its line is dropped
                // before the next read.
                m_receivedPos = static_cast<size_t>(run + room + 1 - m_received.get());
                platform::WSASetLastError(platform::WSAEMSGSIZE);
                ReportSocketError();
                reply.clear();
                m_skipToLineEnd = true;
                return 1;
            }
            reply.append(run, runEnd);
            run = cr != nullptr ? cr + 1 : stop;
        }
        if (lineEnd != nullptr) {
            m_receivedPos = static_cast<size_t>(lineEnd + 1 - m_received.get());
            return 1;
        }
        m_receivedPos = m_receivedEnd;
    }
}

bool CCommandLink::ReceiveMore(platform::CSocketDeadline& deadline) {
    // A buffer as large as the socket's own takes the bytes straight from the kernel.
    constexpr int kSize = platform::CSocket::kReceiveBufferSize;
    if (!m_received)
        m_received = std::make_unique<char[]>(kSize);
    const int count = deadline.Expired() ? 0 : m_socket.Receive(m_received.get(), kSize);
    if (count > 0) {
        m_receivedPos = 0;
        m_receivedEnd = static_cast<size_t>(count);
        return true;
    }
    if (deadline.TimedOut())
        platform::WSASetLastError(platform::WSAECONNABORTED);
    return false;
}

int CCommandLink::FailRead(const platform::CSocketDeadline& deadline, std::string& reply) {
    ReportSocketError();
    reply.clear();
    // The answer may still come; with the link closed it can never be taken for the answer
    // to a later query.
    if (deadline.TimedOut())
        Disconnect();
    return 1;
}

int CCommandLink::Query(const std::string& command, std::string& reply) {
    if (!SendCommand(command)) {
        reply.clear();
        return 0;
    }
    return ReceiveLine(reply);
}

int CCommandLink::Disconnect() {
    m_socket.Close();
    m_connected = false;
    m_receivedPos = 0;
    m_receivedEnd = 0;
    return 1;
}

void CCommandLink::ReportSocketError() {
    ShowError(
        platform::SocketErrorText(platform::WSAGetLastError(), platform::SocketErrorTexts::kShort));
}

}  // namespace corvane
