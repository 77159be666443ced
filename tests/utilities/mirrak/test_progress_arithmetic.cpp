#include <gtest/gtest.h>

#include "utilities/mirrak/ProgressArithmetic.h"

namespace {

TEST(RemainingTimeText, RoundsEachUnitUpAndReadsFiftyNineMinutesAsAnHour) {
    EXPECT_EQ(mirrak::RemainingTimeText(125), "3 Minutes Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(59), "60 Seconds Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(3599), "1 Hour Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(3540), "1 Hour Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(3539), "59 Minutes Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(3600), "2 Hours Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(0), "1 Second Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(60), "2 Minutes Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(1), "2 Seconds Remaining");
    EXPECT_EQ(mirrak::RemainingTimeText(-7), "1 Second Remaining");
}

TEST(ProgressArithmetic, PercentStaysInRangeWithoutATotal) {
    EXPECT_EQ(mirrak::ProgressPercent(0, 100), 0);
    EXPECT_EQ(mirrak::ProgressPercent(-1, 100), 0);
    EXPECT_EQ(mirrak::ProgressPercent(1000, 0), 0);
    EXPECT_EQ(mirrak::ProgressPercent(1000, 5), 1);
    EXPECT_EQ(mirrak::ProgressPercent(1000, 4), 0);
    EXPECT_EQ(mirrak::ProgressPercent(1000, 2000), 100);
    // Past 32 bits.
    EXPECT_EQ(mirrak::ProgressPercent(8.0e9, 4.0e9), 50);
}

TEST(ProgressArithmetic, EstimateWaitsThreeMinutesAndNeverDividesByZero) {
    std::int64_t left = -1;
    EXPECT_FALSE(mirrak::RemainingSeconds(1000, 500, 179, left));
    EXPECT_TRUE(mirrak::RemainingSeconds(1000, 500, 180, left));
    EXPECT_EQ(left, 180);
    EXPECT_FALSE(mirrak::RemainingSeconds(1000, 0, 500, left));
    EXPECT_FALSE(mirrak::RemainingSeconds(0, 10, 500, left));
    // Folders counted past the total: nothing left, not a negative estimate.
    EXPECT_TRUE(mirrak::RemainingSeconds(1000, 3000, 500, left));
    EXPECT_EQ(left, 0);
    EXPECT_TRUE(mirrak::RemainingSeconds(1.0e12, 1, 1.0e6, left));
    EXPECT_GT(left, 0);
}

}  // namespace
