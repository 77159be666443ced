// Private-profile ini files: the Windows lookup rules and writes that leave the rest of a
// hand-edited file alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/IniFile.h"

using namespace platform;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(IniFile, LookupIgnoresCaseBlanksAndOnePairOfQuotes) {
    IniFile ini(
        "; comment\r\n"
        "  [Main Menu] \r\n"
        "  Width =  1920  \r\n"
        "Name=\"  quoted  \"\r\n"
        "Single='x'\r\n"
        "Half=\"x\r\n"
        "Bare\r\n"
        "[Other]\r\n"
        "Width=7\r\n");
    std::string v;
    ASSERT_TRUE(ini.Find("main menu", "WIDTH", v));
    EXPECT_EQ("1920", v);
    ASSERT_TRUE(ini.Find("MAIN MENU", "name", v));
    EXPECT_EQ("  quoted  ", v);
    ASSERT_TRUE(ini.Find("Main Menu", "Single", v));
    EXPECT_EQ("x", v);
    ASSERT_TRUE(ini.Find("Main Menu", "Half", v));
    EXPECT_EQ("\"x", v);
    ASSERT_TRUE(ini.Find("Main Menu", "Bare", v));
    EXPECT_EQ("", v);
    ASSERT_TRUE(ini.Find("other", "width", v));
    EXPECT_EQ("7", v);
    EXPECT_FALSE(ini.Find("Main Menu", "Missing", v));
    EXPECT_FALSE(ini.Find("Nowhere", "Width", v));
    // Keys before any section belong to none.
    EXPECT_FALSE(IniFile("K=1\n[S]\n").Find("", "K", v));
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
    IniFile ini("[S]\nK=first\nk=second\n[s]\nK=third\nOnlyLater=1\n");
    std::string v;
    ASSERT_TRUE(ini.Find("S", "K", v));
    EXPECT_EQ("first", v);
    EXPECT_FALSE(ini.Find("S", "OnlyLater", v));
}

TEST(IniFile, SetReplacesOnlyTheValueAndKeepsEveryOtherByte) {
    const std::string before =
        "; keep me\r\n[A]\r\n  Key = old ; note\r\nOther=1\r\n\r\n[B]\r\nKey=b\r\n";
    IniFile ini(before);
    ASSERT_EQ(1, ini.Set("a", "KEY", "new"));
    EXPECT_EQ("; keep me\r\n[A]\r\n  Key =new\r\nOther=1\r\n\r\n[B]\r\nKey=b\r\n", ini.Text());
    std::string v;
    ASSERT_TRUE(ini.Find("B", "Key", v));
    EXPECT_EQ("b", v);
}

TEST(IniFile, SetAddsMissingKeysAfterTheSectionsLastLineAndMissingSectionsAtTheEnd) {
    IniFile ini("[A]\nx=1\n\n[B]\ny=2");
    ASSERT_EQ(1, ini.Set("A", "z", "3"));
    EXPECT_EQ("[A]\nx=1\nz=3\n\n[B]\ny=2", ini.Text());
    ASSERT_EQ(1, ini.Set("B", "w", "4"));
    EXPECT_EQ("[A]\nx=1\nz=3\n\n[B]\ny=2\nw=4\n", ini.Text());
    ASSERT_EQ(1, ini.Set("C", "v", "5"));
    EXPECT_EQ("[A]\nx=1\nz=3\n\n[B]\ny=2\nw=4\n\n[C]\nv=5\n", ini.Text());
    ASSERT_EQ(1, ini.Set("A", "bare", ""));
    std::string v = "unchanged";
    ASSERT_TRUE(ini.Find("A", "bare", v));
    EXPECT_EQ("", v);

    IniFile fresh;
    ASSERT_EQ(1, fresh.Set("S", "K", "V"));
    EXPECT_EQ("[S]\r\nK=V\r\n", fresh.Text());

    // A last line cut after the '\r' of its ending gets only the '\n', in the section and after.
    const struct {
        const char* text;
        const char* section;
        const char* expected;
    } cut[] = {
        {"[S\r", "S", "[S\r\nK=V\r\n"},
        {"[S]\r", "S", "[S]\r\nK=V\r\n"},
        {"[S]\r\nx=1\r", "S", "[S]\r\nx=1\r\nK=V\r\n"},
        {"[T]\r", "S", "[T]\r\n\r\n[S]\r\nK=V\r\n"},
    };
    for (const auto& c : cut) {
        IniFile ini(c.text);
        ASSERT_EQ(1, ini.Set(c.section, "K", "V")) << c.text;
        EXPECT_EQ(c.expected, ini.Text()) << c.text;
        std::string value;
        EXPECT_TRUE(ini.Find(c.section, "K", value) && value == "V") << c.text;
    }
}

TEST(IniFile, SetRefusesWhatCouldNotBeReadBackAndChangesNothing) {
    const std::string before = "[S]\nK=1\n";
    IniFile ini(before);
    EXPECT_EQ(0, ini.Set("S", "K", "two\nlines"));
    EXPECT_EQ(0, ini.Set("S", "K", "cr\r"));
    EXPECT_EQ(0, ini.Set("S", "a=b", "1"));
    EXPECT_EQ(0, ini.Set("S", "", "1"));
    EXPECT_EQ(0, ini.Set("S", "[x", "1"));
    EXPECT_EQ(0, ini.Set("S]", "K", "1"));
    EXPECT_EQ(0, ini.Set("S\n[T", "K", "1"));
    EXPECT_EQ(before, ini.Text());
}

TEST(IniFile, GetPrivateProfileStringCutsLikeTheWindowsBufferAndTrimsTheDefault) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/x.ini";
    WriteAll(path, "[S]\nLong=abcdefgh\n");
    std::string out;
    EXPECT_EQ(8u, GetPrivateProfileString("S", "Long", "", out, 256, path));
    EXPECT_EQ("abcdefgh", out);
    EXPECT_EQ(3u, GetPrivateProfileString("S", "Long", "", out, 4, path));
    EXPECT_EQ("abc", out);
    EXPECT_EQ(0u, GetPrivateProfileString("S", "Long", "", out, 0, path));
    EXPECT_EQ("", out);
    EXPECT_EQ(3u, GetPrivateProfileString("S", "Missing", "def  \t", out, 256, path));
    EXPECT_EQ("def", out);
    EXPECT_EQ(2u, GetPrivateProfileString("S", "K", "dd", out, 256, path + ".none"));
    EXPECT_EQ("dd", out);
}

TEST(IniFile, WritePrivateProfileStringCreatesKeepsAndRefuses) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/w.ini";
    ASSERT_EQ(1, WritePrivateProfileString("Settings", "Format", "3", path));
    EXPECT_EQ("[Settings]\r\nFormat=3\r\n", ReadAll(path));
    ASSERT_EQ(1, WritePrivateProfileString("settings", "FORMAT", "12", path));
    ASSERT_EQ(1, WritePrivateProfileString("Settings", "Filter", "ON", path));
    EXPECT_EQ("[Settings]\r\nFormat=12\r\nFilter=ON\r\n", ReadAll(path));
    chmod(path.c_str(), 0640);
    EXPECT_EQ(0, WritePrivateProfileString("Settings", "Format", "bad\nvalue", path));
    EXPECT_EQ("[Settings]\r\nFormat=12\r\nFilter=ON\r\n", ReadAll(path));
    ASSERT_EQ(1, WritePrivateProfileString("Settings", "Format", "1", path));
    struct stat st {};
    ASSERT_EQ(0, stat(path.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777u);
    // A folder that does not exist fails without leaving anything behind.
    EXPECT_EQ(0, WritePrivateProfileString("S", "K", "V", path + ".d/none/x.ini"));
    QDir folder(dir.path());
    EXPECT_EQ(1, folder.entryList(QDir::Files).size());
}

TEST(IniFile, AWriteGoesThroughALinkToItsTarget) {
    QTemporaryDir dir;
    const std::string real = dir.path().toStdString() + "/real.ini";
    const std::string link = dir.path().toStdString() + "/link.ini";
    WriteAll(real, "[S]\nK=1\n");
    ASSERT_EQ(0, symlink(real.c_str(), link.c_str()));
    ASSERT_EQ(1, WritePrivateProfileString("S", "K", "2", link));
    EXPECT_EQ("[S]\nK=2\n", ReadAll(real));
    struct stat st {};
    ASSERT_EQ(0, lstat(link.c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}
