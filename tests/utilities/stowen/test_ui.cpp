// Stowen as the operator runs it: the whole program with its main dialog, the address typed,
// the folder picked, Backup pressed.
#include <gtest/gtest.h>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "tests/support/DialogScript.h"
#include "tests/utilities/stowen/BackupFixture.h"
#include "tests/utilities/support/FolderPickerScript.h"
#include "utilities/common/UtilityTraits.h"
#include "utilities/stowen/StowenApp.h"

namespace stowen::testing {
namespace {

using platform::IDOK;
using platform::MB_OK;

constexpr int kGroup[] = {1000, 1003, 1002, 1001, platform::IDCANCEL};

class StowenProgram : public BackupFixture {
protected:
    void SetUp() override {
        StartInstrument({{"Sormet", 2}});
        SeedFile("CPU/PRESET/MSTATE.P07", PresetBytes(500, 1));
        SeedFile("Sormet/PRESET/MSTATE2.P11", PresetBytes(900, 2));
    }

    utilities::testing::FolderPickerScript m_picker{PcFolder()};
};

TEST_F(StowenProgram, BacksUpToThePickedFolderAndKeepsTheSettings) {
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.Template().caption, "Stowen");
        std::uint32_t address = 0;
        dialog.GetIpAddress(1000, address);
        EXPECT_EQ(address, 0xC0A80064u);  // the factory address, 192.168.0.100
        EXPECT_EQ(dialog.GetDlgItemText(1002), utilities::UtilityTraits::DefaultFolder());
        EXPECT_FALSE(dialog.TypeText(1002, "/elsewhere"));  // read-only

        ASSERT_TRUE(dialog.TypeIpAddress(1000, m_address));
        m_boxes.Expect(PcFolder(), MB_OK, IDOK);
        ASSERT_TRUE(dialog.ClickButton(1003));
        EXPECT_EQ(m_boxes.Records().back().caption, "Selected folder");
        EXPECT_EQ(dialog.GetDlgItemText(1002), PcFolder());
        utilities::testing::SaveScreenshot(dialog, "stowen_main");

        m_boxes.Expect("2 files are backed up.", MB_OK, IDOK);
        ASSERT_TRUE(dialog.ClickButton(1001));
        EXPECT_EQ(m_boxes.Records().back().caption, "Stowen");
        for (int id : kGroup) EXPECT_TRUE(dialog.IsDlgItemEnabled(id)) << id;
        dialog.ClickButton(platform::IDCANCEL);
    });
    CStowenApp app;
    EXPECT_EQ(app.Run(), utilities::CUtilityApp::kExitNormal);

    ASSERT_EQ(m_picker.Records().size(), 1u);
    EXPECT_EQ(m_picker.Records()[0].kind, platform::FileDialogKind::Folder);
    EXPECT_EQ(m_picker.Records()[0].title, "Select backup folder");
    EXPECT_EQ(ReadWholeFile(PcFolder() + "/Sormet/PRESET/MSTATE2.P11"),
              m_seeded.at("Sormet/PRESET/MSTATE2.P11"));
    EXPECT_EQ(ReadWholeFile(PcFolder() + "/backup.cfg"), "\"CPU:0\",\"Sormet:2\"");
    platform::Profile profile("Harnoq", "Stowen");
    EXPECT_EQ(profile.GetString("Settings", "IPAddress", ""), m_address);
    EXPECT_EQ(profile.GetString("Settings", "SourcePath", ""), PcFolder());
}

TEST_F(StowenProgram, TheControlsStayDisabledWhileTheBackupRuns) {
    std::vector<bool> enabledDuringBackup;
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        dialog.TypeIpAddress(1000, m_address);
        m_boxes.Expect(PcFolder(), MB_OK, IDOK);
        dialog.ClickButton(1003);
        // The count box comes while the backup still holds the dialog.
        auto previous =
            platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
                EXPECT_EQ(record.text, "2 files are backed up.");
                for (int id : kGroup) enabledDuringBackup.push_back(dialog.IsDlgItemEnabled(id));
                return IDOK;
            });
        dialog.ClickButton(1001);
        platform::SetMessageBoxAnswerer(previous);
        for (int id : kGroup) EXPECT_TRUE(dialog.IsDlgItemEnabled(id)) << id;
        dialog.ClickButton(platform::IDCANCEL);
    });
    CStowenApp app;
    app.Run();
    EXPECT_EQ(enabledDuringBackup, std::vector<bool>(5, false));
}

TEST_F(StowenProgram, AnEmptyAddressIsRefusedBeforeAnythingConnects) {
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        dialog.TypeIpAddress(1000, "0.0.0.0");
        m_boxes.Expect("Please enter IP address of source Quarn.", MB_OK, IDOK);
        dialog.ClickButton(1001);
        dialog.ClickButton(platform::IDCANCEL);
    });
    CStowenApp app;
    app.Run();
    EXPECT_EQ(m_sim->ConnectionCount(), 0);
}

}  // namespace
}  // namespace stowen::testing
