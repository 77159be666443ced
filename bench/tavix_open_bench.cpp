// Opening the Tavix window (File > Open Module) against the simulator, against a bare client
// sending the same lines; and the document's read alone, without the window.
//
//   tavix_open_bench [repeats]     (default 300)
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
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 300;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const std::string address = "127.0.97.2";
    bench::Setup setup(address, {{"Tavix", 1}});
    corvane::CMainFrame* frame = setup.Frame();

    auto start = bench::Clock::now();
    for (int i = 0; i < repeats; ++i) {
        frame->ExecuteCommand(corvane::ID_OPEN_SLOT_FIRST);
        if (frame->m_slotDoc[0] == nullptr) {
            std::fprintf(stderr, "the Tavix window did not open\n");
            return 1;
        }
        frame->m_slotDoc[0]->OnCloseDocument();
        QCoreApplication::processEvents();  // lets the closed window's widgets go
    }
    const double window = bench::SecondsSince(start);

    corvane::CTavixDoc document;
    document.m_slot = 1;
    start = bench::Clock::now();
    for (int i = 0; i < repeats; ++i) document.ReadAll();
    const double read = bench::SecondsSince(start);

    const std::vector<std::string> lines = TavixReadLines();
    bench::BareClient bare(address);
    start = bench::Clock::now();
    for (int i = 0; i < repeats; ++i)
        for (const std::string& line : lines) bare.Exchange(line);
    const double bareSeconds = bench::SecondsSince(start);

    bench::PrintRatio("open the Tavix window", repeats, window, bareSeconds);
    bench::PrintRatio("read the Tavix document", repeats, read, bareSeconds);
    return 0;
}
