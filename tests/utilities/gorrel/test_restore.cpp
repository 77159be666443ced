// Restores to a simulated instrument: what reaches its drive, the catalogue guard, and that a
// restore which stops part way, or that the instrument refuses, is never counted as done.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/MessageBox.h"
#include "tests/support/DialogScript.h"
#include "tests/utilities/gorrel/RestoreFixture.h"
#include "utilities/gorrel/ModuleMismatchDlg.h"
#include "utilities/gorrel/RestoreInfo.h"
#include "utilities/gorrel/RestoreRunner.h"
#include "utilities/stowen/BackupRunner.h"

namespace gorrel::testing {
namespace {

namespace fs = std::filesystem;
using platform::IDOK;
using platform::MB_ICONSTOP;
using platform::MB_OK;

class Restore : public RestoreFixture {
protected:
    int RunRestore(const std::string& folder) {
        CRestoreRunner runner(m_link, nullptr,
                              [this](const std::string& backup, const std::string& installed) {
                                  m_mismatches.push_back({backup, installed});
                              });
        return runner.Run(folder);
    }
    std::vector<std::string> DataLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : SentLines()) {
            if (line.rfind("mmem:data ", 0) == 0)
                lines.push_back(line.substr(0, line.find(',')));
        }
        return lines;
    }
    void ExpectOnDrive(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) EXPECT_EQ(DriveFile(path), m_seeded.at(path)) << path;
    }

    std::vector<std::pair<std::string, std::string>> m_mismatches;
};

TEST_F(Restore, SendsEveryPresetOfTheInstalledModelsToAMatchingInstrument) {
    StartInstrument({{"Brumo", 1}, {"Sormet", 3}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(300, 1));
    SeedFile("CPU/PRESET/MSTATE.P14", PresetBytes(32768, 2));
    SeedFile("Brumo/PRESET/MSTATE1.P02", PresetBytes(70000, 3));
    SeedFile("Sormet/PRESET/MSTATE3.P09", PresetBytes(1, 4));
    // Every slot of an installed model goes back, as the backup holds them.
    SeedFile("Sormet/PRESET/MSTATE1.P00", PresetBytes(20, 5));
    // Not presets, or not this instrument's.
    SeedFile("CPU/PRESET/MSTATE.P15", "x");
    SeedFile("CPU/PRESET/mstate.p01", "x");
    SeedFile("Tavix/PRESET/MSTATE1.P00", "x");
    fs::create_directories(Pc("CPU/PRESET/MSTATE.P03"));
    ConnectLink();
    m_boxes.Expect("5 files are restored.", MB_OK, IDOK);

    ASSERT_EQ(RunRestore(PcFolder()), 1);

    ExpectOnDrive({"CPU/PRESET/MSTATE.P00", "CPU/PRESET/MSTATE.P14", "Brumo/PRESET/MSTATE1.P02",
                   "Sormet/PRESET/MSTATE3.P09", "Sormet/PRESET/MSTATE1.P00"});
    EXPECT_EQ(DataLines(), (std::vector<std::string>{
                               "mmem:data \"/F0:/CPU/PRESET/MSTATE.P00\"",
                               "mmem:data \"/F0:/CPU/PRESET/MSTATE.P14\"",
                               "mmem:data \"/F0:/Brumo/PRESET/MSTATE1.P02\"",
                               "mmem:data \"/F0:/Sormet/PRESET/MSTATE1.P00\"",
                               "mmem:data \"/F0:/Sormet/PRESET/MSTATE3.P09\"",
                           }));
    EXPECT_FALSE(fs::exists(DrivePath("Tavix")));
    EXPECT_TRUE(m_mismatches.empty());
}

TEST_F(Restore, OnlyTheControllersPreset03) {
    StartInstrument({});
    SeedFile("backup.cfg", "\"CPU:0\"");
    SeedFile("CPU/PRESET/MSTATE.P03", PresetBytes(64, 6));
    ConnectLink();
    m_boxes.Expect("1 files are restored.", MB_OK, IDOK);
    ASSERT_EQ(RunRestore(PcFolder()), 1);
    ExpectOnDrive({"CPU/PRESET/MSTATE.P03"});
}

TEST_F(Restore, AModelThatIsNotInstalledIsNotUsed) {
    StartInstrument({{"Ulmeth", 2}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Ulmeth:2\"");
    SeedFile("Sormet/PRESET/MSTATE2.P00", "x");
    SeedFile("Ulmeth/PRESET/MSTATE2.P00", PresetBytes(50, 7));
    ConnectLink();
    m_boxes.Expect("1 files are restored.", MB_OK, IDOK);
    ASSERT_EQ(RunRestore(PcFolder()), 1);
    EXPECT_EQ(DataLines(),
              (std::vector<std::string>{"mmem:data \"/F0:/Ulmeth/PRESET/MSTATE2.P00\""}));
    ExpectOnDrive({"Ulmeth/PRESET/MSTATE2.P00"});
}

TEST_F(Restore, ErrorsLeftInTheQueueBeforehandDoNotFailIt) {
    StartInstrument({});
    SeedFile("backup.cfg", "\"CPU:0\"");
    SeedFile("CPU/PRESET/MSTATE.P01", PresetBytes(10, 8));
    m_sim->PushError(-100, "Command error");
    ConnectLink();
    m_boxes.Expect("1 files are restored.", MB_OK, IDOK);
    EXPECT_EQ(RunRestore(PcFolder()), 1);
}

TEST_F(Restore, ADifferentInstrumentGetsNothing) {
    StartInstrument({{"Brumo", 1}, {"Tavix", 2}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
    SeedFile("CPU/PRESET/MSTATE.P00", "x");
    ConnectLink();
    EXPECT_EQ(RunRestore(PcFolder()), 0);
    ASSERT_EQ(m_mismatches.size(), 1u);
    EXPECT_EQ(m_mismatches[0].first, "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
    EXPECT_EQ(m_mismatches[0].second, "\"CPU:0\",\"Brumo:1\",\"Tavix:2\"");
    EXPECT_TRUE(DataLines().empty());

    // A backup.cfg over the limit never matches, even when it starts with the reply.
    m_mismatches.clear();
    SeedFile("backup.cfg",
             "\"CPU:0\",\"Brumo:1\",\"Tavix:2\"" + std::string(CRestoreInfo::kMaxBytes, ' '));
    EXPECT_EQ(RunRestore(PcFolder()), 0);
    EXPECT_EQ(m_mismatches.size(), 1u);
    EXPECT_TRUE(DataLines().empty());
}

TEST_F(Restore, TheMismatchDialogListsBothSidesSlotBySlot) {
    StartInstrument({{"Brumo", 1}, {"Tavix", 2}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
    ConnectLink();
    std::vector<std::string> shown;
    testsupport::DialogScript dialogs;
    dialogs.Expect(131, [&](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.Template().caption, "Gorrel");
        for (int id = 1005; id <= 1012; ++id) shown.push_back(dialog.GetDlgItemText(id));
        dialog.ClickButton(platform::IDOK);
    });
    CRestoreRunner runner(m_link, nullptr, [](const std::string& backup, const std::string& now) {
        CModuleMismatchDlg(backup, now).DoModal();
    });
    EXPECT_EQ(runner.Run(PcFolder()), 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"Brumo", "---", "Sormet", "---", "Brumo", "Tavix",
                                               "---", "---"}));
}

TEST_F(Restore, AFolderWithoutRestoreInformationSendsNothing) {
    StartInstrument({});
    SeedFile("CPU/PRESET/MSTATE.P00", "x");
    ConnectLink();
    m_boxes.Expect("Can not find restore information file.\n\nCan not restore.",
                   MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunRestore(PcFolder()), 0);
    EXPECT_TRUE(m_boxes.Records().back().beepBefore);

    SeedFile("backup.cfg", "");
    m_boxes.Expect("Can not read restore information file.\n\nCan not restore.",
                   MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunRestore(PcFolder()), 0);

    m_boxes.Expect("Can not find selected directory.", MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunRestore(Pc("nowhere")), 0);
    EXPECT_TRUE(DataLines().empty());
}

TEST_F(Restore, ARelativeFolderIsTakenFromTheCurrentDirectory) {
    StartInstrument({});
    SeedFile("backup.cfg", "\"CPU:0\"");
    SeedFile("CPU/PRESET/MSTATE.P02", PresetBytes(33, 9));
    ConnectLink();
    std::string previous = fs::current_path().string();
    fs::current_path(m_pc.path().toStdString());
    m_boxes.Expect("1 files are restored.", MB_OK, IDOK);
    EXPECT_EQ(RunRestore("backup"), 1);
    EXPECT_EQ(fs::current_path().string(), m_pc.path().toStdString());
    fs::current_path(previous);
    ExpectOnDrive({"CPU/PRESET/MSTATE.P02"});
}

TEST_F(Restore, ARestoreThatStopsPartWayNamesTheFile) {
    StartInstrument({{"Brumo", 1}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Brumo:1\"");
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(100, 10));
    SeedFile("CPU/PRESET/MSTATE.P01", PresetBytes(100, 11));
    // Too large for the socket buffers, so its send sees the connection go.
    SeedFile("Brumo/PRESET/MSTATE1.P00", PresetBytes(8 * 1024 * 1024, 12));
    ConnectLink();
    // "inst:cat?" and "syst:err?", the two small files, and a little of the large one.
    size_t header = std::string("mmem:data \"/F0:/CPU/PRESET/MSTATE.P00\",#3100").size();
    m_sim->CloseAfterReceivedBytes(11 + 11 + 2 * (header + 100 + 2) + 5000);
    m_boxes.ExpectAny(IDOK);  // the link's socket text
    m_boxes.Expect("Restore stopped after 2 files.\n\nThe file \"" +
                       Pc("Brumo/PRESET/MSTATE1.P00") +
                       "\" was not restored to \"/F0:/Brumo/PRESET/MSTATE1.P00\".",
                   MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunRestore(PcFolder()), 0);
    ExpectOnDrive({"CPU/PRESET/MSTATE.P00", "CPU/PRESET/MSTATE.P01"});
    EXPECT_EQ(DriveFile("Brumo/PRESET/MSTATE1.P00"), "<missing>");
}

TEST_F(Restore, FilesTheInstrumentRefusedAreReported) {
    StartInstrument({{"Brumo", 1}});
    SeedFile("backup.cfg", "\"CPU:0\",\"Brumo:1\"");
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(100, 13));
    SeedFile("Brumo/PRESET/MSTATE1.P04", PresetBytes(100, 14));
    fs::remove_all(DrivePath("Brumo/PRESET"));
    ConnectLink();
    m_boxes.Expect(
        "2 files were sent, but the instrument reported:\n-256,\"File name not found\""
        "\n\nThe presets may not all be restored.",
        MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunRestore(PcFolder()), 0);
    ExpectOnDrive({"CPU/PRESET/MSTATE.P00"});
}

// The backup of an instrument with a module that has no saved presets (its PRESET folder
// listed empty, with or without a comma after the counts) restores to that instrument whole.
struct EmptyListingForm {
    const char* name;
    bool comma;
};

void PrintTo(const EmptyListingForm& form, std::ostream* out) {
    *out << form.name;
}

class RestoreOfABackupWithAnEmptyFolder : public Restore,
                                          public ::testing::WithParamInterface<EmptyListingForm> {};

TEST_P(RestoreOfABackupWithAnEmptyFolder, SendsBackEveryPresetItHolds) {
    StartInstrument({{"Brumo", 1}, {"Sormet", 3}}, GetParam().comma);
    SeedDriveFile("CPU/PRESET/MSTATE.P00", PresetBytes(200, 15));
    SeedDriveFile("Sormet/PRESET/MSTATE3.P07", PresetBytes(900, 16));
    ConnectLink();
    m_boxes.Expect("2 files are backed up.", MB_OK, IDOK);
    ASSERT_EQ(stowen::CBackupRunner(m_link, nullptr).Run(PcFolder()), 1);
    for (const char* file : {"CPU/PRESET/MSTATE.P00", "Sormet/PRESET/MSTATE3.P07"})
        fs::remove(DrivePath(file));
    m_sim->ClearLog();

    m_boxes.Expect("2 files are restored.", MB_OK, IDOK);
    ASSERT_EQ(RunRestore(PcFolder()), 1);

    EXPECT_TRUE(m_mismatches.empty());
    EXPECT_EQ(DataLines(), (std::vector<std::string>{
                               "mmem:data \"/F0:/CPU/PRESET/MSTATE.P00\"",
                               "mmem:data \"/F0:/Sormet/PRESET/MSTATE3.P07\"",
                           }));
    ExpectOnDrive({"CPU/PRESET/MSTATE.P00", "Sormet/PRESET/MSTATE3.P07"});
    EXPECT_TRUE(fs::is_empty(DrivePath("Brumo/PRESET")));
}

INSTANTIATE_TEST_SUITE_P(ListingForms, RestoreOfABackupWithAnEmptyFolder,
                         ::testing::Values(EmptyListingForm{"CountsAlone", false},
                                           EmptyListingForm{"CountsAndAComma", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gorrel::testing
