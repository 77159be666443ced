// Reading module catalogues and backup.cfg: the guard that keeps a backup off the wrong
// instrument.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "utilities/gorrel/ModuleCatalog.h"
#include "utilities/gorrel/RestoreInfo.h"

namespace gorrel {
namespace {

using Slots = std::array<std::string, 4>;

TEST(ModuleCatalog, SlotModelsFromTheAddresses) {
    EXPECT_EQ(CModuleCatalog("\"CPU:0\",\"Brumo:1\",\"Sormet:3\"").SlotModels(),
              (Slots{"Brumo", "---", "Sormet", "---"}));
    EXPECT_EQ(CModuleCatalog("\"CPU:0\"").SlotModels(), (Slots{"---", "---", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("").SlotModels(), (Slots{"---", "---", "---", "---"}));
    // Slots outside 1 to 4 are not shown; the controller is not shown.
    EXPECT_EQ(CModuleCatalog("\"Tavix:7\",\"Oltra:-1\",\"Yarlo:4\"").SlotModels(),
              (Slots{"---", "---", "---", "Yarlo"}));
}

TEST(ModuleCatalog, OnlyTheFirstFiveAddressesCount) {
    EXPECT_EQ(CModuleCatalog("\"CPU:0\",\"A:1\",\"B:2\",\"C:3\",\"D:4\",\"E:1\"").SlotModels(),
              (Slots{"A", "B", "C", "D"}));
    EXPECT_EQ(CModuleCatalog("\"X:1\",\"X:1\",\"X:1\",\"X:1\",\"X:1\",\"Y:2\"").SlotModels(),
              (Slots{"X", "---", "---", "---"}));
}

TEST(ModuleCatalog, HostileTextsEndTheWalkCleanly) {
    // A missing ':' ends the walk; so does a missing ','.
    EXPECT_EQ(CModuleCatalog("\"Brumo:2\",\"Sormet\"").SlotModels(),
              (Slots{"---", "Brumo", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"Brumo:2\"\"Tavix:3\"").SlotModels(),
              (Slots{"---", "Brumo", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"Brumo:").SlotModels(), (Slots{"---", "---", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"").SlotModels(), (Slots{"---", "---", "---", "---"}));
    std::string longName(5000, 'M');
    EXPECT_EQ(CModuleCatalog("\"" + longName + ":1\"").SlotModels()[0], longName);
}

TEST(ModuleCatalog, InstalledMeansNamedExactly) {
    CModuleCatalog catalog("\"CPU:0\",\"Brumo:1\",\"Sormetx:3\",\"ulmeth:2\"");
    EXPECT_TRUE(catalog.IsInstalled("CPU"));
    EXPECT_TRUE(catalog.IsInstalled("Brumo"));
    EXPECT_FALSE(catalog.IsInstalled("Sormet"));
    EXPECT_FALSE(catalog.IsInstalled("Ulmeth"));
    EXPECT_TRUE(CModuleCatalog("").IsInstalled("CPU"));
    EXPECT_EQ(CModuleCatalog::Models().size(), 9u);
}

TEST(RestoreInfo, MatchesTheReplyExactly) {
    CRestoreInfo info;
    info.SetContent("\"CPU:0\",\"Brumo:1\"", false);
    EXPECT_TRUE(info.Matches("\"CPU:0\",\"Brumo:1\""));
    EXPECT_FALSE(info.Matches("\"CPU:0\",\"Brumo:1\"\r\n"));
    EXPECT_FALSE(info.Matches("\"CPU:0\",\"Brumo:2\""));
    EXPECT_FALSE(info.Matches("\"CPU:0\""));
    // A NUL does not end the comparison.
    info.SetContent(std::string("\"CPU:0\"\0,\"Brumo:1\"", 18), false);
    EXPECT_FALSE(info.Matches("\"CPU:0\""));
}

TEST(RestoreInfo, AFileLongerThanTheLimitNeverMatches) {
    std::string reply(CRestoreInfo::kMaxBytes, 'x');
    CRestoreInfo info;
    info.SetContent(reply + "y", false);
    EXPECT_EQ(info.Text(), reply);
    EXPECT_FALSE(info.Matches(reply));
    info.SetContent(reply, false);
    EXPECT_TRUE(info.Matches(reply));
}

TEST(RestoreInfo, ReadsTheFolderFile) {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    CRestoreInfo info;
    EXPECT_EQ(info.Read(folder), CRestoreInfo::ReadResult::kMissing);
    std::filesystem::create_directory(folder + "/backup.cfg");
    EXPECT_EQ(info.Read(folder), CRestoreInfo::ReadResult::kMissing);
    std::filesystem::remove(folder + "/backup.cfg");
    std::ofstream(folder + "/backup.cfg").flush();
    EXPECT_EQ(info.Read(folder + "/"), CRestoreInfo::ReadResult::kEmpty);
    std::ofstream(folder + "/backup.cfg", std::ios::binary) << std::string(1024, 'a');
    EXPECT_EQ(info.Read(folder), CRestoreInfo::ReadResult::kRead);
    EXPECT_FALSE(info.Matches(std::string(1023, 'a')));
    std::ofstream(folder + "/backup.cfg", std::ios::binary) << "\"CPU:0\"";
    EXPECT_EQ(info.Read(folder), CRestoreInfo::ReadResult::kRead);
    EXPECT_TRUE(info.Matches("\"CPU:0\""));
}

}  // namespace
}  // namespace gorrel
