// The rules the tab pages share that need no window, and how a channel message carries its
// channel and value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "corvane/pages/common/ChannelMessage.h"
#include "corvane/pages/common/PageRules.h"

namespace corvane {
namespace {

TEST(PageRules, IdTextIsCutAtTheFirstHighByteElseLosesItsQuotes) {
    struct Case {
        std::string typed;
        int firstHighByte;
        IdText verdict;
        std::string after;
    };
    const Case cases[] = {
        {"AB\xE9"
         "CD\"",
         2, IdText::Cut, "AB"},  // the cut wins over the quotes after it
        {"\xFF", 0, IdText::Cut, ""},
        {"O'K\"\xFF", 4, IdText::Cut, "O'K\""},  // quotes before the cut stay for the next pass
        {"Say \"hi\" it's", -1, IdText::QuotesRemoved, "Say hi its"},
        {"\"\"", -1, IdText::QuotesRemoved, ""},
        {"Say hi its", -1, IdText::Clean, "Say hi its"},
        {"", -1, IdText::Clean, ""},  // empty is sent as empty
        {"~\x7F", -1, IdText::Clean, "~\x7F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(FirstNonAsciiIndex(c.typed), c.firstHighByte);
        std::string text = c.typed;
        EXPECT_EQ(CleanIdText(text), c.verdict);
        EXPECT_EQ(text, c.after);
    }
}

TEST(PageRules, SnapRoundsHalfAwayFromZeroAndRefusesWhatCannotBeCounted) {
    const double tick = 1.0 / 54e6;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        double step;
        bool counted;
        double snapped;
    };
    const Case cases[] = {
        {2.6 * tick, tick, true, 3 * tick},
        {-2.5 * tick, tick, true, -3 * tick},
        {2.5, 1.0, true, 3.0},
        {2.4, 1.0, true, 2.0},
        {-2.4, 1.0, true, -2.0},
        {0.0, 0.25, true, 0.0},
        {std::nan(""), tick, false, 0.0},
        {inf, tick, false, 0.0},
        {-inf, tick, false, 0.0},
        {1e20, tick, false, 0.0},
        {1.0, 0.0, false, 0.0},
        {1.0, -1.0, false, 0.0},
        {1.0, std::nan(""), false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " by " << c.step);
        double snapped = 0.0;
        ASSERT_EQ(SnapToStep(c.value, c.step, snapped), c.counted);
        if (c.counted) {
            EXPECT_DOUBLE_EQ(snapped, c.snapped);
        }
    }
}

TEST(PageRules, SpinStepsSubtractTheReportedStepAndStayInRange) {
    struct Case {
        const char* text;
        platform::NMUPDOWN step;
        int lower, upper;
        int after;
    };
    const Case cases[] = {
        {"50", {50, -1}, 0, 100, 51},  // the up arrow with the default range
        {"50", {50, 1}, 0, 100, 49},
        {"100", {100, -1}, 0, 100, 100},
        {"0", {0, 1}, 0, 100, 0},
        {"1x", {0, 2}, 0, 100, 0},
        {"99999999999", {0, -1}, 0, 100, 100},
        {"-5", {0, 1}, -10, 10, -6},
        {"-2147483648", {0, 1}, -10, 10, -10},  // no overflow on the way
        {"2147483647", {0, -1}, -10, 10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ValueAfterStep(c.text, c.step, c.lower, c.upper), c.after);
    }
}

TEST(PageRules, ClampKeepsTheLimitsAndSpinRangesPackUpperLow) {
    struct ClampCase {
        int value, lower, upper, clamped;
    };
    for (const ClampCase& c : {ClampCase{120, 0, 100, 100}, ClampCase{-3, 0, 100, 0},
                               ClampCase{-50, -50, 50, -50}, ClampCase{7, 0, 100, 7}})
        EXPECT_EQ(Clamp(c.value, c.lower, c.upper), c.clamped) << c.value;

    struct RangeCase {
        int lower, upper;
        unsigned packed;
    };
    for (const RangeCase& c : {RangeCase{-525, 525, 0xFDF3020Du}, RangeCase{-60, 0, 0xFFC40000u},
                               RangeCase{-1000, 0, 0xFC180000u}, RangeCase{1, 100, 0x00010064u}})
        EXPECT_EQ(PackSpinRange(c.lower, c.upper), static_cast<platform::LPARAM>(c.packed))
            << c.lower << ".." << c.upper;
}

TEST(ChannelMessageArgs, EachOrderPutsChannelAndValueWhereItSaysAndBack) {
    using Order = ChannelMessage::Order;
    struct Case {
        Order order;
        int channel, value;
        platform::WPARAM wParam;
        platform::LPARAM lParam;
    };
    const auto minusTwelve = static_cast<platform::WPARAM>(platform::LPARAM{-12});
    const Case cases[] = {
        {Order::ChannelFirst, 4, 4800, 4, 4800},
        {Order::ChannelFirst, 1, -1, 1, -1},
        {Order::ValueFirst, 4, -12, minusTwelve, 4},
        {Order::ValueFirst, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.channel << " " << c.value);
        const ChannelMessage message{1120, c.order};
        const ChannelMessage::Args args = message.Pack(c.channel, c.value);
        EXPECT_EQ(args.wParam, c.wParam);
        EXPECT_EQ(args.lParam, c.lParam);
        int channel = -99, value = -99;
        message.Unpack(args.wParam, args.lParam, channel, value);
        EXPECT_EQ(channel, c.channel);
        EXPECT_EQ(value, c.value);
    }
}

}  // namespace
}  // namespace corvane
