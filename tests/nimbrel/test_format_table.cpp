// Formats from the main ini: which sections become menu items, the word each one gives its
// files, and the saved choices with their fallbacks.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "nimbrel/FormatTable.h"

using nimbrel::FormatTable;
using nimbrel::PictureFormat;

namespace {

class FormatTableTest : public testing::Test {
protected:
    std::string Ini(const std::string& name, const std::string& text) {
        const std::string path = (m_dir.path() + "/" + QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(FormatTableTest, NoSectionsGiveTheBuiltInFormats) {
    FormatTable table;
    table.Read(m_dir.path().toStdString() + "/none.ini", true);
    ASSERT_EQ(table.Formats().size(), 8u);
    EXPECT_EQ(table.Formats()[7].caption, "1080 59i");
    EXPECT_EQ(table.Formats()[0].FormatWord(), 0x8100 | 16);
    EXPECT_EQ(table.Formats()[2].FormatWord(), 0x4100 | 1);
    EXPECT_EQ(table.Formats()[7].FormatWord(), 0x0100);
    const auto choices = FormatTable::ReadChoices(m_dir.path().toStdString() + "/none.ini", 8);
    EXPECT_EQ(choices.format, 7);
    EXPECT_EQ(choices.colour, 1);
    EXPECT_EQ(choices.filter, 0);
    EXPECT_FALSE(choices.gbrOutput);
}

TEST_F(FormatTableTest, BadSectionsAreSkippedAndTheNextTakesTheirIndex) {
    const std::string ini =
        Ini("Nimbrel.ini",
            "[NIMBREL_FORMAT_0]\nCAPTION=A\nWIDTH=1920\nHEIGHT=1080\nMISC=256\n"
            "[NIMBREL_FORMAT_1]\nCAPTION=B\nWIDTH=1920i\nHEIGHT=1080\nMISC=3\n"
            "PROGRESSIVE=TRUE ; comment\n12BIT_OUTPUT=TRUE\n12BIT_OUTPUT_SCALE=6\n"
            "444_YPBPR=TRUE\nFORMAT=PAL\nHINT=h\nHINT_ENGLISH=e\nUSE_FILTER=F1\n"
            "[NIMBREL_FORMAT_2]\nCAPTION=C\nWIDTH=1920\nHEIGHT=1080\nMISC=-5\n"
            "[NIMBREL_FORMAT_3]\nCAPTION=D\nWIDTH=721\nHEIGHT=486\nMISC=16\n"
            "[NIMBREL_FORMAT_4]\nCAPTION=E\nWIDTH=99999\nHEIGHT=486\nMISC=16\n"
            "[NIMBREL_FORMAT_5]\nCAPTION=F\nWIDTH=720\nHEIGHT=486\nMISC=16\nBLACK_LINE=1000000000\n"
            "[NIMBREL_FORMAT_6]\nCAPTION=G\nWIDTH=0\nHEIGHT=486\nMISC=16\n"
            "[NIMBREL_FORMAT_7]\nCAPTION=H\nWIDTH=721\nHEIGHT=486\nMISC=16\nDOUBLEWIDTH=TRUE\n"
            "PROGRESSIVE=true\nFORMAT=ntsc\nBLACK_LINE=-3\n");
    FormatTable table;
    table.Read(ini, true);
    ASSERT_EQ(table.Formats().size(), 2u);
    const PictureFormat& b = table.Formats()[0];
    EXPECT_EQ(b.caption, "B");
    EXPECT_EQ(b.width, 1920);
    EXPECT_EQ(b.hint, "e");
    EXPECT_EQ(b.filterSection, "F1");
    EXPECT_EQ(b.scale, 1);
    EXPECT_EQ(b.FormatWord(), 0x8000 | 0x4000 | 0x0800 | 0x0400 | 0x0100 | 3);
    const PictureFormat& h = table.Formats()[1];
    EXPECT_EQ(h.Samples(), 1442);
    EXPECT_FALSE(h.progressive);
    EXPECT_EQ(h.family, 2);
    EXPECT_EQ(h.blackLines, 0);
    ASSERT_EQ(table.Skipped().size(), 5u);
    EXPECT_EQ(table.Skipped()[0],
              "File[" + ini + "] Tag[NIMBREL_FORMAT_0] Key[MISC] Invalid Misc --- Skip.");
    EXPECT_NE(table.Skipped()[1].find("NIMBREL_FORMAT_2] Key[MISC]"), std::string::npos);
    EXPECT_NE(table.Skipped()[2].find("NIMBREL_FORMAT_3] Key[WIDTH]"), std::string::npos);
    EXPECT_NE(table.Skipped()[3].find("NIMBREL_FORMAT_4] Key[WIDTH]"), std::string::npos);
    EXPECT_NE(table.Skipped()[4].find("NIMBREL_FORMAT_5] Key[BLACK_LINE]"), std::string::npos);

    table.Read(ini, false);
    EXPECT_EQ(table.Formats()[0].hint, "h");
}

TEST_F(FormatTableTest, ScalesGiveTheirLevelBits) {
    PictureFormat f;
    f.twelveBit = true;
    const uint16_t expected[] = {0x0800, 0x0800, 0x1000, 0x1800, 0x2000, 0x2800, 0x0800};
    for (int scale = 0; scale <= 6; ++scale) {
        f.scale = scale;
        EXPECT_EQ(f.FormatWord() & 0x3800, expected[scale]) << scale;
    }
}

TEST_F(FormatTableTest, ChoicesOutOfRangeFallBackAndSaveReadsBack) {
    const std::string ini =
        Ini("Nimbrel_Setting.ini",
            "; mine\r\n[NIMBREL_SETTING]\r\nCOLOR=9\r\nFILTER=x\r\nFORMAT=7\r\n");
    auto choices = FormatTable::ReadChoices(ini, 3);
    EXPECT_EQ(choices.colour, 0);
    EXPECT_EQ(choices.filter, 0);
    EXPECT_EQ(choices.format, 0);
    choices = {5, 1, 2, true};
    ASSERT_EQ(FormatTable::SaveChoices(ini, choices), 1);
    const auto back = FormatTable::ReadChoices(ini, 3);
    EXPECT_EQ(back.colour, 5);
    EXPECT_EQ(back.filter, 1);
    EXPECT_EQ(back.format, 2);
    EXPECT_TRUE(back.gbrOutput);
    std::ifstream in(ini, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("; mine\r\n[NIMBREL_SETTING]\r\n", 0), 0u);
}

}  // namespace
