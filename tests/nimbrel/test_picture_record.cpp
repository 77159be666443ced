// Record files: the header bytes the instrument expects, a write read back, and each kind of
// corrupt file refused without reading past its end.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "nimbrel/CBitmapMakeMng.h"
#include "nimbrel/CFileRecord.h"
#include "nimbrel/PictureFileScan.h"

using nimbrel::CFileRecord;
using nimbrel::PictureFileScan;

namespace {

class PictureRecordTest : public testing::Test {
protected:
    std::string Path() const { return (m_dir.path() + "/pic.ddd").toStdString(); }

    std::vector<unsigned char> Bytes() const {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    void WriteBytes(const std::vector<unsigned char>& bytes) const {
        std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // Header records with the given word, then lines of the given lengths, then the end.
    void WriteFile(uint16_t word, const std::vector<uint32_t>& lineBytes, bool end = true) const {
        CFileRecord file(false, Path(), CFileRecord::Mode::Write);
        ASSERT_TRUE(file.IsOpen());
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordStart, {1}));
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordFormat, {word}));
        ASSERT_TRUE(file.WriteRecordHeader(nimbrel::kRecordHeaderEnd, 0));
        for (uint32_t bytes : lineBytes) {
            ASSERT_TRUE(
                file.WriteRecord16(nimbrel::kRecordLine, std::vector<uint16_t>(bytes / 2, 64)));
        }
        if (end) {
            ASSERT_TRUE(file.WriteRecordHeader(nimbrel::kRecordEnd, 0));
        }
    }

    QTemporaryDir m_dir;
};

TEST_F(PictureRecordTest, HeaderOfAnInterlaced422TenBitFileIsByteExact) {
    WriteFile(0x0100, {}, false);
    const std::vector<unsigned char> expected = {0x08, 0x06, 0, 0, 0, 2,    0,    1, 0x00, 0x32, 0,
                                                 0,    0,    2, 1, 0, 0x88, 0x70, 0, 0,    0,    0};
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(PictureRecordTest, WrittenFileReadsBackWithItsFormat) {
    WriteFile(0x8100 | 16 | 0x4000 | 0x0800 | 0x0400, {24, 24, 24});
    const PictureFileScan scan = PictureFileScan::ScanPath(Path());
    ASSERT_TRUE(scan.Valid());
    EXPECT_EQ(scan.lines, 3u);
    EXPECT_EQ(scan.samplesPerLine, 4u);
    EXPECT_TRUE(scan.standardDefinition);
    EXPECT_FALSE(scan.interlaced);
    EXPECT_TRUE(scan.twelveBit);
    EXPECT_EQ(scan.levelSet, 1);
    EXPECT_EQ(scan.layout, 1);

    CFileRecord file(false, Path(), CFileRecord::Mode::Read);
    uint16_t id = 0;
    uint32_t length = 0;
    ASSERT_EQ(file.ReadRecordHeader(id, length), 0);
    EXPECT_EQ(id, nimbrel::kRecordStart);
    EXPECT_EQ(length, 2u);
}

TEST_F(PictureRecordTest, HeaderOnlyFileIsValidWithNoLines) {
    WriteFile(0x8100 | 16, {});
    const PictureFileScan scan = PictureFileScan::ScanPath(Path());
    EXPECT_TRUE(scan.Valid());
    EXPECT_EQ(scan.lines, 0u);
}

TEST_F(PictureRecordTest, OldWordSixteenIsStandardDefinitionInterlaced) {
    WriteFile(16, {8});
    const PictureFileScan scan = PictureFileScan::ScanPath(Path());
    ASSERT_TRUE(scan.Valid());
    EXPECT_TRUE(scan.standardDefinition);
    EXPECT_TRUE(scan.interlaced);
    EXPECT_FALSE(scan.twelveBit);
    EXPECT_EQ(scan.layout, 0);
}

TEST_F(PictureRecordTest, UnknownRecordBetweenLinesIsSkipped) {
    WriteFile(0x0100, {8}, false);
    {
        std::vector<unsigned char> bytes = Bytes();
        const std::vector<unsigned char> extra = {0x12, 0x34, 0, 0, 0, 3, 9, 9, 9};
        bytes.insert(bytes.end(), extra.begin(), extra.end());
        const std::vector<unsigned char> line = {0, 0x72, 0, 0, 0,    8,    0, 1, 0, 2,
                                                 0, 3,    0, 4, 0x0F, 0xFF, 0, 0, 0, 0};
        bytes.insert(bytes.end(), line.begin(), line.end());
        WriteBytes(bytes);
    }
    const PictureFileScan scan = PictureFileScan::ScanPath(Path());
    ASSERT_TRUE(scan.Valid());
    EXPECT_EQ(scan.lines, 2u);
    EXPECT_EQ(scan.samplesPerLine, 2u);
}

TEST_F(PictureRecordTest, EachCorruptKindIsInvalidWithNothingToRead) {
    struct Case {
        const char* name;
        std::function<void()> make;
        PictureFileScan::Fault fault;
    };
    const std::vector<Case> cases = {
        {"no end record",
         [&] {
             WriteFile(0x0100, {8, 8}, false);
         },
         PictureFileScan::Fault::NoEndRecord},
        {"uneven lines",
         [&] {
             WriteFile(0x0100, {8, 16});
         },
         PictureFileScan::Fault::UnevenLines},
        {"odd samples", [&] { WriteFile(0x0100, {12}); }, PictureFileScan::Fault::BadLineLength},
        {"partial position", [&] { WriteFile(0x0100, {6}); },
         PictureFileScan::Fault::BadLineLength},
        {"format length 4",
         [&] {
             WriteBytes({0x08, 0x06, 0, 0, 0, 2, 0,    1,    0, 0x32, 0, 0,
                         0,    4,    1, 0, 0, 0, 0x0F, 0xFF, 0, 0,    0, 0});
         },
         PictureFileScan::Fault::BadFormatRecord},
        {"length past the end",
         [&] {
             WriteBytes({0x00, 0x32, 0,    0, 0, 2,    1,    0, 0, 0x72, 0x7F,
                         0xFF, 0xFF, 0xF0, 0, 0, 0x0F, 0xFF, 0, 0, 0,    0});
         },
         PictureFileScan::Fault::Truncated},
        {"short header",
         [&] {
             WriteBytes({0x08, 0x06, 0});
         },
         PictureFileScan::Fault::Truncated},
        {"empty", [&] { WriteBytes({}); }, PictureFileScan::Fault::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        const PictureFileScan scan = PictureFileScan::ScanPath(Path());
        EXPECT_FALSE(scan.Valid());
        EXPECT_EQ(scan.fault, c.fault);
        EXPECT_EQ(scan.lines, 0u);
        EXPECT_EQ(scan.samplesPerLine, 0u);
    }
}

TEST_F(PictureRecordTest, MissingFileCannotOpen) {
    EXPECT_EQ(PictureFileScan::ScanPath(Path() + ".none").fault,
              PictureFileScan::Fault::CannotOpen);
}

TEST(BigEndian, WiderThanEightBytesIsRefused) {
    unsigned char value[9] = {1, 2};
    EXPECT_FALSE(nimbrel::SwapBigEndian(value, 9));
    EXPECT_TRUE(nimbrel::SwapBigEndian(value, 2));
    EXPECT_EQ(value[0], 2);
}

}  // namespace

namespace {

TEST_F(PictureRecordTest, PreviewReadsLinesInOrderBackToPixels) {
    {
        CFileRecord file(false, Path(), CFileRecord::Mode::Write);
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordStart, {1}));
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordFormat, {0x0100}));
        ASSERT_TRUE(file.WriteRecordHeader(nimbrel::kRecordHeaderEnd, 0));
        // HD 100% red then white, 4:2:2: Y[2], then Pb, Pr of the pair.
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordLine, {250, 250, 409, 960}));
        ASSERT_TRUE(file.WriteRecord16(nimbrel::kRecordLine, {940, 940, 512, 512}));
        ASSERT_TRUE(file.WriteRecordHeader(nimbrel::kRecordEnd, 0));
    }
    nimbrel::CBitmapMakeMng reader(Path(), Path() + ".noini");
    ASSERT_EQ(reader.Lines(), 2u);
    ASSERT_EQ(reader.SamplesPerLine(), 2u);
    std::vector<nimbrel::Bgr> row;
    EXPECT_FALSE(reader.ReadLine(1, row));
    ASSERT_TRUE(reader.ReadLine(0, row));
    ASSERT_EQ(row.size(), 2u);
    EXPECT_NEAR(row[0].r, 255, 1);
    EXPECT_NEAR(row[0].g, 0, 1);
    EXPECT_NEAR(row[0].b, 0, 1);
    ASSERT_TRUE(reader.ReadLine(1, row));
    EXPECT_EQ(row[1], (nimbrel::Bgr{255, 255, 255}));
    EXPECT_FALSE(reader.ReadLine(2, row));
}

TEST_F(PictureRecordTest, DegenerateLevelsMakeTheFileUnreadable) {
    WriteFile(0x0100, {8});
    const std::string ini = (m_dir.path() + "/Nimbrel.ini").toStdString();
    std::ofstream(ini) << "[NIMBREL_SCALE_10]\nY_WHITE_LEVEL=64\n";
    nimbrel::CBitmapMakeMng reader(Path(), ini);
    EXPECT_EQ(reader.Lines(), 0u);
    EXPECT_EQ(reader.SamplesPerLine(), 0u);
}

}  // namespace
