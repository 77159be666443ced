// Listing a folder of 10,000 files into Drenlo's list view, against the simulator: the
// catalogue read, the parse and the items with their icons, sizes and sort (goal: under
// 0.5 s).
//
//   drenlo_list_bench [files] [repeats]     (defaults 10000 and 5)
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "drenlo/app/DrenloApp.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/ui/MainFrame.h"
#include "drenlo/ui/UiListView.h"
#include "platform/BlockingWait.h"
#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "quarnsim/Simulator.h"

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();

    QTemporaryDir temp;
    const std::string root = temp.filePath("instrument").toStdString();
    const std::string folder = root + "/Tavix/MANY";
    QDir().mkpath(QString::fromStdString(folder));
    static const char* const kExtensions[] = {".PIC", ".CMP", ".LGO", ".PST", ".DNL", ".SEQ"};
    for (int i = 0; i < files; ++i) {
        std::ofstream out(folder + "/F" + std::to_string(100000 + i) + kExtensions[i % 6]);
        out << std::string(static_cast<size_t>(i % 97), 'x');
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
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        list->ShowFolder("/F0:/Tavix/MANY");
        QCoreApplication::processEvents();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (list->GetListCtrl().GetItemCount() != files) {
            std::fprintf(stderr, "listed %d items, not %d\n", list->GetListCtrl().GetItemCount(),
                         files);
            return 1;
        }
        best = seconds < best ? seconds : best;
        std::printf("listing %d files: %.3f s\n", files, seconds);
    }
    std::printf("best of %d: %.3f s (goal: under 0.5 s)\n", repeats, best);
    sim.Stop();
    return 0;
}
