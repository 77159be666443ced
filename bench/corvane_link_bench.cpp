// Round trip of one query through Corvane's command link, against the same query sent by a
// bare POSIX client, both to the simulator on the loopback.
//
//   corvane_link_bench [queries per round] [rounds]     (defaults 2000 and 7)
#include "bench/BenchSupport.h"

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const std::string address = "127.0.97.1";
    bench::Setup setup(address, {});
    corvane::CMainFrame* frame = setup.Frame();

    std::string reply;
    bench::BareClient bare(address);
    bench::CompareAlternately(
        "query round trip", rounds,
        bench::Repeated("Corvane", queries, [&] { frame->Query("*OPC?", reply); }),
        bench::Repeated("bare client", queries, [&] { bare.Exchange("*OPC?"); }), 1e6, "us",
        "1.2 or less");
    return 0;
}
