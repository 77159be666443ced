// Reading a Sormet module whose signal catalogue holds 32 formats of 32 signal sets of 32
// signals (1,057 listings) with the document alone and by opening its window, each against a
// bare client replaying the very lines the document sent. Both sides run against the same
// simulator, alternately; the part of the bare client's time the simulator spends on its own
// work is printed beside, and must be the smaller one.
//
//   sormet_open_bench [rounds] [repeats]     (default 7 rounds of 5)
#include <QTemporaryDir>

#include "bench/BenchSupport.h"
#include "corvane/modules/sormet/SormetDoc.h"
#include "platform/Document.h"
#include "platform/MessageBox.h"
#include "quarnsim/VideoFiles.h"
#include "resources/corvane/Resource.h"

namespace {

quarnsim::VideoFileTree FullCatalogue() {
    quarnsim::VideoFileTree tree;
    for (int f = 0; f < 32; ++f) {
        quarnsim::VideoFormat format{"Format " + std::to_string(f + 1), {}};
        for (int s = 0; s < 32; ++s) {
            quarnsim::VideoSignalSet set{"Set " + std::to_string(s + 1), {}};
            for (int n = 0; n < 32; ++n)
                set.files.push_back("Signal " + std::to_string(n + 1) + ".cmp");
            format.sets.push_back(std::move(set));
        }
        tree.formats.push_back(std::move(format));
    }
    tree.pictures.push_back({"Pictures", {"Frame picture one.pic"}});
    tree.logos = {"Logo one.lgo"};
    return tree;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QTemporaryDir drive;
    if (!quarnsim::SeedVideoFiles(drive.path().toStdString(), "Sormet", FullCatalogue())) {
        std::fprintf(stderr, "could not lay out the catalogue\n");
        return 1;
    }
    const std::string address = "127.0.97.4";
    bench::Setup setup(address, {{"Sormet", 1}}, drive.path().toStdString());

    // A box would wait for an operator who is not there: the bench stops instead.
    platform::SetMessageBoxAnswerer([](const platform::MessageBoxRecord& box) -> int {
        std::fprintf(stderr, "box: %s\n", box.text.c_str());
        std::exit(1);
    });
    bench::BareClient bare(address);
    bare.Exchange("MMEM:LOAD:SIGN 1,\"/Format 1/Set 1/Signal 1.cmp\"");
    bare.Exchange("*OPC?");

    corvane::CSormetDoc document;
    document.m_slot = 1;
    setup.Simulator().ClearLog();
    if (document.ReadAll() != 1) {
        std::fprintf(stderr, "the Sormet document did not read\n");
        return 1;
    }
    const std::vector<std::string> lines = setup.Simulator().ReceivedLines();
    std::printf("one read: %zu lines\n", lines.size());

    // The bare client's time is the exchanges: the simulator's work in them must be the smaller
    // part, or the ratio would measure the simulator.
    bench::Share simulator{
        [&setup] {
            return std::chrono::duration<double>(setup.Simulator().HandlingTime()).count();
        },
        {}};
    auto bareRead =
        bench::SharedWith(simulator, bench::Repeated("bare client, same lines", repeats, [&] {
                              for (const std::string& line : lines) bare.Exchange(line);
                          }));
    bench::CompareAlternately("read the Sormet document", rounds,
                              bench::Repeated("Corvane", repeats, [&] { document.ReadAll(); }),
                              bareRead, 1e3, "ms", "1.2 or less");
    bench::PrintShare("simulator, bare client's time", simulator);

    corvane::CMainFrame* frame = setup.Frame();
    bench::CompareAlternately(
        "open the Sormet window", rounds,
        bench::Repeated(
            "Corvane", repeats,
            [&] {
                frame->ExecuteCommand(corvane::ID_OPEN_SLOT_FIRST);
                if (frame->m_slotDoc[0] == nullptr) {
                    std::fprintf(stderr, "the Sormet window did not open\n");
                    std::exit(1);
                }
                frame->m_slotDoc[0]->OnCloseDocument();
                QCoreApplication::processEvents();  // lets the closed window's widgets go
            }),
        bareRead, 1e3, "ms", "none: the window's cost beside the exchanges it needs");
    bench::PrintShare("simulator, bare client's time", simulator);
    return 0;
}
