#include "quarnsim/FtpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FtpSession.h"

namespace quarnsim {

namespace {
void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}
}  // namespace

FtpServer::FtpServer(FileSystem& files, FtpFaultPlan& faults) : m_files(files), m_faults(faults) {}

FtpServer::~FtpServer() {
    Stop();
}

int FtpServer::Start(const std::string& address, uint16_t port, int dataTimeoutMs,
                     std::string* error) {
    if (m_running)
        return 1;
    m_address = address;
    m_port = port;
    m_dataTimeoutMs = dataTimeoutMs > 0 ? dataTimeoutMs : 30000;
    auto fail = [&](const std::string& what) {
        if (error) {
            *error = "FTP: " + what + " " + m_address + ":" + std::to_string(m_port) + ": " +
                     std::strerror(errno);
        }
        CloseFd(m_listenFd);
        CloseFd(m_stopPipe[0]);
        CloseFd(m_stopPipe[1]);
        return 0;
    };
    if (::pipe2(m_stopPipe, O_CLOEXEC) != 0)
        return fail("pipe for");
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(m_port);
    if (::inet_pton(AF_INET, m_address.c_str(), &local.sin_addr) != 1) {
        errno = EINVAL;
        return fail("bad address");
    }
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listenFd < 0)
        return fail("socket for");
    int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        return fail("cannot bind");
    if (::listen(m_listenFd, 16) != 0)
        return fail("cannot listen on");
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&bound), &length) == 0)
        m_port = ntohs(bound.sin_port);
    m_running = true;
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return 1;
}

void FtpServer::AcceptLoop() {
    for (;;) {
        pollfd fds[2] = {{m_stopPipe[0], POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        int ready = ::poll(fds, 2, 500);
        m_connections.ReapFinished(false);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        if (fds[0].revents != 0)
            break;
        for (;;) {
            int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                break;
            }
            // A transfer's "150" and its final reply are two small writes with nothing from
            // the client in between; left to Nagle, the final one waits for the client's
            // delayed acknowledgement of the first, about 40 ms on every transfer.
            const int noDelay = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
            ++m_connectionCount;
            m_connections.Start(fd, [this](int socket) {
                FtpSession session(*this, socket);
                session.Run();
            });
        }
    }
}

void FtpServer::Stop() {
    if (!m_running)
        return;
    [[maybe_unused]] ssize_t ignored = ::write(m_stopPipe[1], "x", 1);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    m_connections.ShutdownAll();
    m_connections.ReapFinished(true);
    CloseFd(m_listenFd);
    CloseFd(m_stopPipe[0]);
    CloseFd(m_stopPipe[1]);
    m_running = false;
}

void FtpServer::Log(std::string line) {
    m_log.Add(std::move(line));
}

std::vector<std::string> FtpServer::ReceivedCommands() const {
    return m_log.Lines();
}

void FtpServer::ClearLog() {
    m_log.Clear();
}

}  // namespace quarnsim
