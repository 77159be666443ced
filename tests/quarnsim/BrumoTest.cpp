#include <gtest/gtest.h>

#include "CommandRows.h"

using namespace quarnsim;

namespace {

class BrumoTest : public ModuleRowsTest {
protected:
    BrumoTest() : ModuleRowsTest({{"Brumo", 1}}) {}
};

}  // namespace

TEST_F(BrumoTest, AnswersTheOpeningReadsWithItsDefaults) {
    Expect({
        {"INST:SEL \"Brumo:1\"", nullptr, kNoError},
        {"INP:SOUR?", "INT", kNoError},
        {"INP:SEL?", "REF", kNoError},
        {"INP:REF:STAN?", "NBUR", kNoError},
        {"INP:REF:HDSY?", "NONE", kNoError},
        {"SOUR:CORR:MDEL:VERT?;HOR?", "0;0.0000", kNoError},
        {"INP:CWAV:FRAM?;:INP:LLOS:ACT?", "14.985;INT", kNoError},
        {"OUTP1:STAN?;:OUTP1:SIGN?", "NTSC;BB", kNoError},
        {"OUTP2:STAN?;:OUTP2:SIGN?", "NTSC;BB", kNoError},
        {"OUTP3:STAN?", "BB", kNoError},
        {"SENS3:CORR:MDEL:VERT?;:SENS3:CORR:MDEL:HOR?", "0;0.0000", kNoError},
    });
}

TEST_F(BrumoTest, TakesWhatAnApplySendsWithinTheReferencesAndFormatsBounds) {
    Expect({
        {"INST:SEL \"Brumo:1\"", nullptr, kNoError},
        // Each part of a compound source line is set.
        {"INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN PBUR", nullptr, kNoError},
        {"INP:SOUR?;:INP:SEL?;:INP:REF:STAN?", "EXT;REF;PBUR", kNoError},
        // A PAL reference doubles the genlock lines of NTSC.
        {"SOUR:CORR:MDEL:VERT 1250", nullptr, kNoError},
        {"SOUR:CORR:MDEL:HOR -64.0100", nullptr, kNoError},
        {"SOUR:CORR:MDEL:VERT?;HOR?", "1250;-64.0100", kNoError},
        {"SOUR:CORR:MDEL:VERT 1251", nullptr, kOutOfRangeError},
        {"INP:SOUR EXT;:INP:SEL CW", nullptr, kNoError},
        // Whatever its frame reset, a CW reference takes the timing a PAL reset allows: the
        // reset comes after the timing in an Apply.
        {"SOUR:CORR:MDEL:VERT -1250;:SOUR:CORR:MDEL:HOR 64.0000", nullptr, kNoError},
        {"SOUR:CORR:MDEL:VERT 1251", nullptr, kOutOfRangeError},
        // The frame reset comes right-aligned in six places.
        {"INP:CWAV:FRAM  6.250", nullptr, kNoError},
        {"INP:CWAV:FRAM?", "6.250", kNoError},
        {"INP:CWAV:FRAM  0.000;:INP:CWAV:FRAM?", "0.000", kNoError},
        {"INP:CWAV:FRAM 7.000", nullptr, kIllegalValueError},
        {"INP:LLOS:ACT STA;:INP:LLOS:ACT?", "STA", kNoError},
        {"OUTP1:STAN PAL", nullptr, kNoError},
        {"OUTP1:SIGN BB_NO_FREF;:OUTP1:SIGN?", "BB_NO_FREF", kNoError},
        {"SENS1:CORR:MDEL:VERT 1250;:SENS1:CORR:MDEL:HOR 64.0000", nullptr, kNoError},
        {"OUTP1:STAN HDSY", nullptr, kIllegalValueError},
        // BLACK 3 on an HD format bounds its own timing and, through the sync, BLACK 2's.
        {"OUTP3:STAN HD720_50P", nullptr, kNoError},
        {"OUTP2:STAN HDSY", nullptr, kNoError},
        {"OUTP2:STAN?;:OUTP2:SIGN?", "HDSY;BB", kNoError},
        {"SENS3:CORR:MDEL:VERT 375;:SENS3:CORR:MDEL:HOR -26.6766", nullptr, kNoError},
        {"SENS3:CORR:MDEL:VERT?;:SENS3:CORR:MDEL:HOR?", "375;-26.6766", kNoError},
        {"SENS2:CORR:MDEL:VERT 376", nullptr, kOutOfRangeError},
        // A new format starts the output at no delay.
        {"OUTP3:STAN HD1080_59I", nullptr, kNoError},
        {"SENS3:CORR:MDEL:VERT?;:SENS3:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"OUTP3:STAN NTSC", nullptr, kIllegalValueError},
        {"OUTP3:SIGN BB", nullptr, kSuffixError},
        // Only the reference input says what HD sync it sees.
        {"INP:REF:HDSY HD1080_60I", nullptr, kUndefinedHeaderError},
    });
}

TEST_F(BrumoTest, GenlockDelayFollowsTheDetectedHdSync) {
    struct Case {
        const char* detected;
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"HD1080_59I", "SOUR:CORR:MDEL:HOR 29.6692", kNoError},
        {"HD1080_59I", "SOUR:CORR:MDEL:HOR 29.6800", kOutOfRangeError},
        {"HD720_50P", "SOUR:CORR:MDEL:VERT -375", kNoError},
        {"HD720_50P", "SOUR:CORR:MDEL:VERT -376", kOutOfRangeError},
        // Nothing detected: the NTSC bound holds.
        {"NONE", "SOUR:CORR:MDEL:VERT 525", kNoError},
        {"NONE", "SOUR:CORR:MDEL:VERT 526", kOutOfRangeError},
    };
    std::vector<CommandRow> rows = {
        {"INST:SEL \"Brumo:1\"", nullptr, kNoError},
        {"INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN HDSY", nullptr, kNoError},
    };
    std::vector<std::string> expected;
    std::vector<std::string> actual;
    RunCommandRows(m_client, rows, &expected, &actual);
    for (const Case& c : cases) {
        ASSERT_TRUE(m_sim->GetInstrument().SetModuleSetting(1, "INP:REF:HDSY", c.detected));
        RunCommandRows(m_client,
                       {{"INP:REF:HDSY?", c.detected, kNoError}, {c.line, nullptr, c.error}},
                       &expected, &actual);
    }
    EXPECT_EQ(actual, expected);
}
