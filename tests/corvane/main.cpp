#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/BlockingWait.h"
#include "platform/Numbers.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
