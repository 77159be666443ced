#include "RecordingPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>

namespace utilities::testing {

RecordingPeer::~RecordingPeer() {
    m_stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

bool RecordingPeer::Start(std::string greeting) {
    m_greeting = std::move(greeting);
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::string address = "127." + std::to_string(random() % 250 + 1) + "." +
                                    std::to_string(random() % 250 + 1) + "." +
                                    std::to_string(random() % 250 + 1);
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        sockaddr_in bound{};
        bound.sin_family = AF_INET;
        bound.sin_port = htons(5000);
        ::inet_pton(AF_INET, address.c_str(), &bound.sin_addr);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&bound), sizeof bound) == 0 &&
            ::listen(fd, 1) == 0) {
            m_listener = fd;
            m_address = address;
            m_thread = std::thread([this] { Serve(); });
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool RecordingPeer::StartDeaf() {
    m_deaf = true;
    return Start();
}

void RecordingPeer::Serve() {
    int connection = -1;
    while (!m_stop.load() && connection < 0) {
        pollfd ready{m_listener, POLLIN, 0};
        if (::poll(&ready, 1, 50) > 0)
            connection = ::accept(m_listener, nullptr, nullptr);
    }
    if (connection < 0)
        return;
    if (!m_greeting.empty())
        ::send(connection, m_greeting.data(), m_greeting.size(), MSG_NOSIGNAL);
    if (m_deaf) {
        // A small receive queue fills sooner.
        const int small = 4096;
        ::setsockopt(connection, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        while (!m_stop.load()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    char buffer[65536];
    while (!m_stop.load()) {
        pollfd ready{connection, POLLIN, 0};
        if (::poll(&ready, 1, 50) <= 0)
            continue;
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received.append(buffer, static_cast<std::size_t>(got));
    }
    m_closed.store(true);
    ::close(connection);
}

std::string RecordingPeer::WaitForBytes(std::size_t count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_received.size() >= count || m_closed.load())
                return m_received;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

std::string RecordingPeer::WaitForClose() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_closed.load() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

}  // namespace utilities::testing
