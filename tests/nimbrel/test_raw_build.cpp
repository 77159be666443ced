// Raw component files to a picture file: lines worked out here from the conversion formulas,
// and the conversion run on real files with every check it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "nimbrel/RawBuild.h"

using nimbrel::ColourConverter;
using nimbrel::FilterSettings;
using nimbrel::LevelSet;
using nimbrel::LineBuilder;
using nimbrel::RawBuild;
using nimbrel::RawInput;
using nimbrel::RawSwitches;

namespace {

// Three rows of big-endian 16-bit samples.
struct RawRows {
    explicit RawRows(int samples) : bytes(3, std::vector<uint8_t>(2 * samples)) {}
    void Set(int row, int k, unsigned value) {
        bytes[row][2 * k] = static_cast<uint8_t>(value >> 8);
        bytes[row][2 * k + 1] = static_cast<uint8_t>(value & 0xFF);
    }
    const uint8_t* const* Pointers() {
        pointers[0] = bytes[0].data();
        pointers[1] = bytes[1].data();
        pointers[2] = bytes[2].data();
        return pointers;
    }
    std::vector<std::vector<uint8_t>> bytes;
    const uint8_t* pointers[3] = {};
};

// Rec. 709 on 10-bit narrow levels with 1023 as the full scale of the input.
struct Hd10 {
    double y, pb, pr;
};
Hd10 Hd(double r, double g, double b) {
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    return {64 + 876 * y / 1023, 512 + 896 * ((b - y) / 1.8556) / 1023,
            512 + 896 * ((r - y) / 1.5748) / 1023};
}

long Round(double v) {
    return std::lround(std::nearbyint(v));
}

}  // namespace

TEST(RawLine, GbrInputIsConvertedWithTenBitFullScale) {
    constexpr int kSamples = 6;
    RawRows rows(kSamples);
    // G, B, R per sample: white, blue, and a few mid values.
    const unsigned gbr[kSamples][3] = {{1023, 1023, 1023}, {0, 1023, 0},    {300, 700, 100},
                                       {512, 12, 900},     {1000, 1000, 5}, {0, 0, 0}};
    for (int k = 0; k < kSamples; ++k) {
        for (int c = 0; c < 3; ++c) {
            rows.Set(c, k, gbr[k][c]);
        }
    }
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    // White and the RP 219 blue of HD bars.
    EXPECT_EQ(out[0][0], 940);
    EXPECT_EQ(out[0][1], 127);
    for (int k = 0; k < kSamples; k += 2) {
        const Hd10 a = Hd(gbr[k][2], gbr[k][0], gbr[k][1]);
        const Hd10 b = Hd(gbr[k + 1][2], gbr[k + 1][0], gbr[k + 1][1]);
        EXPECT_EQ(out[0][k], Round(a.y)) << k;
        EXPECT_EQ(out[0][k + 1], Round(b.y)) << k;
        EXPECT_EQ(out[1][k], Round((a.pb + b.pb) / 2)) << k;
        EXPECT_EQ(out[1][k + 1], Round((a.pr + b.pr) / 2)) << k;
        EXPECT_EQ(out[5][k], 0);
    }
    // The pair white + blue: Pb (512 + 960) / 2, Pr (512 + 471) / 2 from the bar values.
    EXPECT_EQ(out[1][0], 736);
    EXPECT_EQ(out[1][1], 491);
}

TEST(RawLine, SdFamilyUsesRec601) {
    RawRows rows(2);
    rows.Set(1, 0, 1023);  // pure blue, then black
    const ColourConverter converter(LevelSet{}, false, true, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 2, out),
              1);
    // Blue in SD: Y 163.864, Pb 959.734784, Pr 439.171328; black: 64/512/512.
    EXPECT_EQ(out[0][0], 164);
    EXPECT_EQ(out[0][1], 64);
    EXPECT_EQ(out[1][0], Round((959.734784 + 512) / 2));
    EXPECT_EQ(out[1][1], Round((439.171328 + 512) / 2));
}

TEST(RawLine, YPbPrInputIsTakenAsLevelsAndHeldToTenBits) {
    constexpr int kSamples = 4;
    RawRows rows(kSamples);
    const unsigned y[kSamples] = {100, 65535, 1023, 1024};
    const unsigned pb[kSamples] = {501, 502, 2000, 0};
    const unsigned pr[kSamples] = {300, 301, 40000, 1023};
    for (int k = 0; k < kSamples; ++k) {
        rows.Set(0, k, y[k]);
        rows.Set(1, k, pb[k]);
        rows.Set(2, k, pr[k]);
    }
    // The levels must not matter: nothing is converted.
    const ColourConverter converter(LevelSet{800, 100, 900, 100, 500, 900, 100, 500}, false, false,
                                    1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::YPbPr, nullptr, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    EXPECT_EQ(out[0][0], 100);
    EXPECT_EQ(out[0][1], 1023);
    EXPECT_EQ(out[0][2], 1023);
    EXPECT_EQ(out[0][3], 1023);
    // Means of the pairs; 501.5, 300.5 and 511.5 are ties and go to the even neighbour.
    EXPECT_EQ(out[1][0], 502);  // (501 + 502) / 2 = 501.5
    EXPECT_EQ(out[1][1], 300);  // 300.5
    EXPECT_EQ(out[1][2], 512);  // (1023 + 0) / 2 = 511.5
    EXPECT_EQ(out[1][3], 1023);
}

TEST(RawLine, GbrValuesAboveTenBitsAreHeldAtFullScale) {
    RawRows rows(2);
    for (int c = 0; c < 3; ++c) {
        rows.Set(c, 0, 65535);
        rows.Set(c, 1, 1024);
    }
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 2, out),
              1);
    EXPECT_EQ(out[0][0], 940);
    EXPECT_EQ(out[0][1], 940);
    EXPECT_EQ(out[1][0], 512);
    EXPECT_EQ(out[1][1], 512);
}

TEST(RawLine, RefusesSwitchesMissingRowsAndOddCounts) {
    RawRows rows(4);
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    for (int s = 0; s < 4; ++s) {
        RawSwitches switches;
        bool* flags[] = {&switches.doubleWidth, &switches.ycbcr444, &switches.gbrOutput,
                         &switches.twelveBit};
        *flags[s] = true;
        EXPECT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, switches,
                                         rows.Pointers(), 4, out),
                  0)
            << s;
    }
    const uint8_t* missing[3] = {rows.bytes[0].data(), nullptr, rows.bytes[2].data()};
    EXPECT_EQ(
        RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{}, missing, 4, out),
        0);
    EXPECT_EQ(
        RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{}, nullptr, 4, out),
        0);
    EXPECT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 3, out),
              0);
}

TEST(RawLine, FilterWeighsNeighboursWithTheEdgesRepeated) {
    constexpr int kSamples = 8;
    RawRows rows(kSamples);
    const unsigned y[kSamples] = {100, 200, 300, 400, 500, 600, 700, 800};
    for (int k = 0; k < kSamples; ++k) {
        rows.Set(0, k, y[k]);
        rows.Set(1, k, 400 + 10 * k);
        rows.Set(2, k, 600 - 10 * k);
    }
    // The largest tap at 30: tap t weighs sample k + t - 30, so tap 29 the left neighbour and
    // tap 33 the sample three to the right.
    FilterSettings filter;
    filter.yTaps[30] = 0.5;
    filter.yTaps[29] = 0.25;
    filter.yTaps[33] = 0.25;
    filter.pbprTaps[30] = 0.5;
    filter.pbprTaps[31] = 0.5;
    ASSERT_EQ(filter.CentreTap(), 30);
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::YPbPr, &filter, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    auto at = [&](int k) { return double(y[std::clamp(k, 0, kSamples - 1)]); };
    for (int k = 0; k < kSamples; ++k) {
        EXPECT_EQ(out[0][k], Round(0.25 * at(k - 1) + 0.5 * at(k) + 0.25 * at(k + 3))) << k;
    }
    EXPECT_EQ(out[0][0], 175);  // 0.25 * 100 + 0.5 * 100 + 0.25 * 400
    EXPECT_EQ(out[0][7], 775);  // 0.25 * 700 + 0.5 * 800 + 0.25 * 800
    // Chroma of a pair from its second sample: (own + right neighbour) / 2, the right edge
    // repeated.
    auto pb = [&](int k) { return 400.0 + 10 * std::clamp(k, 0, kSamples - 1); };
    auto pr = [&](int k) { return 600.0 - 10 * std::clamp(k, 0, kSamples - 1); };
    for (int k = 0; k < kSamples; k += 2) {
        EXPECT_EQ(out[1][k], Round((pb(k + 1) + pb(k + 2)) / 2)) << k;
        EXPECT_EQ(out[1][k + 1], Round((pr(k + 1) + pr(k + 2)) / 2)) << k;
    }
}

TEST(RawLine, FilteredGbrMatchesTheBitmapBuildOnPixelsBothCanHold) {
    // 341 / 1023 is 85 / 255: a raw row and a bitmap row of these values are the same picture,
    // so the raw window and the bitmap build's ring (with edge repetition) must agree sample
    // by sample.
    constexpr int kSamples = 60;
    RawRows rows(kSamples);
    std::vector<uint8_t> frame(3 * (kSamples + 102));
    for (int k = 0; k < kSamples; ++k) {
        const int g = (k * 7) % 4;
        const int b = (k * 5 + 1) % 4;
        const int r = (k * k + 2) % 4;
        rows.Set(0, k, 341 * g);
        rows.Set(1, k, 341 * b);
        rows.Set(2, k, 341 * r);
        uint8_t* p = &frame[3 * (k + nimbrel::kMargin)];
        p[0] = static_cast<uint8_t>(85 * b);
        p[1] = static_cast<uint8_t>(85 * g);
        p[2] = static_cast<uint8_t>(85 * r);
    }
    FilterSettings filter;
    const double taps[] = {-0.05, 0.1, 0.3, 0.9, 0.3, 0.1, -0.05};
    for (int i = 0; i < 7; ++i) {
        filter.yTaps[34 + i] = taps[i];
        filter.pbprTaps[33 + i] = taps[i] * 0.5;
    }
    filter.beginMode = 1;
    const LevelSet levels{};
    const ColourConverter raw(levels, false, false, 1023.0);
    const ColourConverter bitmap(levels, false, false, 255.0);
    LineBuilder::Buffers fromRaw;
    LineBuilder::Buffers fromBitmap;
    ASSERT_EQ(RawBuild::BuildRawLine(raw, RawInput::Gbr, &filter, RawSwitches{}, rows.Pointers(),
                                     kSamples, fromRaw),
              1);
    LineBuilder builder(bitmap, kSamples, false, nimbrel::LineMode::YPbPr422);
    builder.SetFilter(filter);
    ASSERT_EQ(builder.BuildLine(frame.data(), kSamples + 102, kSamples + 50, fromBitmap), 1);
    for (int k = 0; k < kSamples; ++k) {
        EXPECT_EQ(fromRaw[0][k], fromBitmap[0][k]) << k;
        EXPECT_EQ(fromRaw[1][k], fromBitmap[1][k]) << k;
    }
}
