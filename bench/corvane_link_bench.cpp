// Round trip of one query through Corvane's command link, against the same query sent by a
// bare POSIX client, both to the simulator on the loopback.
//
//   corvane_link_bench [queries]     (default 20000)
#include "bench/BenchSupport.h"

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const std::string address = "127.0.97.1";
    bench::Setup setup(address, {});
    corvane::CMainFrame* frame = setup.Frame();

    std::string reply;
    auto start = bench::Clock::now();
    for (int i = 0; i < queries; ++i) frame->Query("*OPC?", reply);
    const double ours = bench::SecondsSince(start);

    bench::BareClient bare(address);
    start = bench::Clock::now();
    for (int i = 0; i < queries; ++i) bare.Exchange("*OPC?");
    bench::PrintRatio("query round trip", queries, ours, bench::SecondsSince(start));
    return 0;
}
