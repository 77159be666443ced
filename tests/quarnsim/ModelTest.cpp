#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "quarnsim/Instrument.h"

using namespace quarnsim;
namespace fs = std::filesystem;

namespace {

class ModelTest : public ::testing::Test {
protected:
    ModelTest() : m_instrument(MakeOptions()) { m_instrument.Initialize(nullptr); }

    static Options MakeOptions() {
        Options options;
        options.modules = {{"Tavix", 1}, {"Brumo", 2}, {"Kintor", 3}, {"Tavix", 4}};
        return options;
    }

    std::optional<std::string> Run(const std::string& line) { return Run(m_session, line); }
    std::optional<std::string> Run(Session& session, const std::string& line) {
        std::string reply;
        if (!m_instrument.ProcessLine(session, line, &reply))
            return std::nullopt;
        return reply;
    }
    std::string NextError() { return Run("SYST:ERR?").value_or("<none>"); }
    std::string Channel(int n) {
        std::string c = std::to_string(n);
        return Run("OUTP:AUD:CHAN" + c + ":AMPL?;:OUTP:AUD:CHAN" + c + ":FREQ?;:OUTP:AUD:CHAN" + c +
                   ":CLIC?")
            .value_or("<none>");
    }

    Instrument m_instrument;
    Session m_session;
};

const int kTones[] = {-1,   0,    50,   100,  150,  200,   250,   300,   400,   500,  600,
                      750,  800,  1000, 1200, 1500, 1600,  2000,  2400,  3000,  3200, 4000,
                      4800, 5000, 6000, 8000, 9600, 10000, 12000, 15000, 16000, 20000};

}  // namespace

TEST_F(ModelTest, TavixAnswersTheReadQueriesAsThePcSendsThem) {
    Run("INST:SEL \"Tavix:1\"");
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(Channel(n), "-20;1000;0") << n;
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?"), "24;FREE");
    EXPECT_EQ(Run("SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?"), "0;59.94;50");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    Run("OUTP:AUD:CHAN3:AMPL -12");
    Run("OUTP:AUD:CHAN3:FREQ 9600");
    Run("OUTP:AUD:CHAN3:CLIC 4");
    Run("OUTP:AUD:NBIT 20");
    Run("OUTP:AUD:SYNC FRAME_TWO");
    Run("SENS:CORR:MDEL -160000");
    EXPECT_EQ(Channel(3), "-12;9600;4");
    EXPECT_EQ(Channel(2), "-20;1000;0");
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?"), "20;FRAME_TWO");
    EXPECT_EQ(Run("SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?"),
              "-160000;59.94;50");
    EXPECT_EQ(Run("OUTPUT1:AUDIO:CHANNEL3:AMPLITUDE?;FREQUENCY?;CLICK?"), "-12;9600;4");
    EXPECT_EQ(NextError(), "0,\"No error\"");
}

TEST_F(ModelTest, TavixDomains) {
    Run("INST:SEL \"Tavix:1\"");
    for (int tone : kTones) {
        Run("OUTP:AUD:CHAN8:FREQ " + std::to_string(tone));
        EXPECT_EQ(Run("OUTP:AUD:CHAN8:FREQ?"), std::to_string(tone));
    }
    EXPECT_EQ(NextError(), "0,\"No error\"");
    for (const char* tone : {"-2", "1", "49", "1100", "19999", "24000"}) {
        Run(std::string("OUTP:AUD:CHAN8:FREQ ") + tone);
        EXPECT_NE(NextError(), "0,\"No error\"") << tone;
    }
    EXPECT_EQ(Run("OUTP:AUD:CHAN8:FREQ?"), "20000");

    struct Case {
        const char* command;
        const char* error;
    } const refused[] = {
        {"OUTP:AUD:CHAN1:AMPL 1", "-222"},     {"OUTP:AUD:CHAN1:AMPL -61", "-222"},
        {"OUTP:AUD:CHAN1:AMPL -1.5", "-104"},  {"OUTP:AUD:CHAN1:AMPL LOUD", "-104"},
        {"OUTP:AUD:CHAN1:CLIC 5", "-222"},     {"OUTP:AUD:CHAN1:CLIC -1", "-222"},
        {"OUTP:AUD:NBIT 16", "-222"},          {"OUTP:AUD:NBIT 22", "-224"},
        {"OUTP:AUD:SYNC FRAME_THREE", "-224"}, {"OUTP:AUD:SYNC \"FREE\"", "-224"},
        {"SENS:CORR:MDEL 160001", "-222"},     {"SENS:CORR:MDEL -160001", "-222"},
        {"OUTP:AUD:CHAN9:AMPL -1", "-114"},    {"OUTP:AUD:CHAN0:AMPL?", "-114"},
        {"OUTP2:AUD:NBIT?", "-114"},           {"OUTP:AUD:CHAN1:AMPL", "-109"},
        {"OUTP:AUD:CHAN1:AMPL? 3", "-108"},    {"OUTP:AUD:CHAN1:VOL -3", "-113"},
    };
    for (const Case& c : refused) {
        Run(c.command);
        EXPECT_EQ(NextError().substr(0, 4), c.error) << c.command;
    }
    EXPECT_EQ(Channel(1), "-20;1000;0");
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?;:SENS:CORR:MDEL?"), "24;FREE;0");

    Run("OUTP:AUD:CHAN1:AMPL -0;:OUTP1:AUD:CHAN1:AMPL?");  // the explicit suffix is the same
    EXPECT_EQ(Run("OUTP:AUD:CHAN1:AMPL?"), "0");
    Run("OUTP:AUD:SYNC frame_one;:OUTP:AUD:NBIT 20.0");
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?"), "20;FRAME_ONE");
    EXPECT_EQ(NextError(), "0,\"No error\"");
}

TEST_F(ModelTest, TavixParametersNeedTheTavixSelected) {
    EXPECT_EQ(Run("OUTP:AUD:CHAN1:AMPL?;:OUTP:AUD:NBIT?;:SENS:CORR:MDEL?"), ";;");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
    Run("INST:SEL \"Kintor:3\"");
    EXPECT_EQ(Run("SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?"), ";59.94");
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");
}

TEST_F(ModelTest, EachTavixKeepsItsOwnValues) {
    Session second;
    Run("INST:SEL \"Tavix:1\";:OUTP:AUD:CHAN2:AMPL -7;:SENS:CORR:MDEL 1500");
    Run(second, "INST:SEL \"Tavix:4\";:OUTP:AUD:CHAN2:AMPL -33");
    EXPECT_EQ(Run("OUTP:AUD:CHAN2:AMPL?;:SENS:CORR:MDEL?"), "-7;1500");
    EXPECT_EQ(Run(second, "OUTP:AUD:CHAN2:AMPL?;:SENS:CORR:MDEL?"), "-33;0");
    EXPECT_EQ(m_instrument.ModuleSetting(1, "OUTP:AUD:CHAN2:AMPL"), "-7");
    EXPECT_EQ(m_instrument.ModuleSetting(4, "output:audio:channel2:amplitude"), "-33");
    EXPECT_EQ(m_instrument.ModuleSetting(4, "OUTP1:AUD:CHAN5:FREQ"), "1000");  // default

    ASSERT_TRUE(m_instrument.SetModuleSetting(4, "OUTP:AUD:CHAN1:FREQ", "4800"));
    EXPECT_EQ(Run(second, "OUTP:AUD:CHAN1:FREQ?"), "4800");
    ASSERT_TRUE(m_instrument.SetModuleSetting(1, ":OUTP:AUD:SYNC", "frame_two"));
    EXPECT_EQ(Run("OUTP:AUD:SYNC?"), "FRAME_TWO");

    EXPECT_FALSE(m_instrument.SetModuleSetting(4, "OUTP:AUD:CHAN1:FREQ", "4700"));
    EXPECT_FALSE(m_instrument.SetModuleSetting(4, "OUTP:AUD:CHAN9:FREQ", "400"));
    EXPECT_FALSE(m_instrument.SetModuleSetting(3, "OUTP:AUD:CHAN1:FREQ", "400"));  // Kintor
    EXPECT_FALSE(m_instrument.SetModuleSetting(2, "OUTP:AUD:CHAN1:FREQ", "400"));
    EXPECT_FALSE(m_instrument.SetModuleSetting(5, "DISP:CONT", "4"));
    EXPECT_FALSE(m_instrument.SetModuleSetting(1, "OUTP:AUD:CHAN1:FREQ?;:X", "400"));
    EXPECT_EQ(m_instrument.ModuleSetting(3, "OUTP:AUD:CHAN1:FREQ"), "");
    EXPECT_EQ(m_instrument.ModuleSetting(4, "OUTP:AUD:CHAN1:FREQ"), "4800");
}

TEST_F(ModelTest, PresetsSnapshotTavixValues) {
    Run("INST:SEL \"Tavix:4\"");
    Run("OUTP:AUD:CHAN6:AMPL -44;:OUTP:AUD:CHAN6:FREQ 15000;:OUTP:AUD:CHAN6:CLIC 3");
    Run("OUTP:AUD:NBIT 20;SYNC FRAME_ONE;:SENS:CORR:MDEL 66666");
    Run("MMEM:STOR:PRES \"PRESET 5\"");
    Run("*RST");
    EXPECT_EQ(Channel(6), "-20;1000;0");
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?;:SENS:CORR:MDEL?"), "24;FREE;0");
    Run("MMEM:LOAD:PRES \"PRESET 5\"");
    EXPECT_EQ(Channel(6), "-44;15000;3");
    EXPECT_EQ(Run("OUTP:AUD:NBIT?;SYNC?;:SENS:CORR:MDEL?"), "20;FRAME_ONE;66666");
    EXPECT_EQ(m_instrument.Setting("Tavix:1/OUTP1:AUD:NBIT"), "");  // the other one untouched
}

TEST_F(ModelTest, ClockFamilyFormats) {
    Options options = MakeOptions();
    options.modules.push_back({"Ulmeth", 3});
    options.modules.erase(options.modules.begin() + 2);  // Ulmeth in place of the Kintor
    Instrument withUlmeth(options);
    ASSERT_TRUE(withUlmeth.Initialize(nullptr));
    Session session;
    auto run = [&](const std::string& line) {
        std::string reply;
        return withUlmeth.ProcessLine(session, line, &reply) ? reply : "<none>";
    };

    Run("INST:SEL \"Brumo:2\"");
    EXPECT_EQ(Run("OUTP3:STAN?"), "BB");
    for (const char* format :
         {"HD1080_60I", "HD1080_59I", "HD1080_50I", "HD1080_24SF", "HD1080_23SF", "HD1080_30P",
          "HD1080_29P", "HD1080_25P", "HD1080_24P", "HD1080_23P", "HD720_60P", "HD720_59P",
          "HD720_50P", "BB"}) {
        Run(std::string("OUTP3:STAN ") + format);
        EXPECT_EQ(Run("OUTP3:STAN?"), format);
    }
    Run("OUTP3:STAN HD1080_59I");
    for (const char* refused : {"OUTP3:STAN HD720_30P", "OUTP3:STAN PAL", "OUTP3:STAN hd1080_5"}) {
        Run(refused);
        EXPECT_EQ(NextError(), "-224,\"Illegal parameter value\"") << refused;
    }
    Run("OUTP3:STAN hd1080_60i");  // words match in any case and answer in the module's
    EXPECT_EQ(Run("OUTP3:STAN?"), "HD1080_60I");
    EXPECT_EQ(Run("OUTP4:STAN?"), "");
    EXPECT_EQ(NextError(), "-114,\"Header suffix out of range\"");

    Run("INST:SEL \"Kintor:3\"");
    EXPECT_EQ(Run("OUTP1:STAN?;:OUTP2:STAN?;:OUTP3:STAN?;:OUTP4:STAN?"), "NTSC;NTSC;NTSC;NTSC");
    Run("OUTP1:STAN PAL;:OUTP2:STAN NTSC_NSU;:OUTP3:STAN HD720_50P;:OUTP4:STAN HD1080_23SF");
    EXPECT_EQ(Run("OUTP1:STAN?;:OUTP2:STAN?;:OUTP3:STAN?;:OUTP4:STAN?"),
              "PAL;NTSC_NSU;HD720_50P;HD1080_23SF");
    Run("OUTP1:STAN BB");
    EXPECT_EQ(NextError(), "-224,\"Illegal parameter value\"");
    Run("OUTP5:STAN PAL");
    EXPECT_EQ(NextError(), "-114,\"Header suffix out of range\"");
    EXPECT_TRUE(m_instrument.SetModuleSetting(3, "OUTP2:STAN", "HD1080_59I"));
    EXPECT_EQ(Run("OUTP2:STAN?"), "HD1080_59I");
    EXPECT_EQ(m_instrument.ModuleSetting(3, "OUTP4:STAN"), "HD1080_23SF");

    run("INST:SEL \"Ulmeth:3\"");
    EXPECT_EQ(run("OUTP1:STAN?"), "HD1080_59I");
    for (const char* format :
         {"HD1080_60I", "HD1080_59I", "HD1080_50I", "HD1080_24SF", "HD1080_23SF",
          "HD1080_30P", "HD1080_29P", "HD1080_25P", "HD1080_24P",  "HD1080_23P",
          "HD1035_60I", "HD1035_59I", "HD720_60P",  "HD720_59P",   "HD720_50P",
          "HD720_30P",  "HD720_29P",  "HD720_25P",  "HD720_24P",   "HD720_23P"}) {
        run(std::string("OUTP1:STAN ") + format);
        EXPECT_EQ(run("OUTP1:STAN?"), format);
    }
    run("OUTP1:STAN NTSC");
    EXPECT_EQ(run("SYST:ERR?"), "-224,\"Illegal parameter value\"");
    EXPECT_EQ(run("OUTP1:STAN?"), "HD720_23P");
}

TEST(DemoOptions, DemoInstrumentIsCoherent) {
    Options options;
    options.modules = {{"Tavix", 1}, {"Kintor", 3}, {"Sormet", 4}};
    ApplyDemo(options);
    Instrument instrument(options);
    std::string error;
    ASSERT_TRUE(instrument.Initialize(&error)) << error;
    Session session;
    std::string reply;
    ASSERT_TRUE(instrument.ProcessLine(
        session,
        "SENS:ROSC:FRAME1:FREQ?;CAT?;:SENS:ROSC:FRAME2:FREQ?;CAT?;:SENS:ROSC:FRAME3:FREQ?;CAT?",
        &reply));
    EXPECT_EQ(reply, "59.94;\"1\";50;\"3,4\";0.0;");
    EXPECT_EQ(instrument.ModuleSetting(1, "OUTP:AUD:SYNC"), "FRAME_ONE");
    EXPECT_EQ(instrument.PresetName(1), "Colour Bars 625");
    EXPECT_EQ(instrument.ModuleSetting(0, "DISP:CONT"), "24");
}

TEST(DemoOptions, SeedsThatDoNotFitFailTheStart) {
    Options options;
    options.modules = {{"Tavix", 1}};
    options.settings = {{1, "OUTP:AUD:CHAN1:AMPL", "5"}};
    Instrument instrument(options);
    std::string error;
    EXPECT_FALSE(instrument.Initialize(&error));
    EXPECT_NE(error.find("OUTP:AUD:CHAN1:AMPL"), std::string::npos);
}
