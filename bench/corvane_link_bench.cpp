// Round trip of one query through Corvane's command link, against the same query sent by a
// bare POSIX client, both to the simulator on the loopback. Prints both times and the ratio;
// the link should cost no more than a fifth over the bare client.
//
//   corvane_link_bench [queries]     (default 20000)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
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
#include "quarnsim/Simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

double BareClientSeconds(const std::string& address, int queries) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(5000);
    ::inet_pton(AF_INET, address.c_str(), &peer.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        std::perror("connect");
        std::exit(1);
    }
    const char line[] = "*OPC?\r\n";
    char buffer[256];
    const auto start = Clock::now();
    for (int i = 0; i < queries; ++i) {
        ::send(fd, line, sizeof line - 1, MSG_NOSIGNAL);
        // Read to the end of the line, as any client must.
        for (;;) {
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) std::exit(1);
            if (std::memchr(buffer, '\n', static_cast<size_t>(n)) != nullptr) break;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::close(fd);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    QTemporaryDir temp;
    platform::Profile::SetRootForTests(temp.path().toStdString());

    quarnsim::Options options;
    options.address = "127.0.97.1";
    quarnsim::Simulator simulator(options);
    std::string error;
    if (!simulator.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    platform::Profile("Harnoq", "Corvane").WriteString("Settings", "TargetHost", options.address);
    platform::SetModalDialogHook([](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); });
    corvane::CCorvaneApp app;
    if (!app.InitInstance() || !app.GetMainFrame()->IsConnected()) {
        std::fprintf(stderr, "Corvane did not connect\n");
        return 1;
    }
    corvane::CMainFrame* frame = app.GetMainFrame();

    std::string reply;
    auto start = Clock::now();
    for (int i = 0; i < queries; ++i) frame->Query("*OPC?", reply);
    const double linkSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double bareSeconds = BareClientSeconds(options.address, queries);

    std::printf("queries: %d\n", queries);
    std::printf("Corvane link: %.2f us per round trip\n", linkSeconds / queries * 1e6);
    std::printf("bare client:  %.2f us per round trip\n", bareSeconds / queries * 1e6);
    std::printf("ratio: %.3f (goal: 1.2 or less)\n", linkSeconds / bareSeconds);
    return 0;
}
