#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/BlockingWait.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Each test process keeps its settings, single-instance lock and local sockets to itself,
    // so tests that run the whole program can run side by side.
    char folder[] = "/tmp/utility-tests-XXXXXX";
    if (mkdtemp(folder) != nullptr) {
        setenv("XDG_RUNTIME_DIR", folder, 1);
        setenv("TMPDIR", folder, 1);
        platform::Profile::SetRootForTests(std::string(folder) + "/config");
    }
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}
