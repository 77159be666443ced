// The main dialog and the progress dialog as the operator drives them.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QWidget>
#include <filesystem>

#include "MirrakFixture.h"
#include "platform/MessageBox.h"
#include "resources/mirrak/Resource.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"
#include "utilities/common/DottedAddress.h"
#include "utilities/common/resources/CommonResource.h"
#include "utilities/mirrak/CopyProgressDlg.h"
#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/MirrakApp.h"
#include "utilities/mirrak/MirrakDlg.h"

namespace fs = std::filesystem;

namespace mirraktest {

namespace {

using platform::IDCANCEL;
using platform::IDOK;
using platform::MB_OK;

void SaveShot(QWidget* widget, const std::string& name) {
    ASSERT_NE(widget, nullptr);
    for (const QString& folder : {QString(QUARN_SCREENSHOT_DIR), QString("/tmp/shots")}) {
        QDir().mkpath(folder);
        widget->grab().save(folder + "/mirrak_" + QString::fromStdString(name) + ".png");
    }
}

std::uint32_t Address(const std::string& dotted) {
    std::uint32_t value = 0;
    utilities::ParseDottedAddress(dotted, value);
    return value;
}

class DialogTest : public MirrakFixture {
protected:
    void SetUp() override {
        MirrakFixture::SetUp();
        m_app = std::make_unique<mirrak::CMirrakApp>();
        m_dlg = std::make_unique<mirrak::CMirrakDlg>(*m_app);
        ASSERT_TRUE(m_dlg->Create(nullptr));
    }
    void TearDown() override {
        m_dlg.reset();
        m_app.reset();
        MirrakFixture::TearDown();
    }
    void SetAddresses(const std::string& source, const std::string& target) {
        m_dlg->SetIpAddress(mirrak::IDC_SOURCE_IP, Address(source));
        m_dlg->SetIpAddress(mirrak::IDC_TARGET_IP, Address(target));
    }
    bool WaitForIdle(int limitMs = 60000) {
        return PumpUntil([&] { return !m_dlg->IsCopying(); }, limitMs);
    }

    std::unique_ptr<mirrak::CMirrakApp> m_app;
    std::unique_ptr<mirrak::CMirrakDlg> m_dlg;
};

TEST_F(DialogTest, EqualAndEmptyAddressesAreRefusedWithoutAnIcon) {
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kSameAddressText, MB_OK, IDOK);
    boxes.Expect("Please enter IP address of source Quarn.", MB_OK, IDOK);
    boxes.Expect("Please enter IP address of target Quarn.", MB_OK, IDOK);
    SetAddresses("10.0.0.1", "10.0.0.1");
    EXPECT_EQ(m_dlg->CheckInstruments(), mirrak::CMirrakDlg::kCheckRefused);
    SetAddresses("0.0.0.0", "10.0.0.2");
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    m_dlg->SetIpAddress(mirrak::IDC_SOURCE_IP, Address("10.0.0.1"));
    m_dlg->ClearIpAddress(mirrak::IDC_TARGET_IP);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    EXPECT_EQ(boxes.Pending(), 0u);
    for (const auto& record : boxes.Records()) EXPECT_EQ(record.caption, "Mirrak");
    EXPECT_FALSE(m_dlg->IsCopying());
}

TEST_F(DialogTest, ShowsTheStoredAddressesOrTheFallback) {
    EXPECT_EQ(m_dlg->GetDlgItemText(mirrak::IDC_COPY), "Copy");
    std::uint32_t source = 0;
    std::uint32_t target = 0;
    m_dlg->GetIpAddress(mirrak::IDC_SOURCE_IP, source);
    m_dlg->GetIpAddress(mirrak::IDC_TARGET_IP, target);
    EXPECT_EQ(utilities::FormatDottedAddress(source), "192.168.0.100");
    EXPECT_EQ(utilities::FormatDottedAddress(target), "192.168.0.101");
    SaveShot(m_dlg->GetWidget(), "main_dialog");
}

TEST_F(DialogTest, TheContextMenusAboutItemOpensMirraksAboutBox) {
    std::unique_ptr<QMenu> menu(m_dlg->BuildContextMenu());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text().toStdString(), "&About Mirrak...");
    ASSERT_EQ(menu->actions()[0]->data().toInt(), mirrak::IDM_ABOUTBOX);
    std::string caption;
    std::string version;
    testsupport::DialogScript dialogs;
    dialogs.Expect(utilities::IDD_ABOUTBOX, [&](platform::CDialog& about) {
        caption = about.GetWindowText();
        version = about.GetDlgItemText(utilities::IDC_ABOUT_VERSION);
        about.ClickButton(IDOK);
    });
    m_dlg->OnCommand(mirrak::IDM_ABOUTBOX, 0);
    EXPECT_EQ(caption, "About Mirrak");
    EXPECT_EQ(version, "Mirrak Version 1.1");
    EXPECT_FALSE(m_dlg->GetWidget()->windowIcon().isNull());
}

TEST_F(DialogTest, AStoredAddressThatIsNotFourBytesShowsTheFallback) {
    const auto shown = [&](const std::string& source, const std::string& target) {
        m_app->SetSettings(source, target);
        mirrak::CMirrakDlg dlg(*m_app);
        EXPECT_TRUE(dlg.Create(nullptr));
        std::uint32_t first = 0;
        std::uint32_t second = 0;
        dlg.GetIpAddress(mirrak::IDC_SOURCE_IP, first);
        dlg.GetIpAddress(mirrak::IDC_TARGET_IP, second);
        return utilities::FormatDottedAddress(first) + " " + utilities::FormatDottedAddress(second);
    };
    EXPECT_EQ(shown("10.1.2.3", "10.1.2.4"), "10.1.2.3 10.1.2.4");
    EXPECT_EQ(shown("10.1", "10.1.2.4"), "192.168.0.100 10.1.2.4");
    EXPECT_EQ(shown("10.1.2.3", "300.0.0.1"), "10.1.2.3 192.168.0.101");
}

TEST_F(DialogTest, CopyChecksConfirmsCopiesAndComesBackOnlyAfterTheWorker) {
    StartInstruments();
    SeedTree(40);
    SetAddresses(m_sourceAddress, m_targetAddress);
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kConfirmText, platform::MB_OKCANCEL | platform::MB_ICONQUESTION, IDOK);
    boxes.Expect(mirrak::kDoneText, MB_OK, IDOK);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    EXPECT_TRUE(m_dlg->IsCopying());
    EXPECT_FALSE(m_dlg->IsDlgItemEnabled(mirrak::IDC_COPY));
    EXPECT_FALSE(m_dlg->IsDlgItemEnabled(mirrak::IDC_SOURCE_IP));
    ASSERT_NE(m_dlg->ProgressDialog(), nullptr);
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(boxes.Pending(), 0u);
    EXPECT_TRUE(m_dlg->IsDlgItemEnabled(mirrak::IDC_COPY));
    EXPECT_TRUE(m_dlg->IsDlgItemEnabled(mirrak::IDC_TARGET_IP));
    EXPECT_FALSE(m_app->GetRunner().IsRunning());
    EXPECT_EQ(m_dlg->ProgressDialog(), nullptr);
    EXPECT_TRUE(TargetHoldsSourceTree());
    // The check read the source's used bytes, the progress total.
    EXPECT_GT(m_dlg->SourceUsed(), 0);
    std::string source;
    std::string target;
    m_app->GetSettings(source, target);
    EXPECT_EQ(source, m_sourceAddress);
    EXPECT_EQ(target, m_targetAddress);
    // The check's command lines, in order, on the target's command port.
    const std::vector<std::string> lines = m_target->ReceivedLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "mmem:cdir \"/F0:/\"");
    EXPECT_EQ(lines[1], "mmem:cat?");
    EXPECT_EQ(lines[2], "inst:cat?");
}

TEST_F(DialogTest, CancellingTheConfirmationEndsTheSessions) {
    StartInstruments();
    SetAddresses(m_sourceAddress, m_targetAddress);
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kConfirmText, platform::MB_OKCANCEL | platform::MB_ICONQUESTION, IDCANCEL);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    EXPECT_FALSE(m_dlg->IsCopying());
    const std::vector<std::string> sourceFtp = m_source->FtpCommands();
    const std::vector<std::string> targetFtp = m_target->FtpCommands();
    ASSERT_FALSE(sourceFtp.empty());
    EXPECT_EQ(sourceFtp.back(), "QUIT");
    EXPECT_EQ(targetFtp.back(), "QUIT");
    EXPECT_EQ(std::count(sourceFtp.begin(), sourceFtp.end(), "LIST /F0:/"), 0);
}

TEST_F(DialogTest, AFailedTargetLoginEndsTheSourceSessionToo) {
    StartInstruments();
    SetAddresses(m_sourceAddress, m_targetAddress);
    m_target->FtpReplaceNextReply("PASS", "530 Login incorrect.");
    testsupport::BoxScript boxes;
    boxes.Expect("Error : 530 Login incorrect.", MB_OK | platform::MB_ICONSTOP, IDOK);
    boxes.Expect("Can not open IP address '" + m_targetAddress + "'", MB_OK, IDOK);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    EXPECT_EQ(boxes.Pending(), 0u);
    EXPECT_FALSE(m_dlg->IsCopying());
    EXPECT_EQ(m_source->FtpCommands().back(), "QUIT");
    // A second Copy logs in afresh and works.
    boxes.Expect(mirrak::kConfirmText, platform::MB_OKCANCEL | platform::MB_ICONQUESTION, IDOK);
    boxes.Expect(mirrak::kDoneText, MB_OK, IDOK);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(boxes.Pending(), 0u);
}

TEST_F(DialogTest, AnInstrumentThatDoesNotAnswerTheCheckStopsCopyQuietly) {
    StartInstruments();
    SetAddresses(m_sourceAddress, m_targetAddress);
    m_source->SetReplyOverride("mmem:cat?", "nothing numeric");
    testsupport::BoxScript boxes;
    EXPECT_EQ(m_dlg->CheckInstruments(), mirrak::CMirrakDlg::kCheckSourceFailed);
    m_source->ClearReplyOverrides();
    m_target->Stop();
    boxes.Expect("Cannot connect to \"" + m_targetAddress + "\"", MB_OK | platform::MB_ICONSTOP,
                 IDOK);
    EXPECT_EQ(m_dlg->CheckInstruments(), mirrak::CMirrakDlg::kCheckTargetFailed);
    EXPECT_EQ(boxes.Pending(), 0u);
}

TEST_F(DialogTest, CancelFromTheProgressDialogShowsOnlyTheCancelMessage) {
    StartInstruments();
    SeedTree(150);
    SetAddresses(m_sourceAddress, m_targetAddress);
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kConfirmText, platform::MB_OKCANCEL | platform::MB_ICONQUESTION, IDOK);
    boxes.Expect(mirrak::kCancelledText, MB_OK, IDOK);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    ASSERT_TRUE(PumpUntil(
        [&] {
            auto* progress = m_dlg->ProgressDialog();
            return progress != nullptr && progress->GetWidget()->isVisible() &&
                   !progress->GetDlgItemText(mirrak::IDC_COPY_PATH).empty();
        },
        30000));
    mirrak::CCopyProgressDlg* progress = m_dlg->ProgressDialog();
    SaveShot(progress->GetWidget(), "progress_dialog_copying");
    ASSERT_TRUE(progress->ClickButton(IDCANCEL));
    EXPECT_FALSE(progress->IsDlgItemEnabled(IDCANCEL));
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(boxes.Pending(), 0u);
    EXPECT_TRUE(m_dlg->IsDlgItemEnabled(mirrak::IDC_COPY));
}

TEST_F(DialogTest, ClosingTheWindowMidCopyCancelsAndWaitsForTheWorker) {
    StartInstruments();
    SeedTree(150);
    SetAddresses(m_sourceAddress, m_targetAddress);
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kConfirmText, platform::MB_OKCANCEL | platform::MB_ICONQUESTION, IDOK);
    ASSERT_TRUE(m_dlg->ClickButton(mirrak::IDC_COPY));
    ASSERT_TRUE(PumpUntil(
        [&] {
            auto* progress = m_dlg->ProgressDialog();
            return progress != nullptr && !progress->GetDlgItemText(mirrak::IDC_COPY_PATH).empty();
        },
        30000));
    QElapsedTimer clock;
    clock.start();
    m_dlg->PressEscape();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(m_app->GetRunner().IsRunning());
    EXPECT_FALSE(m_dlg->IsCopying());
    EXPECT_EQ(m_dlg->ProgressDialog(), nullptr);
    // No end message comes after the window is gone.
    m_dlg.reset();
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(boxes.Pending(), 0u);
    EXPECT_EQ(boxes.Records().size(), 1u);
}

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = mirrak::CCopyProgressDlg::SetClock([this] { return m_now; });
    }
    void TearDown() override { mirrak::CCopyProgressDlg::SetClock(m_previous); }
    std::int64_t m_now = 1000;
    mirrak::CCopyProgressDlg::Clock m_previous;
};

TEST_F(ProgressDialogTest, EstimatesAfterThreeMinutesAndCancelOnlyDisablesItself) {
    platform::CWnd main;
    int cancels = 0;
    main.OnMessage(mirrak::WM_DUP_CANCEL, [&](platform::WPARAM, platform::LPARAM) {
        ++cancels;
        return platform::LRESULT{0};
    });
    mirrak::CCopyProgressDlg progress(&main);
    ASSERT_TRUE(progress.Create(nullptr));
    progress.ShowWindow(true);
    progress.StartProgress(10000);
    progress.UpdateRemainingTime(5000);
    EXPECT_EQ(progress.GetPos(mirrak::IDC_COPY_PROGRESS), 50);
    m_now += 179;
    progress.UpdateRemainingTime(5000);
    EXPECT_EQ(progress.GetDlgItemText(mirrak::IDC_COPY_TIME), "");
    m_now += 21;
    progress.UpdateRemainingTime(5000);
    EXPECT_EQ(progress.GetDlgItemText(mirrak::IDC_COPY_TIME), "4 Minutes Remaining");
    // Folders counted past the total: a full bar and nothing left, not a negative estimate.
    progress.UpdateRemainingTime(20000);
    EXPECT_EQ(progress.GetPos(mirrak::IDC_COPY_PROGRESS), 100);
    EXPECT_EQ(progress.GetDlgItemText(mirrak::IDC_COPY_TIME), "1 Second Remaining");
    // Sizes past 32 bits.
    progress.StartProgress(8000000000LL);
    progress.UpdateRemainingTime(6000000000LL);
    EXPECT_EQ(progress.GetPos(mirrak::IDC_COPY_PROGRESS), 75);
    progress.StartProgress(0);
    progress.UpdateRemainingTime(5000);
    EXPECT_EQ(progress.GetPos(mirrak::IDC_COPY_PROGRESS), 0);

    progress.SetWindowText("Copying file...");
    progress.SetFileText("MSTATE2.P00");
    progress.SetPathText("From 'PICTURE/SUB1/ ... /DEEPEST' to 'DEEPEST'");
    progress.StartProgress(10000);
    m_now += 400;
    progress.UpdateRemainingTime(2500);
    SaveShot(progress.GetWidget(), "progress_dialog");

    EXPECT_TRUE(progress.ClickButton(platform::IDCANCEL));
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(progress.IsDlgItemEnabled(platform::IDCANCEL));
    EXPECT_TRUE(progress.GetWidget()->isVisible());
    // Nothing but the copy's end closes it: not Escape, not Enter, not the close box.
    progress.PressEscape();
    progress.PressEnter();
    progress.GetWidget()->close();
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(progress.GetWidget()->isVisible());
}

TEST_F(ProgressDialogTest, AnAnimationThatCannotOpenIsReportedAndTheDialogGoesOn) {
    testsupport::BoxScript boxes;
    boxes.Expect(mirrak::kAnimationErrorText, MB_OK | platform::MB_ICONSTOP, IDOK);
    mirrak::CCopyProgressDlg progress(nullptr, 999);
    ASSERT_TRUE(progress.Create(nullptr));
    EXPECT_EQ(boxes.Pending(), 0u);
    EXPECT_TRUE(boxes.Records()[0].beepBefore);
    EXPECT_EQ(progress.GetPos(mirrak::IDC_COPY_PROGRESS), 0);
}

}  // namespace

}  // namespace mirraktest
