#include <gtest/gtest.h>

#include "quarnsim/FaultPlan.h"
#include "quarnsim/LineAssembler.h"

using quarnsim::FaultPlan;
using quarnsim::LineAssembler;

namespace {

std::vector<LineAssembler::Line> FeedAll(LineAssembler& assembler,
                                         const std::vector<std::string>& chunks) {
    std::vector<LineAssembler::Line> lines;
    for (const auto& chunk : chunks) assembler.Feed(chunk, lines);
    return lines;
}

}  // namespace

TEST(LineAssembler, LinesEndAtLineFeedWithCarriageReturnsDropped) {
    LineAssembler assembler;
    auto lines = FeedAll(assembler, {"*ID", "N?\r", "\n*CLS\r\n\r\nA\rB", "\n"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "*IDN?");
    EXPECT_TRUE(lines[0].query);
    EXPECT_EQ(lines[1].text, "*CLS");
    EXPECT_FALSE(lines[1].query);
    EXPECT_EQ(lines[2].text, "");
    EXPECT_EQ(lines[3].text, "AB");
    EXPECT_FALSE(assembler.Pending());
}

TEST(LineAssembler, QuestionMarksInsideQuotesAndBlocksAreNoQueries) {
    LineAssembler assembler;
    auto lines = FeedAll(assembler, {"X \"a?\",'b?'\nMMEM:DATA \"f\",#13?\n?\n"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].query);
    EXPECT_EQ(lines[1].text, "MMEM:DATA \"f\",#13?\n?");  // the block keeps its LF
    EXPECT_FALSE(lines[1].query);
}

TEST(LineAssembler, BlockBytesSurviveAnySplit) {
    std::string message = "MMEM:DATA \"f\",#210\r\n\r\n;\"#\"?x;*OPC?\n";
    for (size_t cut = 0; cut <= message.size(); ++cut) {
        LineAssembler assembler;
        auto lines = FeedAll(assembler, {message.substr(0, cut), message.substr(cut)});
        ASSERT_EQ(lines.size(), 1u) << cut;
        EXPECT_EQ(lines[0].text, "MMEM:DATA \"f\",#210\r\n\r\n;\"#\"?x;*OPC?") << cut;
        EXPECT_TRUE(lines[0].query) << cut;
    }
}

TEST(LineAssembler, OverlongLinesAreDroppedAndReadingGoesOn) {
    LineAssembler assembler(8);
    auto lines = FeedAll(assembler, {"123456789?", "abc\n*OPC?\n"});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].overflow);
    EXPECT_TRUE(lines[0].query);
    EXPECT_TRUE(lines[0].text.empty());
    EXPECT_FALSE(lines[1].overflow);
    EXPECT_EQ(lines[1].text, "*OPC?");

    // A block claiming more than its cap is counted through, not stored.
    LineAssembler blocks(16, 16);
    auto big = FeedAll(blocks, {"D #240", std::string(40, '\n'), "\nNEXT\n"});
    ASSERT_EQ(big.size(), 2u);
    EXPECT_TRUE(big[0].overflow);
    EXPECT_EQ(big[1].text, "NEXT");
}

TEST(FaultPlan, EachFaultAppliesToTheNextReplyOnly) {
    FaultPlan plan;
    plan.ReplaceNextReply("garbage\r");
    plan.DelayNextReply(std::chrono::milliseconds(30));
    auto first = plan.TakeForReply("1\n");
    EXPECT_EQ(first.bytes, "garbage\r");
    EXPECT_EQ(first.delay.count(), 30);
    EXPECT_FALSE(first.close);
    auto second = plan.TakeForReply("1\n");
    EXPECT_EQ(second.bytes, "1\n");
    EXPECT_EQ(second.delay.count(), 0);
}

TEST(FaultPlan, CloseBudgetSpansReplies) {
    FaultPlan plan;
    plan.CloseAfterBytes(5);
    auto first = plan.TakeForReply("abc\n");
    EXPECT_EQ(first.bytes, "abc\n");
    EXPECT_FALSE(first.close);
    auto second = plan.TakeForReply("defg\n");
    EXPECT_EQ(second.bytes, "d");
    EXPECT_TRUE(second.close);
    EXPECT_FALSE(plan.TakeForReply("x\n").close);

    plan.CloseAfterBytes(0);
    auto none = plan.TakeForReply("x\n");
    EXPECT_EQ(none.bytes, "");
    EXPECT_TRUE(none.close);
}
