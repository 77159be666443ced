// Reading module catalogues and backup.cfg: the guard that keeps a backup off the wrong
// instrument.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "utilities/gorrel/RestoreInfo.h"

namespace gorrel {
namespace {

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
