// The Kintor window against the simulated instrument, with an Ulmeth beside it: the opening,
// the HD clock question with each answer as the instrument then hears it on Apply, the clock
// families relayed to it and posted by it, closing with each answer, and a picture of every
// tab.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <QTabBar>
#include <algorithm>
#include <string>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/kintor/KintorDoc.h"
#include "corvane/modules/kintor/KintorView.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "resources/corvane/BlackOutputPageForms.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/TimingPageForms.h"
#include "resources/corvane/VideoForms.h"
#include "tests/corvane/ModuleWindowFixture.h"
#include "tests/corvane/SimulatorLog.h"
// clang-format on

namespace corvane::testing {
namespace {

using platform::IDCANCEL;
using platform::IDNO;
using platform::IDYES;
using Lines = std::vector<std::string>;
constexpr platform::UINT kApplyQuestion = platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION;
constexpr platform::UINT kYesNo = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;

// The question of a move off the 74.25 MHz clock the Ulmeth runs on.
std::string Question7425() {
    RegisterVideoPageStrings();
    return platform::LoadString(IDS_HD_CLOCK_IS_7425);
}

std::string Timing(int n) {
    return "SENS" + std::to_string(n) + ":CORR:MDEL:VERT?;:SENS" + std::to_string(n) +
           ":CORR:MDEL:HOR?";
}

class KintorWindow : public ModuleWindowFixture<CKintorDoc, CKintorView> {
protected:
    KintorWindow() : ModuleWindowFixture("Kintor", 1) { m_others = {{"Ulmeth", 2}, {"Brumo", 3}}; }

    // The Ulmeth's output 1 decides the clock the Kintor's questions name.
    void UlmethOn(const std::string& standard) {
        ASSERT_EQ(Instrument().SetModuleSetting(2, "OUTP1:STAN", standard), 1);
    }
    void Choose(CKintorView& view, bool format, int output, int index) {
        const size_t i = static_cast<size_t>(output);
        ASSERT_TRUE(view.m_outputPage.ChooseComboItem(
            format ? kBlackFormatIds[i] : kBlackSignalIds[i], index));
    }
    void Apply(CKintorView& view) { ASSERT_TRUE(view.ClickButton(IDC_MODULE_APPLY)); }
    void CloseQuietly() {
        if (!WindowOpen())
            return;
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
    }
};

TEST_F(KintorWindow, OpeningAsksTheOtherHdModulesFirstThenEveryOutput) {
    Seed("OUTP2:STAN", "HD1080_50I");
    CKintorView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TakeLines(),
              (Lines{"INST:SEL \"Brumo:3\"", "OUTP3:STAN?", "INST:SEL \"Ulmeth:2\"", "OUTP1:STAN?",
                     "INST:SEL \"Kintor:1\"", "OUTP3:CONF?", "OUTP1:STAN?", "OUTP1:SIGN?",
                     Timing(1), "OUTP2:STAN?", Timing(2), "OUTP3:STAN?", "OUTP3:SIGN?", Timing(3),
                     "OUTP4:STAN?", "OUTP4:SIGN?", Timing(4)}));
    EXPECT_EQ(Doc()->m_ulmethClockFamily, kClock7418);
    EXPECT_EQ(Doc()->m_brumoClockFamily, kClockNoHd);  // on black burst
    EXPECT_EQ(view->m_outputPage.GetCurSel(kBlackFormatIds[1]), 3);
    EXPECT_EQ(view->m_outputPage.GetLBText(kBlackSignalIds[1],
                                           view->m_outputPage.GetCurSel(kBlackSignalIds[1])),
              "1080 50i");
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    CloseQuietly();
}

// A clock the questions could not tell keeps the window shut: the Brumo's output 3 in a word
// of no HD family.
TEST_F(KintorWindow, OpeningFailsWhenAnHdModulesClockCannotBeTold) {
    m_sim->SetReplyOverride("OUTP3:STAN?", "HD1035_59X");
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Brumo:3\"", "OUTP3:STAN?"}));
    EXPECT_FALSE(WindowOpen());
}

// The timing page clamps a PAL output's lines to the HD line count as soon as HD SYNC is
// chosen; a No at the clock question puts back the format and the timing it had, a Yes sends
// the HD word and the clamped timing, and the new format's live timing is read after the Apply.
TEST_F(KintorWindow, RefusedFormatChangePutsTheClampedTimingBack) {
    UlmethOn("HD1080_60I");
    Seed("OUTP2:STAN", "PAL");
    Seed("SENS2:CORR:MDEL:VERT", "1000");
    Seed("SENS2:CORR:MDEL:HOR", "-40.0000");
    CKintorView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    m_boxes.Expect(Question7425(), kYesNo, IDNO);
    Choose(*view, true, 1, 3);
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_format[1].Value(), 1);
    EXPECT_EQ(Doc()->m_verticalLines[1].Value(), 1000);
    EXPECT_NEAR(Doc()->m_horizontalDelay[1].Value(), -40e-6, 1e-12);
    EXPECT_EQ(view->m_timingPage.GetDlgItemText(kPirvoKintorTimingIds[1].linesEdit), "1000");
    EXPECT_EQ(view->m_outputPage.GetCurSel(kBlackFormatIds[1]), 1);
    // Accepting the same change afterwards clamps for good and sends it.
    m_boxes.Expect(Question7425(), kYesNo, IDYES);
    Choose(*view, true, 1, 3);
    Apply(*view);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Kintor:1\"", "OUTP2:STAN HD1080_59I",
                                  "SENS2:CORR:MDEL:VERT 562.0", "SENS2:CORR:MDEL:HOR -29.60002960",
                                  "*OPC?", "SYST:ERR?", "INST:SEL \"Kintor:1\"", Timing(2)}));
    CloseQuietly();
}

// The families travel both ways through the main frame: the Kintor's after an Apply that sent
// an HD format, the Ulmeth's to the Kintor's next question.
TEST_F(KintorWindow, ClockFamiliesReachTheOtherWindow) {
    CKintorView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(
        quarnsim::SeedVideoFiles(
            Instrument().Files(), "Ulmeth",
            {{{"1080 59.94i", {{"Bars", {"Full.cmp"}}}}}, {{"Cards", {"Grey.pic"}}}, {"ID.lgo"}}),
        1);
    quarnsim::Session session;
    std::string reply;
    Instrument().ProcessLine(session, "INST:SEL \"Ulmeth:2\"", &reply);
    Instrument().ProcessLine(session, "MMEM:LOAD:SIGN 2,\"/1080 59.94i/Bars/Full.cmp\"", &reply);
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + 1);
    auto* ulmeth = dynamic_cast<CUlmethDoc*>(Frame()->m_slotDoc[1]);
    ASSERT_NE(ulmeth, nullptr);
    EXPECT_EQ(ulmeth->m_kintorClockFamily, kClockNoHd);
    Choose(*view, true, 0, 3);  // 1080 59.94i, the Ulmeth's clock: no question
    Apply(*view);
    RunPendingEvents();
    EXPECT_EQ(ulmeth->m_kintorClockFamily, kClock7418);

    Frame()->PostMessage(WM_ULMETH_CLOCK_FAMILY, kClock7425);
    RunPendingEvents();
    EXPECT_EQ(Doc()->m_ulmethClockFamily, kClock7425);
    Choose(*view, false, 0, 1);  // 1080 60i: now on the Ulmeth's clock
    Apply(*view);
    RunPendingEvents();
    EXPECT_EQ(ulmeth->m_kintorClockFamily, kClock7425);
    ulmeth->SetModifiedFlag(false);
    CloseQuietly();
}

// A send failing midway stops the Apply with one box and reads no live timing over the broken
// link; once connected again the next Apply sends the rest and then reads the timing of the
// output whose format the first one sent.
TEST_F(KintorWindow, ASendFailingMidApplyLeavesTheRestAndTheLiveTimingForTheNext) {
    CKintorView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    Choose(*view, true, 0, 1);   // BLACK 1 to PAL, black burst
    Choose(*view, false, 1, 1);  // BLACK 2 with field REF
    FrameLinkBrokenBefore link(*Frame(), "OUTP2:SIGN BB_FREF");
    Doc()->SetLink(&link);
    m_boxes.ExpectAny(platform::IDOK);
    Apply(*view);
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_FALSE(Doc()->m_format[0].Changed());
    EXPECT_TRUE(Doc()->m_signal[1].Changed());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));

    ASSERT_EQ(Frame()->Connect(), 1);
    Apply(*view);
    // The first Apply's lines had no reply after them: the simulator may take them late, or
    // lose them with the broken connection. Leave them and the selections out.
    Lines log = TakeLinesThrough(*m_sim, Timing(1));
    std::erase_if(log, [](const std::string& line) {
        return line.rfind("INST:SEL", 0) == 0 || line.rfind("OUTP1:", 0) == 0;
    });
    EXPECT_EQ(log, (Lines{"OUTP2:SIGN BB_FREF", "*OPC?", "SYST:ERR?", Timing(1)}));
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_FALSE(Doc()->IsModified());
    Doc()->SetLink(nullptr);
    CloseQuietly();
}

// OK, the Cancel button and the frame's close each ask once when something changed, and
// follow the answer: Cancel keeps the window, No closes without sending, Yes sends and closes.
TEST_F(KintorWindow, ClosingFollowsEachAnswer) {
    const int buttons[] = {IDC_MODULE_OK, IDC_MODULE_CANCEL, 0};  // 0: the frame's close
    const int answers[] = {IDCANCEL, IDNO, IDYES};
    for (int button : buttons) {
        for (int answer : answers) {
            SCOPED_TRACE(std::to_string(button) + " answered " + std::to_string(answer));
            Seed("OUTP2:SIGN", "BB");
            CKintorView* view = OpenQuiet();
            ASSERT_NE(view, nullptr);
            Choose(*view, false, 1, 1);  // Black Burst with Field REF
            m_boxes.Expect("Apply changes to Kintor?", kApplyQuestion, answer);
            if (button == 0)
                EXPECT_EQ(Frame()->Children().front()->OnClose(), answer != IDCANCEL);
            else
                view->ClickButton(button);
            const bool closes = answer != IDCANCEL;
            if (closes) {
                EXPECT_TRUE(WaitUntilClosed());
            }
            RunPendingEvents();
            EXPECT_EQ(WindowOpen(), !closes);
            EXPECT_EQ(m_boxes.Pending(), 0u);
            EXPECT_EQ(Setting("OUTP2:SIGN"), answer == IDYES ? "BB_FREF" : "BB");
            CloseQuietly();
        }
    }
}

// A format or signal the document refuses leaves the timing page on the limits of what the
// output still holds: BLACK 4 stays 720p, whose lines end at 375.
TEST_F(KintorWindow, TimingLimitsFollowWhatTheDocumentKept) {
    struct Row {
        const char* what;
        platform::UINT message;
        platform::LPARAM value;
    };
    const Row rows[] = {
        {"a code outside the table", WM_KINTOR_SIGNAL, 99},
        {"a negative code", WM_KINTOR_SIGNAL, -1},
        {"a format outside 0..3", WM_KINTOR_FORMAT, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Seed("OUTP4:STAN", "HD720_60P");
        CKintorView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->m_timingPage.Limits(3).lines, 375);
        view->SendMessage(row.message, 3, row.value);
        EXPECT_EQ(Doc()->m_format[3].Value(), CKintorDoc::kHdFormat);
        EXPECT_EQ(Doc()->m_signal[3].Value(), 24);
        EXPECT_EQ(view->m_timingPage.Limits(3).lines, 375);
        EXPECT_EQ(view->m_timingPage.Values()[3].signal, 24);
        CloseQuietly();
    }
}

// Each tab's picture, saved under the build tree's screenshots/ to be looked at, shows the
// outputs as read: output 4 in HD sync on 1080 59.94i, timed within that format.
TEST_F(KintorWindow, ScreenshotsOfEachTab) {
    Seed("OUTP3:CONF", "1");
    Seed("OUTP3:SIGN", "CB_SMPTE");
    Seed("OUTP4:STAN", "HD1080_59I");
    CKintorView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_outputPage.GetCurSel(kBlackFormatIds[3]), 3);
    EXPECT_EQ(view->m_timingPage.Values()[3].signal, 14);
    EXPECT_EQ(view->m_timingPage.Limits(3).lines, 562);
    std::vector<std::string> tabs;
    if (auto* bar = view->GetWidget()->findChild<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i) tabs.push_back(bar->tabText(i).toStdString());
    EXPECT_EQ(tabs, (std::vector<std::string>{"Output", "Timing"}));
    for (int tab = 0; tab < static_cast<int>(tabs.size()); ++tab) {
        if (tab > 0) {
            ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, tab));
        }
        EXPECT_EQ(view->ShownPage(), tab);
        SaveScreenshot(view->GetParentFrame()->GetWidget(),
                       "kintor_" + tabs[static_cast<size_t>(tab)]);
    }
    EXPECT_FALSE(Doc()->IsModified());
    CloseQuietly();
}

}  // namespace
}  // namespace corvane::testing
