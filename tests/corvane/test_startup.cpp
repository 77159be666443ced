// Corvane's start-up against the simulator: address, connection, firmware, catalogue, preset
// names, and every way it can end early.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>

#include "corvane/core/PresetTable.h"
#include "corvane/modules/ModuleKind.h"
#include "platform/MessageBox.h"
#include "platform/Socket.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

using platform::MB_ICONSTOP;

class Startup : public CorvaneFixture {};

TEST_F(Startup, ReachesReadyWithModulesAndPresets) {
    StartSimulator({{"Tavix", 1}, {"Kintor", 3}}, [](quarnsim::Options& o) {
        o.presets = {{3, "Evening", true}, {7, "Test & Measure", true}};
    });
    ASSERT_TRUE(StartCorvane());
    ASSERT_TRUE(MainWindowAlive());
    EXPECT_EQ(PaneText(), "Ready");
    EXPECT_DOUBLE_EQ(Frame()->m_firmwareVersion, 3.1);
    EXPECT_EQ(Frame()->m_slotText[0], "1 : Tavix");
    EXPECT_EQ(Frame()->m_slotText[1], "2 : ---");
    EXPECT_EQ(Frame()->m_slotText[2], "3 : Kintor");
    EXPECT_EQ(g_slotKind[0], kModuleTavix);
    EXPECT_EQ(g_slotKind[2], kModuleKintor);
    EXPECT_EQ(Frame()->m_hasKintor, 1);
    EXPECT_EQ(Frame()->m_hasBrumo, 0);

    std::vector<std::string> expected{"*OPT?", "*CLS;:INST:CAT?"};
    for (int n = 1; n <= 13; ++n) expected.push_back("MMEM:PRES:CAT? " + std::to_string(n));
    expected.push_back("MMEM:PRES:CAT:ALL?");
    EXPECT_EQ(TakeLines(), expected);

    EXPECT_EQ(SubmenuTexts("Open Module"),
              (std::vector<std::string>{"1 : Tavix", "2 : ---", "3 : Kintor", "4 : ---"}));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST));
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 1));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 2));
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 3));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));

    // Preset names in all four submenus; an '&' in a name is shown, not taken as a mnemonic.
    std::vector<std::string> recall = SubmenuTexts("Recall Preset");
    ASSERT_EQ(recall.size(), 17u);
    EXPECT_EQ(recall[0], "Power On Default");
    EXPECT_EQ(recall[3], "");  // separator
    EXPECT_EQ(recall[4 + 2], "Evening");
    EXPECT_EQ(recall[4 + 6], "Test && Measure");
    EXPECT_EQ(SubmenuTexts("Save Preset").size(), 15u);
    EXPECT_EQ(SubmenuTexts("Rename Preset")[2], "Evening");
    EXPECT_EQ(SubmenuTexts("Delete Preset")[6], "Test && Measure");
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_RECALL_PRESET_FIRST + 2));
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_RECALL_PRESET_FIRST + 3));

    SaveScreenshot(Frame()->GetWidget(), "corvane_main_window");
    // The menus as the operator sees them open: states come from the update handlers.
    auto* file = qobject_cast<QMenu*>(Frame()->GetMenu().GetSubMenu(0).GetWidget());
    file->popup(QPoint(0, 0));
    SaveScreenshot(file, "corvane_file_menu");
    for (QAction* action : file->actions()) {
        if (action->text() != "Recall Preset" && action->text() != "Open Module")
            continue;
        action->menu()->popup(QPoint(0, 0));
        EXPECT_EQ(action->menu()->actions().size(), action->text() == "Open Module" ? 4 : 17);
        SaveScreenshot(action->menu(),
                       "corvane_" + action->text().toLower().replace(' ', '_').toStdString());
        action->menu()->hide();
    }
    file->hide();
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Startup, DialogShowsTheStoredAddressAndStoresTheTypedOne) {
    StartSimulator();
    WriteSetting("TargetHost", "10.0.0.7");
    std::string shown;
    ASSERT_TRUE(StartCorvane([&](platform::CDialog& dialog) {
        uint32_t address = 0;
        EXPECT_EQ(dialog.GetIpAddress(IDC_IPADDRESS, address), 4);
        EXPECT_EQ(address, 0x0A000007u);
        SaveScreenshot(dialog.GetWidget(), "corvane_ethernet_dialog");
        dialog.TypeIpAddress(IDC_IPADDRESS, m_address);
        dialog.ClickButton(platform::IDOK);
    }));
    EXPECT_TRUE(MainWindowAlive());
    EXPECT_EQ(ReadSetting("TargetHost"), m_address);
    EXPECT_EQ(m_app->GetTargetHost(), m_address);
}

TEST_F(Startup, UnreadableStoredAddressShowsZeros) {
    StartSimulator();
    WriteSetting("TargetHost", "not an address");
    ASSERT_TRUE(StartCorvane([&](platform::CDialog& dialog) {
        uint32_t address = 1;
        dialog.GetIpAddress(IDC_IPADDRESS, address);
        EXPECT_EQ(address, 0u);
        dialog.ClickButton(platform::IDCANCEL);
    }));
    // Cancel stores nothing.
    EXPECT_EQ(ReadSetting("TargetHost"), "not an address");
}

TEST_F(Startup, CancelEndsWithoutAMessageOrConnection) {
    StartSimulator();
    ASSERT_TRUE(
        StartCorvane([](platform::CDialog& dialog) { dialog.ClickButton(platform::IDCANCEL); }));
    EXPECT_FALSE(MainWindowAlive());
    EXPECT_EQ(m_sim->ConnectionCount(), 0);
    EXPECT_TRUE(m_boxes.Records().empty());
    // The exit writes the address back, as at every end of the program.
    m_app->ExitInstance();
    EXPECT_EQ(ReadSetting("TargetHost"), m_address);
}

TEST_F(Startup, DefaultAddressWhenNoneIsStored) {
    platform::Profile::SetRootForTests(m_temp.filePath("empty-settings").toStdString());
    ASSERT_TRUE(StartCorvane([](platform::CDialog& dialog) {
        uint32_t address = 0;
        dialog.GetIpAddress(IDC_IPADDRESS, address);
        EXPECT_EQ(address, 0xC0A80064u);  // 192.168.0.100
        dialog.ClickButton(platform::IDCANCEL);
    }));
}

TEST_F(Startup, RefusedConnectionNamesTheHost) {
    StartSimulator();
    m_sim->RefuseConnections(true);
    m_boxes.Expect("Cannot connect to \"" + m_address + "\"", MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

TEST_F(Startup, SocketSupportThatCannotStartEndsWithStatusOne) {
    platform::SetSocketInitFailsForTests(true);
    m_boxes.Expect("Windows sockets initialization failed.", MB_ICONSTOP, platform::IDOK);
    m_app = std::make_unique<CCorvaneApp>();
    EXPECT_EQ(m_app->RunProgram(), 1);
    platform::SetSocketInitFailsForTests(false);
}

TEST_F(Startup, FirmwareOnePointFourIsAccepted) {
    StartSimulator({}, [](quarnsim::Options& o) { o.cpuSoftware = "1.4"; });
    ASSERT_TRUE(StartCorvane());
    EXPECT_TRUE(MainWindowAlive());
    EXPECT_DOUBLE_EQ(Frame()->m_firmwareVersion, 1.4);
}

TEST_F(Startup, OlderFirmwareIsRefusedWithItsVersion) {
    StartSimulator({}, [](quarnsim::Options& o) { o.cpuSoftware = "1.39"; });
    m_boxes.Expect(
        "Firmware version of Quarn is 1.39\n\nThis software requires [1.4] or later version.",
        MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
    // Nothing after the firmware check was asked.
    EXPECT_EQ(TakeLines(), std::vector<std::string>{"*OPT?"});
}

TEST_F(Startup, UnreadableOptionsEndSilently) {
    StartSimulator();
    m_sim->SetReplyOverride("*OPT?", "\"CPU:0:1.00\"");
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
    EXPECT_TRUE(m_boxes.Records().empty());
}

class Catalogue : public CorvaneFixture {
protected:
    void StartWithCatalogue(const std::string& reply) {
        StartSimulator();
        m_sim->SetReplyOverride("INST:CAT?", reply);
        ASSERT_TRUE(StartCorvane());
    }
};

TEST_F(Catalogue, SlotsComeFromTheItemsNotTheirOrder) {
    StartWithCatalogue("\"CPU:0\",\"Kintor:3\",\"Tavix:1\"");
    EXPECT_EQ(Frame()->m_slotText[0], "1 : Tavix");
    EXPECT_EQ(Frame()->m_slotText[2], "3 : Kintor");
    EXPECT_EQ(Frame()->m_catalogReply, "\"CPU:0\",\"Kintor:3\",\"Tavix:1\"");
}

TEST_F(Catalogue, FiveModulesTakeTheFirstFour) {
    StartWithCatalogue("\"CPU:0\",\"Tavix:1\",\"Brumo:2\",\"Kintor:3\",\"Ulmeth:4\",\"Sormet:4\"");
    EXPECT_EQ(Frame()->m_slotText[3], "4 : Ulmeth");
    EXPECT_EQ(g_slotKind[3], kModuleUlmeth);
    EXPECT_EQ(Frame()->m_hasBrumo, 1);
    EXPECT_EQ(Frame()->m_hasUlmeth, 1);
}

TEST_F(Catalogue, UnknownModelKeepsItsNameButCannotBeOpened) {
    StartWithCatalogue("\"CPU:0\",\"Zebra:2\"");
    EXPECT_EQ(Frame()->m_slotText[1], "2 : Zebra");
    EXPECT_EQ(g_slotKind[1], kModuleNone);
    EXPECT_EQ(SubmenuTexts("Open Module")[1], "2 : Zebra");
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 1));
}

TEST_F(Catalogue, ControllerAloneAndEmptyReplyMeanNoModules) {
    StartWithCatalogue("\"CPU:0\"");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Frame()->m_slotText[i], std::to_string(i + 1) + " : ---");
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Catalogue, EmptyReplyMeansNoModules) {
    StartWithCatalogue("");
    EXPECT_TRUE(MainWindowAlive());
    for (ModuleKind kind : g_slotKind) EXPECT_EQ(kind, kModuleNone);
}

TEST_F(Catalogue, SlotsOutsideOneToFourAreLeftOut) {
    StartWithCatalogue("\"CPU:0\",\"Brumo:0\",\"Kintor:7\",\"Tavix:2\"");
    EXPECT_EQ(Frame()->m_slotText[1], "2 : Tavix");
    EXPECT_EQ(Frame()->m_hasBrumo, 0);  // an item left out sets no presence either
    EXPECT_EQ(Frame()->m_hasKintor, 0);
    for (int i : {0, 2, 3}) EXPECT_EQ(g_slotKind[i], kModuleNone);
}

TEST_F(Catalogue, ItemWithoutColonEndsTheProgram) {
    StartSimulator();
    m_sim->SetReplyOverride("INST:CAT?", "\"CPU:0\",\"Tavix\"");
    m_boxes.Expect("Could not read configuration correctly!\n\nCan not continue.", MB_ICONSTOP,
                   platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

TEST_F(Startup, PresetNamesUnreadableWithInstrumentError) {
    StartSimulator();
    // The start-up clears the error queue with "*CLS"; the error comes with the name read.
    m_sim->FailNextCommand("MMEM:PRES:CAT", -200, "Execution error");
    m_boxes.Expect("-200,\"Execution error\"\n\nCan not continue.", MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

TEST_F(Startup, PresetNamesUnreadableWithoutInstrumentError) {
    StartSimulator();
    m_sim->SetReplyOverride("MMEM:PRES:CAT:ALL?", "nothing quoted");
    m_boxes.Expect("Could not read preset file names correctly!\n\nCan not continue.", MB_ICONSTOP,
                   platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

TEST_F(Startup, ConnectionDroppedDuringStartupEndsAfterTheSocketMessage) {
    StartSimulator();
    m_sim->CloseAfterBytes(0);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

class Placement : public CorvaneFixture {};

TEST_F(Placement, DefaultIsCentredAt720By560) {
    StartReady();
    QWidget* w = Frame()->GetWidget();
    EXPECT_EQ(w->frameGeometry().size(), QSize(720, 560));
    QRect screen = w->screen()->availableGeometry();
    EXPECT_NEAR(w->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(w->frameGeometry().center().y(), screen.center().y(), 2);
}

TEST_F(Placement, StoredPlacementIsUsedAndWrittenBackAtDestroy) {
    WriteSetting("PrivateSetting", "10, 20, 800, 600");
    StartReady();
    QWidget* w = Frame()->GetWidget();
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(10, 20));
    EXPECT_EQ(w->frameGeometry().size(), QSize(800, 600));
    w->move(30, 40);
    Frame()->DestroyWindow();
    EXPECT_EQ(ReadSetting("PrivateSetting"), "30, 40, 800, 600");
}

TEST_F(Placement, DamagedSettingFallsBackToUsableValues) {
    WriteSetting("PrivateSetting", "15, 25, 0, -4");
    StartReady();
    EXPECT_EQ(Frame()->GetWidget()->frameGeometry(), QRect(15, 25, 720, 560));
}

TEST_F(Placement, PartlyScannedSettingKeepsTheRestAtDefaults) {
    WriteSetting("PrivateSetting", "12, 34, abc");
    StartReady();
    EXPECT_EQ(Frame()->GetWidget()->frameGeometry(), QRect(12, 34, 720, 560));
}

TEST_F(Placement, OffScreenPositionIsCentred) {
    WriteSetting("PrivateSetting", "50000, 40000, 640, 480");
    StartReady();
    QWidget* w = Frame()->GetWidget();
    EXPECT_TRUE(w->screen()->geometry().intersects(w->frameGeometry()));
}

TEST_F(Startup, StatusPromptsOfTheOpenModuleItems) {
    StartReady({{"Kintor", 2}});
    std::string prompt;
    Frame()->GetMessageString(ID_OPEN_SLOT_FIRST, prompt);
    EXPECT_EQ(prompt, "No module.");
    Frame()->GetMessageString(ID_OPEN_SLOT_FIRST + 1, prompt);
    EXPECT_EQ(prompt, "Loads and edits Kintor parameters.");
    Frame()->GetMessageString(ID_FILE_OPEN_QUARN, prompt);
    EXPECT_EQ(prompt, "Open Quarn mainframe parameters.");
    Frame()->GetMessageString(ID_RECALL_POWER_ON_DEFAULT, prompt);
    EXPECT_EQ(prompt, "Recalls `Power On Default'.");
}

}  // namespace
}  // namespace corvane::testing

namespace corvane::testing {
namespace {

TEST_F(Startup, FailedStartupEndsWithStatusZero) {
    StartSimulator();
    ExpectDialog(IDD_ETHERNET,
                 [](platform::CDialog& dialog) { dialog.ClickButton(platform::IDCANCEL); });
    m_app = std::make_unique<CCorvaneApp>();
    EXPECT_EQ(m_app->RunProgram(), 0);
    EXPECT_EQ(ReadSetting("TargetHost"), m_address);
}

TEST_F(Startup, PresetNamesUnreadableAndErrorQueryFailingEndsAfterTheSocketMessage) {
    StartSimulator();
    m_sim->SetReplyOverride("MMEM:PRES:CAT:ALL?", "nothing quoted");
    // Everything up to the catalogue of presets is answered; then the connection closes.
    std::string replies = "\"CPU:0:1.00:3.10\"\n\"CPU:0\"\n";
    for (int n = 1; n <= 13; ++n) replies += "\"PRESET " + std::to_string(n) + "\"\n";
    replies += "nothing quoted\n";
    m_sim->CloseAfterBytes(replies.size());
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, platform::IDOK);
    ASSERT_TRUE(StartCorvane());
    EXPECT_FALSE(MainWindowAlive());
}

TEST_F(Placement, ClosedWhileMaximisedStoresTheRestoredRectangle) {
    WriteSetting("PrivateSetting", "40, 50, 640, 480");
    StartReady();
    QWidget* w = Frame()->GetWidget();
    w->showMaximized();
    if (!w->isMaximized())
        GTEST_SKIP() << "this platform cannot maximise";
    Frame()->DestroyWindow();
    EXPECT_EQ(ReadSetting("PrivateSetting"), "40, 50, 640, 480");
}

TEST(ProgressRect, TextLeavesTheLeftThreeQuartersOfAPaneFromZero) {
    const QRect pane(0, 0, 400, 20);
    EXPECT_EQ(CMainFrame::ProgressRect(pane, false), pane);
    const QRect bar = CMainFrame::ProgressRect(pane, true);
    EXPECT_EQ(bar.left(), 300);
    EXPECT_EQ(bar.left() + bar.width(), 400);
    // The old rule, kept: from a pane not at 0 the edge is not a quarter of its width.
    EXPECT_EQ(CMainFrame::ProgressRect(QRect(100, 0, 300, 20), true).left(), 400 - 500 / 4);
}

}  // namespace
}  // namespace corvane::testing
