#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRows.h"
#include "quarnsim/VideoFiles.h"

using namespace quarnsim;

namespace {

const char* const kFileNotFoundError = "-256,\"File name not found\"";
const char* const kRoot = "/F0:/Pirvo/SIGNAL";

class PirvoTest : public ModuleRowsTest {
protected:
    PirvoTest() : ModuleRowsTest({{"Pirvo", 2}}) {}

    // A listing's entries, without the used and free counts before them.
    std::string Entries(const std::string& folder) {
        std::string reply = m_client.Query("MMEM:CAT? \"" + folder + "\"");
        size_t counts = reply.find(',', reply.find(',') + 1);
        return counts == std::string::npos ? "" : reply.substr(counts + 1);
    }
};

// The three formats a signal gives the SIGNAL output, then folders of no format of its own; a
// set whose files' names show each escape, the sets an editor passes over, and an empty set.
VideoFileTree SixteenFormats() {
    VideoFileTree tree;
    tree.formats = {{"525 NTSC",
                     {{"APL", {"APL 10%.cmp"}},
                      {"BARS", {"Full.cmp"}},
                      {"bars", {"Split.cmp"}},
                      {"Empty", {}},
                      {"Sweeps", {"Multiburst 0.5-5.8 MHz.cmp", "Ramp Y:C.cmp", "Upper.CMP"}}}},
                    {"625 PAL", {{"Ramps", {"Ramp.cmp"}}}},
                    {"NTSC No Setup", {{"Ramps", {"Ramp.cmp"}}}}};
    for (int n = 4; n <= 16; ++n) {
        std::string name = "Other " + std::string(n < 10 ? "0" : "") + std::to_string(n);
        tree.formats.push_back({name, {{"Ramps", {"Ramp.cmp"}}}});
    }
    return tree;
}

}  // namespace

// What the editor reads on opening, in its order, on a fresh module.
TEST_F(PirvoTest, AnswersTheOpeningReadsWithItsDefaults) {
    Expect({
        {"INST:SEL \"Pirvo:2\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 2", "\"/525 NTSC/Colour^Bars/Bars^100`h0`h100`h0.cmp\"", kNoError},
        {"OUTP3:APL:MOD?", "APL_OFF", kNoError},
        {"OUTP3:APL:PER?", "1.0", kNoError},
        {"OUTP3:OVER:BLINk:STAT?", "0", kNoError},
        {"OUTP3:OVER:BLINk:PER?", "0.5", kNoError},
        {"OUTP3:TEXT:STAT?", "0", kNoError},
        {"OUTP3:TEXT:DATA?", "\"QUARN\"", kNoError},
        {"OUTP3:TEXT:POS:HOR?", "5", kNoError},
        {"OUTP3:TEXT:POS:VERT?", "90", kNoError},
        {"OUTP4:OVER:BLINk:STAT?", "0", kNoError},
        {"OUTP4:TEXT:DATA?", "\"QUARN\"", kNoError},
        {"OUTP1:STAN?", "NTSC", kNoError},
        {"OUTP1:SIGN?", "BB", kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"OUTP2:STAN?", "NTSC", kNoError},
        {"OUTP2:SIGN?", "BB", kNoError},
        {"SENS3:CORR:MDEL:VERT?;:SENS3:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"OUTP4:STAN?", "NTSC", kNoError},
        {"OUTP4:SIGN?", "CB75PER", kNoError},
        {"SENS4:CORR:MDEL:VERT?;:SENS4:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        // The SIGNAL output's signal is the loaded file, its standard that of the file's format.
        {"OUTP3:STAN?", "NTSC", kNoError},
        {"OUTP3:SIGN?", "", kSuffixError},
        // Only the module in the slot named answers for its active signal.
        {"MMEM:SIGN:ACT? 1", "", kIllegalValueError},
    });
}

// Every command an Apply sends, spelled as it sends them, read back as the editor reads.
TEST_F(PirvoTest, TakesWhatAnApplySendsAndAnswersInTheSpellingsReadBack) {
    Expect({
        {"INST:SEL \"Pirvo:2\"", nullptr, kNoError},
        {"OUTP1:STAN PAL", nullptr, kNoError},
        {"OUTP1:SIGN PAL_PULSE", nullptr, kNoError},
        {"OUTP1:STAN?;:OUTP1:SIGN?", "PAL;PAL_PULSE", kNoError},
        {"OUTP2:STAN NTSC_NSU;:OUTP2:SIGN SUBCARRIER", nullptr, kNoError},
        {"OUTP2:STAN?;:OUTP2:SIGN?", "NTSC_NSU;SUBCARRIER", kNoError},
        {"OUTP4:SIGN CB100_OR;:OUTP4:SIGN?", "CB100_OR", kNoError},
        // Each output kind takes its own signals only.
        {"OUTP2:SIGN CB_SMPTE", nullptr, kIllegalValueError},
        {"OUTP4:SIGN SYNC", nullptr, kIllegalValueError},
        {"OUTP4:SIGN BB_10FID", nullptr, kIllegalValueError},
        {"OUTP1:STAN HD1080_59I", nullptr, kIllegalValueError},
        // Only a load sets the SIGNAL output's standard.
        {"OUTP3:STAN PAL", nullptr, kSuffixError},
        {"OUTP3:APL:MOD APL_BOUNCE", nullptr, kNoError},
        {"OUTP3:APL:PER 2.0", nullptr, kNoError},
        {"OUTP3:APL:MOD?", "APL_BOUNCE", kNoError},
        {"OUTP3:APL:PER?", "2.0", kNoError},
        {"OUTP3:APL:PER 0.5;:OUTP3:APL:PER?", "0.5", kNoError},
        {"OUTP3:APL:PER 0.7", nullptr, kIllegalValueError},
        {"OUTP4:APL:MOD APL_LOW", nullptr, kSuffixError},
        // An ID text in Blink Slow, with a ';' and a '?' inside its quotes.
        {"OUTP3:TEXT:STAT 1", nullptr, kNoError},
        {"OUTP3:OVER:BLIN:PER 1.0", nullptr, kNoError},
        {"OUTP3:OVER:BLIN:STAT 1", nullptr, kNoError},
        {"OUTP3:TEXT:DATA \"A;B?\"", nullptr, kNoError},
        {"OUTP3:TEXT:POS:HOR 100", nullptr, kNoError},
        {"OUTP3:TEXT:POS:vert 0", nullptr, kNoError},
        {"OUTP3:TEXT:SAV", nullptr, kNoError},
        {"OUTP3:OVER:BLINk:STAT?", "1", kNoError},
        {"OUTP3:OVER:BLINk:PER?", "1.0", kNoError},
        {"OUTP3:TEXT:STAT?", "1", kNoError},
        {"OUTP3:TEXT:DATA?", "\"A;B?\"", kNoError},
        {"OUTP3:TEXT:POS:HOR?", "100", kNoError},
        {"OUTP3:TEXT:POS:VERT?", "0", kNoError},
        // Output 4's text is its own, in whatever case a header comes.
        {"outp4:text:data \"x;y\";:Outp4:Text:Data?", "\"x;y\"", kNoError},
        {"OUTP3:TEXT:DATA?", "\"A;B?\"", kNoError},
        {"OUTP4:OVERLAY:BLINK:PERIOD 0.5;:OUTP4:OVER:BLIN:PER?", "0.5", kNoError},
        {"OUTP4:TEXT:POS:HOR 101", nullptr, kOutOfRangeError},
        {"OUTP4:TEXT:POS:VERT -1", nullptr, kOutOfRangeError},
        {"OUTP4:OVER:BLIN:PER 1.5", nullptr, kOutOfRangeError},
        {"OUTP4:TEXT:SAVE", nullptr, kNoError},
        {"OUTP2:TEXT:DATA \"X\"", nullptr, kSuffixError},
        {"OUTP2:TEXT:SAV", nullptr, kSuffixError},
    });
}

// Each output is timed within its own format, whole lines either way and up to one line (plus
// the fine part) in microseconds; a new format starts the output at no delay.
TEST_F(PirvoTest, TimesEachOutputWithinItsFormat) {
    Expect({
        {"INST:SEL \"Pirvo:2\"", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT 525.0", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT 526.0", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:HOR 63.56556363", nullptr, kNoError},
        {"SENS1:CORR:MDEL:HOR 63.6", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "525;63.5656", kNoError},
        {"OUTP1:STAN PAL", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"SENS1:CORR:MDEL:VERT -1250.0", nullptr, kNoError},
        {"SENS1:CORR:MDEL:HOR -64.00000000", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT -1251.0", nullptr, kOutOfRangeError},
        // No Setup keeps NTSC's raster.
        {"OUTP2:STAN NTSC_NSU", nullptr, kNoError},
        {"SENS2:CORR:MDEL:VERT 526.0", nullptr, kOutOfRangeError},
        {"OUTP4:STAN PAL", nullptr, kNoError},
        {"SENS4:CORR:MDEL:VERT 1000.0;:SENS4:CORR:MDEL:HOR 12.34567890", nullptr, kNoError},
        {"SENS4:CORR:MDEL:VERT?;:SENS4:CORR:MDEL:HOR?", "1000;12.3457", kNoError},
        // The SIGNAL output runs NTSC until a signal of another format is loaded.
        {"SENS3:CORR:MDEL:VERT 1000.0", nullptr, kOutOfRangeError},
        {"SENS3:CORR:MDEL:VERT 2.5", nullptr, kDataTypeError},
        {"SENS3:CORR:MDEL:HOR inf", nullptr, kDataTypeError},
        {"SENS5:CORR:MDEL:VERT 0.0", nullptr, kSuffixError},
    });
}

// The SIGNAL tree: up to sixteen format folders listed by name, each name as the instrument
// escapes it, taken back in that form by a load, which the active signal then names.
TEST_F(PirvoTest, ListsItsSignalTreeAndLoadsByTheListedNames) {
    ASSERT_TRUE(SeedVideoFiles(m_root, "Pirvo", SixteenFormats()));
    ASSERT_TRUE(m_client.SendLine("INST:SEL \"Pirvo:2\""));
    std::string formats = Entries(kRoot);
    std::string expectedFormats = "\"525 NTSC/\",DIR,0,\"625 PAL/\",DIR,0,\"NTSC No Setup/\",DIR,0";
    for (int n = 4; n <= 16; ++n) {
        expectedFormats +=
            std::string(",\"Other ") + (n < 10 ? "0" : "") + std::to_string(n) + "/\",DIR,0";
    }
    EXPECT_EQ(formats, expectedFormats);
    EXPECT_EQ(Entries(std::string(kRoot) + "/525 NTSC"),
              "\"APL/\",DIR,0,\"BARS/\",DIR,0,\"Empty/\",DIR,0,\"Sweeps/\",DIR,0,\"bars/\",DIR,0");
    EXPECT_EQ(Entries(std::string(kRoot) + "/525 NTSC/Sweeps"),
              "\"Multiburst^0.5`h5.8^MHz.cmp\",BIN,55,\"Ramp^Y`cC.cmp\",BIN,41,"
              "\"Upper.CMP\",BIN,38");
    EXPECT_EQ(Entries(std::string(kRoot) + "/525 NTSC/Empty"), "");

    Expect({
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/Sweeps/Multiburst^0.5`h5.8^MHz.cmp\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 2", "\"/525 NTSC/Sweeps/Multiburst^0.5`h5.8^MHz.cmp\"", kNoError},
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/Sweeps/Ramp^Y`cC.cmp\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 2", "\"/525 NTSC/Sweeps/Ramp^Y`cC.cmp\"", kNoError},
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/Sweeps/Upper.CMP\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 2", "\"/525 NTSC/Sweeps/Upper.CMP\"", kNoError},
        // A load that finds no signal changes nothing.
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/Empty/Ramp.cmp\"", nullptr, kFileNotFoundError},
        {"MMEM:LOAD:SIGN 2,\"/F//\"", nullptr, kFileNotFoundError},
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/Sweeps\"", nullptr, kFileNotFoundError},
        {"MMEM:SIGN:ACT? 2", "\"/525 NTSC/Sweeps/Upper.CMP\"", kNoError},
        // The sixteenth folder loads like the first, and gives no standard of its own.
        {"MMEM:LOAD:SIGN 2,\"/Other 16/Ramps/Ramp.cmp\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 2;:OUTP3:STAN?", "\"/Other 16/Ramps/Ramp.cmp\";NTSC", kNoError},
    });
    // A module with no signal loaded answers an empty path.
    ASSERT_TRUE(m_sim->GetInstrument().SetModuleSetting(2, "MMEM:SIGN:ACT", ""));
    Expect({{"MMEM:SIGN:ACT? 2", "\"\"", kNoError}});
}

// A load from another format's folder gives the SIGNAL output that standard and starts it at
// no delay; another signal of the same format keeps the timing.
TEST_F(PirvoTest, ALoadGivesTheSignalOutputTheStandardOfItsFolder) {
    ASSERT_TRUE(SeedVideoFiles(m_root, "Pirvo", SixteenFormats()));
    Expect({
        {"INST:SEL \"Pirvo:2\"", nullptr, kNoError},
        {"SENS3:CORR:MDEL:VERT 100.0", nullptr, kNoError},
        {"MMEM:LOAD:SIGN 2,\"/525 NTSC/bars/Split.cmp\"", nullptr, kNoError},
        {"SENS3:CORR:MDEL:VERT?", "100", kNoError},
        {"MMEM:LOAD:SIGN 2,\"/625 PAL/Ramps/Ramp.cmp\"", nullptr, kNoError},
        {"OUTP3:STAN?;:SENS3:CORR:MDEL:VERT?", "PAL;0", kNoError},
        {"SENS3:CORR:MDEL:VERT 1250.0;:SENS3:CORR:MDEL:HOR 64.00000000", nullptr, kNoError},
        {"MMEM:LOAD:SIGN 2,\"/NTSC No Setup/Ramps/Ramp.cmp\"", nullptr, kNoError},
        {"OUTP3:STAN?;:SENS3:CORR:MDEL:VERT?;HOR?", "NTSC_NSU;0;0.0000", kNoError},
        {"SENS3:CORR:MDEL:VERT 1250.0", nullptr, kOutOfRangeError},
        // Other outputs keep their standard and timing.
        {"OUTP4:STAN?;:SENS1:CORR:MDEL:VERT?", "NTSC;0", kNoError},
    });
}

// Errors queue up: a second "SYST:ERR?" after an Apply's answers the next one.
TEST_F(PirvoTest, QueuesErrorsForTheNextErrorQuery) {
    Expect({
        {"INST:SEL \"Pirvo:2\"", nullptr, kNoError},
        {"OUTP1:STAN SECAM;:OUTP4:TEXT:POS:HOR 200;:OUTP9:SIGN BB", nullptr, kIllegalValueError},
        {"SYST:ERR?", kOutOfRangeError, kSuffixError},
        {"SYST:ERR?", kNoError, kNoError},
    });
}

namespace {

class PirvoDemoTest : public SimulatorFixture {};

}  // namespace

// The demo's Pirvo opens in the editor: its active signal is a file its listings show, under a
// format folder of the SIGNAL output's standard, beside sets and signals to pick from.
TEST_F(PirvoDemoTest, NamesASignalItListsUnderAFolderOfItsStandard) {
    Options options = MakeOptions();
    options.modules = {{"Pirvo", 1}};
    ApplyDemo(options);
    StartSimulator(options);
    ASSERT_NE(m_sim, nullptr);
    ASSERT_TRUE(m_client.SendLine("INST:SEL \"Pirvo:1\""));
    std::string formats = m_client.Query("MMEM:CAT? \"" + std::string(kRoot) + "\"");
    for (const char* folder : {"\"525 NTSC/\"", "\"625 PAL/\"", "\"NTSC No Setup/\""})
        EXPECT_NE(formats.find(folder), std::string::npos) << formats;
    std::string sets = m_client.Query("MMEM:CAT? \"" + std::string(kRoot) + "/625 PAL\"");
    EXPECT_NE(sets.find("\"Linearity/\""), std::string::npos) << sets;
    EXPECT_NE(sets.find("\"Colour^Bars/\""), std::string::npos) << sets;
    std::string signals =
        m_client.Query("MMEM:CAT? \"" + std::string(kRoot) + "/625 PAL/Linearity\"");
    EXPECT_NE(signals.find("\"Ramp^Y.cmp\""), std::string::npos) << signals;
    EXPECT_EQ(m_client.Query("MMEM:SIGN:ACT? 1;:OUTP3:STAN?;:OUTP3:TEXT:DATA?;:SYST:ERR?"),
              "\"/625 PAL/Linearity/Ramp^Y.cmp\";PAL;\"RAMP 625\";0,\"No error\"");
}
