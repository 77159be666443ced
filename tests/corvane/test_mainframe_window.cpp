// The mainframe window (File > Open Quarn) against the simulator: what it reads and shows,
// the contrast the operator edits and applies, the refresh after another window's Apply, and
// the ways of closing it.
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMdiSubWindow>
#include <array>

#include "corvane/core/Messages.h"
#include "corvane/core/QuarnDoc.h"
#include "corvane/core/QuarnView.h"
#include "platform/MdiChildWnd.h"
#include "platform/MessageBox.h"
#include "resources/corvane/QuarnForm.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using platform::MB_ICONEXCLAMATION;
using platform::MB_OK;
using platform::MB_YESNOCANCEL;

const char* const kQuestion = "Apply changes to mainframe?";
const char* const kRangeMessage = "Contrast must be within\n1 to 40";

int ImageId(int slot, int reset) {
    return IDC_FRAME_USE_FIRST + 3 * (slot - 1) + (reset - 1);
}

class MainframeWindow : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartReady({{"Tavix", 1, "1.2", "2.31"}, {"Kintor", 3, "0.9", "1.05"}});
        RegisterQuarnFormStrings();
        for (const auto& t : m_app->DocTemplates()) {
            std::string name;
            t->GetDocString(name, platform::CMultiDocTemplate::docName);
            if (name == "Quarn")
                t->SetFactories([] { return std::make_unique<CQuarnDoc>(); },
                                [] { return std::make_unique<CQuarnView>(); });
        }
        SetUpReplies();
    }

    // The controller's state for every test; a case that needs another reply replaces one.
    void SetUpReplies() {
        SetReply("SENS:ROSC:FRAME1:FREQ?", "59.94");
        SetReply("SENS:ROSC:FRAME1:CAT?", "\"1,3\"");
        SetReply("SENS:ROSC:FRAME2:FREQ?", "0.0");
        SetReply("SENS:ROSC:FRAME2:CAT?", "\"\"");
        SetReply("SENS:ROSC:FRAME3:FREQ?", "50.00");
        SetReply("SENS:ROSC:FRAME3:CAT?", "\"2\"");
        SetReply("MMEM:CAT?", "1048576,3145728,\"CPU/\",,0,\"TAVIX/\",,0");
        SetReply("DISP:CONT?", "12");
    }

    void SetReply(const std::string& query, const std::string& answer) {
        m_sim->SetReplyOverride(query, answer);
    }

    bool Open() {
        Frame()->ExecuteCommand(ID_FILE_OPEN_QUARN);
        return Frame()->m_mainframeDoc != nullptr;
    }
    CQuarnDoc* Doc() const { return dynamic_cast<CQuarnDoc*>(Frame()->m_mainframeDoc); }
    CQuarnView* View() const {
        CQuarnDoc* doc = Doc();
        return doc == nullptr ? nullptr : dynamic_cast<CQuarnView*>(doc->GetViews().front());
    }
    std::string Text(int id) const { return View()->GetDlgItemText(id); }
    std::vector<bool> ResetRow(int reset) const {
        std::vector<bool> row;
        for (int slot = 1; slot <= 4; ++slot)
            row.push_back(View()->IsDlgItemVisible(ImageId(slot, reset)));
        return row;
    }
    // A close sent to the window's frame runs from the event loop.
    bool ClosedAfterEvents() {
        for (int i = 0; i < 20 && Frame()->m_mainframeDoc != nullptr; ++i)
            QCoreApplication::processEvents();
        return Frame()->m_mainframeDoc == nullptr;
    }
    // Commands without a reply: a query behind them on the same connection makes sure the
    // simulator has taken them in before the log is read.
    std::vector<std::string> SentLines() {
        std::string reply;
        Frame()->Query("*OPC?", reply);
        std::vector<std::string> lines = TakeLines();
        if (!lines.empty() && lines.back() == "*OPC?")
            lines.pop_back();
        return lines;
    }
    void ChangeContrastTo(const std::string& text) {
        ASSERT_TRUE(View()->TypeText(IDC_CONTRAST, text));
        ASSERT_TRUE(Doc()->IsModified());
    }
};

TEST_F(MainframeWindow, ShowsTheControllerAsRead) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(TakeLines(),
              (std::vector<std::string>{
                  "INST:SEL \"CPU:0\"", "SENS:ROSC:FRAME1:FREQ?", "SENS:ROSC:FRAME1:CAT?",
                  "SENS:ROSC:FRAME2:FREQ?", "SENS:ROSC:FRAME2:CAT?", "SENS:ROSC:FRAME3:FREQ?",
                  "SENS:ROSC:FRAME3:CAT?", "*OPT?", "MMEM:CAT? \"/F0:/\"", "DISP:CONT?"}));
    EXPECT_EQ(PaneText(), "Reading...");

    EXPECT_EQ(Text(IDC_FRAME_FREQ1), "59.94 [Hz]");
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 1), "---");
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 2), "50.00 [Hz]");
    EXPECT_EQ(ResetRow(1), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(ResetRow(2), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(ResetRow(3), (std::vector<bool>{false, true, false, false}));

    EXPECT_EQ(Text(IDC_CPU_NAME), "CPU");
    EXPECT_EQ(Text(IDC_CPU_HARDWARE), "1.00");
    EXPECT_EQ(Text(IDC_CPU_SOFTWARE), "3.10");
    EXPECT_EQ(Text(IDC_SLOT1_MODEL), "Tavix");
    EXPECT_EQ(Text(IDC_SLOT1_HARDWARE), "1.2");
    EXPECT_EQ(Text(IDC_SLOT1_SOFTWARE), "2.31");
    EXPECT_EQ(Text(IDC_SLOT3_MODEL), "Kintor");
    EXPECT_EQ(Text(IDC_SLOT1_HARDWARE + 2), "0.9");
    EXPECT_EQ(Text(IDC_SLOT1_SOFTWARE + 2), "1.05");
    // Slots the catalogue does not list.
    for (int id : {IDC_SLOT2_MODEL, IDC_SLOT1_HARDWARE + 1, IDC_SLOT1_SOFTWARE + 1, IDC_SLOT4_MODEL,
                   IDC_SLOT1_HARDWARE + 3, IDC_SLOT1_SOFTWARE + 3})
        EXPECT_EQ(Text(id), " --- ") << id;

    EXPECT_EQ(Text(IDC_FREE_BYTES), "3145728");
    EXPECT_EQ(Text(IDC_USED_BYTES), "1048576");
    EXPECT_EQ(Text(IDC_CONTRAST), "12");
    int lower = 0;
    int upper = 0;
    View()->GetRange32(IDC_CONTRAST_SPIN, lower, upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 40);
    EXPECT_EQ(View()->GetPos(IDC_CONTRAST_SPIN), 12);
    EXPECT_FALSE(View()->IsDlgItemEnabled(IDC_QUARN_APPLY));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_contrastChanged, 0);

    SaveScreenshot(View()->GetParentFrame()->SubWindow(), "mainframe_window");
}

// The lowest row of a text's ink inside a widget, in the view's picture; -1 when none.
int InkBottom(const QImage& picture, QWidget* view, QWidget* widget) {
    const QRect area =
        QRect(widget->mapTo(view, QPoint(0, 0)), widget->size()).adjusted(2, 2, -2, -2);
    for (int y = area.bottom(); y >= area.top(); --y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 128)
                return y;
    return -1;
}

QWidget* LabelWithText(QWidget* view, const QString& text) {
    for (QLabel* label : view->findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

TEST_F(MainframeWindow, VersionCellsKeepApartAndRowLabelsReadOnTheLineOfTheirValues) {
    ASSERT_TRUE(Open());
    QWidget* view = View()->GetWidget();
    const QImage picture = view->grab().toImage();
    auto cell = [&](int id) { return View()->GetDlgItem(id)->geometry(); };
    // Rows keep the gap that columns keep.
    const int columnGap = cell(IDC_SLOT2_MODEL).left() - cell(IDC_SLOT1_MODEL).right();
    EXPECT_GE(columnGap, 4);
    EXPECT_GE(cell(IDC_SLOT1_MODEL).left() - cell(IDC_CPU_NAME).right(), columnGap);
    EXPECT_GE(cell(IDC_CPU_HARDWARE).top() - cell(IDC_CPU_NAME).bottom(), columnGap - 1);
    EXPECT_GE(cell(IDC_CPU_SOFTWARE).top() - cell(IDC_CPU_HARDWARE).bottom(), columnGap - 1);
    // Texts without descenders, so the ink ends on the baseline.
    const std::pair<const char*, int> rows[] = {{"Module", IDC_CPU_NAME}, {"Used", IDC_USED_BYTES}};
    for (const auto& [name, id] : rows) {
        QWidget* label = LabelWithText(view, name);
        ASSERT_NE(label, nullptr) << name;
        const int labelBaseline = InkBottom(picture, view, label);
        ASSERT_GE(labelBaseline, 0) << name;
        EXPECT_NEAR(labelBaseline, InkBottom(picture, view, View()->GetDlgItem(id)), 1) << name;
    }
}

TEST_F(MainframeWindow, OpensOnTheSimulatorsOwnController) {
    m_sim->ClearReplyOverrides();
    ASSERT_EQ(m_sim->SetFrameReset(1, "59.94", {3}), 1);
    ASSERT_EQ(m_sim->SetFrameReset(2, "0.0"), 1);
    ASSERT_EQ(m_sim->SetFrameReset(3, "50", {}), 1);  // present, used by no slot
    ASSERT_EQ(m_sim->SetContrast(17), 1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_FRAME_FREQ1), "59.94 [Hz]");
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 1), "---");
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 2), "50 [Hz]");
    EXPECT_EQ(ResetRow(1), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(ResetRow(3), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Text(IDC_SLOT3_MODEL), "Kintor");
    EXPECT_EQ(Text(IDC_CONTRAST), "17");
    EXPECT_GT(Doc()->m_freeBytes, 0);

    ChangeContrastTo("18");
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_APPLY));
    SentLines();
    EXPECT_EQ(m_sim->Contrast(), 18);
}

TEST_F(MainframeWindow, FrameResetSlotsBeyondTheFourthAreIgnored) {
    SetReply("SENS:ROSC:FRAME1:CAT?", "\"5,2,9,4\"");
    ASSERT_TRUE(Open());
    EXPECT_EQ(ResetRow(1), (std::vector<bool>{false, true, false, true}));
}

TEST_F(MainframeWindow, UnreadableVersionItemStillShowsMemoryAndContrast) {
    SetReply("*OPT?",
             "\"CPU:0:1.00:3.10\",\"Tavix:1:1.2:2.31\",\"Tavix:7:1:1\",\"Kintor:3:0.9:1.05\"");
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_SLOT1_MODEL), "Tavix");
    // The walk stops at slot 7: Kintor after it is not shown, its slot counts as unreported.
    EXPECT_EQ(Text(IDC_SLOT3_MODEL), " --- ");
    EXPECT_EQ(Text(IDC_FREE_BYTES), "3145728");
    EXPECT_EQ(Text(IDC_CONTRAST), "12");
}

TEST(QuarnDocParsers, FrameCatalogMarksListedSlots) {
    std::array<int, 4> marks{};
    EXPECT_EQ(CQuarnDoc::ParseFrameCatalog("\"1,3\"", marks), 1);
    EXPECT_EQ(marks, (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(CQuarnDoc::ParseFrameCatalog("\"\"", marks), 1);
    EXPECT_EQ(marks, (std::array<int, 4>{0, 0, 0, 0}));
    // A number that is not above 0 ends the list.
    EXPECT_EQ(CQuarnDoc::ParseFrameCatalog("\"2,0,4\"", marks), 1);
    EXPECT_EQ(marks, (std::array<int, 4>{0, 1, 0, 0}));
    EXPECT_EQ(CQuarnDoc::ParseFrameCatalog("\"2147483647,4\"", marks), 1);
    EXPECT_EQ(marks, (std::array<int, 4>{0, 0, 0, 1}));
    // Without a quote the reply is no catalogue at all.
    marks = {1, 1, 1, 1};
    EXPECT_EQ(CQuarnDoc::ParseFrameCatalog("1,3", marks), 0);
}

TEST(QuarnDocParsers, MemoryNeedsTwoNumbersBeforeTheFirstEntry) {
    // An empty root lists its two counts with or without the comma a first entry would follow.
    for (const char* listing : {"10,20,\"A/\",,0", "10,20", "10,20,"}) {
        double used = -1;
        double free = -1;
        EXPECT_EQ(CQuarnDoc::ParseMemory(listing, used, free), 1) << listing;
        EXPECT_EQ(used, 10);
        EXPECT_EQ(free, 20);
    }
    double used = -1;
    double free = -1;
    for (const char* bad : {"10,\"A/\"", "10 ,20,\"A/\"", "nan,20,\"A/\"", "10", "10,", ",20,",
                            "10,20,,", "10,20,x", "10,20x", ""}) {
        EXPECT_EQ(CQuarnDoc::ParseMemory(bad, used, free), 0) << bad;
    }
    EXPECT_EQ(used, -1);
    EXPECT_EQ(free, -1);
}

TEST_F(MainframeWindow, AContrastOutsideItsRangeFromTheInstrumentFailsTheRead) {
    // Else the old value the view puts back after a refused entry would be refused in turn.
    SetReply("DISP:CONT?", "0");
    EXPECT_FALSE(Open());
    SetReply("DISP:CONT?", "abc");
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));
}

TEST_F(MainframeWindow, ContrastOutOfRangeBringsTheMessageAndTheOldValueBack) {
    ASSERT_TRUE(Open());
    m_boxes.Expect(kRangeMessage, MB_OK | MB_ICONEXCLAMATION, IDOK);
    ASSERT_TRUE(View()->TypeText(IDC_CONTRAST, "0"));
    EXPECT_EQ(Text(IDC_CONTRAST), "12");
    EXPECT_EQ(Doc()->m_contrast, 12);

    m_boxes.Expect(kRangeMessage, MB_OK | MB_ICONEXCLAMATION, IDOK);
    ASSERT_TRUE(View()->TypeText(IDC_CONTRAST, "41"));
    EXPECT_EQ(Text(IDC_CONTRAST), "12");
    EXPECT_EQ(Doc()->m_contrast, 12);
    EXPECT_EQ(View()->GetPos(IDC_CONTRAST_SPIN), 12);
    EXPECT_EQ(View()->GetFocusId(), IDC_CONTRAST);
    EXPECT_EQ(m_boxes.Pending(), 0u);

    ASSERT_TRUE(View()->TypeText(IDC_CONTRAST, "40"));
    EXPECT_EQ(Doc()->m_contrast, 40);
}

TEST_F(MainframeWindow, SpinChangesTheContrastAndApplySendsIt) {
    ASSERT_TRUE(Open());
    TakeLines();
    ASSERT_TRUE(View()->SpinBy(IDC_CONTRAST_SPIN, 3));
    EXPECT_EQ(Text(IDC_CONTRAST), "15");
    EXPECT_EQ(Doc()->m_contrast, 15);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(View()->IsDlgItemEnabled(IDC_QUARN_APPLY));
    EXPECT_TRUE(SentLines().empty());  // nothing goes out before Apply

    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_APPLY));
    EXPECT_EQ(SentLines(), (std::vector<std::string>{"DISP:CONT 15"}));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_contrastChanged, 0);
    EXPECT_FALSE(View()->IsDlgItemEnabled(IDC_QUARN_APPLY));

    // Nothing changed since: nothing to send.
    EXPECT_EQ(Doc()->Apply(), 1);
    EXPECT_TRUE(SentLines().empty());
}

TEST_F(MainframeWindow, FailedApplyKeepsTheChange) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("30");
    Frame()->Disconnect();
    m_boxes.ExpectAny(IDOK);  // the link's socket error
    EXPECT_EQ(Doc()->Apply(), 0);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_contrastChanged, 1);
    EXPECT_EQ(Doc()->m_contrast, 30);
}

TEST_F(MainframeWindow, ModuleAppliedRereadsFrameResetsAndKeepsTheTypedContrast) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("20");
    SetReply("SENS:ROSC:FRAME2:FREQ?", "14.985");
    SetReply("SENS:ROSC:FRAME2:CAT?", "\"4\"");
    SetReply("SENS:ROSC:FRAME1:CAT?", "\"1\"");
    SetReply("MMEM:CAT? \"/F0:/\"", "1,2,\"CPU/\",,0");
    SetReply("DISP:CONT?", "5");
    TakeLines();

    EXPECT_EQ(View()->SendMessage(WM_MODULE_APPLIED), 0);
    const std::vector<std::string> lines = TakeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "INST:SEL \"CPU:0\"");
    EXPECT_EQ(lines.back(), "DISP:CONT?");
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 1), "14.985 [Hz]");
    EXPECT_EQ(ResetRow(1), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(ResetRow(2), (std::vector<bool>{false, false, false, true}));
    // Only the frame reset part of the form follows.
    EXPECT_EQ(Text(IDC_FREE_BYTES), "3145728");
    EXPECT_EQ(Text(IDC_CONTRAST), "20");
    EXPECT_EQ(Doc()->m_freeBytes, 2);
    EXPECT_EQ(Doc()->m_contrast, 20);
    EXPECT_EQ(Doc()->m_contrastChanged, 1);

    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_APPLY));
    EXPECT_EQ(SentLines(), (std::vector<std::string>{"DISP:CONT 20"}));
}

TEST_F(MainframeWindow, ModuleAppliedPostedToTheMainFrameReachesTheWindow) {
    ASSERT_TRUE(Open());
    SetReply("SENS:ROSC:FRAME3:FREQ?", "0.0");
    SetReply("SENS:ROSC:FRAME3:CAT?", "\"\"");
    ASSERT_TRUE(Frame()->PostMessage(WM_MODULE_APPLIED));
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(Text(IDC_FRAME_FREQ1 + 2), "---");
    EXPECT_EQ(ResetRow(3), (std::vector<bool>{false, false, false, false}));
}

TEST_F(MainframeWindow, PresetRecallReopensAModifiedWindowWithoutAsking) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    SetReply("DISP:CONT?", "33");  // what the recalled preset holds
    m_boxes.Expect("Recall 'Factory Default' ?", platform::MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_RECALL_FACTORY_DEFAULT);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_contrast, 33);
    EXPECT_EQ(Text(IDC_CONTRAST), "33");
    EXPECT_EQ(Frame()->Children().size(), 1u);
}

TEST_F(MainframeWindow, ModuleAppliedTakesTheInstrumentsContrastWhenNothingWasTyped) {
    ASSERT_TRUE(Open());
    SetReply("DISP:CONT?", "7");
    View()->SendMessage(WM_MODULE_APPLIED);
    EXPECT_EQ(Doc()->m_contrast, 7);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MainframeWindow, FailedRereadLeavesDocumentAndFormAsTheyWere) {
    ASSERT_TRUE(Open());
    const std::string option = Doc()->m_optionReply;
    SetReply("SENS:ROSC:FRAME1:FREQ?", "25");
    SetReply("SENS:ROSC:FRAME1:CAT?", "\"2\"");
    SetReply("DISP:CONT?", "3");
    SetReply("MMEM:CAT? \"/F0:/\"", "12,");  // one count: the read fails here

    View()->SendMessage(WM_MODULE_APPLIED);
    EXPECT_EQ(Doc()->m_frameFrequency[0], "59.94");
    EXPECT_EQ(Doc()->m_frameUsedBySlot[0], (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(Doc()->m_optionReply, option);
    EXPECT_EQ(Doc()->m_contrast, 12);
    EXPECT_EQ(Doc()->m_usedBytes, 1048576);
    EXPECT_EQ(Text(IDC_FRAME_FREQ1), "59.94 [Hz]");
    EXPECT_EQ(ResetRow(1), (std::vector<bool>{true, false, true, false}));
}

TEST_F(MainframeWindow, FailingReadLeavesNoWindow) {
    SetReply("*OPT?", "\"Tavix:1:1.2:2.31\"");  // no controller in it
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Frame()->Children().empty());
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));

    // An empty reply is a failed exchange too.
    m_sim->ClearReplyOverrides();
    SetUpReplies();
    SetReply("DISP:CONT?", "");
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Frame()->Children().empty());

    SetReply("DISP:CONT?", "9");
    ASSERT_TRUE(Open());
    EXPECT_EQ(Text(IDC_CONTRAST), "9");
}

TEST_F(MainframeWindow, ClosingUnmodifiedAsksNothing) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_OK));
    EXPECT_TRUE(ClosedAfterEvents());
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));
}

TEST_F(MainframeWindow, CloseBoxAsksAndYesApplies) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    TakeLines();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
    EXPECT_TRUE(View()->GetParentFrame()->OnClose());
    EXPECT_EQ(Frame()->m_mainframeDoc, nullptr);
    EXPECT_EQ(SentLines(), (std::vector<std::string>{"DISP:CONT 25"}));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));
}

TEST_F(MainframeWindow, CloseBoxNoDropsTheChange) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    TakeLines();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDNO);
    EXPECT_TRUE(View()->GetParentFrame()->OnClose());
    EXPECT_EQ(Frame()->m_mainframeDoc, nullptr);
    EXPECT_TRUE(SentLines().empty());
}

TEST_F(MainframeWindow, CloseBoxCancelKeepsTheWindowAndTheChange) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDCANCEL);
    EXPECT_FALSE(View()->GetParentFrame()->OnClose());
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Text(IDC_CONTRAST), "25");
}

TEST_F(MainframeWindow, OkOnAModifiedWindowAsksThroughTheFramesClose) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    TakeLines();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_OK));
    EXPECT_TRUE(ClosedAfterEvents());
    EXPECT_EQ(SentLines(), (std::vector<std::string>{"DISP:CONT 25"}));
}

TEST_F(MainframeWindow, CancelButtonAsksOnceYes) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    TakeLines();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_CANCEL));
    EXPECT_TRUE(ClosedAfterEvents());  // a second question would fail the script
    EXPECT_EQ(SentLines(), (std::vector<std::string>{"DISP:CONT 25"}));
    EXPECT_EQ(m_boxes.Records().size(), 1u);
}

TEST_F(MainframeWindow, CancelButtonAsksOnceNo) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    TakeLines();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDNO);
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_CANCEL));
    EXPECT_TRUE(ClosedAfterEvents());
    EXPECT_TRUE(SentLines().empty());
    EXPECT_EQ(m_boxes.Records().size(), 1u);
}

TEST_F(MainframeWindow, CancelButtonCancelKeepsTheWindow) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDCANCEL);
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_CANCEL));
    EXPECT_FALSE(ClosedAfterEvents());
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MainframeWindow, CancelButtonYesWithAFailedApplyStillAsksOnlyOnce) {
    ASSERT_TRUE(Open());
    ChangeContrastTo("25");
    Frame()->Disconnect();
    m_boxes.Expect(kQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
    m_boxes.ExpectAny(IDOK);  // the link's socket error
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_CANCEL));
    EXPECT_TRUE(ClosedAfterEvents());
    EXPECT_EQ(m_boxes.Records().size(), 2u);
}

TEST_F(MainframeWindow, CancelOnAnUnmodifiedWindowJustCloses) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(View()->ClickButton(IDC_QUARN_CANCEL));
    EXPECT_TRUE(ClosedAfterEvents());
    EXPECT_TRUE(m_boxes.Records().empty());
}

}  // namespace
}  // namespace corvane::testing
