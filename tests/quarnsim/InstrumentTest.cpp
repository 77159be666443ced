#include <gtest/gtest.h>

#include <optional>

#include "quarnsim/Instrument.h"

using quarnsim::Instrument;
using quarnsim::Options;
using quarnsim::Session;

namespace {

class InstrumentTest : public ::testing::Test {
protected:
    InstrumentTest() : m_instrument(MakeOptions()) {}

    static Options MakeOptions() {
        Options options;
        options.modules = {{"Tavix", 1, "1.1", "2.3"}, {"Kintor", 3}};
        return options;
    }

    std::optional<std::string> Run(const std::string& line) { return Run(m_session, line); }
    std::optional<std::string> Run(Session& session, const std::string& line) {
        std::string reply;
        if (!m_instrument.ProcessLine(session, line, &reply))
            return std::nullopt;
        return reply;
    }
    std::string NextError() { return Run(":SYST:ERR?").value_or("<none>"); }

    Instrument m_instrument;
    Session m_session;
};

}  // namespace

TEST_F(InstrumentTest, HeadersMatchLongAndShortFormsInAnyCase) {
    for (const char* query : {"SYST:ERR?", "system:error?", "SYSTem:ERRor:NEXT?", "syst:err:next?",
                              ":SYST:ERR?", "*opc?;:sYsT:eRr?"}) {
        std::string reply = Run(query).value_or("<none>");
        EXPECT_NE(reply.find("0,\"No error\""), std::string::npos) << query;
    }
    EXPECT_EQ(Run("SYSTE:ERR?"), "");  // neither the short nor the long form
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
}

TEST_F(InstrumentTest, AnswersJoinInQueryOrderAndFailedQueriesKeepTheirPlace) {
    EXPECT_EQ(Run("*OPC?;*IDN?;:INST:CAT?"),
              "1;Harnoq,Quarn USR,0,3.10;\"CPU:0\",\"Tavix:1\",\"Kintor:3\"");
    EXPECT_EQ(Run("*OPC?;FOO?;*OPC?"), "1;;1");
    EXPECT_EQ(Run("FOO?"), "");
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
    EXPECT_EQ(NextError(), "0,\"No error\"");
}

TEST_F(InstrumentTest, LinesWithoutQueriesGetNoReply) {
    EXPECT_EQ(Run("*CLS;INST:SEL \"Tavix:1\""), std::nullopt);
    EXPECT_EQ(Run("FOO"), std::nullopt);  // an unknown set command only queues its error
    EXPECT_EQ(Run(""), std::nullopt);
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
}

TEST_F(InstrumentTest, ErrorQueueKeepsOrderClearsAndOverflows) {
    m_instrument.PushError(-200, "Execution error");
    m_instrument.PushError(-256, "File name not found");
    EXPECT_EQ(Run("SYST:ERR?"), "-200,\"Execution error\"");
    EXPECT_EQ(Run("*CLS;:SYST:ERR?"), "0,\"No error\"");

    for (int i = 0; i < 40; ++i) m_instrument.PushError(-200 - i, "E");
    EXPECT_EQ(Run("SYST:ERR:COUN?"), "16");
    for (int i = 0; i < 15; ++i) EXPECT_EQ(NextError(), "-" + std::to_string(200 + i) + ",\"E\"");
    EXPECT_EQ(NextError(), "-350,\"Queue overflow\"");

    m_instrument.PushError(-1, "say \"no\"");  // quotes inside the text are doubled
    EXPECT_EQ(NextError(), "-1,\"say \"\"no\"\"\"");
}

TEST_F(InstrumentTest, IdentityOptionsAndCatalogueFormats) {
    EXPECT_EQ(Run("*OPT?"), "\"CPU:0:1.00:3.10\",\"Tavix:1:1.1:2.3\",\"Kintor:3:1.0:2.0\"");
    EXPECT_EQ(Run("*CLS;:INST:CAT?"), "\"CPU:0\",\"Tavix:1\",\"Kintor:3\"");
    m_instrument.SetCpuSoftware("1.39");
    EXPECT_EQ(
        Run("*OPT?;*IDN?"),
        "\"CPU:0:1.00:1.39\",\"Tavix:1:1.1:2.3\",\"Kintor:3:1.0:2.0\";Harnoq,Quarn USR,0,1.39");

    Instrument bare{Options{}};
    Session session;
    std::string reply;
    ASSERT_TRUE(bare.ProcessLine(session, "INST:CAT?;*OPT?", &reply));
    EXPECT_EQ(reply, "\"CPU:0\";\"CPU:0:1.00:3.10\"");
}

TEST_F(InstrumentTest, ModuleSelectionBelongsToTheSession) {
    Session other;
    EXPECT_EQ(Run("INST:SEL?"), "\"CPU:0\"");
    EXPECT_EQ(Run("INST:SEL \"tavix:1\";SEL?"), "\"Tavix:1\"");
    EXPECT_EQ(Run(other, "INSTrument:SELect?"), "\"CPU:0\"");
    // Controller queries answer whatever is selected.
    EXPECT_EQ(Run("*OPC?;:INST:CAT?"), "1;\"CPU:0\",\"Tavix:1\",\"Kintor:3\"");

    EXPECT_EQ(Run("INST:SEL \"Tavix:3\";SEL?"), "\"Tavix:1\"");
    EXPECT_EQ(NextError(), "-224,\"Illegal parameter value\"");
    EXPECT_EQ(Run("INST \"CPU:0\";:INST?"), "\"CPU:0\"");
}

TEST_F(InstrumentTest, WrongArgumentCountsAreErrors) {
    EXPECT_EQ(Run("*IDN? 3"), "");
    EXPECT_EQ(NextError(), "-108,\"Parameter not allowed\"");
    EXPECT_EQ(Run("INST:SEL"), std::nullopt);
    EXPECT_EQ(NextError(), "-109,\"Missing parameter\"");
    EXPECT_EQ(Run("INST:SEL \"Tavix:1\",2;SEL?"), "\"CPU:0\"");
    EXPECT_EQ(NextError(), "-108,\"Parameter not allowed\"");
    EXPECT_EQ(Run("X 1,,2;*OPC?"), "1");
    EXPECT_EQ(NextError(), "-102,\"Syntax error\"");
}

TEST_F(InstrumentTest, ReplyOverridesReplaceOnlyTheirAnswer) {
    m_instrument.SetReplyOverride("INSTRUMENT:CATALOG?", "\"CPU:0\",\"Tavix:3\",\"Kintor:1\"");
    EXPECT_EQ(Run("*OPC?;:inst:cat?"), "1;\"CPU:0\",\"Tavix:3\",\"Kintor:1\"");

    m_instrument.SetReplyOverride("MMEM:PRES:CAT? 5", "\"\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT? 5;CAT? 6"), "\"\";\"PRESET 6\"");

    m_instrument.SetReplyOverride("VEND:THING?", "42");  // not a command the instrument knows
    EXPECT_EQ(Run("vend:thing?"), "42");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    m_instrument.ClearReplyOverrides();
    EXPECT_EQ(Run("INST:CAT?"), "\"CPU:0\",\"Tavix:1\",\"Kintor:3\"");
}

TEST_F(InstrumentTest, InjectedFailureHitsTheNextMatchingCommandOnce) {
    m_instrument.FailNextCommand("MMEM:STOR:PRES", -250, "Mass storage error");
    EXPECT_EQ(Run("*OPC?"), "1");  // does not match
    EXPECT_EQ(Run("MMEMORY:STORE:PRESET \"PRESET 2\""), std::nullopt);
    EXPECT_FALSE(m_instrument.PresetUsed(2));
    EXPECT_EQ(NextError(), "-250,\"Mass storage error\"");
    Run("MMEM:STOR:PRES \"PRESET 2\"");
    EXPECT_TRUE(m_instrument.PresetUsed(2));

    m_instrument.FailNextCommand("*opt", -300, "Device-specific error");
    EXPECT_EQ(Run("*OPT?;*OPC?"), ";1");
    EXPECT_EQ(NextError(), "-300,\"Device-specific error\"");
}

TEST_F(InstrumentTest, ModelParametersAnswerForTheSelectedModuleAndFollowPresets) {
    quarnsim::ModelTable table("Tavix");
    quarnsim::ParameterDef bits;
    bits.header = "OUTPut#:TEST:NBITs";
    bits.defaultValue = "24";
    bits.minimum = 16;
    bits.maximum = 24;
    table.Add(bits);
    quarnsim::ParameterDef sync;
    sync.header = "OUTPut#:TEST:SYNC";
    sync.kind = quarnsim::ParameterKind::Choice;
    sync.defaultValue = "OFF";
    sync.choices = {{"ON", "ON"}, {"OFF", "OFF"}};
    table.Add(sync);
    m_instrument.AddModelTable(table);

    EXPECT_EQ(Run("OUTP:TEST:NBIT?"), "");  // the controller is selected
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");

    Run("INST:SEL \"Tavix:1\"");
    Run("OUTP2:TEST:NBIT 20;SYNC on");
    EXPECT_EQ(Run("OUTP2:TEST:NBIT?;SYNC?;:OUTP:TEST:NBIT?;SYNC?"), "20;ON;24;OFF");
    EXPECT_EQ(m_instrument.Setting("Tavix:1/OUTP2:TEST:NBIT"), "20");
    Run("OUTP1:TEST:NBIT 30");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    Run("OUTP1:TEST:SYNC MAYBE");
    EXPECT_EQ(NextError(), "-224,\"Illegal parameter value\"");

    Run("MMEM:STOR:PRES \"PRESET 1\"");
    Run("OUTP2:TEST:NBIT 16");
    Run("MMEM:LOAD:PRES \"PRESET 1\"");
    EXPECT_EQ(Run("OUTPUT2:TEST:NBITS?"), "20");
    Run("*RST");
    EXPECT_EQ(Run("OUTP2:TEST:NBIT?"), "24");

    Session kintor;
    Run(kintor, "INST:SEL \"Kintor:3\"");
    EXPECT_EQ(Run(kintor, "OUTP:TEST:NBIT?"), "");
}
