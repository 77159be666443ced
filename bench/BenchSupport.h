// Shared pieces of the benchmarks: a bare POSIX client of the command port to compare with,
// and a Corvane started against the simulator without an operator.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchStats.h"
#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/BlockingWait.h"
#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "quarnsim/Simulator.h"

namespace bench {

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

// Keeps the whole bench, the simulator's threads included, on the CPU it started on, unless
// QUARN_BENCH_UNPINNED is set. A round trip over the loopback costs what waking the other side
// costs: on one CPU a switch of threads, across CPUs whatever the machine takes to wake an idle
// one, which on a virtual machine can be ten times more and falls on whichever connection the
// scheduler happened to spread out. On one CPU both sides hand over alike.
inline void PinToOneCpu() {
    if (std::getenv("QUARN_BENCH_UNPINNED") != nullptr) {
        std::printf("not pinned: round trips include waking other CPUs\n");
        return;
    }
    const int cpu = sched_getcpu();
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    if (cpu >= 0 && sched_setaffinity(0, sizeof set, &set) == 0)
        std::printf("pinned to CPU %d with the simulator (QUARN_BENCH_UNPINNED=1 to spread)\n",
                    cpu);
}

// A simulator and a Corvane connected to it, started as the benchmarks need them: offscreen,
// settings in a scratch folder, the Ethernet dialog answered with OK. Exits on failure.
class Setup {
public:
    // `root`: the folder that stands for the drive, already laid out; empty for none.
    Setup(const std::string& address, std::vector<quarnsim::ModuleSpec> modules,
          const std::string& root = {}) {
        PinToOneCpu();  // before the simulator starts its threads, which inherit it
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

// A side of a comparison whose sample is the time of one call of `work`, averaged over
// `repeats` calls.
inline Side Repeated(const char* name, int repeats, std::function<void()> work) {
    return Side{name, [repeats, work = std::move(work)] { return TimeCalls(work, repeats); }};
}

}  // namespace bench
