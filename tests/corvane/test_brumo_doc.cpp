// The Brumo document without a window: the read of each reference, the HD reference detection,
// the live timing queries and the Apply against the simulated instrument, checked through the
// lines it received, the progress it showed and what it posted to the main frame.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "tests/corvane/ModuleDocFixture.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;
using Post = std::pair<platform::UINT, platform::WPARAM>;
using Posts = std::vector<Post>;

// A document whose posts to the main frame are kept for the test.
class RecordedBrumo : public CBrumoDoc {
public:
    Posts posted;

protected:
    void PostToMainFrame(platform::UINT message, platform::WPARAM wParam) override {
        posted.emplace_back(message, wParam);
    }
};

// The fixture's link with the whole reply of one query replaced, for answers the simulator
// never gives (a compound answer cut short, an empty one).
class RewritingLink : public IInstrumentLink {
public:
    explicit RewritingLink(IInstrumentLink& link) : m_link(link) {}
    void Rewrite(std::string query, std::string reply) {
        m_query = std::move(query);
        m_reply = std::move(reply);
    }
    int SendCommand(const std::string& command) override { return m_link.SendCommand(command); }
    int Query(const std::string& command, std::string& reply) override {
        const int sent = m_link.Query(command, reply);
        if (sent != 0 && command == m_query)
            reply = m_reply;
        return sent;
    }

private:
    IInstrumentLink& m_link;
    std::string m_query;
    std::string m_reply;
};

const std::string kSelect = "INST:SEL \"Brumo:1\"";
const std::string kGenlockTiming = "SOUR:CORR:MDEL:VERT?;HOR?";
const std::string kHdSync = "INP:REF:HDSY?";

std::string OutputTiming(int n) {
    return "SENS" + std::to_string(n) + ":CORR:MDEL:VERT?;:SENS" + std::to_string(n) +
           ":CORR:MDEL:HOR?";
}

// What every read asks after the reference.
Lines ReadTail() {
    return {"INP:CWAV:FRAM?;:INP:LLOS:ACT?",
            "OUTP1:STAN?;:OUTP1:SIGN?",
            "OUTP2:STAN?;:OUTP2:SIGN?",
            "OUTP3:STAN?",
            OutputTiming(1),
            OutputTiming(2),
            OutputTiming(3)};
}

Lines Join(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class BrumoDocument : public ModuleDocFixture<RecordedBrumo> {
protected:
    BrumoDocument() : ModuleDocFixture("Brumo", 1) {}
    void SetUp() override {
        ModuleDocFixture::SetUp();
        m_doc->SetLink(&m_rewriting);
        m_doc->SetOtherHdModules(false, false);
    }
    void SeedAll(const std::vector<std::pair<std::string, std::string>>& settings) {
        for (const auto& [header, value] : settings) Seed(header, value);
    }
    // Reads, and forgets what the read left in the logs.
    void Open() {
        ASSERT_EQ(m_doc->ReadAll(), 1);
        m_progress.TakeRuns();
        TakeLines();
    }

    RewritingLink m_rewriting{m_breakable};
};

// ---- reading -----------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> settings;
    std::pair<std::string, std::string> rewrite;  // a query and the whole reply it gets
    int result;
    Lines lines;  // what the read asked, in order
    std::function<void(const CBrumoDoc&)> check;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

const Lines kExternalHead = {kSelect, "INP:SOUR?", "INP:SEL?", "INP:REF:STAN?"};

const std::vector<ReadCase> kReadCases = {
    {"Internal",
     {{"OUTP1:STAN", "PAL"}, {"OUTP1:SIGN", "BB_NO_FREF"}, {"SENS1:CORR:MDEL:VERT", "-7"}},
     {},
     1,
     Join({kSelect, "INP:SOUR?"}, ReadTail()),
     [](const CBrumoDoc& doc) {
         EXPECT_EQ(doc.m_source, 0);
         EXPECT_EQ(doc.m_genlockLines, 0);
         EXPECT_EQ(doc.m_outputFormat.Values(), (std::array<int, 3>{1, 0, 4}));
         // Stored as read: the page shows any field reference as its second entry.
         EXPECT_EQ(doc.m_outputSignal[0], 2);
         EXPECT_EQ(doc.m_outputLines[0], -7);
         EXPECT_EQ(doc.m_hdSyncFormat, 13);
     }},
    {"Cw",
     {{"INP:SOUR", "EXT"},
      {"INP:SEL", "CW"},
      {"INP:CWAV:FRAM", "6.25"},
      {"INP:LLOS:ACT", "STA"},
      {"SOUR:CORR:MDEL:VERT", "12"},
      {"SOUR:CORR:MDEL:HOR", "-1.5"}},
     {},
     1,
     Join({kSelect, "INP:SOUR?", "INP:SEL?", kGenlockTiming}, ReadTail()),
     [](const CBrumoDoc& doc) {
         EXPECT_EQ(doc.m_source, 7);
         EXPECT_EQ(doc.m_genlockLines, 12);
         EXPECT_DOUBLE_EQ(doc.m_genlockDelay, -1.5e-6);
         EXPECT_DOUBLE_EQ(doc.m_cwFrame, 6.25);
         EXPECT_EQ(doc.m_lockLossAction, 1);
     }},
    // The detection selects the module again before it asks.
    {"HdSyncFound",
     {{"INP:SOUR", "EXT"},
      {"INP:SEL", "REF"},
      {"INP:REF:STAN", "HDSY"},
      {"INP:REF:HDSY", "HD720_59P"},
      {"OUTP3:STAN", "HD1080_59I"},
      {"OUTP2:STAN", "HDSY"}},
     {},
     1,
     Join(Join(kExternalHead, {kSelect, kHdSync, kGenlockTiming}), ReadTail()),
     [](const CBrumoDoc& doc) {
         EXPECT_EQ(doc.m_source, 6);
         EXPECT_EQ(doc.m_hdSyncFormat, 11);
         EXPECT_EQ(doc.m_outputFormat.Values(), (std::array<int, 3>{0, 3, 6}));
     }},
    {"HdSyncNotFound",
     {{"INP:SOUR", "EXT"}, {"INP:SEL", "REF"}, {"INP:REF:STAN", "HDSY"}},
     {},
     1,
     Join(Join(kExternalHead, {kSelect, kHdSync, kGenlockTiming}), ReadTail()),
     [](const CBrumoDoc& doc) { EXPECT_EQ(doc.m_hdSyncFormat, 13); }},
    // An empty answer is a failed detection, not "none detected".
    {"HdSyncEmpty",
     {{"INP:SOUR", "EXT"}, {"INP:SEL", "REF"}, {"INP:REF:STAN", "HDSY"}},
     {kHdSync, ""},
     0,
     Join(kExternalHead, {kSelect, kHdSync}),
     {}},
    {"UnknownSource", {}, {"INP:SOUR?", "FREE"}, 0, {kSelect, "INP:SOUR?"}, {}},
    {"UnknownLockLoss",
     {},
     {"INP:CWAV:FRAM?;:INP:LLOS:ACT?", "14.985;HOLD"},
     0,
     {kSelect, "INP:SOUR?", "INP:CWAV:FRAM?;:INP:LLOS:ACT?"},
     {}},
    {"OutputAnswerCutShort",
     {},
     {"OUTP1:STAN?;:OUTP1:SIGN?", "NTSC"},
     0,
     {kSelect, "INP:SOUR?", "INP:CWAV:FRAM?;:INP:LLOS:ACT?", "OUTP1:STAN?;:OUTP1:SIGN?"},
     {}},
    // BLACK 2 on HD sync must still answer a signal word.
    {"HdSyncOutputWithoutSignalWord",
     {},
     {"OUTP2:STAN?;:OUTP2:SIGN?", "HDSY;NONE"},
     0,
     {kSelect, "INP:SOUR?", "INP:CWAV:FRAM?;:INP:LLOS:ACT?", "OUTP1:STAN?;:OUTP1:SIGN?",
      "OUTP2:STAN?;:OUTP2:SIGN?"},
     {}},
    // BLACK 3's words are exact: a lower-case format is no format.
    {"Black3LowerCase",
     {},
     {"OUTP3:STAN?", "HD1080_23p"},
     0,
     {kSelect, "INP:SOUR?", "INP:CWAV:FRAM?;:INP:LLOS:ACT?", "OUTP1:STAN?;:OUTP1:SIGN?",
      "OUTP2:STAN?;:OUTP2:SIGN?", "OUTP3:STAN?"},
     {}},
    {"TimingCutShort",
     {},
     {OutputTiming(2), "5"},
     0,
     Join({kSelect, "INP:SOUR?"}, {ReadTail()[0], ReadTail()[1], ReadTail()[2], ReadTail()[3],
                                   ReadTail()[4], ReadTail()[5]}),
     {}},
};

class BrumoDocRead : public BrumoDocument, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(BrumoDocRead, AsksByTheReferenceAndFailsOnAnyUnknownWord) {
    const ReadCase& c = GetParam();
    SeedAll(c.settings);
    if (!c.rewrite.first.empty())
        m_rewriting.Rewrite(c.rewrite.first, c.rewrite.second);
    EXPECT_EQ(m_doc->ReadAll(), c.result);
    EXPECT_EQ(TakeLines(), c.lines);
    const std::vector<ProgressRecord> runs = m_progress.TakeRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "Reading Brumo [1] ...");
    EXPECT_EQ(runs[0].steps, 10);
    // One step a position, however many exchanges the reference took.
    if (c.result == 1) {
        EXPECT_EQ(runs[0].position, 10);
    }
    EXPECT_TRUE(runs[0].ended);
    if (c.check)
        c.check(*m_doc);
}

INSTANTIATE_TEST_SUITE_P(Corvane, BrumoDocRead, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

// A failed selection fails the detection as a failed query does; neither stores a code.
TEST_F(BrumoDocument, HdSyncDetectionFailsOnALostSelectionOrQuery) {
    SeedAll({{"INP:SOUR", "EXT"},
             {"INP:SEL", "REF"},
             {"INP:REF:STAN", "HDSY"},
             {"INP:REF:HDSY", "HD1080_50I"}});
    Open();
    EXPECT_EQ(m_doc->m_hdSyncFormat, 2);
    for (const std::string& lost : {kSelect, kHdSync}) {
        SCOPED_TRACE(lost);
        BreakBefore(lost);
        EXPECT_EQ(m_doc->ReadHdSyncFormat(), brumo::kHdSyncFailed);
        EXPECT_EQ(m_doc->m_hdSyncFormat, 2);
        // The selection before a lost query went out; nothing after the break did.
        const Lines sent = lost == kSelect ? Lines{} : Lines{kSelect};
        EXPECT_EQ(TakeLines(sent.size()), sent);
        Reconnect();
    }
    Seed("INP:REF:HDSY", "NONE");
    EXPECT_EQ(m_doc->ReadHdSyncFormat(), 13);
    EXPECT_EQ(TakeLines(), (Lines{kSelect, kHdSync}));
}

TEST(BrumoTables, SignalWordFollowsTheFormatAndHdSyncIgnoresCase) {
    const struct {
        int format, signal;
        const char* word;
    } words[] = {{0, 0, "BB"},      {1, 0, "BB"},         {0, 1, "BB_FREF"},
                 {2, 2, "BB_FREF"}, {1, 1, "BB_NO_FREF"}, {1, 2, "BB_NO_FREF"}};
    for (const auto& s : words)
        EXPECT_EQ(brumo::SignalKeyword(s.format, s.signal), s.word) << s.format << s.signal;
    const std::pair<const char*, int> codes[] = {
        {"HD1080_60I", 0}, {"hd1080_59i", 1}, {"HD1080_23p", 9}, {"HD1080_23P", 9},
        {"HD720_59P", 11}, {"HD720_59p", 11}, {"HD720_50p", 12}, {"HD1035_60I", 13},
        {"NONE", 13},      {"HD720_50", 13}};
    for (const auto& [reply, code] : codes) EXPECT_EQ(brumo::HdSyncCode(reply), code) << reply;
}

// What no page sends and the module cannot take changes nothing.
TEST(BrumoSetters, IgnoreWhatTheModuleCannotTake) {
    const std::function<void(CBrumoDoc&)> refused[] = {
        [](CBrumoDoc& d) { d.SetSource(8); },
        [](CBrumoDoc& d) { d.SetSource(-1); },
        [](CBrumoDoc& d) { d.SetLockLossAction(2); },
        [](CBrumoDoc& d) { d.SetCwFrame(std::nan("")); },
        [](CBrumoDoc& d) { d.SetOutputFormat(0, 3); },  // HD sync is BLACK 2's
        [](CBrumoDoc& d) { d.SetOutputFormat(2, 3); },
        [](CBrumoDoc& d) { d.SetOutputFormat(2, 18); },
        [](CBrumoDoc& d) { d.SetOutputFormat(3, 0); },
        [](CBrumoDoc& d) { d.SetOutputSignal(2, 1); },
        [](CBrumoDoc& d) { d.SetOutputSignal(0, 3); },
        [](CBrumoDoc& d) { d.SetOutputLines(-1, 5); },
        [](CBrumoDoc& d) { d.SetOutputDelay(1, std::numeric_limits<double>::infinity()); },
    };
    for (size_t i = 0; i < std::size(refused); ++i) {
        CBrumoDoc doc;
        refused[i](doc);
        EXPECT_FALSE(doc.IsModified()) << i;
    }
}

// ---- live timing ---------------------------------------------------------------------------

TEST_F(BrumoDocument, LiveTimingStoresWithoutFlagsAndRefusesWhatItCannotRead) {
    SeedAll({{"INP:SOUR", "EXT"},
             {"SENS2:CORR:MDEL:VERT", "-4"},
             {"SENS2:CORR:MDEL:HOR", "2.5"},
             {"SOUR:CORR:MDEL:VERT", "9"}});
    Open();
    LiveTiming timing;
    ASSERT_EQ(m_doc->QueryOutputTiming(1, timing), 1);
    EXPECT_EQ(timing.lines, -4);
    EXPECT_DOUBLE_EQ(timing.delay, 2.5e-6);
    EXPECT_EQ(m_doc->m_outputLines[1], -4);
    EXPECT_FALSE(m_doc->m_outputLines[1].Changed());
    ASSERT_EQ(m_doc->QueryGenlockTiming(timing), 1);
    EXPECT_EQ(m_doc->m_genlockLines, 9);
    EXPECT_EQ(TakeLines(), (Lines{kSelect, OutputTiming(2), kSelect, kGenlockTiming}));

    // An output the module does not have asks nothing; an answer without ';' changes nothing.
    for (int output : {-1, 3}) EXPECT_EQ(m_doc->QueryOutputTiming(output, timing), 0);
    m_rewriting.Rewrite(OutputTiming(1), "3");
    timing = LiveTiming{77, 1.0};
    EXPECT_EQ(m_doc->QueryOutputTiming(0, timing), 0);
    EXPECT_EQ(timing.lines, 77);
    EXPECT_EQ(m_doc->m_outputLines[0], 0);
    m_rewriting.Rewrite(kGenlockTiming, "3");
    EXPECT_EQ(m_doc->QueryGenlockTiming(timing), 0);
    EXPECT_EQ(m_doc->m_genlockLines, 9);
    EXPECT_EQ(TakeLines(), (Lines{kSelect, OutputTiming(1), kSelect, kGenlockTiming}));
}

// ---- applying ----------------------------------------------------------------------------------

struct ApplyCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> settings;  // before the read
    std::function<void(CBrumoDoc&)> change;
    Lines sent;  // between the selection and "*OPC?"
    Posts posts;
    // Marks the Apply left: HD sync, reference, outputs 1..3.
    std::vector<int> marks;
    std::function<void(const CBrumoDoc&)> check;
};

void PrintTo(const ApplyCase& c, std::ostream* out) {
    *out << c.name;
}

const Post kApplied{WM_MODULE_APPLIED, 0};
const std::vector<std::pair<std::string, std::string>> kExternal = {{"INP:SOUR", "EXT"}};

const std::vector<ApplyCase> kApplyCases = {
    {"Nothing", {}, [](CBrumoDoc&) {}, {}, {}, {0, 0, 0, 0, 0}, {}},
    // With the internal clock the genlock timing waits for an external reference.
    {"InternalKeepsGenlockTimingPending",
     kExternal,
     [](CBrumoDoc& d) {
         d.SetSource(0);
         d.SetGenlockLines(5);
         d.SetGenlockDelay(1e-6);
     },
     {"INP:SOUR INT"},
     {kApplied},
     {0, 0, 0, 0, 0},
     [](const CBrumoDoc& d) {
         EXPECT_TRUE(d.m_genlockLines.Changed());
         EXPECT_TRUE(d.m_genlockDelay.Changed());
     }},
    {"CwWithItsFrameReset",
     {},
     [](CBrumoDoc& d) {
         d.SetSource(7);
         d.SetCwFrame(6.25);
         d.SetLockLossAction(1);
     },
     {"INP:SOUR EXT;:INP:SEL CW", "INP:LLOS:ACT STA", "INP:CWAV:FRAM  6.250"},
     {kApplied},
     {0, 1, 0, 0, 0},
     {}},
    {"KeepCompositeTiming",
     {},
     [](CBrumoDoc& d) {
         d.SetCwFrame(0.0);
         d.SetLockLossAction(0);
     },
     {"INP:LLOS:ACT INT", "INP:CWAV:FRAM  0.000"},
     {},
     {0, 0, 0, 0, 0},
     {}},
    // An HD sync reference is detected again after every Apply, sent or not.
    {"HdSyncReference",
     {},
     [](CBrumoDoc& d) { d.SetSource(6); },
     {"INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN HDSY"},
     {kApplied},
     {1, 1, 0, 0, 0},
     {}},
    {"GenlockTimingOnAReference",
     kExternal,
     [](CBrumoDoc& d) {
         d.SetGenlockLines(-5);
         d.SetGenlockDelay(-1.23456e-6);
     },
     {"SOUR:CORR:MDEL:VERT -5", "SOUR:CORR:MDEL:HOR -1.2346"},
     {},
     {0, 1, 0, 0, 0},
     {}},
    {"Black1PalWithFieldReference",
     {},
     [](CBrumoDoc& d) {
         d.SetOutputFormat(0, 1);
         d.SetOutputSignal(0, 1);
         d.SetOutputLines(0, 3);
         d.SetOutputDelay(0, 2e-6);
     },
     {"OUTP1:STAN PAL", "OUTP1:SIGN BB_NO_FREF", "SENS1:CORR:MDEL:VERT 3",
      "SENS1:CORR:MDEL:HOR 2.0000"},
     {kApplied},
     {0, 0, 1, 0, 0},
     {}},
    // BLACK 2 on HD sync repeats BLACK 3: its signal is dropped, its timing waits.
    {"Black2HdSync",
     {},
     [](CBrumoDoc& d) {
         d.SetOutputFormat(1, 3);
         d.SetOutputSignal(1, 1);
         d.SetOutputLines(1, 2);
     },
     {"OUTP2:STAN HDSY"},
     {kApplied},
     {0, 0, 0, 1, 0},
     [](const CBrumoDoc& d) {
         EXPECT_FALSE(d.m_outputSignal[1].Changed());
         EXPECT_TRUE(d.m_outputLines[1].Changed());
     }},
    // The other HD modules hear BLACK 3's clock at once, before the Apply ends.
    {"Black3Hd",
     {},
     [](CBrumoDoc& d) {
         d.SetOutputFormat(2, 6);
         d.SetOutputLines(2, -3);
         d.SetOutputDelay(2, -1e-6);
     },
     {"OUTP3:STAN HD1080_59I", "SENS3:CORR:MDEL:VERT -3", "SENS3:CORR:MDEL:HOR -1.0000"},
     {{WM_BRUMO_CLOCK_FAMILY, 2}, kApplied},
     {0, 0, 0, 0, 1},
     {}},
    {"Black3BlackBurst",
     {{"OUTP3:STAN", "HD1080_60I"}},
     [](CBrumoDoc& d) {
         d.SetOutputFormat(2, 4);
         d.SetOutputDelay(2, 1e-6);
     },
     {"OUTP3:STAN BB"},
     {kApplied},
     {0, 0, 0, 0, 1},
     [](const CBrumoDoc& d) { EXPECT_TRUE(d.m_outputDelay[2].Changed()); }},
    // A delay alone marks its output for the live read but tells no other window.
    {"DelayOnly",
     {},
     [](CBrumoDoc& d) { d.SetOutputDelay(1, 3.5e-6); },
     {"SENS2:CORR:MDEL:HOR 3.5000"},
     {},
     {0, 0, 0, 1, 0},
     {}},
};

class BrumoDocApply : public BrumoDocument, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(BrumoDocApply, SendsWhatChangedInTheModulesOrder) {
    const ApplyCase& c = GetParam();
    SeedAll(c.settings);
    Open();
    c.change(*m_doc);
    ASSERT_EQ(m_doc->Apply(), 1);
    Lines expected{kSelect};
    expected.insert(expected.end(), c.sent.begin(), c.sent.end());
    expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
    EXPECT_EQ(TakeLines(), expected);
    EXPECT_EQ(m_doc->posted, c.posts);
    EXPECT_EQ((std::vector<int>{m_doc->TakeHdSyncMark(), m_doc->TakeReferenceMark(),
                                m_doc->TakeOutputMark(0), m_doc->TakeOutputMark(1),
                                m_doc->TakeOutputMark(2)}),
              c.marks);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_progress.TakeRuns(), (std::vector<ProgressRecord>{{"Sending...", 19, 19, true}}));
    EXPECT_EQ(m_progress.TakeStatuses(), Lines{"Ready"});
    if (c.check)
        c.check(*m_doc);
}

INSTANTIATE_TEST_SUITE_P(Corvane, BrumoDocApply, ::testing::ValuesIn(kApplyCases),
                         [](const ::testing::TestParamInfo<ApplyCase>& info) {
                             return std::string(info.param.name);
                         });

// A send that fails ends the Apply there: what went out is done, what did not keeps its flag,
// and only a clock family already posted reaches the other windows.
TEST_F(BrumoDocument, ASendFailingMidApplyKeepsTheRestPending) {
    const struct {
        const char* breakBefore;
        Lines sent;
        Posts posts;
    } cases[] = {
        {"OUTP2:STAN PAL", {"OUTP1:STAN PAL"}, {}},
        {"SENS3:CORR:MDEL:VERT 4",
         {"OUTP1:STAN PAL", "OUTP2:STAN PAL", "OUTP3:STAN HD1080_50I"},
         {{WM_BRUMO_CLOCK_FAMILY, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.breakBefore);
        Open();
        m_doc->posted.clear();
        m_doc->SetOutputFormat(0, 1);
        m_doc->SetOutputFormat(1, 1);
        m_doc->SetOutputFormat(2, 7);
        m_doc->SetOutputLines(2, 4);
        BreakBefore(c.breakBefore);
        EXPECT_EQ(m_doc->Apply(), 0);
        Lines expected{kSelect};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        expected.push_back(c.breakBefore);
        EXPECT_EQ(TakeLines(expected.size() - 1), Lines(expected.begin(), expected.end() - 1));
        EXPECT_EQ(m_doc->posted, c.posts);
        EXPECT_TRUE(m_doc->IsModified());
        EXPECT_TRUE(m_doc->m_outputLines[2].Changed());
        EXPECT_FALSE(m_doc->m_outputFormat[0].Changed());
        Reconnect();
        m_progress.TakeRuns();
    }
}

}  // namespace
}  // namespace corvane::testing
