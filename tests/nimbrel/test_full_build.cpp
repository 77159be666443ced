// Whole picture builds compared byte for byte with the reference computation: every format the
// program offers, with and without the filter, on a frame of colour bars, gradients and noise.
// The reference is first held against published values, so the two cannot agree on a mistake
// the standards would catch.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ReferenceModel.h"
#include "nimbrel/BuildProgress.h"
#include "nimbrel/CBitmapMakeMng.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/FormatTable.h"
#include "nimbrel/PictureBuild.h"
#include "platform/Bitmap.h"
#include "platform/IniFile.h"
#include "tests/nimbrel/ShippedFiles.h"

using reference::ReferenceModel;

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::vector<uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class NeverCancel : public nimbrel::BuildProgress {
public:
    void ShowProgress(int) override {}
    bool StepProgress(int percent) override {
        EXPECT_GE(percent, m_last);
        m_last = percent;
        return true;
    }
    void HideProgress() override {}

private:
    int m_last = 0;
};

// A picture whose rows cycle through 37 patterns (an odd count, so a row swapped between the
// fields or off by one shows): bars, then gradients, then a noise patch, each shifted by the
// pattern number.
platform::Bitmap TestPicture(int width, int height) {
    static const uint8_t bars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                       {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    platform::Bitmap picture;
    picture.Create(width, height);
    for (int y = 0; y < height; ++y) {
        const int pattern = y % 37;
        uint32_t noise = 0x9E3779B9u * static_cast<uint32_t>(pattern + 1);
        for (int x = 0; x < width; ++x) {
            const int sx = x + pattern;
            uint8_t r;
            uint8_t g;
            uint8_t b;
            if (y < height / 3) {
                const uint8_t* bar = bars[(sx * 8 / width) % 8];
                r = bar[0];
                g = bar[1];
                b = bar[2];
            } else if (y < 2 * height / 3 || x < width / 4 || x >= 3 * width / 4) {
                r = static_cast<uint8_t>(sx * 255 / width);
                g = static_cast<uint8_t>(255 - sx * 255 / width);
                b = static_cast<uint8_t>((sx * 7) & 0xFF);
            } else {
                noise = noise * 1664525u + 1013904223u;
                r = static_cast<uint8_t>(noise >> 24);
                g = static_cast<uint8_t>(noise >> 16);
                b = static_cast<uint8_t>(noise >> 8);
            }
            picture.SetPixel(x, y, r, g, b);
        }
    }
    return picture;
}

struct Frame {
    platform::Bitmap bitmap;
    int leftEdge = 51;
    int rightMargin = 51;
};

// The picture placed in a frame of (width + 102) columns on a background: centred when it is
// narrower than the format, and spilling into the right margin when it is wider.
Frame MakeFrame(int width, int height, int pictureWidth, uint8_t background) {
    Frame frame;
    frame.bitmap.Create(width + 102, height);
    frame.bitmap.FillRect(0, 0, width + 102, height, background, background / 2, 255 - background);
    const platform::Bitmap picture = TestPicture(pictureWidth, height);
    if (pictureWidth < width) {
        frame.leftEdge = 51 + (width - pictureWidth) / 2;
        frame.rightMargin = 0;
    } else {
        frame.leftEdge = 51;
        frame.rightMargin = std::max(0, 51 - (pictureWidth - width));
    }
    frame.bitmap.CopyRect(frame.leftEdge, 0, picture, 0, 0, std::min(pictureWidth, width + 51),
                          height);
    return frame;
}

ReferenceModel::Filter ReadFilter(const std::string& file, const std::string& section) {
    platform::IniFile ini;
    EXPECT_TRUE(ini.Load(file));
    ReferenceModel::Filter filter;
    for (int t = 0; t < 51; ++t) {
        std::string value;
        EXPECT_TRUE(ini.Find(section, "FILTER_KEISU_Y_" + std::to_string(t), value));
        filter.y[t] = std::strtod(value.c_str(), nullptr);
        EXPECT_TRUE(ini.Find(section, "FILTER_KEISU_PBPR_" + std::to_string(t), value));
        filter.c[t] = std::strtod(value.c_str(), nullptr);
    }
    std::string mode;
    ini.Find("NIMBREL_FILTER", "BEGINING_SAMPLES", mode);
    filter.beginMode = mode == "INI" ? 0 : mode == "BACKCOLOR" ? 2 : 1;
    auto colour = [&](const char* key) {
        std::string v;
        return ini.Find("NIMBREL_FILTER", key, v) ? std::clamp(std::atoi(v.c_str()), 0, 255) : 0;
    };
    filter.beginG = colour("BEGINING_SAMPLE_G");
    filter.beginB = colour("BEGINING_SAMPLE_B");
    filter.beginR = colour("BEGINING_SAMPLE_R");
    return filter;
}

ReferenceModel::Format ReferenceFormat(const nimbrel::PictureFormat& f, bool gbrChecked) {
    ReferenceModel::Format r;
    r.width = f.width;
    r.height = f.height;
    r.misc = f.misc;
    r.progressive = f.progressive;
    r.standardDefinition = f.family == 0 || f.family == 1;
    r.doubleWidth = f.doubleWidth;
    r.ycbcr444 = f.ycbcr444;
    r.twelveBit = f.twelveBit;
    r.scale = f.scale;
    r.blackLines = f.blackLines;
    r.gbrOutput = gbrChecked && f.showGbrCheck;
    return r;
}

// Where two files first differ, in record terms, for a failure message worth reading.
std::string FirstDifference(const std::vector<uint8_t>& built, const std::vector<uint8_t>& want) {
    std::size_t at = 0;
    while (at < built.size() && at < want.size() && built[at] == want[at]) ++at;
    if (at == built.size() && at == want.size())
        return {};
    std::size_t pos = 0;
    int record = 0;
    while (pos + 6 <= want.size()) {
        const uint32_t length = (uint32_t{want[pos + 2]} << 24) | (uint32_t{want[pos + 3]} << 16) |
                                (uint32_t{want[pos + 4]} << 8) | want[pos + 5];
        if (at < pos + 6 + length)
            break;
        pos += 6 + length;
        ++record;
    }
    std::ostringstream text;
    text << "sizes " << built.size() << " and " << want.size() << ", first difference at byte "
         << at << " (record " << record << ", payload byte " << (at - pos - 6) << ")";
    if (at + 1 < built.size() && at + 1 < want.size()) {
        const std::size_t even = at & ~std::size_t{1};
        text << ": built " << ((built[even] << 8) | built[even + 1]) << ", expected "
             << ((want[even] << 8) | want[even + 1]);
    }
    return text.str();
}

class FullBuild : public testing::Test {
protected:
    void SetUp() override {
        m_folder = m_dir.path().toStdString();
        std::ifstream main(ShippedResourceDir() + "Nimbrel.ini", std::ios::binary);
        std::ifstream filter(ShippedResourceDir() + "Nimbrel_Filter.ini", std::ios::binary);
        std::stringstream m;
        std::stringstream f;
        m << main.rdbuf();
        f << filter.rdbuf();
        m_mainText = m.str();
        m_filterText = f.str();
        WriteInis();
    }
    void WriteInis() {
        WriteText(m_folder + "/Nimbrel.ini", m_mainText);
        WriteText(m_folder + "/Nimbrel_Filter.ini", m_filterText);
    }

    // Builds the frame through the engine, saves it as out.pic and compares all four files.
    void BuildAndCompare(const nimbrel::PictureFormat& format, bool filterOn, const Frame& frame,
                         bool gbrChecked = false,
                         const ReferenceModel::Levels* iniLevels = nullptr) {
        SCOPED_TRACE(format.caption + (filterOn ? " filter on" : " filter off") +
                     (gbrChecked ? " GBR" : ""));
        nimbrel::CFileMakeInfo job(m_folder);
        nimbrel::PictureBuildInput input;
        input.frame = &frame.bitmap;
        input.leftEdge = frame.leftEdge;
        input.rightMargin = frame.rightMargin;
        input.format = &format;
        input.filterOn = filterOn;
        input.gbrChecked = gbrChecked;
        NeverCancel progress;
        ASSERT_EQ(nimbrel::RunPictureBuild(job, input, progress), 0);
        const std::string out = m_folder + "/out.pic";
        ASSERT_EQ(nimbrel::CommitOutputs(job, out), 0);
        nimbrel::DropOutputs(job);

        const ReferenceModel::Levels levels = iniLevels != nullptr ? *iniLevels
                                              : format.twelveBit
                                                  ? ReferenceModel::Levels::TwelveBitType1()
                                                  : ReferenceModel::Levels::TenBit();
        ReferenceModel::Filter taps;
        if (filterOn) {
            taps = ReadFilter(m_folder + "/Nimbrel_Filter.ini", format.filterSection);
        }
        const ReferenceModel model(ReferenceFormat(format, gbrChecked), levels,
                                   filterOn ? &taps : nullptr);
        const char* suffix[4] = {"", "_G", "_B", "_R"};
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(std::string("component ") + "YGBR"[c]);
            const std::string path = m_folder + "/out" + suffix[c] + ".pic";
            const auto built = ReadAll(path);
            const auto want = model.File(c, frame.bitmap, frame.leftEdge, frame.rightMargin);
            EXPECT_TRUE(built == want) << FirstDifference(built, want);
            std::remove(path.c_str());
        }
    }

    QTemporaryDir m_dir;
    std::string m_folder;
    std::string m_mainText;
    std::string m_filterText;
};

}  // namespace

// The reference itself, against values that come from the standards and not from either
// implementation.
TEST(ReferenceModelTest, ConversionMatchesPublishedLevels) {
    ReferenceModel::Format hd;
    hd.width = 2;
    const ReferenceModel hdModel(hd, ReferenceModel::Levels::TenBit(), nullptr);
    struct Bar {
        int r, g, b, y, cb, cr;
    };
    // SMPTE RP 219 100 % bars, 10-bit.
    const Bar bars[] = {{255, 255, 255, 940, 512, 512}, {0, 0, 0, 64, 512, 512},
                        {255, 0, 0, 250, 409, 960},     {0, 255, 0, 691, 167, 105},
                        {0, 0, 255, 127, 960, 471},     {255, 255, 0, 877, 64, 553},
                        {0, 255, 255, 754, 615, 64},    {255, 0, 255, 313, 857, 919}};
    for (const Bar& bar : bars) {
        const auto s = hdModel.Convert(bar.r, bar.g, bar.b);
        EXPECT_EQ(hdModel.Sample(s.y), bar.y);
        EXPECT_EQ(hdModel.Sample(s.pb), bar.cb);
        EXPECT_EQ(hdModel.Sample(s.pr), bar.cr);
        EXPECT_EQ(hdModel.Sample(s.r), bar.r == 255 ? 940 : 64);
    }
    ReferenceModel::Format sd = hd;
    sd.standardDefinition = true;
    const ReferenceModel sdModel(sd, ReferenceModel::Levels::TenBit(), nullptr);
    const auto blue = sdModel.Convert(0, 0, 255);
    EXPECT_NEAR(blue.y, 163.864, 1e-9);
    EXPECT_NEAR(blue.pb, 959.734784, 1e-9);
    EXPECT_NEAR(blue.pr, 439.171328, 1e-9);
    const Bar sdBars[] = {{255, 255, 0, 840, 64, 585}, {0, 255, 255, 678, 663, 64},
                          {0, 255, 0, 578, 215, 137},  {255, 0, 255, 426, 809, 887},
                          {255, 0, 0, 326, 361, 960},  {0, 0, 255, 164, 960, 439}};
    for (const Bar& bar : sdBars) {
        const auto s = sdModel.Convert(bar.r, bar.g, bar.b);
        EXPECT_EQ(sdModel.Sample(s.y), bar.y);
        EXPECT_EQ(sdModel.Sample(s.pb), bar.cb);
        EXPECT_EQ(sdModel.Sample(s.pr), bar.cr);
    }
    ReferenceModel::Format twelve = hd;
    twelve.twelveBit = true;
    const ReferenceModel twelveModel(twelve, ReferenceModel::Levels::TwelveBitType1(), nullptr);
    const auto white = twelveModel.Convert(255, 255, 255);
    EXPECT_EQ(twelveModel.Sample(white.y), 3280);
    EXPECT_EQ(twelveModel.Sample(white.pb), 2048);
    const auto red = twelveModel.Convert(255, 0, 0);
    EXPECT_EQ(twelveModel.Sample(red.pr), 2930);  // 2048 + 1764 * 0.5
}

TEST(ReferenceModelTest, RoundingTiesToEvenAndRangeIsHeld) {
    ReferenceModel::Format f;
    f.width = 2;
    const ReferenceModel tenBit(f, ReferenceModel::Levels::TenBit(), nullptr);
    EXPECT_EQ(tenBit.Sample(100.5), 100);
    EXPECT_EQ(tenBit.Sample(101.5), 102);
    EXPECT_EQ(tenBit.Sample(101.4999999), 101);
    EXPECT_EQ(tenBit.Sample(-3.0), 0);
    EXPECT_EQ(tenBit.Sample(1023.6), 1023);
    EXPECT_EQ(tenBit.Sample(std::nan("")), 0);
    f.twelveBit = true;
    const ReferenceModel twelveBit(f, ReferenceModel::Levels::TwelveBitType1(), nullptr);
    EXPECT_EQ(twelveBit.Sample(4095.4), 4095);
    EXPECT_EQ(twelveBit.Sample(5000), 4095);
}

TEST(ReferenceModelTest, HeaderAndWordsAsTheInstrumentReadsThem) {
    ReferenceModel::Format f;
    f.width = 2;
    f.height = 1;
    f.progressive = true;
    platform::Bitmap frame;
    frame.Create(104, 1);
    ReferenceModel::Format interlaced = f;
    interlaced.progressive = false;
    const auto file = ReferenceModel(interlaced, ReferenceModel::Levels::TenBit(), nullptr)
                          .File(0, frame, 51, 51);
    const std::vector<uint8_t> header = {0x08, 0x06, 0, 0, 0, 2,    0,    1, 0, 0x32, 0,
                                         0,    0,    2, 1, 0, 0x88, 0x70, 0, 0, 0,    0};
    ASSERT_GE(file.size(), header.size());
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    // One interlaced line: the row goes to field 1, and again to field 2 to even the fields.
    EXPECT_EQ(file.size(), header.size() + 2 * (6 + 8) + 6);

    f.ycbcr444 = true;
    f.twelveBit = true;
    f.scale = 1;
    f.misc = 3;
    const ReferenceModel model(f, ReferenceModel::Levels::TwelveBitType1(), nullptr);
    EXPECT_EQ(model.ComponentWord(0), 0x4D03);
    EXPECT_EQ(model.ComponentWord(1), 0x4A03);
    f.gbrOutput = true;
    const ReferenceModel gbr(f, ReferenceModel::Levels::TwelveBitType1(), nullptr);
    EXPECT_EQ(gbr.ComponentWord(0), 0x4E03);
    EXPECT_EQ(gbr.ComponentWord(3), 0x4A03);
}

// An identity filter gives the unfiltered samples wherever the two are defined alike (all but
// 4:2:2 chroma, which is a pair mean unfiltered and the second sample's value filtered), and a
// tap weighs the column at its distance from the largest tap.
TEST(ReferenceModelTest, FilterTapsWeighTheColumnsAroundTheLargestTap) {
    ReferenceModel::Format f;
    f.width = 64;
    f.height = 1;
    f.ycbcr444 = true;
    const platform::Bitmap picture = TestPicture(64 + 102, 1);
    const uint8_t* row = picture.Row(0);
    ReferenceModel::Filter identity;
    identity.y[25] = 1.0;
    identity.c[25] = 1.0;
    const ReferenceModel plain(f, ReferenceModel::Levels::TenBit(), nullptr);
    const ReferenceModel filtered(f, ReferenceModel::Levels::TenBit(), &identity);
    EXPECT_EQ(plain.Line(row, 166, 51, 51), filtered.Line(row, 166, 51, 51));

    ReferenceModel::Filter skewed;
    skewed.y[24] = 1.0;
    skewed.y[25] = 0.5;
    skewed.y[26] = -0.5;
    skewed.c = skewed.y;
    const auto line =
        ReferenceModel(f, ReferenceModel::Levels::TenBit(), &skewed).Line(row, 166, 51, 51);
    auto level = [&](int column) {
        return plain.Convert(row[3 * column + 2], row[3 * column + 1], row[3 * column]);
    };
    // Sample 10 is column 61; tap 24 is the centre, so taps 25 and 26 weigh columns 62 and 63.
    EXPECT_EQ(line[0][10], plain.Sample(1.0 * level(61).y + 0.5 * level(62).y - 0.5 * level(63).y));
    EXPECT_EQ(line[1][10],
              plain.Sample(1.0 * level(61).pb + 0.5 * level(62).pb - 0.5 * level(63).pb));
}

// The shipped main ini holds the classic formats as its first eight sections (checked with the
// shipped files), so its formats cover them; the classic table without any ini is built too.
// One test per format, so they run side by side.
class ShippedFormatBuild : public FullBuild, public testing::WithParamInterface<int> {};

TEST_P(ShippedFormatBuild, WithAndWithoutFilterMatchesTheReference) {
    nimbrel::FormatTable table;
    table.Read(m_folder + "/Nimbrel.ini", true);
    ASSERT_LT(GetParam(), static_cast<int>(table.Formats().size()));
    const nimbrel::PictureFormat& format = table.Formats()[GetParam()];
    const Frame frame = MakeFrame(format.width, format.height, format.width, 40);
    for (bool filterOn : {false, true}) {
        BuildAndCompare(format, filterOn, frame);
        if (format.showGbrCheck) {
            BuildAndCompare(format, filterOn, frame, true);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ShippedFormatBuild, testing::Range(0, 12));

TEST_F(FullBuild, ClassicFormatsWithoutAnyIniUseTheDefaultLevels) {
    std::remove((m_folder + "/Nimbrel.ini").c_str());
    std::remove((m_folder + "/Nimbrel_Filter.ini").c_str());
    for (const auto& format : nimbrel::FormatTable::BuiltIn()) {
        BuildAndCompare(format, false, MakeFrame(format.width, format.height, format.width, 90));
    }
}

// Asymmetric taps (a mirrored sum would pass symmetric ones), every beginning mode, a picture
// narrower and one wider than the format, double width with an odd tap offset, black lines and
// an odd number of interlaced lines.
TEST_F(FullBuild, EdgeModesOffsetsAndFieldsMatchTheReference) {
    std::ostringstream taps;
    taps << "[NIMBREL_FILTER_ODD]\n";
    for (int t = 0; t < 51; ++t) {
        // Largest at 20: an offset of 30; the chroma set peaks elsewhere on purpose.
        const double y = t == 20 ? 0.7 : t == 21 ? 0.2 : t == 19 ? 0.15 : t == 30 ? -0.05 : 0.0;
        const double c = t == 25 ? 0.4 : t == 20 ? 0.3 : t == 27 ? 0.3 : 0.0;
        taps << "FILTER_KEISU_Y_" << t << "=" << y << "\nFILTER_KEISU_PBPR_" << t << "=" << c
             << "\n";
    }
    taps << "[NIMBREL_FILTER_SEVEN]\n";
    for (int t = 0; t < 51; ++t) {
        // Largest at 43: an odd offset of 7.
        const double y = t == 43 ? 0.6 : t == 40 ? 0.25 : t == 44 ? 0.15 : 0.0;
        taps << "FILTER_KEISU_Y_" << t << "=" << y << "\nFILTER_KEISU_PBPR_" << t << "=" << y
             << "\n";
    }

    nimbrel::PictureFormat odd;
    odd.caption = "odd fields";
    odd.width = 96;
    odd.height = 37;
    odd.misc = 16;
    odd.family = 0;
    odd.blackLines = 3;
    odd.filterSection = "NIMBREL_FILTER_ODD";
    nimbrel::PictureFormat dw = odd;
    dw.caption = "double width";
    dw.doubleWidth = true;
    dw.family = 2;
    dw.misc = 5;
    dw.height = 12;
    dw.progressive = true;
    dw.filterSection = "NIMBREL_FILTER_SEVEN";
    nimbrel::PictureFormat gbr = odd;
    gbr.caption = "gbr 12-bit";
    gbr.ycbcr444 = true;
    gbr.twelveBit = true;
    gbr.showGbrCheck = true;
    gbr.filterSection = "NIMBREL_FILTER_SEVEN";

    // The beginning colour of the second mode is out of range on purpose: it is clamped.
    const std::string iniMode = std::string("BEGINING_SAMPLES=INI\nBEGINING_SAMPLE_G=30\n") +
                                "BEGINING_SAMPLE_B=300\nBEGINING_SAMPLE_R=-4\n";
    const char* modes[] = {"", iniMode.c_str(), "BEGINING_SAMPLES=BACKCOLOR\n"};
    for (const char* mode : modes) {
        SCOPED_TRACE(mode);
        m_filterText = std::string("[NIMBREL_FILTER]\n") + mode + taps.str();
        WriteInis();
        for (const auto* format : {&odd, &dw, &gbr}) {
            for (int pictureWidth : {format->width, format->width - 30, format->width + 20}) {
                SCOPED_TRACE(pictureWidth);
                const Frame frame = MakeFrame(format->width, format->height, pictureWidth, 200);
                BuildAndCompare(*format, true, frame, true);
            }
        }
    }
    const Frame frame = MakeFrame(odd.width, odd.height, odd.width, 0);
    BuildAndCompare(odd, false, frame);
    BuildAndCompare(dw, false, MakeFrame(dw.width, dw.height, dw.width, 0));
}

// Levels from the main ini, unlike the defaults, tell every level apart (Pb zero from Pr zero,
// the peaks of Pb from those of Pr), so a level read from the wrong key or a default used in
// place of the ini's value shows; 4:4:4 black lines carry each chroma's own zero.
TEST_F(FullBuild, LevelsFromTheIniMatchTheReference) {
    m_mainText =
        "[NIMBREL_SCALE_10]\nY_WHITE_LEVEL=900\nY_BLACK_LEVEL=100\nPB_PLUS_PEAK_LEVEL=950\n"
        "PB_MINUS_PEAK_LEVEL=70\nPB_ZERO_LEVEL=500\nPR_PLUS_PEAK_LEVEL=940\n"
        "PR_MINUS_PEAK_LEVEL=80\nPR_ZERO_LEVEL=520\n"
        "[NIMBREL_SCALE_12_TYPE3]\nY_WHITE_LEVEL=3500\nY_BLACK_LEVEL=300\n"
        "PB_PLUS_PEAK_LEVEL=3900\nPB_MINUS_PEAK_LEVEL=200\nPB_ZERO_LEVEL=2000\n"
        "PR_PLUS_PEAK_LEVEL=3800\nPR_MINUS_PEAK_LEVEL=250\nPR_ZERO_LEVEL=2100\n";
    WriteInis();
    const ReferenceModel::Levels tenBit{900, 100, 950, 70, 500, 940, 80, 520};
    const ReferenceModel::Levels type3{3500, 300, 3900, 200, 2000, 3800, 250, 2100};

    nimbrel::PictureFormat hd;
    hd.caption = "small 4:2:2";
    hd.width = 64;
    hd.height = 9;
    hd.misc = 2;
    hd.blackLines = 2;
    nimbrel::PictureFormat sd444 = hd;
    sd444.caption = "small SD 4:4:4";
    sd444.family = 1;
    sd444.misc = 16;
    sd444.ycbcr444 = true;
    sd444.filterSection = "NIMBREL_FILTER_FULLBAND";
    nimbrel::PictureFormat gbr12 = sd444;
    gbr12.caption = "small 12-bit type 3 GBR";
    gbr12.family = 2;
    gbr12.twelveBit = true;
    gbr12.scale = 3;
    gbr12.showGbrCheck = true;
    gbr12.progressive = true;

    for (const auto* format : {&hd, &sd444, &gbr12}) {
        const Frame frame = MakeFrame(format->width, format->height, format->width, 10);
        for (bool filterOn : {false, true}) {
            for (bool gbrChecked : {false, true}) {
                BuildAndCompare(*format, filterOn, frame, gbrChecked,
                                format->twelveBit ? &type3 : &tenBit);
            }
        }
    }
}

// What the shipped files cannot build is refused before anything is written, rather than
// built at other levels or as an all-zero picture.
TEST_F(FullBuild, FormatsTheShippedFilesCannotServeAreRefused) {
    m_filterText += "\n[NIMBREL_FILTER_FLAT]\n";
    for (int t = 0; t < 51; ++t) {
        m_filterText += "FILTER_KEISU_Y_" + std::to_string(t) + "=0\nFILTER_KEISU_PBPR_" +
                        std::to_string(t) + "=" + (t == 25 ? "1" : "0") + "\n";
    }
    WriteInis();
    nimbrel::PictureFormat twelve = nimbrel::FormatTable::BuiltIn()[7];
    twelve.twelveBit = true;
    const Frame frame = MakeFrame(twelve.width, twelve.height, twelve.width, 0);
    struct Case {
        const char* what;
        int scale;
        bool twelveBit;
        const char* filter;
    };
    const Case cases[] = {{"12-bit type 2 has no levels", 2, true, nullptr},
                          {"12-bit type 5 has no levels", 5, true, nullptr},
                          {"no such tap section", 1, false, "NIMBREL_FILTER_NONE"},
                          {"Y taps sum to 0", 1, false, "NIMBREL_FILTER_FLAT"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        nimbrel::PictureFormat format = twelve;
        format.scale = c.scale;
        format.twelveBit = c.twelveBit;
        if (c.filter != nullptr)
            format.filterSection = c.filter;
        nimbrel::CFileMakeInfo job(m_folder);
        nimbrel::PictureBuildInput input;
        input.frame = &frame.bitmap;
        input.format = &format;
        input.filterOn = c.filter != nullptr;
        NeverCancel progress;
        EXPECT_EQ(nimbrel::RunPictureBuild(job, input, progress), 20);
        QDir folder(QString::fromStdString(m_folder));
        EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name),
                  (QStringList{"Nimbrel.ini", "Nimbrel_Filter.ini"}));
        nimbrel::DropOutputs(job);
    }
}

// The main file of an unfiltered 4:4:4 build of `picture` (placed in a frame of its own width),
// as Y, Pb, Pr planes in picture order; its line records come field by field.
std::array<std::vector<int>, 3> Build444Planes(const std::string& folder,
                                               const nimbrel::PictureFormat& format,
                                               const platform::Bitmap& picture) {
    platform::Bitmap frame;
    frame.Create(format.width + 102, format.height);
    frame.CopyRect(51, 0, picture, 0, 0, format.width, format.height);
    nimbrel::CFileMakeInfo job(folder);
    nimbrel::PictureBuildInput input;
    input.frame = &frame;
    input.format = &format;
    NeverCancel progress;
    EXPECT_EQ(nimbrel::RunPictureBuild(job, input, progress), 0);
    EXPECT_EQ(nimbrel::CommitOutputs(job, folder + "/out.pic"), 0);
    nimbrel::DropOutputs(job);
    const auto file = ReadAll(folder + "/out.pic");

    const std::size_t w = format.width;
    const int h = format.height;
    std::array<std::vector<int>, 3> planes;
    for (auto& plane : planes) plane.assign(w * h, 0);
    std::size_t pos = 22;
    const int firstField = (h + 1) / 2;
    for (int line = 0; line < h; ++line) {
        if (pos + 6 + 6 * w > file.size() || file[pos] != 0x00 || file[pos + 1] != 0x72) {
            ADD_FAILURE() << "line record " << line << " missing";
            return planes;
        }
        const int row = format.progressive  ? line
                        : line < firstField ? 2 * line
                                            : 2 * (line - firstField) + 1;
        for (std::size_t plane = 0; plane < 3; ++plane) {
            for (std::size_t x = 0; x < w; ++x) {
                const std::size_t at = pos + 6 + 2 * (plane * w + x);
                planes[plane][row * w + x] = (file[at] << 8) | file[at + 1];
            }
        }
        pos += 6 + 6 * w;
    }
    return planes;
}

// An outside implementation of the equations (swscale) agrees within its fixed-point error, and
// for Rec. 601 within what our rounded SD coefficients add to that error.
TEST_F(FullBuild, AgreesWithFfmpegOn444) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    struct Case {
        const char* matrix;
        int width, height, family, misc;
    };
    for (const Case& c : {Case{"bt709", 1920, 1080, 2, 0}, Case{"bt601", 720, 488, 0, 16}}) {
        SCOPED_TRACE(c.matrix);
        nimbrel::PictureFormat format;
        format.caption = "4:4:4";
        format.width = c.width;
        format.height = c.height;
        format.family = c.family;
        format.misc = c.misc;
        format.ycbcr444 = true;
        const platform::Bitmap picture = TestPicture(c.width, c.height);
        ASSERT_EQ(picture.WriteBmpFile(m_folder + "/picture.bmp"), 1);
        const std::string command =
            "ffmpeg -v error -y -i '" + m_folder +
            "/picture.bmp' -vf \"scale=out_color_matrix=" + c.matrix +
            ":out_range=tv:flags=accurate_rnd+full_chroma_int+bitexact,format=yuv444p10be\" "
            "-f rawvideo '" +
            m_folder + "/picture.yuv'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const auto yuv = ReadAll(m_folder + "/picture.yuv");
        const std::size_t pixels = std::size_t{1} * c.width * c.height;
        ASSERT_EQ(yuv.size(), pixels * 2 * 3);
        const auto planes = Build444Planes(m_folder, format, picture);
        int worst = 0;
        for (std::size_t plane = 0; plane < 3; ++plane) {
            for (std::size_t i = 0; i < pixels; ++i) {
                const std::size_t at = 2 * (plane * pixels + i);
                worst =
                    std::max(worst, std::abs(planes[plane][i] - ((yuv[at] << 8) | yuv[at + 1])));
            }
        }
        EXPECT_LE(worst, 1);
    }
}

// The preview's inverse brings an unfiltered 4:4:4 build back to the bitmap it came from,
// within the rounding of the two conversions.
TEST_F(FullBuild, PreviewOf444BuildGivesThePictureBack) {
    for (int family : {2, 0}) {
        SCOPED_TRACE(family);
        nimbrel::PictureFormat format;
        format.caption = "4:4:4";
        format.width = 256;
        format.height = 61;
        format.family = family;
        format.misc = family == 2 ? 0 : 16;
        format.ycbcr444 = true;
        const platform::Bitmap picture = TestPicture(format.width, format.height);
        Build444Planes(m_folder, format, picture);
        nimbrel::CBitmapMakeMng preview(m_folder + "/out.pic", m_folder + "/Nimbrel.ini");
        ASSERT_EQ(preview.SamplesPerLine(), 256u);
        ASSERT_EQ(preview.Lines(), 62u);  // 61 rows, the last again in field 2
        std::vector<nimbrel::Bgr> row(256);
        int worst = 0;
        for (uint32_t line = 0; line < 61; ++line) {
            ASSERT_TRUE(preview.ReadLine(line, row));
            const int y = line < 31 ? 2 * line : 2 * (line - 31) + 1;
            for (int x = 0; x < 256; ++x) {
                uint8_t r;
                uint8_t g;
                uint8_t b;
                picture.GetPixel(x, y, r, g, b);
                worst = std::max({worst, std::abs(row[x].r - r), std::abs(row[x].g - g),
                                  std::abs(row[x].b - b)});
            }
        }
        EXPECT_LE(worst, 1);
    }
}
