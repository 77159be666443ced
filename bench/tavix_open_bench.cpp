// Opening the Tavix window (File > Open Module) against the simulator, against a bare client
// sending the same lines; and the document's read alone, without the window. Each side runs
// alternately against the same simulator.
//
//   tavix_open_bench [repeats per round] [rounds]     (defaults 50 and 7)
#include "bench/BenchSupport.h"
#include "corvane/modules/ModuleKind.h"
#include "corvane/modules/tavix/TavixDoc.h"
#include "platform/Document.h"
#include "resources/corvane/Resource.h"

namespace {

// The lines the Tavix document sends to read the module in slot 1.
std::vector<std::string> TavixReadLines() {
    std::vector<std::string> lines{"INST:SEL \"Tavix:1\""};
    for (int n = 1; n <= 8; ++n) {
        const std::string c = std::to_string(n);
        lines.push_back("OUTP:AUD:CHAN" + c + ":AMPL?;:OUTP:AUD:CHAN" + c +
                        ":FREQ?;:OUTP:AUD:CHAN" + c + ":CLIC?");
    }
    lines.push_back("OUTP:AUD:NBIT?;SYNC?");
    lines.push_back("SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?");
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const std::string address = "127.0.97.2";
    bench::Setup setup(address, {{"Tavix", 1}});
    corvane::CMainFrame* frame = setup.Frame();

    const std::vector<std::string> lines = TavixReadLines();
    bench::BareClient bare(address);
    const bench::Side bareRead = bench::Repeated("bare client, same lines", repeats, [&] {
        for (const std::string& line : lines) bare.Exchange(line);
    });

    corvane::CTavixDoc document;
    document.m_slot = 1;
    bench::CompareAlternately("read the Tavix document", rounds,
                              bench::Repeated("Corvane", repeats, [&] { document.ReadAll(); }),
                              bareRead, 1e6, "us", "1.15 or less");

    const bench::Comparison window = bench::CompareAlternately(
        "open the Tavix window", rounds,
        bench::Repeated(
            "Corvane", repeats,
            [&] {
                frame->ExecuteCommand(corvane::ID_OPEN_SLOT_FIRST);
                if (frame->m_slotDoc[0] == nullptr) {
                    std::fprintf(stderr, "the Tavix window did not open\n");
                    std::exit(1);
                }
                frame->m_slotDoc[0]->OnCloseDocument();
                QCoreApplication::processEvents();  // lets the closed window's widgets go
            }),
        bareRead, 1e6, "us", "none: the window's cost beside the exchanges it needs");
    std::printf("the whole Tavix window: median %.2f ms (goal: under 5 ms)\n",
                window.ours.median * 1e3);
    return 0;
}
