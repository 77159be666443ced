#include "corvane/core/CommandLink.h"

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
    m_received.clear();
    m_receivedPos = 0;
    return 1;
}

int CCommandLink::SendCommand(const std::string& command) {
    const std::string line = command + "\r\n";
    const int length = static_cast<int>(line.size());
    platform::CSocketDeadline deadline(m_socket, g_timeout);
    if (m_socket.Send(line.data(), length) != length) {
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
    char byte = 0;
    // The tail of a line that was cut off earlier belongs to no query: drop it first, so
    // that the next reply is read in step.
    while (m_skipToLineEnd) {
        if (!ReceiveByte(deadline, byte))
            return FailRead(deadline, reply);
        if (byte == '\n')
            m_skipToLineEnd = false;
    }
    for (;;) {
        if (!ReceiveByte(deadline, byte))
            return FailRead(deadline, reply);
        if (byte == '\n')
            return 1;
        if (byte == '\r')
            continue;
        if (reply.size() >= g_maxReplyLine) {
            platform::WSASetLastError(platform::WSAEMSGSIZE);
            ReportSocketError();
            reply.clear();
            m_skipToLineEnd = true;
            return 1;
        }
        reply += byte;
    }
}

bool CCommandLink::ReceiveByte(platform::CSocketDeadline& deadline, char& byte) {
    if (m_receivedPos < m_received.size()) {
        byte = m_received[m_receivedPos++];
        return true;
    }
    char chunk[4096];
    const int count = deadline.Expired() ? 0 : m_socket.Receive(chunk, sizeof chunk);
    if (count > 0) {
        m_received.assign(chunk, static_cast<size_t>(count));
        m_receivedPos = 1;
        byte = m_received[0];
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
    m_received.clear();
    m_receivedPos = 0;
    return 1;
}

void CCommandLink::ReportSocketError() {
    ShowError(
        platform::SocketErrorText(platform::WSAGetLastError(), platform::SocketErrorTexts::kShort));
}

}  // namespace corvane
