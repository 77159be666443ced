// Listing folders of 1,000, 10,000 and 50,000 files in Drenlo: the catalogue parse alone on
// the same listing text in-process (goal: linear, 50,000 entries under 50 ms), and the whole
// listing into the list view against the simulator: the read, the parse and the items with
// their icons, sizes and sort (goal: 50,000 files under 1 s, 10,000 under 0.5 s).
//
//   drenlo_list_bench [rounds]     (default 5)
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/BenchStats.h"
#include "drenlo/app/DrenloApp.h"
#include "drenlo/comm/CatalogParser.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/ui/MainFrame.h"
#include "drenlo/ui/UiListView.h"
#include "platform/BlockingWait.h"
#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "quarnsim/Simulator.h"

namespace {

const int kSizes[] = {1000, 10000, 50000};
const char* const kExtensions[] = {".PIC", ".CMP", ".LGO", ".PST", ".DNL", ".SEQ"};

std::string FileName(int i) {
    return "F" + std::to_string(100000 + i) + kExtensions[i % 6];
}

// The listing the instrument sends for such a folder, as one line.
std::string ListingText(int files) {
    std::string text = "123456,7890123";
    for (int i = 0; i < files; ++i) text += ",\"" + FileName(i) + "\",," + std::to_string(i % 97);
    return text;
}

double ParseOnce(const std::string& listing, int files) {
    const auto start = bench::Clock::now();
    drenlo::CCatalogReply reply{listing};
    double used = 0, free = 0;
    drenlo::CCatalogParser::ReadCounts(reply.text, used, free);
    drenlo::CCatalogParser::SkipToEntries(reply);
    drenlo::CFileInfo item;
    int taken = 0;
    while (drenlo::CCatalogParser::TakeEntry(reply, item)) ++taken;
    const double seconds = bench::SecondsSince(start);
    if (taken != files) {
        std::fprintf(stderr, "parsed %d entries, not %d\n", taken, files);
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();

    QTemporaryDir temp;
    const std::string root = temp.filePath("instrument").toStdString();
    for (int files : kSizes) {
        const std::string folder = root + "/Tavix/MANY" + std::to_string(files);
        QDir().mkpath(QString::fromStdString(folder));
        for (int i = 0; i < files; ++i) {
            std::ofstream out(folder + "/" + FileName(i));
            out << std::string(static_cast<size_t>(i % 97), 'x');
        }
    }

    quarnsim::Options options;
    options.address = "127.0.98.2";
    options.root = root;
    quarnsim::Simulator sim(options);
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    platform::Profile::SetRootForTests(temp.filePath("settings").toStdString());
    platform::Profile("Harnoq", "Drenlo").WriteString("Settings", "TargetHost", options.address);
    platform::SetModalDialogHook(
        [](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); });

    drenlo::CDrenloApp app;
    if (!app.InitInstance() || app.GetMainFrame() == nullptr || !app.GetComm()->IsConnected()) {
        std::fprintf(stderr, "Drenlo did not connect\n");
        return 1;
    }
    drenlo::CUiListView* list = app.GetMainFrame()->ListView();

    struct Result {
        int files;
        bench::Spread parse;
        bench::Spread listing;
    };
    std::vector<Result> results;
    for (int files : kSizes) {
        const std::string listing = ListingText(files);
        const std::string path = "/F0:/Tavix/MANY" + std::to_string(files);
        Result result{files, bench::Measure(rounds, [&] { return ParseOnce(listing, files); }),
                      bench::Measure(rounds, [&] {
                          const auto start = bench::Clock::now();
                          list->ShowFolder(path);
                          QCoreApplication::processEvents();
                          const double seconds = bench::SecondsSince(start);
                          if (list->GetListCtrl().GetItemCount() != files) {
                              std::fprintf(stderr, "listed %d items, not %d\n",
                                           list->GetListCtrl().GetItemCount(), files);
                              std::exit(1);
                          }
                          return seconds;
                      })};
        results.push_back(result);
    }
    std::printf("Drenlo folder listing, %d rounds after a warm-up:\n", rounds);
    for (const Result& result : results) {
        std::printf("%d files\n", result.files);
        bench::PrintSpread("catalogue parse", result.parse, 1e3, "ms");
        bench::PrintSpread("whole listing", result.listing, 1e3, "ms");
        std::printf("  parse per entry: %.3f us\n", result.parse.median / result.files * 1e6);
    }
    std::printf(
        "goals: the parse per entry about the same at every size, 50,000 entries under "
        "50 ms;\n       the whole listing of 10,000 files under 500 ms, of 50,000 under "
        "1000 ms\n");
    sim.Stop();
    return 0;
}
