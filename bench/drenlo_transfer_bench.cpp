// A 64 MiB copy from the PC to the simulator through Drenlo's copy job, against a bare client
// sending the same block on one connection. Prints both throughputs and their ratio (goal:
// 0.8 or more).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/BlockHeader.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/BlockingWait.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "quarnsim/Simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kSize = 64u * 1024 * 1024;

class Window : public platform::CWnd {
public:
    Window() { AttachWidget(new QWidget); }
    ~Window() override { delete GetWidget(); }
};

// The list view and progress dialog, with no pause between the steps.
class Host : public drenlo::ICommHost, public drenlo::ICopyProgress {
public:
    explicit Host(drenlo::CQuarnComm& comm) {
        m_list.OnMessage(drenlo::WM_DOWNLOAD_NEXT, [&comm](platform::WPARAM w, platform::LPARAM) {
            return static_cast<platform::LRESULT>(comm.DownloadNext(w));
        });
        m_list.OnMessage(drenlo::WM_DOWNLOAD_DONE,
                         [this, &comm](platform::WPARAM w, platform::LPARAM) {
                             comm.OnWorkerDone();
                             m_list.PostMessage(drenlo::WM_DOWNLOAD_NEXT, w);
                             return platform::LRESULT{0};
                         });
        m_progress.OnMessage(drenlo::WM_TRANSFER_DONE, [this](platform::WPARAM, platform::LPARAM) {
            m_done = true;
            return platform::LRESULT{0};
        });
    }
    platform::CWnd* GetListView() override { return &m_list; }
    int ConfirmFile(int, const std::string&) override { return platform::IDOK; }
    drenlo::ICopyProgress* CreateProgressDialog() override { return this; }
    platform::CWnd* GetProgressWindow() override { return &m_progress; }
    void StartProgress(const std::string&, std::uint64_t, const std::string&, int) override {}

    Window m_list;
    Window m_progress;
    bool m_done = false;
};

double BareClientSeconds(const std::string& address, const std::string& data) {
    const auto start = Clock::now();
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(5000);
    ::inet_pton(AF_INET, address.c_str(), &peer.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0)
        return -1;
    const std::string head =
        "mmem:data \"/F0:/DST/bare.pic\"," + drenlo::CBlockHeader::Format(data.size());
    ::send(fd, head.data(), head.size(), MSG_NOSIGNAL);
    for (size_t sent = 0; sent < data.size();) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return -1;
        sent += static_cast<size_t>(n);
    }
    ::send(fd, "\r\n*opc?\r\n", 9, MSG_NOSIGNAL);
    char byte = 0;
    while (::recv(fd, &byte, 1, 0) == 1 && byte != '\n') {
    }
    ::close(fd);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits until the simulator has the whole file on disk.
void WaitForFile(const std::string& path, size_t size) {
    std::error_code ec;
    while (std::filesystem::file_size(path, ec) != size || ec) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    QTemporaryDir temp;
    const std::string root = temp.filePath("instrument").toStdString();
    std::filesystem::create_directories(root + "/DST");
    quarnsim::Options options;
    options.address = "127.0.93.17";
    options.root = root;
    options.memoryCapacity = 1e12;
    quarnsim::Simulator sim(options);
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    sim.SetMemoryBytes(1, 1e12);
    platform::SetMessageBoxAnswerer([](const platform::MessageBoxRecord& box) {
        std::fprintf(stderr, "box: %s\n", box.text.c_str());
        return platform::IDOK;
    });
    std::string data(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i) data[i] = static_cast<char>((i * 131) >> 3);
    const std::string pcFile = temp.filePath("big.pic").toStdString();
    std::ofstream(pcFile, std::ios::binary) << data;

    const double bare = BareClientSeconds(options.address, data);
    std::fprintf(stderr, "bare sent: %.3f s\n", bare);
    WaitForFile(root + "/DST/bare.pic", kSize);

    drenlo::CQuarnComm comm;
    Host host(comm);
    comm.SetHost(&host);
    comm.SetTargetHost(options.address);
    comm.Connect();
    const auto start = Clock::now();
    if (!comm.CheckDownload({pcFile}, "/F0:/DST")) {
        std::fprintf(stderr, "the copy did not start\n");
        return 1;
    }
    while (!host.m_done) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    WaitForFile(root + "/DST/big.pic", kSize);
    const double drenloSeconds = std::chrono::duration<double>(Clock::now() - start).count();

    const double mib = static_cast<double>(kSize) / (1024 * 1024);
    std::printf("bare client:  %.1f MiB/s (%.3f s)\n", mib / bare, bare);
    std::printf("Drenlo copy:  %.1f MiB/s (%.3f s, includes the 100 ms link close)\n",
                mib / drenloSeconds, drenloSeconds);
    std::printf("ratio: %.2f (goal 0.8 or more)\n", bare / drenloSeconds);
    sim.Stop();
    return 0;
}
