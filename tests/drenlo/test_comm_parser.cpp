#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drenlo/comm/CatalogParser.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/BlockHeader.h"
#include "platform/CatalogItem.h"
#include "tests/support/ItemsNamingNothing.h"

namespace drenlo {
namespace {

TEST(CatalogParserTest, CountsAndEntries) {
    CCatalogReply reply{"1000,2000,\"A.PIC\",,123,\"SUB/\",,0"};
    double used = 0, free = 0;
    ASSERT_EQ(CCatalogParser::ReadCounts(reply.text, used, free), 1);
    EXPECT_EQ(used, 1000);
    EXPECT_EQ(free, 2000);
    CCatalogParser::SkipToEntries(reply);
    CFileInfo item;
    ASSERT_EQ(CCatalogParser::TakeEntry(reply, item), 1);
    EXPECT_EQ(item.GetName(), "A.PIC");
    EXPECT_EQ(item.GetSize(), 123u);
    EXPECT_EQ(item.IsFolder(), 0);
    ASSERT_EQ(CCatalogParser::TakeEntry(reply, item), 1);
    EXPECT_EQ(item.GetName(), "SUB");
    EXPECT_EQ(item.IsFolder(), 1);
    EXPECT_EQ(CCatalogParser::TakeEntry(reply, item), 0);
}

TEST(CatalogParserTest, AnEmptyFolderIsItsCountsWithOrWithoutACommaAfterThem) {
    for (const char* listing : {"1000,2000", "1000,2000,"}) {
        CCatalogReply reply{listing};
        double used = 0, free = 0;
        ASSERT_EQ(CCatalogParser::ReadCounts(reply.text, used, free), 1) << listing;
        EXPECT_EQ(used, 1000);
        EXPECT_EQ(free, 2000);
        CCatalogParser::SkipToEntries(reply);
        CFileInfo item;
        EXPECT_EQ(CCatalogParser::TakeEntry(reply, item), 0) << listing;
    }
    double used = 7, free = 7;
    for (const char* bad : {"1000,", ",2000,", "x,2000,", ","})
        EXPECT_EQ(CCatalogParser::ReadCounts(bad, used, free), 0) << bad;
    EXPECT_EQ(used, 7);
}

TEST(CatalogParserTest, NamesStayWholeAndEscaped) {
    // A comma inside the quotes belongs to the name; cutting it would aim at another file.
    CCatalogReply reply{"\"A,B.PIC\",PIC,77,\"my^file`h1.seq\",,5"};
    CFileInfo item;
    ASSERT_EQ(CCatalogParser::TakeEntry(reply, item), 1);
    EXPECT_EQ(item.GetName(), "A,B.PIC");
    EXPECT_EQ(item.GetSize(), 77u);
    ASSERT_EQ(CCatalogParser::TakeEntry(reply, item), 1);
    EXPECT_EQ(item.GetName(), "my^file`h1.seq");
    EXPECT_EQ(platform::UnescapeInstrumentName(item.GetName()), "my file-1.seq");
}

// An item naming nothing in the folder listed is passed over; the walk goes on to the next.
TEST(CatalogParserTest, ItemsNamingNothingArePassedOver) {
    auto walk = [](const std::vector<std::string>& items) {
        CCatalogReply reply{testsupport::CatalogueReply(items)};
        CCatalogParser::SkipToEntries(reply);
        std::vector<std::string> taken;
        CFileInfo item;
        while (CCatalogParser::TakeEntry(reply, item) == 1)
            taken.push_back(item.GetName() + (item.IsFolder() ? "/" : "") + " " +
                            std::to_string(item.GetSize()));
        return taken;
    };
    const std::vector<std::string> good{"A.PIC", "SUB/", "a`sb.pic", "my^file`h1.seq"};
    EXPECT_EQ(walk(good),
              (std::vector<std::string>{"A.PIC 4", "SUB/ 0", "a`sb.pic 4", "my^file`h1.seq 4"}));
    EXPECT_EQ(walk(testsupport::AmongItemsNamingNothing(good)), walk(good));
}

TEST(CatalogParserTest, HostileRepliesEndTheWalk) {
    double used = 7, free = 7;
    EXPECT_EQ(CCatalogParser::ReadCounts("\"A\",,1", used, free), 0);  // quote first
    EXPECT_EQ(CCatalogParser::ReadCounts("inf,nan", used, free), 0);
    EXPECT_EQ(CCatalogParser::ReadCounts("1000", used, free), 0);
    EXPECT_EQ(CCatalogParser::ReadCounts("1e999,5", used, free), 0);
    EXPECT_EQ(used, 7);
    EXPECT_EQ(CCatalogParser::ReadCounts("1000,2000", used, free), 1);  // empty folder
    CFileInfo item;
    for (const char* bad : {"\"A\",,-1", "\"A\",,nan", "\"A\",,1e300", "\"A\",,", "\"A\"", "\"A",
                            "\"\",,5", "\"A\",,12x", "\"/\",,0", "\"A\",5"}) {
        CCatalogReply reply{bad};
        EXPECT_EQ(CCatalogParser::TakeEntry(reply, item), 0) << bad;
        EXPECT_TRUE(reply.AtEnd()) << bad;
    }
}

TEST(InstrumentNamesTest, EscapesAndPcNames) {
    std::string listed;
    ASSERT_EQ(ListedNameFromPcName("my file-1:a`b.pic", listed), 1);
    EXPECT_EQ(listed, "my^file`h1`ca``b.pic");
    EXPECT_EQ(platform::UnescapeInstrumentName(listed), "my file-1:a`b.pic");
    EXPECT_EQ(ListedNameFromPcName("a\"b", listed), 0);
    EXPECT_EQ(ListedNameFromPcName("a,b", listed), 0);
    EXPECT_EQ(ListedNameFromPcName("a\nb", listed), 0);
    EXPECT_EQ(ListedNameFromPcName("caf\xe9", listed), 0);
    EXPECT_EQ(PcNameFromListedName("a`sb"), "a_b");  // never a separator
    EXPECT_EQ(PcNameFromListedName(".."), "");
    EXPECT_EQ(PcNameFromListedName("."), "");
    EXPECT_EQ(PcNameFromListedName("a\\b"), "a_b");
    EXPECT_EQ(IsQuotableArgument("/F0:/a\"b"), 0);
    EXPECT_EQ(IsQuotableArgument("/F0:/a\r\nmmem:del:all \"/F0:/\""), 0);
    EXPECT_EQ(IsQuotableArgument("/F0:/a b"), 1);
}

TEST(FormatByteSizeTest, Thresholds) {
    std::string text;
    CQuarnComm::FormatByteSize(1023, text);
    EXPECT_EQ(text, "1023 bytes");
    CQuarnComm::FormatByteSize(1024, text);
    EXPECT_EQ(text, "1.00KB");
    CQuarnComm::FormatByteSize(1536, text);
    EXPECT_EQ(text, "1.50KB");
    CQuarnComm::FormatByteSize(2000, text);
    EXPECT_EQ(text, "1.95KB");
    CQuarnComm::FormatByteSize(100 * 1024, text);
    EXPECT_EQ(text, "100KB");
    CQuarnComm::FormatByteSize(20.0 * 1048576, text);
    EXPECT_EQ(text, "20.0MB");
    CQuarnComm::FormatByteSize(3.0 * 1073741824, text);
    EXPECT_EQ(text, "3.00GB");
}

TEST(BlockHeaderTest, FormatAndRead) {
    EXPECT_EQ(CBlockHeader::Format(70000), "#570000");
    EXPECT_EQ(CBlockHeader::Format(0), "#10");
    EXPECT_EQ(CBlockHeader::Format(999999999), "#9999999999");
    EXPECT_EQ(CBlockHeader::Format(1000000000), "");
    std::uint64_t length = 0;
    EXPECT_EQ(CBlockHeader::Parse("#3123", length), 1);
    EXPECT_EQ(length, 123u);
    EXPECT_EQ(CBlockHeader::Parse("#10", length), 1);
    EXPECT_EQ(length, 0u);
    for (const char* bad : {"", "#", "#0", "#3", "#312", "#31x3", "x3123", "#3123x", "#a"}) {
        EXPECT_EQ(CBlockHeader::Parse(bad, length), 0) << bad;
    }
}

}  // namespace
}  // namespace drenlo
