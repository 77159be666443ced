// The Tavix window against the simulated instrument: reading, applying, closing, the
// synchronisation list and the audio timing offset.
#include <QKeyEvent>
#include <QLineEdit>

#include "corvane/core/Messages.h"
#include "corvane/modules/common/ModuleProgress.h"
#include "platform/MessageBox.h"
#include "tests/corvane/TavixFixture.h"

namespace corvane::testing {
namespace {

using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
constexpr platform::UINT kQuestion = platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION;
constexpr platform::UINT kRange = platform::MB_OK | platform::MB_ICONEXCLAMATION;

const std::vector<std::string> kReadLines{
    "INST:SEL \"Tavix:1\"",
    "OUTP:AUD:CHAN1:AMPL?;:OUTP:AUD:CHAN1:FREQ?;:OUTP:AUD:CHAN1:CLIC?",
    "OUTP:AUD:CHAN2:AMPL?;:OUTP:AUD:CHAN2:FREQ?;:OUTP:AUD:CHAN2:CLIC?",
    "OUTP:AUD:CHAN3:AMPL?;:OUTP:AUD:CHAN3:FREQ?;:OUTP:AUD:CHAN3:CLIC?",
    "OUTP:AUD:CHAN4:AMPL?;:OUTP:AUD:CHAN4:FREQ?;:OUTP:AUD:CHAN4:CLIC?",
    "OUTP:AUD:CHAN5:AMPL?;:OUTP:AUD:CHAN5:FREQ?;:OUTP:AUD:CHAN5:CLIC?",
    "OUTP:AUD:CHAN6:AMPL?;:OUTP:AUD:CHAN6:FREQ?;:OUTP:AUD:CHAN6:CLIC?",
    "OUTP:AUD:CHAN7:AMPL?;:OUTP:AUD:CHAN7:FREQ?;:OUTP:AUD:CHAN7:CLIC?",
    "OUTP:AUD:CHAN8:AMPL?;:OUTP:AUD:CHAN8:FREQ?;:OUTP:AUD:CHAN8:CLIC?",
    "OUTP:AUD:NBIT?;SYNC?",
    "SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?",
};

std::vector<std::string> ListTexts(platform::ControlsHost& host, int id) {
    std::vector<std::string> texts;
    for (int i = 0; i < host.GetCount(id); ++i) texts.push_back(host.GetLBText(id, i));
    return texts;
}

class TavixWindow : public TavixFixture {};

TEST_F(TavixWindow, OpeningReadsEveryParameterInOneRoundTripPerQuery) {
    Seed("OUTP:AUD:CHAN3:AMPL", "-42");
    Seed("OUTP:AUD:CHAN3:FREQ", "4800");
    Seed("OUTP:AUD:CHAN8:FREQ", "-1");
    Seed("OUTP:AUD:CHAN8:CLIC", "3");
    Seed("OUTP:AUD:NBIT", "20");
    Seed("OUTP:AUD:SYNC", "FRAME_TWO");
    Seed("SENS:CORR:MDEL", "-1200");
    Instrument().SetFrameReset(2, "25", {});

    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TakeLines(), kReadLines);
    EXPECT_EQ(ModuleProgress::LastTrace().text, "Reading Tavix [1] ...");
    EXPECT_EQ(ModuleProgress::LastTrace().steps, 11);
    EXPECT_EQ(ModuleProgress::LastTrace().position, 11);
    EXPECT_FALSE(ModuleProgress::LastTrace().barShown);  // over before anyone could see it
    EXPECT_EQ(PaneText(), "Reading Tavix [1] ...");      // the read leaves its text

    CTavixDoc* doc = Doc();
    EXPECT_EQ(doc->m_slot, 1);
    EXPECT_EQ(doc->m_amplitude[2], -42);
    EXPECT_EQ(doc->m_frequency[2], 22);  // the list index of 4.8 kHz
    EXPECT_EQ(doc->m_frequency[0], 13);
    EXPECT_EQ(doc->m_frequency[7], 0);
    EXPECT_EQ(doc->m_click[7], 3);
    EXPECT_EQ(doc->m_bits, 20);
    EXPECT_EQ(doc->m_syncMode, CTavixDoc::kSyncFrameTwo);
    EXPECT_EQ(doc->m_audioDelay, -1200);
    EXPECT_EQ(doc->m_frame1Present, 0);
    EXPECT_EQ(doc->m_frame2Present, 1);
    EXPECT_DOUBLE_EQ(doc->m_frame2Frequency, 25.0);

    // What was read is what the window shows, and showing it changed nothing.
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    EXPECT_EQ(view->IsDlgButtonChecked(IDC_TAVIX_BITS20), 1);
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "-1200");
    EXPECT_EQ(view->GetLBText(IDC_TAVIX_SYNC, view->GetCurSel(IDC_TAVIX_SYNC)), "Frame Reset2");
    EXPECT_EQ(view->m_delayMax, 160000);
    EXPECT_EQ(view->m_frequencyPage.GetLBText(1016, view->m_frequencyPage.GetCurSel(1016)),
              "4.8 kHz");
    EXPECT_EQ(view->m_frequencyPage.GetCurSel(1021), 0);
    EXPECT_EQ(view->m_amplitudePage.GetDlgItemText(1017), "-42");
    EXPECT_EQ(view->m_amplitudePage.GetPos(1025), -42);
    EXPECT_EQ(view->m_clickPage.GetLBText(1038, view->m_clickPage.GetCurSel(1038)), "3 Sec");
    EXPECT_EQ(view->GetFocusId(), IDC_MODULE_OK);
    EXPECT_EQ(view->ShownPage(), 0);
    EXPECT_TRUE(view->GetParentFrame()->GetWidget()->isVisible());
}

TEST_F(TavixWindow, AReadSlowerThanTheBarsDelayPutsTheBarUpAndFillsIt) {
    m_sim->DelayNextReply(std::chrono::milliseconds(ModuleProgress::kBarDelayMs + 50));
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(ModuleProgress::LastTrace().barShown);
    EXPECT_EQ(ModuleProgress::LastTrace().position, 11);
}

TEST_F(TavixWindow, AReadThatBreaksOffLeavesNoWindowAndTheSlotFree) {
    // A reply with fewer answers than the query asked for is a failed read.
    m_sim->ReplaceNextReply("-20;1000\r\n");
    EXPECT_EQ(Open(), nullptr);
    EXPECT_FALSE(WindowOpen());
    EXPECT_EQ(Frame()->Children().size(), 0u);
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST));
    EXPECT_TRUE(m_boxes.Records().empty());  // no message of its own
    ASSERT_NE(Open(), nullptr);              // and the slot opens again
}

TEST_F(TavixWindow, ApplySendsOnlyTheChangedParametersInTheirOrder) {
    Instrument().SetFrameReset(1, "15", {});
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    TakeLines();
    view->m_clickPage.ChooseComboItem(1033, 2);       // channel 3: 2 s
    view->m_frequencyPage.ChooseComboItem(1014, 14);  // channel 1: 1.2 kHz
    view->m_amplitudePage.TypeText(1017, "-33");      // channel 3
    view->ClickButton(IDC_TAVIX_BITS20);
    view->ChooseComboItem(IDC_TAVIX_SYNC, 1);  // Frame Reset1
    view->TypeText(IDC_TAVIX_DELAY, "500");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));

    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(TakeLines(),
              (std::vector<std::string>{"INST:SEL \"Tavix:1\"", "OUTP:AUD:CHAN1:FREQ 1200",
                                        "OUTP:AUD:CHAN3:AMPL -33", "OUTP:AUD:CHAN3:CLIC 2",
                                        "OUTP:AUD:NBIT 20", "OUTP:AUD:SYNC FRAME_ONE",
                                        "SENS:CORR:MDEL 500", "*OPC?", "SYST:ERR?"}));
    EXPECT_EQ(Setting("OUTP:AUD:CHAN1:FREQ"), "1200");
    EXPECT_EQ(Setting("OUTP:AUD:CHAN3:CLIC"), "2");
    EXPECT_EQ(Setting("SENS:CORR:MDEL"), "500");
    EXPECT_EQ(ModuleProgress::LastTrace().text, "Sending...");
    EXPECT_EQ(ModuleProgress::LastTrace().position, 30);
    EXPECT_EQ(PaneText(), "Ready");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));

    // Nothing changed since: only the selection and the two closing queries, the bar still full.
    EXPECT_EQ(Doc()->Apply(), 1);
    EXPECT_EQ(TakeLines(),
              (std::vector<std::string>{"INST:SEL \"Tavix:1\"", "*OPC?", "SYST:ERR?"}));
    EXPECT_EQ(ModuleProgress::LastTrace().position, 30);
}

TEST_F(TavixWindow, FreeRunIsSentWithoutTheDelayChangedBeforeIt) {
    Instrument().SetFrameReset(1, "25", {});
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->TypeText(IDC_TAVIX_DELAY, "700");
    view->ChooseComboItem(IDC_TAVIX_SYNC, 0);
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_TAVIX_DELAY));
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_TAVIX_DELAY_LABEL));
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_TAVIX_DELAY_UNIT));
    TakeLines();
    view->ClickButton(IDC_MODULE_APPLY);
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"INST:SEL \"Tavix:1\"", "OUTP:AUD:SYNC FREE",
                                                     "*OPC?", "SYST:ERR?"}));
}

TEST_F(TavixWindow, AnInstrumentErrorAfterApplyIsShownAndTheChangesCountAsApplied) {
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->m_clickPage.ChooseComboItem(IDC_TAVIX_CLICK_CH1, 1);
    m_sim->PushError(-222, "Data out of range");
    m_boxes.Expect("Command send error!\n-222,\"Data out of range\"", platform::MB_ICONSTOP, IDOK);
    view->ClickButton(IDC_MODULE_APPLY);
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(Doc()->m_click[0].Changed());
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(TavixWindow, ASendThatFailsStopsTheApplyWithOneBoxAndKeepsWhatWasNotSent) {
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->m_amplitudePage.TypeText(1016, "-7");  // channel 2
    view->m_clickPage.ChooseComboItem(1034, 4);  // channel 4
    view->ClickButton(IDC_TAVIX_BITS20);
    m_sim->Stop();  // the instrument goes away under the link
    m_boxes.ExpectAny(IDOK);
    view->ClickButton(IDC_MODULE_APPLY);
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(Doc()->m_bits.Changed());
    EXPECT_TRUE(Doc()->m_click[3].Changed());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
}

TEST_F(TavixWindow, ClosingAsksOnlyWhenModifiedAndFollowsTheAnswer) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(Frame()->Children().front()->OnClose());  // unmodified: no question
    EXPECT_FALSE(WindowOpen());

    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_TAVIX_BITS20);
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDCANCEL);
    EXPECT_FALSE(Frame()->Children().front()->OnClose());
    EXPECT_TRUE(WindowOpen());
    EXPECT_TRUE(Doc()->IsModified());

    TakeLines();
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDNO);
    EXPECT_TRUE(Frame()->Children().front()->OnClose());
    EXPECT_FALSE(WindowOpen());
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_EQ(Setting("OUTP:AUD:NBIT"), "24");

    view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_TAVIX_BITS20);
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDYES);
    EXPECT_TRUE(Frame()->Children().front()->OnClose());
    EXPECT_FALSE(WindowOpen());
    EXPECT_EQ(Setting("OUTP:AUD:NBIT"), "20");
}

TEST_F(TavixWindow, OkClosesAndTheFrameAsksOnce) {
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_MODULE_OK);
    EXPECT_TRUE(WaitUntilClosed());

    view = Open();
    ASSERT_NE(view, nullptr);
    view->m_frequencyPage.ChooseComboItem(1015, 1);
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDYES);
    view->ClickButton(IDC_MODULE_OK);
    EXPECT_TRUE(WaitUntilClosed());
    EXPECT_EQ(Setting("OUTP:AUD:CHAN2:FREQ"), "0");
}

TEST_F(TavixWindow, CancelAsksOnceWhateverTheAnswer) {
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_MODULE_CANCEL);  // unmodified: closes without a question
    EXPECT_TRUE(WaitUntilClosed());

    view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_TAVIX_BITS20);
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDCANCEL);
    view->ClickButton(IDC_MODULE_CANCEL);
    RunPendingEvents();
    EXPECT_TRUE(WindowOpen());
    EXPECT_TRUE(Doc()->IsModified());

    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDNO);
    view->ClickButton(IDC_MODULE_CANCEL);
    EXPECT_TRUE(WaitUntilClosed());
    EXPECT_EQ(Setting("OUTP:AUD:NBIT"), "24");

    // Yes with an apply that fails: still one question, and the window closes.
    view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_TAVIX_BITS20);
    Frame()->Disconnect();
    m_boxes.Expect("Apply changes to Tavix?", kQuestion, IDYES);
    m_boxes.ExpectAny(IDOK);  // the link's socket error
    view->ClickButton(IDC_MODULE_CANCEL);
    EXPECT_TRUE(WaitUntilClosed());
}

TEST_F(TavixWindow, DelayLimitsFollowTheFrameResetFrequency) {
    struct Case {
        double frequency;
        int limit;
    };
    for (const Case& c : {Case{15.0, 66666}, Case{14.985, 66733}, Case{6.25, 159997},
                          Case{25.0, 160000}, Case{59.94, 160000}}) {
        int maximum = 1, minimum = -1;
        CTavixView::DelayLimits(CTavixDoc::kSyncFrameOne, c.frequency, 0.0, maximum, minimum);
        EXPECT_EQ(maximum, c.limit) << c.frequency;
        EXPECT_EQ(minimum, -c.limit) << c.frequency;
        CTavixView::DelayLimits(CTavixDoc::kSyncFrameTwo, 0.0, c.frequency, maximum, minimum);
        EXPECT_EQ(maximum, c.limit) << c.frequency;
    }
    int maximum = 123, minimum = -123;
    CTavixView::DelayLimits(CTavixDoc::kSyncFrameOne, 0.0, 25.0, maximum, minimum);
    EXPECT_EQ(maximum, 123);  // a reset of 0 leaves the limits as they were
    EXPECT_EQ(minimum, -123);
    CTavixView::DelayLimits(CTavixDoc::kSyncFree, 15.0, 15.0, maximum, minimum);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(minimum, 0);
}

TEST_F(TavixWindow, SyncListOffersOnlyThePresentFrameResets) {
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    Instrument().SetFrameReset(2, "14.985", {});
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    // Frame reset 1 is absent: the module's FRAME_ONE shows as free running.
    EXPECT_EQ(ListTexts(*view, IDC_TAVIX_SYNC),
              (std::vector<std::string>{"Free Run", "Frame Reset2"}));
    EXPECT_EQ(view->GetCurSel(IDC_TAVIX_SYNC), 0);
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_TAVIX_DELAY));
    EXPECT_FALSE(Doc()->IsModified());
    Frame()->Children().front()->OnClose();

    Seed("OUTP:AUD:SYNC", "FRAME_TWO");
    view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetCurSel(IDC_TAVIX_SYNC), 1);
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_TAVIX_DELAY));
    EXPECT_EQ(view->m_delayMax, 66733);
    Frame()->Children().front()->OnClose();

    Instrument().SetFrameReset(1, "50", {});
    view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ListTexts(*view, IDC_TAVIX_SYNC),
              (std::vector<std::string>{"Free Run", "Frame Reset1", "Frame Reset2"}));
    EXPECT_EQ(view->GetCurSel(IDC_TAVIX_SYNC), 2);
}

TEST_F(TavixWindow, FreeRunWithADelayOpensUnmodifiedAndSilent) {
    Seed("SENS:CORR:MDEL", "-1200");  // limits 0..0 while free running
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "-1200");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(Doc()->m_audioDelay.Changed());
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TavixWindow, DelayOutsideTheLimitsIsRefusedAndSetToTheLimit) {
    Instrument().SetFrameReset(1, "15", {});
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    m_boxes.Expect("Audio delay must be within\n-66666 to 66666 [usec]", kRange, IDOK);
    view->TypeText(IDC_TAVIX_DELAY, "70000");
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "66666");
    EXPECT_EQ(view->GetFocusId(), IDC_TAVIX_DELAY);
    EXPECT_EQ(Doc()->m_audioDelay, 66666);
    EXPECT_EQ(m_boxes.Records().size(), 1u);

    m_boxes.Expect("Audio delay must be within\n-66666 to 66666 [usec]", kRange, IDOK);
    view->TypeText(IDC_TAVIX_DELAY, "-99999999999");
    EXPECT_EQ(Doc()->m_audioDelay, -66666);

    // The document's own range guards the value too.
    m_boxes.Expect("Audio delay must be within\n-160000 to 160000 [usec]", kRange, IDOK);
    Doc()->SetAudioDelay(170000);
    EXPECT_EQ(Doc()->m_audioDelay, -66666);
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "-66666");

    // Leaving the field writes the number plainly, and sends nothing more.
    view->TypeText(IDC_TAVIX_DELAY, "  12abc");
    Doc()->m_audioDelay.ClearChanged();
    view->FocusControl(IDC_MODULE_OK);
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "12");
    EXPECT_FALSE(Doc()->m_audioDelay.Changed());
}

TEST_F(TavixWindow, ChoosingAResetClampsTheDelayToItsLimits) {
    Instrument().SetFrameReset(1, "15", {});
    Seed("SENS:CORR:MDEL", "150000");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->ChooseComboItem(IDC_TAVIX_SYNC, 1);
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "66666");
    EXPECT_EQ(Doc()->m_audioDelay, 66666);
    EXPECT_EQ(Doc()->m_syncMode, CTavixDoc::kSyncFrameOne);
}

TEST_F(TavixWindow, ModuleAppliedReReadsTheSynchronisation) {
    Instrument().SetFrameReset(1, "25", {});
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_TAVIX_BITS20);  // a pending change stays pending
    Instrument().SetFrameReset(1, "15", {});
    Instrument().SetFrameReset(2, "6.25", {});
    Seed("SENS:CORR:MDEL", "90000");
    TakeLines();

    view->SendMessage(WM_MODULE_APPLIED, 0, 0);
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{
                               "INST:SEL \"Tavix:1\"", "OUTP:AUD:SYNC?",
                               "SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?"}));
    EXPECT_EQ(ListTexts(*view, IDC_TAVIX_SYNC),
              (std::vector<std::string>{"Free Run", "Frame Reset1", "Frame Reset2"}));
    EXPECT_EQ(view->m_delayMax, 66666);
    // 90000 is beyond the new limits: clamped, and that change is the operator's to apply.
    EXPECT_EQ(view->GetDlgItemText(IDC_TAVIX_DELAY), "66666");
    EXPECT_EQ(Doc()->m_audioDelay, 66666);
    EXPECT_TRUE(Doc()->m_bits.Changed());
    EXPECT_EQ(view->IsDlgButtonChecked(IDC_TAVIX_BITS20), 1);  // the rewrite shows the choice
    EXPECT_TRUE(m_boxes.Records().empty());

    // A failed re-read leaves the window as it was.
    m_sim->SetReplyOverride("OUTP:AUD:SYNC?", "SOMETHING");
    view->SendMessage(WM_MODULE_APPLIED, 0, 0);
    EXPECT_EQ(view->GetCount(IDC_TAVIX_SYNC), 3);
    EXPECT_EQ(Doc()->m_audioDelay, 66666);
}

TEST_F(TavixWindow, EnterInTheDelayFieldIsSwallowed) {
    Instrument().SetFrameReset(1, "25", {});
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    QWidget* edit = view->GetDlgItem(IDC_TAVIX_DELAY);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_TRUE(QCoreApplication::sendEvent(edit, &enter));  // taken before the edit sees it
    EXPECT_TRUE(WindowOpen());
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
    QCoreApplication::sendEvent(edit, &digit);
    EXPECT_NE(view->GetDlgItemText(IDC_TAVIX_DELAY).find('5'), std::string::npos);
}

TEST_F(TavixWindow, ScreenshotsOfEachTab) {
    Instrument().SetFrameReset(1, "15", {});
    Seed("OUTP:AUD:SYNC", "FRAME_ONE");
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    const char* const names[] = {"tavix_frequency", "tavix_amplitude", "tavix_click"};
    for (int tab = 0; tab < 3; ++tab) {
        if (tab > 0) {
            ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, tab));
        }
        EXPECT_EQ(view->ShownPage(), tab);
        SaveScreenshot(view->GetParentFrame()->GetWidget(), names[tab]);
    }
    EXPECT_FALSE(Doc()->IsModified());  // switching tabs sends nothing
}

}  // namespace
}  // namespace corvane::testing
