// Screenshots of dialogs built from templates, saved in the build tree under screenshots/ to
// be looked at when the layout is in doubt. The test checks only that the picture was made.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "test_dialog_fixture.h"
#include "tests/support/DialogScript.h"

namespace dialogtest {
namespace {

DialogTemplate EveryKindTemplate() {
    return DialogTemplate{
        300,
        "Every control",
        260,
        200,
        {
            {ControlKind::Icon, IDC_STATIC, "", 7, 7, 21, 20},
            {ControlKind::Static, IDC_STATIC,
             "A static text long enough to wrap onto a second line.", 35, 7, 140, 16},
            {ControlKind::GroupBox, IDC_STATIC, "Group", 7, 30, 140, 52},
            {ControlKind::Static, IDC_STATIC, "Name", 14, 44, 30, 8},
            {ControlKind::Edit, 10, "edit text", 50, 42, 90, 12},
            {ControlKind::Static, IDC_STATIC, "Count", 14, 62, 30, 8, SS_RIGHT},
            {ControlKind::Edit, 11, "", 50, 60, 40, 12, ES_NUMBER},
            {ControlKind::UpDown, 12, "", 0, 0, 10, 12,
             UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
            {ControlKind::CheckBox, 13, "Check box", 155, 30, 60, 10},
            {ControlKind::RadioButton, 14, "Radio one", 155, 44, 60, 10, WS_GROUP},
            {ControlKind::RadioButton, 15, "Radio two", 155, 56, 60, 10},
            {ControlKind::ComboDropDownList,
             16,
             "",
             155,
             70,
             95,
             60,
             WS_GROUP,
             {"First", "Second"}},
            {ControlKind::ComboDropDown, 17, "", 155, 88, 95, 60, 0, {"Editable"}},
            {ControlKind::ListBox,
             18,
             "",
             7,
             88,
             70,
             40,
             0,
             {"List one", "List two", "List three"}},
            {ControlKind::IpAddress, 19, "", 82, 88, 68, 13},
            {ControlKind::Progress, 20, "", 82, 106, 68, 10},
            {ControlKind::Tab, 21, "", 7, 132, 150, 40},
            {ControlKind::Animation, 22, "", 160, 106, 30, 20},
            {ControlKind::ListView, 23, "", 160, 130, 45, 42},
            {ControlKind::TreeView, 24, "", 208, 130, 45, 42},
            {ControlKind::DefPushButton, IDOK, "OK", 148, 180, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "Cancel", 203, 180, 50, 14},
        },
        DS_MODALFRAME | DS_CENTER};
}

TEST(DialogScreenshot, EveryControlKind) {
    CDialog dialog(EveryKindTemplate());
    testsupport::DialogScript script;
    QImage image;
    script.Expect(300, [&](CDialog& d) {
        d.SetRange32(12, 0, 100);
        d.SetPos(12, 42);
        d.SetCurSel(16, 0);
        d.SetPos(20, 60);
        d.CheckDlgButton(13, 1);
        d.CheckDlgButton(14, 1);
        d.SetIpAddress(19, 0xC0A80001u);
        d.InsertTabItem(21, 0, "First tab");
        d.InsertTabItem(21, 1, "Second");
        image = d.GetWidget()->grab().toImage();
        d.ClickButton(IDCANCEL);
    });
    dialog.DoModal();
    ASSERT_FALSE(image.isNull());
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    EXPECT_TRUE(image.save(QUARN_SCREENSHOT_DIR "/dialog_every_control.png"));
}

TEST(DialogScreenshot, SampleDialog) {
    RecordingDialog dialog;
    testsupport::DialogScript script;
    QImage image;
    script.Expect(100, [&](CDialog& d) {
        image = d.GetWidget()->grab().toImage();
        d.ClickButton(IDCANCEL);
    });
    dialog.DoModal();
    ASSERT_FALSE(image.isNull());
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    EXPECT_TRUE(image.save(QUARN_SCREENSHOT_DIR "/dialog_sample.png"));
}

}  // namespace
}  // namespace dialogtest
