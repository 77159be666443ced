// The Kintor document without a window: the read at opening and the Apply against the
// simulated instrument, checked through the lines it received, the recorded progress and what
// it posted; the keyword table and the clock family of its outputs as pure rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/kintor/KintorDoc.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "tests/corvane/ModuleDocFixture.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;
using Posts = std::vector<std::pair<platform::UINT, int>>;

const std::string kSelect = "INST:SEL \"Kintor:1\"";

std::string Timing(int n) {
    return platform::Format("SENS%d:CORR:MDEL:VERT?;:SENS%d:CORR:MDEL:HOR?", n, n);
}

TEST(KintorRules, KeywordsAndCombinedClockFamily) {
    for (const auto& [keyword, code] : std::vector<std::pair<std::string, int>>{
             {"BB_NO_FREF", 2}, {"HD1080_60I", 15}, {"HD1080_59I", 14}, {"CB75_OR", 33}}) {
        EXPECT_EQ(KintorCode(keyword), code);
        EXPECT_EQ(KintorKeyword(code), keyword);
    }
    // Words compare exactly; a code the table lacks goes out as black burst.
    EXPECT_EQ(KintorCode("hd1080_59i"), -1);
    EXPECT_EQ(KintorCode("NTSC"), -1);
    EXPECT_EQ(KintorKeyword(3), "BB");

    struct Row {
        std::array<int, 4> format, signal;
        int family;
    };
    const std::vector<Row> rows{
        {{3, 3, 0, 1}, {15, 14, 0, 0}, kClockBoth},
        {{0, 0, 3, 0}, {0, 0, 14, 0}, kClock7418},
        {{0, 1, 2, 0}, {15, 14, 0, 0}, kClockNoHd},  // HD codes on SD outputs count for nothing
        {{3, 0, 0, 3}, {15, 0, 0, 16}, kClock7425},
        {{0, 0, 0, 3}, {0, 0, 0, 26}, kClock7425},  // all four outputs count, 4 too
        {{3, 0, 0, 3}, {25, 0, 0, 26}, kClockBoth},
    };
    for (const Row& r : rows) {
        CKintorDoc doc;
        for (size_t i = 0; i < 4; ++i) {
            doc.m_format[i].Load(r.format[i]);
            doc.m_signal[i].Load(r.signal[i]);
        }
        EXPECT_EQ(doc.CombinedHdClockFamily(), r.family)
            << r.signal[0] << " " << r.signal[1] << " " << r.signal[2] << " " << r.signal[3];
    }
}

// A link that answers every query alike, for replies the simulator never gives.
struct OneReplyLink : IInstrumentLink {
    int SendCommand(const std::string& command) override {
        sent.push_back(command);
        return 1;
    }
    int Query(const std::string& command, std::string& answer) override {
        sent.push_back(command);
        answer = reply;
        return 1;
    }
    std::string reply;
    Lines sent;
};

TEST(KintorRules, LiveTimingNeedsBothAnswersAndAnOutputOfTheModule) {
    struct Row {
        int output;
        const char* reply;
        int result, lines;
        double micro;
        size_t exchanges;
    };
    for (const Row& r : std::vector<Row>{{1, "-7;2.5", 1, -7, 2.5, 2},
                                         {1, "12.9;-0.25", 1, 12, -0.25, 2},
                                         {1, "5", 0, 0, 0.0, 2},  // no ';': no delay answer
                                         {4, "1;1", 0, 0, 0.0, 0},
                                         {-1, "1;1", 0, 0, 0.0, 0}}) {
        SCOPED_TRACE(r.reply);
        OneReplyLink link;
        link.reply = r.reply;
        CKintorDoc doc;
        doc.m_slot = 1;
        doc.SetLink(&link);
        int lines = 0;
        double seconds = 0.0;
        EXPECT_EQ(doc.QueryTiming(r.output, lines, seconds), r.result);
        EXPECT_EQ(lines, r.lines);
        EXPECT_NEAR(seconds * 1e6, r.micro, 1e-9);
        EXPECT_EQ(link.sent.size(), r.exchanges);
        if (r.result == 1) {
            EXPECT_EQ(doc.m_verticalLines[1].Value(), r.lines);
            EXPECT_FALSE(doc.m_verticalLines[1].Changed());
            EXPECT_FALSE(doc.IsModified());
        }
    }
}

class KintorDocument : public ModuleDocFixture<CKintorDoc> {
protected:
    KintorDocument() : ModuleDocFixture("Kintor", 1) {}
    void SetUp() override {
        ModuleDocFixture::SetUp();
        m_doc->SetPostSink([this](platform::UINT message, platform::WPARAM w) {
            m_posts.emplace_back(message, static_cast<int>(static_cast<platform::LPARAM>(w)));
        });
        // Every kind of output: an SD signal on each standard, test signals, an HD format.
        Seed("OUTP3:CONF", "1");
        Seed("OUTP2:STAN", "PAL");
        Seed("OUTP2:SIGN", "BB_NO_FREF");
        Seed("OUTP3:SIGN", "CB75PER");
        Seed("OUTP4:STAN", "HD1080_59I");
        Seed("SENS1:CORR:MDEL:VERT", "-5");
        Seed("SENS1:CORR:MDEL:HOR", "1.2500");
        Seed("SENS4:CORR:MDEL:VERT", "100");
    }
    void Open() {
        ASSERT_EQ(m_doc->ReadAll(), 1);
        m_progress.TakeRuns();
        TakeLines();
    }

    Posts m_posts;
};

TEST_F(KintorDocument, ReadAsksEachOutputAndSkipsTheSignalOfAnHdOne) {
    ASSERT_EQ(m_doc->ReadAll(), 1);
    EXPECT_EQ(TakeLines(), (Lines{kSelect, "OUTP3:CONF?", "OUTP1:STAN?", "OUTP1:SIGN?", Timing(1),
                                  "OUTP2:STAN?", "OUTP2:SIGN?", Timing(2), "OUTP3:STAN?",
                                  "OUTP3:SIGN?", Timing(3), "OUTP4:STAN?", Timing(4)}));
    EXPECT_EQ(m_progress.TakeRuns(),
              (std::vector<ProgressRecord>{{"Reading Kintor [1] ...", 14, 14, true}}));
    EXPECT_EQ(m_doc->m_output3Config, 1);
    EXPECT_EQ(m_doc->m_format.Values(), (std::array<int, 4>{0, 1, 0, 3}));
    EXPECT_EQ(m_doc->m_signal.Values(), (std::array<int, 4>{0, 2, 29, 14}));
    EXPECT_EQ(m_doc->m_verticalLines.Values(), (std::array<int, 4>{-5, 0, 0, 100}));
    EXPECT_NEAR(m_doc->m_horizontalDelay[0].Value(), 1.25e-6, 1e-15);
    // Without a main frame no other HD module is known.
    EXPECT_EQ(m_doc->m_brumoClockFamily, kClockNoBrumo);
    EXPECT_EQ(m_doc->m_ulmethClockFamily, kClockNoUlmeth);
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(KintorDocument, ReadFailsOnAWordOutsideTheTable) {
    struct Row {
        const char* query;
        const char* answer;
        int result;
        const char* lastLine;  // null: the whole read
        int signal1;           // what output 1's signal then holds, -1: not looked at
    };
    const std::vector<Row> rows{
        {"OUTP2:STAN?", "SECAM", 0, "OUTP2:STAN?", -1},
        {"OUTP1:SIGN?", "BARS", 0, "OUTP1:SIGN?", -1},
        {"OUTP4:STAN?", "HD1035_60I", 0, "OUTP4:STAN?", -1},
        // Any word of the table is a signal, an HD one too; a configuration other than "1" is 0.
        {"OUTP1:SIGN?", "HD1080_60I", 1, nullptr, 15},
        {"OUTP3:CONF?", "2", 1, nullptr, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.query);
        m_sim->SetReplyOverride(r.query, r.answer);
        EXPECT_EQ(m_doc->ReadAll(), r.result);
        const Lines lines = TakeLines();
        if (r.lastLine != nullptr) {
            EXPECT_EQ(lines.back(), r.lastLine);
        } else {
            EXPECT_EQ(lines.size(), 13u);
        }
        if (r.signal1 >= 0) {
            EXPECT_EQ(m_doc->m_signal[0].Value(), r.signal1);
        }
        m_sim->ClearReplyOverrides();
        m_progress.TakeRuns();
    }
    EXPECT_EQ(m_doc->m_output3Config, 0);
}

TEST_F(KintorDocument, ApplySendsOnlyWhatChangedOutputByOutput) {
    struct Row {
        const char* name;
        void (*change)(CKintorDoc&);
        Lines sent;
        Posts posts;
        std::vector<int> formatSent;
    };
    using D = CKintorDoc;
    const std::pair<platform::UINT, int> applied{WM_MODULE_APPLIED, 0};
    const auto family = [](int f) { return std::make_pair(WM_KINTOR_CLOCK_FAMILY, f); };
    // clang-format off
    const std::vector<Row> rows{
        {"only the HD code", [](D& d) { d.SetSignal(3, 15); },
         {"OUTP4:STAN HD1080_60I"}, {applied, family(kClock7425)}, {3}},
        {"HD format and code in one word", [](D& d) { d.SetFormat(0, 3); d.SetSignal(0, 15); },
         {"OUTP1:STAN HD1080_60I"}, {applied, family(kClockBoth)}, {0}},
        {"SD signal and timing",
         [](D& d) { d.SetHorizontalDelay(0, 1.5e-6); d.SetSignal(0, 1); d.SetVerticalLines(0, -7); },
         {"OUTP1:SIGN BB_FREF", "SENS1:CORR:MDEL:VERT -7.0", "SENS1:CORR:MDEL:HOR 1.50000000"},
         {applied}, {}},
        {"format of output 3 only", [](D& d) { d.SetFormat(2, 1); },
         {"OUTP3:STAN PAL"}, {applied, family(kClock7418)}, {2}},
        {"timing only, in output order",
         [](D& d) { d.SetHorizontalDelay(3, -2e-6); d.SetVerticalLines(1, 12); },
         {"SENS2:CORR:MDEL:VERT 12.0", "SENS4:CORR:MDEL:HOR -2.00000000"}, {}, {}},
        {"outputs, formats and codes out of range change nothing",
         [](D& d) { d.SetFormat(4, 1); d.SetSignal(-1, 1); d.SetFormat(0, 4); d.SetVerticalLines(7, 1);
                    d.SetSignal(1, 99); d.SetSignal(3, 10); },
         {}, {}, {}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open();
        m_posts.clear();
        r.change(*m_doc);
        ASSERT_EQ(m_doc->Apply(), 1);
        Lines expected{kSelect};
        expected.insert(expected.end(), r.sent.begin(), r.sent.end());
        expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
        EXPECT_EQ(TakeLines(), expected);
        EXPECT_EQ(m_posts, r.posts);
        EXPECT_EQ(m_progress.TakeRuns(),
                  (std::vector<ProgressRecord>{{"Sending...", 19, 19, true}}));
        for (int output = 0; output < 4; ++output) {
            const bool sent =
                std::find(r.formatSent.begin(), r.formatSent.end(), output) != r.formatSent.end();
            EXPECT_EQ(m_doc->TakeFormatSent(output), sent ? 1 : 0) << output;
            EXPECT_EQ(m_doc->TakeFormatSent(output), 0) << output;
        }
        EXPECT_FALSE(m_doc->IsModified());
        // Nothing is left to send.
        m_posts.clear();
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(TakeLines(), (Lines{kSelect, "*OPC?", "SYST:ERR?"}));
        EXPECT_EQ(m_posts, Posts{});
        m_progress.TakeRuns();
        // Back to the seeded state for the next row.
        m_sim->GetInstrument().SetModuleSetting(1, "OUTP1:STAN", "NTSC");
        m_sim->GetInstrument().SetModuleSetting(1, "OUTP3:STAN", "NTSC");
        m_sim->GetInstrument().SetModuleSetting(1, "OUTP4:STAN", "HD1080_59I");
        m_sim->GetInstrument().SetModuleSetting(1, "OUTP2:SIGN", "BB_NO_FREF");
    }
}

TEST_F(KintorDocument, SendFailingMidApplyKeepsTheRestPending) {
    Open();
    m_doc->SetSignal(0, 1);
    m_doc->SetVerticalLines(1, 7);
    m_doc->SetFormat(2, 3);
    m_doc->SetSignal(2, 16);
    BreakBefore("SENS2:CORR:MDEL:VERT 7.0");
    EXPECT_EQ(m_doc->Apply(), 0);
    EXPECT_EQ(TakeLines(2), (Lines{kSelect, "OUTP1:SIGN BB_FREF"}));
    EXPECT_EQ(m_posts, Posts{});
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_FALSE(m_doc->m_signal[0].Changed());
    EXPECT_TRUE(m_doc->m_verticalLines[1].Changed());
    EXPECT_TRUE(m_doc->m_format[2].Changed());
    EXPECT_TRUE(m_doc->m_signal[2].Changed());
    EXPECT_EQ(m_doc->TakeFormatSent(2), 0);
    const std::vector<ProgressRecord> runs = m_progress.TakeRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].ended);
}

}  // namespace
}  // namespace corvane::testing
