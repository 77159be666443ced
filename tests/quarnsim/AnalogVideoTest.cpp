#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "quarnsim/VideoFiles.h"

using namespace quarnsim;

namespace {

const char* const kOk = "0,\"No error\"";
const char* const kOutOfRange = "-222,\"Data out of range\"";
const char* const kIllegal = "-224,\"Illegal parameter value\"";
const char* const kTypeError = "-104,\"Data type error\"";
const char* const kUndefined = "-113,\"Undefined header\"";

// One line as a client sends it, what it answers (null for a line without queries) and what
// "SYST:ERR?" says after it.
struct Row {
    std::string line;
    const char* reply;
    const char* error;
};

class AnalogVideoTest : public SimulatorFixture {
protected:
    void SetUp() override {
        SimulatorFixture::SetUp();
        Options options = MakeOptions();
        options.modules = {{"Oltra", 1}, {"Yarlo", 3}};
        StartSimulator(options);
        ASSERT_NE(m_sim, nullptr);
        std::ofstream(m_root + "/Oltra/LOGO/STATION-ID.LGO") << "logo";
    }

    // Runs the rows in order and compares the whole exchange at once, so a failure shows each
    // line with what came back.
    void Expect(const std::vector<Row>& rows) {
        std::vector<std::string> expected;
        std::vector<std::string> actual;
        for (const Row& row : rows) {
            // Every write waits for the reply before it, so neither side holds a small packet
            // back for the other's acknowledgement: a set goes out with its error query.
            std::string reply;
            std::string error;
            if (row.reply) {
                reply = m_client.Query(row.line);
                error = m_client.Query("SYST:ERR?");
            } else {
                error = m_client.Query(row.line + "\r\nSYST:ERR?");
            }
            expected.push_back(row.line + " -> " + (row.reply ? row.reply : "") + " | " +
                               row.error);
            actual.push_back(row.line + " -> " + reply + " | " + error);
        }
        EXPECT_EQ(actual, expected);
    }

    void SetStandard(int slot, const char* code) {
        ASSERT_TRUE(m_sim->GetInstrument().SetModuleSetting(slot, "OUTP1:STAN", code)) << code;
    }
};

}  // namespace

TEST_F(AnalogVideoTest, OltraAnswersTheOpeningReadsWithItsDefaults) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kOk},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kOk},
        {"OUTP1:OVER:BLIN:STAT?;PER?", "0;0.5", kOk},
        {"OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-10.0;-10.0;0", kOk},
        {"OUTP1:LOGO:SEL?", "\"\"", kOk},
        {"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "5;90;0", kOk},
        {"OUTP1:TEXT:DATA?", "\"QUARN\"", kOk},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "0;80;0;0", kOk},
        {":OUTP1:VID:SYNC:STAT?", "0", kOk},
        {":OUTP1:STAN?", "1", kOk},
        {":OUTP1:VID:CONF?", "COMP", kOk},
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "1;1;1", kOk},
        {"OUTP1:APL:MOD?;PER?", "APL_OFF;1.0", kOk},
    });
}

TEST_F(AnalogVideoTest, OltraTakesEverySettingAnApplySendsAndAnswersItBack) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        // NTSC: a line of 63.5556 us, a fine part of up to 10 ns on top.
        {"SENS1:CORR:MDEL:VERT -525", nullptr, kOk},
        {"SENS1:CORR:MDEL:HOR 63.56556363", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "-525;63.5656", kOk},
        {"SENS1:CORR:MDEL:HOR -10.01851852;:SENS1:CORR:MDEL:HOR?", "-10.0185", kOk},
        {"OUTP1:MOV:HOR -60;:OUTP1:MOV:VERT 15;:OUTP1:MOV:PER 16;:OUTP1:MOV:RAND:STAT 1", nullptr,
         kOk},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "-60;15;16;1", kOk},
        {"OUTP1:OVER:BLIN:STAT 1", nullptr, kOk},
        {"OUTP1:OVER:BLIN:PER 1.0", nullptr, kOk},
        {"OUTP1:OVER:BLIN:STAT?;PER?", "1;1.0", kOk},
        // The logo is chosen and answered by its listed name.
        {"OUTP1:LOGO:SEL \"STATION`hID.LGO\"", nullptr, kOk},
        {"OUTP1:LOGO:STAT 1", nullptr, kOk},
        {"OUTP1:LOGO:SAVE", nullptr, kOk},
        {"OUTP1:LOGO:POS:HOR -12.34", nullptr, kOk},
        {"OUTP1:LOGO:POS:VERT -100.0", nullptr, kOk},
        {"OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-12.3;-100.0;1", kOk},
        {"OUTP1:LOGO:SEL?", "\"STATION`hID.LGO\"", kOk},
        // A quoted ID text keeps its ';' and '?'.
        {"OUTP1:TEXT:DATA \"CAM 2;LIVE?\"", nullptr, kOk},
        {"OUTP1:TEXT:STAT 1;:OUTP1:TEXT:SAVE", nullptr, kOk},
        {"OUTP1:TEXT:POS:HOR 100;:OUTP1:TEXT:POS:VERT 0", nullptr, kOk},
        {"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "100;0;1", kOk},
        {"OUTP1:TEXT:DATA?", "\"CAM 2;LIVE?\"", kOk},
        {"OUTP1:CIRC:STAT 1;:OUTP1:CIRC:POS:HOR -50;:OUTP1:CIRC:POS:VERT 50;:OUTP1:CIRC:DIAM 100",
         nullptr, kOk},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "1;100;-50;50", kOk},
        {"OUTP1:VID:SYNC:STAT 1", nullptr, kOk},
        {"OUTP1:VID:CONF YC", nullptr, kOk},
        {":OUTP1:VID:SYNC:STAT?;:OUTP1:VID:CONF?", "1;YC", kOk},
        {"OUTP1:VID:CONF COMPosite;:OUTP1:VID:CONF?", "COMP", kOk},
        {"OUTP1:VID:Y:STAT 0;:OUTP1:VID:PB:STAT 0;:OUTP1:VID:PR:STAT 1", nullptr, kOk},
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "0;0;1", kOk},
        {"OUTP1:APL:MOD BOUNCE", nullptr, kOk},
        {"OUTP1:APL:PER 1.5", nullptr, kOk},
        {"OUTP1:APL:MOD?;PER?", "BOUNCE;1.5", kOk},
        {"OUTP1:APL:MOD APL_HIGH;PER 0.5;MOD?;PER?", "APL_HIGH;0.5", kOk},
    });
}

TEST_F(AnalogVideoTest, OltraRefusesWhatItCannotDoAndKeepsTheOldValue) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT 526", nullptr, kOutOfRange},
        {"SENS1:CORR:MDEL:HOR 63.57", nullptr, kOutOfRange},
        {"SENS1:CORR:MDEL:HOR nan", nullptr, kTypeError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kOk},
        {"OUTP1:MOV:HOR 5", nullptr, kIllegal},
        {"OUTP1:MOV:HOR 64", nullptr, kOutOfRange},
        {"OUTP1:MOV:VERT -16", nullptr, kOutOfRange},
        {"OUTP1:MOV:PER 0", nullptr, kOutOfRange},
        {"OUTP1:MOV:PER 17", nullptr, kOutOfRange},
        {"OUTP1:MOV:RAND:STAT 2", nullptr, kOutOfRange},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kOk},
        {"OUTP1:OVER:BLIN:PER 2.0", nullptr, kOutOfRange},
        {"OUTP1:OVER:BLIN:PER 0.7", nullptr, kIllegal},
        {"OUTP1:VID:Y:STAT 2", nullptr, kOutOfRange},
        {"OUTP1:VID:CONF RGB", nullptr, kIllegal},
        {"OUTP1:APL:MOD APL_MID", nullptr, kIllegal},
        {"OUTP1:APL:PER 2.5", nullptr, kOutOfRange},
        {"OUTP1:APL:MOD?;PER?", "APL_OFF;1.0", kOk},
        // The standard follows the loaded signal; it is not set on its own.
        {"OUTP1:STAN 10", nullptr, kUndefined},
        {"OUTP2:MOV:HOR 4", nullptr, "-114,\"Header suffix out of range\""},
    });
}

TEST_F(AnalogVideoTest, YarloHasNeitherConfigurationNorAplAndAnHdStandard) {
    Expect({
        {"INST:SEL \"Yarlo:3\"", nullptr, kOk},
        {":OUTP1:VID:SYNC:STAT?", "0", kOk},
        {":OUTP1:STAN?", "32", kOk},  // 1080 59i YPbPr
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "1;1;1", kOk},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kOk},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "0;80;0;0", kOk},
        {":OUTP1:VID:CONF?", "", kUndefined},
        {"OUTP1:VID:CONF YC", nullptr, kUndefined},
        {"OUTP1:APL:MOD APL_OFF", nullptr, kUndefined},
        {"OUTP1:APL:PER?", "", kUndefined},
        // 1080 59i: 562 lines, a line of 2200 steps of 13.4546 ns.
        {"SENS1:CORR:MDEL:VERT 562;:SENS1:CORR:MDEL:HOR -29.6100", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "562;-29.6100", kOk},
        {"SENS1:CORR:MDEL:VERT 563", nullptr, kOutOfRange},
        {"SENS1:CORR:MDEL:HOR 29.62", nullptr, kOutOfRange},
        // The Oltra in the other slot kept its own.
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?;:OUTP1:STAN?", "0;0.0000;1", kOk},
    });
}

// The timing's range is the output's own: the lines of its raster and one of its lines of delay.
TEST_F(AnalogVideoTest, TheTimingRangeFollowsTheStandard) {
    struct Case {
        int slot;
        const char* standard;
        const char* lines;    // the largest accepted
        const char* tooMany;  // the smallest refused
        const char* delay;
        const char* tooLate;
    };
    const Case cases[] = {
        {1, "10", "1250", "1251", "-64.0100", "-64.0101"},  // PAL
        {1, "32787", "312", "313", "64.0100", "64.0200"},   // 625 GBR
        {1, "5", "-262", "-263", "63.5655", "63.5656"},     // 525 YPbPr
        {1, "3", "562", "563", "29.6396", "29.6397"},       // PVW: an HD line
        {3, "32768", "375", "376", "55.5100", "55.5101"},   // 720 23p GBR
        {3, "22", "-375", "-376", "-26.6766", "-26.6767"},  // 720 50p YPbPr
        {3, "32784", "562", "563", "29.6396", "29.6397"},   // 1080 60i GBR
        {3, "35", "-562", "-563", "37.0470", "37.0471"},    // 1080 24sF YPbPr
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.standard);
        SetStandard(c.slot, c.standard);
        std::string select = c.slot == 1 ? "INST:SEL \"Oltra:1\"" : "INST:SEL \"Yarlo:3\"";
        std::string vertical = "SENS1:CORR:MDEL:VERT ";
        std::string horizontal = "SENS1:CORR:MDEL:HOR ";
        std::string both = std::string(c.lines) + ";" + c.delay;
        Expect({
            {select, nullptr, kOk},
            {vertical + c.lines, nullptr, kOk},
            {vertical + c.tooMany, nullptr, kOutOfRange},
            {horizontal + c.delay, nullptr, kOk},
            {horizontal + c.tooLate, nullptr, kOutOfRange},
            {"SENS1:CORR:MDEL:VERT?;HOR?", both.c_str(), kOk},
        });
    }
}

TEST_F(AnalogVideoTest, ALoadGivesTheStandardOfItsFormatAndTheTimingRangeWithIt) {
    VideoFileTree oltra;
    oltra.formats = {{"PAL", {{"Bars", {"Bars 75%.cmp"}}}},
                     {"625 GBR", {{"Ramps", {"Ramp-Y.cmp"}}}}};
    oltra.pictures = {{"Cards", {"Zone Plate.pic"}}};
    VideoFileTree yarlo;
    yarlo.formats = {{"720 50p YPbPr", {{"Bars", {"Bars 100%.cmp"}}}}};
    ASSERT_TRUE(SeedVideoFiles(m_root, "Oltra", oltra));
    ASSERT_TRUE(SeedVideoFiles(m_root, "Yarlo", yarlo));
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        {"SENS1:CORR:MDEL:VERT 1000", nullptr, kOutOfRange},  // NTSC
        {"MMEM:LOAD:SIGN 1,\"/PAL/Bars/Bars^75%.cmp\"", nullptr, kOk},
        {":OUTP1:STAN?", "10", kOk},
        {"SENS1:CORR:MDEL:VERT 1000", nullptr, kOk},
        {"MMEM:LOAD:SIGN 1,\"/625 GBR/Ramps/Ramp`hY.cmp\"", nullptr, kOk},
        {":OUTP1:STAN?", "32787", kOk},
        {"SENS1:CORR:MDEL:VERT 313", nullptr, kOutOfRange},
        // A frame picture keeps the format the output had.
        {"MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone^Plate.pic\"", nullptr, kOk},
        {":OUTP1:STAN?", "32787", kOk},
        {"INST:SEL \"Yarlo:3\"", nullptr, kOk},
        {"MMEM:LOAD:SIGN 3,\"/720 50p YPbPr/Bars/Bars^100%.cmp\"", nullptr, kOk},
        {":OUTP1:STAN?", "22", kOk},
        {"SENS1:CORR:MDEL:VERT 376", nullptr, kOutOfRange},
        {"SENS1:CORR:MDEL:VERT -375", nullptr, kOk},
    });
}

// A fresh module outputs its default format with that format's first signal active.
TEST_F(AnalogVideoTest, TheActiveSignalAtStartIsOneOfTheDefaultFormat) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kOk},
        {"MMEM:SIGN:ACT? 1;:OUTP1:STAN?", "\"/NTSC/Colour^Bars/Bars^100`h0`h100`h0.cmp\";1", kOk},
        {"INST:SEL \"Yarlo:3\"", nullptr, kOk},
        {"MMEM:SIGN:ACT? 3;:OUTP1:STAN?",
         "\"/1080 59i YPbPr/Colour^Bars/Bars^100`h0`h100`h0.cmp\";32", kOk},
    });
}
