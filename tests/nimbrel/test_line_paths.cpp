// The line builder's row-at-a-time paths against the plain reading of the rules: every column
// converted on its own, every sample rounded through nearbyint, the filter's 51 values kept in
// a ring and summed from the oldest. Rows mix noise, flat bars and steps so that both the
// general and the shortcut paths are taken; every byte must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "nimbrel/LineBuilder.h"

using nimbrel::Bgr;
using nimbrel::ColourConverter;
using nimbrel::ConvertedSample;
using nimbrel::FilterSettings;
using nimbrel::kMargin;
using nimbrel::kTaps;
using nimbrel::LevelSet;
using nimbrel::LineBuilder;
using nimbrel::LineMode;

namespace {

uint16_t PlainSample(double level, bool twelveBit) {
    const double rounded = std::nearbyint(level);
    if (std::isnan(rounded)) {
        return 0;
    }
    return static_cast<uint16_t>(std::clamp(rounded, 0.0, twelveBit ? 4095.0 : 1023.0));
}

struct Case {
    const ColourConverter* converter;
    bool twelveBit;
    int samples;
    bool doubleWidth;
    LineMode mode;
    const FilterSettings* filter;  // null: unfiltered
};

// One sample position after another, as the rules are written.
LineBuilder::Buffers PlainLine(const Case& c, const std::vector<uint8_t>& row, int last) {
    const int columns = static_cast<int>(row.size() / 3);
    const int n = c.samples;
    auto convert = [&](int column) {
        column = std::clamp(column, 0, columns - 1);
        return c.converter->Convert(row[3 * column + 2], row[3 * column + 1], row[3 * column]);
    };
    auto sample = [&](double level) { return PlainSample(level, c.twelveBit); };
    auto column = [&](int k) { return (c.doubleWidth ? k / 2 : k) + kMargin; };
    std::vector<ConvertedSample> levels(static_cast<size_t>(n));
    std::vector<ConvertedSample> pairChroma(static_cast<size_t>(n));
    if (c.filter == nullptr) {
        for (int k = 0; k < n; ++k) {
            levels[k] = convert(column(k));
        }
        for (int k = 0; k < n; k += 2) {
            pairChroma[k].pb = (levels[k].pb + levels[k + 1].pb) / 2;
            pairChroma[k].pr = (levels[k].pr + levels[k + 1].pr) / 2;
        }
    } else {
        const FilterSettings& f = *c.filter;
        const Bgr& colour = f.beginColour;
        const ConvertedSample begin = c.converter->Convert(colour.r, colour.g, colour.b);
        last = std::clamp(last, 0, columns - 1);
        auto entering = [&](int col) {
            if (col > last && f.beginMode == 0) {
                return begin;
            }
            return convert(col > last && f.beginMode == 1 ? last : col);
        };
        std::vector<ConvertedSample> ring(kTaps);
        for (int u = 0; u < kTaps; ++u) {
            ring[u] = f.beginMode == 2   ? convert(c.doubleWidth ? 25 + (u + 1) / 2 : u)
                      : f.beginMode == 0 ? begin
                                         : convert(kMargin);
        }
        const int offset = kTaps - 1 - f.CentreTap();
        std::rotate(ring.begin(), ring.begin() + offset, ring.end());
        for (int i = 0; i < offset; ++i) {
            ring[kTaps - offset + i] = entering(kMargin + (c.doubleWidth ? i / 2 : i));
        }
        const int shift = c.doubleWidth ? offset / 2 : offset;
        for (int k = 0; k < n; ++k) {
            ring[k % kTaps] = entering(column(k) + shift);
            ConvertedSample sum;
            for (int t = 0; t < kTaps; ++t) {
                const ConvertedSample& v = ring[(k + 1 + t) % kTaps];
                sum.g += f.yTaps[t] * v.g;
                sum.b += f.yTaps[t] * v.b;
                sum.r += f.yTaps[t] * v.r;
                sum.y += f.yTaps[t] * v.y;
                sum.pb += f.pbprTaps[t] * v.pb;
                sum.pr += f.pbprTaps[t] * v.pr;
            }
            levels[k] = sum;
        }
        for (int k = 0; k < n; k += 2) {
            pairChroma[k].pb = levels[k + 1].pb;
            pairChroma[k].pr = levels[k + 1].pr;
        }
    }
    LineBuilder::Buffers out;
    for (auto& buffer : out) {
        buffer.assign(static_cast<size_t>(n), 0);
    }
    for (int k = 0; k < n; ++k) {
        const ConvertedSample& s = levels[k];
        out[2][k] = sample(s.g);
        out[3][k] = sample(s.b);
        out[4][k] = sample(s.r);
        if (c.mode == LineMode::Gbr) {
            out[0][k] = out[4][k];
            out[1][k] = out[2][k];
            out[5][k] = out[3][k];
        } else {
            out[0][k] = sample(s.y);
        }
        if (c.mode == LineMode::YPbPr444) {
            out[1][k] = sample(s.pb);
            out[5][k] = sample(s.pr);
        }
    }
    if (c.mode == LineMode::YPbPr422) {
        for (int k = 0; k < n; k += 2) {
            out[1][k] = sample(pairChroma[k].pb);
            out[1][k + 1] = sample(pairChroma[k].pr);
        }
    }
    return out;
}

// Noise, then flat bars wider than the filter, then a slow step ramp, then single-column
// stripes: runs of every length the row paths treat differently.
std::vector<uint8_t> MixedRow(int columns, std::mt19937& random) {
    std::vector<uint8_t> row(3 * static_cast<size_t>(columns));
    std::uniform_int_distribution<int> byte(0, 255);
    const uint8_t bar[4][3] = {{255, 255, 255}, {0, 255, 255}, {255, 0, 0}, {16, 128, 235}};
    for (int c = 0; c < columns; ++c) {
        uint8_t* p = &row[3 * static_cast<size_t>(c)];
        const int zone = c * 4 / columns;
        if (zone == 0) {
            p[0] = byte(random), p[1] = byte(random), p[2] = byte(random);
        } else if (zone == 1) {
            const uint8_t* colour = bar[(c / 70) % 4];
            p[0] = colour[0], p[1] = colour[1], p[2] = colour[2];
        } else if (zone == 2) {
            const auto v = static_cast<uint8_t>((c / 5) * 3);
            p[0] = v, p[1] = static_cast<uint8_t>(255 - v), p[2] = v;
        } else {
            const uint8_t v = c % 2 == 0 ? 235 : 16;
            p[0] = p[1] = p[2] = v;
        }
    }
    return row;
}

// Runs of random colours, long enough on average to be built run by run, starting on odd and
// even columns alike.
std::vector<uint8_t> RunRow(int columns, std::mt19937& random) {
    std::vector<uint8_t> row(3 * static_cast<size_t>(columns));
    std::uniform_int_distribution<int> byte(0, 255);
    const int lengths[] = {1, 7, 3, 9, 5, 12, 2, 11};
    int c = 0;
    for (int r = 0; c < columns; ++r) {
        const uint8_t b = static_cast<uint8_t>(byte(random));
        const uint8_t g = static_cast<uint8_t>(byte(random));
        const uint8_t red = static_cast<uint8_t>(byte(random));
        for (int i = 0; i < lengths[r % 8] && c < columns; ++i, ++c) {
            row[3 * c] = b;
            row[3 * c + 1] = g;
            row[3 * c + 2] = red;
        }
    }
    return row;
}

FilterSettings RandomFilter(std::mt19937& random, int centre, int beginMode) {
    std::uniform_real_distribution<double> small(-0.05, 0.08);
    FilterSettings f;
    for (int t = 0; t < kTaps; ++t) {
        f.yTaps[t] = small(random);
        f.pbprTaps[t] = small(random);
    }
    f.yTaps[centre] = 1.5;  // the largest, so it is the centre
    f.pbprTaps[centre] = 0.9;
    f.beginMode = beginMode;
    f.beginColour = Bgr{30, 200, 90};
    return f;
}

TEST(LinePaths, SampleRoundingIsNearbyintHeldInRange) {
    for (bool twelveBit : {false, true}) {
        const ColourConverter c(LevelSet{}, twelveBit, false);
        std::vector<double> levels = {0.0,
                                      -0.0,
                                      0.5,
                                      1.5,
                                      2.5,
                                      -0.5,
                                      -0.49,
                                      1022.5,
                                      1023.5,
                                      4094.5,
                                      4095.5,
                                      4095.49,
                                      1e300,
                                      -1e300,
                                      std::nextafter(0.5, 1.0),
                                      std::nextafter(0.5, 0.0),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::denorm_min()};
        for (int k = -3; k < 4100; ++k) {
            levels.push_back(k + 0.5);
            levels.push_back(std::nextafter(k + 0.5, 1e9));
            levels.push_back(std::nextafter(k + 0.5, -1e9));
            levels.push_back(k + 0.25);
        }
        std::mt19937 random(7);
        std::uniform_real_distribution<double> any(-100.0, 4200.0);
        for (int i = 0; i < 20000; ++i) {
            levels.push_back(any(random));
        }
        std::vector<uint16_t> batch(levels.size());
        c.ToSamples(levels.data(), static_cast<int>(levels.size()), batch.data());
        for (size_t i = 0; i < levels.size(); ++i) {
            ASSERT_EQ(c.ToSample(levels[i]), PlainSample(levels[i], twelveBit)) << levels[i];
            ASSERT_EQ(batch[i], PlainSample(levels[i], twelveBit)) << levels[i];
        }
    }
}

// Levels where no span is a round number and the zeros sit off centre.
LevelSet OddLevels() {
    LevelSet odd;
    odd.yWhite = 3000;
    odd.yBlack = 300;
    odd.pbPlus = 3500;
    odd.pbMinus = 500;
    odd.pbZero = 2001;
    odd.prPlus = 3600;
    odd.prMinus = 400;
    odd.prZero = 1999;
    return odd;
}

TEST(LinePaths, RowConversionGivesWhatEachPixelGives) {
    const LevelSet odd = OddLevels();
    std::mt19937 random(11);
    const auto row = MixedRow(700, random);
    for (const LevelSet& levels : {LevelSet{}, odd}) {
        for (bool twelveBit : {false, true}) {
            for (bool sd : {false, true}) {
                const ColourConverter c(levels, twelveBit, sd);
                // Not a whole number of internal blocks, and a run that crosses block edges.
                const int count = 700;
                std::vector<std::vector<double>> planes(6, std::vector<double>(count));
                double* const out[6] = {planes[0].data(), planes[1].data(), planes[2].data(),
                                        planes[3].data(), planes[4].data(), planes[5].data()};
                c.ConvertPixels(row.data(), count, out);
                for (int i = 0; i < count; ++i) {
                    const auto s = c.Convert(row[3 * i + 2], row[3 * i + 1], row[3 * i]);
                    const double expected[6] = {s.g, s.b, s.r, s.y, s.pb, s.pr};
                    for (int p = 0; p < 6; ++p) {
                        ASSERT_EQ(planes[p][i], expected[p]) << "pixel " << i << " plane " << p;
                    }
                }
            }
        }
    }
}

// Every 8-bit colour, all 16.7 million, through the row conversion, the byte-table samples and
// the 4:2:2 samples, against Convert one pixel at a time: levels to the last bit, samples equal.
// The 4:2:2 samples are checked with each colour next to its neighbour and next to itself,
// where a pair's mean is the colour's own level (SD bars put many of those on exact halves).
struct ConverterCase {
    const char* name;
    bool oddLevels;
    bool twelveBit;
    bool standardDefinition;
};

// One test per converter, so the four run side by side.
class EveryColour : public ::testing::TestWithParam<ConverterCase> {};

TEST_P(EveryColour, ConvertsAsThePlainFormula) {
    const ConverterCase& c = GetParam();
    // One row per blue value: red changes fastest, then green.
    constexpr int kRow = 256 * 256;
    std::vector<uint8_t> row(3 * kRow);
    std::vector<std::vector<double>> planes(6, std::vector<double>(kRow));
    double* const out[6] = {planes[0].data(), planes[1].data(), planes[2].data(),
                            planes[3].data(), planes[4].data(), planes[5].data()};
    std::vector<uint16_t> g(kRow), b(kRow), r(kRow), y(kRow), pairs(kRow);
    std::vector<uint8_t> twice(6 * kRow);
    std::vector<uint16_t> yTwice(2 * kRow), pairsTwice(2 * kRow);
    const ColourConverter converter(c.oddLevels ? OddLevels() : LevelSet{}, c.twelveBit,
                                    c.standardDefinition);
    long mismatches = 0;
    std::string first;
    for (int blue = 0; blue < 256; ++blue) {
        for (int i = 0; i < kRow; ++i) {
            row[3 * i] = static_cast<uint8_t>(blue);
            row[3 * i + 1] = static_cast<uint8_t>(i >> 8);
            row[3 * i + 2] = static_cast<uint8_t>(i);
        }
        converter.ConvertPixels(row.data(), kRow, out);
        converter.ToComponentSamples(row.data(), kRow, g.data(), b.data(), r.data());
        converter.ToSamples422(row.data(), kRow, y.data(), pairs.data());
        for (size_t i = 0; i < row.size(); i += 3) {
            std::copy_n(row.begin() + i, 3, twice.begin() + 2 * i);
            std::copy_n(row.begin() + i, 3, twice.begin() + 2 * i + 3);
        }
        converter.ToSamples422(twice.data(), 2 * kRow, yTwice.data(), pairsTwice.data());
        ConvertedSample left;
        for (int i = 0; i < kRow; ++i) {
            const ConvertedSample s = converter.Convert(i & 0xFF, i >> 8, blue);
            const double expected[6] = {s.g, s.b, s.r, s.y, s.pb, s.pr};
            const uint16_t ySample = converter.ToSample(s.y);
            bool same = g[i] == converter.ToSample(s.g) && b[i] == converter.ToSample(s.b) &&
                        r[i] == converter.ToSample(s.r) && y[i] == ySample &&
                        yTwice[2 * i] == ySample && yTwice[2 * i + 1] == ySample &&
                        pairsTwice[2 * i] == converter.ToSample(s.pb) &&
                        pairsTwice[2 * i + 1] == converter.ToSample(s.pr);
            if (i % 2 == 1) {
                same = same && pairs[i - 1] == converter.ToSample((left.pb + s.pb) / 2) &&
                       pairs[i] == converter.ToSample((left.pr + s.pr) / 2);
            }
            left = s;
            for (int p = 0; p < 6; ++p) {
                same = same && planes[p][i] == expected[p];
            }
            if (!same && mismatches++ == 0) {
                first = "r " + std::to_string(i & 0xFF) + " g " + std::to_string(i >> 8) + " b " +
                        std::to_string(blue);
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "first at " << first;
}

INSTANTIATE_TEST_SUITE_P(LinePaths, EveryColour,
                         ::testing::Values(ConverterCase{"Hd10", false, false, false},
                                           ConverterCase{"Sd10", false, false, true},
                                           ConverterCase{"Hd12OddLevels", true, true, false},
                                           ConverterCase{"Sd12OddLevels", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A builder told that no G, B or R file is made gives the same Y, Pb and Pr as one that makes
// them all, on every path: runs and busy rows, single and double width, with and without the
// filter.
TEST(LinePaths, LinesWithoutComponentsKeepTheirYPbPr) {
    const ColourConverter hd(LevelSet{}, false, false);
    FilterSettings filter;
    for (int t = 0; t < kTaps; ++t) {
        filter.yTaps[t] = t == 25 ? 0.9 : 0.1 / (1 + std::abs(t - 25));
        filter.pbprTaps[t] = t % 2 == 1 ? 0.0 : 0.05;
    }
    std::mt19937 random(5);
    for (LineMode mode : {LineMode::YPbPr422, LineMode::YPbPr444}) {
        for (bool doubleWidth : {false, true}) {
            for (bool filtered : {false, true}) {
                for (bool runs : {false, true}) {
                    SCOPED_TRACE(::testing::Message()
                                 << "mode " << static_cast<int>(mode) << " double " << doubleWidth
                                 << " filtered " << filtered << " runs " << runs);
                    const int samples = doubleWidth ? 600 : 302;
                    const int columns = (doubleWidth ? samples / 2 : samples) + 2 * kMargin;
                    LineBuilder all(hd, samples, doubleWidth, mode);
                    LineBuilder lean(hd, samples, doubleWidth, mode);
                    lean.SetComponentsWanted(false);
                    if (filtered) {
                        all.SetFilter(filter);
                        lean.SetFilter(filter);
                    }
                    const auto row = runs ? RunRow(columns, random) : MixedRow(columns, random);
                    LineBuilder::Buffers expected;
                    LineBuilder::Buffers out;
                    ASSERT_EQ(all.BuildLine(row.data(), columns, columns - kMargin - 1, expected),
                              1);
                    ASSERT_EQ(lean.BuildLine(row.data(), columns, columns - kMargin - 1, out), 1);
                    EXPECT_EQ(out[0], expected[0]);
                    EXPECT_EQ(out[1], expected[1]);
                    EXPECT_EQ(out[5], expected[5]);
                }
            }
        }
    }
}

TEST(LinePaths, UnfilteredLinesMatchThePlainReading) {
    const ColourConverter sd(LevelSet{}, false, true);
    const ColourConverter hd12(LevelSet{}, true, false);
    std::mt19937 random(3);
    for (const ColourConverter* c : {&sd, &hd12}) {
        for (bool doubleWidth : {false, true}) {
            for (LineMode mode : {LineMode::YPbPr422, LineMode::YPbPr444, LineMode::Gbr}) {
                const int samples = doubleWidth ? 600 : 302;
                const int width = doubleWidth ? samples / 2 : samples;
                const Case plain{c, c == &hd12, samples, doubleWidth, mode, nullptr};
                LineBuilder builder(*c, samples, doubleWidth, mode);
                for (bool runs : {false, true}) {
                    const auto row = runs ? RunRow(width + 2 * kMargin, random)
                                          : MixedRow(width + 2 * kMargin, random);
                    LineBuilder::Buffers out;
                    ASSERT_EQ(builder.BuildLine(row.data(), width + 2 * kMargin, width + 50, out),
                              1);
                    EXPECT_EQ(out, PlainLine(plain, row, width + 50))
                        << "double " << doubleWidth << " mode " << static_cast<int>(mode)
                        << " runs " << runs;
                }
            }
        }
    }
}

// Every edge mode, centres that move the window both ways, pictures that end before the
// frame does, widths that are and are not whole blocks of sums.
TEST(LinePaths, FilteredLinesMatchThePlainReading) {
    const ColourConverter hd(LevelSet{}, false, false);
    const ColourConverter sd12(LevelSet{}, true, true);
    std::mt19937 random(5);
    for (const ColourConverter* c : {&hd, &sd12}) {
        for (int beginMode : {0, 1, 2}) {
            for (int centre : {25, 0, 50, 31}) {
                const FilterSettings filter = RandomFilter(random, centre, beginMode);
                for (bool doubleWidth : {false, true}) {
                    for (LineMode mode : {LineMode::YPbPr422, LineMode::YPbPr444, LineMode::Gbr}) {
                        for (int samples : {8, 46, 400}) {
                            const int width = doubleWidth ? samples / 2 : samples;
                            const int columns = width + 2 * kMargin;
                            const auto row =
                                samples == 46 ? RunRow(columns, random) : MixedRow(columns, random);
                            for (int last : {width + 50, width / 2 + 51, columns + 9}) {
                                SCOPED_TRACE(testing::Message()
                                             << "begin " << beginMode << " centre " << centre
                                             << " double " << doubleWidth << " mode "
                                             << static_cast<int>(mode) << " samples " << samples
                                             << " last " << last);
                                const Case plain{c,           c == &sd12, samples,
                                                 doubleWidth, mode,       &filter};
                                LineBuilder builder(*c, samples, doubleWidth, mode);
                                builder.SetFilter(filter);
                                LineBuilder::Buffers out;
                                ASSERT_EQ(builder.BuildLine(row.data(), columns, last, out), 1);
                                ASSERT_EQ(out, PlainLine(plain, row, last));
                            }
                        }
                    }
                }
            }
        }
    }
}

// A builder keeps its working rows from line to line; a narrower or different row after a
// wider one must not see anything of the earlier line.
TEST(LinePaths, OneBuilderOverManyRowsGivesEachRowItsOwnLine) {
    const ColourConverter c(LevelSet{}, false, false);
    std::mt19937 random(9);
    const FilterSettings filter = RandomFilter(random, 25, 1);
    LineBuilder builder(c, 200, false, LineMode::YPbPr444);
    builder.SetFilter(filter);
    const Case plain{&c, false, 200, false, LineMode::YPbPr444, &filter};
    for (int columns : {302, 302 + 40, 302}) {
        const auto row = MixedRow(columns, random);
        LineBuilder::Buffers out;
        ASSERT_EQ(builder.BuildLine(row.data(), columns, 250, out), 1);
        EXPECT_EQ(out, PlainLine(plain, row, 250)) << columns;
    }
}

}  // namespace
