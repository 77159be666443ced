#include <gtest/gtest.h>

#include "CommandRows.h"

using namespace quarnsim;

namespace {

class KintorTest : public ModuleRowsTest {
protected:
    KintorTest() : ModuleRowsTest({{"Kintor", 2}}) {}
};

}  // namespace

TEST_F(KintorTest, AnswersTheOpeningReadsWithItsDefaults) {
    Expect({
        {"INST:SEL \"Kintor:2\"", nullptr, kNoError},
        {"OUTP3:CONF?", "0", kNoError},
        {"OUTP1:STAN?", "NTSC", kNoError},
        {"OUTP4:STAN?", "NTSC", kNoError},
        {"OUTP1:SIGN?", "BB", kNoError},
        {"OUTP4:SIGN?", "BB", kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        {"SENS4:CORR:MDEL:VERT?;:SENS4:CORR:MDEL:HOR?", "0;0.0000", kNoError},
    });
}

TEST_F(KintorTest, TakesWhatAnApplySendsWithinEachFormatsBounds) {
    Expect({
        {"INST:SEL \"Kintor:2\"", nullptr, kNoError},
        {"OUTP3:CONF 1", nullptr, kNoError},
        {"OUTP3:CONF?", "1", kNoError},
        {"OUTP1:SIGN CB_SMPTE", nullptr, kNoError},
        {"OUTP1:SIGN?", "CB_SMPTE", kNoError},
        // Lines come as "%d.0"; NTSC is timed over 525 lines and one 63.5556 us line.
        {"SENS1:CORR:MDEL:VERT -5.0", nullptr, kNoError},
        {"SENS1:CORR:MDEL:HOR 63.56556363", nullptr, kNoError},
        {"SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?", "-5;63.5656", kNoError},
        {"SENS1:CORR:MDEL:VERT 526.0", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:HOR 63.6", nullptr, kOutOfRangeError},
        {"SENS1:CORR:MDEL:VERT 2.5", nullptr, kDataTypeError},
        {"SENS1:CORR:MDEL:HOR nan", nullptr, kDataTypeError},
        // PAL doubles the lines; a format change starts the output at no delay.
        {"OUTP2:STAN PAL", nullptr, kNoError},
        {"SENS2:CORR:MDEL:VERT 1250.0", nullptr, kNoError},
        {"SENS2:CORR:MDEL:HOR -64.00000000", nullptr, kNoError},
        {"SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?", "1250;-64.0000", kNoError},
        {"OUTP2:STAN NTSC", nullptr, kNoError},
        {"SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?", "0;0.0000", kNoError},
        // An HD output takes its format through STAN, bounded by its own line.
        {"OUTP3:STAN HD1080_60I", nullptr, kNoError},
        {"OUTP3:STAN?", "HD1080_60I", kNoError},
        {"SENS3:CORR:MDEL:VERT 562.0", nullptr, kNoError},
        {"SENS3:CORR:MDEL:VERT 563.0", nullptr, kOutOfRangeError},
        {"SENS3:CORR:MDEL:HOR 29.63960000", nullptr, kNoError},
        {"SENS3:CORR:MDEL:HOR 29.66", nullptr, kOutOfRangeError},
        {"OUTP4:STAN HD720_50P", nullptr, kNoError},
        {"SENS4:CORR:MDEL:VERT 376.0", nullptr, kOutOfRangeError},
        {"OUTP4:STAN HD720_59P;:OUTP4:STAN?", "HD720_59P", kNoError},
        {"OUTP4:STAN HD1035_60I", nullptr, kIllegalValueError},
        {"OUTP1:SIGN HDSY", nullptr, kIllegalValueError},
        {"OUTP5:STAN?", "", kSuffixError},
    });
}
