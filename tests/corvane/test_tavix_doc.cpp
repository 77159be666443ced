// The Tavix document without a window: its read and its Apply against the simulated
// instrument, seen through what the instrument received and what the progress recorder got.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "corvane/modules/tavix/TavixDoc.h"
#include "platform/MessageBox.h"
#include "tests/corvane/ModuleDocFixture.h"

namespace corvane::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONSTOP;
using Lines = std::vector<std::string>;

const std::string kSelect = "INST:SEL \"Tavix:1\"";
const std::string kDelayQuery = "SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?";

std::string ChannelQuery(int n) {
    const std::string c = "OUTP:AUD:CHAN" + std::to_string(n);
    return c + ":AMPL?;:" + c + ":FREQ?;:" + c + ":CLIC?";
}

// The read's lines, the selection and the first `count` queries.
Lines ReadLines(size_t count) {
    Lines lines{kSelect};
    for (int n = 1; n <= 8; ++n) lines.push_back(ChannelQuery(n));
    lines.push_back("OUTP:AUD:NBIT?;SYNC?");
    lines.push_back(kDelayQuery);
    lines.resize(count + 1);
    return lines;
}

void SeedSlot1(quarnsim::Simulator& sim, const std::string& header, const std::string& value) {
    ASSERT_EQ(sim.GetInstrument().SetModuleSetting(1, header, value), 1) << header;
}

ProgressRecord Reading(int position) {
    return {"Reading Tavix [1] ...", 11, position, true};
}
ProgressRecord Sending(int position) {
    return {"Sending...", 30, position, true};
}

class TavixDocument : public ModuleDocFixture<CTavixDoc> {
protected:
    TavixDocument() : ModuleDocFixture("Tavix", 1) {}
};

struct ReadCase {
    const char* name;
    std::function<void(quarnsim::Simulator&)> arrange;
    std::string breakBefore;
    int result;
    Lines lines;
    int position;
    std::function<void(const CTavixDoc&)> check;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class TavixDocumentRead : public TavixDocument, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TavixDocumentRead, AsksInOrderAndStepsOncePerExchange) {
    const ReadCase& c = GetParam();
    if (c.arrange)
        c.arrange(*m_sim);
    BreakBefore(c.breakBefore);
    TakeLines();

    EXPECT_EQ(m_doc->ReadAll(), c.result);
    EXPECT_EQ(TakeLines(c.lines.size()), c.lines);
    EXPECT_EQ(m_progress.TakeRuns(), std::vector<ProgressRecord>{Reading(c.position)});
    EXPECT_TRUE(m_progress.TakeStatuses().empty());
    EXPECT_EQ(m_boxes.Pending(), 0u);
    // Reading is never a change.
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_FALSE(m_doc->m_bits.Changed());
    if (c.check)
        c.check(*m_doc);
}

INSTANTIATE_TEST_SUITE_P(
    Corvane, TavixDocumentRead,
    ::testing::Values(
        ReadCase{"Whole",
                 [](quarnsim::Simulator& sim) {
                     SeedSlot1(sim, "OUTP:AUD:CHAN3:AMPL", "-42");
                     SeedSlot1(sim, "OUTP:AUD:CHAN3:FREQ", "4800");
                     SeedSlot1(sim, "OUTP:AUD:NBIT", "20");
                     SeedSlot1(sim, "OUTP:AUD:SYNC", "FRAME_TWO");
                     SeedSlot1(sim, "SENS:CORR:MDEL", "-1200");
                     sim.GetInstrument().SetFrameReset(1, "0.0", {});
                     sim.GetInstrument().SetFrameReset(2, "25", {});
                 },
                 "", 1, ReadLines(10), 11,
                 [](const CTavixDoc& doc) {
                     EXPECT_EQ(doc.m_amplitude[2], -42);
                     EXPECT_EQ(doc.m_frequency[2], 22);  // the list index of 4.8 kHz
                     EXPECT_EQ(doc.m_bits, 20);
                     EXPECT_EQ(doc.m_syncMode, CTavixDoc::kSyncFrameTwo);
                     EXPECT_EQ(doc.m_audioDelay, -1200);
                     EXPECT_EQ(doc.m_frame1Present, 0);
                     EXPECT_EQ(doc.m_frame2Present, 1);
                     EXPECT_FALSE(doc.m_frequency[2].Changed());
                 }},
        // A synchronisation word the document does not know leaves the mode as it was.
        ReadCase{"UnknownSyncWord",
                 [](quarnsim::Simulator& sim) {
                     SeedSlot1(sim, "OUTP:AUD:NBIT", "20");
                     sim.SetReplyOverride("OUTP:AUD:SYNC?", "SOMETHING");
                 },
                 "", 1, ReadLines(10), 11,
                 [](const CTavixDoc& doc) {
                     EXPECT_EQ(doc.m_bits, 20);
                     EXPECT_EQ(doc.m_syncMode, CTavixDoc::kSyncFree);
                 }},
        ReadCase{"BrokenAtChannelThree", {}, ChannelQuery(3), 0, ReadLines(2), 3, {}},
        ReadCase{"BrokenAtTheSelection", {}, kSelect, 0, {}, 0, {}},
        ReadCase{"BrokenAtTheLastQuery", {}, kDelayQuery, 0, ReadLines(9), 10, {}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

struct ApplyCase {
    const char* name;
    std::function<void(CTavixDoc&)> change;
    std::string breakBefore;  // the send that fails, if any
    int result;
    Lines lines;
    int position;
    // What a second Apply sends, over a new connection when the first one broke.
    Lines again;
};

void PrintTo(const ApplyCase& c, std::ostream* out) {
    *out << c.name;
}

class TavixDocumentApply : public TavixDocument, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(TavixDocumentApply, SendsTheChangedParametersInTheirOrder) {
    const ApplyCase& c = GetParam();
    ASSERT_EQ(m_doc->ReadAll(), 1);
    m_progress.TakeRuns();
    if (c.change)
        c.change(*m_doc);
    BreakBefore(c.breakBefore);
    TakeLines();

    EXPECT_EQ(m_doc->Apply(), c.result);
    EXPECT_EQ(TakeLines(c.lines.size()), c.lines);
    EXPECT_EQ(m_progress.TakeRuns(), std::vector<ProgressRecord>{Sending(c.position)});
    EXPECT_EQ(m_progress.TakeStatuses(), c.result == 1 ? Lines{"Ready"} : Lines{});
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(m_doc->IsModified(), c.result == 0);

    if (!m_link.IsConnected())
        Reconnect();
    EXPECT_EQ(m_doc->Apply(), 1);
    Lines again{kSelect};
    again.insert(again.end(), c.again.begin(), c.again.end());
    again.insert(again.end(), {"*OPC?", "SYST:ERR?"});
    EXPECT_EQ(TakeLines(), again);
    EXPECT_EQ(m_progress.TakeRuns(), std::vector<ProgressRecord>{Sending(30)});
    EXPECT_FALSE(m_doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Corvane, TavixDocumentApply,
    ::testing::Values(
        ApplyCase{"NothingChanged", {}, "", 1, {kSelect, "*OPC?", "SYST:ERR?"}, 30, {}},
        ApplyCase{"EveryKind",
                  [](CTavixDoc& doc) {
                      doc.SetClick(2, 2);
                      doc.SetFrequency(0, 1200);
                      doc.SetAmplitude(2, -33);
                      doc.SetBits(20);
                      doc.SetSyncMode(CTavixDoc::kSyncFrameOne);
                      doc.SetAudioDelay(500);
                  },
                  "",
                  1,
                  {kSelect, "OUTP:AUD:CHAN1:FREQ 1200", "OUTP:AUD:CHAN3:AMPL -33",
                   "OUTP:AUD:CHAN3:CLIC 2", "OUTP:AUD:NBIT 20", "OUTP:AUD:SYNC FRAME_ONE",
                   "SENS:CORR:MDEL 500", "*OPC?", "SYST:ERR?"},
                  30,
                  {}},
        // Free running has no delay: the delay changed before it is dropped, not kept.
        ApplyCase{"FreeRunDropsTheDelay",
                  [](CTavixDoc& doc) {
                      doc.SetAudioDelay(700);
                      doc.SetSyncMode(CTavixDoc::kSyncFree);
                  },
                  "",
                  1,
                  {kSelect, "OUTP:AUD:SYNC FREE", "*OPC?", "SYST:ERR?"},
                  30,
                  {}},
        ApplyCase{"RefusedValuesSendNothing",
                  [](CTavixDoc& doc) {
                      doc.SetAmplitude(1, 5);
                      doc.SetAudioDelay(170000);
                  },
                  "",
                  1,
                  {kSelect, "*OPC?", "SYST:ERR?"},
                  30,
                  {}},
        // The sends before the break are done; the one that failed and those after it are
        // still pending and go out with the next Apply.
        ApplyCase{"BrokenMidway",
                  [](CTavixDoc& doc) {
                      doc.SetAmplitude(1, -7);
                      doc.SetClick(3, 4);
                      doc.SetBits(20);
                  },
                  "OUTP:AUD:CHAN4:CLIC 4",
                  0,
                  {kSelect, "OUTP:AUD:CHAN2:AMPL -7"},
                  12,
                  {"OUTP:AUD:CHAN4:CLIC 4", "OUTP:AUD:NBIT 20"}},
        ApplyCase{"BrokenAtTheSelection",
                  [](CTavixDoc& doc) { doc.SetBits(20); },
                  kSelect,
                  0,
                  {},
                  0,
                  {"OUTP:AUD:NBIT 20"}},
        // The changes went out; only the closing query failed.
        ApplyCase{"BrokenAtTheClosingQuery",
                  [](CTavixDoc& doc) { doc.SetBits(20); },
                  "*OPC?",
                  0,
                  {kSelect, "OUTP:AUD:NBIT 20"},
                  28,
                  {}}),
    [](const ::testing::TestParamInfo<ApplyCase>& info) { return info.param.name; });

TEST_F(TavixDocument, StepCountsComeFromTheLists) {
    EXPECT_EQ(m_doc->ReadExchangeCount(), 11);
    EXPECT_EQ(m_doc->ApplyStepCount(), 30);
}

TEST_F(TavixDocument, AnInstrumentErrorIsShownAndTheChangesCountAsApplied) {
    ASSERT_EQ(m_doc->ReadAll(), 1);
    m_doc->SetClick(0, 1);
    m_sim->PushError(-222, "Data out of range");
    m_boxes.Expect("Command send error!\n-222,\"Data out of range\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_FALSE(m_doc->m_click[0].Changed());
    EXPECT_EQ(m_progress.TakeStatuses(), Lines{"Ready"});
}

// The re-read after another module's Apply takes the instrument's synchronisation and delay
// unless the operator changed them and has not applied them yet.
TEST_F(TavixDocument, RereadSyncKeepsWhatIsPending) {
    struct Case {
        const char* name;
        bool changedFirst;
        int mode;
        int delay;
    };
    for (const Case& c : {Case{"unchanged", false, CTavixDoc::kSyncFrameOne, 900},
                          Case{"pending", true, CTavixDoc::kSyncFrameTwo, 100}}) {
        SCOPED_TRACE(c.name);
        Seed("OUTP:AUD:SYNC", "FREE");
        Seed("SENS:CORR:MDEL", "0");
        ASSERT_EQ(m_doc->ReadAll(), 1);
        if (c.changedFirst) {
            m_doc->SetSyncMode(CTavixDoc::kSyncFrameTwo);
            m_doc->SetAudioDelay(100);
        }
        Seed("OUTP:AUD:SYNC", "FRAME_ONE");
        Seed("SENS:CORR:MDEL", "900");
        Instrument().SetFrameReset(1, "15", {});
        m_progress.TakeRuns();
        TakeLines();

        EXPECT_EQ(m_doc->RereadSync(), 1);
        EXPECT_EQ(TakeLines(), (Lines{kSelect, "OUTP:AUD:SYNC?", kDelayQuery}));
        EXPECT_TRUE(m_progress.TakeRuns().empty());
        EXPECT_EQ(m_doc->m_syncMode, c.mode);
        EXPECT_EQ(m_doc->m_audioDelay, c.delay);
        EXPECT_EQ(m_doc->m_syncMode.Changed(), c.changedFirst);
        EXPECT_EQ(m_doc->m_audioDelay.Changed(), c.changedFirst);
        EXPECT_DOUBLE_EQ(m_doc->m_frame1Frequency, 15.0);
        EXPECT_EQ(m_doc->m_frame1Present, 1);
        EXPECT_EQ(m_doc->Apply(), 1);
    }
}

}  // namespace
}  // namespace corvane::testing
