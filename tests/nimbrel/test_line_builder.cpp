// Lines of samples from a frame row, with the filter checked against sums worked out here
// column by column.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>

#include "nimbrel/LineBuilder.h"

using nimbrel::Bgr;
using nimbrel::ColourConverter;
using nimbrel::FilterSettings;
using nimbrel::LevelSet;
using nimbrel::LineBuilder;
using nimbrel::LineMode;

namespace {

constexpr int kWidth = 8;
constexpr int kColumns = kWidth + 102;

std::vector<uint8_t> Row() {
    std::vector<uint8_t> row(3 * kColumns);
    for (int c = 0; c < kColumns; ++c) {
        row[3 * c] = static_cast<uint8_t>(c * 7);
        row[3 * c + 1] = static_cast<uint8_t>(255 - c * 2);
        row[3 * c + 2] = static_cast<uint8_t>(c * 3 + 10);
    }
    return row;
}

double YLevel(const std::vector<uint8_t>& row, int column) {
    // Rec. 709 luma on the 10-bit 64..940 scale.
    const double r = row[3 * column + 2];
    const double g = row[3 * column + 1];
    const double b = row[3 * column];
    return 64 + 876 * (0.2126 * r + 0.7152 * g + 0.0722 * b) / 255;
}

TEST(LineBuilder, UnfilteredLineHoldsEachColumnAndAveragedChroma) {
    const ColourConverter c(LevelSet{}, false, false);
    const auto row = Row();
    LineBuilder::Buffers out;
    ASSERT_EQ(LineBuilder(c, kWidth, false, LineMode::YPbPr422)
                  .BuildLine(row.data(), kColumns, kWidth + 50, out),
              1);
    for (int k = 0; k < kWidth; ++k) {
        EXPECT_EQ(out[0][k], std::nearbyint(YLevel(row, k + 51)));
        EXPECT_EQ(out[5][k], 0);
    }
    const auto a = c.Convert(row[3 * 51 + 2], row[3 * 51 + 1], row[3 * 51]);
    const auto b = c.Convert(row[3 * 52 + 2], row[3 * 52 + 1], row[3 * 52]);
    EXPECT_EQ(out[1][0], c.ToSample((a.pb + b.pb) / 2));
    EXPECT_EQ(out[1][1], c.ToSample((a.pr + b.pr) / 2));

    ASSERT_EQ(LineBuilder(c, kWidth, false, LineMode::Gbr)
                  .BuildLine(row.data(), kColumns, kWidth + 50, out),
              1);
    EXPECT_EQ(out[0][0], out[4][0]);
    EXPECT_EQ(out[1][0], out[2][0]);
    EXPECT_EQ(out[5][0], out[3][0]);

    // Double width: samples 2i and 2i + 1 both come from column i + 51.
    ASSERT_EQ(LineBuilder(c, kWidth, true, LineMode::YPbPr444)
                  .BuildLine(row.data(), kColumns, kWidth + 50, out),
              1);
    EXPECT_EQ(out[0][2], out[0][3]);
    EXPECT_EQ(out[0][2], std::nearbyint(YLevel(row, 52)));
}

TEST(LineBuilder, OddCountsAndNarrowRowsAreRefused) {
    const ColourConverter c(LevelSet{}, false, false);
    const auto row = Row();
    LineBuilder::Buffers out;
    EXPECT_EQ(LineBuilder(c, 7, false, LineMode::YPbPr422).BuildLine(row.data(), kColumns, 60, out),
              0);
    EXPECT_EQ(LineBuilder(c, kWidth, false, LineMode::YPbPr422).BuildLine(row.data(), 55, 54, out),
              0);
    EXPECT_EQ(LineBuilder(c, 0, false, LineMode::YPbPr422).BuildLine(row.data(), kColumns, 60, out),
              0);
}

TEST(LineBuilder, SingleCentreTapReproducesTheUnfilteredLine) {
    const ColourConverter c(LevelSet{}, false, true);
    const auto row = Row();
    for (int centre : {25, 40, 0}) {
        SCOPED_TRACE(centre);
        FilterSettings filter;
        filter.yTaps[centre] = 1.0;
        filter.pbprTaps[centre] = 1.0;
        EXPECT_EQ(filter.CentreTap(), centre);
        for (bool doubleWidth : {false, true}) {
            LineBuilder plain(c, kWidth, doubleWidth, LineMode::YPbPr444);
            LineBuilder filtered(c, kWidth, doubleWidth, LineMode::YPbPr444);
            filtered.SetFilter(filter);
            LineBuilder::Buffers a;
            LineBuilder::Buffers b;
            ASSERT_EQ(plain.BuildLine(row.data(), kColumns, kWidth + 50, a), 1);
            ASSERT_EQ(filtered.BuildLine(row.data(), kColumns, kWidth + 50, b), 1);
            EXPECT_EQ(a, b);
        }
    }
    FilterSettings zero;
    EXPECT_EQ(zero.CentreTap(), 0);
}

TEST(LineBuilder, TapsWeighNeighbouringColumnsAndEdgesFollowTheMode) {
    const ColourConverter c(LevelSet{}, false, false);
    const auto row = Row();
    FilterSettings filter;
    filter.yTaps[25] = 0.5;
    filter.yTaps[26] = 0.25;
    filter.yTaps[24] = 0.25;
    const int last = 51 + kWidth - 1;
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        filter.beginMode = mode;
        filter.beginColour = Bgr{0, 0, 0};
        LineBuilder builder(c, kWidth, false, LineMode::YPbPr422);
        builder.SetFilter(filter);
        LineBuilder::Buffers out;
        ASSERT_EQ(builder.BuildLine(row.data(), kColumns, last, out), 1);
        for (int k = 0; k < kWidth; ++k) {
            const int own = k + 51;
            auto y = [&](int column) {
                if (column > last) {
                    if (mode == 0) {
                        return 64.0;
                    }
                    if (mode == 1) {
                        column = last;
                    }
                }
                if (column < 51 && mode != 2) {
                    return mode == 0 ? 64.0 : YLevel(row, 51);
                }
                return YLevel(row, column);
            };
            const double expected = 0.25 * y(own - 1) + 0.5 * y(own) + 0.25 * y(own + 1);
            EXPECT_EQ(out[0][k], std::nearbyint(expected)) << k;
        }
    }
}

TEST(LineBuilder, FilterSettingsFromTheIni) {
    QTemporaryDir dir;
    const std::string ini = (dir.path() + "/Nimbrel_Filter.ini").toStdString();
    std::ofstream(ini) << "[LOWPASS]\nFILTER_KEISU_Y_25=1.0\nFILTER_KEISU_PBPR_25=0.5 ; half\n"
                          "FILTER_KEISU_Y_24=1.23456789012345678901234567e-05\n"
                          "[NIMBREL_FILTER]\nBEGINING_SAMPLES=INI\nBEGINING_SAMPLE_G=300\n"
                          "BEGINING_SAMPLE_B=-4\nBEGINING_SAMPLE_R=17\n";
    FilterSettings filter;
    ASSERT_EQ(FilterSettings::ReadTaps(ini, "LOWPASS", filter), 1);
    EXPECT_EQ(filter.yTaps[25], 1.0);
    EXPECT_EQ(filter.pbprTaps[25], 0.5);
    // Read whole: its first 31 characters would be a tap of 1.23 and move the centre.
    EXPECT_DOUBLE_EQ(filter.yTaps[24], 1.23456789012345678901234567e-05);
    EXPECT_EQ(filter.CentreTap(), 25);
    EXPECT_EQ(FilterSettings::ReadTaps(ini, "MISSING", filter), 0);
    FilterSettings::ReadBeginning(ini, filter);
    EXPECT_EQ(filter.beginMode, 0);
    EXPECT_EQ(filter.beginColour, (Bgr{0, 255, 17}));
    FilterSettings::ReadBeginning(ini + ".none", filter);
    EXPECT_EQ(filter.beginMode, 1);
}

}  // namespace
