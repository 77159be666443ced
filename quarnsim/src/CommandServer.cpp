#include "quarnsim/CommandServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "quarnsim/ErrorQueue.h"
#include "quarnsim/FaultPlan.h"
#include "quarnsim/Instrument.h"
#include "quarnsim/LineAssembler.h"

namespace quarnsim {
namespace {

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool Readable(const pollfd& fd) {
    return (fd.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

}  // namespace

CommandServer::CommandServer(Instrument& instrument, FaultPlan& faults)
    : m_instrument(instrument), m_faults(faults) {}

CommandServer::~CommandServer() {
    Stop();
}

int CommandServer::Start(const std::string& address, uint16_t port, std::string* error) {
    if (m_running)
        return 1;
    m_address = address;
    m_port = port;
    if (::pipe2(m_stopPipe, O_CLOEXEC) != 0 || ::pipe2(m_controlPipe, O_CLOEXEC) != 0) {
        if (error)
            *error = std::string("pipe: ") + std::strerror(errno);
        CloseFd(m_stopPipe[0]);
        CloseFd(m_stopPipe[1]);
        return 0;
    }
    bool listen = false;
    {
        std::lock_guard lock(m_mutex);
        listen = m_policy != ConnectionPolicy::Refuse;
    }
    if (listen && !OpenListener(error)) {
        for (int* pipe : {m_stopPipe, m_controlPipe}) {
            CloseFd(pipe[0]);
            CloseFd(pipe[1]);
        }
        return 0;
    }
    m_running = true;
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return 1;
}

int CommandServer::OpenListener(std::string* error) {
    auto fail = [&](const char* what) {
        if (error) {
            *error = std::string(what) + " " + m_address + ":" + std::to_string(m_port) + ": " +
                     std::strerror(errno);
        }
        CloseFd(m_listenFd);
        return 0;
    };
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(m_port);
    if (::inet_pton(AF_INET, m_address.c_str(), &local.sin_addr) != 1) {
        errno = EINVAL;
        return fail("bad address");
    }
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listenFd < 0)
        return fail("socket");
    int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        return fail("cannot bind");
    }
    if (::listen(m_listenFd, 64) != 0)
        return fail("cannot listen on");
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&bound), &length) == 0) {
        m_port = ntohs(bound.sin_port);  // with port 0, reopening keeps the port first chosen
    }
    return 1;
}

void CommandServer::CloseListener() {
    CloseFd(m_listenFd);
}

void CommandServer::AcceptLoop() {
    for (;;) {
        pollfd fds[3] = {{m_stopPipe[0], POLLIN, 0}, {m_controlPipe[0], POLLIN, 0}, {-1, 0, 0}};
        nfds_t count = 2;
        if (m_listenFd >= 0)
            fds[count++] = {m_listenFd, POLLIN, 0};
        int ready = ::poll(fds, count, 500);
        m_connections.ReapFinished(false);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        if (Readable(fds[0]))
            break;
        if (Readable(fds[1])) {
            char drain[64];
            [[maybe_unused]] ssize_t ignored = ::read(m_controlPipe[0], drain, sizeof drain);
            std::lock_guard lock(m_mutex);
            bool refuse = m_policy == ConnectionPolicy::Refuse;
            if (refuse && m_listenFd >= 0) {
                // Clients whose connect already returned are waiting in the backlog; they
                // were let in before the refusal and must not be reset by it.
                AcceptPending(ConnectionPolicy::Accept);
                CloseListener();
            }
            if (!refuse && m_listenFd < 0)
                OpenListener(&m_listenError);
            m_policyDone = m_policyRequest;
            m_policyApplied.notify_all();
            continue;
        }
        if (count < 3 || !Readable(fds[2]))
            continue;
        std::lock_guard lock(m_mutex);
        AcceptPending(m_policy);
    }
}

int CommandServer::OpenConnectionCount() const {
    int waiting = 0;
    {
        std::lock_guard lock(m_mutex);
        tcp_info info{};
        socklen_t size = sizeof info;
        // On a listening socket the kernel reports its backlog's length as the unacked count.
        if (m_listenFd >= 0 && ::getsockopt(m_listenFd, IPPROTO_TCP, TCP_INFO, &info, &size) == 0)
            waiting = static_cast<int>(info.tcpi_unacked);
    }
    return waiting + m_connectionCount - m_endedCount;
}

void CommandServer::AcceptPending(ConnectionPolicy policy) {
    for (;;) {
        int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;  // EAGAIN: the backlog is empty
        }
        ++m_connectionCount;
        if (policy != ConnectionPolicy::Accept) {
            ::close(fd);
            ++m_endedCount;
            continue;
        }
        m_connections.Start(fd, [this](int socket) { Serve(socket); });
    }
}

void CommandServer::Serve(int fd) {
    struct Ended {
        std::atomic<int>& count;
        ~Ended() { ++count; }
    } ended{m_endedCount};
    const std::string terminator = m_instrument.GetOptions().replyTerminator;
    Session session;
    LineAssembler assembler;
    assembler.TakeRoomFrom([this](size_t bytes) { return TakeBlockRoom(bytes); });
    std::vector<LineAssembler::Line> lines;
    std::vector<char> buffer(256 * 1024);
    bool open = true;
    bool hung = false;  // a stalled reply: the instrument reads on but never answers again
    // Gone silent at a line: the instrument still takes lines in, and the log shows them,
    // but it neither acts on them nor answers.
    bool silent = false;
    while (open) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (Readable(fds[1]))
            break;
        ssize_t received = ::recv(fd, buffer.data(), m_faults.ReceiveChunk(buffer.size()), 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            break;  // closed by the client, possibly in the middle of a line or block
        FaultPlan::ReceivePlan receive = m_faults.TakeForReceive(static_cast<size_t>(received));
        if (hung)
            continue;
        // Timed by the clock a process reads without a system call, so that the timing costs
        // next to nothing of what it times.
        auto handlingSince = std::chrono::steady_clock::now();
        auto countHandling = [&] {
            const auto now = std::chrono::steady_clock::now();
            m_handlingNanoseconds += (now - handlingSince).count();
            handlingSince = now;
        };
        lines.clear();
        assembler.Feed(std::string_view(buffer.data(), receive.keep), lines);
        for (LineAssembler::Line& line : lines) {
            if (silent) {
                if (!line.overflow)
                    Log(LineAssembler::WithoutBlockData(line));
                continue;
            }
            std::string reply;
            bool hasReply = false;
            if (line.overflow) {
                m_instrument.PushError(err::kTooMuchData, "Too much data");
                hasReply = line.query;  // a client waiting for an answer must not wait forever
            } else {
                std::string text = LineAssembler::WithoutBlockData(line);
                std::optional<FaultPlan::LineFault> fault = m_faults.TakeForLine(text);
                hasReply = m_instrument.ProcessLine(session, line.text, &reply);
                // Logged once carried out, so a test that sees a line in the log may read
                // what it did, even when the line has no reply to wait for.
                Log(std::move(text));
                if (fault && fault->stopReading) {
                    WaitForClientToLeave(fd);
                    open = false;
                    break;
                }
                if (fault) {
                    silent = true;
                    if (!SendAll(fd, fault->bytes)) {
                        open = false;
                        break;
                    }
                    continue;
                }
            }
            KeepBlockRoom(std::move(line.text));  // its bytes are done with
            if (!hasReply)
                continue;
            reply += terminator;
            FaultPlan::ReplyPlan plan = m_faults.TakeForReply(std::move(reply), terminator.size());
            countHandling();
            if (plan.delay.count() > 0 && WaitStop(plan.delay)) {
                open = false;
                break;
            }
            const bool sent = SendPaced(fd, plan);
            handlingSince = std::chrono::steady_clock::now();
            if (!sent || plan.close) {
                open = false;
                break;
            }
            if (plan.hang) {
                hung = true;
                break;
            }
        }
        countHandling();
        if (receive.close)
            break;
        if (receive.delay.count() > 0 && WaitStop(receive.delay))
            break;
    }
}

void CommandServer::WaitForClientToLeave(int fd) {
    // Only the client's close is asked for, so bytes it goes on sending wake nothing.
    pollfd fds[2] = {{fd, POLLRDHUP, 0}, {m_stopPipe[0], POLLIN, 0}};
    while (::poll(fds, 2, -1) < 0 && errno == EINTR) {
    }
}

bool CommandServer::SendPaced(int fd, const FaultPlan::ReplyPlan& plan) {
    std::string_view all = plan.bytes;
    std::string_view head = all.substr(0, all.size() - plan.tail);
    if (!SendChunked(fd, head, plan))
        return false;
    if (plan.tail == 0)
        return true;
    if (WaitStop(plan.tailDelay))
        return false;
    return SendAll(fd, all.substr(head.size()));
}

bool CommandServer::SendChunked(int fd, std::string_view bytes, const FaultPlan::ReplyPlan& plan) {
    if (plan.chunk == 0)
        return SendAll(fd, bytes);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        if (plan.chunkDelay.count() > 0 && WaitStop(plan.chunkDelay))
            return false;
        std::string_view piece = rest.substr(0, plan.chunk);
        if (!SendAll(fd, piece))
            return false;
        rest.remove_prefix(piece.size());
    }
    return true;
}

bool CommandServer::SendAll(int fd, std::string_view bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool CommandServer::WaitStop(std::chrono::milliseconds delay) {
    auto until = std::chrono::steady_clock::now() + delay;
    for (;;) {
        auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd = {m_stopPipe[0], POLLIN, 0};
        int ready = ::poll(&fd, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

void CommandServer::Stop() {
    if (!m_running)
        return;
    [[maybe_unused]] ssize_t ignored = ::write(m_stopPipe[1], "x", 1);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    m_connections.ShutdownAll();
    {
        std::lock_guard lock(m_mutex);
        m_policyDone = m_policyRequest;
        m_policyApplied.notify_all();
    }
    m_connections.ReapFinished(true);
    CloseListener();
    for (int* pipe : {m_stopPipe, m_controlPipe}) {
        CloseFd(pipe[0]);
        CloseFd(pipe[1]);
    }
    m_running = false;
}

void CommandServer::SetPolicy(ConnectionPolicy policy) {
    std::unique_lock lock(m_mutex);
    m_policy = policy;
    if (!m_running)
        return;
    uint64_t request = ++m_policyRequest;
    [[maybe_unused]] ssize_t ignored = ::write(m_controlPipe[1], "p", 1);
    m_policyApplied.wait_for(lock, std::chrono::seconds(5),
                             [&] { return m_policyDone >= request || !m_running; });
}

std::string CommandServer::TakeBlockRoom(size_t bytes) {
    std::lock_guard lock(m_roomMutex);
    if (m_blockRoom.capacity() < bytes)
        return {};
    return std::exchange(m_blockRoom, std::string());
}

void CommandServer::KeepBlockRoom(std::string room) {
    if (room.capacity() < LineAssembler::kLargeBlock || room.capacity() > kMaxKeptRoom)
        return;
    room.clear();
    std::lock_guard lock(m_roomMutex);
    if (room.capacity() > m_blockRoom.capacity())
        m_blockRoom.swap(room);
    // The smaller one goes when `room` does, after the lock.
}

void CommandServer::Log(std::string line) {
    m_log.Add(std::move(line));
}

std::vector<std::string> CommandServer::ReceivedLines() const {
    return m_log.Lines();
}

void CommandServer::ClearLog() {
    m_log.Clear();
}

}  // namespace quarnsim
