// Limits of the analog modules' output and genlock timing and the arithmetic of the timing
// fields. A wrong row here is a delay the instrument refuses or a line it cannot reach; a
// conversion done twice is every typed delay snapped to 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "corvane/pages/timing/TimingLimits.h"
#include "platform/Numbers.h"

namespace corvane::testing {
namespace {

using namespace videoformat;

constexpr double kStep54 = 1.0 / 54e6;
constexpr double kNtscBound = 63.55556363e-6;

struct Expected {
    int code;
    int lines;
    double bound;  // seconds
    double step;
    double fine;
};

constexpr double Hd(int clocks, double step) {
    return clocks * step;
}

void ExpectLimits(const TimingLimits& limits, const Expected& e, const std::string& what) {
    EXPECT_EQ(limits.lines, e.lines) << what;
    EXPECT_DOUBLE_EQ(limits.delayBound, e.bound) << what;
    EXPECT_DOUBLE_EQ(limits.step, e.step) << what;
    EXPECT_DOUBLE_EQ(limits.fineBound, e.fine) << what;
}

constexpr double F_SD = timinglimits::kFineBoundSd;
constexpr double F_HD = timinglimits::kFineBoundHd;

TEST(TimingLimits, EveryOutputStartsOnNtsc) {
    ExpectLimits(TimingLimits{}, {0, 525, kNtscBound, kStep54, F_SD}, "default");
}

TEST(TimingLimits, PirvoAndKintorSdFormats) {
    const Expected rows[] = {
        {0, 525, kNtscBound, kStep54, F_SD},
        {1, 1250, 64e-6, kStep54, F_SD},
        {2, 525, kNtscBound, kStep54, F_SD},
    };
    for (const Expected& e : rows) {
        TimingLimits pirvo, kintor;
        pirvo.lines = kintor.lines = -1;
        ASSERT_TRUE(PirvoTimingLimits(e.code, pirvo));
        ASSERT_TRUE(KintorTimingLimits(e.code, 15, kintor));
        ExpectLimits(pirvo, e, "Pirvo " + std::to_string(e.code));
        ExpectLimits(kintor, e, "Kintor " + std::to_string(e.code));
    }
}

// 24sF and 24p run 2750 clocks a line, the 1/1.001 rates the 1/1.001 clock; a line period
// either way is the delay bound.
TEST(TimingLimits, KintorHdCodes) {
    const double f1 = kStepHd7425, f2 = kStepHd7418;
    const Expected rows[] = {
        {14, 562, Hd(2200, f2), f2, F_HD},
        {15, 562, Hd(2200, f1), f1, F_HD},
        {16, 562, Hd(2640, f1), f1, F_HD},
        {17, 562, Hd(2750, f1), f1, F_HD},
        {18, 562, Hd(2750, f2), f2, F_HD},
        {19, 562, Hd(2200, f1), f1, F_HD},
        {20, 562, Hd(2200, f2), f2, F_HD},
        {21, 562, Hd(2640, f1), f1, F_HD},
        {22, 562, Hd(2750, f1), f1, F_HD},
        {23, 562, Hd(2750, f2), f2, F_HD},
        {24, 375, Hd(1650, f1), f1, F_HD},
        {25, 375, Hd(1650, f2), f2, F_HD},
        // No limits of their own: timed as code 14.
        {26, 562, Hd(2200, f2), f2, F_HD},
        {13, 562, Hd(2200, f2), f2, F_HD},
        {0, 562, Hd(2200, f2), f2, F_HD},
        {-1, 562, Hd(2200, f2), f2, F_HD},
        {99, 562, Hd(2200, f2), f2, F_HD},
    };
    for (const Expected& e : rows) {
        TimingLimits limits;
        ASSERT_TRUE(KintorTimingLimits(3, e.code, limits));
        ExpectLimits(limits, e, "HD code " + std::to_string(e.code));
    }
    EXPECT_NEAR(Hd(2200, f1), 29.6296e-6, 1e-10);
}

TEST(TimingLimits, BrumoOutputFormats) {
    const double f1 = kStepHd7425, f2 = kStepHd7418;
    const Expected rows[] = {
        {0, 525, kNtscBound, kStep54, F_SD}, {1, 1250, 64e-6, kStep54, F_SD},
        {2, 525, kNtscBound, kStep54, F_SD}, {3, 562, Hd(2200, f1), f1, F_HD},
        {4, 562, Hd(2200, f1), f1, F_HD},    {5, 562, Hd(2200, f1), f1, F_HD},
        {6, 562, Hd(2200, f2), f2, F_HD},    {7, 562, Hd(2640, f1), f1, F_HD},
        {8, 562, Hd(2750, f1), f1, F_HD},    {9, 562, Hd(2750, f2), f2, F_HD},
        {10, 562, Hd(2200, f1), f1, F_HD},   {11, 562, Hd(2200, f2), f2, F_HD},
        {12, 562, Hd(2640, f1), f1, F_HD},   {13, 562, Hd(2750, f1), f1, F_HD},
        {14, 562, Hd(2750, f2), f2, F_HD},   {15, 375, Hd(1650, f1), f1, F_HD},
        {16, 375, Hd(1650, f2), f2, F_HD},   {17, 375, Hd(1980, f1), f1, F_HD},
    };
    for (const Expected& e : rows) {
        TimingLimits limits;
        ASSERT_TRUE(BrumoTimingLimits(2, e.code, limits));
        ExpectLimits(limits, e, "BLACK 3 format " + std::to_string(e.code));
        // BLACK 1 and 2 keep the SD fine bound on whatever format they hold.
        for (int output : {0, 1}) {
            ASSERT_TRUE(BrumoTimingLimits(output, e.code, limits));
            ExpectLimits(limits, {e.code, e.lines, e.bound, e.step, F_SD},
                         "output " + std::to_string(output));
        }
    }
}

// The analog tables and the serial one name the same HD formats: one truth for each.
TEST(TimingLimits, AnalogHdRowsAgreeWithTheSameFormatOfTheSerialTable) {
    for (auto rows :
         {std::span<const VideoFormat>(kKintorHd), std::span<const VideoFormat>(kBrumoOutput)}) {
        for (const VideoFormat& row : rows) {
            const VideoFormat* serial = FindFormatByKeyword(VideoModel::Ulmeth, row.keyword);
            if (serial == nullptr)
                continue;
            EXPECT_EQ(row.name, serial->name) << row.keyword;
            EXPECT_EQ(row.family, serial->family) << row.keyword;
            EXPECT_EQ(row.timing.lines, serial->timing.lines) << row.keyword;
            EXPECT_DOUBLE_EQ(row.timing.delayBound, serial->timing.delayBound) << row.keyword;
            EXPECT_DOUBLE_EQ(row.timing.step, serial->timing.step) << row.keyword;
        }
    }
}

TEST(TimingLimits, AnalogTablesHoldEachCodeAndKeywordOnce) {
    for (auto rows :
         {std::span<const VideoFormat>(kAnalogSd), std::span<const VideoFormat>(kKintorHd),
          std::span<const VideoFormat>(kBrumoOutput)}) {
        std::set<int> codes;
        std::set<std::string_view> keywords;
        for (const VideoFormat& row : rows) {
            EXPECT_TRUE(codes.insert(row.code).second) << row.name;
            EXPECT_TRUE(keywords.insert(row.keyword).second) << row.name;
            EXPECT_EQ(FindFormatByCode(rows, row.code), &row) << row.name;
        }
    }
    EXPECT_EQ(FindFormatByCode(kKintorHd, 26), nullptr);
    EXPECT_EQ(FindFormatByCode(kBrumoOutput, 18), nullptr);
    // The detection answers 0..12 name these formats, in this order.
    const char* const detected[] = {"HD1080_60I",  "HD1080_59I", "HD1080_50I", "HD1080_24SF",
                                    "HD1080_23SF", "HD1080_30P", "HD1080_29P", "HD1080_25P",
                                    "HD1080_24P",  "HD1080_23P", "HD720_60P",  "HD720_59P",
                                    "HD720_50P"};
    ASSERT_EQ(std::size(kBrumoHdReferenceUlmethCode), std::size(detected));
    for (size_t i = 0; i < std::size(detected); ++i)
        EXPECT_EQ(FormatKeyword(VideoModel::Ulmeth, kBrumoHdReferenceUlmethCode[i]), detected[i]);
}

struct GenlockCase {
    int source;
    double hz;
    int hdCode;
    Expected limits;
};

TEST(TimingLimits, BrumoGenlockBySourceResetAndReference) {
    const double f1 = kStepHd7425, f2 = kStepHd7418;
    const Expected ntsc{0, 525, kNtscBound, kStep54, F_SD};
    const Expected pal{0, 1250, 64e-6, kStep54, F_SD};
    const GenlockCase cases[] = {
        {0, 0.0, 0, ntsc},
        {1, 0.0, 0, ntsc},
        {2, 0.0, 0, pal},
        {3, 0.0, 0, ntsc},
        {4, 0.0, 0, pal},
        {5, 0.0, 0, ntsc},
        {7, 14.985, 0, ntsc},
        {7, 6.25, 0, pal},
        {7, 0.0, 0, ntsc},
        {7, 15.0, 0, {0, 1125, Hd(2750, f1), kStep54, F_HD}},
        {7, 3.0, 0, {0, 1125, Hd(2750, f1), kStep54, F_HD}},
        {7, 2.997, 0, {0, 1125, Hd(2750, f2), kStep54, F_HD}},
        {6, 0.0, 0, {0, 562, Hd(2200, f1), kStep54, F_HD}},
        {6, 0.0, 1, {0, 562, Hd(2200, f2), kStep54, F_HD}},
        {6, 0.0, 2, {0, 562, Hd(2640, f1), kStep54, F_HD}},
        {6, 0.0, 3, {0, 562, Hd(2750, f1), kStep54, F_HD}},
        {6, 0.0, 4, {0, 562, Hd(2750, f2), kStep54, F_HD}},
        {6, 0.0, 5, {0, 562, Hd(2200, f1), kStep54, F_HD}},
        {6, 0.0, 6, {0, 562, Hd(2200, f2), kStep54, F_HD}},
        {6, 0.0, 7, {0, 562, Hd(2640, f1), kStep54, F_HD}},
        {6, 0.0, 8, {0, 562, Hd(2750, f1), kStep54, F_HD}},
        {6, 0.0, 9, {0, 562, Hd(2750, f2), kStep54, F_HD}},
        {6, 0.0, 10, {0, 375, Hd(1650, f1), kStep54, F_HD}},
        {6, 0.0, 11, {0, 375, Hd(1650, f2), kStep54, F_HD}},
        {6, 0.0, 13, {0, 375, Hd(1650, f1), kStep54, F_HD}},
    };
    for (const GenlockCase& c : cases) {
        TimingLimits limits;
        limits.lines = -1;
        ASSERT_TRUE(BrumoGenlockLimits(c.source, c.hz, c.hdCode, limits));
        ExpectLimits(limits, c.limits,
                     "source " + std::to_string(c.source) + " hz " + std::to_string(c.hz) +
                         " code " + std::to_string(c.hdCode));
    }
}

// A format outside the tables leaves the limits in seconds as they were, however often the
// page recomputes them: never converted a second time.
TEST(TimingLimits, UnknownFormatsKeepTheLastLimitsThroughEveryRecomputation) {
    struct Case {
        const char* what;
        bool (*apply)(TimingLimits&);
    };
    const Case unknown[] = {
        {"Pirvo format 3", [](TimingLimits& l) { return PirvoTimingLimits(3, l); }},
        {"Pirvo folder 15", [](TimingLimits& l) { return PirvoTimingLimits(15, l); }},
        {"Pirvo format -1", [](TimingLimits& l) { return PirvoTimingLimits(-1, l); }},
        {"Kintor format 4", [](TimingLimits& l) { return KintorTimingLimits(4, 14, l); }},
        {"Brumo format 18", [](TimingLimits& l) { return BrumoTimingLimits(2, 18, l); }},
        {"Brumo output 3", [](TimingLimits& l) { return BrumoTimingLimits(3, 0, l); }},
        {"Brumo output -1", [](TimingLimits& l) { return BrumoTimingLimits(-1, 0, l); }},
        {"genlock 720p50", [](TimingLimits& l) { return BrumoGenlockLimits(6, 0.0, 12, l); }},
        {"genlock code 14", [](TimingLimits& l) { return BrumoGenlockLimits(6, 0.0, 14, l); }},
        {"genlock code -3", [](TimingLimits& l) { return BrumoGenlockLimits(6, 0.0, -3, l); }},
        {"genlock source 8", [](TimingLimits& l) { return BrumoGenlockLimits(8, 0.0, 0, l); }},
    };
    TimingLimits pal;
    ASSERT_TRUE(PirvoTimingLimits(1, pal));
    for (const Case& c : unknown) {
        for (const TimingLimits& start : {TimingLimits{}, pal}) {
            TimingLimits limits = start;
            for (int i = 0; i < 3; ++i) EXPECT_FALSE(c.apply(limits)) << c.what;
            ExpectLimits(limits, {0, start.lines, start.delayBound, start.step, start.fineBound},
                         c.what);
            EXPECT_EQ(limits.DelaySpinBound(), start.DelaySpinBound()) << c.what;
            double seconds = 0.0;
            ASSERT_TRUE(limits.DelayFromText("10", seconds)) << c.what;
            EXPECT_NEAR(seconds, 10e-6, 1e-15) << c.what;
        }
    }
}

// Every spin (lines, delay steps, fine tenths) of every row takes its range in 16 bits.
TEST(TimingLimits, SpinRangesFitSixteenBits) {
    std::vector<TimingLimits> all;
    for (int format = 0; format < 3; ++format) {
        all.emplace_back();
        PirvoTimingLimits(format, all.back());
    }
    for (int code = 13; code <= 26; ++code) {
        all.emplace_back();
        KintorTimingLimits(3, code, all.back());
    }
    for (int output = 0; output < 3; ++output) {
        for (int format = 0; format <= 17; ++format) {
            all.emplace_back();
            BrumoTimingLimits(output, format, all.back());
        }
    }
    for (int source = 0; source <= 7; ++source) {
        for (double hz : {14.985, 6.25, 15.0, 2.997, 3.0, 0.0}) {
            for (int code = 0; code <= 13; ++code) {
                all.emplace_back();
                BrumoGenlockLimits(source, hz, code, all.back());
            }
        }
    }
    for (const TimingLimits& l : all) {
        EXPECT_LE(l.lines, INT16_MAX);
        EXPECT_GT(l.DelaySpinBound(), 0);
        EXPECT_LE(l.DelaySpinBound(), INT16_MAX);
        EXPECT_LE(l.FineSpinBound(), INT16_MAX);
    }
    TimingLimits pal, hd;
    PirvoTimingLimits(1, pal);
    KintorTimingLimits(3, 15, hd);
    EXPECT_EQ(TimingLimits{}.DelaySpinBound(), 3432);
    EXPECT_EQ(pal.DelaySpinBound(), 3456);
    EXPECT_EQ(hd.DelaySpinBound(), 2200);
    EXPECT_EQ(hd.FineSpinBound(), 70);
    EXPECT_EQ(TimingLimits{}.FineSpinBound(), 100);
}

struct Typed {
    const char* text;
    bool accepted;
    int steps;  // when accepted
};

TEST(TimingLimits, TypedDelaysSnapToTheNearestStepWithinTheBound) {
    const Typed ntsc[] = {
        {"10", true, 540},       {"10.01", true, 541},
        {"-10.01", true, -541},  {"10.0092", true, 540},
        {"10.0093", true, 541},  {"  63.5556 ", true, 3432},
        {"63.5555", true, 3432}, {"-63.5556", true, -3432},
        {"63.57", false, 0},     {"70", false, 0},
        {"-70", false, 0},       {"", true, 0},
        {"-", true, 0},          {".", true, 0},
        {"1e", true, 54},        {"1e-", true, 54},
        {"1e1", true, 540},      {"1e12", false, 0},
        {"1e400", false, 0},     {"-1e400", false, 0},
        {"nan", false, 0},       {"NAN", false, 0},
        {"inf", false, 0},       {"-inf", false, 0},
        {"infinity", false, 0},  {"0x1A", false, 0},
        {"0x0", false, 0},       {"10us", false, 0},
        {"10,5", false, 0},      {"1 0", false, 0},
    };
    const TimingLimits limits;
    for (const Typed& t : ntsc) {
        double seconds = -99.0;
        EXPECT_EQ(limits.DelayFromText(t.text, seconds), t.accepted) << t.text;
        if (t.accepted) {
            EXPECT_NEAR(seconds, t.steps * kStep54, 1e-15) << t.text;
            EXPECT_EQ(limits.DelaySpinPosition(seconds), t.steps) << t.text;
        } else {
            EXPECT_EQ(seconds, -99.0) << t.text;
        }
    }
    double seconds = 0.0;
    ASSERT_TRUE(limits.DelayFromText("10.01", seconds));
    EXPECT_EQ(platform::Format("%8.4f", seconds * 1e6), " 10.0185");
}

// An HD bound is a whole number of steps: the bound typed as it is shown is accepted.
TEST(TimingLimits, HdBoundsAreReachableAsShown) {
    for (int code = 14; code <= 25; ++code) {
        TimingLimits limits;
        ASSERT_TRUE(KintorTimingLimits(3, code, limits));
        const int bound = limits.DelaySpinBound();
        for (int sign : {1, -1}) {
            const std::string shown =
                platform::Format("%.8f", sign * limits.DelayBoundMicroseconds());
            double seconds = 0.0;
            ASSERT_TRUE(limits.DelayFromText(shown, seconds)) << code << " " << shown;
            EXPECT_EQ(limits.DelaySpinPosition(seconds), sign * bound) << code;
            const std::string beyond = platform::Format(
                "%.8f", sign * (limits.DelayBoundMicroseconds() + limits.StepMicroseconds()));
            EXPECT_FALSE(limits.DelayFromText(beyond, seconds)) << code << " " << beyond;
        }
    }
}

TEST(TimingLimits, SpinPositionsOfGridDelaysAreTheirStepCounts) {
    std::vector<TimingLimits> all(3);
    PirvoTimingLimits(1, all[0]);
    KintorTimingLimits(3, 14, all[1]);
    BrumoTimingLimits(2, 17, all[2]);
    for (const TimingLimits& l : all) {
        for (int n = -l.DelaySpinBound(); n <= l.DelaySpinBound(); ++n) {
            ASSERT_EQ(l.DelaySpinPosition(n * l.step), n) << l.step;
            // As a module answers it: four decimals of a microsecond.
            const double readBack = std::round(n * l.step * 1e10) / 1e10;
            ASSERT_EQ(l.DelaySpinPosition(readBack), n) << l.step << " " << readBack;
        }
    }
    // A clamped delay sits on the bound, off the grid: the spin stops at the last whole step.
    const TimingLimits ntsc;
    EXPECT_DOUBLE_EQ(ntsc.ClampDelay(1.0), kNtscBound);
    EXPECT_DOUBLE_EQ(ntsc.ClampDelay(-1.0), -kNtscBound);
    EXPECT_EQ(ntsc.DelaySpinPosition(ntsc.ClampDelay(1.0)), 3432);
    EXPECT_EQ(ntsc.DelaySpinPosition(ntsc.ClampDelay(-1.0)), -3432);
    EXPECT_EQ(ntsc.ClampDelay(std::nan("")), 0.0);
    EXPECT_EQ(ntsc.ClampLines(1000), 525);
    EXPECT_EQ(ntsc.ClampLines(-1000), -525);
    EXPECT_EQ(ntsc.ClampLines(-7), -7);
}

TEST(TimingLimits, TypedFinePartsCutToTenthsWithinTheFineBound) {
    TimingLimits hd;
    ASSERT_TRUE(BrumoTimingLimits(2, 5, hd));
    const TimingLimits sd;
    struct Fine {
        const TimingLimits* limits;
        const char* text;
        bool accepted;
        int tenths;
    };
    const Fine cases[] = {
        {&sd, "0.29", true, 2},    {&sd, "-0.29", true, -2}, {&sd, "10", true, 100},
        {&sd, "10.09", true, 100}, {&sd, "10.1", false, 0},  {&sd, "-10.1", false, 0},
        {&hd, "7", true, 70},      {&hd, "7.09", true, 70},  {&hd, "7.1", false, 0},
        {&hd, "-7.19", false, 0},  {&hd, "nan", false, 0},   {&hd, "inf", false, 0},
        {&hd, "0x7", false, 0},    {&hd, "1e300", false, 0}, {&hd, "-", true, 0},
    };
    for (const Fine& c : cases) {
        double seconds = -99.0;
        EXPECT_EQ(c.limits->FineFromText(c.text, seconds), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_NEAR(seconds, c.tenths * 1e-10, 1e-18) << c.text;
            EXPECT_EQ(c.limits->FineSpinPosition(seconds), c.tenths) << c.text;
        } else {
            EXPECT_EQ(seconds, -99.0) << c.text;
        }
    }
}

TEST(TimingLimits, SplitKeepsTheFinePartInsideItsBound) {
    TimingLimits hd, genlockHd;
    ASSERT_TRUE(BrumoTimingLimits(2, 5, hd));
    ASSERT_TRUE(BrumoGenlockLimits(6, 0.0, 0, genlockHd));
    const TimingLimits sd;
    struct Case {
        const TimingLimits* limits;
        double total;
        double coarse;
        int fineTenths;
    };
    const Case cases[] = {
        {&hd, 10 * kStepHd7425 + 3.2e-9, 10 * kStepHd7425, 32},
        {&hd, -10 * kStepHd7425 - 3.2e-9, -10 * kStepHd7425, -32},
        {&sd, 540 * kStep54, 540 * kStep54, 0},
        {&sd, 5 * kStep54 + 9.26e-9, 6 * kStep54, -93},
        // The genlock grid is coarser than twice its HD fine bound: the bound moves over.
        {&genlockHd, 8e-9, 7e-9, 10},
        {&genlockHd, -8e-9, -7e-9, -10},
        {&genlockHd, 7e-9, 7e-9, 0},
        {&genlockHd, 6.9e-9, 0.0, 69},
    };
    for (const Case& c : cases) {
        double coarse = 0.0, fine = 0.0;
        c.limits->Split(c.total, coarse, fine);
        EXPECT_NEAR(coarse, c.coarse, 1e-15) << c.total;
        EXPECT_EQ(c.limits->FineSpinPosition(fine), c.fineTenths) << c.total;
        EXPECT_NEAR(coarse + fine, c.total, 0.051e-9) << c.total;
        EXPECT_LT(std::fabs(fine), c.limits->fineBound) << c.total;
    }
}

}  // namespace
}  // namespace corvane::testing
