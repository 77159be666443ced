// The rules every tab page shares, and the reply cursor and slot rule of the module documents.
#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/common/ReplyCursor.h"
#include "corvane/pages/common/TabPage.h"
#include "platform/Controls.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "tests/support/BoxScript.h"

namespace corvane {
namespace {

using platform::ControlKind;

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

// The view a page sits on, reduced to what a page sees of it: the messages it receives. Texts
// and doubles arrive by address and are copied during the call, as a view does.
class RecordingView : public platform::CWnd {
public:
    static constexpr platform::UINT kIdText = 1300;
    static constexpr platform::UINT kPercent = 1301;
    static constexpr platform::UINT kDelay = 1302;
    static constexpr platform::UINT kLevel = 1303;

    struct Received {
        platform::UINT message;
        platform::WPARAM wParam;
        platform::LPARAM lParam;
        std::string text;
        double value;
    };

    RecordingView() {
        AttachWidget(new QWidget);
        for (platform::UINT m : {kIdText, kPercent, kDelay, kLevel})
            OnMessage(m, [this, m](platform::WPARAM w, platform::LPARAM l) {
                Received r{m, w, l, {}, 0.0};
                if (m == kIdText)
                    r.text = reinterpret_cast<const char*>(l);
                else if (m == kDelay)
                    r.value = *reinterpret_cast<const double*>(l);
                m_received.push_back(r);
                return platform::LRESULT{0};
            });
    }
    ~RecordingView() override { DestroyWindow(); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Received& r : m_received)
            if (r.message == kIdText)
                out.push_back(r.text);
        return out;
    }
    std::vector<int> Ints(platform::UINT message) const {
        std::vector<int> out;
        for (const Received& r : m_received)
            if (r.message == message)
                out.push_back(static_cast<int>(r.lParam));
        return out;
    }

    std::vector<Received> m_received;
};

// A page with one field of each shared kind: an ID text, a percent field with a spin without
// buddy integer, a delay on a step grid with its spin, and a level that refuses out of range.
class FieldsPage : public CTabPage {
public:
    enum : int {
        kIdEdit = 20,
        kPercentEdit = 21,
        kPercentSpin = 22,
        kDelayEdit = 23,
        kDelaySpin = 24,
        kLevelEdit = 25,
        kLevelSpin = 26
    };
    static constexpr const char* kDelayMessage =
        "Horizontal delay must be within\n%8.4f to %8.4f [usec].";

    FieldsPage() : CTabPage(Template()) {}
    static const platform::DialogTemplate& Template() {
        static const platform::DialogTemplate t{
            901,
            "",
            160,
            90,
            {{ControlKind::Edit, kIdEdit, "", 5, 5, 80, 13},
             {ControlKind::Edit, kPercentEdit, "", 5, 22, 40, 13},
             {ControlKind::UpDown, kPercentSpin, "", 45, 22, 10, 13},
             {ControlKind::Edit, kDelayEdit, "", 5, 39, 60, 13},
             {ControlKind::UpDown, kDelaySpin, "", 65, 39, 10, 13},
             {ControlKind::Edit, kLevelEdit, "", 5, 56, 40, 13},
             {ControlKind::UpDown, kLevelSpin, "", 45, 56, 10, 13,
              platform::UDS_SETBUDDYINT | platform::UDS_AUTOBUDDY | platform::UDS_ALIGNRIGHT}},
            platform::WS_CHILD | platform::WS_VISIBLE,
            15,
            25};
        return t;
    }

    StepField DelayField() const {
        // 0.25 us steps between -10 and 10 us; the page keeps seconds.
        return {kDelayEdit, kDelaySpin, -40 * 0.25, 40 * 0.25, 0.25, "%8.4f", kDelayMessage, 1e-6};
    }

    void DoDataExchange(platform::CDataExchange* dx) override {
        platform::DDX_Text(dx, kIdEdit, m_idText);
        platform::DDV_MaxChars(dx, m_idText, 18);
        platform::DDX_Text(dx, kPercentEdit, m_percentText);
        platform::DDX_Text(dx, kDelayEdit, m_delayText);
        platform::DDX_Text(dx, kLevelEdit, m_levelText);
    }

    platform::BOOL OnInitDialog() override {
        m_ready = 0;
        CTabPage::OnInitDialog();
        Reload();
        m_ready = 1;
        return platform::TRUE;
    }

    // What a reload from the document does: every control written from the stored values.
    void Reload() {
        ReadyOff off(*this);
        m_percentText = platform::Format("%d", m_percent);
        m_delayText = platform::Format("%8.4f", m_delay * 1e6);
        m_levelText = platform::Format("%d", m_level);
        SetSpinRange(kDelaySpin, -40, 40);
        WriteSpin(kDelaySpin, static_cast<int>(std::lround(m_delay * 1e6 / 0.25)));
        SetSpinRange(kLevelSpin, -60, 0);
        WriteSpin(kLevelSpin, m_level);
        WriteText(kIdEdit, m_idText);
        WriteControls();
    }

    platform::BOOL OnCommand(int id, int code) override {
        if (code == platform::EN_UPDATE) {
            switch (id) {
                case kIdEdit:
                    OnIdTextUpdate(kIdEdit, m_idText, [this](const std::string& t) {
                        SendToView(RecordingView::kIdText, 0,
                                   reinterpret_cast<platform::LPARAM>(t.c_str()));
                    });
                    return platform::TRUE;
                case kPercentEdit:
                    OnClampedFieldUpdate(kPercentEdit, 0, 100, m_percentText, m_percent,
                                         SendInt(RecordingView::kPercent));
                    return platform::TRUE;
                case kDelayEdit:
                    CheckStepField(DelayField(), m_delayText, m_delay, [this](const double& d) {
                        SendToView(RecordingView::kDelay, 2,
                                   reinterpret_cast<platform::LPARAM>(&d));
                    });
                    return platform::TRUE;
                case kLevelEdit:
                    OnIntegerFieldUpdate(kLevelEdit, kLevelSpin, -60, 0,
                                         "Level must be within\n%d to %d.", m_levelText, m_level,
                                         SendInt(RecordingView::kLevel));
                    return platform::TRUE;
                default:
                    break;
            }
        }
        return CTabPage::OnCommand(id, code);
    }

    platform::BOOL OnNotify(int id, int code, void* data, platform::LRESULT* result) override {
        if (id == kPercentSpin && code == platform::UDN_DELTAPOS) {
            *result = OnPercentDeltaPos(kPercentEdit, *static_cast<platform::NMUPDOWN*>(data),
                                        m_percentText, m_percent, SendInt(RecordingView::kPercent));
            return platform::TRUE;
        }
        return CTabPage::OnNotify(id, code, data, result);
    }

    IntSender SendInt(platform::UINT message) {
        return [this, message](int value) {
            SendToView(message, 1, static_cast<platform::LPARAM>(value));
        };
    }

    std::string m_idText = "QUARN";
    std::string m_percentText, m_delayText, m_levelText;
    int m_percent = 50;
    double m_delay = 1.5e-6;
    int m_level = -20;
};

class TabPageHandlers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_page.Create(&m_view)); }
    void TearDown() override { m_page.DestroyWindow(); }

    testsupport::BoxScript m_boxes;
    RecordingView m_view;
    FieldsPage m_page;
};

TEST_F(TabPageHandlers, PageOwnWritesSendNothing) {
    EXPECT_EQ(m_page.GetParent(), &m_view);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kIdEdit), "QUARN");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kDelayEdit), "  1.5000");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kLevelEdit), "-20");
    EXPECT_EQ(m_page.GetPos(FieldsPage::kDelaySpin), 6);

    m_page.m_idText = "OTHER\"ID";
    m_page.m_percent = 120;
    m_page.m_delay = 99.0;  // out of range: a reload shows it and asks nothing
    m_page.m_level = -75;
    m_page.Reload();
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kIdEdit), "OTHER\"ID");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "120");
    m_page.ShowWindow(false);
    m_page.ShowWindow(true);
    EXPECT_TRUE(m_view.m_received.empty());
    EXPECT_TRUE(m_page.IsReady());

    // Before the end of the initialisation the operator's notifications send nothing either.
    m_page.m_ready = 0;
    m_page.TypeText(FieldsPage::kIdEdit, "A\"B");
    m_page.SpinBy(FieldsPage::kPercentSpin, 1);
    m_page.TypeText(FieldsPage::kDelayEdit, "3");
    m_page.TypeText(FieldsPage::kLevelEdit, "-500");
    EXPECT_TRUE(m_view.m_received.empty());
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TabPageHandlers, IdTextLosesItsQuotesWithOneMessageAndIsSentCleanedOnce) {
    m_boxes.Expect("Can not enter \" and ' character",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    m_page.TypeText(FieldsPage::kIdEdit, "CAM\"ONE");
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kIdEdit), "CAMONE");
    EXPECT_EQ(m_view.Texts(), std::vector<std::string>{"CAMONE"});
    EXPECT_EQ(m_page.m_idText, "CAMONE");
    // The text travels as the page's own copy.
    EXPECT_EQ(m_view.m_received[0].lParam,
              reinterpret_cast<platform::LPARAM>(m_page.m_idText.c_str()));

    // A clean text goes as it is; writing the members back changes nothing and sends nothing.
    m_page.TypeText(FieldsPage::kIdEdit, "CAM 2");
    m_page.UpdateData(platform::FALSE);
    EXPECT_EQ(m_view.Texts(), (std::vector<std::string>{"CAMONE", "CAM 2"}));
}

TEST_F(TabPageHandlers, IdTextIsCutSilentlyAtAHighByteAndTheRestSent) {
    m_page.TypeText(FieldsPage::kIdEdit, "STUDIO\xE9 2");
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kIdEdit), "STUDIO");
    EXPECT_EQ(m_view.Texts(), std::vector<std::string>{"STUDIO"});

    // What is left of a cut still loses its quotes, with the message, and goes once.
    m_boxes.Expect("Can not enter \" and ' character",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    m_page.TypeText(FieldsPage::kIdEdit, "O'K\xFF\"");
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kIdEdit), "OK");
    EXPECT_EQ(m_view.Texts(), (std::vector<std::string>{"STUDIO", "OK"}));

    m_page.TypeText(FieldsPage::kIdEdit, "");
    EXPECT_EQ(m_view.Texts(), (std::vector<std::string>{"STUDIO", "OK", ""}));
    m_boxes.Expect("Can not enter \" and ' character",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    m_page.TypeText(FieldsPage::kIdEdit, "\"\"");  // only quotes: the empty text is sent
    EXPECT_EQ(m_view.Texts(), (std::vector<std::string>{"STUDIO", "OK", "", ""}));
}

TEST_F(TabPageHandlers, PercentSpinStepsByOneAndClamps) {
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "50");
    ASSERT_TRUE(m_page.SpinBy(FieldsPage::kPercentSpin, 1));  // up, with the default range
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "51");
    m_page.SpinBy(FieldsPage::kPercentSpin, -3);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "48");
    EXPECT_EQ(m_view.Ints(RecordingView::kPercent), (std::vector<int>{51, 50, 49, 48}));
    EXPECT_EQ(m_page.m_percent, 48);
    EXPECT_EQ(m_page.m_percentText, "48");

    m_view.m_received.clear();
    m_page.TypeText(FieldsPage::kPercentEdit, "99");
    m_page.SpinBy(FieldsPage::kPercentSpin, 2);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "100");
    m_page.TypeText(FieldsPage::kPercentEdit, "1x");
    m_page.SpinBy(FieldsPage::kPercentSpin, -2);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "0");
    EXPECT_EQ(m_view.Ints(RecordingView::kPercent), (std::vector<int>{99, 100, 100, 1, 0, 0}));

    // A typed value beyond the limits is corrected without a message and sent once.
    m_view.m_received.clear();
    m_page.TypeText(FieldsPage::kPercentEdit, "250");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "100");
    m_page.TypeText(FieldsPage::kPercentEdit, "-7");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kPercentEdit), "0");
    EXPECT_EQ(m_view.Ints(RecordingView::kPercent), (std::vector<int>{100, 0}));
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TabPageHandlers, StepFieldSnapsAcceptedValuesToTheGrid) {
    m_page.TypeText(FieldsPage::kDelayEdit, "2.6");
    ASSERT_EQ(m_view.m_received.size(), 1u);
    EXPECT_DOUBLE_EQ(m_view.m_received[0].value, 2.5e-6);
    EXPECT_EQ(m_view.m_received[0].wParam, 2u);
    EXPECT_EQ(m_view.m_received[0].lParam, reinterpret_cast<platform::LPARAM>(&m_page.m_delay));
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kDelayEdit), "2.6");  // left as typed
    EXPECT_EQ(m_page.GetPos(FieldsPage::kDelaySpin), 10);

    m_page.TypeText(FieldsPage::kDelayEdit, "-0.125");  // half a step: away from zero
    EXPECT_DOUBLE_EQ(m_page.m_delay, -0.25e-6);
    EXPECT_EQ(m_page.GetPos(FieldsPage::kDelaySpin), -1);
    m_page.TypeText(FieldsPage::kDelayEdit, "10.1");  // the limits apply to the snapped value
    EXPECT_DOUBLE_EQ(m_page.m_delay, 10e-6);
    m_page.TypeText(FieldsPage::kDelayEdit, "-10");
    EXPECT_DOUBLE_EQ(m_page.m_delay, -10e-6);
    EXPECT_EQ(m_view.m_received.size(), 4u);
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TabPageHandlers, StepFieldRefusesWhatIsOutOfRangeOrCannotBeCounted) {
    m_page.TypeText(FieldsPage::kDelayEdit, "4");
    m_view.m_received.clear();
    const std::string message = "Horizontal delay must be within\n-10.0000 to  10.0000 [usec].";
    const platform::UINT type = platform::MB_OK | platform::MB_ICONEXCLAMATION;
    for (const char* typed : {"10.2", "-10.2", "1e20", "1e999", "-1e999"}) {
        SCOPED_TRACE(typed);
        m_boxes.Expect(message, type, platform::IDOK);
        m_page.FocusControl(FieldsPage::kIdEdit);
        m_page.TypeText(FieldsPage::kDelayEdit, typed);
        EXPECT_EQ(m_boxes.Pending(), 0u);
        EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kDelayEdit), "  4.0000");
        EXPECT_EQ(m_page.m_delayText, "  4.0000");
        EXPECT_EQ(m_page.GetPos(FieldsPage::kDelaySpin), 16);
        EXPECT_EQ(m_page.GetFocusId(), FieldsPage::kDelayEdit);
        EXPECT_DOUBLE_EQ(m_page.m_delay, 4e-6);
    }
    EXPECT_TRUE(m_view.m_received.empty());  // neither the refusals nor the restores sent

    // Words are no numbers: "inf" and "nan" read as 0, which is in range here.
    m_page.TypeText(FieldsPage::kDelayEdit, "inf");
    m_page.TypeText(FieldsPage::kDelayEdit, "nan");
    ASSERT_EQ(m_view.m_received.size(), 2u);
    EXPECT_EQ(m_view.m_received[1].value, 0.0);
    EXPECT_TRUE(std::isfinite(m_page.m_delay));
}

TEST_F(TabPageHandlers, RefusedLevelIsPutBackAndOnlyAcceptedValuesAreSent) {
    m_page.TypeText(FieldsPage::kLevelEdit, "-35");
    m_boxes.Expect("Level must be within\n-60 to 0.",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    m_page.TypeText(FieldsPage::kLevelEdit, "5");
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kLevelEdit), "-35");
    EXPECT_EQ(m_page.m_levelText, "-35");
    EXPECT_EQ(m_page.GetPos(FieldsPage::kLevelSpin), -35);
    m_page.SpinBy(FieldsPage::kLevelSpin, 1);  // the buddy's write is the operator's step
    EXPECT_EQ(m_view.Ints(RecordingView::kLevel), (std::vector<int>{-35, -34}));
    // The member followed the field, so writing the members back puts nothing old into it.
    EXPECT_EQ(m_page.m_levelText, "-34");
    m_page.UpdateData(platform::FALSE);
    EXPECT_EQ(m_page.GetDlgItemText(FieldsPage::kLevelEdit), "-34");
    EXPECT_EQ(m_view.Ints(RecordingView::kLevel), (std::vector<int>{-35, -34}));
}

}  // namespace
}  // namespace corvane
