#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CommandRows.h"
#include "quarnsim/VideoFiles.h"

using namespace quarnsim;

namespace {

class AnalogVideoTest : public ModuleRowsTest {
protected:
    AnalogVideoTest() : ModuleRowsTest({{"Oltra", 1}, {"Yarlo", 3}}) {}

    void SetUp() override {
        ModuleRowsTest::SetUp();
        std::ofstream(m_root + "/Oltra/LOGO/STATION-ID.LGO") << "logo";
    }

    void SetStandard(int slot, const char* code) {
        ASSERT_TRUE(m_sim->GetInstrument().SetModuleSetting(slot, "OUTP1:STAN", code)) << code;
    }
};

}  // namespace

TEST_F(AnalogVideoTest, OltraAnswersTheOpeningReadsWithItsDefaults) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kNoError},
        {"OUTP1:OVER:BLIN:STAT?;PER?", "0;0.5", kNoError},
        {"OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-10.0;-10.0;0", kNoError},
        {"OUTP1:LOGO:SEL?", "\"\"", kNoError},
        {"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "5;90;0", kNoError},
        {"OUTP1:TEXT:DATA?", "\"QUARN\"", kNoError},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "0;80;0;0", kNoError},
        {":OUTP1:VID:SYNC:STAT?", "0", kNoError},
        {":OUTP1:STAN?", "1", kNoError},
        {":OUTP1:VID:CONF?", "COMP", kNoError},
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "1;1;1", kNoError},
        {"OUTP1:APL:MOD?;PER?", "APL_OFF;1.0", kNoError},
    });
}

TEST_F(AnalogVideoTest, OltraTakesEverySettingAnApplySendsAndAnswersItBack) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        // NTSC: a line of 63.5556 us, a fine part of up to 10 ns on top.
        {"SENS1:CORR:MDEL:VERT -525", nullptr, kNoError},
        {"SENS1:CORR:MDEL:HOR 63.56556363", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "-525;63.5656", kNoError},
        {"SENS1:CORR:MDEL:HOR -10.01851852;:SENS1:CORR:MDEL:HOR?", "-10.0185", kNoError},
        {"OUTP1:MOV:HOR -60;:OUTP1:MOV:VERT 15;:OUTP1:MOV:PER 16;:OUTP1:MOV:RAND:STAT 1", nullptr,
         kNoError},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "-60;15;16;1", kNoError},
        {"OUTP1:OVER:BLIN:STAT 1", nullptr, kNoError},
        {"OUTP1:OVER:BLIN:PER 1.0", nullptr, kNoError},
        {"OUTP1:OVER:BLIN:STAT?;PER?", "1;1.0", kNoError},
        // The logo is chosen and answered by its listed name.
        {"OUTP1:LOGO:SEL \"STATION`hID.LGO\"", nullptr, kNoError},
        {"OUTP1:LOGO:STAT 1", nullptr, kNoError},
        {"OUTP1:LOGO:SAVE", nullptr, kNoError},
        {"OUTP1:LOGO:POS:HOR -12.34", nullptr, kNoError},
        {"OUTP1:LOGO:POS:VERT -100.0", nullptr, kNoError},
        {"OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-12.3;-100.0;1", kNoError},
        {"OUTP1:LOGO:SEL?", "\"STATION`hID.LGO\"", kNoError},
        // A quoted ID text keeps its ';' and '?'.
        {"OUTP1:TEXT:DATA \"CAM 2;LIVE?\"", nullptr, kNoError},
        {"OUTP1:TEXT:STAT 1;:OUTP1:TEXT:SAVE", nullptr, kNoError},
        {"OUTP1:TEXT:POS:HOR 100;:OUTP1:TEXT:POS:VERT 0", nullptr, kNoError},
        {"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "100;0;1", kNoError},
        {"OUTP1:TEXT:DATA?", "\"CAM 2;LIVE?\"", kNoError},
        {"OUTP1:CIRC:STAT 1;:OUTP1:CIRC:POS:HOR -50;:OUTP1:CIRC:POS:VERT 50;:OUTP1:CIRC:DIAM 100",
         nullptr, kNoError},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "1;100;-50;50", kNoError},
        {"OUTP1:VID:SYNC:STAT 1", nullptr, kNoError},
        {"OUTP1:VID:CONF YC", nullptr, kNoError},
        {":OUTP1:VID:SYNC:STAT?;:OUTP1:VID:CONF?", "1;YC", kNoError},
        {"OUTP1:VID:CONF COMPosite;:OUTP1:VID:CONF?", "COMP", kNoError},
        {"OUTP1:VID:Y:STAT 0;:OUTP1:VID:PB:STAT 0;:OUTP1:VID:PR:STAT 1", nullptr, kNoError},
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "0;0;1", kNoError},
        {"OUTP1:APL:MOD BOUNCE", nullptr, kNoError},
        {"OUTP1:APL:PER 1.5", nullptr, kNoError},
        {"OUTP1:APL:MOD?;PER?", "BOUNCE;1.5", kNoError},
        {"OUTP1:APL:MOD APL_HIGH;PER 0.5;MOD?;PER?", "APL_HIGH;0.5", kNoError},
    });
}

TEST_F(AnalogVideoTest, OltraRefusesWhatItCannotDoAndKeepsTheOldValue) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT 526", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:HOR 63.57", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:HOR nan", nullptr, kDataTypeError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"OUTP1:MOV:HOR 5", nullptr, kIllegalValueError},
        {"OUTP1:MOV:HOR 64", nullptr, kOutOfRangeError},
        {"OUTP1:MOV:VERT -16", nullptr, kOutOfRangeError},
        {"OUTP1:MOV:PER 0", nullptr, kOutOfRangeError},
        {"OUTP1:MOV:PER 17", nullptr, kOutOfRangeError},
        {"OUTP1:MOV:RAND:STAT 2", nullptr, kOutOfRangeError},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kNoError},
        {"OUTP1:OVER:BLIN:PER 2.0", nullptr, kOutOfRangeError},
        {"OUTP1:OVER:BLIN:PER 0.7", nullptr, kIllegalValueError},
        {"OUTP1:VID:Y:STAT 2", nullptr, kOutOfRangeError},
        {"OUTP1:VID:CONF RGB", nullptr, kIllegalValueError},
        {"OUTP1:APL:MOD APL_MID", nullptr, kIllegalValueError},
        {"OUTP1:APL:PER 2.5", nullptr, kOutOfRangeError},
        {"OUTP1:APL:MOD?;PER?", "APL_OFF;1.0", kNoError},
        // The standard follows the loaded signal; it is not set on its own.
        {"OUTP1:STAN 10", nullptr, kUndefinedHeaderError},
        {"OUTP2:MOV:HOR 4", nullptr, "-114,\"Header suffix out of range\""},
    });
}

TEST_F(AnalogVideoTest, YarloHasNeitherConfigurationNorAplAndAnHdStandard) {
    Expect({
        {"INST:SEL \"Yarlo:3\"", nullptr, kNoError},
        {":OUTP1:VID:SYNC:STAT?", "0", kNoError},
        {":OUTP1:STAN?", "32", kNoError},  // 1080 59i YPbPr
        {":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?", "1;1;1", kNoError},
        {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0", kNoError},
        {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "0;80;0;0", kNoError},
        {":OUTP1:VID:CONF?", "", kUndefinedHeaderError},
        {"OUTP1:VID:CONF YC", nullptr, kUndefinedHeaderError},
        {"OUTP1:APL:MOD APL_OFF", nullptr, kUndefinedHeaderError},
        {"OUTP1:APL:PER?", "", kUndefinedHeaderError},
        // 1080 59i: 562 lines, a line of 2200 steps of 13.4546 ns.
        {"SENS1:CORR:MDEL:VERT 562;:SENS1:CORR:MDEL:HOR -29.6100", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "562;-29.6100", kNoError},
        {"SENS1:CORR:MDEL:VERT 563", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:HOR 29.62", nullptr, kOutOfRangeError},
        // The Oltra in the other slot kept its own.
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?;:OUTP1:STAN?", "0;0.0000;1", kNoError},
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
            {select, nullptr, kNoError},
            {vertical + c.lines, nullptr, kNoError},
            {vertical + c.tooMany, nullptr, kOutOfRangeError},
            {horizontal + c.delay, nullptr, kNoError},
            {horizontal + c.tooLate, nullptr, kOutOfRangeError},
            {"SENS1:CORR:MDEL:VERT?;HOR?", both.c_str(), kNoError},
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
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT 1000", nullptr, kOutOfRangeError},  // NTSC
        {"MMEM:LOAD:SIGN 1,\"/PAL/Bars/Bars^75%.cmp\"", nullptr, kNoError},
        {":OUTP1:STAN?", "10", kNoError},
        {"SENS1:CORR:MDEL:VERT 1000", nullptr, kNoError},
        {"MMEM:LOAD:SIGN 1,\"/625 GBR/Ramps/Ramp`hY.cmp\"", nullptr, kNoError},
        {":OUTP1:STAN?", "32787", kNoError},
        {"SENS1:CORR:MDEL:VERT 313", nullptr, kOutOfRangeError},
        // A frame picture keeps the format the output had.
        {"MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone^Plate.pic\"", nullptr, kNoError},
        {":OUTP1:STAN?", "32787", kNoError},
        {"INST:SEL \"Yarlo:3\"", nullptr, kNoError},
        {"MMEM:LOAD:SIGN 3,\"/720 50p YPbPr/Bars/Bars^100%.cmp\"", nullptr, kNoError},
        {":OUTP1:STAN?", "22", kNoError},
        {"SENS1:CORR:MDEL:VERT 376", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:VERT -375", nullptr, kNoError},
    });
}

// A fresh module outputs its default format with that format's first signal active.
TEST_F(AnalogVideoTest, TheActiveSignalAtStartIsOneOfTheDefaultFormat) {
    Expect({
        {"INST:SEL \"Oltra:1\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 1;:OUTP1:STAN?", "\"/NTSC/Colour^Bars/Bars^100`h0`h100`h0.cmp\";1",
         kNoError},
        {"INST:SEL \"Yarlo:3\"", nullptr, kNoError},
        {"MMEM:SIGN:ACT? 3;:OUTP1:STAN?",
         "\"/1080 59i YPbPr/Colour^Bars/Bars^100`h0`h100`h0.cmp\";32", kNoError},
    });
}
