// Samples against values worked out here from the standards' own constants, not from the
// program's formulas.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>

#include "nimbrel/ColourConverter.h"
#include "nimbrel/LevelSet.h"

using nimbrel::Bgr;
using nimbrel::ColourConverter;
using nimbrel::LevelSet;

namespace {

struct Yuv {
    int y;
    int cb;
    int cr;
};

// BT.709 narrow range, 10 bits: Y' = 64 + 876 E'y, C = 512 + 896 E'c.
Yuv Bt709Ten(double r, double g, double b) {
    const double kr = 0.2126;
    const double kb = 0.0722;
    const double y = kr * r + (1 - kr - kb) * g + kb * b;
    const double cb = (b - y) / (2 * (1 - kb));
    const double cr = (r - y) / (2 * (1 - kr));
    return {int(std::lround(64 + 876 * y)), int(std::lround(512 + 896 * cb)),
            int(std::lround(512 + 896 * cr))};
}

void ExpectSamples(const ColourConverter& c, int r, int g, int b, Yuv expected) {
    const auto s = c.Convert(r, g, b);
    EXPECT_EQ(c.ToSample(s.y), expected.y);
    EXPECT_EQ(c.ToSample(s.pb), expected.cb);
    EXPECT_EQ(c.ToSample(s.pr), expected.cr);
}

TEST(ColourConversion, HdBarsMatchRp219AndTheBt709Constants) {
    const ColourConverter hd(LevelSet{}, false, false);
    struct Bar {
        const char* name;
        int r, g, b;
        Yuv rp219;
    };
    const Bar bars[] = {
        {"white", 255, 255, 255, {940, 512, 512}}, {"black", 0, 0, 0, {64, 512, 512}},
        {"red", 255, 0, 0, {250, 409, 960}},       {"green", 0, 255, 0, {691, 167, 105}},
        {"blue", 0, 0, 255, {127, 960, 471}},      {"yellow", 255, 255, 0, {877, 64, 553}},
        {"cyan", 0, 255, 255, {754, 615, 64}},     {"magenta", 255, 0, 255, {313, 857, 919}},
    };
    for (const Bar& bar : bars) {
        SCOPED_TRACE(bar.name);
        const Yuv computed = Bt709Ten(bar.r / 255.0, bar.g / 255.0, bar.b / 255.0);
        EXPECT_EQ(computed.y, bar.rp219.y);
        EXPECT_EQ(computed.cb, bar.rp219.cb);
        EXPECT_EQ(computed.cr, bar.rp219.cr);
        ExpectSamples(hd, bar.r, bar.g, bar.b, bar.rp219);
    }
    const auto white = hd.Convert(255, 255, 255);
    EXPECT_EQ(hd.ToSample(white.g), 940);
    EXPECT_EQ(hd.ToSample(white.b), 940);
    EXPECT_EQ(hd.ToSample(white.r), 940);
}

TEST(ColourConversion, StandardDefinitionUsesTheRoundedRec601Factors) {
    const ColourConverter sd(LevelSet{}, false, true);
    // Pure blue: Y = 0.114 * 255, Pb = 0.564 (255 - Y), Pr = 0.713 (0 - Y), on 876 and 896 spans.
    const double y = 0.114 * 255;
    const double yLevel = 64 + 876 * y / 255;
    const double pbLevel = 512 + 896 * 0.564 * (255 - y) / 255;
    const double prLevel = 512 + 896 * 0.713 * (0 - y) / 255;
    EXPECT_NEAR(yLevel, 163.864, 1e-9);
    EXPECT_NEAR(pbLevel, 959.734784, 1e-9);
    EXPECT_NEAR(prLevel, 439.171328, 1e-9);
    const auto s = sd.Convert(0, 0, 255);
    EXPECT_NEAR(s.y, yLevel, 1e-9);
    EXPECT_NEAR(s.pb, pbLevel, 1e-9);
    EXPECT_NEAR(s.pr, prLevel, 1e-9);
    ExpectSamples(sd, 0, 0, 255, {164, 960, 439});
}

TEST(ColourConversion, TwelveBitLevelsAndClamping) {
    const ColourConverter twelve(LevelSet{}, true, false);
    ExpectSamples(twelve, 255, 255, 255, {3280, 2048, 2048});
    ExpectSamples(twelve, 0, 0, 0, {1516, 2048, 2048});
    const auto blue = twelve.Convert(0, 0, 255);
    EXPECT_EQ(twelve.ToSample(blue.pb), 2048 + 1764 / 2);
    EXPECT_EQ(twelve.ToSample(-3.0), 0);
    EXPECT_EQ(twelve.ToSample(5000.0), 4095);
    const ColourConverter ten(LevelSet{}, false, false);
    EXPECT_EQ(ten.ToSample(1100.0), 1023);
    EXPECT_EQ(ten.ToSample(std::nan("")), 0);
    // Ties go to even, as the printed-and-read-back samples did.
    EXPECT_EQ(ten.ToSample(100.5), 100);
    EXPECT_EQ(ten.ToSample(101.5), 102);
}

TEST(ColourConversion, ZeroLevelsTakeTheDefaultsAndReadFromTheIni) {
    QTemporaryDir dir;
    const std::string ini = (dir.path() + "/Nimbrel.ini").toStdString();
    std::ofstream(ini) << "[NIMBREL_SCALE_12_TYPE2]\nY_WHITE_LEVEL=3000\nY_BLACK_LEVEL=0\n"
                          "[NIMBREL_SCALE_12_TYPE3]\nPB_ZERO_LEVEL=5000\n"
                          "[NIMBREL_SCALE_12_TYPE4]\nY_WHITE_LEVEL=" +
                              std::string(40, '0') + "3100\n";
    LevelSet levels;
    bool found = false;
    ASSERT_EQ(LevelSet::Read(ini, 2, levels, found), 1);
    EXPECT_TRUE(found);
    const LevelSet resolved = levels.Resolved(true);
    EXPECT_EQ(resolved.yWhite, 3000);
    EXPECT_EQ(resolved.yBlack, 1516);
    EXPECT_EQ(LevelSet::Read(ini, 3, levels, found), 0);
    // A long value is read whole, not cut to its first zeros (which would mean the default).
    ASSERT_EQ(LevelSet::Read(ini, 4, levels, found), 1);
    EXPECT_EQ(levels.yWhite, 3100);
    ASSERT_EQ(LevelSet::Read(ini, 5, levels, found), 1);
    EXPECT_FALSE(found);
    EXPECT_EQ(LevelSet::SectionName(0), "NIMBREL_SCALE_10");
    EXPECT_EQ(LevelSet::SectionName(6), "NIMBREL_SCALE_10");
    EXPECT_EQ(LevelSet::SectionName(5), "NIMBREL_SCALE_12_TYPE5");
}

TEST(ColourConversion, InverseGivesBackThePixelsAndRefusesDegenerateLevels) {
    for (bool sd : {false, true}) {
        const ColourConverter c(LevelSet{}, false, sd);
        const int colours[][3] = {{255, 255, 255}, {0, 0, 0},   {255, 0, 0},
                                  {0, 255, 0},     {0, 0, 255}, {30, 200, 90}};
        for (const auto& rgb : colours) {
            SCOPED_TRACE(testing::Message()
                         << sd << " " << rgb[0] << "," << rgb[1] << "," << rgb[2]);
            const auto s = c.Convert(rgb[0], rgb[1], rgb[2]);
            const uint16_t y[2] = {c.ToSample(s.y), c.ToSample(s.y)};
            const uint16_t cc[2] = {c.ToSample(s.pb), c.ToSample(s.pr)};
            const uint16_t d[2] = {0, 0};
            Bgr out[2];
            c.Inverse(0, y, cc, d, out);
            EXPECT_NEAR(out[0].r, rgb[0], 2);
            EXPECT_NEAR(out[0].g, rgb[1], 2);
            EXPECT_NEAR(out[0].b, rgb[2], 2);
        }
    }
    const ColourConverter degenerate(LevelSet{500, 500}, false, false);
    EXPECT_FALSE(degenerate.CanInvert());
    const uint16_t y[2] = {600, 400};
    const uint16_t c[2] = {512, 512};
    Bgr out[2];
    degenerate.Inverse(5, y, c, c, out);  // harmless even when called
    EXPECT_TRUE(ColourConverter(LevelSet{}, false, false).CanInvert());
}

}  // namespace
