// The Brumo window against the simulated instrument: its read with the other HD modules, what
// each page's change sends on Apply and what the pages read back afterwards, BLACK 3's clock
// question, the genlock fields' range messages, closing with each answer, and a screenshot of
// every tab. Each window is checked through what the simulator received.
#include <QTabBar>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "corvane/modules/brumo/BrumoView.h"
#include "platform/MessageBox.h"
#include "resources/corvane/BrumoForms.h"
#include "resources/corvane/TimingPageForms.h"
#include "tests/corvane/ModuleWindowFixture.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;
using Settings = std::vector<std::pair<std::string, std::string>>;
constexpr platform::UINT kQuestion = platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION;
constexpr platform::UINT kClockQuestion = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;
constexpr platform::UINT kWarning = platform::MB_OK | platform::MB_ICONEXCLAMATION;

const std::string kSelect = "INST:SEL \"Brumo:1\"";
const std::string kGenlockTiming = "SOUR:CORR:MDEL:VERT?;HOR?";
std::string OutputTiming(int n) {
    return "SENS" + std::to_string(n) + ":CORR:MDEL:VERT?;:SENS" + std::to_string(n) +
           ":CORR:MDEL:HOR?";
}

const char* const kTo7425 = "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?";
const char* const kTo7418 = "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?";

class BrumoWindow : public ModuleWindowFixture<CBrumoDoc, CBrumoView> {
protected:
    BrumoWindow() : ModuleWindowFixture("Brumo", 1) {}

    void SeedAll(const Settings& settings) {
        for (const auto& [header, value] : settings) Seed(header, value);
    }
    void Close() {
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
    }
    static Lines TabTexts(CBrumoView* view) {
        Lines texts;
        const auto* bar = view->GetWidget()->findChild<QTabBar*>();
        for (int i = 0; bar != nullptr && i < bar->count(); ++i)
            texts.push_back(bar->tabText(i).toStdString());
        return texts;
    }
};

// The other HD modules are asked for their clocks before the Brumo itself.
class BrumoWithOthers : public BrumoWindow {
protected:
    BrumoWithOthers() { m_others = {{"Kintor", 2}, {"Ulmeth", 3}}; }
    void SeedOther(int slot, const Settings& settings) {
        for (const auto& [header, value] : settings)
            ASSERT_EQ(Instrument().SetModuleSetting(slot, header, value), 1) << header;
    }
};

TEST_F(BrumoWithOthers, ReadsTheOtherClocksFirstAndShowsItsTabs) {
    SeedOther(2, {{"OUTP3:STAN", "HD1080_59I"}});
    SeedOther(3, {{"OUTP1:STAN", "HD1080_50I"}});
    CBrumoView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TakeLines(),
              (Lines{"INST:SEL \"Kintor:2\"", "OUTP1:STAN?", "OUTP2:STAN?", "OUTP3:STAN?",
                     "OUTP4:STAN?", "INST:SEL \"Ulmeth:3\"", "OUTP1:STAN?", kSelect, "INP:SOUR?",
                     "INP:CWAV:FRAM?;:INP:LLOS:ACT?", "OUTP1:STAN?;:OUTP1:SIGN?",
                     "OUTP2:STAN?;:OUTP2:SIGN?", "OUTP3:STAN?",
                     "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?",
                     "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?",
                     "SENS3:CORR:MDEL:VERT?;:SENS3:CORR:MDEL:HOR?"}));
    // NTSC and NTSC beside an HD output: the Kintor is on both clocks.
    EXPECT_EQ(Doc()->m_kintorClockFamily, kClockBoth);
    EXPECT_EQ(Doc()->m_ulmethClockFamily, kClock7425);
    EXPECT_EQ(TabTexts(view), (Lines{"Genlock", "Output", "Timing"}));
    EXPECT_EQ(view->ShownPage(), 0);
    EXPECT_FALSE(Doc()->IsModified());
    Close();
}

// BLACK 3's question cannot be asked against a clock that cannot be told: no window.
TEST_F(BrumoWithOthers, StaysShutWhenAnotherClockCannotBeTold) {
    Instrument().SetReplyOverride("OUTP1:STAN?", "HD1080_61I");
    EXPECT_EQ(Open(), nullptr);
    EXPECT_FALSE(WindowOpen());
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Kintor:2\"", "OUTP1:STAN?"}));
}

// ---- Apply through the pages --------------------------------------------------------------------

// A page's change with the settings it starts from, and what the pages read back after the
// Apply's "SYST:ERR?".
struct BrumoPageAction : PageAction<CBrumoView> {
    Settings settings;
    Lines readAfter;
};

const std::vector<BrumoPageAction> kPageActions = {
    // Choosing CW resets its frame to 14.985 Hz; the genlock timing is read back.
    {"SourceCw",
     [](CBrumoView& v) { v.m_genlockPage.ChooseComboItem(IDC_BRUMO_SOURCE, 7); },
     {"INP:SOUR EXT;:INP:SEL CW", "INP:CWAV:FRAM 14.985"},
     {},
     {kSelect, kGenlockTiming}},
    // The HD reference is detected again before the genlock timing is read back.
    {"SourceHdSync",
     [](CBrumoView& v) { v.m_genlockPage.ChooseComboItem(IDC_BRUMO_SOURCE, 6); },
     {"INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN HDSY"},
     {{"INP:REF:HDSY", "HD1080_60I"}},
     {kSelect, "INP:REF:HDSY?", kSelect, kGenlockTiming}},
    {"CwFrame",
     [](CBrumoView& v) { v.m_genlockPage.ChooseComboItem(IDC_BRUMO_CW_FRAME, 1); },
     {"INP:CWAV:FRAM  6.250"},
     {{"INP:SOUR", "EXT"}, {"INP:SEL", "CW"}},
     {}},
    // 10.01 us is 540.54 steps of 1/54 MHz: the nearest is 541, 10.0185 us.
    {"GenlockCoarseSnapsToTheGrid",
     [](CBrumoView& v) { v.m_genlockPage.TypeText(IDC_BRUMO_COARSE, "10.01"); },
     {"SOUR:CORR:MDEL:HOR 10.0185"},
     {{"INP:SOUR", "EXT"}},
     {kSelect, kGenlockTiming}},
    {"GenlockFineAddsToCoarse",
     [](CBrumoView& v) { v.m_genlockPage.TypeText(IDC_BRUMO_FINE, "-5.55"); },
     {"SOUR:CORR:MDEL:HOR 0.9945"},
     {{"INP:SOUR", "EXT"}, {"SOUR:CORR:MDEL:HOR", "1.0"}},
     {kSelect, kGenlockTiming}},
    // A PAL frame reset allows PAL's genlock lines, sent before the reset itself.
    {"CwPalResetTakesPalLines",
     [](CBrumoView& v) {
         v.m_genlockPage.ChooseComboItem(IDC_BRUMO_CW_FRAME, 1);
         v.m_genlockPage.TypeText(IDC_BRUMO_LINES, "1000");
     },
     {"SOUR:CORR:MDEL:VERT 1000", "INP:CWAV:FRAM  6.250"},
     {{"INP:SOUR", "EXT"}, {"INP:SEL", "CW"}},
     {}},
    // One click of the coarse spin is one step, sent once.
    {"GenlockCoarseSpin",
     [](CBrumoView& v) { v.m_genlockPage.SpinBy(IDC_BRUMO_COARSE_SPIN, 1); },
     {"SOUR:CORR:MDEL:HOR 0.0185"},
     {{"INP:SOUR", "EXT"}},
     {kSelect, kGenlockTiming}},
    {"GenlockFineSpin",
     [](CBrumoView& v) { v.m_genlockPage.SpinBy(IDC_BRUMO_FINE_SPIN, -2); },
     {"SOUR:CORR:MDEL:HOR -0.0002"},
     {{"INP:SOUR", "EXT"}},
     {kSelect, kGenlockTiming}},
    // The spin's echo flag is gone once its write returned: what is typed next is sent.
    {"GenlockTypedAfterSpin",
     [](CBrumoView& v) {
         v.m_genlockPage.SpinBy(IDC_BRUMO_COARSE_SPIN, 1);
         v.m_genlockPage.TypeText(IDC_BRUMO_COARSE, "2");
         EXPECT_EQ(v.m_genlockPage.GetPos(IDC_BRUMO_COARSE_SPIN), 108);
     },
     {"SOUR:CORR:MDEL:HOR 2.0000"},
     {{"INP:SOUR", "EXT"}},
     {kSelect, kGenlockTiming}},
    // Leaving a field shows the value on the grid and sends nothing more.
    {"GenlockLeavingRewrites",
     [](CBrumoView& v) {
         v.m_genlockPage.FocusControl(IDC_BRUMO_COARSE);
         v.m_genlockPage.TypeText(IDC_BRUMO_COARSE, "1.23");
         v.m_genlockPage.FocusControl(IDC_BRUMO_LINES);
         EXPECT_EQ(v.m_genlockPage.GetDlgItemText(IDC_BRUMO_COARSE), "  1.2222");
     },
     {"SOUR:CORR:MDEL:HOR 1.2222"},
     {{"INP:SOUR", "EXT"}},
     {kSelect, kGenlockTiming}},
    // A reference of fewer lines clamps the stored lines and sends them.
    {"SourceNtscClampsLines",
     [](CBrumoView& v) { v.m_genlockPage.ChooseComboItem(IDC_BRUMO_SOURCE, 1); },
     {"INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN NBUR", "SOUR:CORR:MDEL:VERT 525"},
     {{"INP:SOUR", "EXT"}, {"INP:REF:STAN", "PBUR"}, {"SOUR:CORR:MDEL:VERT", "1000"}},
     {kSelect, kGenlockTiming}},
    // A new format sends the signal again, named for that format.
    {"Black1Pal",
     [](CBrumoView& v) { v.m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT1, 1); },
     {"OUTP1:STAN PAL", "OUTP1:SIGN BB_NO_FREF"},
     {{"OUTP1:SIGN", "BB_FREF"}},
     {kSelect, OutputTiming(1)}},
    // The timing page takes the new format's limits: NTSC's lines are fewer than PAL's.
    {"Black1NtscClampsItsTiming",
     [](CBrumoView& v) { v.m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT1, 0); },
     {"OUTP1:STAN NTSC", "OUTP1:SIGN BB", "SENS1:CORR:MDEL:VERT 525"},
     {{"OUTP1:STAN", "PAL"}, {"SENS1:CORR:MDEL:VERT", "1000"}},
     {kSelect, OutputTiming(1)}},
    {"TimingTabLines",
     [](CBrumoView& v) { v.m_timingPage.TypeText(kBrumoTimingIds[1].linesEdit, "7"); },
     {"SENS2:CORR:MDEL:VERT 7"},
     {},
     {}},
    {"Black2HdSync",
     [](CBrumoView& v) { v.m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT2, 3); },
     {"OUTP2:STAN HDSY"},
     {},
     {kSelect, OutputTiming(2)}},
    {"Black3Hd",
     [](CBrumoView& v) { v.m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT3, 2); },
     {"OUTP3:STAN HD1080_59I"},
     {},
     {kSelect, OutputTiming(3)}},
};

void PrintTo(const BrumoPageAction& c, std::ostream* out) {
    *out << c.name;
}

class BrumoWindowApply : public BrumoWindow,
                         public ::testing::WithParamInterface<BrumoPageAction> {};

TEST_P(BrumoWindowApply, SendsWhatThePageChangedAndReadsBackWhatItMoved) {
    const BrumoPageAction& c = GetParam();
    SeedAll(c.settings);
    Lines expected{kSelect};
    expected.insert(expected.end(), c.sent.begin(), c.sent.end());
    expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
    expected.insert(expected.end(), c.readAfter.begin(), c.readAfter.end());
    ApplyPageAction(c.act, expected);
}

INSTANTIATE_TEST_SUITE_P(Corvane, BrumoWindowApply, ::testing::ValuesIn(kPageActions),
                         [](const ::testing::TestParamInfo<BrumoPageAction>& info) {
                             return std::string(info.param.name);
                         });

// ---- the genlock page --------------------------------------------------------------------------

TEST_F(BrumoWindow, GenlockControlsFollowTheSource) {
    const struct {
        Settings settings;
        bool timing;
        bool cw;
        int cwIndex;
    } cases[] = {
        {{{"INP:SOUR", "INT"}}, false, false, 0},
        {{{"INP:SOUR", "EXT"}, {"INP:SEL", "REF"}}, true, false, 0},
        {{{"INP:SOUR", "EXT"}, {"INP:SEL", "CW"}, {"INP:CWAV:FRAM", "2.997"}}, true, true, 3},
        // A frame reset that is no entry shows "Keep Composite Timing".
        {{{"INP:SOUR", "EXT"}, {"INP:SEL", "CW"}}, true, true, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cwIndex);
        SeedAll(c.settings);
        if (c.cwIndex == 5)
            Instrument().SetReplyOverride("INP:CWAV:FRAM?", "5.000");
        CBrumoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        CBrumoGenlockPage& page = view->m_genlockPage;
        for (int id : {IDC_BRUMO_LINES, IDC_BRUMO_COARSE, IDC_BRUMO_FINE_SPIN,
                       IDC_BRUMO_STAY_CURRENT, IDC_BRUMO_TIMING_GROUP})
            EXPECT_EQ(page.IsDlgItemEnabled(id), c.timing) << id;
        EXPECT_EQ(page.IsDlgItemEnabled(IDC_BRUMO_CW_FRAME), c.cw);
        EXPECT_EQ(page.IsDlgItemEnabled(IDC_BRUMO_CW_LABEL), c.cw);
        if (c.cw) {
            EXPECT_EQ(page.GetCurSel(IDC_BRUMO_CW_FRAME), c.cwIndex);
        }
        EXPECT_FALSE(Doc()->IsModified());
        Instrument().ClearReplyOverrides();
        Close();
    }
}

// Values beyond the reference's limits are refused with the field's message and put back;
// nothing reaches the document.
TEST_F(BrumoWindow, GenlockFieldsRefuseWhatTheReferenceCannotTake) {
    const struct {
        const char* name;
        Settings settings;
        int field;
        const char* typed;
        const char* message;
        const char* shown;
    } cases[] = {
        {"lines NTSC",
         {},
         IDC_BRUMO_LINES,
         "526",
         "Vertical lines must be within\n-525 to 525.",
         "0"},
        {"coarse NTSC",
         {},
         IDC_BRUMO_COARSE,
         "70",
         "Horizontal coarse must be within\n-63.5556 to  63.5556 [usec].",
         "  0.0000"},
        {"coarse PAL",
         {{"INP:REF:STAN", "PBUR"}},
         IDC_BRUMO_COARSE,
         "-64.02",
         "Horizontal coarse must be within\n-64.0000 to  64.0000 [usec].",
         "  0.0000"},
        {"coarse nan",
         {},
         IDC_BRUMO_COARSE,
         "nan",
         "Horizontal coarse must be within\n-63.5556 to  63.5556 [usec].",
         "  0.0000"},
        {"fine SD",
         {},
         IDC_BRUMO_FINE,
         "10.1",
         "Horizontal fine must be within\n-10.00 to  10.00 [nsec].",
         "  0.00"},
        // An HD reference narrows the fine part to half its clock period.
        {"fine HD",
         {{"INP:REF:STAN", "HDSY"}, {"INP:REF:HDSY", "HD1080_59I"}},
         IDC_BRUMO_FINE,
         "7.1",
         "Horizontal fine must be within\n -7.00 to   7.00 [nsec].",
         "  0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Seed("INP:SOUR", "EXT");
        SeedAll(c.settings);
        CBrumoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        m_boxes.Expect(c.message, kWarning, platform::IDOK);
        view->m_genlockPage.TypeText(c.field, c.typed);
        EXPECT_EQ(m_boxes.Pending(), 0u);
        EXPECT_EQ(view->m_genlockPage.GetDlgItemText(c.field), c.shown);
        EXPECT_FALSE(Doc()->IsModified());
        Close();
        Seed("INP:REF:STAN", "NBUR");
    }
}

// A delay clamped to the line period of a 720p 59.94 reference lies off the 54 MHz grid, its
// coarse part beyond the bound by less than a step: leaving the field shows what the page
// holds again, with no message and nothing taken.
TEST_F(BrumoWindow, LeavingAGenlockFieldAtTheBoundKeepsItsValue) {
    const struct {
        const char* delay;
        const char* coarse;
        const char* fine;
    } cases[] = {
        {"22.205", " 22.2037", " -3.70"},
        {"-22.205", "-22.2037", "  3.70"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delay);
        SeedAll({{"INP:SOUR", "EXT"},
                 {"INP:REF:STAN", "HDSY"},
                 {"INP:REF:HDSY", "HD720_59P"},
                 {"SOUR:CORR:MDEL:HOR", c.delay}});
        CBrumoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        CBrumoGenlockPage& page = view->m_genlockPage;
        const double clamped = Doc()->m_genlockDelay;
        page.FocusControl(IDC_BRUMO_COARSE);
        page.FocusControl(IDC_BRUMO_LINES);
        EXPECT_EQ(page.GetDlgItemText(IDC_BRUMO_COARSE), c.coarse);
        EXPECT_EQ(page.GetDlgItemText(IDC_BRUMO_FINE), c.fine);
        EXPECT_EQ(Doc()->m_genlockDelay, clamped);
        Close();
        Seed("SOUR:CORR:MDEL:HOR", "0");
    }
}

// The detection after an Apply on an HD reference that finds none says so and keeps the page
// on the 720p limits.
TEST_F(BrumoWindow, ApplyOnAnHdReferenceRunsTheDetection) {
    SeedAll({{"INP:SOUR", "EXT"}, {"INP:REF:STAN", "HDSY"}, {"INP:REF:HDSY", "HD1080_60I"}});
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_genlockPage.Limits().lines, 562);
    view->m_genlockPage.ClickButton(IDC_BRUMO_STAY_CURRENT);
    Seed("INP:REF:HDSY", "NONE");
    m_boxes.Expect("Can not detect HD Sync signal.", kWarning, platform::IDOK);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(TakeLines(),
              (Lines{kSelect, "INP:LLOS:ACT STA", "*OPC?", "SYST:ERR?", kSelect, "INP:REF:HDSY?"}));
    EXPECT_EQ(view->m_genlockPage.Limits().lines, 375);
    Close();
}

// ---- BLACK 3's clock question ---------------------------------------------------------------

struct ClockCase {
    const char* name;
    Settings kintor;  // slot 2
    Settings ulmeth;  // slot 3
    int choice;       // BLACK 3 list index
    const char* question;
    int answer;
    Lines sent;
};

const std::vector<ClockCase> kClockCases = {
    {"KintorOn7425No",
     {{"OUTP1:STAN", "HD1080_60I"}, {"OUTP2:STAN", "HD1080_60I"}, {"OUTP3:STAN", "HD1080_60I"}},
     {{"OUTP1:STAN", "HD1080_60I"}},
     2,
     kTo7425,
     platform::IDNO,
     {}},
    {"KintorOn7425Yes",
     {{"OUTP1:STAN", "HD1080_60I"}, {"OUTP2:STAN", "HD1080_60I"}, {"OUTP3:STAN", "HD1080_60I"}},
     {{"OUTP1:STAN", "HD1080_60I"}},
     2,
     kTo7425,
     platform::IDYES,
     {"OUTP3:STAN HD1080_59I"}},
    // The Ulmeth is asked about first.
    {"UlmethFirst",
     {{"OUTP1:STAN", "HD1080_60I"}, {"OUTP2:STAN", "HD1080_60I"}, {"OUTP3:STAN", "HD1080_60I"}},
     {{"OUTP1:STAN", "HD1080_59I"}},
     1,
     kTo7418,
     platform::IDYES,
     {"OUTP3:STAN HD1080_60I"}},
    // A Kintor on both clocks conflicts with any HD format.
    {"KintorOnBoth",
     {{"OUTP3:STAN", "HD1080_59I"}},
     {{"OUTP1:STAN", "HD1080_60I"}},
     1,
     kTo7418,
     platform::IDNO,
     {}},
    {"SameClock",
     {{"OUTP1:STAN", "HD1080_59I"}, {"OUTP2:STAN", "HD1080_59I"}, {"OUTP3:STAN", "HD1080_59I"}},
     {{"OUTP1:STAN", "HD1080_59I"}},
     12,
     nullptr,
     0,
     {"OUTP3:STAN HD720_59P"}},
    {"BlackBurstNeverAsks",
     {{"OUTP1:STAN", "HD1080_59I"}, {"OUTP2:STAN", "HD1080_59I"}, {"OUTP3:STAN", "HD1080_59I"}},
     {{"OUTP1:STAN", "HD1080_60I"}},
     0,
     nullptr,
     0,
     {"OUTP3:STAN BB"}},
};

void PrintTo(const ClockCase& c, std::ostream* out) {
    *out << c.name;
}

class BrumoClock : public BrumoWithOthers, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(BrumoClock, AsksBeforeMixingClocksAndNoPutsBackTheFormat) {
    const ClockCase& c = GetParam();
    SeedOther(2, c.kintor);
    SeedOther(3, c.ulmeth);
    Seed("OUTP3:STAN", c.choice == 0 ? "HD1080_50I" : "BB");
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    const int before = view->m_outputPage.GetCurSel(IDC_BRUMO_FORMAT3);
    if (c.question != nullptr)
        m_boxes.Expect(c.question, kClockQuestion, c.answer);
    view->m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT3, c.choice);
    EXPECT_EQ(m_boxes.Pending(), 0u);
    const bool refused = c.answer == platform::IDNO;
    EXPECT_EQ(view->m_outputPage.GetCurSel(IDC_BRUMO_FORMAT3), refused ? before : c.choice);
    EXPECT_EQ(Doc()->IsModified(), !refused);
    if (!refused) {
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        Lines expected{kSelect};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        // The new format's live timing is read back.
        expected.insert(expected.end(), {"*OPC?", "SYST:ERR?", kSelect, OutputTiming(3)});
        EXPECT_EQ(TakeLines(), expected);
    }
    Close();
}

INSTANTIATE_TEST_SUITE_P(Corvane, BrumoClock, ::testing::ValuesIn(kClockCases),
                         [](const ::testing::TestParamInfo<ClockCase>& info) {
                             return std::string(info.param.name);
                         });

// A family the main frame relays from another window replaces the one read at opening, and a
// refusal puts back the format last accepted, not the one of the opening.
TEST_F(BrumoWindow, RelayedFamiliesDecideTheQuestion) {
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    CBrumoOutputPage& page = view->m_outputPage;
    page.ChooseComboItem(IDC_BRUMO_FORMAT3, 1);  // 1080 60i, nobody to ask
    Frame()->PostMessage(WM_KINTOR_CLOCK_FAMILY, kClock7418, 0);
    RunPendingEvents();
    EXPECT_EQ(Doc()->m_kintorClockFamily, kClock7418);
    m_boxes.Expect(kTo7418, kClockQuestion, platform::IDNO);
    page.ChooseComboItem(IDC_BRUMO_FORMAT3, 3);  // 1080 50i
    EXPECT_EQ(page.GetCurSel(IDC_BRUMO_FORMAT3), 1);
    Frame()->PostMessage(WM_ULMETH_CLOCK_FAMILY, kClock7425, 0);
    RunPendingEvents();
    m_boxes.Expect(kTo7425, kClockQuestion, platform::IDYES);
    page.ChooseComboItem(IDC_BRUMO_FORMAT3, 2);  // 1080 59.94i
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(Doc()->m_outputFormat[2], 6);
    Close();
}

// ---- the output page's lists ----------------------------------------------------------------

TEST_F(BrumoWindow, OutputListsFollowTheStoredFormats) {
    SeedAll({{"OUTP1:STAN", "PAL"},
             {"OUTP1:SIGN", "BB_NO_FREF"},
             {"OUTP3:STAN", "HD720_50P"},
             {"OUTP2:STAN", "HDSY"}});
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    CBrumoOutputPage& page = view->m_outputPage;
    EXPECT_EQ(page.GetCurSel(IDC_BRUMO_FORMAT1), 1);
    // A field reference read as "BB_NO_FREF" is the second entry of the PAL list.
    EXPECT_EQ(page.GetCurSel(IDC_BRUMO_SIGNAL1), 1);
    EXPECT_EQ(page.GetLBText(IDC_BRUMO_SIGNAL1, 1), "Black Burst with No Field REF");
    EXPECT_EQ(page.GetCurSel(IDC_BRUMO_FORMAT3), 13);
    EXPECT_FALSE(page.IsDlgItemEnabled(IDC_BRUMO_SIGNAL2));
    EXPECT_FALSE(page.IsDlgItemEnabled(IDC_BRUMO_SIGNAL2_LABEL));
    // Back from HD sync, BLACK 2's list starts on plain black burst and sends it.
    page.ChooseComboItem(IDC_BRUMO_FORMAT2, 2);
    EXPECT_TRUE(page.IsDlgItemEnabled(IDC_BRUMO_SIGNAL2));
    EXPECT_EQ(page.GetCurSel(IDC_BRUMO_SIGNAL2), 0);
    EXPECT_EQ(page.GetLBText(IDC_BRUMO_SIGNAL2, 1), "Black Burst with Field REF");
    EXPECT_TRUE(Doc()->m_outputSignal[1].Changed());
    EXPECT_EQ(Doc()->m_outputFormat[1], 2);
    // Nothing was sent at opening.
    EXPECT_FALSE(Doc()->m_outputSignal[0].Changed());
    Close();
}

// A lost link mid-Apply is reported once; the output already sent is read back once the link
// is there again, and the next Apply sends only what the first did not.
TEST_F(BrumoWindow, ASendFailingMidApplyLeavesTheRestForTheNextApply) {
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT1, 1);
    view->m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT2, 2);
    FrameLinkBrokenBefore link(*Frame(), "OUTP2:STAN NTSC_NSU");
    Doc()->SetLink(&link);
    m_boxes.Expect("Descriptor is not socket.", platform::MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    RunPendingEvents();
    EXPECT_EQ(m_boxes.Pending(), 0u);
    Doc()->SetLink(nullptr);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    EXPECT_EQ(Setting("OUTP1:STAN"), "PAL");

    ASSERT_EQ(Frame()->Connect(), 1);
    TakeLines();
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(TakeLines(),
              (Lines{kSelect, "OUTP2:STAN NTSC_NSU", "OUTP2:SIGN BB", "*OPC?", "SYST:ERR?", kSelect,
                     OutputTiming(1), kSelect, OutputTiming(2)}));
    EXPECT_FALSE(Doc()->IsModified());
    Close();
}

// ---- closing -----------------------------------------------------------------------------------

TEST_F(BrumoWindow, ClosingFollowsEachAnswer) {
    const struct {
        const char* name;
        int button;  // IDC_MODULE_OK, IDC_MODULE_CANCEL, or 0 for the frame's close
        int answer;
        bool closes;
        const char* format;  // what the instrument holds afterwards
    } cases[] = {
        {"close, cancel", 0, platform::IDCANCEL, false, "NTSC"},
        {"close, no", 0, platform::IDNO, true, "NTSC"},
        {"close, yes", 0, platform::IDYES, true, "PAL"},
        {"ok, yes", IDC_MODULE_OK, platform::IDYES, true, "PAL"},
        {"ok, no", IDC_MODULE_OK, platform::IDNO, true, "NTSC"},
        {"cancel button, cancel", IDC_MODULE_CANCEL, platform::IDCANCEL, false, "NTSC"},
        {"cancel button, no", IDC_MODULE_CANCEL, platform::IDNO, true, "NTSC"},
        {"cancel button, yes", IDC_MODULE_CANCEL, platform::IDYES, true, "PAL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Seed("OUTP1:STAN", "NTSC");
        CBrumoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        view->m_outputPage.ChooseComboItem(IDC_BRUMO_FORMAT1, 1);
        m_boxes.Expect("Apply changes to Brumo?", kQuestion, c.answer);
        if (c.button == 0)
            EXPECT_EQ(Frame()->Children().front()->OnClose(), c.closes);
        else
            view->ClickButton(c.button);
        if (c.closes) {
            EXPECT_TRUE(WaitUntilClosed());
        }
        RunPendingEvents();
        EXPECT_EQ(WindowOpen(), !c.closes);
        EXPECT_EQ(m_boxes.Pending(), 0u);
        EXPECT_EQ(Setting("OUTP1:STAN"), c.format);
        if (WindowOpen())
            Close();
    }
}

TEST_F(BrumoWindow, ScreenshotsOfEveryTab) {
    SeedAll({{"INP:SOUR", "EXT"},
             {"INP:SEL", "CW"},
             {"INP:CWAV:FRAM", "6.25"},
             {"SOUR:CORR:MDEL:HOR", "12.3456"},
             {"OUTP1:STAN", "PAL"},
             {"OUTP3:STAN", "HD1080_59I"}});
    CBrumoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    for (int i = 0; i < view->PageCount(); ++i) {
        ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, i));
        ASSERT_EQ(view->ShownPage(), i);
        SaveScreenshot(view->GetParentFrame()->GetWidget(), "brumo-" + std::to_string(i + 1));
    }
    Close();
}

}  // namespace
}  // namespace corvane::testing
