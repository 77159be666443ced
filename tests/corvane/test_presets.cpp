// The preset commands against the simulator's presets: questions, what is sent, what the
// instrument then holds, and the menus.
#include <QLineEdit>

#include "corvane/core/PresetTable.h"
#include "corvane/core/RenameDlg.h"
#include "platform/MessageBox.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

using platform::IDNO;
using platform::IDOK;
using platform::IDYES;
using platform::MB_ICONEXCLAMATION;
using platform::MB_ICONSTOP;
using platform::MB_YESNO;

class Presets : public CorvaneFixture {
protected:
    void StartWith(std::vector<quarnsim::PresetSeed> presets, bool userDefault = false) {
        StartSimulator({}, [&](quarnsim::Options& o) { o.presets = presets; });
        m_sim->SetUserDefaultUsed(userDefault);
        ASSERT_TRUE(StartCorvane());
        ASSERT_EQ(PaneText(), "Ready");
        TakeLines();
    }
    bool Enabled(int firstId, int preset) {
        return Frame()->IsCommandEnabled(firstId + preset - 1);
    }
    void ExpectItemsOfPreset(int preset, bool enabled) {
        EXPECT_EQ(Enabled(ID_RECALL_PRESET_FIRST, preset), enabled) << preset;
        EXPECT_EQ(Enabled(ID_RENAME_PRESET_FIRST, preset), enabled) << preset;
        EXPECT_EQ(Enabled(ID_DELETE_PRESET_FIRST, preset), enabled) << preset;
        EXPECT_TRUE(Enabled(ID_SAVE_PRESET_FIRST, preset)) << preset;
    }
    static std::vector<std::string> Exchange(const std::string& command) {
        return {command, "*OPC?", "SYST:ERR?"};
    }
};

TEST_F(Presets, OnlyUserDefaultListed) {
    StartWith({}, true);
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_RECALL_USER_DEFAULT));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_RECALL_POWER_ON_DEFAULT));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_RECALL_FACTORY_DEFAULT));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_SAVE_POWER_ON_DEFAULT));
    for (int n = 1; n <= 13; ++n) ExpectItemsOfPreset(n, false);
}

TEST_F(Presets, ListedPresetsAreTheOnlyOnesEnabled) {
    StartWith({{3, "Three", true}, {7, "Seven", true}});
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_RECALL_USER_DEFAULT));
    for (int n = 1; n <= 13; ++n) ExpectItemsOfPreset(n, n == 3 || n == 7);
}

TEST_F(Presets, EmptyNameGivesAnEmptyItem) {
    StartWith({{5, "", false}});
    EXPECT_EQ(SubmenuTexts("Rename Preset")[4], "");
    EXPECT_EQ(SubmenuTexts("Recall Preset")[4 + 4], "");
}

TEST_F(Presets, SavingAPresetMarksItUsed) {
    StartWith({});
    m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3));
    EXPECT_EQ(TakeLines(), Exchange("MMEM:STOR:PRES \"PRESET 4\""));
    EXPECT_TRUE(m_sim->PresetUsed(4));
    ExpectItemsOfPreset(4, true);
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Presets, AnsweringNoSendsNothing) {
    StartWith({{2, "Two", true}});
    m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    m_boxes.Expect("Recall 'Two' ?", MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    m_boxes.Expect("Are you sure want to delete 'Two' ?", MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 1);
    Frame()->ExecuteCommand(ID_DELETE_PRESET_FIRST + 1);
    EXPECT_TRUE(TakeLines().empty());
    ExpectItemsOfPreset(4, false);
    ExpectItemsOfPreset(2, true);
}

TEST_F(Presets, RefusedSaveIsNotMarkedUsed) {
    StartWith({});
    m_sim->FailNextCommand("MMEM:STOR:PRES", -256, "File name not found");
    m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Save error!\n-256,\"File name not found\"", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3);
    ExpectItemsOfPreset(4, false);
    EXPECT_EQ(PaneText(), "Saving PRESET 4...");
}

TEST_F(Presets, SavePowerOnDefaultShowsReady) {
    StartWith({});
    m_boxes.Expect("Save 'Power On Default' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_SAVE_POWER_ON_DEFAULT);
    EXPECT_EQ(TakeLines(), Exchange("MMEM:STOR:PRES \"Power On Default\""));
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Presets, DeletingKeepsTheNameAndDisablesTheItems) {
    StartWith({{2, "Morning", true}});
    m_boxes.Expect("Are you sure want to delete 'Morning' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_DELETE_PRESET_FIRST + 1);
    EXPECT_EQ(TakeLines(), Exchange("MMEM:PRES:DEL 2;"));
    EXPECT_FALSE(m_sim->PresetUsed(2));
    ExpectItemsOfPreset(2, false);
    EXPECT_EQ(SubmenuTexts("Delete Preset")[1], "Morning");
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Presets, DeleteRefusedByTheInstrument) {
    StartWith({{2, "Morning", true}});
    m_sim->FailNextCommand("MMEM:PRES:DEL", -200, "Execution error");
    m_boxes.Expect("Are you sure want to delete 'Morning' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Delete error!\n-200,\"Execution error\"", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_DELETE_PRESET_FIRST + 1);
    ExpectItemsOfPreset(2, true);
}

TEST_F(Presets, RecallLoadsAndReadsTheNamesAgain) {
    StartWith({{6, "Six", true}});
    m_sim->SetPreset(9, "Nine", true);  // changed on the instrument meanwhile
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    std::vector<std::string> lines = TakeLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              Exchange("MMEM:LOAD:PRES \"Six\""));
    EXPECT_EQ(lines.back(), "MMEM:PRES:CAT:ALL?");
    EXPECT_EQ(SubmenuTexts("Recall Preset")[4 + 8], "Nine");
    ExpectItemsOfPreset(9, true);
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(Presets, RecallOfTheNamedPresets) {
    StartWith({}, true);
    m_boxes.Expect("Recall 'Factory Default' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_RECALL_FACTORY_DEFAULT);
    EXPECT_EQ(TakeLines().front(), "MMEM:LOAD:PRES \"Factory Default\"");
    m_boxes.Expect("Recall 'User Default' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    Frame()->ExecuteCommand(ID_RECALL_USER_DEFAULT);
    EXPECT_EQ(TakeLines().front(), "MMEM:LOAD:PRES \"User Default\"");
}

TEST_F(Presets, RecallErrorShowsTheInstrumentsReply) {
    StartWith({{6, "Six", true}});
    m_sim->FailNextCommand("MMEM:LOAD:PRES", -256, "File name not found");
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Recall error!\n-256,\"File name not found\"", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    EXPECT_EQ(TakeLines(), Exchange("MMEM:LOAD:PRES \"Six\""));
}

TEST_F(Presets, FailedNameReadAfterRecallKeepsTheOldNamesAndGoesOn) {
    StartWith({{6, "Six", true}});
    m_sim->SetPreset(9, "Nine", true);
    m_sim->SetReplyOverride("MMEM:PRES:CAT? 9", "broken");
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Could not read preset file names correctly!\n\nCan not continue.", MB_ICONSTOP,
                   IDOK);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    EXPECT_TRUE(MainWindowAlive());
    // Nothing of the partial read reached the table or the menus.
    EXPECT_EQ(g_presetTable[8].name, "PRESET 9");
    EXPECT_EQ(g_presetTable[8].used, 0);
    EXPECT_EQ(SubmenuTexts("Recall Preset")[4 + 8], "PRESET 9");
}

TEST_F(Presets, RenameSendsTheNewNameThenStoresUnderIt) {
    StartWith({{3, "Old", true}});
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(IDC_CURRENT_NAME), "Old");
        EXPECT_EQ(dialog.GetDlgItemText(IDC_NEW_NAME), "");
        CorvaneFixture::SaveScreenshot(dialog.GetWidget(), "corvane_rename_dialog");
        dialog.TypeText(IDC_NEW_NAME, "Evening");
        dialog.ClickButton(platform::IDOK);
    });
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    std::vector<std::string> expected = Exchange("MMEM:PRES:REN 3,\"Evening\"");
    for (const std::string& line : Exchange("MMEM:STOR:PRES \"Evening\"")) expected.push_back(line);
    EXPECT_EQ(TakeLines(), expected);
    EXPECT_EQ(m_sim->PresetName(3), "Evening");
    EXPECT_EQ(SubmenuTexts("Save Preset")[2 + 2], "Evening");
}

TEST_F(Presets, RenameRefusesQuotesAndKeepsTheDialogOpen) {
    StartWith({{3, "Old", true}});
    ExpectDialog(IDD_RENAME, [this](platform::CDialog& dialog) {
        m_boxes.Expect("Can not enter \" and ' character", MB_ICONEXCLAMATION, IDOK);
        dialog.TypeText(IDC_NEW_NAME, "x\";*RST");
        dialog.ClickButton(platform::IDOK);
        EXPECT_FALSE(dialog.HasEnded());
        dialog.ClickButton(platform::IDCANCEL);
    });
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_EQ(m_sim->PresetName(3), "Old");
}

TEST_F(Presets, RenameLimitsTheNameTo32Characters) {
    StartWith({{3, "Old", true}});
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        dialog.TypeText(IDC_NEW_NAME, std::string(40, 'a'));
        EXPECT_EQ(dialog.GetDlgItemText(IDC_NEW_NAME).size(), 32u);
        dialog.ClickButton(platform::IDCANCEL);
    });
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
}

TEST_F(Presets, RenameRefusedByTheInstrumentChangesNothing) {
    StartWith({{3, "Old", true}});
    m_sim->FailNextCommand("MMEM:PRES:REN", -200, "Execution error");
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        dialog.TypeText(IDC_NEW_NAME, "New");
        dialog.ClickButton(platform::IDOK);
    });
    m_boxes.Expect("Save error! (Rename)\n-200,\"Execution error\"", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    EXPECT_EQ(g_presetTable[2].name, "Old");
}

TEST_F(Presets, RenameWhoseStoreIsRefusedStillTakesTheNewName) {
    StartWith({{3, "Old", true}});
    m_sim->FailNextCommand("MMEM:STOR:PRES", -200, "Execution error");
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        dialog.TypeText(IDC_NEW_NAME, "New");
        dialog.ClickButton(platform::IDOK);
    });
    m_boxes.Expect("Save error!\n-200,\"Execution error\"", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    EXPECT_EQ(g_presetTable[2].name, "New");
    EXPECT_EQ(SubmenuTexts("Rename Preset")[2], "New");
}

TEST(PresetName, QuotesRefusedAndHighBytesLeftOut) {
    std::string name;
    EXPECT_FALSE(CleanPresetName("it's", name));
    EXPECT_FALSE(CleanPresetName("say \"hi\"", name));
    ASSERT_TRUE(CleanPresetName("Caf\xe9 Bar", name));
    EXPECT_EQ(name, "Caf Bar");
    ASSERT_TRUE(CleanPresetName("", name));
    EXPECT_EQ(name, "");
}

TEST_F(Presets, DroppedConnectionChangesNothingAndLaterCommandsFailEachWithABox) {
    StartWith({{2, "Two", true}});
    m_sim->CloseAfterBytes(0);  // instead of the "*OPC?" reply
    m_boxes.Expect("Are you sure want to delete 'Two' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_DELETE_PRESET_FIRST + 1);
    ExpectItemsOfPreset(2, true);  // the outcome is unknown: nothing is marked deleted
}

TEST_F(Presets, AfterTheLinkIsClosedEveryCommandFailsWithItsOwnBox) {
    StartWith({});
    Frame()->Disconnect();
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
        m_boxes.Expect("Descriptor is not socket.", MB_ICONSTOP, IDOK);
        Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3);
    }
    ExpectItemsOfPreset(4, false);
}

TEST_F(Presets, DroppedConnectionDuringRecallChangesNothing) {
    StartWith({{6, "Six", true}});
    m_sim->CloseAfterBytes(0);  // instead of the "*OPC?" reply
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    EXPECT_EQ(PaneText(), "Recalling Six...");
    ExpectItemsOfPreset(6, true);
}

TEST_F(Presets, DroppedConnectionDuringSaveDoesNotMarkThePresetUsed) {
    StartWith({});
    m_sim->CloseAfterBytes(0);
    m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3);
    ExpectItemsOfPreset(4, false);
}

TEST_F(Presets, DroppedConnectionDuringTheRenamesStoreKeepsTheOldName) {
    StartWith({{3, "Old", true}});
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        dialog.TypeText(IDC_NEW_NAME, "New");
        dialog.ClickButton(platform::IDOK);
    });
    // The rename's "*OPC?" and "SYST:ERR?" replies go out; the store's "*OPC?" finds the
    // connection closed.
    m_sim->CloseAfterBytes(std::string("1\n0,\"No error\"\n").size());
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    EXPECT_EQ(g_presetTable[2].name, "Old");
    EXPECT_EQ(SubmenuTexts("Rename Preset")[2], "Old");
}

TEST_F(Presets, EmptyOpcReplyIsAFailedExchange) {
    StartWith({{2, "Two", true}});
    m_boxes.Expect("Are you sure want to delete 'Two' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_sim->SetReplyOverride("*OPC?", "");
    Frame()->ExecuteCommand(ID_DELETE_PRESET_FIRST + 1);
    ExpectItemsOfPreset(2, true);
    EXPECT_EQ(TakeLines(), std::vector<std::string>({"MMEM:PRES:DEL 2;", "*OPC?"}));
}

TEST_F(Presets, FailedNameReadAfterRecallShowsTheInstrumentsError) {
    StartWith({{6, "Six", true}});
    m_sim->FailNextCommand("MMEM:PRES:CAT", -200, "Execution error");
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("-200,\"Execution error\"\n\nCan not continue.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    EXPECT_TRUE(MainWindowAlive());
}

TEST_F(Presets, FailedNameReadAfterRecallEndsQuietlyWhenTheErrorQueryFails) {
    StartWith({{6, "Six", true}});
    m_sim->SetReplyOverride("MMEM:PRES:CAT? 2", "broken");
    // The recall's exchange and the first two name reads are answered; the connection
    // closes instead of the error query that follows the failed read.
    m_sim->CloseAfterBytes(std::string("1\n0,\"No error\"\n\"PRESET 1\"\nbroken\n").size());
    m_boxes.Expect("Recall 'Six' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 5);
    EXPECT_TRUE(MainWindowAlive());
}

TEST_F(Presets, RenameDropsCharactersThatCannotTravel) {
    StartWith({{3, "Old", true}});
    ExpectDialog(IDD_RENAME, [](platform::CDialog& dialog) {
        auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NEW_NAME));
        ASSERT_NE(edit, nullptr);
        edit->setText(
            QString::fromUtf8("Price \u20ac5\nNext"));  // a euro sign and a pasted line break
        dialog.ClickButton(platform::IDOK);
    });
    Frame()->ExecuteCommand(ID_RENAME_PRESET_FIRST + 2);
    EXPECT_EQ(TakeLines().front(), "MMEM:PRES:REN 3,\"Price 5Next\"");
    EXPECT_EQ(g_presetTable[2].name, "Price 5Next");
}

TEST_F(Presets, EmptyErrorReplyIsAFailedExchange) {
    StartWith({});
    m_boxes.Expect("Save 'PRESET 4' ?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    // "*OPC?" answers, then the "SYST:ERR?" reply line comes back empty.
    m_sim->SetReplyOverride("SYST:ERR?", "");
    Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3);
    ExpectItemsOfPreset(4, false);
}

}  // namespace
}  // namespace corvane::testing
