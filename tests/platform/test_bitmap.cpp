// 24-bit bitmaps: rows top first whatever the file's order, and BMP files checked before
// anything is allocated from their headers.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QTemporaryDir>
#include <climits>
#include <cstring>
#include <fstream>

#include "platform/Bitmap.h"

using namespace platform;

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 3x2 picture: top row red, green, blue; bottom row white, black, grey.
Bitmap Sample() {
    Bitmap bmp;
    bmp.Create(3, 2);
    bmp.SetPixel(0, 0, 255, 0, 0);
    bmp.SetPixel(1, 0, 0, 255, 0);
    bmp.SetPixel(2, 0, 0, 0, 255);
    bmp.SetPixel(0, 1, 255, 255, 255);
    bmp.SetPixel(2, 1, 128, 128, 128);
    return bmp;
}

Bitmap::ReadStatus Read(const std::vector<std::uint8_t>& bytes, Bitmap& out, int& depth) {
    return out.ReadBmp(bytes.data(), bytes.size(), depth);
}

}  // namespace

TEST(Bitmap, RowsAreTopFirstBgrAndTheFileIsBottomUpPadded) {
    Bitmap bmp = Sample();
    const std::uint8_t* top = bmp.Row(0);
    EXPECT_EQ(0, top[0]);  // B of red
    EXPECT_EQ(255, top[2]);
    const std::vector<std::uint8_t> file = bmp.ToBmp();
    ASSERT_EQ(54u + 2 * 12, file.size());  // 9 bytes a row padded to 12
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ(24, file[28]);
    // The file's first row is the picture's bottom row: white.
    EXPECT_EQ(255, file[54]);
    EXPECT_EQ(255, file[56]);
    // ... and its second row starts with red (B, G, R = 0, 0, 255).
    EXPECT_EQ(0, file[66]);
    EXPECT_EQ(255, file[68]);

    Bitmap back;
    int depth = 0;
    ASSERT_EQ(Bitmap::kOk, Read(file, back, depth));
    EXPECT_EQ(24, depth);
    ASSERT_EQ(3, back.Width());
    ASSERT_EQ(2, back.Height());
    for (int y = 0; y < 2; ++y) EXPECT_EQ(0, std::memcmp(bmp.Row(y), back.Row(y), 9)) << y;

    QImage image = back.ToImage();
    EXPECT_EQ(QColor(255, 0, 0), image.pixelColor(0, 0));
    EXPECT_EQ(QColor(128, 128, 128), image.pixelColor(2, 1));
}

TEST(Bitmap, TopDownFilesAndAMissingLastRowPaddingRead) {
    std::vector<std::uint8_t> file = Sample().ToBmp();
    // Same rows swapped, height negative.
    std::vector<std::uint8_t> topDown = file;
    std::copy(file.begin() + 66, file.begin() + 78, topDown.begin() + 54);
    std::copy(file.begin() + 54, file.begin() + 66, topDown.begin() + 66);
    Put32(topDown, 22, static_cast<std::uint32_t>(-2));
    Bitmap bmp;
    int depth = 0;
    ASSERT_EQ(Bitmap::kOk, Read(topDown, bmp, depth));
    std::uint8_t r, g, b;
    bmp.GetPixel(0, 0, r, g, b);
    EXPECT_EQ(255, r);
    EXPECT_EQ(0, g);
    file.resize(file.size() - 3);
    EXPECT_EQ(Bitmap::kOk, Read(file, bmp, depth));
}

TEST(Bitmap, DamagedHeadersAreRefusedAndLeaveTheBitmapAsItWas) {
    const std::vector<std::uint8_t> good = Sample().ToBmp();
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        int bytes;
        Bitmap::ReadStatus expected;
        int depth;
    };
    const Case cases[] = {
        {"signature", 0, 'X', 1, Bitmap::kNotBmp, 0},
        {"header size", 14, 20, 4, Bitmap::kNotBmp, 0},
        {"8-bit", 28, 8, 2, Bitmap::kUnsupportedDepth, 8},
        {"32-bit", 28, 32, 2, Bitmap::kUnsupportedDepth, 32},
        {"1-bit", 28, 1, 2, Bitmap::kUnsupportedDepth, 1},
        {"RLE", 30, 1, 4, Bitmap::kUnsupportedFormat, 24},
        {"bitfields", 30, 3, 4, Bitmap::kUnsupportedFormat, 24},
        {"planes", 26, 2, 2, Bitmap::kUnsupportedFormat, 24},
        {"zero width", 18, 0, 4, Bitmap::kBadSize, 24},
        {"negative width", 18, static_cast<std::uint32_t>(-3), 4, Bitmap::kBadSize, 24},
        {"zero height", 22, 0, 4, Bitmap::kBadSize, 24},
        {"INT_MIN height", 22, static_cast<std::uint32_t>(INT_MIN), 4, Bitmap::kBadSize, 24},
        {"huge width", 18, 0x7fffffff, 4, Bitmap::kBadSize, 24},
        {"wide for its data", 18, 30000, 4, Bitmap::kTruncated, 24},
        {"tall", 22, 4, 4, Bitmap::kTruncated, 24},
        {"offset past end", 10, 0xfffffff0u, 4, Bitmap::kTruncated, 24},
        {"offset inside header", 10, 20, 4, Bitmap::kTruncated, 24},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bad = good;
        if (c.bytes == 1)
            bad[c.at] = static_cast<std::uint8_t>(c.value);
        else if (c.bytes == 2)
            bad[c.at] = static_cast<std::uint8_t>(c.value), bad[c.at + 1] = 0;
        else
            Put32(bad, c.at, c.value);
        Bitmap kept = Sample();
        int depth = -1;
        EXPECT_EQ(c.expected, Read(bad, kept, depth)) << c.what;
        EXPECT_EQ(c.depth, depth) << c.what;
        EXPECT_EQ(3, kept.Width()) << c.what;
        EXPECT_FALSE(Bitmap::StatusText(c.expected).empty());
    }
    // 30000 x 30000 passes each side's limit but not the pixel count.
    std::vector<std::uint8_t> big = good;
    Put32(big, 18, 30000);
    Put32(big, 22, 30000);
    Bitmap bmp;
    int depth = 0;
    EXPECT_EQ(Bitmap::kBadSize, Read(big, bmp, depth));
    for (std::size_t n = 0; n < good.size() - 3; ++n)
        EXPECT_NE(Bitmap::kOk, bmp.ReadBmp(good.data(), n, depth)) << n;
    EXPECT_EQ(Bitmap::kNotBmp, bmp.ReadBmp(nullptr, 0, depth));
}

TEST(Bitmap, FillAndCopyClipAtEveryEdge) {
    Bitmap bmp;
    EXPECT_EQ(0, bmp.Create(0, 5));
    EXPECT_EQ(0, bmp.Create(Bitmap::kMaxSide + 1, 1));
    ASSERT_EQ(1, bmp.Create(4, 4));
    bmp.FillRect(-2, -2, 4, 4, 1, 2, 3);
    bmp.FillRect(3, 3, INT_MAX, INT_MAX, 9, 9, 9);
    std::uint8_t r, g, b;
    bmp.GetPixel(1, 1, r, g, b);
    EXPECT_EQ(1, r);
    bmp.GetPixel(2, 2, r, g, b);
    EXPECT_EQ(0, r);
    bmp.GetPixel(3, 3, r, g, b);
    EXPECT_EQ(9, r);
    bmp.GetPixel(-1, 99, r, g, b);
    EXPECT_EQ(0, r);

    Bitmap dest;
    dest.Create(3, 3);
    dest.CopyRect(-1, 1, bmp, 0, 0, 10, 10);
    dest.GetPixel(0, 1, r, g, b);  // from source (1, 0)
    EXPECT_EQ(1, r);
    dest.GetPixel(2, 2, r, g, b);  // from source (3, 1)
    EXPECT_EQ(0, r);
    dest.GetPixel(0, 0, r, g, b);
    EXPECT_EQ(0, r);
    dest.CopyRect(0, 0, bmp, INT_MIN, INT_MIN, INT_MAX, INT_MAX);

    // Overlapping copy within one bitmap moves the rows down without smearing.
    Bitmap strip;
    strip.Create(1, 3);
    strip.SetPixel(0, 0, 10, 0, 0);
    strip.SetPixel(0, 1, 20, 0, 0);
    strip.CopyRect(0, 1, strip, 0, 0, 1, 2);
    strip.GetPixel(0, 2, r, g, b);
    EXPECT_EQ(20, r);
    strip.GetPixel(0, 1, r, g, b);
    EXPECT_EQ(10, r);
}

TEST(Bitmap, FilesWriteAndReadBackAndFailuresAreReported) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/p.bmp";
    ASSERT_EQ(1, Sample().WriteBmpFile(path));
    Bitmap back;
    int depth = 0;
    ASSERT_EQ(Bitmap::kOk, back.ReadBmpFile(path, depth));
    EXPECT_EQ(0, std::memcmp(Sample().Row(1), back.Row(1), 9));
    EXPECT_EQ(Bitmap::kOpenFailed, back.ReadBmpFile(path + ".none", depth));
    EXPECT_EQ(Bitmap::kOpenFailed, back.ReadBmpFile(dir.path().toStdString(), depth));
    EXPECT_EQ(0, Bitmap().WriteBmpFile(path));
    EXPECT_EQ(0, Sample().WriteBmpFile(path + ".d/none/x.bmp"));
    std::ofstream(path, std::ios::binary) << "BM";
    EXPECT_EQ(Bitmap::kNotBmp, back.ReadBmpFile(path, depth));
    EXPECT_EQ(3, back.Width());
}

TEST(Bitmap, AWriteGoesThroughALinkToItsTarget) {
    QTemporaryDir dir;
    const std::string real = dir.path().toStdString() + "/real.bmp";
    const std::string link = dir.path().toStdString() + "/link.bmp";
    std::ofstream(real, std::ios::binary) << "old";
    ASSERT_EQ(0, symlink(real.c_str(), link.c_str()));
    ASSERT_EQ(1, Sample().WriteBmpFile(link));
    Bitmap back;
    int depth = 0;
    EXPECT_EQ(Bitmap::kOk, back.ReadBmpFile(real, depth));
    struct stat st {};
    ASSERT_EQ(0, lstat(link.c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}
