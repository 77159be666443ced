#include <gtest/gtest.h>

#include "quarnsim/LineParser.h"

using quarnsim::Argument;
using quarnsim::LineParser;
using Nodes = std::vector<std::string>;

TEST(LineParser, RelativeHeadersReplaceTheLastNodeAndColonRestarts) {
    auto commands = LineParser::Parse("OUTP:AUD:NBIT?;SYNC?;:SENS:ROSC:FRAME1:FREQ?;MDEL?");
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].nodes, (Nodes{"OUTP", "AUD", "NBIT"}));
    EXPECT_EQ(commands[1].nodes, (Nodes{"OUTP", "AUD", "SYNC"}));
    EXPECT_EQ(commands[2].nodes, (Nodes{"SENS", "ROSC", "FRAME1", "FREQ"}));
    EXPECT_EQ(commands[3].nodes, (Nodes{"SENS", "ROSC", "FRAME1", "MDEL"}));
    for (const auto& command : commands) EXPECT_TRUE(command.query);
}

TEST(LineParser, CommonCommandsLeaveThePathAlone) {
    auto commands = LineParser::Parse("OUTP:AUD:NBIT 24;*OPC?;SYNC ON;*CLS");
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_TRUE(commands[1].common);
    EXPECT_EQ(commands[1].nodes, (Nodes{"*OPC"}));
    EXPECT_EQ(commands[2].nodes, (Nodes{"OUTP", "AUD", "SYNC"}));
    EXPECT_FALSE(commands[2].query);
    EXPECT_EQ(commands[3].HeaderText(), "*CLS");
}

TEST(LineParser, EveryLineStartsAtTheRoot) {
    LineParser::Parse("OUTP:AUD:NBIT?");
    auto commands = LineParser::Parse("SYNC?");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].nodes, (Nodes{"SYNC"}));
}

TEST(LineParser, QuotedArgumentsKeepSeparatorsAndQuestionMarks) {
    auto commands = LineParser::Parse("MMEM:PRES:REN 3,\"a;b?c,d\";*OPC?");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_FALSE(commands[0].query);
    ASSERT_EQ(commands[0].arguments.size(), 2u);
    EXPECT_EQ(commands[0].arguments[0].text, "3");
    EXPECT_EQ(commands[0].arguments[0].kind, Argument::Kind::Plain);
    EXPECT_EQ(commands[0].arguments[1].text, "a;b?c,d");
    EXPECT_EQ(commands[0].arguments[1].kind, Argument::Kind::Quoted);
    EXPECT_TRUE(commands[1].query);

    auto folded = LineParser::Parse("X \"say \"\"hi\"\"\", 'it''s;'  ,  plain text ");
    ASSERT_EQ(folded.size(), 1u);
    ASSERT_EQ(folded[0].arguments.size(), 3u);
    EXPECT_EQ(folded[0].arguments[0].text, "say \"hi\"");
    EXPECT_EQ(folded[0].arguments[1].text, "it's;");
    EXPECT_EQ(folded[0].arguments[2].text, "plain text");
}

TEST(LineParser, EmptyCommandsAreSkipped) {
    auto commands = LineParser::Parse("MMEM:PRES:DEL 3;");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].HeaderText(), "MMEM:PRES:DEL");
    EXPECT_TRUE(commands[0].syntaxError.empty());
    EXPECT_TRUE(LineParser::Parse("").empty());
    EXPECT_TRUE(LineParser::Parse(" ; ;").empty());
}

TEST(LineParser, DefiniteLengthBlocksAreTakenRaw) {
    std::string line = "MMEM:DATA \"f.bin\",#15a;b\nc;*OPC?";
    auto commands = LineParser::Parse(line);
    ASSERT_EQ(commands.size(), 2u);
    ASSERT_EQ(commands[0].arguments.size(), 2u);
    EXPECT_EQ(commands[0].arguments[1].kind, Argument::Kind::Block);
    EXPECT_EQ(commands[0].arguments[1].text, "a;b\nc");
    EXPECT_EQ(commands[1].HeaderText(), "*OPC?");

    auto trailingBlanks = LineParser::Parse("MMEM:DATA \"f\",#13a  ");
    ASSERT_EQ(trailingBlanks.size(), 1u);
    EXPECT_EQ(trailingBlanks[0].arguments[1].text, "a  ");

    auto indefinite = LineParser::Parse("MMEM:DATA \"f\",#0x;y");
    ASSERT_EQ(indefinite.size(), 1u);
    EXPECT_EQ(indefinite[0].arguments[1].text, "x;y");
}

TEST(LineParser, MalformedCommandsReportSyntaxErrors) {
    for (const char* line : {"X \"open", "X #9123", "X #3abc", "X 1,,2", "X 1,", "OU$TP?",
                             "OUTP::AUD?", ":", "*?", "X \"a\"b"}) {
        auto commands = LineParser::Parse(line);
        ASSERT_FALSE(commands.empty()) << line;
        EXPECT_FALSE(commands[0].syntaxError.empty()) << line;
    }
}
