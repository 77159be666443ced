// What a shared base document and its model add to the lists of reads and sends: the base's
// entries first, the progress ranges counting both.
#include <string>
#include <vector>

#include "corvane/modules/common/ModuleDoc.h"
#include "tests/corvane/ModuleDocFixture.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

int LoadInt(ReplyCursor& reply, Flagged<int>& parameter) {
    int value = 0;
    if (!reply.NextInt(value))
        return 0;
    parameter.Load(value);
    return 1;
}

class SharedBaseDoc : public CModuleDoc {
public:
    SharedBaseDoc() : CModuleDoc(kModuleTavix, 0) {  // never closed with changes here
        AddRead("OUTP:AUD:NBIT?", [this](ReplyCursor& reply) { return LoadInt(reply, m_bits); });
        AddSend(m_bits, "OUTP:AUD:NBIT");
    }
    void SetBits(int bits) { SetParameter(m_bits, bits); }
    Flagged<int> m_bits;
};

class ModelDoc : public SharedBaseDoc {
public:
    ModelDoc() {
        AddRead("SENS:CORR:MDEL?", [this](ReplyCursor& reply) { return LoadInt(reply, m_delay); });
        AddSend(m_delay, "SENS:CORR:MDEL");
    }
    void SetDelay(int delay) { SetParameter(m_delay, delay); }
    Flagged<int> m_delay;
};

class SharedBase : public ModuleDocFixture<ModelDoc> {
protected:
    SharedBase() : ModuleDocFixture("Tavix", 2) {}
};

TEST_F(SharedBase, BaseEntriesComeFirstAndTheRangesCountBoth) {
    EXPECT_EQ(m_doc->ReadExchangeCount(), 3);
    EXPECT_EQ(m_doc->ApplyStepCount(), 5);
    Seed("OUTP:AUD:NBIT", "20");
    Seed("SENS:CORR:MDEL", "-300");
    TakeLines();

    ASSERT_EQ(m_doc->ReadAll(), 1);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Tavix:2\"", "OUTP:AUD:NBIT?", "SENS:CORR:MDEL?"}));
    EXPECT_EQ(m_doc->m_bits, 20);
    EXPECT_EQ(m_doc->m_delay, -300);

    m_doc->SetDelay(400);
    m_doc->SetBits(24);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Tavix:2\"", "OUTP:AUD:NBIT 24", "SENS:CORR:MDEL 400",
                                  "*OPC?", "SYST:ERR?"}));
    EXPECT_EQ(m_progress.TakeRuns(), (std::vector<ProgressRecord>{
                                         {"Reading Tavix [2] ...", 3, 3, true},
                                         {"Sending...", 5, 5, true},
                                     }));
}

}  // namespace
}  // namespace corvane::testing
