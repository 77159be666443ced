// The folder catalogue and module catalogue readers and the backup folder's paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ItemsNamingNothing.h"
#include "utilities/stowen/BackupFolder.h"
#include "utilities/stowen/PresetListing.h"

namespace stowen {
namespace {

TEST(PresetListing, FindsExactNamesWithAnyTypeField) {
    CPresetListing listing;
    ASSERT_EQ(listing.Parse("1024,65536,\"XMSTATE1.P01\",BIN,7,\"MSTATE1.P01.BAK\",,9,"
                            "\"MSTATE1.P02\",BIN,300,\"MSTATE1.P01\",,123,\"PRESET/\",DIR,0"),
              1);
    ASSERT_EQ(listing.Entries().size(), 5u);
    const CPresetListing::Entry* entry = listing.Find("MSTATE1.P01");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, "123");
    ASSERT_NE(listing.Find("MSTATE1.P02"), nullptr);
    EXPECT_EQ(listing.Find("MSTATE1.P02")->size, "300");
    EXPECT_EQ(listing.Find("MSTATE1.P03"), nullptr);
    // A folder of a preset's name is not the preset.
    EXPECT_EQ(listing.Find("PRESET"), nullptr);
}

// An item naming nothing in the folder listed is read and left out.
TEST(PresetListing, ItemsNamingNothingAreLeftOut) {
    auto names = [](const std::vector<std::string>& items) {
        CPresetListing listing;
        EXPECT_EQ(listing.Parse(testsupport::CatalogueReply(items)), 1);
        std::vector<std::string> listed;
        for (const CPresetListing::Entry& entry : listing.Entries())
            listed.push_back(entry.name + " " + entry.type + " " + entry.size);
        return listed;
    };
    const std::vector<std::string> good{"MSTATE1.P01", "PRESET/", "a`sb.P02"};
    EXPECT_EQ(names(good),
              (std::vector<std::string>{"MSTATE1.P01 BIN 4", "PRESET/ DIR 0", "a`sb.P02 BIN 4"}));
    EXPECT_EQ(names(testsupport::AmongItemsNamingNothing(good)), names(good));
}

TEST(PresetListing, AnEmptyFolderHasItsCountsWithOrWithoutACommaAfterThem) {
    CPresetListing listing;
    for (const char* reply : {"0,67108864", "0,67108864,", "12.5,3", "12.5,3,"}) {
        listing.Parse("1,2,\"A\",,1");
        EXPECT_EQ(listing.Parse(reply), 1) << reply;
        EXPECT_TRUE(listing.Entries().empty()) << reply;
    }
}

TEST(PresetListing, GarbledRepliesDoNotReadAsAnEmptyFolder) {
    CPresetListing listing;
    for (const char* reply :
         {"", "0", "abc,def", "0,100,\"MSTATE.P00\",BIN", "0,100,\"MSTATE.P00,BIN,12",
          "0,100,MSTATE.P00,BIN,12", "0,100,\"MSTATE.P00\"x,BIN,12", "0,100,\"\",BIN,12",
          "0,100,\"A\",BIN,\"12\"", "-1,100", "0,100,\"A\",BIN,1,", "0,1\"00", "0,100,,", "0,100, ",
          "0,100,\"\"", ",100,", "0,,", "x,100,", ","}) {
        EXPECT_EQ(listing.Parse(reply), 0) << reply;
        EXPECT_TRUE(listing.Entries().empty()) << reply;
    }
}

TEST(PresetListing, SizesAreWholeDecimalNumbersOnly) {
    std::uint64_t size = 99;
    EXPECT_EQ(CPresetListing::ParseSize("0", size), 1);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(CPresetListing::ParseSize("32768", size), 1);
    EXPECT_EQ(size, 32768u);
    EXPECT_EQ(CPresetListing::ParseSize("999999999999999", size), 1);
    for (const char* bad :
         {"", "-1", "+5", " 5", "5 ", "0x10", "1e3", "12.0", "nan", "1000000000000000"}) {
        EXPECT_EQ(CPresetListing::ParseSize(bad, size), 0) << bad;
        EXPECT_EQ(size, 0u) << bad;
    }
}

TEST(BackupFolder, ABareNameGoesUnderTheRoot) {
    EXPECT_EQ(CBackupFolder("Quarn").Path(), "/Quarn");
    EXPECT_EQ(CBackupFolder("Quarn/Monday").Path(), "/Quarn/Monday");
    EXPECT_EQ(CBackupFolder("/home/op/Quarn/").Path(), "/home/op/Quarn");
    EXPECT_EQ(CBackupFolder("").Path(), "/");
    EXPECT_EQ(CBackupFolder("/").RestoreInfoPath(), "/backup.cfg");
    EXPECT_EQ(CBackupFolder("/b").PresetFile("Sormet", "MSTATE3.P02"),
              "/b/Sormet/PRESET/MSTATE3.P02");
    EXPECT_EQ(CBackupFolder("/b").PresetFolder("CPU"), "/b/CPU/PRESET");
    EXPECT_EQ(CBackupFolder("/b").RestoreInfoPath(), "/b/backup.cfg");
}

TEST(BackupFolder, MakesEveryMissingLevelAndFailsOnAFileInTheWay) {
    QTemporaryDir dir;
    std::string root = dir.path().toStdString();
    EXPECT_EQ(CBackupFolder::MakeFolderTree(root + "/a/b/c"), 1);
    struct stat info {};
    ASSERT_EQ(stat((root + "/a/b/c").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(CBackupFolder::MakeFolderTree(root + "/a/b/c"), 1);
    std::ofstream(root + "/file") << "x";
    EXPECT_EQ(CBackupFolder::MakeFolderTree(root + "/file/sub"), 0);
    EXPECT_EQ(CBackupFolder::MakeFolderTree(root + "/file"), 0);
}

}  // namespace
}  // namespace stowen
