#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "InstrumentFixture.h"
#include "quarnsim/Instrument.h"

using namespace quarnsim;
namespace fs = std::filesystem;

namespace {

class PresetTest : public InstrumentFixture {
protected:
    PresetTest() : InstrumentFixture({{"Tavix", 1}, {"Kintor", 3}}) {}
};

}  // namespace

TEST_F(PresetTest, StartLaysOutTheDrive) {
    Start();
    for (const char* folder : {"CPU/PRESET", "Tavix/SIGNAL", "Tavix/PICTURE", "Tavix/LOGO",
                               "Tavix/PRESET", "Kintor/SIGNAL", "Kintor/PRESET"}) {
        EXPECT_TRUE(fs::is_directory(m_root + "/" + folder)) << folder;
    }
}

TEST_F(PresetTest, NumberedCatalogue) {
    Start();
    EXPECT_EQ(Run("MMEM:PRES:CAT? 1;CAT? 13"), "\"PRESET 1\";\"PRESET 13\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT? 0"), "");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT? 14"), "");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT? \"1\""), "");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT?"), "");
    EXPECT_EQ(NextError(), "-109,\"Missing parameter\"");
}

TEST_F(PresetTest, CatalogueOfAllAlwaysHoldsAQuotedPair) {
    Start();
    EXPECT_EQ(Run("MMEM:PRES:CAT:ALL?"), "15,\"Power On Default\",16,\"Factory Default\"");
    m_instrument->SetPreset(7, "Seven", true);
    m_instrument->SetPreset(3, "Three", true);
    m_instrument->SetUserDefaultUsed(true);
    EXPECT_EQ(Run("MMEM:PRES:CAT:ALL?"),
              "3,\"Three\",7,\"Seven\",14,\"User Default\",15,\"Power On Default\",16,"
              "\"Factory Default\"");
}

TEST_F(PresetTest, StoreByNameMarksUsedAndWritesTheFiles) {
    Start();
    m_instrument->SetSetting("Tavix:1/OUTP1:AUD:NBIT", "20");
    m_instrument->SetSetting("CPU:0/SYST:NAME", "a=b\nc");
    EXPECT_EQ(Run("MMEM:STOR:PRES \"PRESET 4\";*OPC?"), "1");
    EXPECT_TRUE(m_instrument->PresetUsed(4));
    EXPECT_EQ(Read("CPU/PRESET/MSTATE.P04"), "NAME=PRESET 4\nCPU:0/SYST:NAME=a\\qb\\nc\n");
    EXPECT_EQ(Read("Tavix/PRESET/MSTATE1.P04"), "Tavix:1/OUTP1:AUD:NBIT=20\n");
    EXPECT_TRUE(Exists("Kintor/PRESET/MSTATE3.P04"));

    Run("MMEM:STOR:PRES \"User Default\"");
    EXPECT_TRUE(m_instrument->UserDefaultUsed());
    EXPECT_TRUE(Exists("CPU/PRESET/MSTATE.P14"));
    Run("MMEM:STOR:PRES \"power on default\"");
    EXPECT_TRUE(Exists("CPU/PRESET/MSTATE.P15"));
    EXPECT_EQ(NextError(), "0,\"No error\"");
}

TEST_F(PresetTest, StoreRefusesUnknownAndFactoryPresets) {
    Start();
    Run("MMEM:STOR:PRES \"No Such\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("MMEM:STOR:PRES \"Factory Default\"");
    EXPECT_EQ(NextError(), "-258,\"Media protected\"");
    Run("MMEM:STOR:PRES");
    EXPECT_EQ(NextError(), "-109,\"Missing parameter\"");
}

TEST_F(PresetTest, RecallRestoresTheSnapshot) {
    Start();
    m_instrument->SetSetting("Tavix:1/X", "a");
    Run("MMEM:STOR:PRES \"PRESET 2\"");
    m_instrument->SetSetting("Tavix:1/X", "b");
    Run("MMEM:LOAD:PRES \"PRESET 2\"");
    EXPECT_EQ(m_instrument->Setting("Tavix:1/X"), "a");

    Run("MMEM:LOAD:PRES \"Factory Default\"");
    EXPECT_EQ(m_instrument->Setting("Tavix:1/X"), "");
    Run("MMEM:LOAD:PRES \"Power On Default\"");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    Run("MMEM:LOAD:PRES \"PRESET 3\"");  // exists by name but holds nothing
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("MMEM:LOAD:PRES \"User Default\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
}

TEST_F(PresetTest, RenameChecksNumberAndName) {
    Start();
    m_instrument->SetPreset(3, "Old", true);
    Run("MMEM:PRES:REN 3,\"New; name?\"");
    EXPECT_EQ(m_instrument->PresetName(3), "New; name?");
    EXPECT_EQ(Read("CPU/PRESET/MSTATE.P03"), "NAME=New; name?\n");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    Run("MMEM:PRES:REN 0,\"X\"");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    Run("MMEM:PRES:REN 14,\"X\"");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    Run("MMEM:PRES:REN 3");
    EXPECT_EQ(NextError(), "-109,\"Missing parameter\"");
    Run("MMEM:PRES:REN 3,\"" + std::string(33, 'x') + "\"");
    EXPECT_EQ(NextError(), "-257,\"File name error\"");

    // A second preset of the same name would make the next store by name hit the wrong one.
    Run("MMEM:PRES:REN 3,\"PRESET 5\"");
    EXPECT_EQ(NextError(), "-257,\"File name error, name already in use\"");
    Run("MMEM:PRES:REN 3,\"user default\"");
    EXPECT_EQ(NextError(), "-257,\"File name error, name already in use\"");
    EXPECT_EQ(m_instrument->PresetName(3), "New; name?");

    Run("MMEM:PRES:REN 3,\"New; name?\"");  // its own name again is fine
    Run("MMEM:PRES:REN 6,\"\"");            // and so is an empty one
    EXPECT_EQ(NextError(), "0,\"No error\"");
    EXPECT_EQ(Run("MMEM:PRES:CAT? 6"), "\"\"");
}

TEST_F(PresetTest, DeleteMarksUnusedAndRemovesTheFiles) {
    Start();
    Run("MMEM:STOR:PRES \"PRESET 2\"");
    ASSERT_TRUE(Exists("Tavix/PRESET/MSTATE1.P02"));
    Run("MMEM:PRES:DEL 2;");
    EXPECT_FALSE(m_instrument->PresetUsed(2));
    EXPECT_EQ(m_instrument->PresetName(2), "PRESET 2");
    EXPECT_FALSE(Exists("CPU/PRESET/MSTATE.P02"));
    EXPECT_FALSE(Exists("Tavix/PRESET/MSTATE1.P02"));
    EXPECT_EQ(NextError(), "0,\"No error\"");

    Run("MMEM:PRES:DEL 2");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("MMEM:PRES:DEL 14");
    EXPECT_EQ(NextError(), "-222,\"Data out of range\"");
    Run("MMEM:PRES:DEL x");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");
}

TEST_F(PresetTest, PresetsOnDiskAreFoundAtStart) {
    Write("CPU/PRESET/MSTATE.P06", "NAME=From Disk\nCPU:0/A=1\ngarbage line\n=x\n");
    Write("Tavix/PRESET/MSTATE1.P06", "Tavix:1/B=two\\nlines\n");
    Write("CPU/PRESET/MSTATE.P09", "NAME=Bad\x01Name" + std::string(50, 'x') + "\n");
    Write("CPU/PRESET/MSTATE.P14", "NAME=whatever\n");
    Start();
    EXPECT_TRUE(m_instrument->PresetUsed(6));
    EXPECT_EQ(m_instrument->PresetName(6), "From Disk");
    EXPECT_TRUE(m_instrument->UserDefaultUsed());
    EXPECT_EQ(m_instrument->PresetName(9).size(), PresetStore::kMaxNameLength);
    EXPECT_EQ(m_instrument->PresetName(9).find('\x01'), std::string::npos);
    Run("MMEM:LOAD:PRES \"From Disk\"");
    EXPECT_EQ(m_instrument->Setting("CPU:0/A"), "1");
    EXPECT_EQ(m_instrument->Setting("Tavix:1/B"), "two\nlines");
}

TEST_F(PresetTest, SeededPresetsGetFilesButDiskWins) {
    Write("CPU/PRESET/MSTATE.P02", "NAME=On Disk\n");
    Options options = MakeOptions();
    options.presets = {{1, "Seed One", true}, {2, "Seed Two", true}, {4, "Unused", false}};
    Start(options);
    EXPECT_EQ(m_instrument->PresetName(1), "Seed One");
    EXPECT_TRUE(Exists("CPU/PRESET/MSTATE.P01"));
    EXPECT_EQ(m_instrument->PresetName(2), "On Disk");
    EXPECT_EQ(m_instrument->PresetName(4), "Unused");
    EXPECT_FALSE(m_instrument->PresetUsed(4));
    for (const PresetSeed& seed : DemoPresets()) {
        EXPECT_GE(seed.number, 1);
        EXPECT_LE(seed.number, 13);
    }
}

TEST_F(PresetTest, WithoutARootNothingIsWritten) {
    Options options;
    options.modules = {{"Tavix", 1}};
    Start(options);
    Run("MMEM:STOR:PRES \"PRESET 1\"");
    EXPECT_TRUE(m_instrument->PresetUsed(1));
    EXPECT_EQ(NextError(), "0,\"No error\"");
    EXPECT_TRUE(fs::is_empty(m_root));
}

TEST_F(PresetTest, UnusableOptionsAreRefused) {
    std::vector<std::vector<ModuleSpec>> bad = {
        {{"Tavix", 5}},        {{"Tavix", 1}, {"Kintor", 1}},
        {{"../x", 1}},         {{"", 1}},
        {{"CPU", 1}},          {{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}, {"E", 4}},
        {{"Tavix", 1, "1:0"}}, {{"Tavix", 1, "1.0", "2\""}},
    };
    for (const auto& modules : bad) {
        Options options = MakeOptions();
        options.modules = modules;
        Instrument instrument(options);
        std::string error;
        EXPECT_FALSE(instrument.Initialize(&error)) << modules.front().model;
        EXPECT_FALSE(error.empty());
    }
    Options badPreset = MakeOptions();
    badPreset.presets = {{14, "x", true}};
    Instrument instrument(badPreset);
    EXPECT_FALSE(instrument.Initialize(nullptr));
}
