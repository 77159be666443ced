#include <gtest/gtest.h>

#include "quarnsim/ErrorQueue.h"
#include "quarnsim/HeaderTree.h"
#include "quarnsim/LineParser.h"
#include "quarnsim/ModelTable.h"

using namespace quarnsim;

namespace {

const HeaderTree::Entry* Find(const HeaderTree& tree, const std::string& line,
                              std::vector<int>* suffixes) {
    auto commands = LineParser::Parse(line);
    return commands.size() == 1 ? tree.Find(commands[0], suffixes) : nullptr;
}

int Accept(CommandContext&) {
    return 1;
}

ParameterDef Parameter(std::string header, ParameterKind kind, std::string defaultValue) {
    ParameterDef parameter;
    parameter.header = std::move(header);
    parameter.kind = kind;
    parameter.defaultValue = std::move(defaultValue);
    return parameter;
}

}  // namespace

TEST(HeaderTree, SuffixesAndOptionalNodes) {
    HeaderTree tree;
    ASSERT_TRUE(tree.Register("OUTPut#:AUDio:NBITs?", Accept));
    ASSERT_TRUE(tree.Register("[SOURce]:FREQuency?", Accept));
    ASSERT_TRUE(tree.Register("SENSe:ROSCillator:FRAMe#:FREQuency?", Accept));
    std::vector<int> suffixes;

    const auto* entry = Find(tree, "OUTP2:AUD:NBIT?", &suffixes);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortName, "OUTP:AUD:NBIT?");
    EXPECT_EQ(entry->longName, "OUTPUT:AUDIO:NBITS?");
    EXPECT_EQ(suffixes, std::vector<int>{2});
    ASSERT_NE(Find(tree, "output:audio:nbits?", &suffixes), nullptr);
    EXPECT_EQ(suffixes, std::vector<int>{1});
    ASSERT_NE(Find(tree, "OUTPUT12:AUD:NBITS?", &suffixes), nullptr);
    EXPECT_EQ(suffixes, std::vector<int>{12});
    ASSERT_NE(Find(tree, "SENS:ROSC:FRAME1:FREQ?", &suffixes), nullptr);

    EXPECT_NE(Find(tree, "FREQ?", &suffixes), nullptr);
    EXPECT_NE(Find(tree, "SOUR:FREQ?", &suffixes), nullptr);
    EXPECT_NE(Find(tree, "SOURCE:FREQUENCY?", &suffixes), nullptr);

    EXPECT_EQ(Find(tree, "OUTPU:AUD:NBIT?", &suffixes), nullptr);  // half a long form
    EXPECT_EQ(Find(tree, "OUTP:AUD:NBIT", &suffixes), nullptr);    // the set form is not there
    EXPECT_EQ(Find(tree, "OUTP1234567:AUD:NBIT?", &suffixes), nullptr);
    EXPECT_EQ(Find(tree, "OUTP:AUD:NBIT:X?", &suffixes), nullptr);
}

TEST(HeaderTree, UnreadablePatternsAreRefused) {
    HeaderTree tree;
    EXPECT_FALSE(tree.Register("", Accept));
    EXPECT_FALSE(tree.Register("?", Accept));
    EXPECT_FALSE(tree.Register("lower:case", Accept));  // no short form
    EXPECT_FALSE(tree.Register("OUT$P", Accept));
    EXPECT_EQ(tree.Size(), 0u);
}

TEST(ModelTable, NumbersAreCheckedAndStoredInTheirReplySpelling) {
    ParameterDef bits = Parameter("OUTPut#:AUDio:NBITs", ParameterKind::Integer, "24");
    bits.minimum = 16;
    bits.maximum = 24;
    ParameterDef level = Parameter("LEVel", ParameterKind::Real, "0");
    level.minimum = -60;
    level.maximum = 0;
    level.realFormat = "%.1f";
    std::string value;
    int error = 0;
    auto plain = [](std::string text) { return Argument{Argument::Kind::Plain, std::move(text)}; };

    ASSERT_TRUE(ModelTable::Normalize(bits, plain("20"), &value, &error));
    EXPECT_EQ(value, "20");
    EXPECT_FALSE(ModelTable::Normalize(bits, plain("25"), &value, &error));
    EXPECT_EQ(error, err::kDataOutOfRange);
    for (const char* bad : {"abc", "nan", "inf", "0x10", "20.5", "", "1e999"}) {
        EXPECT_FALSE(ModelTable::Normalize(bits, plain(bad), &value, &error)) << bad;
        EXPECT_EQ(error, err::kDataTypeError) << bad;
    }
    EXPECT_FALSE(ModelTable::Normalize(bits, {Argument::Kind::Quoted, "20"}, &value, &error));

    ASSERT_TRUE(ModelTable::Normalize(level, plain("-12.25"), &value, &error));
    EXPECT_EQ(value, "-12.2");
    EXPECT_EQ(ModelTable::Reply(level, value), "-12.2");
}

TEST(ModelTable, ChoicesAndTexts) {
    ParameterDef format = Parameter("FORMat", ParameterKind::Choice, "PAL");
    format.choices = {{"PAL", "PAL"}, {"NTSCjapan", "NTSC-J"}};
    ParameterDef title = Parameter("TITLe", ParameterKind::Text, "");
    std::string value;
    int error = 0;

    ASSERT_TRUE(ModelTable::Normalize(format, {Argument::Kind::Plain, "ntsc"}, &value, &error));
    EXPECT_EQ(value, "NTSC-J");
    ASSERT_TRUE(
        ModelTable::Normalize(format, {Argument::Kind::Plain, "NTSCJAPAN"}, &value, &error));
    EXPECT_FALSE(ModelTable::Normalize(format, {Argument::Kind::Plain, "NTSCJ"}, &value, &error));
    EXPECT_EQ(error, err::kIllegalParameterValue);

    ASSERT_TRUE(ModelTable::Normalize(title, {Argument::Kind::Quoted, "a\"b;c"}, &value, &error));
    EXPECT_EQ(ModelTable::Reply(title, value), "\"a\"\"b;c\"");
}

TEST(ModelTable, EveryModelHasATable) {
    for (const char* model :
         {"CPU", "Tavix", "Brumo", "Kintor", "Sormet", "Ulmeth", "Pirvo", "Oltra", "Yarlo"}) {
        EXPECT_EQ(ModelTable::ForModel(model).Model(), model);
    }
    EXPECT_TRUE(ModelTable::ForModel("Zzyzx").Parameters().empty());
}

TEST(HeaderTree, SuffixRangesTellAWrongSuffixFromAWrongHeader) {
    HeaderTree tree;
    ASSERT_TRUE(tree.Register("OUTPut#{1}:AUDio:CHANnel#{1-8}:AMPLitude?", Accept));
    ASSERT_TRUE(tree.Register("OUTPut#{3}:STANdard?", Accept));
    ASSERT_TRUE(tree.Register("[SOURce#{2-3}]:LEVel?", Accept));
    std::vector<int> suffixes;
    auto find = [&](const std::string& line, bool* outOfRange) {
        auto commands = LineParser::Parse(line);
        return tree.Find(commands.at(0), &suffixes, outOfRange);
    };
    bool outOfRange = true;

    ASSERT_NE(find("OUTP:AUD:CHAN8:AMPL?", &outOfRange), nullptr);
    EXPECT_EQ(suffixes, (std::vector<int>{1, 8}));
    ASSERT_NE(find("OUTP3:STAN?", &outOfRange), nullptr);
    EXPECT_EQ(find("OUTP:AUD:CHAN9:AMPL?", &outOfRange), nullptr);
    EXPECT_TRUE(outOfRange);
    EXPECT_EQ(find("OUTP2:AUD:CHAN1:AMPL?", &outOfRange), nullptr);
    EXPECT_TRUE(outOfRange);
    EXPECT_EQ(find("OUTP:STAN?", &outOfRange), nullptr);  // no suffix means 1
    EXPECT_TRUE(outOfRange);
    EXPECT_EQ(find("OUTP:AUD:CHAN1:VOL?", &outOfRange), nullptr);
    EXPECT_FALSE(outOfRange);

    // An optional node with a suffix range that excludes 1 cannot be left out.
    ASSERT_NE(find("SOUR2:LEV?", &outOfRange), nullptr);
    EXPECT_EQ(find("LEV?", &outOfRange), nullptr);
    EXPECT_TRUE(outOfRange);

    for (const char* bad : {"CHAN#{}", "CHAN#{8-1}", "CHAN#{a}", "CHAN#{1-}", "CHAN#1-8"}) {
        EXPECT_FALSE(tree.Register(bad, Accept)) << bad;
    }
}
