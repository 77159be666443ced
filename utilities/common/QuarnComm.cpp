#include "utilities/common/QuarnComm.h"

#include "platform/MessageBox.h"
#include "platform/SocketDeadline.h"
#include "platform/SocketErrors.h"
#include "utilities/common/GuiWaitCursor.h"
#include "utilities/common/UtilityBeep.h"

namespace utilities {

CQuarnComm::CQuarnComm() = default;

CQuarnComm::~CQuarnComm() {
    m_socket.Close();
}

int CQuarnComm::Connect(const std::string& host) {
    if (m_connected != 0)
        return 1;
    if (m_aborted.load())
        return 0;
    CGuiWaitCursor cursor;
    if (!m_socket.Create()) {
        ShowErrorBox("Cannot create Socket.", platform::MB_ICONSTOP);
        return 0;
    }
    int connected;
    {
        platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(m_receiveTimeoutMs),
                                           &m_aborted);
        connected = m_aborted.load() ? 0 : m_socket.Connect(host, kCommandPort);
    }
    if (!connected) {
        m_socket.Close();
        if (!m_aborted.load()) {
            ShowErrorBox("Cannot connect to \"" + host + "\"", platform::MB_ICONSTOP);
        }
        return 0;
    }
    m_connected = 1;
    return 1;
}

int CQuarnComm::Disconnect() {
    if (m_connected == 0) {
        if (!m_disconnectAlwaysOne)
            return 0;
        m_socket.Close();
        return 1;
    }
    m_socket.Close();
    m_connected = 0;
    return 1;
}

int CQuarnComm::SendCommand(const std::string& command) {
    return SendRaw(command + "\r\n");
}

int CQuarnComm::SendRaw(const std::string& bytes) {
    if (m_connected == 0)
        return 0;
    if (m_aborted.load()) {
        Disconnect();
        return 0;
    }
    if (bytes.empty())
        return 1;
    int sent;
    bool timedOut;
    {
        // A peer that stops reading fills the send queue; the same bound as a receive keeps
        // that from blocking for ever.
        platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(m_receiveTimeoutMs),
                                           &m_aborted);
        sent = m_socket.Send(bytes.data(), static_cast<int>(bytes.size()));
        timedOut = deadline.TimedOut();
    }
    if (sent != static_cast<int>(bytes.size())) {
        // The cancelled call leaves "interrupted"; a caller that shows the failure (a file's
        // bytes) must say what happened.
        if (timedOut)
            platform::WSASetLastError(platform::WSAETIMEDOUT);
        Disconnect();
        return 0;
    }
    return 1;
}

CQuarnComm::ReceiveResult CQuarnComm::ReceiveSome(char* buffer, int length, int& received,
                                                  int timeoutMs) {
    received = 0;
    if (m_aborted.load()) {
        platform::WSASetLastError(platform::WSAEINTR);
        return ReceiveResult::kFailed;
    }
    int count;
    bool timedOut;
    {
        platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(timeoutMs),
                                           &m_aborted);
        count = m_socket.Receive(buffer, length);
        timedOut = deadline.TimedOut();
    }
    if (count > 0) {
        received = count;
        return ReceiveResult::kOk;
    }
    if (count == 0)
        return ReceiveResult::kClosed;
    if (timedOut)
        platform::WSASetLastError(platform::WSAETIMEDOUT);
    return ReceiveResult::kFailed;
}

void CQuarnComm::FailReceive(ReceiveResult result) {
    // A peer that closed leaves no code of its own; the generic text is the honest one.
    if (result == ReceiveResult::kClosed)
        platform::WSASetLastError(0);
    ReportSocketError();
    Disconnect();
}

std::string CQuarnComm::ReceiveLine() {
    std::string line;
    if (m_connected == 0)
        return line;
    for (;;) {
        char c;
        int received;
        const ReceiveResult result = ReceiveSome(&c, 1, received, m_receiveTimeoutMs);
        if (result != ReceiveResult::kOk) {
            FailReceive(result);
            return {};
        }
        if (c == '\n')
            return line;
        if (c == '\r')
            continue;
        if (line.size() >= kMaxLineLength) {
            platform::WSASetLastError(platform::WSAEMSGSIZE);
            FailReceive(ReceiveResult::kFailed);
            return {};
        }
        line.push_back(c);
    }
}

int CQuarnComm::ShowErrorBox(const std::string& text, platform::UINT type) {
    UtilityBeep(platform::MB_ICONHAND);
    return platform::MessageBox(nullptr, text, "", type);
}

void CQuarnComm::ReportSocketError() {
    // After an abort the failure is the one the operator asked for.
    if (m_aborted.load())
        return;
    const std::string text = SocketErrorText(platform::WSAGetLastError());
    UtilityBeep(platform::MB_ICONEXCLAMATION);
    platform::MessageBox(nullptr, text, "", platform::MB_OK | platform::MB_ICONSTOP);
}

std::string CQuarnComm::SocketErrorText(int code) {
    return platform::SocketErrorText(code, platform::SocketErrorTexts::kReference);
}

void CQuarnComm::Abort() {
    m_aborted.store(true);
    m_socket.CancelBlockingCall();
}

}  // namespace utilities
