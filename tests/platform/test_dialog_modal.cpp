// Modal dialogs through the test hook, data exchange failures and the DialogScript fixture.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/WaitCursor.h"
#include "test_dialog_fixture.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"

namespace dialogtest {
namespace {

using testsupport::BoxScript;
using testsupport::DialogScript;

TEST(DialogModal, OkRunsInitThenExchangeAndReturnsIdOk) {
    RecordingDialog dialog;
    dialog.m_name = "start";
    bool sawStart = false;
    DialogScript script;
    script.Expect(100, [&](CDialog& d) {
        auto& r = static_cast<RecordingDialog&>(d);
        EXPECT_TRUE(r.m_initialised);
        sawStart = d.GetDlgItemText(kName) == "start";
        EXPECT_TRUE(d.GetWidget()->isVisible());
        d.TypeText(kName, "changed");
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(sawStart);
    EXPECT_EQ(dialog.m_name, "changed");
    EXPECT_EQ(dialog.m_okCalls, 1);
    // The widgets are gone once DoModal returns; the values live on in the members.
    EXPECT_EQ(dialog.GetWidget(), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(kName), nullptr);
}

TEST(DialogModal, EnterPressesTheDefaultButtonAndEscapeCancels) {
    RecordingDialog dialog;
    DialogScript script;
    script.Expect(100, [](CDialog& d) { d.PressEnter(); });
    EXPECT_EQ(dialog.DoModal(), IDOK);

    RecordingDialog second;
    script.Expect(100, [](CDialog& d) {
        d.TypeText(kName, "dropped");
        d.PressEscape();
    });
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.m_cancelCalls, 1);
    EXPECT_EQ(second.m_name, "");  // Cancel takes nothing from the controls
}

TEST(DialogModal, EnterOnAFocusedButtonPressesThatButton) {
    RecordingDialog dialog;
    DialogScript script;
    script.Expect(100, [](CDialog& d) {
        d.FocusControl(IDCANCEL);
        d.PressEnter();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(DialogModal, ClosingTheWindowGoesThroughOnCancel) {
    RecordingDialog dialog;
    DialogScript script;
    script.Expect(100, [](CDialog& d) { d.GetWidget()->close(); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_cancelCalls, 1);
}

TEST(DialogModal, EndDialogValueIsReturnedAndAnUnendedHookCancels) {
    RecordingDialog dialog;
    DialogScript script;
    script.Expect(100, [](CDialog& d) { d.EndDialog(42); });
    script.Expect(100, [](CDialog&) {});
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(DialogModal, InitialFocusGoesToTheFirstControlThatTakesIt) {
    RecordingDialog dialog;
    DialogScript script;
    script.Expect(100, [](CDialog& d) {
        auto& r = static_cast<RecordingDialog&>(d);
        EXPECT_EQ(r.GetFocusId(), kName);
        EXPECT_EQ(r.CodesOf(kName), (std::vector<int>{EN_SETFOCUS}));
        d.ClickButton(IDCANCEL);
    });
    dialog.DoModal();
}

TEST(DialogModal, ExchangeFailureKeepsTheDialogOpenWithTheWindowsText) {
    RecordingDialog dialog;
    dialog.m_exchangeNumber = true;
    dialog.m_number = 5;
    DialogScript dialogs;
    BoxScript boxes;
    boxes.Expect("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    boxes.Expect("Please enter an integer between 1 and 99.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    boxes.Expect("Please enter no more than 8 characters.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    dialogs.Expect(100, [](CDialog& d) {
        d.SetDlgItemText(kNumber, "");  // ES_NUMBER holds typing back, not the program
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.HasEnded());
        EXPECT_EQ(d.GetFocusId(), kNumber);
        d.TypeText(kNumber, "100");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.HasEnded());
        d.TypeText(kNumber, "12");
        d.SetDlgItemText(kName, "much too long");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.HasEnded());
        EXPECT_EQ(d.GetFocusId(), kName);
        d.SetDlgItemText(kName, "short");
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_number, 12);
    EXPECT_EQ(dialog.m_name, "short");
    EXPECT_EQ(dialog.m_okCalls, 4);
}

TEST(DialogModal, DialogScriptFailsOnAnUnexpectedDialog) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogScript script;
            RecordingDialog dialog;
            EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        },
        "unexpected dialog 100");
    EXPECT_NONFATAL_FAILURE({ DialogScript().ExpectOk(7); }, "expected dialog 7 never shown");
}

TEST(DialogModal, NestedBoxesAndDialogsAreAnsweredInOrder) {
    // A dialog whose button asks a question: both scripts answer in turn.
    class AskingDialog : public RecordingDialog {
    public:
        BOOL OnCommand(int id, int code) override {
            if (id == kCheck && code == BN_CLICKED)
                m_answer = MessageBox(this, "Sure?", "Ask", MB_YESNO | MB_ICONQUESTION);
            return RecordingDialog::OnCommand(id, code);
        }
        int m_answer = 0;
    } dialog;
    DialogScript dialogs;
    BoxScript boxes;
    boxes.Expect("Sure?", MB_YESNO | MB_ICONQUESTION, IDYES);
    dialogs.Expect(100, [](CDialog& d) {
        d.ClickButton(kCheck);
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_answer, IDYES);
    EXPECT_EQ(boxes.Records().at(0).caption, "Ask");
}

TEST(DialogModal, ModalDialogShowsTheArrowOverAWaitCursor) {
    RecordingDialog dialog;
    DialogScript script;
    CWaitCursor wait;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    script.Expect(100, [](CDialog& d) {
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        {
            // Work started from inside the dialog shows its own wait cursor.
            CWaitCursor inner;
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        d.ClickButton(IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST(DialogModal, ChildDialogLivesInsideItsParentWithoutFrame) {
    RecordingDialog parentDialog;
    ASSERT_EQ(parentDialog.Create(nullptr), TRUE);
    DialogTemplate pageTemplate = SampleTemplate(WS_CHILD);
    pageTemplate.x = 15;
    pageTemplate.y = 25;
    RecordingDialog page(pageTemplate);
    ASSERT_EQ(page.Create(&parentDialog), TRUE);
    QWidget* pageWidget = page.GetWidget();
    EXPECT_EQ(pageWidget->parentWidget(), parentDialog.GetWidget());
    EXPECT_FALSE(pageWidget->isWindow());
    EXPECT_TRUE(pageWidget->isHidden());  // shown by its owner, as without WS_VISIBLE
    const QRect expected = ControlsHost::MapDialogRect(QRect(15, 25, 220, 150), pageWidget->font());
    EXPECT_EQ(pageWidget->geometry(), expected);
    page.MoveWindow(1, 2, 30, 40);
    EXPECT_EQ(pageWidget->geometry(), QRect(1, 2, 30, 40));

    // Without a parent window there is nowhere to put a child dialog.
    RecordingDialog orphan(pageTemplate);
    EXPECT_EQ(orphan.Create(nullptr), FALSE);
    // The page goes with its parent's window.
    parentDialog.DestroyWindow();
    EXPECT_FALSE(page.IsWindow());
}

}  // namespace
}  // namespace dialogtest

namespace dialogtest {
namespace {

TEST(DialogModalLoop, RealLoopEndsWithTheDialog) {
    RecordingDialog dialog;
    QTimer::singleShot(0, [&] {
        dialog.TypeText(kName, "looped");
        dialog.PressEnter();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, "looped");
}

}  // namespace
}  // namespace dialogtest
