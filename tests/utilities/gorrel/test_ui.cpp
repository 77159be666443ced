// Gorrel as the operator runs it: the whole program with its main dialog, the address typed,
// the folder picked, Restore pressed; and the mismatch dialog when the instrument differs.
#include <gtest/gtest.h>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "tests/support/DialogScript.h"
#include "tests/utilities/gorrel/RestoreFixture.h"
#include "tests/utilities/support/FolderPickerScript.h"
#include "utilities/gorrel/GorrelApp.h"

namespace gorrel::testing {
namespace {

using platform::IDOK;
using platform::MB_OK;

constexpr int kGroup[] = {1000, 1003, 1002, 1004, platform::IDCANCEL};

class GorrelProgram : public RestoreFixture {
protected:
    void SetUp() override {
        StartInstrument({{"Tavix", 1}, {"Oltra", 4}});
        SeedFile("CPU/PRESET/MSTATE.P10", PresetBytes(400, 1));
        SeedFile("Oltra/PRESET/MSTATE4.P00", PresetBytes(4000, 2));
    }
    // Types the address, picks the folder and presses Restore; `during` runs on the count
    // or error box that ends the restore.
    void PickAndRestore(platform::CDialog& dialog) {
        ASSERT_TRUE(dialog.TypeIpAddress(1000, m_address));
        m_boxes.Expect(PcFolder(), MB_OK, IDOK);
        ASSERT_TRUE(dialog.ClickButton(1003));
        EXPECT_EQ(m_boxes.Records().back().caption, "Selected folder");
        EXPECT_EQ(dialog.GetDlgItemText(1002), PcFolder());
        ASSERT_TRUE(dialog.ClickButton(1004));
    }

    utilities::testing::FolderPickerScript m_picker{PcFolder()};
};

TEST_F(GorrelProgram, RestoresThePickedFolderAndKeepsTheSettings) {
    SeedFile("backup.cfg", "\"CPU:0\",\"Tavix:1\",\"Oltra:4\"");
    std::vector<bool> enabledDuringRestore;
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.Template().caption, "Gorrel");
        utilities::testing::SaveScreenshot(dialog, "gorrel_main");
        auto previous =
            platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
                if (record.caption == "Selected folder")
                    return IDOK;
                EXPECT_EQ(record.text, "2 files are restored.");
                EXPECT_EQ(record.caption, "Gorrel");
                EXPECT_EQ(record.type, MB_OK);
                for (int id : kGroup) enabledDuringRestore.push_back(dialog.IsDlgItemEnabled(id));
                return IDOK;
            });
        dialog.TypeIpAddress(1000, m_address);
        dialog.ClickButton(1003);
        dialog.ClickButton(1004);
        platform::SetMessageBoxAnswerer(previous);
        for (int id : kGroup) EXPECT_TRUE(dialog.IsDlgItemEnabled(id)) << id;
        dialog.ClickButton(platform::IDCANCEL);
    });
    CGorrelApp app;
    EXPECT_EQ(app.Run(), utilities::CUtilityApp::kExitNormal);

    EXPECT_EQ(enabledDuringRestore, std::vector<bool>(5, false));
    ASSERT_EQ(m_picker.Records().size(), 1u);
    EXPECT_EQ(m_picker.Records()[0].title, "Select restore folder");
    EXPECT_EQ(DriveFile("Oltra/PRESET/MSTATE4.P00"), m_seeded.at("Oltra/PRESET/MSTATE4.P00"));
    EXPECT_EQ(DriveFile("CPU/PRESET/MSTATE.P10"), m_seeded.at("CPU/PRESET/MSTATE.P10"));
    platform::Profile profile("Harnoq", "Gorrel");
    EXPECT_EQ(profile.GetString("Settings", "IPAddress", ""), m_address);
    EXPECT_EQ(profile.GetString("Settings", "SourcePath", ""), PcFolder());
}

TEST_F(GorrelProgram, ADifferentInstrumentShowsTheMismatchDialog) {
    SeedFile("backup.cfg", "\"CPU:0\",\"Tavix:1\",\"Sormet:2\",\"Oltra:3\"");
    std::vector<std::string> backupSlots, installedSlots;
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        PickAndRestore(dialog);
        dialog.ClickButton(platform::IDCANCEL);
    });
    dialogs.Expect(131, [&](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.Template().caption, "Gorrel");
        for (int slot = 0; slot < 4; ++slot) {
            backupSlots.push_back(dialog.GetDlgItemText(1005 + slot));
            installedSlots.push_back(dialog.GetDlgItemText(1009 + slot));
        }
        utilities::testing::SaveScreenshot(dialog, "gorrel_mismatch");
        dialog.ClickButton(platform::IDOK);
    });
    CGorrelApp app;
    app.Run();
    EXPECT_EQ(backupSlots, (std::vector<std::string>{"Tavix", "Sormet", "Oltra", "---"}));
    EXPECT_EQ(installedSlots, (std::vector<std::string>{"Tavix", "---", "---", "Oltra"}));
    EXPECT_EQ(DriveFile("CPU/PRESET/MSTATE.P10"), "<missing>");
}

TEST_F(GorrelProgram, AnEmptyAddressIsRefusedBeforeAnythingConnects) {
    testsupport::DialogScript dialogs;
    dialogs.Expect(102, [&](platform::CDialog& dialog) {
        dialog.TypeIpAddress(1000, "0.0.0.0");
        m_boxes.Expect("Please enter IP address of source Quarn.", MB_OK, IDOK);
        dialog.ClickButton(1004);
        dialog.ClickButton(platform::IDCANCEL);
    });
    CGorrelApp app;
    app.Run();
    EXPECT_EQ(m_sim->ConnectionCount(), 0);
}

}  // namespace
}  // namespace gorrel::testing
