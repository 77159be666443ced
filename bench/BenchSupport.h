// Shared pieces of the benchmarks: a bare POSIX client of the command port to compare with,
// and a Corvane started against the simulator without an operator.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/BlockingWait.h"
#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The least a client can do: one send per line, and for a query a read to the end of its reply.
class BareClient {
public:
    explicit BareClient(const std::string& address) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int noDelay = 1;  // as the programs' sockets: no stall behind a delayed ACK
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(5000);
        ::inet_pton(AF_INET, address.c_str(), &peer.sin_addr);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
            std::perror("connect");
            std::exit(1);
        }
    }
    ~BareClient() { ::close(m_fd); }
    void Exchange(const std::string& command) {
        const std::string line = command + "\r\n";
        ::send(m_fd, line.data(), line.size(), MSG_NOSIGNAL);
        if (command.find('?') == std::string::npos) return;
        char buffer[4096];
        for (;;) {
            ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n <= 0) std::exit(1);
            if (std::memchr(buffer, '\n', static_cast<size_t>(n)) != nullptr) return;
        }
    }

private:
    int m_fd = -1;
};

// The application as the benchmarks need it: offscreen, settings in a scratch folder.
inline void PrepareApplication(const std::string& settingsFolder, const std::string& address) {
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    platform::Profile::SetRootForTests(settingsFolder);
    platform::Profile("Harnoq", "Corvane").WriteString("Settings", "TargetHost", address);
    platform::SetModalDialogHook([](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); });
}

inline void PrintRatio(const char* what, int repeats, double ours, double bare) {
    std::printf("%s: %d times\n", what, repeats);
    std::printf("  Corvane:     %.1f us each\n", ours / repeats * 1e6);
    std::printf("  bare client: %.1f us each\n", bare / repeats * 1e6);
    std::printf("  ratio: %.3f (goal: 1.2 or less)\n", ours / bare);
}

}  // namespace bench
