// A tiny POSIX peer for the socket tests, written without the socket layer so that a fault
// in the layer cannot hide on both sides.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/BlockingWait.h"
#include "platform/Socket.h"

namespace platform_test {

// Listens on address:<ephemeral port>; Serve() accepts one connection on a thread of its own
// and runs the script on it, then closes it.
class TestPeer {
public:
    explicit TestPeer(const std::string& address) : m_address(address) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        ::inet_pton(AF_INET, address.c_str(), &local.sin_addr);
        EXPECT_EQ(0, ::bind(m_listener, reinterpret_cast<sockaddr*>(&local), sizeof local));
        EXPECT_EQ(0, ::listen(m_listener, 4));
        socklen_t size = sizeof local;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&local), &size);
        m_port = ntohs(local.sin_port);
    }
    TestPeer(const TestPeer&) = delete;
    TestPeer& operator=(const TestPeer&) = delete;
    ~TestPeer() {
        // Wakes an accept() still waiting because the test failed before connecting.
        ::shutdown(m_listener, SHUT_RDWR);
        Join();
        ::close(m_listener);
    }

    const std::string& Address() const { return m_address; }
    unsigned short Port() const { return m_port; }

    void Serve(std::function<void(int fd)> script) {
        m_thread = std::thread([this, script = std::move(script)] {
            const int fd = ::accept(m_listener, nullptr, nullptr);
            if (fd < 0) {
                return;
            }
            script(fd);
            if (!m_closed) {
                ::close(fd);
            }
        });
    }
    void Join() {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    // For scripts that closed the connection themselves.
    void MarkClosed() { m_closed = true; }

    static bool SendAll(int fd, const std::string& data) {
        size_t sent = 0;
        while (sent < data.size()) {
            const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            sent += static_cast<size_t>(n);
        }
        return true;
    }
    // Reads until `count` bytes or end of stream.
    static std::string ReceiveUpTo(int fd, size_t count) {
        std::string data;
        char chunk[4096];
        while (data.size() < count) {
            const ssize_t n = ::recv(fd, chunk, std::min(sizeof chunk, count - data.size()), 0);
            if (n <= 0) {
                break;
            }
            data.append(chunk, static_cast<size_t>(n));
        }
        return data;
    }
    // Closes with a reset instead of an orderly close.
    static void ResetClose(int fd) {
        linger abort = {1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(fd);
    }

private:
    std::string m_address;
    int m_listener = -1;
    unsigned short m_port = 0;
    std::thread m_thread;
    bool m_closed = false;
};

// Waits for a future without hanging the suite forever when the code under test is broken.
template <typename T>
bool Ready(std::future<T>& future) {
    return future.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
}

// A peer that keeps the connection open, neither sending nor reading, until released.
struct SilentPeer {
    explicit SilentPeer(const std::string& address) : peer(address) {
        peer.Serve([this](int) { release.get_future().wait(); });
    }
    ~SilentPeer() {
        release.set_value();
        peer.Join();
    }
    TestPeer peer;
    std::promise<void> release;
};

// Counts the callbacks and runs an optional action from OnWait, the way a timer handler
// runs inside the user-interface thread's hook.
class RecordingHook : public platform::BlockingHook {
public:
    void OnWaitBegin() override { ++begins; }
    void OnWait() override {
        ++waits;
        if (onWait) {
            onWait(waits);
        }
    }
    void OnWaitEnd() override { ++ends; }

    int begins = 0;
    int waits = 0;
    int ends = 0;
    std::function<void(int)> onWait;
};

// Installs a hook on the current thread for the lifetime of the object.
class HookScope {
public:
    explicit HookScope(platform::BlockingHook* hook) { platform::SetBlockingHook(hook); }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;
    ~HookScope() { platform::SetBlockingHook(nullptr); }
};

// A blocking receive on the user-interface thread, with its hook, whose byte comes only after
// 300 ms: long enough for a test to do things while the receive waits.
class SlowExchange {
public:
    explicit SlowExchange(const std::string& address) : m_peer(address) {
        platform::InstallUiBlockingHook();
        m_peer.Serve([](int fd) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::send(fd, "x", 1, MSG_NOSIGNAL);
        });
        m_connected =
            m_socket.Create() == 1 && m_socket.Connect(m_peer.Address(), m_peer.Port()) == 1;
    }
    ~SlowExchange() { platform::SetBlockingHook(nullptr); }
    bool Connected() const { return m_connected; }
    bool Wait() {
        char byte = 0;
        return m_socket.Receive(&byte, 1) == 1;
    }

private:
    TestPeer m_peer;
    platform::CSocket m_socket;
    bool m_connected = false;
};

}  // namespace platform_test
