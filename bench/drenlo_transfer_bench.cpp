// A copy of a 256 MiB file from the PC to the simulator through Drenlo's copy job, against a
// bare client reading the same file and sending it as one block on one connection,
// alternately. Each side is timed from
// the moment it starts on the block (Drenlo: its worker starts; the bare client: it connects)
// to the moment the simulator holds the whole file: the transfer itself. What Drenlo's job does
// before its worker starts (the catalogue check and the pause of the link's close) is timed
// apart, and so is the part of the bare client's time the simulator spends on its own work.
//
//   drenlo_transfer_bench [rounds] [MiB]     (defaults 5 and 256)
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchStats.h"
#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/BlockHeader.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/BlockingWait.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "quarnsim/Simulator.h"

namespace {

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

void WaitForFile(const std::string& path, size_t size);

// Sends the file as the least client would: its block header, then the file as it reads it,
// then the closing line end; returns when the simulator has the file.
void BareCopy(const std::string& address, const std::string& pcFile, size_t size,
              const std::string& path) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(5000);
    ::inet_pton(AF_INET, address.c_str(), &peer.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        std::perror("connect");
        std::exit(1);
    }
    const std::string head =
        "mmem:data \"/F0:/DST/bare.pic\"," + drenlo::CBlockHeader::Format(size);
    ::send(fd, head.data(), head.size(), MSG_NOSIGNAL);
    const int file = ::open(pcFile.c_str(), O_RDONLY);
    std::vector<char> chunk(1 << 20);
    for (size_t sent = 0; sent < size;) {
        const ssize_t got = ::read(file, chunk.data(), chunk.size());
        if (got <= 0) {
            std::perror("read");
            std::exit(1);
        }
        for (ssize_t at = 0; at < got;) {
            const ssize_t n =
                ::send(fd, chunk.data() + at, static_cast<size_t>(got - at), MSG_NOSIGNAL);
            if (n <= 0) {
                std::perror("send");
                std::exit(1);
            }
            at += n;
        }
        sent += static_cast<size_t>(got);
    }
    ::close(file);
    ::send(fd, "\r\n*opc?\r\n", 9, MSG_NOSIGNAL);
    char byte = 0;
    while (::recv(fd, &byte, 1, 0) == 1 && byte != '\n') {
    }
    ::close(fd);
    WaitForFile(path, size);
}

void WaitForFile(const std::string& path, size_t size) {
    std::error_code ec;
    while (std::filesystem::file_size(path, ec) != size || ec) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const size_t size = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 256) * size_t{1024 * 1024};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    // Both sides end when the simulator has written the file; in memory, that write costs the
    // same every round instead of whatever the disk's write-back is doing at the time.
    QTemporaryDir temp(QDir("/dev/shm").exists() ? "/dev/shm/drenlo-bench-XXXXXX"
                                                 : QDir::tempPath() + "/drenlo-bench-XXXXXX");
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
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131) >> 3);
    const std::string pcFile = temp.filePath("big.pic").toStdString();
    std::ofstream(pcFile, std::ios::binary) << data;

    drenlo::CQuarnComm comm;
    Host host(comm);
    comm.SetHost(&host);
    comm.SetTargetHost(options.address);
    comm.Connect();

    const std::string bareTarget = root + "/DST/bare.pic";
    const std::string drenloTarget = root + "/DST/big.pic";
    // What the job does before its worker starts on the block: the catalogue check and the
    // pause with which it closes the link it hands over. Timed apart, per copy.
    std::vector<double> before;
    const bench::Side drenloSide{
        "Drenlo copy job", [&] {
            std::filesystem::remove(drenloTarget);
            host.m_done = false;
            // The job hands the link to its worker, which closes it when done.
            if (!comm.IsConnected())
                comm.Connect();
            const auto begun = bench::Clock::now();
            if (!comm.CheckDownload({pcFile}, "/F0:/DST")) {
                std::fprintf(stderr, "the copy did not start\n");
                std::exit(1);
            }
            // The worker has just been started: it connects and sends the block from here.
            const auto start = bench::Clock::now();
            before.push_back(std::chrono::duration<double>(start - begun).count());
            double transfer = 0;
            std::error_code ec;
            // The file is looked at once a millisecond, as the bare side's wait does: a
            // tighter loop would take the file's lock from the simulator while it writes.
            while (!host.m_done) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                if (transfer == 0 && std::filesystem::file_size(drenloTarget, ec) == size)
                    transfer = bench::SecondsSince(start);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            WaitForFile(drenloTarget, size);
            if (transfer == 0)
                transfer = bench::SecondsSince(start);
            return transfer;
        }};
    // The simulator's own work on the block (taking it in, writing the file) must be the
    // smaller part of the bare client's time, or the throughputs would be the simulator's.
    bench::Share simulator{
        [&sim] { return std::chrono::duration<double>(sim.HandlingTime()).count(); }, {}};
    const bench::Side bareSide = bench::SharedWith(
        simulator, bench::Side{"bare client", [&] {
                                   std::filesystem::remove(bareTarget);
                                   const auto start = bench::Clock::now();
                                   BareCopy(options.address, pcFile, size, bareTarget);
                                   return bench::SecondsSince(start);
                               }});
    const double mib = static_cast<double>(size) / (1024 * 1024);
    std::printf("copy of %.0f MiB to the simulator\n", mib);
    const bench::Comparison result = bench::CompareAlternately(
        "transfer time", rounds, drenloSide, bareSide, 1e3, "ms", "see throughput");
    bench::PrintSpread("Drenlo before the block", bench::SpreadOf(before), 1e3, "ms");
    bench::PrintShare("simulator, bare client's time", simulator);
    std::printf("throughput: Drenlo %.1f MiB/s, bare client %.1f MiB/s (medians)\n",
                mib / result.ours.median, mib / result.reference.median);
    std::printf("Drenlo over the bare client's throughput: %.2f (goal: 0.9 or more)\n",
                result.reference.median / result.ours.median);
    sim.Stop();
    return 0;
}
