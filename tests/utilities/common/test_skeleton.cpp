// The shared application skeleton in one process: stored addresses, settings, the About
// item and box, and the address check before a network action.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "SkeletonFixture.h"
#include "platform/MessageBox.h"
#include "platform/NamedMutex.h"
#include "platform/Profile.h"
#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"
#include "tests/support/LoopbackSimulator.h"
#include "utilities/common/DottedAddress.h"
#include "utilities/common/UtilityApp.h"
#include "utilities/common/resources/CommonResource.h"

namespace utilities::testing {
namespace {

TEST(DottedAddressTest, OnlyFourFieldsOfZeroTo255WithNothingAfterAreAnAddress) {
    std::uint32_t address = 0;
    ASSERT_TRUE(ParseDottedAddress("192.168.0.100", address));
    EXPECT_EQ(address, 0xC0A80064u);
    ASSERT_TRUE(ParseDottedAddress("0.0.0.0", address));
    EXPECT_EQ(address, 0u);
    ASSERT_TRUE(ParseDottedAddress("255.255.255.255", address));
    EXPECT_EQ(address, 0xFFFFFFFFu);
    address = 7;
    for (const char* bad : {"1.2", "300.0.0.1", "1.2.3.256", "1.2.3.4 ", " 1.2.3.4", "1.2.3.4.5",
                            "1.2.3.", "1..3.4", "-1.2.3.4", "1.2.3.4x", "0001.2.3.4", ""}) {
        EXPECT_FALSE(ParseDottedAddress(bad, address)) << bad;
    }
    EXPECT_EQ(address, 7u);
    EXPECT_EQ(FormatDottedAddress(0x0A000102u), "10.0.1.2");
}

TEST(UtilityTraitsTest, TheThreeProgramsKeepTheirNamesVersionsAndKeys) {
    const UtilityTraits mirrak = UtilityTraits::Mirrak();
    EXPECT_EQ(mirrak.VersionText(), "Mirrak Version 1.1");
    EXPECT_EQ(mirrak.LockName(), "MirrakInstance");
    EXPECT_EQ(mirrak.addressKey, "SrcIP");
    EXPECT_EQ(mirrak.secondKey, "DstIP");
    EXPECT_FALSE(mirrak.secondIsFolder);
    const UtilityTraits gorrel = UtilityTraits::Gorrel();
    EXPECT_EQ(gorrel.AboutCaption(), "About Gorrel");
    EXPECT_EQ(gorrel.VersionText(), "Gorrel Version 1.3");
    EXPECT_EQ(gorrel.AboutMenuText(), "&About Gorrel...");
    const UtilityTraits stowen = UtilityTraits::Stowen();
    EXPECT_EQ(stowen.RefusalText(),
              "Stowen is already running.\n\nYou can not run second instance of this program.");
    EXPECT_EQ(stowen.addressKey, "IPAddress");
    EXPECT_EQ(stowen.secondKey, "SourcePath");
    EXPECT_EQ(stowen.secondDefault, QDir::homePath().toStdString() + "/Quarn");
}

class SkeletonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        platform::Profile::SetRootForTests(m_root.path().toStdString());
        m_name = "UtilTest" + std::to_string(::getpid()) + "x" + std::to_string(++s_count);
    }
    void TearDown() override { platform::Profile::SetRootForTests(""); }

    std::string SettingsValue(const std::string& key) const {
        QSettings settings(m_root.path() + "/Harnoq/" + QString::fromStdString(m_name) + ".conf",
                           QSettings::IniFormat);
        return settings.value("Settings/" + QString::fromStdString(key)).toString().toStdString();
    }
    void StoreSettings(const std::string& address, const std::string& second) {
        platform::Profile profile("Harnoq", m_name);
        profile.WriteString("Settings", "IPAddress", address);
        profile.WriteString("Settings", "SourcePath", second);
    }
    // Runs the app once; the handler acts on the main dialog.
    int RunApp(const UtilityTraits& traits, testsupport::DialogScript::Handler handler) {
        testsupport::DialogScript dialogs;
        dialogs.Expect(IDD_TEST_MAIN, std::move(handler));
        CUtilityApp app(traits, [](CUtilityApp& owner) {
            return std::make_unique<TestMainDlg>(owner.Traits());
        });
        return app.Run();
    }

    QTemporaryDir m_root;
    std::string m_name;
    static inline int s_count = 0;
};

TEST_F(SkeletonTest, AStoredAddressThatIsNotPlainDottedShowsTheFallback) {
    for (const char* stored : {"1.2", "300.0.0.1", "10.0.0.1 junk"}) {
        StoreSettings(stored, "/backups/here");
        std::string shown;
        std::string folder;
        RunApp(TestTraits(m_name), [&](platform::CDialog& dialog) {
            auto& main = static_cast<TestMainDlg&>(dialog);
            shown = main.AddressControlText(IDC_TEST_ADDRESS);
            folder = main.GetDlgItemText(IDC_TEST_FOLDER);
            dialog.EndDialog(platform::IDCANCEL);
        });
        EXPECT_EQ(shown, UtilityTraits::kDefaultAddress) << stored;
        EXPECT_EQ(folder, "/backups/here");
    }
    StoreSettings("10.11.12.13", "/b");
    std::string shown;
    RunApp(TestTraits(m_name), [&](platform::CDialog& dialog) {
        shown = static_cast<TestMainDlg&>(dialog).AddressControlText(IDC_TEST_ADDRESS);
        dialog.EndDialog(platform::IDCANCEL);
    });
    EXPECT_EQ(shown, "10.11.12.13");
}

TEST_F(SkeletonTest, DefaultsAreShownAndTheDialogsValuesAreWrittenAtExit) {
    std::string shown;
    std::string folder;
    const int status = RunApp(TestTraits(m_name), [&](platform::CDialog& dialog) {
        auto& main = static_cast<TestMainDlg&>(dialog);
        shown = main.AddressControlText(IDC_TEST_ADDRESS);
        folder = main.GetDlgItemText(IDC_TEST_FOLDER);
        main.TypeIpAddress(IDC_TEST_ADDRESS, "10.1.2.3");
        main.SetDlgItemText(IDC_TEST_FOLDER, "/data/presets");
        main.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(status, CUtilityApp::kExitNormal);
    EXPECT_EQ(shown, UtilityTraits::kDefaultAddress);
    EXPECT_EQ(folder, UtilityTraits::DefaultFolder());
    EXPECT_EQ(SettingsValue("IPAddress"), "10.1.2.3");
    EXPECT_EQ(SettingsValue("SourcePath"), "/data/presets");
    // The guard is free again once the program has ended.
    platform::NamedMutex lock(m_name + "Instance");
    EXPECT_EQ(lock.TryLock(), 1);
}

TEST_F(SkeletonTest, MirraksTwoAddressesComeBackWithTheirOwnFallbacks) {
    {
        platform::Profile profile("Harnoq", m_name);
        profile.WriteString("Settings", "SrcIP", "10.0.0.7");
        profile.WriteString("Settings", "DstIP", "10.0.0");
    }
    std::string source;
    std::string target;
    RunApp(TestTraits(m_name, false), [&](platform::CDialog& dialog) {
        auto& main = static_cast<TestMainDlg&>(dialog);
        source = main.AddressControlText(IDC_TEST_ADDRESS);
        target = main.AddressControlText(IDC_TEST_TARGET);
        main.ClickButton(platform::IDOK);
    });
    EXPECT_EQ(source, "10.0.0.7");
    EXPECT_EQ(target, UtilityTraits::kDefaultSecondAddress);
    EXPECT_EQ(SettingsValue("DstIP"), UtilityTraits::kDefaultSecondAddress);
}

TEST_F(SkeletonTest, ACopyThatFindsTheGuardTakenIsRefusedAndWritesNothing) {
    platform::NamedMutex running(m_name + "Instance");
    ASSERT_EQ(running.TryLock(), 1);
    StoreSettings("10.9.9.9", "/kept");
    testsupport::BoxScript boxes;
    boxes.Expect(TestTraits(m_name).RefusalText(), platform::MB_ICONSTOP, platform::IDOK);
    testsupport::DialogScript dialogs;  // no main dialog may open
    CUtilityApp app(TestTraits(m_name), [](CUtilityApp& owner) {
        return std::make_unique<TestMainDlg>(owner.Traits());
    });
    app.SetSettings("1.1.1.1", "/overwritten");
    EXPECT_EQ(app.Run(), CUtilityApp::kExitRefused);
    EXPECT_TRUE(app.WasRefused());
    EXPECT_EQ(SettingsValue("IPAddress"), "10.9.9.9");
    EXPECT_EQ(SettingsValue("SourcePath"), "/kept");
    EXPECT_TRUE(boxes.Records().at(0).beepBefore);
}

TEST_F(SkeletonTest, AnUnusableLockFileIsReportedNotTakenForARunningCopy) {
    // A folder where the lock file belongs: nobody holds the guard, yet it cannot be taken.
    const std::string lockPath = platform::NamedMutex::LockPathFor(m_name + "Instance");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(lockPath)));
    StoreSettings("10.9.9.9", "/kept");
    testsupport::BoxScript boxes;
    boxes.Expect(m_name + " can not check for a running copy: \"" + lockPath +
                     "\" can not be used as its lock file.",
                 platform::MB_ICONSTOP, platform::IDOK);
    testsupport::DialogScript dialogs;
    CUtilityApp app(TestTraits(m_name), [](CUtilityApp& owner) {
        return std::make_unique<TestMainDlg>(owner.Traits());
    });
    app.SetSettings("1.1.1.1", "/overwritten");
    EXPECT_EQ(app.Run(), CUtilityApp::kExitNoGuard);
    EXPECT_FALSE(app.WasRefused());
    EXPECT_EQ(SettingsValue("IPAddress"), "10.9.9.9");
    QDir().rmdir(QString::fromStdString(lockPath));
}

TEST_F(SkeletonTest, TheAboutItemOpensTheProgramsAboutBox) {
    for (const UtilityTraits& traits :
         {UtilityTraits::Mirrak(), UtilityTraits::Gorrel(), UtilityTraits::Stowen()}) {
        TestMainDlg main(traits);
        std::string caption;
        std::string version;
        testsupport::DialogScript dialogs;
        dialogs.Expect(IDD_TEST_MAIN, [&](platform::CDialog& dialog) {
            auto& shown = static_cast<TestMainDlg&>(dialog);
            std::unique_ptr<QMenu> menu(shown.BuildContextMenu());
            ASSERT_EQ(menu->actions().size(), 1);
            EXPECT_EQ(menu->actions()[0]->text().toStdString(), traits.AboutMenuText());
            EXPECT_EQ(menu->actions()[0]->data().toInt(), IDM_ABOUTBOX);
            EXPECT_FALSE(dialog.GetWidget()->windowIcon().isNull());
            dialog.OnCommand(IDM_ABOUTBOX, 0);
            dialog.EndDialog(platform::IDCANCEL);
        });
        dialogs.Expect(IDD_ABOUTBOX, [&](platform::CDialog& about) {
            caption = about.GetWindowText();
            version = about.GetDlgItemText(IDC_ABOUT_VERSION);
            QDir().mkpath(QUARN_SCREENSHOT_DIR);
            about.GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/utilities_about_" +
                                           QString::fromStdString(traits.name) + ".png");
            about.ClickButton(platform::IDOK);
        });
        main.DoModal();
        EXPECT_EQ(caption, traits.AboutCaption());
        EXPECT_EQ(version, traits.VersionText());
    }
}

TEST_F(SkeletonTest, ARightClickOnTheDialogOffersTheAboutItemAndItOpensTheBox) {
    TestMainDlg main(UtilityTraits::Stowen());
    std::string menuText;
    std::string caption;
    testsupport::DialogScript dialogs;
    dialogs.Expect(IDD_TEST_MAIN, [&](platform::CDialog& dialog) {
        QWidget* widget = dialog.GetWidget();
        // Picks the menu's item the way a keyboard would, once the menu is up.
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || menu->actions().isEmpty())
                return;
            menuText = menu->actions()[0]->text().toStdString();
            menu->setActiveAction(menu->actions()[0]);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(menu, &press);
        });
        emit widget->customContextMenuRequested(QPoint(5, 5));
        dialog.EndDialog(platform::IDCANCEL);
    });
    dialogs.Expect(IDD_ABOUTBOX, [&](platform::CDialog& about) {
        caption = about.GetWindowText();
        about.ClickButton(platform::IDOK);
    });
    main.DoModal();
    EXPECT_EQ(menuText, "&About Stowen...");
    EXPECT_EQ(caption, "About Stowen");
    EXPECT_EQ(dialogs.Shown(), (std::vector<int>{IDD_TEST_MAIN, IDD_ABOUTBOX}));
}

TEST_F(SkeletonTest, TheAddressCheckRefusesAnEmptyAddressAndConnectsOtherwise) {
    quarnsim::Options options;
    options.ftpEnabled = false;
    std::string address;
    std::unique_ptr<quarnsim::Simulator> sim =
        testsupport::StartLoopbackSimulator(options, address);
    ASSERT_TRUE(sim != nullptr);
    CQuarnComm link;
    testsupport::BoxScript boxes;
    boxes.Expect("Please enter IP address of source Quarn.", platform::MB_OK, platform::IDOK);
    boxes.Expect("Please enter IP address of target Quarn.", platform::MB_OK, platform::IDOK);
    int empty = -1;
    int emptyTarget = -1;
    int connected = -1;
    TestMainDlg main(TestTraits(m_name));
    testsupport::DialogScript dialogs;
    dialogs.Expect(IDD_TEST_MAIN, [&](platform::CDialog& dialog) {
        auto& shown = static_cast<TestMainDlg&>(dialog);
        shown.TypeIpAddress(IDC_TEST_ADDRESS, "0.0.0.0");
        empty = shown.ConnectToAddress(IDC_TEST_ADDRESS, link);
        emptyTarget = shown.ConnectToAddress(IDC_TEST_ADDRESS, link, CUtilityDlg::kTargetEmptyText);
        shown.TypeIpAddress(IDC_TEST_ADDRESS, address);
        connected = shown.ConnectToAddress(IDC_TEST_ADDRESS, link);
        dialog.EndDialog(platform::IDCANCEL);
    });
    main.DoModal();
    EXPECT_EQ(empty, 0);
    EXPECT_EQ(emptyTarget, 0);
    EXPECT_EQ(connected, 1);
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(boxes.Pending(), 0u);
}

}  // namespace
}  // namespace utilities::testing
