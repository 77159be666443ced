#include "utilities/mirrak/FtpSession.h"

#include <algorithm>
#include <chrono>
#include <climits>

#include "platform/MessageBox.h"
#include "platform/SocketDeadline.h"
#include "utilities/common/GuiWaitCursor.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityBeep.h"
#include "utilities/mirrak/FtpReply.h"

namespace mirrak {

namespace {

std::atomic<int> g_defaultReplyTimeoutMs{CFtpSession::kDefaultTimeoutMs};
std::atomic<int> g_defaultDataTimeoutMs{CFtpSession::kDefaultTimeoutMs};
std::atomic<int> g_defaultTransferAllowanceMs{CFtpSession::kDefaultTransferAllowanceMs};

// A short wait for the replies that belong to a transfer the other side has already ended.
constexpr int kSettleTimeoutMs = 3000;

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

void CFtpSession::SetDefaultTimeoutsMs(int replyMs, int dataMs) {
    g_defaultReplyTimeoutMs.store(replyMs);
    g_defaultDataTimeoutMs.store(dataMs);
}

void CFtpSession::SetDefaultTransferAllowanceMs(int ms) {
    g_defaultTransferAllowanceMs.store(ms);
}

int CFtpSession::TransferReplyTimeoutMs(int replyMs, int allowanceMs, std::int64_t listedSize) {
    const std::int64_t blocks = listedSize > 0 ? listedSize / kTransferBlockBytes : 0;
    const std::int64_t allowance = allowanceMs > 0 ? allowanceMs : 0;
    const std::int64_t base = replyMs > 0 ? replyMs : 0;
    // A listing may claim any size; the wait stays a bound (and Cancel still ends it).
    if (allowance != 0 && blocks > (INT_MAX - base) / allowance)
        return INT_MAX;
    return static_cast<int>(base + blocks * allowance);
}

CFtpSession::CFtpSession()
    : m_replyTimeoutMs(g_defaultReplyTimeoutMs.load()),
      m_dataTimeoutMs(g_defaultDataTimeoutMs.load()),
      m_transferAllowanceMs(g_defaultTransferAllowanceMs.load()) {}

CFtpSession::~CFtpSession() {
    StopListener();
    m_socket.Close();
}

int CFtpSession::ShowErrorBox(const std::string& text, platform::UINT type) {
    if (m_aborted.load())
        return platform::IDCANCEL;
    utilities::UtilityBeep(platform::MB_ICONHAND);
    return platform::MessageBox(nullptr, text, "", type);
}

void CFtpSession::ReportSocketError(const std::string& context) {
    if (m_aborted.load())
        return;
    std::string text = utilities::CQuarnComm::SocketErrorText(platform::WSAGetLastError());
    if (!context.empty())
        text += " : " + context;
    utilities::UtilityBeep(platform::MB_ICONEXCLAMATION);
    platform::MessageBox(nullptr, text, "", platform::MB_OK | platform::MB_ICONSTOP);
}

void CFtpSession::Abort() {
    m_aborted.store(true);
    m_listenerStopped.store(true);
    m_socket.CancelBlockingCall();
    m_listenSocket.CancelBlockingCall();
    m_dataSocket.CancelBlockingCall();
}

void CFtpSession::DropConnection() {
    m_connected = 0;
    m_socket.Close();
}

int CFtpSession::Login(const std::string& host) {
    utilities::CGuiWaitCursor wait;
    // A session that is logged in again must not leave its earlier connection open: an
    // instrument that takes one FTP session at a time would refuse every later login.
    DropConnection();
    m_host = host;
    if (m_aborted.load())
        return 0;
    if (!m_socket.Create()) {
        ReportSocketError("Open: Socket create");
        return 0;
    }
    int connected;
    bool timedOut;
    {
        platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(m_replyTimeoutMs),
                                           &m_aborted);
        connected = m_socket.Connect(host, kFtpPort);
        timedOut = deadline.TimedOut();
    }
    if (!connected) {
        if (timedOut)
            platform::WSASetLastError(platform::WSAETIMEDOUT);
        ReportSocketError("Connect");
        m_socket.Close();
        return 0;
    }
    m_connected = 1;
    if (ReadReply() && Command(std::string("USER ") + kUser) &&
        Command(std::string("PASS ") + kPassword))
        return 1;
    DropConnection();
    return 0;
}

int CFtpSession::SendRaw(const std::string& bytes) {
    // A connection dropped after a failure has been reported already.
    if (!m_connected)
        return 0;
    if (m_aborted.load())
        return 0;
    int sent;
    {
        platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(m_replyTimeoutMs),
                                           &m_aborted);
        sent = m_socket.Send(bytes.data(), static_cast<int>(bytes.size()));
        if (sent != static_cast<int>(bytes.size()) && deadline.TimedOut())
            platform::WSASetLastError(platform::WSAETIMEDOUT);
    }
    if (sent != static_cast<int>(bytes.size())) {
        ReportSocketError("Send Command");
        DropConnection();
        return 0;
    }
    return 1;
}

int CFtpSession::ReceiveByte(char& c, int timeoutMs) {
    if (timeoutMs <= 0) {
        platform::WSASetLastError(platform::WSAETIMEDOUT);
        return 0;
    }
    platform::CSocketDeadline deadline(m_socket, std::chrono::milliseconds(timeoutMs), &m_aborted);
    const int received = m_socket.Receive(&c, 1);
    if (received == 1)
        return 1;
    if (deadline.TimedOut())
        platform::WSASetLastError(platform::WSAETIMEDOUT);
    return 0;
}

int CFtpSession::ReceiveLine(std::string& line) {
    line.clear();
    if (!m_connected)
        return 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_replyTimeoutMs);
    for (;;) {
        char c;
        if (!ReceiveByte(c, MillisecondsLeft(deadline))) {
            ReportSocketError("Receive");
            line.clear();
            DropConnection();
            return 0;
        }
        if (c == '\n')
            return 1;
        if (c == '\r')
            continue;
        if (line.size() >= kMaxReplyLine) {
            platform::WSASetLastError(platform::WSAEMSGSIZE);
            ReportSocketError("Receive");
            line.clear();
            DropConnection();
            return 0;
        }
        line += c;
    }
}

int CFtpSession::CheckReply(const std::string& reply) {
    if (ReplyPasses(reply))
        return 1;
    ShowErrorBox("Error : " + reply, platform::MB_OK | platform::MB_ICONSTOP);
    return 0;
}

int CFtpSession::ReadReply() {
    return ReadWholeReply() && CheckReply(m_reply);
}

int CFtpSession::ReadWholeReply() {
    std::string line;
    if (!ReceiveLine(line)) {
        m_reply.clear();
        return 0;
    }
    m_reply = line;
    if (IsContinuedReplyStart(line)) {
        const int code = ReplyCode(line);
        std::string more;
        for (int count = 0;; ++count) {
            if (count >= kMaxReplyLines || !ReceiveLine(more)) {
                if (count >= kMaxReplyLines) {
                    platform::WSASetLastError(platform::WSAEMSGSIZE);
                    ReportSocketError("Receive");
                    DropConnection();
                }
                m_reply.clear();
                return 0;
            }
            if (EndsContinuedReply(more, code))
                break;
        }
    }
    return 1;
}

int CFtpSession::ReadReplyWithin(int timeoutMs, bool check) {
    const int saved = m_replyTimeoutMs;
    m_replyTimeoutMs = timeoutMs;
    const int read = check ? ReadReply() : ReadWholeReply();
    m_replyTimeoutMs = saved;
    return read;
}

int CFtpSession::Command(const std::string& text) {
    return SendRaw(text + "\r\n") && ReadReply();
}

int CFtpSession::SendPort(int port) {
    std::string address;
    unsigned short localPort = 0;
    if (!m_socket.GetSockName(address, localPort)) {
        ReportSocketError("GetSockName");
        return 0;
    }
    const std::string command = FormatPortCommand(address, port);
    if (command.empty()) {
        platform::WSASetLastError(platform::WSAEAFNOSUPPORT);
        ReportSocketError("GetSockName");
        return 0;
    }
    return Command(command);
}

bool CFtpSession::DataComesFromServer() {
    std::string peer;
    unsigned short port = 0;
    return m_dataSocket.GetPeerName(peer, port) && peer == m_host;
}

void CFtpSession::DataListenerThreadProc() {
    platform::CSocket& listener = m_listenSocket;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(m_dataTimeoutMs);
    int accepted = 0;
    for (int left = m_dataTimeoutMs; left > 0; left = MillisecondsLeft(until)) {
        {
            platform::CSocketDeadline deadline(listener, std::chrono::milliseconds(left),
                                               &m_listenerStopped);
            accepted = listener.Accept(m_dataSocket);
        }
        // Only the server may hand over the listing: whoever else reaches the port first
        // would decide what is copied and which folders are made on the target.
        if (!accepted || DataComesFromServer())
            break;
        m_dataSocket.Close();
        accepted = 0;
    }
    listener.Close();
    if (!accepted) {
        m_listenerStatus.store(-1);
        // A listener the session stopped on purpose (the server refused LIST) says nothing.
        if (!m_listenerStopped.load())
            ShowErrorBox("Error: cannot Accept", platform::MB_OK | platform::MB_ICONSTOP);
        return;
    }
    char buffer[4096];
    for (;;) {
        int received;
        {
            platform::CSocketDeadline deadline(
                m_dataSocket, std::chrono::milliseconds(m_dataTimeoutMs), &m_listenerStopped);
            received = m_dataSocket.Receive(buffer, sizeof buffer);
            if (received < 0 && deadline.TimedOut())
                platform::WSASetLastError(platform::WSAETIMEDOUT);
        }
        if (received == 0)
            break;
        if (received < 0) {
            m_listenerStatus.store(-1);
            if (!m_listenerStopped.load())
                ReportSocketError("Receive listing");
            m_dataSocket.Close();
            return;
        }
        if (m_listing.size() + static_cast<std::size_t>(received) > kMaxListing) {
            m_listenerStatus.store(-1);
            ShowErrorBox("Error: the folder listing is too long",
                         platform::MB_OK | platform::MB_ICONSTOP);
            m_dataSocket.Close();
            return;
        }
        m_listing.append(buffer, static_cast<std::size_t>(received));
    }
    m_dataSocket.Close();
    m_listenerStatus.store(1);
}

void CFtpSession::StopListener() {
    if (!m_listener.joinable())
        return;
    m_listenerStopped.store(true);
    m_listenSocket.CancelBlockingCall();
    m_dataSocket.CancelBlockingCall();
    m_listener.join();
    m_listenSocket.Close();
    m_dataSocket.Close();
}

int CFtpSession::ListDirectory(const std::string& path, std::string& listing) {
    m_listenerStatus.store(0);
    int port = NextDataPort();
    if (!Command("TYPE A"))
        return 0;
    // Listening before PORT: a server may connect the moment it reads the address. Only on
    // the address PORT names, the one the server already reaches us at.
    std::string localAddress;
    unsigned short localPort = 0;
    if (!m_socket.GetSockName(localAddress, localPort)) {
        ReportSocketError("GetSockName");
        return 0;
    }
    m_listenSocket.Close();
    // A port another program holds is passed over: PORT names the one actually taken.
    for (int tries = 1; !m_listenSocket.Create(static_cast<unsigned short>(port), localAddress);
         ++tries) {
        if (platform::WSAGetLastError() != platform::WSAEADDRINUSE || tries >= kPortTries) {
            ReportSocketError("Bind");
            return 0;
        }
        port = NextDataPort();
    }
    if (!m_listenSocket.Listen(5)) {
        m_listenSocket.Close();
        ShowErrorBox("Error: cannot listen", platform::MB_OK | platform::MB_ICONSTOP);
        return 0;
    }
    if (!SendPort(port)) {
        m_listenSocket.Close();
        return 0;
    }
    m_listing.clear();
    // The listener's calls end early on this flag, which Abort raises too.
    m_listenerStopped.store(m_aborted.load());
    m_listener = std::thread([this] { DataListenerThreadProc(); });
    if (!SendRaw("LIST " + path + "\r\n")) {
        StopListener();
        return 0;
    }
    std::string opening;
    const ReadResult first = ReadTransferReply(opening);
    if (first != ReadResult::Passed || !IsPreliminaryReply(opening)) {
        // One final reply: no data comes. Only a plain success may still have sent some.
        const bool success = first == ReadResult::Passed && ReplyCode(opening) / 100 == 2;
        if (success)
            m_listener.join();
        else
            StopListener();
        if (!success || m_listenerStatus.load() < 0)
            return 0;
        listing = m_listing;
        return 1;
    }
    m_listener.join();
    if (!ReadReply())
        return 0;
    if (m_listenerStatus.load() < 0)
        return 0;
    listing = m_listing;
    return 1;
}

int CFtpSession::EnterPassive(std::string& address) {
    if (!SendRaw("PASV\r\n"))
        return 0;
    std::string reply;
    if (!ReceiveLine(reply))
        return 0;
    m_reply = reply;
    return ParsePassiveReply(reply, address);
}

CFtpSession::ReadResult CFtpSession::ReadTransferReply(std::string& reply) {
    const int passed = ReadReply();
    reply = m_reply;
    if (passed)
        return ReadResult::Passed;
    return m_connected ? ReadResult::Refused : ReadResult::Broken;
}

TransferResult CFtpSession::TransferFile(CFtpSession& target, const std::string& path,
                                         std::int64_t listedSize) {
    std::string address;
    if (!target.Command("TYPE I") || !target.EnterPassive(address))
        return TransferResult::Failed;
    if (!Command("PORT " + address) || !Command("TYPE I"))
        return TransferResult::Failed;
    if (!target.SendRaw("STOR " + path + "\r\n"))
        return TransferResult::Failed;
    if (!SendRaw("RETR " + path + "\r\n")) {
        // The target waits for data that will not come.
        target.Resync();
        return TransferResult::Failed;
    }
    std::string sourceReply;
    const ReadResult sourceFirst = ReadTransferReply(sourceReply);
    const bool sourceSends = sourceFirst == ReadResult::Passed && IsPreliminaryReply(sourceReply);
    if (!sourceSends && (sourceFirst != ReadResult::Passed || IsNotFoundReply(sourceReply))) {
        // The source sends nothing, so the target's STOR could only end by time-out; its
        // connection is out of step from here and starts again.
        target.Resync();
        return sourceFirst == ReadResult::Passed ? TransferResult::NotFound
                                                 : TransferResult::Failed;
    }
    bool notFound = false;
    std::string targetReply;
    const ReadResult targetFirst = target.ReadTransferReply(targetReply);
    const bool targetTakes = targetFirst == ReadResult::Passed && IsPreliminaryReply(targetReply);
    if (sourceSends) {
        // The source's transfer ends by itself whether the target took the data or not;
        // after a refusal by the target it ends quickly, refused. The source's end after the
        // target's refusal is the refusal's echo, not news.
        const int sourceDone =
            targetTakes ? ReadReplyWithin(TransferReplyTimeoutMs(m_replyTimeoutMs,
                                                                 m_transferAllowanceMs, listedSize),
                                          true)
                        : ReadReplyWithin(std::min(m_replyTimeoutMs, kSettleTimeoutMs), false);
        if (!sourceDone) {
            if (m_connected)
                Resync();
            if (targetTakes)
                target.Resync();
            return TransferResult::Failed;
        }
        notFound = targetTakes && IsNotFoundReply(m_reply);
    }
    if (targetFirst != ReadResult::Passed)
        return TransferResult::Failed;
    bool notStored = false;
    if (targetTakes) {
        // The target stores the last bytes before it answers: as long a bound as the source's.
        if (!target.ReadReplyWithin(
                TransferReplyTimeoutMs(target.m_replyTimeoutMs, target.m_transferAllowanceMs,
                                       listedSize),
                true))
            return TransferResult::Failed;
        notStored = IsNotFoundReply(target.m_reply);
    } else {
        notStored = IsNotFoundReply(targetReply);
    }
    if (notFound)
        return TransferResult::NotFound;
    return notStored ? TransferResult::NotStored : TransferResult::Copied;
}

int CFtpSession::Quit() {
    if (m_connected) {
        const int saved = m_replyTimeoutMs;
        m_replyTimeoutMs = std::min(m_replyTimeoutMs, kSettleTimeoutMs);
        Command("QUIT");
        m_replyTimeoutMs = saved;
        m_connected = 0;
    }
    m_socket.Close();
    return 1;
}

int CFtpSession::Resync() {
    if (m_aborted.load() || m_host.empty())
        return 0;
    return Login(m_host);
}

}  // namespace mirrak
