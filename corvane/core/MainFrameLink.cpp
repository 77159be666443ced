// The command link: one TCP connection to the instrument's command port, one line per
// command, one line per reply, and no send or reply that may take longer than kLinkTimeout.
#include <QProgressBar>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/MessageBox.h"
#include "platform/SocketDeadline.h"
#include "platform/SocketErrors.h"
#include "platform/WaitCursor.h"

namespace corvane {

namespace {

constexpr unsigned short kCommandPort = 5000;

std::chrono::milliseconds g_linkTimeout = CMainFrame::kLinkTimeout;
size_t g_maxReplyLine = CMainFrame::kMaxReplyLine;

const char* SocketErrorText(int code) {
    switch (code) {
        case 10022:
            return "Socket not bound";
        case 10035:
            return "Error: WSAEWOULDBLOCK";
        case 10036:
            return "Socket is blocked.";
        case 10038:
            return "Descriptor is not socket.";
        case 10040:
            return "Error: WSAEMSGSIZE";
        case 10045:
            return "Error: WSAEOPNOTSUPP";
        case 10050:
            return "Network sub-system invalid";
        case 10053:
            return "Connection aborted. (Timeout, etc...)";
        case 10054:
            return "Connection closed by foreign host.";
        case 10057:
            return "Socket is not connected.";
        case 10058:
            return "Socket is shutdown";
        case 10093:
            return "Socket not initialized";
        default:
            return "Socket error.";
    }
}

}  // namespace

int CMainFrame::Connect() {
    if (m_connected == 1)
        return 1;
    ShowStatusText("Connecting...");
    platform::CWaitCursor wait;
    if (!m_socket.Create()) {
        ShowErrorMessage("Cannot create Socket.");
        return 0;
    }
    const std::string host = CorvaneApp()->GetTargetHost();
    if (!m_socket.Connect(host, kCommandPort)) {
        m_socket.Close();
        ShowErrorMessage("Cannot connect to \"" + host + "\"");
        return 0;
    }
    m_connected = 1;
    m_skipToLineEnd = false;
    return 1;
}

int CMainFrame::SendCommand(const std::string& command) {
    const std::string line = command + "\r\n";
    const int length = static_cast<int>(line.size());
    platform::CSocketDeadline deadline(m_socket, g_linkTimeout);
    if (m_socket.Send(line.data(), length) != length) {
        if (deadline.TimedOut())
            platform::WSASetLastError(platform::WSAECONNABORTED);
        ReportSocketError();
        Disconnect();
        return 0;
    }
    return 1;
}

int CMainFrame::ReceiveLine(std::string& reply) {
    reply.clear();
    // One limit for the whole line, the tail of an earlier one included, so that a peer
    // that trickles bytes or streams without a line end cannot hold the link either.
    platform::CSocketDeadline deadline(m_socket, g_linkTimeout);
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

bool CMainFrame::ReceiveByte(platform::CSocketDeadline& deadline, char& byte) {
    if (!deadline.Expired() && m_socket.Receive(&byte, 1) == 1)
        return true;
    if (deadline.TimedOut())
        platform::WSASetLastError(platform::WSAECONNABORTED);
    return false;
}

int CMainFrame::FailRead(const platform::CSocketDeadline& deadline, std::string& reply) {
    ReportSocketError();
    reply.clear();
    // The answer may still come; with the link closed it can never be taken for the answer
    // to a later query.
    if (deadline.TimedOut())
        Disconnect();
    return 1;
}

int CMainFrame::Query(const std::string& command, std::string& reply) {
    if (!SendCommand(command)) {
        reply.clear();
        return 0;
    }
    return ReceiveLine(reply);
}

int CMainFrame::Disconnect() {
    m_socket.Close();
    m_connected = 0;
    return 1;
}

void CMainFrame::SetLinkTimeout(std::chrono::milliseconds timeout) {
    g_linkTimeout = timeout;
}

std::chrono::milliseconds CMainFrame::LinkTimeout() {
    return g_linkTimeout;
}

void CMainFrame::SetMaxReplyLine(size_t length) {
    g_maxReplyLine = length;
}

void CMainFrame::ReportSocketError() {
    ShowErrorMessage(SocketErrorText(platform::WSAGetLastError()));
}

int CMainFrame::StripField(std::string& reply) {
    std::string::size_type semicolon = reply.find(';');
    if (semicolon == std::string::npos)
        return 0;
    reply.erase(0, semicolon + 1);
    return 1;
}

void CMainFrame::ShowStatusText(const std::string& text) {
    if (m_wndStatusBar.IsWindow())
        m_wndStatusBar.SetPaneText(0, text, true);
}

QRect CMainFrame::ProgressRect(const QRect& pane, bool withText) {
    if (!withText)
        return pane;
    // The bar takes the right part of the pane, leaving room for the text; the left edge
    // follows the old rule exactly (a quarter of the pane only when it starts at 0).
    const int left = pane.left();
    const int right = pane.left() + pane.width();
    QRect rect = pane;
    rect.setLeft(right - (left + right) / 4);
    return rect;
}

int CMainFrame::CreateProgressInStatusBar(platform::CProgressCtrl& progress, unsigned style,
                                          const char* text) {
    if (!m_wndStatusBar.IsWindow())
        return 0;
    progress.Create(style, ProgressRect(m_wndStatusBar.GetItemRect(0), text != nullptr),
                    &m_wndStatusBar, -1);
    if (text != nullptr)
        ShowStatusText(text);
    return 1;
}

void CMainFrame::ShowErrorMessage(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

}  // namespace corvane
