// The command link of the user-interface thread: connect, one command per line, one reply
// line per query, bounded by the reply timer.
#include "drenlo/comm/QuarnComm.h"

#include <chrono>
#include <thread>

#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/ErrorBox.h"
#include "platform/SocketDeadline.h"
#include "platform/SocketErrors.h"
#include "platform/WaitCursor.h"

namespace drenlo {

CCatalogReply g_catalogReply;
int g_objectCount = 0;
std::uint64_t g_totalSize = 0;
double g_usedBytes = 0;
double g_freeBytes = 0;

namespace {

void Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

CQuarnComm::CQuarnComm() = default;

CQuarnComm::~CQuarnComm() {
    AbortJobAndWait();
}

int CQuarnComm::Connect() {
    if (m_connected == 1)
        return 1;
    platform::CWaitCursor wait;
    if (!m_socket.Create()) {
        ShowErrorBox("Cannot create Socket.");
        if (m_host != nullptr)
            m_host->OnConnectFailed();
        return 0;
    }
    if (!m_socket.Connect(m_targetHost, kCommandPort)) {
        m_socket.Close();
        ShowErrorBox("Cannot connect to \"" + m_targetHost + "\"");
        if (m_host != nullptr)
            m_host->OnConnectFailed();
        return 0;
    }
    m_connected = 1;
    return 1;
}

int CQuarnComm::Disconnect() {
    m_socket.Close();
    m_connected = 0;
    Sleep(100);
    return 1;
}

int CQuarnComm::SendCommand(const std::string& command) {
    return SendRaw(command + "\r\n");
}

int CQuarnComm::SendRaw(const std::string& bytes) {
    if (m_connected == 0)
        return 0;
    const int length = static_cast<int>(bytes.size());
    if (m_socket.Send(bytes.data(), length) != length) {
        ShowSocketError();
        CloseAfterFailure();
        return 0;
    }
    return 1;
}

void CQuarnComm::CloseAfterFailure() {
    m_socket.Close();
    m_connected = 0;
    Sleep(100);
}

const std::string& CQuarnComm::ReceiveLine() {
    m_reply.clear();
    if (m_connected == 0)
        return m_reply;
    platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(kReplyTimeoutMs));
    char byte = 0;
    for (;;) {
        const int got = m_socket.Receive(&byte, 1);
        if (got != 1)
            break;
        if (byte == '\n')
            return m_reply;
        if (byte == '\r')
            continue;
        if (m_reply.size() >= kMaxReplyLine) {
            platform::WSASetLastError(platform::WSAEMSGSIZE);
            break;
        }
        m_reply += byte;
    }
    // The rest of this reply may still come; with the link closed it can never be taken
    // for the answer to a later query.
    ShowSocketError();
    m_reply.clear();
    CloseAfterFailure();
    return m_reply;
}

int CQuarnComm::Query(const std::string& command, std::string& reply) {
    reply.clear();
    if (!SendCommand(command))
        return 0;
    reply = ReceiveLine();
    return m_connected;
}

}  // namespace drenlo
