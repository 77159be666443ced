// Free space, folders and error texts; numbers, dates and times in the operator's locale;
// the version the build gives the programs.
#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "platform/BuildVersion.h"
#include "platform/FileSystem.h"
#include "platform/LocaleFormat.h"

using namespace platform;

TEST(FileSystem, FreeSpaceOfAFolderAndOfAFileInItIn64Bits) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    std::uint64_t freeBytes = 0;
    ASSERT_EQ(1, GetFreeDiskSpace(folder, freeBytes));
    EXPECT_GT(freeBytes, 0u);
    std::ofstream(folder + "/f.bin") << "x";
    std::uint64_t viaFile = 0;
    EXPECT_EQ(1, GetFreeDiskSpace(folder + "/f.bin", viaFile));
    EXPECT_GT(viaFile, 0u);
    std::uint64_t missing = 123;
    errno = 0;
    EXPECT_EQ(0, GetFreeDiskSpace(folder + "/no/such", missing));
    EXPECT_EQ(0u, missing);
    EXPECT_EQ(ENOENT, errno);
}

TEST(FileSystem, CreateDirectoryFailsOnAnExistingNameLikeWindows) {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    EXPECT_EQ(1, CreateDirectory(base + "/new"));
    EXPECT_TRUE(IsDirectory(base + "/new"));
    errno = 0;
    EXPECT_EQ(0, CreateDirectory(base + "/new"));
    EXPECT_EQ(EEXIST, errno);
    EXPECT_EQ(0, CreateDirectory(base + "/a/b")) << "one level only";
    EXPECT_EQ(0, CreateDirectory(""));
    EXPECT_EQ(1, CreateDirectories(base + "/a/b/c"));
    EXPECT_EQ(1, CreateDirectories(base + "/a/b/c")) << "existing is fine here";
    std::ofstream(base + "/file") << "x";
    EXPECT_EQ(0, CreateDirectories(base + "/file")) << "a file stands in the way";
    EXPECT_EQ(0, CreateDirectories(base + "/file/sub"));
    EXPECT_TRUE(IsRegularFile(base + "/file"));
    EXPECT_FALSE(IsRegularFile(base + "/a"));
}

TEST(FileSystem, SystemErrorTextsAreNeverEmpty) {
    EXPECT_FALSE(SystemErrorText(ENOSPC).empty());
    EXPECT_NE(SystemErrorText(ENOSPC), SystemErrorText(EACCES));
    EXPECT_FALSE(SystemErrorText(99999).empty());
}

TEST(FileSystem, HomeDirectoryFallsBackWithoutHome) {
    const char* saved = std::getenv("HOME");
    const std::string keep = saved != nullptr ? saved : "";
    setenv("HOME", "/some/home", 1);
    EXPECT_EQ("/some/home", HomeDirectory());
    unsetenv("HOME");
    const std::string fallback = HomeDirectory();
    EXPECT_FALSE(fallback.empty());
    EXPECT_EQ('/', fallback[0]);
    if (saved != nullptr)
        setenv("HOME", keep.c_str(), 1);
}

struct LocaleScope {
    explicit LocaleScope(const char* name) { SetFormatLocaleForTests(QLocale(name)); }
    ~LocaleScope() { ResetFormatLocaleForTests(); }
};

TEST(LocaleFormat, NumbersGroupAsTheLocaleSays) {
    {
        LocaleScope english("en_US");
        EXPECT_EQ("0", FormatGroupedNumber(0));
        EXPECT_EQ("999", FormatGroupedNumber(999));
        EXPECT_EQ("1,234,567", FormatGroupedNumber(1234567));
        EXPECT_EQ("18,446,744,073,709,551,615", FormatGroupedNumber(UINT64_MAX));
    }
    {
        LocaleScope german("de_DE");
        EXPECT_EQ("1.234.567", FormatGroupedNumber(1234567));
    }
    {
        // A grouping character outside Latin-1 becomes the no-break space.
        LocaleScope french("fr_FR");
        const std::string text = FormatGroupedNumber(1234567);
        EXPECT_EQ(9u, text.size()) << text;
        EXPECT_EQ(std::string::npos, text.find('?'));
    }
}

TEST(LocaleFormat, ShortDateAndTimeWithoutSeconds) {
    LocaleScope english("en_US");
    EXPECT_EQ("12/8/26", FormatShortDate(2026, 12, 8));
    // Newer locale data puts a narrow no-break space before "PM"; it arrives as 0xA0.
    const std::string afternoon = FormatShortTime(14, 5);
    EXPECT_TRUE(std::regex_match(afternoon, std::regex("2:05[ \xA0]PM"))) << afternoon;
    EXPECT_EQ("", FormatShortDate(2026, 2, 30)) << "no such day";
    EXPECT_EQ("", FormatShortTime(25, 0));
    {
        LocaleScope german("de_DE");
        EXPECT_EQ("08.12.26", FormatShortDate(2026, 12, 8));
        EXPECT_EQ("14:05", FormatShortTime(14, 5));
    }
}

TEST(LocaleFormat, LocalDateTimeJoinsDateAndTime) {
    LocaleScope german("de_DE");
    const std::string text = FormatLocalDateTime(0);
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d\d\.\d\d\.\d\d \d\d:\d\d)"))) << text;
}

TEST(BuildVersion, FourNumbersFromTheBuild) {
    const ProgramVersion v = GetProgramVersion();
    EXPECT_GE(v.major, 1);
    EXPECT_EQ(std::to_string(v.major) + ", " + std::to_string(v.minor) + ", " +
                  std::to_string(v.patch) + ", " + std::to_string(v.build),
              GetProgramVersionText());
    EXPECT_TRUE(std::regex_match(GetProgramVersionDotted(), std::regex(R"(\d+\.\d+\.\d+\.\d+)")));
}
