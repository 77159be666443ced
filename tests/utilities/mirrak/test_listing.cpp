#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ItemsNamingNothing.h"
#include "utilities/mirrak/ListEntry.h"

namespace {

using mirrak::ListEntry;
using mirrak::ListLineKind;
using mirrak::ParseListLine;

TEST(ParseListLine, ReadsFilesAndFoldersInTheInstrumentsFormat) {
    ListEntry entry;
    ASSERT_EQ(ParseListLine("2048 01-01-00 12:00 MSTATE2.P00 A\r", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.name, "MSTATE2.P00");
    EXPECT_EQ(entry.size, 2048);
    EXPECT_FALSE(entry.folder);

    ASSERT_EQ(ParseListLine("0 01-01-00 12:00 PICTURE <DIR>", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.name, "PICTURE");
    EXPECT_TRUE(entry.folder);
    // "<DIR>" in the size field reads as 0 and still marks a folder.
    ASSERT_EQ(ParseListLine("<DIR> 01-01-00 12:00 LOGO <DIR>", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.size, 0);
    EXPECT_TRUE(entry.folder);
}

TEST(ParseListLine, NamesKeepInnerBlanksAndNeedAFieldAfterThem) {
    ListEntry entry;
    ASSERT_EQ(ParseListLine("12 01-01-00 12:00   MY  FILE.TXT    A", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.name, "MY  FILE.TXT");
    // A trailing blank is enough of a field.
    ASSERT_EQ(ParseListLine("12 01-01-00 12:00 NAME \r", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.name, "NAME");
    // Without a field after the name, or without a time, or with too few fields.
    EXPECT_EQ(ParseListLine("12 01-01-00 12:00 NAME", entry), ListLineKind::Unreadable);
    EXPECT_EQ(ParseListLine("12 01-01-00 1200 NAME A", entry), ListLineKind::Unreadable);
    EXPECT_EQ(ParseListLine("12 12:00", entry), ListLineKind::Unreadable);
    EXPECT_EQ(ParseListLine("", entry), ListLineKind::Unreadable);
    // A Unix "ls -l" line puts the name last: unreadable, not a wrong name.
    EXPECT_EQ(ParseListLine("-rw-r--r-- 1 u g 5 Jan 1 12:00 file", entry),
              ListLineKind::Unreadable);
}

// An item naming nothing in the folder listed is nothing to copy, not a name to refuse.
TEST(ParseListLine, ItemsNamingNothingAndOverlongLinesGiveNothing) {
    ListEntry entry;
    for (const std::string& name : testsupport::ItemsNamingNothing()) {
        EXPECT_EQ(ParseListLine("0 01-01-00 12:00 " + name + " <DIR>", entry),
                  ListLineKind::NamesNothing)
            << name;
        EXPECT_EQ(ParseListLine("4 01-01-00 12:00 " + name + " A", entry),
                  ListLineKind::NamesNothing)
            << name;
    }
    EXPECT_EQ(ParseListLine("0 01-01-00 12:00 . <DIR>", entry), ListLineKind::NamesNothing);
    EXPECT_EQ(ParseListLine("0 01-01-00 12:00 .. <DIR>", entry), ListLineKind::NamesNothing);
    std::string longLine = "1 01-01-00 12:00 " + std::string(500, 'N') + " A";
    EXPECT_EQ(ParseListLine(longLine, entry), ListLineKind::Unreadable);
    longLine = "1 01-01-00 12:00 " + std::string(490, 'N') + " A";
    EXPECT_EQ(ParseListLine(longLine, entry), ListLineKind::Entry);
}

TEST(ParseListLine, SizesNeverGoNegativeOrOverflow) {
    ListEntry entry;
    ASSERT_EQ(ParseListLine("-5 01-01-00 12:00 F A", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.size, 0);
    ASSERT_EQ(ParseListLine("1e30 01-01-00 12:00 F A", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.size, INT64_MAX);
    ASSERT_EQ(ParseListLine("12.9 01-01-00 12:00 F A", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.size, 12);
    ASSERT_EQ(ParseListLine("nan 01-01-00 12:00 F A", entry), ListLineKind::Entry);
    EXPECT_EQ(entry.size, 0);
}

std::vector<std::string> EntryLines(std::string_view listing, bool* read = nullptr) {
    std::vector<std::string_view> lines;
    const bool ok = mirrak::ListingEntryLines(listing, lines);
    if (read != nullptr)
        *read = ok;
    return std::vector<std::string>(lines.begin(), lines.end());
}

TEST(ListingEntryLines, NeedTwoHeaderLinesAndOneLineEndAfterThem) {
    bool read = true;
    EXPECT_TRUE(EntryLines("H1\r\nH2\r\n", &read).empty());
    EXPECT_FALSE(read);
    EntryLines("H1\nH2", &read);
    EXPECT_FALSE(read);
    EntryLines("H1\nH2\nA A:A A", &read);
    EXPECT_FALSE(read);
    EntryLines("", &read);
    EXPECT_FALSE(read);
    // An empty line at once: a folder with nothing in it.
    EXPECT_TRUE(EntryLines("H1\r\nH2\r\n\r\n", &read).empty());
    EXPECT_TRUE(read);
}

TEST(ListingEntryLines, EndAtAnEmptyLineOrTheEndAndKeepALastLineWithoutItsLineEnd) {
    EXPECT_EQ(EntryLines("H1\r\nH2\r\nA\r\nB\r\n"), (std::vector<std::string>{"A\r", "B\r"}));
    EXPECT_EQ(EntryLines("H1\r\nH2\r\nA\r\n\r\nB\r\n"), std::vector<std::string>{"A\r"});
    EXPECT_EQ(EntryLines("H1\nH2\nA\n\nB\n"), std::vector<std::string>{"A"});
    EXPECT_EQ(EntryLines("H1\nH2\nA\nB"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(EntryLines("H1\nH2\nA\n  \r"), std::vector<std::string>{"A"});
    // CR bytes inside a line stay: the name check refuses them later.
    EXPECT_EQ(EntryLines("H1\nH2\nA\rB C\n"), std::vector<std::string>{"A\rB C"});
}

TEST(IsCarriableName, RefusesWhatWouldBreakOrRedirectACommand) {
    EXPECT_TRUE(mirrak::IsCarriableName("MSTATE1.P00"));
    EXPECT_TRUE(mirrak::IsCarriableName("A B;C-D"));
    EXPECT_FALSE(mirrak::IsCarriableName(""));
    EXPECT_FALSE(mirrak::IsCarriableName("X\rDELE Y"));
    EXPECT_FALSE(mirrak::IsCarriableName("X\nY"));
    EXPECT_FALSE(mirrak::IsCarriableName("x\";:mmem:del \"y"));
    EXPECT_FALSE(mirrak::IsCarriableName("../../etc"));
    EXPECT_FALSE(mirrak::IsCarriableName("a\\b"));
    EXPECT_FALSE(mirrak::IsCarriableName(std::string("a\0b", 3)));
}

TEST(ShortenDisplayPath, KeepsTheFirstTwoFoldersAndTheLastPartOfADeepPath) {
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:/AA/BB/CC/DD/EE"), "AA/BB/ ... /EE");
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:/A/B"), "A/B");
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:/Sormet"), "Sormet");
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:"), "/F0:");
    EXPECT_EQ(mirrak::ShortenDisplayPath("NOSLASH"), "NOSLASH");
    // Three more '/' but the last one too close to the second: unchanged.
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:/A/B/C/D"), "A/B/C/D");
    EXPECT_EQ(mirrak::ShortenDisplayPath("/F0:/A/B/CCCC/D"), "A/B/ ... /D");
}

}  // namespace
