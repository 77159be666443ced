// The small dialogs and the copy progress dialog, on their own.
#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>
#include <cstdint>
#include <deque>

#include "drenlo/app/DrenloSettings.h"
#include "drenlo/ui/AboutDlg.h"
#include "drenlo/ui/CopyProgressDlg.h"
#include "drenlo/ui/EthernetDlg.h"
#include "drenlo/ui/FileConfirmDlg.h"
#include "drenlo/ui/OptionsDlg.h"
#include "drenlo/ui/QuarnErrorDlg.h"
#include "drenlo/ui/SequenceFileDlg.h"
#include "platform/BuildVersion.h"
#include "platform/FileDialogs.h"
#include "resources/drenlo/Resource.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"

namespace drenlo {
namespace {

void SaveDialogShot(platform::CDialog& dialog, const std::string& name) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    dialog.GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/drenlo_" +
                                    QString::fromStdString(name) + ".png");
}

TEST(DrenloSettingsTest, DefaultsPartialParseZeroResetAndHostileValues) {
    CDrenloSettings settings;
    EXPECT_EQ(settings.ToString(), "-1, -1, 720, 560, 200, 0, 1, 200, 110, 110");

    settings.Parse("10, 20, 800, 600, 250, 1, -2, 0, 0, 0");
    EXPECT_EQ(settings.ToString(), "10, 20, 800, 600, 250, 1, -2, 200, 110, 110");

    // Reading stops at the first field that does not parse; the rest keep their defaults.
    settings.Parse("5, 6, 700, x, 9");
    EXPECT_EQ(settings.ToString(), "5, 6, 700, 560, 200, 0, 1, 200, 110, 110");

    // The reserved value goes back as it came.
    settings.Parse("-1, -1, 720, 560, 200, 0, 1, 200, 77, 110");
    EXPECT_EQ(settings.Get(CDrenloSettings::kReserved), 77);

    // Out-of-range modes, sort keys and sizes, and 64-bit numbers, fall back to defaults.
    settings.Parse("1, 1, -5, 99999999999, 0, 7, 9, -3, 110, 100000");
    EXPECT_EQ(settings.ToString(), "1, 1, 720, 560, 200, 0, 1, 200, 110, 110");
}

TEST(CopyProgressTextTest, LargestUnitPlusOneWithSingularForAFullNextUnit) {
    EXPECT_EQ(CCopyProgressDlg::RemainingText(1000), "17 Minutes Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(59), "1 Minute Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(3599), "1 Hour Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(3600), "2 Hours Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(30), "31 Seconds Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(0), "1 Second Remaining");
    EXPECT_EQ(CCopyProgressDlg::RemainingText(60), "2 Minutes Remaining");
}

class CopyProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = CCopyProgressDlg::SetClock([this] { return m_now; });
    }
    void TearDown() override { CCopyProgressDlg::SetClock(m_previous); }

    std::int64_t m_now = 1000;
    CCopyProgressDlg::Clock m_previous;
};

TEST_F(CopyProgressTest, StepsEstimatesOnlyAfterFifteenCallsAndFiveSecondsAndClampsDone) {
    int cancels = 0;
    CCopyProgressDlg dialog([&] { ++cancels; });
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.StartProgress("a.pst", 1000, "From '/home/x' to 'Quarn:/F0:/MODEL'", 1);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_COPY_FILE), "a.pst");
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 0);

    dialog.UpdateRemainingTime(20);  // one step of 20 bytes: 2 %
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 2);
    dialog.UpdateRemainingTime(100);  // at most one step per call
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 4);

    m_now += 10;
    for (int i = 0; i < 13; ++i) dialog.UpdateRemainingTime(100);
    EXPECT_EQ(dialog.GetTimeText(), "");  // fifteen calls so far
    dialog.UpdateRemainingTime(100);      // the sixteenth: 900 * 10 / 100 = 90 s
    EXPECT_EQ(dialog.GetTimeText(), "2 Minutes Remaining");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_COPY_TIME), "2 Minutes Remaining");

    // Bytes beyond the total (a file that grew) count as the total, never as a huge estimate.
    for (int i = 0; i < 16; ++i) dialog.UpdateRemainingTime(5000);
    EXPECT_EQ(dialog.GetTimeText(), "1 Second Remaining");

    // A new file: no estimate within its first five seconds.
    dialog.StartProgress("b.pst", 40, "dir", 1);
    EXPECT_EQ(dialog.GetTimeText(), "");
    for (int i = 0; i < 16; ++i) dialog.UpdateRemainingTime(1);
    EXPECT_EQ(dialog.GetTimeText(), "");
    // Below 50 bytes the step is 0, so each call advances the bar.
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 32);
    dialog.SetProgressFull();
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 100);

    SaveDialogShot(dialog, "copy_progress");
    // Cancel and Escape never close the dialog; Cancel is disabled after the first.
    dialog.PressEscape();
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(dialog.IsDlgItemEnabled(platform::IDCANCEL));
    dialog.StartProgress("c.pst", 100, "dir", 1);
    EXPECT_TRUE(dialog.IsDlgItemEnabled(platform::IDCANCEL));
    dialog.DestroyWindow();
}

TEST_F(CopyProgressTest, MissingAnimationIsReportedOnceAndTheDialogStillWorks) {
    testsupport::BoxScript boxes;
    boxes.Expect("Error: Cannot open CAnimateCtrl", platform::MB_ICONSTOP, platform::IDOK);
    CCopyProgressDlg dialog({}, 9999);
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.StartProgress("x", 100, "y", 1);
    dialog.UpdateRemainingTime(2);
    EXPECT_EQ(dialog.GetPos(IDC_COPY_PROGRESS), 2);
    dialog.DestroyWindow();
}

TEST(QuarnErrorDlgTest, ListsEachReplyUpToTheFirstZeroIncludingNegativeNumbers) {
    std::deque<std::string> replies{"-113,\"Undefined header\"", "12,\"Busy\"", "0,\"No error\"",
                                    "5,\"never read\""};
    int reads = 0;
    CQuarnErrorDlg dialog([&](std::string& reply) {
        ++reads;
        reply = replies.front();
        replies.pop_front();
        return true;
    });
    testsupport::DialogScript script;
    script.Expect(IDD_QUARN_ERROR, [](platform::CDialog& d) {
        ASSERT_EQ(d.GetCount(IDC_ERROR_LIST), 3);
        EXPECT_EQ(d.GetLBText(IDC_ERROR_LIST, 0), "-113,\"Undefined header\"");
        EXPECT_EQ(d.GetLBText(IDC_ERROR_LIST, 2), "0,\"No error\"");
        SaveDialogShot(d, "error_queue");
        d.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(reads, 3);
}

TEST(QuarnErrorDlgTest, NoLinkListsNothingAndAnEndlessQueueStops) {
    testsupport::DialogScript script;
    script.Expect(IDD_QUARN_ERROR, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetCount(IDC_ERROR_LIST), 0);
        d.ClickButton(platform::IDOK);
    });
    script.Expect(IDD_QUARN_ERROR, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetCount(IDC_ERROR_LIST), CQuarnErrorDlg::kMaxLines);
        d.ClickButton(platform::IDOK);
    });
    script.Expect(IDD_QUARN_ERROR, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetCount(IDC_ERROR_LIST), 2);  // a failed read ends the loop
        d.ClickButton(platform::IDOK);
    });
    CQuarnErrorDlg noLink([](std::string&) { return false; });
    noLink.DoModal();
    CQuarnErrorDlg endless([](std::string& reply) {
        reply = "7,\"again\"";
        return true;
    });
    endless.DoModal();
    int n = 0;
    CQuarnErrorDlg failing([&](std::string& reply) {
        reply = n++ == 0 ? "3,\"x\"" : "";
        return true;
    });
    failing.DoModal();
}

TEST(EthernetDlgTest, ShowsTheStoredHostAndReconnectsWithTheTypedOne) {
    EXPECT_EQ(CEthernetDlg::ParseHost("10.1.2.3"), 0x0A010203u);
    EXPECT_EQ(CEthernetDlg::ParseHost("garbage"), 0u);
    EXPECT_EQ(CEthernetDlg::ParseHost("300.-4.7"), 0xFF000700u);

    std::vector<std::string> reconnects;
    CEthernetDlg dialog("192.168.0.100",
                        [&](const std::string& host) { reconnects.push_back(host); });
    testsupport::DialogScript script;
    script.Expect(IDD_ETHERNET, [](platform::CDialog& d) {
        std::uint32_t address = 0;
        d.GetIpAddress(IDC_IPADDRESS, address);
        EXPECT_EQ(address, 0xC0A80064u);
        SaveDialogShot(d, "ethernet");
        d.TypeIpAddress(IDC_IPADDRESS, "127.0.0.9");
        d.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(reconnects, std::vector<std::string>{"127.0.0.9"});
    EXPECT_EQ(dialog.GetHost(), "127.0.0.9");

    CEthernetDlg cancelled("1.2.3.4", [&](const std::string& host) { reconnects.push_back(host); });
    script.ExpectCancel(IDD_ETHERNET);
    EXPECT_EQ(cancelled.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(reconnects.size(), 1u);
}

TEST(OptionsDlgTest, BrowseFillsTheFieldAndOkKeepsIt) {
    auto previous = platform::SetFileDialogAnswerer(
        [](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
            EXPECT_EQ(record.kind, platform::FileDialogKind::Open);
            chosen = {"/usr/bin/editor"};
            return true;
        });
    COptionsDlg dialog("/usr/bin/old");
    testsupport::DialogScript script;
    script.Expect(IDD_OPTIONS, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_EDITOR_PATH), "/usr/bin/old");
        d.ClickButton(IDC_BROWSE_EDITOR);
        EXPECT_EQ(d.GetDlgItemText(IDC_EDITOR_PATH), "/usr/bin/editor");
        SaveDialogShot(d, "options");
        d.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.GetEditorPath(), "/usr/bin/editor");
    platform::SetFileDialogAnswerer(previous);
}

TEST(FileConfirmDlgTest, EachTypeShowsItsTextAndAboutShowsTheVersion) {
    testsupport::DialogScript script;
    CPresetFileDlg preset;
    preset.SetText("SETUP.PST");
    script.Expect(IDD_PRESET_FILE, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_PRESET_NAME), "SETUP.PST");
        SaveDialogShot(d, "preset_file");
        d.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(preset.DoModal(), platform::IDOK);

    CLogoFileDlg logo;
    CPictureFileDlg picture;
    CSignalFileDlg signal;
    CDownloadFileDlg download;
    for (CFileConfirmDlg* dialog :
         std::initializer_list<CFileConfirmDlg*>{&logo, &picture, &signal, &download}) {
        dialog->SetText(std::string(300, 'n'));
        script.Expect(dialog->GetTemplateId(), [](platform::CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_FILE_NAME).size(), CFileConfirmDlg::kMaxText);
            SaveDialogShot(d, "file_" + std::to_string(d.GetTemplateId()));
            d.ClickButton(platform::IDCANCEL);
        });
        EXPECT_EQ(dialog->DoModal(), platform::IDCANCEL);
    }

    CAboutDlg about;
    script.Expect(IDD_ABOUTBOX, [](platform::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_VERSION), platform::GetProgramVersionText());
        SaveDialogShot(d, "about");
        d.ClickButton(platform::IDOK);
    });
    about.DoModal();
}

TEST(SequenceFileDlgTest, EditStartsTheEditorOnTheFullPathAndReportsAMissingOne) {
    std::vector<std::pair<std::string, std::string>> launched;
    auto previous =
        CSequenceFileDlg::SetLauncher([&](const std::string& editor, const std::string& file) {
            launched.push_back({editor, file});
            return editor != "/no/such/editor";
        });
    testsupport::BoxScript boxes;
    boxes.Expect("Error: Cannot find this editor", platform::MB_ICONSTOP, platform::IDOK);
    CSequenceFileDlg dialog("/no/such/editor");
    dialog.SetText("RUN 1.SEQ");
    dialog.SetFilePath("/home/op/seq/RUN 1.SEQ");
    testsupport::DialogScript script;
    script.Expect(IDD_SEQUENCE_FILE, [](platform::CDialog& d) {
        SaveDialogShot(d, "sequence_file");
        d.ClickButton(IDC_EDIT_SEQUENCE);
        EXPECT_FALSE(d.HasEnded());  // the dialog stays open after the error
        d.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].second, "/home/op/seq/RUN 1.SEQ");
    CSequenceFileDlg::SetLauncher(previous);
}

}  // namespace
}  // namespace drenlo
