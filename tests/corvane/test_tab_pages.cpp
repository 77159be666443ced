// The rules every tab page shares, and the reply cursor and slot rule of the module documents.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/common/ReplyCursor.h"
#include "corvane/pages/common/TabPage.h"
#include "platform/Controls.h"
#include "platform/MessageBox.h"
#include "tests/support/BoxScript.h"

namespace corvane {
namespace {

using platform::ControlKind;

TEST(TabPageRules, IdTextIsCutAtTheFirstHighByteElseLosesItsQuotes) {
    std::string text =
        "AB\xE9"
        "CD\"";
    EXPECT_EQ(CTabPage::FirstNonAsciiIndex(text), 2);
    EXPECT_EQ(CTabPage::CleanIdText(text), CTabPage::IdText::Cut);
    EXPECT_EQ(text, "AB");

    text = "Say \"hi\" it's";
    EXPECT_EQ(CTabPage::CleanIdText(text), CTabPage::IdText::QuotesRemoved);
    EXPECT_EQ(text, "Say hi its");
    EXPECT_EQ(CTabPage::CleanIdText(text), CTabPage::IdText::Clean);

    text.clear();
    EXPECT_EQ(CTabPage::CleanIdText(text), CTabPage::IdText::Clean);  // empty is sent as empty
    EXPECT_EQ(CTabPage::FirstNonAsciiIndex(""), -1);
}

TEST(TabPageRules, SnapRoundsHalfAwayFromZeroAndRefusesWhatCannotBeCounted) {
    double snapped = 0.0;
    const double step = 1.0 / 54e6;
    ASSERT_TRUE(CTabPage::SnapToStep(2.6 * step, step, snapped));
    EXPECT_DOUBLE_EQ(snapped, 3 * step);
    ASSERT_TRUE(CTabPage::SnapToStep(-2.5 * step, step, snapped));
    EXPECT_DOUBLE_EQ(snapped, -3 * step);
    ASSERT_TRUE(CTabPage::SnapToStep(2.4, 1.0, snapped));
    EXPECT_DOUBLE_EQ(snapped, 2.0);
    EXPECT_FALSE(CTabPage::SnapToStep(std::nan(""), step, snapped));
    EXPECT_FALSE(CTabPage::SnapToStep(std::numeric_limits<double>::infinity(), step, snapped));
    EXPECT_FALSE(CTabPage::SnapToStep(1e20, step, snapped));
    EXPECT_FALSE(CTabPage::SnapToStep(1.0, 0.0, snapped));
}

TEST(TabPageRules, PercentSpinSubtractsTheReportedStepAndStaysInRange) {
    EXPECT_EQ(CTabPage::PercentAfterStep("50", {50, -1}), 51);  // the up arrow
    EXPECT_EQ(CTabPage::PercentAfterStep("50", {50, 1}), 49);
    EXPECT_EQ(CTabPage::PercentAfterStep("100", {100, -1}), 100);
    EXPECT_EQ(CTabPage::PercentAfterStep("0", {0, 1}), 0);
    EXPECT_EQ(CTabPage::PercentAfterStep("99999999999", {0, -1}), 100);
    EXPECT_EQ(CTabPage::Clamp(120, 0, 100), 100);
    EXPECT_EQ(CTabPage::Clamp(-3, 0, 100), 0);
}

TEST(ReplyCursorTest, TakesAnswersInOrderAndFailsWhenOneIsMissing) {
    ReplyCursor reply("-20.7;1000 Hz;FRAME_ONE;nan;1e99");
    int amplitude = 0, hertz = 0, huge = 0;
    double notANumber = 1.0;
    std::string keyword;
    ASSERT_TRUE(reply.NextTruncated(amplitude));
    EXPECT_EQ(amplitude, -20);
    ASSERT_TRUE(reply.NextInt(hertz));
    EXPECT_EQ(hertz, 1000);
    ASSERT_TRUE(reply.NextText(keyword));
    EXPECT_EQ(keyword, "FRAME_ONE");
    ASSERT_TRUE(reply.NextDouble(notANumber));
    EXPECT_EQ(notANumber, 0.0);
    ASSERT_TRUE(reply.NextTruncated(huge));
    EXPECT_EQ(huge, std::numeric_limits<int>::max());
    EXPECT_FALSE(reply.NextText(keyword));
    EXPECT_FALSE(reply.NextText(keyword));

    ReplyCursor single("24");
    int bits = 0;
    EXPECT_TRUE(single.NextInt(bits));
    EXPECT_EQ(bits, 24);
    EXPECT_FALSE(single.NextInt(bits));
}

TEST(ModuleDocSlot, OnlySlotsOneToFourAreTaken) {
    EXPECT_EQ(CModuleDoc::SlotFromPath("2 : Kintor"), 2);
    EXPECT_EQ(CModuleDoc::SlotFromPath("4 : Tavix"), 4);
    EXPECT_EQ(CModuleDoc::SlotFromPath("0 : Tavix"), 0);
    EXPECT_EQ(CModuleDoc::SlotFromPath("5 : Tavix"), 0);
    EXPECT_EQ(CModuleDoc::SlotFromPath("12 : Tavix"), 0);
    EXPECT_EQ(CModuleDoc::SlotFromPath("99999999999999999999 : Tavix"), 0);
    EXPECT_EQ(CModuleDoc::SlotFromPath(" 1 : Tavix"), 0);
    EXPECT_EQ(CModuleDoc::SlotFromPath("Quarn"), 0);
}

// A page with one refusing integer field and its buddy spin, and a list the program builds.
class ProbePage : public CTabPage {
public:
    ProbePage() : CTabPage(Template()) {}
    static const platform::DialogTemplate& Template() {
        static const platform::DialogTemplate t{
            900,
            "Probe",
            120,
            60,
            {{ControlKind::Edit, 10, "", 5, 5, 40, 13},
             {ControlKind::UpDown, 11, "", 45, 5, 10, 13,
              platform::UDS_SETBUDDYINT | platform::UDS_AUTOBUDDY | platform::UDS_ALIGNRIGHT},
             {ControlKind::ComboDropDownList, 12, "", 5, 25, 60, 80}}};
        return t;
    }
    platform::BOOL OnInitDialog() override {
        CTabPage::OnInitDialog();
        SendDlgItemMessage(11, platform::UDM_SETRANGE, 0, (100 & 0xFFFF) | (1 << 16));
        WriteSpin(11, m_lines);
        m_ready = 1;
        return platform::TRUE;
    }
    platform::BOOL OnCommand(int id, int code) override {
        if (id == 10 && code == platform::EN_UPDATE && IsReady()) {
            if (CheckIntegerField(10, 11, 1, 100, "Vertical lines must be within\n%d to %d.",
                                  m_lines))
                ++m_sends;
            return platform::TRUE;
        }
        if (id == 10 && code == platform::EN_KILLFOCUS) {
            RewriteIntegerField(10);
            return platform::TRUE;
        }
        return CTabPage::OnCommand(id, code);
    }
    using CTabPage::FillComboList;
    int m_lines = 7;
    int m_sends = 0;
};

TEST(TabPageFields, RefusedIntegerShowsOnceAndIsPutBackInFieldAndSpin) {
    testsupport::BoxScript boxes;
    ProbePage page;
    ASSERT_TRUE(page.Create(nullptr));
    EXPECT_EQ(page.GetDlgItemText(10), "7");
    EXPECT_EQ(page.m_sends, 0);  // the spin's own write sent nothing

    page.TypeText(10, "42");
    EXPECT_EQ(page.m_sends, 1);
    EXPECT_EQ(page.m_lines, 42);

    boxes.Expect("Vertical lines must be within\n1 to 100.",
                 platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    page.TypeText(10, "600");
    EXPECT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(page.GetDlgItemText(10), "42");
    EXPECT_EQ(page.GetPos(11), 42);
    EXPECT_EQ(page.GetFocusId(), 10);
    EXPECT_EQ(page.m_sends, 1);  // putting the value back sent nothing

    page.TypeText(10, "  9xyz");
    page.FocusControl(12);
    EXPECT_EQ(page.GetDlgItemText(10), "9");
    EXPECT_EQ(page.m_sends, 2);
    page.DestroyWindow();
}

TEST(TabPageFields, ProgramBuiltListSelectsItsEntryOrReportsNoRoom) {
    testsupport::BoxScript boxes;
    ProbePage page;
    ASSERT_TRUE(page.Create(nullptr));
    ASSERT_TRUE(page.FillComboList(12, {"A", "B", "", "never"}, 32, 64, 1));
    EXPECT_EQ(page.GetCount(12), 2);
    EXPECT_EQ(page.GetCurSel(12), 1);

    boxes.Expect("Insufficient memory!\nCan not continue.", platform::MB_OK | platform::MB_ICONSTOP,
                 platform::IDOK);
    EXPECT_FALSE(page.FillComboList(12, {"A"}, platform::kMaxListItems + 1, 64, 0));
    EXPECT_EQ(boxes.Records().size(), 1u);
    page.DestroyWindow();
}

}  // namespace
}  // namespace corvane
