// The Windows notification rules that pages rely on: program writes, data exchange, combo
// selection, up-down steps, focus and buttons.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QDeadlineTimer>

#include "test_dialog_fixture.h"
#include "tests/support/BoxScript.h"

namespace dialogtest {
namespace {

class DialogNotifications : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_dialog.Create(nullptr), TRUE);
        m_dialog.m_events.clear();
    }
    RecordingDialog m_dialog;
};

TEST_F(DialogNotifications, ProgramWriteToEditNotifiesEvenWhenTextIsUnchanged) {
    m_dialog.SetDlgItemText(kName, "abc");
    m_dialog.SetDlgItemText(kName, "abc");
    m_dialog.SetDlgItemInt(kName, -5);
    EXPECT_EQ(m_dialog.CodesOf(kName),
              (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(m_dialog.GetDlgItemText(kName), "-5");

    m_dialog.SetDlgItemText(kLabel, "new label");
    EXPECT_TRUE(m_dialog.CodesOf(kLabel).empty());
    EXPECT_EQ(m_dialog.GetDlgItemText(kLabel), "new label");
}

TEST_F(DialogNotifications, DataExchangeWritesOnlyWhenTheTextDiffers) {
    m_dialog.m_name = "abc";
    ASSERT_EQ(m_dialog.UpdateData(FALSE), TRUE);
    EXPECT_EQ(m_dialog.CodesOf(kName), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    m_dialog.m_events.clear();
    ASSERT_EQ(m_dialog.UpdateData(FALSE), TRUE);
    EXPECT_TRUE(m_dialog.m_events.empty());
}

TEST_F(DialogNotifications, OperatorTypingNotifiesUpdateThenChange) {
    EXPECT_TRUE(m_dialog.TypeText(kName, "typed"));
    EXPECT_EQ(m_dialog.CodesOf(kName), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(m_dialog.GetDlgItemText(kName), "typed");
}

TEST_F(DialogNotifications, TypingFollowsTheKeyboardRulesOfTheField) {
    m_dialog.LimitText(kName, 4);
    m_dialog.TypeText(kName, "abcdefgh");
    EXPECT_EQ(m_dialog.GetDlgItemText(kName), "abcd");
    // The limit holds the operator back, not the program.
    m_dialog.SetDlgItemText(kName, "abcdefgh");
    EXPECT_EQ(m_dialog.GetDlgItemText(kName), "abcdefgh");

    m_dialog.TypeText(kNumber, "1a2-3");
    EXPECT_EQ(m_dialog.GetDlgItemText(kNumber), "123");

    m_dialog.m_events.clear();
    EXPECT_FALSE(m_dialog.TypeText(kReadOnly, "x"));
    EXPECT_EQ(m_dialog.GetDlgItemText(kReadOnly), "fixed");
    m_dialog.EnableDlgItem(kName, false);
    EXPECT_FALSE(m_dialog.TypeText(kName, "x"));
    EXPECT_TRUE(m_dialog.m_events.empty());
}

TEST_F(DialogNotifications, ComboSelChangeComesOnlyFromTheOperatorAndOnlyOnChange) {
    EXPECT_EQ(m_dialog.GetCurSel(kCombo), -1);
    EXPECT_EQ(m_dialog.SetCurSel(kCombo, 2), 2);
    EXPECT_TRUE(m_dialog.m_events.empty());

    EXPECT_TRUE(m_dialog.ChooseComboItem(kCombo, 1));
    EXPECT_TRUE(m_dialog.ChooseComboItem(kCombo, 1));
    EXPECT_TRUE(m_dialog.ChooseComboItem(kCombo, 0));
    EXPECT_EQ(m_dialog.CodesOf(kCombo), (std::vector<int>{CBN_SELCHANGE, CBN_SELCHANGE}));
    EXPECT_EQ(m_dialog.GetCurSel(kCombo), 0);

    // Choosing what the program selected is no change either.
    m_dialog.m_events.clear();
    m_dialog.SetCurSel(kCombo, 2);
    m_dialog.ChooseComboItem(kCombo, 2);
    EXPECT_TRUE(m_dialog.m_events.empty());
}

TEST_F(DialogNotifications, ComboListsKeepWindowsRules) {
    // Filling an empty box selects nothing, unlike Qt's own default.
    m_dialog.ResetContent(kCombo);
    EXPECT_EQ(m_dialog.AddString(kCombo, "one"), 0);
    EXPECT_EQ(m_dialog.GetCurSel(kCombo), -1);
    EXPECT_EQ(m_dialog.InsertString(kCombo, 0, "zero"), 0);
    EXPECT_EQ(m_dialog.GetCount(kCombo), 2);
    EXPECT_EQ(m_dialog.GetLBText(kCombo, 1), "one");
    EXPECT_EQ(m_dialog.FindStringExact(kCombo, -1, "ONE"), 1);
    EXPECT_EQ(m_dialog.FindStringExact(kCombo, -1, "on"), CB_ERR);
    EXPECT_EQ(m_dialog.SetItemData(kCombo, 1, 77), CB_OKAY);
    EXPECT_EQ(m_dialog.GetItemData(kCombo, 1), 77);
    EXPECT_EQ(m_dialog.DeleteString(kCombo, 0), 1);
    EXPECT_EQ(m_dialog.DeleteString(kCombo, 5), CB_ERR);
    EXPECT_EQ(m_dialog.SetCurSel(kCombo, 9), CB_ERR);
    EXPECT_EQ(m_dialog.GetCurSel(kCombo), -1);
    EXPECT_EQ(m_dialog.GetLBText(kCombo, 3), "");
    EXPECT_EQ(m_dialog.InitStorage(kCombo, 32, 64), 33);
    EXPECT_EQ(m_dialog.InitStorage(kCombo, kMaxListItems, 64), CB_ERRSPACE);
    EXPECT_TRUE(m_dialog.m_events.empty());

    // A sorted box keeps its items in case-insensitive order, including the template's.
    EXPECT_EQ(m_dialog.GetLBText(kSorted, 0), "Apple");
    EXPECT_EQ(m_dialog.GetLBText(kSorted, 1), "fig");
    EXPECT_EQ(m_dialog.GetLBText(kSorted, 2), "pear");
    EXPECT_EQ(m_dialog.AddString(kSorted, "banana"), 1);
}

TEST_F(DialogNotifications, SpinKeepsTheWindowsDefaultRangeAndDeltaSign) {
    int lower = 0, upper = 0;
    m_dialog.GetRange32(kFreeSpin, lower, upper);
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(m_dialog.GetPos(kFreeSpin), 0);

    // With the default range the up arrow reports a negative step.
    EXPECT_TRUE(m_dialog.SpinBy(kFreeSpin, -1));  // down arrow: +1, position 0 -> 1
    EXPECT_TRUE(m_dialog.SpinBy(kFreeSpin, +1));  // up arrow: -1, position 1 -> 0
    EXPECT_EQ(m_dialog.m_events, (std::vector<Event>{{"notify", kFreeSpin, UDN_DELTAPOS, 0, +1},
                                                     {"vscroll", kFreeSpin, SB_THUMBPOSITION, 1},
                                                     {"vscroll", kFreeSpin, SB_ENDSCROLL, 1},
                                                     {"notify", kFreeSpin, UDN_DELTAPOS, 1, -1},
                                                     {"vscroll", kFreeSpin, SB_THUMBPOSITION, 0},
                                                     {"vscroll", kFreeSpin, SB_ENDSCROLL, 0}}));

    // An ordinary range turns the sign round.
    m_dialog.SetRange32(kFreeSpin, 0, 10);
    m_dialog.m_events.clear();
    m_dialog.SpinBy(kFreeSpin, +1);
    ASSERT_FALSE(m_dialog.m_events.empty());
    EXPECT_EQ(m_dialog.m_events.front(), (Event{"notify", kFreeSpin, UDN_DELTAPOS, 0, +1}));
    EXPECT_EQ(m_dialog.GetPos(kFreeSpin), 1);
}

TEST_F(DialogNotifications, SpinOwnerMayCancelOrChangeTheStep) {
    m_dialog.SetRange32(kFreeSpin, 0, 10);
    m_dialog.SetPos(kFreeSpin, 5);
    m_dialog.m_notifyAnswer = 1;
    m_dialog.SpinBy(kFreeSpin, 1);
    EXPECT_EQ(m_dialog.GetPos(kFreeSpin), 5);
    // The scroll notification comes whether or not the step was taken.
    EXPECT_EQ(m_dialog.m_events[1], (Event{"vscroll", kFreeSpin, SB_THUMBPOSITION, 5}));

    m_dialog.m_notifyAnswer = 0;
    m_dialog.m_deltaOverride = 3;
    m_dialog.SpinBy(kFreeSpin, 1);
    EXPECT_EQ(m_dialog.GetPos(kFreeSpin), 8);
    m_dialog.SpinBy(kFreeSpin, 1);  // clamps at the end of the range
    EXPECT_EQ(m_dialog.GetPos(kFreeSpin), 10);
}

TEST_F(DialogNotifications, SpinWithBuddyIntegerWritesItsBuddy) {
    EXPECT_EQ(m_dialog.GetBuddy(kBuddySpin), kBuddy);
    // Pages drive the spin with packed messages: upper limit low, lower limit high.
    m_dialog.SendDlgItemMessage(
        kBuddySpin, UDM_SETRANGE, 0,
        static_cast<LPARAM>((static_cast<unsigned>(-3) & 0xFFFF) << 16) | 10);
    int lower = 0, upper = 0;
    m_dialog.GetRange32(kBuddySpin, lower, upper);
    EXPECT_EQ(lower, -3);
    EXPECT_EQ(upper, 10);

    m_dialog.SendDlgItemMessage(kBuddySpin, UDM_SETPOS, 0, 0xFFFE);  // -2 in 16 bits
    EXPECT_EQ(m_dialog.GetDlgItemText(kBuddy), "-2");
    EXPECT_EQ(m_dialog.CodesOf(kBuddy), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    for (const Event& e : m_dialog.m_events) EXPECT_NE(e.what, "vscroll");

    // The operator's text is where the next step starts from.
    m_dialog.TypeText(kBuddy, "9");
    m_dialog.m_events.clear();
    m_dialog.SpinBy(kBuddySpin, 1);
    EXPECT_EQ(m_dialog.GetDlgItemText(kBuddy), "10");
    EXPECT_EQ(m_dialog.m_events.front(), (Event{"notify", kBuddySpin, UDN_DELTAPOS, 9, 1}));
    EXPECT_EQ(m_dialog.CodesOf(kBuddy), (std::vector<int>{EN_UPDATE, EN_CHANGE}));

    // At the end of the range the text already shows the number: nothing is written.
    m_dialog.m_events.clear();
    m_dialog.SpinBy(kBuddySpin, 1);
    EXPECT_TRUE(m_dialog.CodesOf(kBuddy).empty());

    // A buddy text that is not a number in range reads as an error and keeps the position.
    m_dialog.TypeText(kBuddy, "abc");
    LRESULT packed = m_dialog.SendDlgItemMessage(kBuddySpin, UDM_GETPOS);
    EXPECT_EQ(packed & 0xFFFF, 10);
    EXPECT_NE(packed >> 16, 0);
}

TEST_F(DialogNotifications, SpinBuddyShowsThousandsUnlessTheStyleSaysNot) {
    m_dialog.SetRange32(kBuddySpin, 0, 5000);
    m_dialog.SetPos(kBuddySpin, 1234);
    EXPECT_EQ(m_dialog.GetDlgItemText(kBuddy), "1,234");
    EXPECT_EQ(m_dialog.GetPos(kBuddySpin), 1234);
}

TEST_F(DialogNotifications, FocusMovesWithKillThenSet) {
    EXPECT_TRUE(m_dialog.FocusControl(kName));
    EXPECT_TRUE(m_dialog.FocusControl(kCombo));
    EXPECT_TRUE(m_dialog.FocusControl(kBuddy));
    EXPECT_EQ(m_dialog.m_events, (std::vector<Event>{{"cmd", kName, EN_SETFOCUS},
                                                     {"cmd", kName, EN_KILLFOCUS},
                                                     {"cmd", kCombo, CBN_SETFOCUS},
                                                     {"cmd", kCombo, CBN_KILLFOCUS},
                                                     {"cmd", kBuddy, EN_SETFOCUS}}));
    EXPECT_EQ(m_dialog.GetFocusId(), kBuddy);
}

TEST_F(DialogNotifications, ButtonsToggleThenNotify) {
    EXPECT_TRUE(m_dialog.ClickButton(kCheck));
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kCheck), 1);
    EXPECT_TRUE(m_dialog.ClickButton(kRadioTwo));
    EXPECT_TRUE(m_dialog.ClickButton(kRadioThree));
    EXPECT_TRUE(m_dialog.ClickButton(kRadioThree));  // a checked radio stays checked
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioTwo), 0);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioThree), 1);
    EXPECT_EQ(m_dialog.CodesOf(kRadioThree), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
    EXPECT_EQ(m_dialog.CodesOf(kCheck), (std::vector<int>{BN_CLICKED}));

    // Program checks raise nothing.
    m_dialog.m_events.clear();
    m_dialog.CheckRadioButton(kRadioOne, kRadioThree, kRadioOne);
    m_dialog.CheckDlgButton(kCheck, 0);
    EXPECT_TRUE(m_dialog.m_events.empty());
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioOne), 1);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioThree), 0);

    m_dialog.EnableDlgItem(kCheck, false);
    EXPECT_FALSE(m_dialog.ClickButton(kCheck));
    m_dialog.ShowDlgItem(kRadioTwo, false);
    EXPECT_FALSE(m_dialog.ClickButton(kRadioTwo));
    EXPECT_TRUE(m_dialog.m_events.empty());
}

// Assistive technology works a button through its accessible action: the owner hears of it
// as of a click by the mouse, and a radio button is announced as one.
TEST_F(DialogNotifications, AccessibleActionsClickButtonsAndRadiosAreRadios) {
    struct Case {
        int id;
        QAccessible::Role role;
        QString action;
        int checkedAfter;
    };
    m_dialog.CheckRadioButton(kRadioOne, kRadioThree, kRadioOne);
    m_dialog.m_events.clear();
    for (const Case& c : {
             Case{kRadioTwo, QAccessible::RadioButton, QAccessibleActionInterface::toggleAction(),
                  1},
             Case{kRadioThree, QAccessible::RadioButton, QAccessibleActionInterface::pressAction(),
                  1},
             Case{kCheck, QAccessible::CheckBox, QAccessibleActionInterface::toggleAction(), 1},
             Case{IDCANCEL, QAccessible::Button, QAccessibleActionInterface::pressAction(), 0},
         }) {
        SCOPED_TRACE(c.id);
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(m_dialog.GetDlgItem(c.id));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->role(), c.role);
        ASSERT_NE(button->actionInterface(), nullptr);
        button->actionInterface()->doAction(c.action);
        // The click may come from the event loop; wait for it, within a bound.
        const QDeadlineTimer deadline(5000);
        while (m_dialog.CodesOf(c.id).empty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(m_dialog.CodesOf(c.id), (std::vector<int>{BN_CLICKED}));
        EXPECT_EQ(m_dialog.IsDlgButtonChecked(c.id), c.checkedAfter);
    }
    // The group stays one choice; the last radio clicked holds it.
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioOne), 0);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioTwo), 0);
    EXPECT_EQ(m_dialog.m_cancelCalls, 1);
}

TEST_F(DialogNotifications, RadioExchangeFollowsTheGroup) {
    m_dialog.m_radio = 2;
    m_dialog.UpdateData(FALSE);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kRadioThree), 1);
    m_dialog.ClickButton(kRadioOne);
    m_dialog.ClickButton(kCheck);
    m_dialog.ChooseComboItem(kCombo, 2);
    m_dialog.TypeText(kName, "Joe");
    ASSERT_EQ(m_dialog.UpdateData(TRUE), TRUE);
    EXPECT_EQ(m_dialog.m_radio, 0);
    EXPECT_EQ(m_dialog.m_check, 1);
    EXPECT_EQ(m_dialog.m_comboIndex, 2);
    EXPECT_EQ(m_dialog.m_name, "Joe");

    m_dialog.m_radio = -1;
    m_dialog.UpdateData(FALSE);
    for (int id : {kRadioOne, kRadioTwo, kRadioThree})
        EXPECT_EQ(m_dialog.IsDlgButtonChecked(id), 0);
}

TEST_F(DialogNotifications, DlgItemIntReadsTheLeadingNumber) {
    bool ok = false;
    m_dialog.SetDlgItemText(kName, "  42abc");
    EXPECT_EQ(m_dialog.GetDlgItemInt(kName, &ok), 42);
    EXPECT_TRUE(ok);
    m_dialog.SetDlgItemText(kName, "-7");
    EXPECT_EQ(m_dialog.GetDlgItemInt(kName, &ok), -7);
    EXPECT_EQ(m_dialog.GetDlgItemInt(kName, &ok, false), 0);
    EXPECT_FALSE(ok);
    m_dialog.SetDlgItemText(kName, "");
    EXPECT_EQ(m_dialog.GetDlgItemInt(kName, &ok), 0);
    EXPECT_FALSE(ok);
    m_dialog.SetDlgItemText(kName, "99999999999");
    EXPECT_EQ(m_dialog.GetDlgItemInt(kName, &ok), 0);
    EXPECT_FALSE(ok);
    m_dialog.SetDlgItemText(kName, "4294967295");
    EXPECT_EQ(static_cast<unsigned>(m_dialog.GetDlgItemInt(kName, &ok, false)), 4294967295u);
    EXPECT_TRUE(ok);
}

TEST_F(DialogNotifications, ProgressStepsWrapAndPositionsClamp) {
    m_dialog.SetRange32(kProgress, 0, 25);
    EXPECT_EQ(m_dialog.SetPos(kProgress, 40), 0);
    EXPECT_EQ(m_dialog.GetPos(kProgress), 25);
    m_dialog.SetPos(kProgress, 20);
    m_dialog.SetStep(kProgress, 10);
    EXPECT_EQ(m_dialog.StepIt(kProgress), 20);
    EXPECT_EQ(m_dialog.GetPos(kProgress), 5);  // past the end it starts over
    EXPECT_EQ(m_dialog.SendDlgItemMessage(kProgress, PBM_GETPOS), 5);
}

TEST_F(DialogNotifications, UnknownIdsAreHarmless) {
    EXPECT_EQ(m_dialog.GetDlgItem(4242), nullptr);
    m_dialog.SetDlgItemText(4242, "x");
    EXPECT_EQ(m_dialog.GetDlgItemText(4242), "");
    EXPECT_EQ(m_dialog.GetCurSel(4242), CB_ERR);
    EXPECT_FALSE(m_dialog.ClickButton(4242));
    EXPECT_FALSE(m_dialog.SpinBy(kCombo, 1));
    EXPECT_EQ(m_dialog.SendDlgItemMessage(4242, UDM_GETPOS), 0);
}

}  // namespace
}  // namespace dialogtest
