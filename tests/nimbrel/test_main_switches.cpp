// Switches answer only their exact keyword; hints follow the language switch.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "nimbrel/MainSwitches.h"

using nimbrel::MainSwitches;

namespace {

TEST(MainSwitches, ExactKeywordsOnlyAndDefaultsWithoutAFile) {
    QTemporaryDir dir;
    const std::string ini = (dir.path() + "/Nimbrel.ini").toStdString();
    const MainSwitches none = MainSwitches::Read(ini);
    EXPECT_FALSE(none.debug);
    EXPECT_TRUE(none.english);
    EXPECT_FALSE(none.toolEnabled);
    EXPECT_EQ(none.make, (std::array<bool, 4>{true, true, true, true}));

    std::ofstream(ini) << "[nimbrel]\nDEBUG_MODE=ON\t; yes\nENGLISH_MODE=OFF  \nTOOL_ENABLED=true\n"
                          "MAKE_G=OFF\nMAKE_B=off\nTOOL_HINT=local\nTOOL_HINT_ENGLISH=english\n"
                          "[NIMBREL_HINT]\nFILE_OPEN=Open;x\nCHECKBOX_GBR=gbr\n"
                          "[NIMBREL_HINT_ENGLISH]\nFILE_OPEN=Open English\n";
    const MainSwitches s = MainSwitches::Read(ini);
    EXPECT_TRUE(s.debug);
    EXPECT_FALSE(s.english);
    EXPECT_FALSE(s.toolEnabled);
    EXPECT_EQ(s.make, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(s.toolHint, "local");

    const auto local = MainSwitches::ReadHints(ini, false);
    EXPECT_EQ(local[0], "Open");
    EXPECT_EQ(local[16], "gbr");
    EXPECT_EQ(local[1], "");
    const auto english = MainSwitches::ReadHints(ini, true);
    EXPECT_EQ(english[0], "Open English");
    EXPECT_EQ(english[16], "");
    EXPECT_STREQ(MainSwitches::HintKey(8), "WINDOW_HORIZONTAL");
}

}  // namespace
