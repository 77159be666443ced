#include "TestClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

bool TestClient::Connect(const std::string& address, uint16_t port) {
    Close();
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1 ||
        ::connect(m_fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        Close();
        return false;
    }
    return true;
}

bool TestClient::Send(std::string_view bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool TestClient::Fill() {
    if (m_fd < 0 || m_eof)
        return false;
    pollfd fd = {m_fd, POLLIN, 0};
    if (::poll(&fd, 1, m_guard) <= 0)
        return false;
    char chunk[65536];
    ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
    if (n <= 0) {
        m_eof = true;
        return false;
    }
    m_buffer.append(chunk, static_cast<size_t>(n));
    return true;
}

bool TestClient::ReadLine(std::string* line) {
    for (;;) {
        size_t lf = m_buffer.find('\n');
        if (lf != std::string::npos) {
            line->assign(m_buffer, 0, lf);
            m_buffer.erase(0, lf + 1);
            return true;
        }
        if (!Fill())
            return false;
    }
}

std::string TestClient::Query(std::string_view line) {
    std::string reply;
    if (!SendLine(line) || !ReadLine(&reply))
        return "<no reply>";
    return reply;
}

bool TestClient::ReadUntilClosed(std::string* bytes) {
    while (Fill()) {
    }
    *bytes = std::move(m_buffer);
    m_buffer.clear();
    return m_eof;
}

void TestClient::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_eof = false;
}
