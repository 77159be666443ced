#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Profile.h"

namespace {

using platform::Profile;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ProfileTest : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_root = testing::TempDir() + "/profile_" + std::to_string(::getpid()) + "_" + info->name();
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
        Profile::SetRootForTests(m_root);
    }
    void TearDown() override {
        Profile::SetRootForTests("");
        std::filesystem::remove_all(m_root);
    }
    std::string m_root;
};

TEST_F(ProfileTest, ValuesRoundTripThroughTheRedirectedFile) {
    Profile profile("Harnoq", "Corvane");
    EXPECT_EQ(m_root + "/Harnoq/Corvane.conf", profile.FilePath());
    ASSERT_TRUE(profile.WriteString("Settings", "TargetHost", "127.0.0.2"));
    ASSERT_TRUE(profile.WriteInt("Settings", "Port", -5000));
    // A second object (another program instance) sees the writes at once.
    Profile reader("Harnoq", "Corvane");
    EXPECT_EQ("127.0.0.2", reader.GetString("Settings", "TargetHost", ""));
    EXPECT_EQ(-5000, reader.GetInt("Settings", "Port", 0));
    const std::string file = ReadFile(profile.FilePath());
    EXPECT_NE(std::string::npos, file.find("[Settings]")) << file;
    EXPECT_NE(std::string::npos, file.find("TargetHost=127.0.0.2")) << file;
    // Other programs keep their own files.
    EXPECT_EQ("none", Profile("Harnoq", "Drenlo").GetString("Settings", "TargetHost", "none"));
}

TEST_F(ProfileTest, MissingValuesReadTheDefaultButEmptyOnesDoNot) {
    Profile profile("Harnoq", "Corvane");
    EXPECT_EQ("fallback", profile.GetString("Settings", "Missing", "fallback"));
    EXPECT_EQ(17, profile.GetInt("Settings", "Missing", 17));
    ASSERT_TRUE(profile.WriteString("Settings", "Empty", ""));
    EXPECT_EQ("", profile.GetString("Settings", "Empty", "fallback"));
    EXPECT_EQ("fallback", profile.GetString("Other", "Empty", "fallback"));
}

TEST_F(ProfileTest, NonNumbersReadAsTheIntegerDefault) {
    Profile profile("Harnoq", "Corvane");
    for (const char* stored : {"12abc", "", "nan", "0x10", "99999999999"}) {
        ASSERT_TRUE(profile.WriteString("Settings", "Value", stored));
        EXPECT_EQ(3, profile.GetInt("Settings", "Value", 3)) << stored;
    }
    ASSERT_TRUE(profile.WriteString("Settings", "Value", " 42 "));
    EXPECT_EQ(42, profile.GetInt("Settings", "Value", 3));
}

TEST_F(ProfileTest, NamesAreCaseInsensitiveLikeTheRegistry) {
    Profile profile("Harnoq", "Corvane");
    ASSERT_TRUE(profile.WriteString("Settings", "TargetHost", "10.0.0.1"));
    EXPECT_EQ("10.0.0.1", profile.GetString("SETTINGS", "targethost", ""));
    ASSERT_TRUE(profile.WriteString("settings", "TARGETHOST", "10.0.0.2"));
    EXPECT_EQ("10.0.0.2", profile.GetString("Settings", "TargetHost", ""));
    const std::string file = ReadFile(profile.FilePath());
    EXPECT_EQ(std::string::npos, file.find("TARGETHOST")) << file;
}

TEST_F(ProfileTest, SingleByteTextsKeepEveryByte) {
    Profile profile("Harnoq", "Corvane");
    const std::string text =
        "Pr\xfc"
        "fsignal \xb0\xb5 ;=\"quoted\" back\\slash";
    ASSERT_TRUE(profile.WriteString("Settings", "LastFile", text));
    EXPECT_EQ(text, Profile("Harnoq", "Corvane").GetString("Settings", "LastFile", ""));
}

TEST_F(ProfileTest, WriteThatCannotBeStoredReportsFailure) {
    // A plain file where the company folder should be: nothing can be created below it,
    // even for root.
    std::ofstream(m_root + "/Blocked") << "x";
    Profile profile("Blocked", "Corvane");
    EXPECT_FALSE(profile.WriteString("Settings", "TargetHost", "1.2.3.4"));
    EXPECT_FALSE(profile.WriteInt("Settings", "Port", 1));
    EXPECT_EQ("d", profile.GetString("Settings", "TargetHost", "d"));
}

}  // namespace
