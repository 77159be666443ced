// The black output page of the serial video modules, hosted as its view hosts it and driven as
// the operator drives it: what it sends (a log compared with a table), the boxes it shows,
// and the page's own writes, which must never come back as the operator's.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/pages/black/SerialBlackPage.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/SerialBlackPageForms.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;

constexpr int kYesNo = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;
constexpr int kOk = platform::MB_OK | platform::MB_ICONEXCLAMATION;

struct Model {
    const char* name;
    const SerialBlackTable& (*table)();
};
const Model kSormet{"Sormet", SormetSerialBlackTable};
const Model kUlmeth{"Ulmeth", UlmethSerialBlackTable};

std::string Line(platform::UINT message, long value) {
    return platform::Format("%u 0 %ld", message, value);
}
std::string DelayLine(platform::UINT message, double micro) {
    return platform::Format("%u 0 %.4f", message, micro);
}

class SerialBlackPage : public HostedPageTest<CSerialBlackPage> {
protected:
    void Open(const Model& model, const SerialBlackValues& values) {
        const SerialBlackTable& table = model.table();
        m_messages = &table.messages;
        NewHost();
        for (platform::UINT m : {table.messages.format, table.messages.signal, table.messages.lines,
                                 table.messages.edh, table.messages.bits})
            if (m != 0)
                m_host->Record(m);
        m_host->RecordDelay(table.messages.delay);
        m_host->OnMessage(table.messages.timingQuery, [this](platform::WPARAM, platform::LPARAM l) {
            ++m_queries;
            if (!m_liveAnswers)
                return platform::LRESULT{0};
            *reinterpret_cast<SerialBlackTiming*>(l) = m_live;
            return platform::LRESULT{1};
        });
        m_page = std::make_unique<CSerialBlackPage>(table);
        m_page->Load(values);
        ASSERT_TRUE(m_page->Create(m_host.get()));
        m_page->ShowWindow(true);
    }
    const SerialBlackMessages& M() const { return *m_messages; }

    testsupport::BoxScript m_boxes;
    const SerialBlackMessages* m_messages = nullptr;
    SerialBlackTiming m_live{};
    bool m_liveAnswers = true;
    int m_queries = 0;
};

SerialBlackValues Sormet(int format, int lines = 0, double delay = 0.0, double firmware = 3.1) {
    SerialBlackValues v;
    v.format = format;
    v.lines = lines;
    v.delay = delay;
    v.edh = 1;
    v.bits = 10;
    v.firmwareVersion = firmware;
    v.output1FormatName = "525-270";
    return v;
}

SerialBlackValues Ulmeth(int format, int output1, int brumo = kClockNoBrumo,
                         int kintor = kClockNoKintor, double firmware = 3.1) {
    SerialBlackValues v;
    v.format = format;
    v.output1Format = output1;
    v.brumoClockFamily = brumo;
    v.kintorClockFamily = kintor;
    v.firmwareVersion = firmware;
    return v;
}

TEST(SerialBlackLimits, EachFormatAllowsOneLinePeriodInWholeSamples) {
    struct Row {
        BlackTimingLimits (*limits)(int);
        int format;
        int lines;
        int steps;  // in one line period
        double stepNs;
    };
    const std::vector<Row> rows{{SormetBlackLimits, 0, 525, 910, 69.84127871},
                                {SormetBlackLimits, 1, 525, 3432, 18.51851852},
                                {SormetBlackLimits, 2, 1250, 3456, 18.51851852},
                                {SormetBlackLimits, 9, 525, 3432, 18.51851852},
                                {UlmethBlackLimits, 0, 562, 2200, 13.468013468},
                                {UlmethBlackLimits, 1, 562, 2200, 13.454558909},
                                {UlmethBlackLimits, 7, 562, 2640, 13.468013468},
                                {UlmethBlackLimits, 4, 562, 2750, 13.454558909},
                                {UlmethBlackLimits, 13, 375, 1650, 13.454558909},
                                {UlmethBlackLimits, 14, 375, 1980, 13.468013468},
                                {UlmethBlackLimits, 16, 375, 3300, 13.454558909},
                                {UlmethBlackLimits, 17, 375, 3960, 13.468013468},
                                {UlmethBlackLimits, 18, 375, 4125, 13.468013468},
                                {UlmethBlackLimits, 19, 375, 4125, 13.454558909},
                                {UlmethBlackLimits, 42, 562, 2200, 13.468013468}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.format);
        const BlackTimingLimits l = r.limits(r.format);
        EXPECT_EQ(l.lowerLines, -r.lines);
        EXPECT_EQ(l.upperLines, r.lines);
        EXPECT_NEAR(l.step * 1e9, r.stepNs, 1e-4);
        EXPECT_EQ(std::lround(l.upperDelay / l.step), r.steps);
        EXPECT_LE(r.steps, 32767);  // the spin counts in 16 bits
    }
}

TEST(SerialBlackQuestions, AskOnlyWhenTheClockWouldDifferFromTheOtherOutputs) {
    struct SormetRow {
        const char* output1;
        int format;
        bool asks;
    };
    for (const SormetRow& r : std::vector<SormetRow>{{"525-270", 0, true},
                                                     {"525-270", 2, false},
                                                     {"625-270", 1, false},
                                                     {"525-143", 1, true},
                                                     {"525-143", 2, true},
                                                     {"525-143", 0, false}}) {
        SerialBlackValues v;
        v.output1FormatName = r.output1;
        const std::string q = SormetBlackQuestion(v, r.format);
        EXPECT_EQ(!q.empty(), r.asks) << r.output1 << " -> " << r.format;
        if (r.asks) {
            EXPECT_EQ(q, std::string("Current signal format is ") + r.output1 +
                             ".\n\nAre you sure want to change format?");
        }
    }

    struct UlmethRow {
        int output1, brumo, kintor, format;
        int string;  // 0: no question
    };
    const std::vector<UlmethRow> rows{
        {0, kClockNoBrumo, kClockNoKintor, 1, 143},  // 74.25 output 1, a 1/1.001 format
        {0, kClockNoBrumo, kClockNoKintor, 2, 0},
        {1, kClock7418, kClockNoKintor, 2, 144},  // output 1 and the Brumo on 74.18
        {0, kClock7418, kClockNoKintor, 2, 144},  // the Brumo alone differs
        {0, kClock7425, kClock7418, 0, 144},      // the Kintor alone differs
        {0, kClockBoth, kClockNoHd, 0, 0},        // mixed or SD modules never ask
        {0, kClockFailed, kClockUnknown, 5, 0},
        {16, kClockNoBrumo, kClockNoKintor, 19, 0},  // 720 29.97p and 23.98p: one family
        {18, kClockNoBrumo, kClockNoKintor, 0, 0},   // 720 24p runs on 74.25
        {0, kClockNoBrumo, kClockNoKintor, 16, 143}};
    for (const UlmethRow& r : rows) {
        SCOPED_TRACE(r.format);
        RegisterVideoPageStrings();
        const std::string expected = r.string == 0 ? "" : platform::LoadString(r.string);
        ASSERT_TRUE(r.string == 0 || expected.find("HD Clock is") == 0);
        EXPECT_EQ(UlmethBlackQuestion(Ulmeth(0, r.output1, r.brumo, r.kintor), r.format), expected)
            << r.output1 << " " << r.brumo << " " << r.kintor;
    }
}

TEST_F(SerialBlackPage, ListsFollowTheFirmwareAndShowNoEntryForAValueTheyLack) {
    struct Row {
        const Model* model;
        double firmware;
        int signalCount;
        int formats;
    };
    for (const Row& r : std::vector<Row>{{&kSormet, 3.0, 2, 3},
                                         {&kSormet, 3.1, 4, 3},
                                         {&kUlmeth, 3.0, 2, 14},
                                         {&kUlmeth, 3.1, 4, 20}}) {
        SCOPED_TRACE(std::string(r.model->name) + " " + std::to_string(r.firmware));
        SerialBlackValues v = r.model == &kSormet ? Sormet(1) : Ulmeth(0, 0);
        v.firmwareVersion = r.firmware;
        v.signal = 3;
        v.format = r.model == &kSormet ? 2 : 15;
        Open(*r.model, v);
        const int formatId = r.model->table().formatId;
        EXPECT_EQ(Page().GetCount(IDC_BLACK_SIGNAL), r.signalCount);
        EXPECT_EQ(Page().GetCount(formatId), r.formats);
        EXPECT_EQ(Page().GetCurSel(IDC_BLACK_SIGNAL), r.signalCount == 4 ? 3 : -1);
        EXPECT_EQ(Page().GetCurSel(formatId), v.format < r.formats ? v.format : -1);
        EXPECT_EQ(
            Page().GetLBText(formatId, r.formats - 1),
            r.model == &kSormet ? "625-270" : (r.formats == 20 ? "720 23.98p" : "720 59.94p"));
        EXPECT_TRUE(m_host->Take().empty());
    }
}

TEST_F(SerialBlackPage, OpeningSendsOnlyWhatTheFormatDoesNotAllow) {
    Open(kSormet, Sormet(1, 1000, 70e-6));
    EXPECT_EQ(m_host->Take(), (Log{Line(M().lines, 525), DelayLine(M().delay, 63.5556)}));
    EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "525");
    EXPECT_EQ(Page().GetPos(IDC_BLACK_LINES_SPIN), 525);
    EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_DELAY), " 63.5556");
    EXPECT_EQ(Page().GetPos(IDC_BLACK_DELAY_SPIN), 3432);
    EXPECT_EQ(Page().IsDlgButtonChecked(IDC_BLACK_EDH_ON), 1);
    EXPECT_EQ(Page().IsDlgButtonChecked(IDC_BLACK_BITS10), 1);
}

TEST_F(SerialBlackPage, SormetFormatQuestionNamesOutputOneAndNoChangesNothing) {
    Open(kSormet, Sormet(1, 100));
    m_boxes.Expect("Current signal format is 525-270.\n\nAre you sure want to change format?",
                   kYesNo, platform::IDNO);
    Page().ChooseComboItem(IDC_SORMET_BLACK_FORMAT, 0);
    EXPECT_EQ(Page().GetCurSel(IDC_SORMET_BLACK_FORMAT), 1);
    EXPECT_TRUE(m_host->Take().empty());
    EXPECT_EQ(Page().Values().format, 1);

    // The refused choice left nothing behind: the same choice asks again.
    m_boxes.Expect("Current signal format is 525-270.\n\nAre you sure want to change format?",
                   kYesNo, platform::IDYES);
    Page().ChooseComboItem(IDC_SORMET_BLACK_FORMAT, 0);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().format, 0)}));
    EXPECT_EQ(Page().GetPos(IDC_BLACK_DELAY_SPIN), 0);
    Page().SpinBy(IDC_BLACK_DELAY_SPIN, 1);  // now in steps of 69.84 ns
    EXPECT_EQ(m_host->Take(), (Log{DelayLine(M().delay, 0.0698)}));
}

TEST_F(SerialBlackPage, NarrowerFormatSendsClampedLinesBeforeTheSpinsMove) {
    Open(kSormet, Sormet(2, 1000));
    ASSERT_TRUE(m_host->Take().empty());
    int spinWhenSent = 0;
    m_host->OnMessage(M().lines, [&](platform::WPARAM, platform::LPARAM l) {
        spinWhenSent = Page().GetPos(IDC_BLACK_LINES_SPIN);
        EXPECT_EQ(l, 525);
        return platform::LRESULT{0};
    });
    Page().ChooseComboItem(IDC_SORMET_BLACK_FORMAT, 1);  // 625-270 -> 525-270 asks nothing
    EXPECT_EQ(spinWhenSent, 1000);
    EXPECT_EQ(Page().GetPos(IDC_BLACK_LINES_SPIN), 525);
    EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "525");
    EXPECT_EQ(Page().Values().lines, 525);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().format, 1)}));
}

TEST_F(SerialBlackPage, UlmethAsksWithTheClockInUse) {
    Open(kUlmeth, Ulmeth(0, 0));
    m_boxes.Expect("HD Clock is 74.25 MHz.\n\nAre you sure want to change format?", kYesNo,
                   platform::IDNO);
    Page().ChooseComboItem(IDC_ULMETH_BLACK_FORMAT, 1);  // 1080 59.94i
    EXPECT_EQ(Page().GetCurSel(IDC_ULMETH_BLACK_FORMAT), 0);
    Page().ChooseComboItem(IDC_ULMETH_BLACK_FORMAT, 2);  // 1080 50i: same clock, no question
    Page().ChooseComboItem(IDC_ULMETH_BLACK_FORMAT, 12);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().format, 2), Line(M().format, 12)}));
    EXPECT_EQ(m_boxes.Records().size(), 1u);
}

TEST_F(SerialBlackPage, UlmethAsksWhenTheBrumoRunsOnTheOtherClock) {
    Open(kUlmeth, Ulmeth(1, 1, kClock7418));
    m_boxes.Expect("HD Clock is 74.18 MHz.\n\nAre you sure want to change format?", kYesNo,
                   platform::IDYES);
    Page().ChooseComboItem(IDC_ULMETH_BLACK_FORMAT, 2);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().format, 2)}));
}

TEST_F(SerialBlackPage, LinesOutsideTheFormatAreRefusedAndNothingIsSent) {
    for (const Model* model : {&kSormet, &kUlmeth}) {
        SCOPED_TRACE(model->name);
        SerialBlackValues values = model == &kSormet ? Sormet(1) : Ulmeth(12, 12);
        values.lines = 7;
        Open(*model, values);
        const int limit = model == &kSormet ? 525 : 375;
        m_boxes.Expect(platform::Format("Vertical lines must be within\n%d to %d.", -limit, limit),
                       kOk, platform::IDOK);
        Page().TypeText(IDC_BLACK_LINES, std::to_string(limit + 1));
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "7");
        EXPECT_EQ(Page().GetPos(IDC_BLACK_LINES_SPIN), 7);
        EXPECT_EQ(Page().GetFocusId(), IDC_BLACK_LINES);
        Page().TypeText(IDC_BLACK_LINES, "-12");
        Page().SpinBy(IDC_BLACK_LINES_SPIN, 1);
        m_boxes.ExpectAny(platform::IDOK);
        Page().TypeText(IDC_BLACK_LINES, "99999999999999999999");  // saturates, refused
        Page().TypeText(IDC_BLACK_LINES, "3 lines");
        Page().FocusControl(IDC_BLACK_DELAY);  // the rewrite sends nothing
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "3");
        EXPECT_EQ(m_host->Take(),
                  (Log{Line(M().lines, -12), Line(M().lines, -11), Line(M().lines, 3)}));
    }
}

TEST_F(SerialBlackPage, DelaySnapsToTheSampleClockAndRefusesWhatLiesBeyondALine) {
    struct Row {
        const Model* model;
        SerialBlackValues values;
        const char* typed;
        const char* sent;   // "" when refused
        const char* shown;  // after the focus leaves
        int position;
    };
    const std::string sormetBox = "Horizontal delay must be within\n-63.5556 to  63.5556 [usec].";
    const std::string ulmethBox = "Horizontal delay must be within\n-29.6296 to  29.6296 [usec].";
    const std::vector<Row> rows{{&kSormet, Sormet(1), "10.01", "10.0185", " 10.0185", 541},
                                {&kSormet, Sormet(1), "-10.01", "-10.0185", "-10.0185", -541},
                                {&kSormet, Sormet(1), "63.6", "", "  0.0000", 0},
                                {&kSormet, Sormet(1), "nan", "0.0000", "  0.0000", 0},
                                {&kSormet, Sormet(1), "0x10", "0.0000", "  0.0000", 0},
                                {&kUlmeth, Ulmeth(0, 0), "29.6296", "29.6296", " 29.6296", 2200},
                                {&kUlmeth, Ulmeth(0, 0), "29.64", "", "  0.0000", 0},
                                {&kUlmeth, Ulmeth(0, 0), "1e300", "", "  0.0000", 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.model->name) + " " + r.typed);
        Open(*r.model, r.values);
        const bool refused = std::string(r.sent).empty();
        if (refused)
            m_boxes.Expect(r.model == &kSormet ? sormetBox : ulmethBox, kOk, platform::IDOK);
        Page().FocusControl(IDC_BLACK_DELAY);
        Page().TypeText(IDC_BLACK_DELAY, r.typed);
        Page().FocusControl(IDC_BLACK_LINES);
        EXPECT_EQ(m_host->Take(),
                  refused ? Log{} : Log{platform::Format("%u 0 %s", M().delay, r.sent)});
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_DELAY), r.shown);
        EXPECT_EQ(Page().GetPos(IDC_BLACK_DELAY_SPIN), r.position);
    }
}

TEST_F(SerialBlackPage, TypingAfterTheFieldWasRewrittenToTheSameTextIsStillSent) {
    Open(kSormet, Sormet(1));
    Page().FocusControl(IDC_BLACK_DELAY);
    Page().FocusControl(IDC_BLACK_LINES);  // rewrites "  0.0000" unchanged
    Page().FocusControl(IDC_BLACK_DELAY);
    Page().TypeText(IDC_BLACK_DELAY, "1");
    Page().SpinBy(IDC_BLACK_DELAY_SPIN, -1);
    EXPECT_EQ(m_host->Take(), (Log{DelayLine(M().delay, 1.0000), DelayLine(M().delay, 0.9815)}));
    EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_DELAY), "  0.9815");
}

TEST_F(SerialBlackPage, SignalEdhAndResolutionAreSentAtOnce) {
    Open(kSormet, Sormet(1));
    Page().ChooseComboItem(IDC_BLACK_SIGNAL, 2);
    Page().ClickButton(IDC_BLACK_EDH_OFF);
    Page().ClickButton(IDC_BLACK_EDH_ON);
    Page().ClickButton(IDC_BLACK_BITS8);
    Page().ClickButton(IDC_BLACK_BITS10);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().signal, 2), Line(M().edh, 0), Line(M().edh, 1),
                                   Line(M().bits, 8), Line(M().bits, 10)}));
    EXPECT_FALSE(Page().HasDlgItem(IDC_BLACK_EDH_ON) && kUlmeth.table().edhAndBits);
}

TEST_F(SerialBlackPage, ReloadTakesTheLiveTimingWithoutSendingItBack) {
    for (const Model* model : {&kSormet, &kUlmeth}) {
        SCOPED_TRACE(model->name);
        Open(*model, model == &kSormet ? Sormet(1, 4, 1e-6) : Ulmeth(0, 0));
        const platform::UINT reload = M().timingReload;

        m_live = {600, 5e-6};  // lines beyond the format: clamped and sent
        Page().SendMessage(reload);
        const int limit = model == &kSormet ? 525 : 562;
        EXPECT_EQ(m_host->Take(), (Log{Line(M().lines, limit)}));
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), std::to_string(limit));
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_DELAY), "  5.0000");

        m_live = {-3, 2e-6};
        Page().SendMessage(reload);
        EXPECT_TRUE(m_host->Take().empty());
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "-3");
        EXPECT_EQ(Page().GetPos(IDC_BLACK_LINES_SPIN), -3);

        m_liveAnswers = false;  // a failed query leaves the page as it was
        Page().SendMessage(reload);
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), "-3");
        EXPECT_EQ(m_queries, 3);
        Page().TypeText(IDC_BLACK_LINES, "8");  // and the page is ready again
        EXPECT_EQ(m_host->Take(), (Log{Line(M().lines, 8)}));
        m_liveAnswers = true;
        m_queries = 0;
    }
}

// Each model's picture, saved under the build tree's screenshots/ to be looked at, shows the
// format and timing the page was opened on, which it takes as they are.
TEST_F(SerialBlackPage, PicturesOfBothModels) {
    struct Row {
        const Model* model;
        SerialBlackValues values;
        const char* lines;
        double delayMicro;
    };
    for (const Row& r : std::vector<Row>{{&kSormet, Sormet(2, 20, 3e-6), "20", 3.0},
                                         {&kUlmeth, Ulmeth(9, 9), "0", 0.0}}) {
        SCOPED_TRACE(r.model->name);
        Open(*r.model, r.values);
        EXPECT_EQ(Page().GetCurSel(r.model->table().formatId), r.values.format);
        EXPECT_EQ(Page().GetDlgItemText(IDC_BLACK_LINES), r.lines);
        EXPECT_NEAR(platform::StrToDouble(Page().GetDlgItemText(IDC_BLACK_DELAY).c_str()),
                    r.delayMicro, 1e-4);
        EXPECT_TRUE(m_host->Take().empty());
        SavePagePicture(Page(), std::string("page_black_") + r.model->name);
    }
}

}  // namespace
}  // namespace corvane::testing
