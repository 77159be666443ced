// Test entry for Nimbrel: Qt needs an application object, and the number
// helpers must see the numeric locale the programs run with.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/Numbers.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    return RUN_ALL_TESTS();
}
