// Shared pieces of the benchmarks: a bare POSIX client of the command port to compare with,
// and a Corvane started against the simulator without an operator.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/BlockingWait.h"
#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "quarnsim/Simulator.h"

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
        if (command.find('?') == std::string::npos)
            return;
        char buffer[4096];
        for (;;) {
            ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                std::exit(1);
            if (std::memchr(buffer, '\n', static_cast<size_t>(n)) != nullptr)
                return;
        }
    }

private:
    int m_fd = -1;
};

// A simulator and a Corvane connected to it, started as the benchmarks need them: offscreen,
// settings in a scratch folder, the Ethernet dialog answered with OK. Exits on failure.
class Setup {
public:
    // `root`: the folder that stands for the drive, already laid out; empty for none.
    Setup(const std::string& address, std::vector<quarnsim::ModuleSpec> modules,
          const std::string& root = {}) {
        quarnsim::Options options;
        options.address = address;
        options.modules = std::move(modules);
        options.root = root;
        m_simulator = std::make_unique<quarnsim::Simulator>(options);
        std::string error;
        if (!m_simulator->Start(&error)) {
            std::fprintf(stderr, "simulator: %s\n", error.c_str());
            std::exit(1);
        }
        platform::UseCNumericLocale();
        platform::InstallUiBlockingHook();
        platform::Profile::SetRootForTests(m_settings.path().toStdString());
        platform::Profile("Harnoq", "Corvane").WriteString("Settings", "TargetHost", address);
        platform::SetModalDialogHook(
            [](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); });
        if (!m_app.InitInstance() || !m_app.GetMainFrame()->IsConnected()) {
            std::fprintf(stderr, "Corvane did not connect\n");
            std::exit(1);
        }
    }
    corvane::CMainFrame* Frame() { return m_app.GetMainFrame(); }
    quarnsim::Simulator& Simulator() { return *m_simulator; }

private:
    QTemporaryDir m_settings;
    std::unique_ptr<quarnsim::Simulator> m_simulator;
    corvane::CCorvaneApp m_app;
};

// Runs `ours` and `bare` one after the other, `rounds` times, so that whatever else the machine
// does falls on both alike; each run's time in seconds is `repeats` calls of the side. Prints
// the median time of a call of each and the ratio of the medians.
inline void CompareAlternately(const char* what, int rounds, int repeats,
                               const std::function<void()>& ours,
                               const std::function<void()>& bare) {
    std::vector<double> oursTimes, bareTimes;
    auto time = [repeats](const std::function<void()>& side) {
        const auto start = Clock::now();
        for (int i = 0; i < repeats; ++i) side();
        return SecondsSince(start) / repeats;
    };
    for (int round = 0; round < rounds; ++round) {
        oursTimes.push_back(time(ours));
        bareTimes.push_back(time(bare));
    }
    auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const size_t n = values.size();
        return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    };
    const double oursMedian = median(oursTimes), bareMedian = median(bareTimes);
    std::printf("%s: %d rounds of %d, alternating\n", what, rounds, repeats);
    std::printf("  Corvane:     median %.1f us each\n", oursMedian * 1e6);
    std::printf("  bare client: median %.1f us each\n", bareMedian * 1e6);
    std::printf("  ratio of medians: %.3f\n", oursMedian / bareMedian);
}

inline void PrintRatio(const char* what, int repeats, double ours, double bare) {
    std::printf("%s: %d times\n", what, repeats);
    std::printf("  Corvane:     %.1f us each\n", ours / repeats * 1e6);
    std::printf("  bare client: %.1f us each\n", bare / repeats * 1e6);
    std::printf("  ratio: %.3f (goal: 1.2 or less)\n", ours / bare);
}

}  // namespace bench
