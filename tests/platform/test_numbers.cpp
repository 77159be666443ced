#include <gtest/gtest.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Numbers.h"

namespace {

using namespace platform;

TEST(NumbersParse, LeadingDecimalNumberWithTheRestIgnored) {
    const char* end = nullptr;
    EXPECT_DOUBLE_EQ(1.4, StrToDouble("1.4"));
    const char* text = "  -3.5e2xyz";
    EXPECT_DOUBLE_EQ(-350.0, StrToDouble(text, &end));
    EXPECT_STREQ("xyz", end);
    EXPECT_DOUBLE_EQ(12.0, StrToDouble("+12e", &end));
    EXPECT_STREQ("e", end);  // an exponent without digits is not part of the number
    EXPECT_DOUBLE_EQ(0.5, StrToDouble(".5;1"));
    EXPECT_DOUBLE_EQ(7.0, StrToDouble("7.;"));
    EXPECT_DOUBLE_EQ(1.0, StrToDouble("1,5"));
}

TEST(NumbersParse, OnlyDecimalNumbersAreAccepted) {
    const char* end = nullptr;
    for (const char* text : {"nan", "NAN(0x1)", "inf", "-Infinity", "", "  ", "-", ".", "e5"}) {
        EXPECT_EQ(0.0, StrToDouble(text, &end)) << text;
        EXPECT_EQ(text, end) << text;
    }
    EXPECT_EQ(0.0, StrToDouble("0x1A", &end));
    EXPECT_STREQ("x1A", end);
    EXPECT_EQ(0.0, StrToDouble(nullptr));
    EXPECT_EQ(0, StrToLong("0x1A", &end));
    EXPECT_STREQ("x1A", end);
    EXPECT_EQ(0, StrToInt("nan"));
    EXPECT_EQ(0, StrToInt("inf"));
}

TEST(NumbersParse, ValuesBeyondTheRangeSaturate) {
    EXPECT_EQ(DBL_MAX, StrToDouble("1e999"));
    EXPECT_EQ(-DBL_MAX, StrToDouble("-1e999"));
    EXPECT_EQ(0.0, StrToDouble("1e-999"));
    EXPECT_EQ(LONG_MAX, StrToLong("99999999999999999999999"));
    EXPECT_EQ(LONG_MIN, StrToLong("-99999999999999999999999"));
    EXPECT_EQ(LONG_MIN, StrToLong("-9223372036854775808"));
    EXPECT_EQ(LONG_MAX, StrToLong("9223372036854775808"));
    EXPECT_EQ(INT_MAX, StrToInt("2147483648"));
    EXPECT_EQ(INT_MIN, StrToInt("-2147483649"));
    EXPECT_EQ(-2147483647 - 1, StrToInt("-2147483648"));
    EXPECT_EQ(42, StrToInt("  +42abc"));
    EXPECT_EQ(3, StrToInt("3.9"));
    const char* end = nullptr;
    StrToLong("123456789012345678901234x", &end);
    EXPECT_STREQ("x", end);
}

// What the C library makes of a decimal number, saturated as StrToDouble saturates.
double StrtodSaturated(const char* text, const char** end) {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    char* stop = nullptr;
    double value = ::strtod_l(text, &stop, c);
    *end = stop;
    if (std::isinf(value)) {
        value = value < 0 ? -DBL_MAX : DBL_MAX;
    }
    return value;
}

void ExpectSameAsStrtod(const std::string& text) {
    const char* ourEnd = nullptr;
    const char* theirEnd = nullptr;
    const double ours = StrToDouble(text.c_str(), &ourEnd);
    const double theirs = StrtodSaturated(text.c_str(), &theirEnd);
    std::uint64_t ourBits = 0;
    std::uint64_t theirBits = 0;
    std::memcpy(&ourBits, &ours, sizeof ours);
    std::memcpy(&theirBits, &theirs, sizeof theirs);
    EXPECT_EQ(ourBits, theirBits) << text << ": " << ours << " against " << theirs;
    EXPECT_EQ(ourEnd - text.c_str(), theirEnd - text.c_str()) << text;
}

TEST(NumbersParse, EveryDecimalNumberReadsToTheBitAsStrtodReadsIt) {
    const std::string manyDigits(800, '7');
    const std::string hard[] = {
        "0.1",
        "-0",
        "+0.0",
        "-0.0e5",
        "+1.5;2",
        "1e23",
        "8.5",
        "2.5e-3",
        "-.75e+2",
        "9007199254740993",                   // halfway between two doubles: rounds to even
        "9007199254740993.0000000000000001",  // just past halfway
        "2.2250738585072011e-308",            // largest subnormal, rounds up to the normal
        "2.2250738585072014e-308",            // smallest normal
        "4.9406564584124654e-324",            // smallest subnormal
        "2.4703282292062327e-324",            // just below half of it: zero
        "2.4703282292062328e-324",            // just above: the smallest subnormal
        "1e-400",
        "-1e-400",
        "1.7976931348623157e308",
        "1.7976931348623158e308",
        "1.7976931348623159e308",  // rounds past the largest double: saturates
        "1e309",
        "-1e309",
        "0e99999999999",
        "1e-99999999999",
        "00000000000000000000001.5",
        "0." + std::string(400, '0') + "1e400",
        manyDigits,
        manyDigits + "e-700",
        "1." + manyDigits,
        "  \t-3.25xyz",
        "7.e",
        "6.02214076e23;1",
        "1.00000000000000011102230246251565404236316680908203125",
        "1.00000000000000011102230246251565404236316680908203124",
        "1.00000000000000011102230246251565404236316680908203126"};
    for (const std::string& text : hard) {
        ExpectSameAsStrtod(text);
    }
    // And a sweep of doubles from all over the range, written the ways a reply may write them.
    std::uint64_t bits = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 20000; ++i) {
        bits = bits * 6364136223846793005u + 1442695040888963407u;
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        for (const char* format : {"%.17g", "%.15g", "%.6e", "%.25e", "%f"}) {
            char text[512];
            std::snprintf(text, sizeof text, format, value);
            ExpectSameAsStrtod(text);
        }
    }
}

TEST(NumbersConvert, DoubleToIntSaturates) {
    EXPECT_EQ(0, DoubleToIntSaturated(std::nan("")));
    EXPECT_EQ(INT_MAX, DoubleToIntSaturated(1e300));
    EXPECT_EQ(INT_MIN, DoubleToIntSaturated(-1e300));
    EXPECT_EQ(INT_MAX, DoubleToIntSaturated(HUGE_VAL));
    EXPECT_EQ(-2, DoubleToIntSaturated(-2.9));
    EXPECT_EQ(2, DoubleToIntSaturated(2.9));
}

TEST(NumbersFormat, PrintfStyleIntoAString) {
    EXPECT_EQ("F=1.500 N=-3 S=abc", Format("F=%.3f N=%d S=%s", 1.5, -3, "abc"));
    const std::string longText(1000, 'y');
    EXPECT_EQ(longText + "!", Format("%s!", longText.c_str()));
}

TEST(NumbersScan, AgreesWithSscanfOnIntegerLists) {
    const char* commaInputs[] = {"1, 2,3, 4", "1, 2,3 ,  4", " -1,+2,\t3,4,5", "1;2", "1,", "",
                                 "x",         "7,-"};
    for (const char* text : commaInputs) {
        int expected[4] = {-9, -9, -9, -9};
        int got[4] = {-9, -9, -9, -9};
        const int n = std::sscanf(text, "%d, %d, %d, %d", &expected[0], &expected[1], &expected[2],
                                  &expected[3]);
        EXPECT_EQ(n < 0 ? 0 : n, ScanInts(text, ", ", got, 4)) << text;
        EXPECT_TRUE(std::equal(expected, expected + 4, got)) << text;
    }
    const char* dottedInputs[] = {"192.168.0.10", "10.20;30.40", "7 .8", "7. 8", "1.2.3", " 4"};
    for (const char* text : dottedInputs) {
        int expected[4] = {-9, -9, -9, -9};
        int got[4] = {-9, -9, -9, -9};
        const int n = std::sscanf(text, "%d.%d.%d.%d", &expected[0], &expected[1], &expected[2],
                                  &expected[3]);
        EXPECT_EQ(n < 0 ? 0 : n, ScanInts(text, ".", got, 4)) << text;
        EXPECT_TRUE(std::equal(expected, expected + 4, got)) << text;
    }
}

TEST(NumbersScan, SaturatesAndStopsAtTheRequestedCount) {
    int values[2] = {5, 5};
    EXPECT_EQ(1, ScanInts("99999999999", ".", values, 1));
    EXPECT_EQ(INT_MAX, values[0]);
    EXPECT_EQ(5, values[1]);
    EXPECT_EQ(2, ScanInts("1.2.3", ".", values, 2));
    EXPECT_EQ(0, ScanInts(nullptr, ".", values, 2));
}

// German numbers write a decimal comma; the process locale must not change what we read or
// write. The locale is compiled into a private folder when the system has none installed.
bool SetGermanNumericLocale(const std::string& folder) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            return true;
        }
    }
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", folder.c_str(), 1);
    const bool set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    unsetenv("LOCPATH");
    return set;
}

TEST(NumbersLocale, DecimalPointIgnoresAGermanNumericLocale) {
    struct RestoreCLocale {
        ~RestoreCLocale() { UseCNumericLocale(); }
    } restore;
    const std::string folder = testing::TempDir() + "/numbers_locale_" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    if (!SetGermanNumericLocale(folder)) {
        GTEST_SKIP() << "no German locale available and localedef could not build one";
    }
    ASSERT_STREQ(",", std::localeconv()->decimal_point);
    EXPECT_DOUBLE_EQ(1.0, StrToDouble("1,5"));
    EXPECT_DOUBLE_EQ(2.25, StrToDouble("2.25"));
    EXPECT_EQ("2.50 1e+06", Format("%.2f %g", 2.5, 1e6));
    int values[2] = {};
    EXPECT_EQ(2, ScanInts("1,2", ",", values, 2));
    std::filesystem::remove_all(folder);
}

}  // namespace
