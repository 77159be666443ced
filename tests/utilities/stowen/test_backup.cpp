// Backups of a simulated instrument: what lands in the folder, and that a backup which stops
// part way never leaves a backup.cfg behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/MessageBox.h"
#include "tests/utilities/stowen/BackupFixture.h"
#include "utilities/stowen/BackupRunner.h"

namespace stowen::testing {
namespace {

namespace fs = std::filesystem;
using platform::IDOK;
using platform::MB_ICONSTOP;
using platform::MB_OK;

class Backup : public BackupFixture {
protected:
    int RunBackup(const std::string& folder) { return CBackupRunner(m_link, nullptr).Run(folder); }
    // Every seeded file under one of these drive folders arrived byte for byte.
    void ExpectSeededCopied(const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            EXPECT_EQ(ReadWholeFile(Pc(path)), m_seeded.at(path)) << path;
    }
    bool AnyLineMentions(const std::string& text) const {
        auto lines = SentLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    }
};

TEST_F(Backup, CopiesEveryListedPresetOfTheControllerAndTheInstalledModules) {
    StartInstrument({{"Brumo", 1}, {"Sormet", 3}, {"Tavix", 4}});
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(300, 1));
    SeedFile("CPU/PRESET/MSTATE.P14", PresetBytes(1, 2));
    SeedFile("Brumo/PRESET/MSTATE1.P00", PresetBytes(500, 3));
    SeedFile("Brumo/PRESET/MSTATE1.P13", "");
    SeedFile("Sormet/PRESET/MSTATE3.P02", PresetBytes(70000, 4));
    SeedFile("Tavix/PRESET/MSTATE4.P07", PresetBytes(32768, 5));
    // Each model's folder is searched for every slot, wherever the model sits now.
    SeedFile("Tavix/PRESET/MSTATE2.P03", PresetBytes(40, 6));
    // Names that only look like presets, or lie outside the slots and numbers.
    SeedFile("CPU/PRESET/XMSTATE.P01", "x");
    SeedFile("CPU/PRESET/MSTATE.P01.BAK", "x");
    SeedFile("CPU/PRESET/MSTATE.P15", "x");
    SeedFile("Brumo/PRESET/MSTATE5.P00", "x");
    SeedFile("Brumo/PRESET/MSTATE1.P1", "x");
    ConnectLink();
    m_boxes.Expect("7 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);

    std::vector<std::string> expected = {"Brumo/PRESET/MSTATE1.P00",  "Brumo/PRESET/MSTATE1.P13",
                                         "CPU/PRESET/MSTATE.P00",     "CPU/PRESET/MSTATE.P14",
                                         "Sormet/PRESET/MSTATE3.P02", "Tavix/PRESET/MSTATE2.P03",
                                         "Tavix/PRESET/MSTATE4.P07",  "backup.cfg"};
    EXPECT_EQ(FilesUnder(PcFolder()), expected);
    expected.pop_back();
    ExpectSeededCopied(expected);
    EXPECT_EQ(ReadWholeFile(Pc("backup.cfg")), "\"CPU:0\",\"Brumo:1\",\"Sormet:3\",\"Tavix:4\"");
    EXPECT_EQ(SentLines().front(), "inst:cat?");
    EXPECT_FALSE(AnyLineMentions("XMSTATE"));
    EXPECT_FALSE(AnyLineMentions(".BAK"));
    EXPECT_TRUE(AnyLineMentions("mmem:cdir \"/F0:/Sormet/PRESET/\""));
}

TEST_F(Backup, AControllerWithTwoPresetsGivesTwoFilesAndItsAddressOnly) {
    StartInstrument({});
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(120, 7));
    SeedFile("CPU/PRESET/MSTATE.P05", PresetBytes(33000, 8));
    ConnectLink();
    m_boxes.Expect("2 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);

    EXPECT_EQ(
        FilesUnder(PcFolder()),
        (std::vector<std::string>{"CPU/PRESET/MSTATE.P00", "CPU/PRESET/MSTATE.P05", "backup.cfg"}));
    ExpectSeededCopied({"CPU/PRESET/MSTATE.P00", "CPU/PRESET/MSTATE.P05"});
    // The reply byte for byte: no line end.
    EXPECT_EQ(ReadWholeFile(Pc("backup.cfg")), "\"CPU:0\"");
}

TEST_F(Backup, ModelsThatAreNotInstalledAreNeitherReadNorMade) {
    StartInstrument({{"Ulmeth", 2}});
    // A Sormet folder left on the drive from a module that has been taken out.
    SeedFile("Sormet/PRESET/MSTATE1.P00", PresetBytes(10, 9));
    SeedFile("Ulmeth/PRESET/MSTATE2.P04", PresetBytes(64, 10));
    ConnectLink();
    m_boxes.Expect("1 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);

    EXPECT_EQ(FilesUnder(PcFolder()),
              (std::vector<std::string>{"Ulmeth/PRESET/MSTATE2.P04", "backup.cfg"}));
    EXPECT_FALSE(AnyLineMentions("Sormet"));
    EXPECT_FALSE(fs::exists(Pc("Sormet")));
    // The controller had nothing listed, so no folder was made for it either.
    EXPECT_FALSE(fs::exists(Pc("CPU")));
}

TEST_F(Backup, ErrorsLeftInTheQueueBeforehandDoNotFailIt) {
    StartInstrument({{"Brumo", 2}});
    SeedFile("Brumo/PRESET/MSTATE2.P01", PresetBytes(77, 11));
    m_sim->PushError(-100, "Command error");
    m_sim->PushError(-222, "Data out of range");
    ConnectLink();
    m_boxes.Expect("1 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);
    ExpectSeededCopied({"Brumo/PRESET/MSTATE2.P01"});
}

TEST_F(Backup, ABackupOverAnOldOneReplacesItsFiles) {
    StartInstrument({});
    SeedFile("CPU/PRESET/MSTATE.P03", PresetBytes(90, 12));
    WriteWholeFile(Pc("CPU/PRESET/MSTATE.P03"), "old preset");
    WriteWholeFile(Pc("backup.cfg"), "\"CPU:0\",\"Brumo:1\"");
    ConnectLink();
    m_boxes.Expect("1 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);
    ExpectSeededCopied({"CPU/PRESET/MSTATE.P03"});
    EXPECT_EQ(ReadWholeFile(Pc("backup.cfg")), "\"CPU:0\"");
}

// A module without saved presets has an empty PRESET folder, which the instrument lists as its
// two counts with or without a comma after them: nothing to fetch, and the backup goes on.
struct EmptyListingForm {
    const char* name;
    bool comma;
};

void PrintTo(const EmptyListingForm& form, std::ostream* out) {
    *out << form.name;
}

class BackupWithAnEmptyFolder : public Backup,
                                public ::testing::WithParamInterface<EmptyListingForm> {};

TEST_P(BackupWithAnEmptyFolder, FetchesTheOtherPresetsAndWritesTheRestoreInfo) {
    StartInstrument({{"Brumo", 1}, {"Sormet", 3}}, GetParam().comma);
    SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(200, 16));
    SeedFile("Sormet/PRESET/MSTATE3.P07", PresetBytes(900, 17));
    ConnectLink();
    m_boxes.Expect("2 files are backed up.", MB_OK, IDOK);

    ASSERT_EQ(RunBackup(PcFolder()), 1);

    EXPECT_EQ(FilesUnder(PcFolder()),
              (std::vector<std::string>{"CPU/PRESET/MSTATE.P00", "Sormet/PRESET/MSTATE3.P07",
                                        "backup.cfg"}));
    ExpectSeededCopied({"CPU/PRESET/MSTATE.P00", "Sormet/PRESET/MSTATE3.P07"});
    EXPECT_EQ(ReadWholeFile(Pc("backup.cfg")), "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
    EXPECT_TRUE(AnyLineMentions("mmem:cdir \"/F0:/Brumo/PRESET/\""));
    EXPECT_FALSE(fs::exists(Pc("Brumo")));
}

INSTANTIATE_TEST_SUITE_P(ListingForms, BackupWithAnEmptyFolder,
                         ::testing::Values(EmptyListingForm{"CountsAlone", false},
                                           EmptyListingForm{"CountsAndAComma", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Failures. Each starts with a backup.cfg from an earlier run in the folder: once a new backup
// has begun it must be gone, whatever happens.
class BackupFailure : public Backup {
protected:
    void SetUp() override {
        StartInstrument({{"Brumo", 1}, {"Sormet", 3}});
        SeedFile("CPU/PRESET/MSTATE.P00", PresetBytes(200, 13));
        SeedFile("CPU/PRESET/MSTATE.P05", PresetBytes(210, 14));
        SeedFile("Sormet/PRESET/MSTATE3.P01", PresetBytes(220, 15));
        WriteWholeFile(Pc("backup.cfg"), "\"CPU:0\",\"Brumo:1\",\"Sormet:3\"");
        ConnectLink();
    }
    void ExpectNoRestoreInfo() {
        EXPECT_FALSE(fs::exists(Pc("backup.cfg")));
        for (const std::string& file : FilesUnder(PcFolder()))
            EXPECT_EQ(file.find(".part"), std::string::npos) << file;
    }
    static std::string Failed(int files, const std::string& detail) {
        return "Backup failed after " + std::to_string(files) + " files.\n\n" + detail;
    }
};

TEST_F(BackupFailure, AMissingPresetFolderOnTheInstrument) {
    fs::remove_all(DrivePath("Brumo/PRESET"));
    m_boxes.Expect(Failed(2,
                          "The instrument can not open \"/F0:/Brumo/PRESET/\" : "
                          "-256,\"File name not found\""),
                   MB_OK | MB_ICONSTOP, IDOK);

    EXPECT_EQ(RunBackup(PcFolder()), 0);
    ExpectNoRestoreInfo();
    // Nothing was taken from the folder the instrument stayed in.
    EXPECT_FALSE(fs::exists(Pc("Brumo")));
    EXPECT_FALSE(fs::exists(Pc("Sormet")));
    EXPECT_TRUE(m_boxes.Records().back().beepBefore);
}

TEST_F(BackupFailure, ASizeThatDoesNotRead) {
    for (const char* size : {"12x", "-5", ""}) {
        SCOPED_TRACE(size);
        WriteWholeFile(Pc("backup.cfg"), "old");
        m_sim->SetReplyOverride("mmem:cat?", std::string("0,100,\"MSTATE.P00\",BIN,") + size);
        m_boxes.Expect(Failed(0,
                              "The size of \"/F0:/CPU/PRESET/MSTATE.P00\" in the catalogue "
                              "does not read : \"" +
                                  std::string(size) + "\""),
                       MB_OK | MB_ICONSTOP, IDOK);
        EXPECT_EQ(RunBackup(PcFolder()), 0);
        ExpectNoRestoreInfo();
    }
}

TEST_F(BackupFailure, ACatalogueThatDoesNotRead) {
    // None of these is an empty folder: an entry cut short, or counts that are not two numbers.
    for (const char* reply :
         {"0,100,\"MSTATE.P00\",BIN", "0,100,,", "0,100,x", "0,", ",100,", "0,,", "x,100,"}) {
        SCOPED_TRACE(reply);
        WriteWholeFile(Pc("backup.cfg"), "old");
        m_sim->SetReplyOverride("mmem:cat?", reply);
        m_boxes.Expect(Failed(0, "The catalogue of \"/F0:/CPU/PRESET/\" does not read."),
                       MB_OK | MB_ICONSTOP, IDOK);
        EXPECT_EQ(RunBackup(PcFolder()), 0);
        ExpectNoRestoreInfo();
    }

    WriteWholeFile(Pc("backup.cfg"), "old");
    m_sim->SetReplyOverride("mmem:cat?", "");
    m_boxes.Expect(Failed(0, "Can not read the catalogue of \"/F0:/CPU/PRESET/\"."),
                   MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunBackup(PcFolder()), 0);
    ExpectNoRestoreInfo();
}

TEST_F(BackupFailure, ABlockHeaderThatDiffersFromTheListedSize) {
    for (long long skew : {4LL, -4LL}) {
        SCOPED_TRACE(skew);
        WriteWholeFile(Pc("backup.cfg"), "old");
        if (!m_link.IsConnected())
            ConnectLink();
        m_sim->SetBlockLengthSkew("/F0:/CPU/PRESET/MSTATE.P05", skew);
        m_boxes.ExpectAny(IDOK);  // the link's own text
        m_boxes.Expect(Failed(1, "The file \"/F0:/CPU/PRESET/MSTATE.P05\" was not backed up to \"" +
                                     Pc("CPU/PRESET/MSTATE.P05") + "\"."),
                       MB_OK | MB_ICONSTOP, IDOK);
        EXPECT_EQ(RunBackup(PcFolder()), 0);
        ExpectNoRestoreInfo();
        ExpectSeededCopied({"CPU/PRESET/MSTATE.P00"});
        EXPECT_FALSE(fs::exists(Pc("CPU/PRESET/MSTATE.P05")));
    }
}

TEST_F(BackupFailure, TheConnectionDropsBeforeTheModuleCatalogue) {
    m_sim->CloseAfterBytes(0);
    m_boxes.ExpectAny(IDOK);  // the link's socket text
    m_boxes.Expect(Failed(0, "Can not read the installed modules."), MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunBackup(PcFolder()), 0);
    ExpectNoRestoreInfo();
}

TEST_F(BackupFailure, AFolderThatCannotBeMadeSendsNothing) {
    WriteWholeFile(Pc("blocker"), "a file, not a folder");
    m_boxes.Expect(Failed(0, "Can not create folder : \"" + Pc("blocker/sub") + "\""),
                   MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(RunBackup(Pc("blocker/sub")), 0);
    EXPECT_TRUE(SentLines().empty());
    EXPECT_TRUE(fs::exists(Pc("backup.cfg")));  // another folder's; not this backup's
}

}  // namespace
}  // namespace stowen::testing
