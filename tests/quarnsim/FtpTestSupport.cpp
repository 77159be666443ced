#include "FtpTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace ftptest {

DataListener::~DataListener() {
    Close(m_fd);
}

bool DataListener::Open(const std::string& address) {
    Close(m_fd);
    m_address = address;
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    socklen_t length = sizeof local;
    if (m_fd < 0 || ::inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1 ||
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(m_fd, 5) != 0 ||
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        Close(m_fd);
        return false;
    }
    m_port = ntohs(local.sin_port);
    return true;
}

std::string DataListener::PortCommand() const {
    std::string numbers = m_address;
    for (char& c : numbers) c = c == '.' ? ',' : c;
    return "PORT " + numbers + "," + std::to_string(m_port / 256) + "," +
           std::to_string(m_port % 256);
}

bool DataListener::Pending(int milliseconds) const {
    pollfd fd = {m_fd, POLLIN, 0};
    return ::poll(&fd, 1, milliseconds) > 0;
}

int DataListener::Accept(int milliseconds) {
    if (!Pending(milliseconds))
        return -1;
    return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
}

int Connect(const std::string& address, uint16_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (fd < 0 || ::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        Close(fd);
        return -1;
    }
    return fd;
}

std::string PassiveNumbers(const std::string& reply) {
    size_t open = reply.find('(');
    size_t close = reply.find(')', open);
    if (open == std::string::npos || close == std::string::npos)
        return {};
    return reply.substr(open + 1, close - open - 1);
}

bool ParsePassive(const std::string& reply, std::string* address, uint16_t* port) {
    unsigned n[6];
    char end = 0;
    if (std::sscanf(PassiveNumbers(reply).c_str(), "%u,%u,%u,%u,%u,%u%c", &n[0], &n[1], &n[2],
                    &n[3], &n[4], &n[5], &end) != 6) {
        return false;
    }
    for (unsigned value : n) {
        if (value > 255)
            return false;
    }
    *address = std::to_string(n[0]) + "." + std::to_string(n[1]) + "." + std::to_string(n[2]) +
               "." + std::to_string(n[3]);
    *port = static_cast<uint16_t>(n[4] * 256 + n[5]);
    return true;
}

bool ReadAll(int fd, std::string* bytes, int milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    bytes->clear();
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd pfd = {fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char chunk[65536];
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes->append(chunk, static_cast<size_t>(n));
    }
}

bool SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

void Close(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool Login(TestClient& control, std::string* reply) {
    *reply = control.Query("USER quelby");
    if (reply->compare(0, 3, "331") != 0)
        return false;
    *reply = control.Query("PASS pelvuro38");
    return reply->compare(0, 3, "230") == 0;
}

}  // namespace ftptest
