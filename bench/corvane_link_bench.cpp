// Round trip of one query through Corvane's command link, against the same query sent by a
// bare POSIX client, both to the simulator on the loopback.
//
//   corvane_link_bench [queries]     (default 20000)
#include <QTemporaryDir>

#include "bench/BenchSupport.h"
#include "quarnsim/Simulator.h"

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QTemporaryDir temp;
    quarnsim::Options options;
    options.address = "127.0.97.1";
    quarnsim::Simulator simulator(options);
    std::string error;
    if (!simulator.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    bench::PrepareApplication(temp.path().toStdString(), options.address);
    corvane::CCorvaneApp app;
    if (!app.InitInstance() || !app.GetMainFrame()->IsConnected()) {
        std::fprintf(stderr, "Corvane did not connect\n");
        return 1;
    }
    corvane::CMainFrame* frame = app.GetMainFrame();

    std::string reply;
    auto start = bench::Clock::now();
    for (int i = 0; i < queries; ++i) frame->Query("*OPC?", reply);
    const double ours = bench::SecondsSince(start);

    bench::BareClient bare(options.address);
    start = bench::Clock::now();
    for (int i = 0; i < queries; ++i) bare.Exchange("*OPC?");
    bench::PrintRatio("query round trip", queries, ours, bench::SecondsSince(start));
    return 0;
}
