// Tab controls, list boxes and modeless dialogs: the parts the view framework builds on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "test_dialog_fixture.h"

namespace dialogtest {
namespace {

constexpr int kTab = 1008;
constexpr int kList = 1020;

DialogTemplate TabTemplate() {
    return DialogTemplate{400,
                          "Tabs",
                          200,
                          120,
                          {
                              {ControlKind::Tab, kTab, "", 7, 7, 186, 80},
                              {ControlKind::ListBox, kList, "", 7, 90, 80, 25, 0, {"b", "a"}},
                              {ControlKind::DefPushButton, IDOK, "OK", 140, 100, 50, 14},
                          }};
}

TEST(DialogTab, OperatorChoiceAsksThenNotifiesAndProgramChoiceIsSilent) {
    RecordingDialog dialog(TabTemplate());
    ASSERT_EQ(dialog.Create(nullptr), TRUE);
    EXPECT_EQ(dialog.InsertTabItem(kTab, 0, "Frequency"), 0);
    EXPECT_EQ(dialog.InsertTabItem(kTab, 1, "Amplitude"), 1);
    EXPECT_EQ(dialog.GetTabCount(kTab), 2);
    EXPECT_EQ(dialog.GetTabCurSel(kTab), 0);
    EXPECT_EQ(dialog.SetTabCurSel(kTab, 1), 0);
    EXPECT_TRUE(dialog.m_events.empty());

    EXPECT_TRUE(dialog.ChooseTab(kTab, 0));
    EXPECT_EQ(dialog.m_events, (std::vector<Event>{{"notify", kTab, TCN_SELCHANGING},
                                                   {"notify", kTab, TCN_SELCHANGE}}));
    // A refused change leaves the selection where it was.
    dialog.m_events.clear();
    dialog.m_notifyAnswer = 1;
    dialog.ChooseTab(kTab, 1);
    EXPECT_EQ(dialog.GetTabCurSel(kTab), 0);
    EXPECT_EQ(dialog.m_events, (std::vector<Event>{{"notify", kTab, TCN_SELCHANGING}}));

    // Pages are placed over the display area, which lies inside the control.
    const QRect display = dialog.GetTabDisplayRect(kTab);
    EXPECT_TRUE(dialog.GetDlgItem(kTab)->geometry().contains(display));
    EXPECT_FALSE(display.isEmpty());
}

TEST(DialogTab, ListBoxSelectionFollowsTheComboRules) {
    RecordingDialog dialog(TabTemplate());
    ASSERT_EQ(dialog.Create(nullptr), TRUE);
    EXPECT_EQ(dialog.GetCount(kList), 2);
    EXPECT_EQ(dialog.GetCurSel(kList), -1);
    dialog.SetCurSel(kList, 0);
    EXPECT_TRUE(dialog.m_events.empty());
    dialog.ChooseComboItem(kList, 1);
    dialog.ChooseComboItem(kList, 1);
    EXPECT_EQ(dialog.CodesOf(kList), (std::vector<int>{LBN_SELCHANGE}));
    EXPECT_EQ(dialog.GetLBText(kList, 1), "a");
}

TEST(DialogTab, ModelessDialogHidesOnEndAndGoesOnDestroy) {
    RecordingDialog dialog(SampleTemplate(WS_VISIBLE));
    ASSERT_EQ(dialog.Create(nullptr), TRUE);
    EXPECT_TRUE(dialog.m_initialised);
    EXPECT_TRUE(dialog.GetWidget()->isVisible());
    dialog.ClickButton(IDCANCEL);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.EndResult(), IDCANCEL);
    EXPECT_FALSE(dialog.GetWidget()->isVisible());
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_EQ(dialog.GetDlgItem(kName), nullptr);
    dialog.SetDlgItemText(kName, "after");  // harmless once the window is gone
}

TEST(DialogTab, ChildDialogLeavesEnterAndEscapeToItsParent) {
    RecordingDialog parentDialog;
    ASSERT_EQ(parentDialog.Create(nullptr), TRUE);
    RecordingDialog page(SampleTemplate(WS_CHILD | WS_VISIBLE));
    ASSERT_EQ(page.Create(&parentDialog), TRUE);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(page.GetWidget(), &escape);
    EXPECT_EQ(page.m_cancelCalls, 0);
    EXPECT_FALSE(page.HasEnded());
    EXPECT_EQ(parentDialog.m_cancelCalls, 1);
}

}  // namespace
}  // namespace dialogtest
