// Saving a built picture: where the job's temporary files live, and how they are put in place
// under the chosen name. A failure at any point must leave the old picture files byte for byte
// as they were and nothing of ours behind; a name that is one of our own temporary files is
// refused.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <fstream>
#include <sstream>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/OutputCommit.h"

using namespace nimbrel;

namespace {

std::string Pid() {
    return std::to_string(::getpid());
}

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string("<missing>");
}

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Every entry of a folder, hidden ones included, sorted.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> out;
    for (const QString& name :
         QDir(QString::fromStdString(folder))
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        out.push_back(name.toStdString());
    }
    return out;
}

class OutputCommitTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_start.isValid());
        ASSERT_TRUE(m_target.isValid());
        Start(m_start.path().toStdString());
    }
    void Start(const std::string& folder, const std::string& extra = "") {
        m_folder = folder;
        Put(m_folder + "/Nimbrel.ini", "[NIMBREL]\n" + extra);
        m_job = std::make_unique<CFileMakeInfo>(m_folder);
    }
    // The temp files a finished build leaves: each component's own text.
    void FakeBuild() {
        ASSERT_TRUE(m_job->LoadTempFileNames());
        for (int c = 0; c < kComponentCount; ++c) {
            const std::string name = m_job->GetTempFileName(1, c);
            if (!name.empty()) {
                Put(name, "new " + std::to_string(c));
            }
        }
    }
    std::string Target() const { return m_target.path().toStdString(); }

    QTemporaryDir m_start;
    QTemporaryDir m_target;
    std::string m_folder;
    std::unique_ptr<CFileMakeInfo> m_job;
};

const char* const kSuffixes[] = {"", "_G", "_B", "_R"};

}  // namespace

TEST_F(OutputCommitTest, TempNamesAreAbsoluteUniqueAndFromTheStartFolder) {
    Start(m_folder,
          "TEMP_FILE_1ST_G=C:\\sub\\g.ddd\nTEMP_FILE_2ND_G=/var/tmp/g2\n"
          "TEMP_FILE_1ST_B=rel/b.ddd\nMAKE_R=OFF\n");
    EXPECT_EQ(m_job->MainIni(), m_folder + "/Nimbrel.ini");
    EXPECT_EQ(m_job->FilterIni(), m_folder + "/Nimbrel_Filter.ini");
    ASSERT_TRUE(m_job->LoadTempFileNames());
    EXPECT_EQ(m_job->GetTempFileName(1, kComponentY), m_folder + "/line.ddd." + Pid());
    EXPECT_EQ(m_job->GetTempFileName(2, kComponentY), m_folder + "/line2.ddd." + Pid());
    EXPECT_EQ(m_job->GetTempFileName(1, kComponentG), m_folder + "/sub/g.ddd." + Pid());
    EXPECT_EQ(m_job->GetTempFileName(2, kComponentG), "/var/tmp/g2." + Pid());
    EXPECT_EQ(m_job->GetTempFileName(1, kComponentB), m_folder + "/rel/b.ddd." + Pid());
    EXPECT_EQ(m_job->GetTempFileName(1, kComponentR), "");
    EXPECT_EQ(m_job->GetTempFileName(0, kComponentY), "");
    EXPECT_EQ(m_job->GetTempFileName(1, 4), "");
    EXPECT_EQ(m_job->GetTempFileName(3, kComponentY), "");

    // The raw tool's load: Y only, whatever its switch, and nothing left of G, B, R.
    Start(m_folder, "MAKE_Y=OFF\n");
    ASSERT_TRUE(m_job->LoadTempFileNames());
    EXPECT_EQ(m_job->GetTempFileName(1, kComponentY), "");
    EXPECT_TRUE(m_job->LoadTempFileNamesY());
    EXPECT_FALSE(m_job->GetTempFileName(1, kComponentY).empty());
    for (int c = kComponentG; c < kComponentCount; ++c) {
        EXPECT_EQ(m_job->GetTempFileName(1, c), "");
        EXPECT_EQ(m_job->GetTempFileName(2, c), "");
    }
}

TEST_F(OutputCommitTest, CollidingTempNamesAreRefused) {
    for (const char* ini : {"TEMP_FILE_1ST_G=line.ddd\n", "TEMP_FILE_1ST_G=./sub/../line.ddd\n",
                            "TEMP_FILE_2ND_Y=C:line.ddd\n", "TEMP_FILE_2ND_R=C:lineB.ddd\n"}) {
        Start(m_folder, ini);
        EXPECT_FALSE(m_job->LoadTempFileNames()) << ini;
        for (int c = 0; c < kComponentCount; ++c) {
            EXPECT_EQ(m_job->GetTempFileName(1, c), "") << "nothing is written to either";
        }
    }
    Start(m_folder, "TEMP_FILE_2ND_Y=C:line.ddd\n");
    EXPECT_FALSE(m_job->LoadTempFileNamesY());
    // A component left out cannot collide.
    Start(m_folder, "TEMP_FILE_1ST_G=C:line.ddd\nMAKE_G=OFF\n");
    EXPECT_TRUE(m_job->LoadTempFileNames());
}

TEST_F(OutputCommitTest, JobSettersRefuseWhatTheyCannotHold) {
    EXPECT_EQ(m_job->SetSize(0, 10), 4);
    EXPECT_EQ(m_job->SetSize(10, -1), 5);
    EXPECT_EQ(m_job->SetSize(1080, 1920), 0);
    EXPECT_EQ(m_job->SetFormatWord(0x10000), 7);
    EXPECT_EQ(m_job->SetFormatWord(-5), 7);
    EXPECT_EQ(m_job->FormatWord(), 0xFFFF);
    EXPECT_EQ(m_job->SetFormatWord(0x4100), 0);
    const std::string section = "S";
    m_job->SetFilterSection(&section);
    EXPECT_EQ(m_job->FilterSection(), "S");
    m_job->SetFilterSection(nullptr);
    EXPECT_EQ(m_job->FilterSection(), "");
}

TEST_F(OutputCommitTest, DeleteTempFilesTakesTheFieldsOfTheMask) {
    ASSERT_TRUE(m_job->LoadTempFileNames());
    for (int field = 1; field <= 2; ++field) {
        for (int c = 0; c < kComponentCount; ++c) {
            Put(m_job->GetTempFileName(field, c), "x");
        }
    }
    m_job->DeleteTempFiles(2);
    EXPECT_EQ(::access(m_job->GetTempFileName(2, kComponentR).c_str(), F_OK), -1);
    EXPECT_EQ(::access(m_job->GetTempFileName(1, kComponentR).c_str(), F_OK), 0);
    m_job->DeleteTempFiles(1);
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"Nimbrel.ini"});
}

TEST_F(OutputCommitTest, ChosenNameIsCheckedBeforeAnythingMoves) {
    FakeBuild();
    EXPECT_EQ(m_job->RenameOutputs(""), 8);
    EXPECT_EQ(m_job->RenameOutputs("/" + std::string(PATH_MAX, 'a') + ".pic"), 9);
    EXPECT_EQ(m_job->RenameOutputs(Target() + "/noextension"), 10);
    EXPECT_EQ(m_job->RenameOutputs(Target() + "/my.dir/pic"), 10) << "a dot of a folder";
    EXPECT_EQ(m_job->RenameOutputs(Target() + "/.pic"), 10);
    EXPECT_TRUE(Entries(Target()).empty());
    EXPECT_EQ(Entries(m_folder).size(), 5u) << "the four temp files are still there";
}

TEST_F(OutputCommitTest, SavesEveryComponentBesideTheChosenNameAcrossFolders) {
    FakeBuild();
    const std::string folder = Target() + "/my.dir";
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(m_job->RenameOutputs(folder + "/Bars.v2.Pic"), 0);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Bars.v2.Pic", "Bars.v2_B.Pic",
                                                         "Bars.v2_G.Pic", "Bars.v2_R.Pic"}));
    for (int c = 0; c < kComponentCount; ++c) {
        EXPECT_EQ(Content(folder + "/Bars.v2" + kSuffixes[c] + ".Pic"), "new " + std::to_string(c));
    }
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"Nimbrel.ini"});
    struct stat info {};
    ASSERT_EQ(::stat((folder + "/Bars.v2.Pic").c_str(), &info), 0);
    EXPECT_NE(info.st_mode & 0044, 0u) << "readable by others, as any file the user writes";
}

TEST_F(OutputCommitTest, RelativeNameMeansTheStartFolder) {
    FakeBuild();
    ASSERT_EQ(m_job->RenameOutputs("out.pic"), 0);
    EXPECT_EQ(Content(m_folder + "/out_R.pic"), "new 3");
}

TEST_F(OutputCommitTest, OldFilesAreReplacedOnlyWhenAllAreInPlace) {
    FakeBuild();
    const std::string base = Target() + "/Bars";
    for (const char* suffix : kSuffixes) {
        Put(base + suffix + ".pic", std::string("old") + suffix);
    }
    // The R target cannot be replaced: it is a folder now. By then the others were staged.
    ASSERT_EQ(::unlink((base + "_R.pic").c_str()), 0);
    ASSERT_EQ(::mkdir((base + "_R.pic").c_str(), 0777), 0);
    Put(base + "_R.pic/keep", "x");
    const auto before = Entries(Target());

    EXPECT_EQ(m_job->RenameOutputs(base + ".pic"), 11);
    for (const char* suffix : {"", "_G", "_B"}) {
        EXPECT_EQ(Content(base + suffix + ".pic"), std::string("old") + suffix);
    }
    EXPECT_EQ(Entries(Target()), before) << "nothing staged or kept aside is left";
    EXPECT_EQ(Content(m_job->GetTempFileName(1, kComponentG)), "new 1")
        << "the build is still there to save elsewhere";

    // With the obstacle gone the same build saves and replaces every old file.
    ASSERT_EQ(::unlink((base + "_R.pic/keep").c_str()), 0);
    ASSERT_EQ(::rmdir((base + "_R.pic").c_str()), 0);
    ASSERT_EQ(m_job->RenameOutputs(base + ".pic"), 0);
    for (int c = 0; c < kComponentCount; ++c) {
        EXPECT_EQ(Content(base + kSuffixes[c] + ".pic"), "new " + std::to_string(c));
    }
    EXPECT_EQ(Entries(Target()).size(), 4u);
}

TEST_F(OutputCommitTest, MissingTempFileIsAFailureNotASave) {
    FakeBuild();
    const std::string base = Target() + "/Bars";
    Put(base + ".pic", "old");
    ASSERT_EQ(::unlink(m_job->GetTempFileName(1, kComponentB).c_str()), 0);
    EXPECT_EQ(m_job->RenameOutputs(base + ".pic"), 11);
    EXPECT_EQ(Content(base + ".pic"), "old");
    EXPECT_EQ(Entries(Target()), std::vector<std::string>{"Bars.pic"});

    // Nothing loaded at all: nothing to save is no success either.
    Start(m_folder);
    EXPECT_EQ(m_job->RenameOutputs(base + ".pic"), 11);
}

TEST_F(OutputCommitTest, OwnTempFileAsTargetIsRefused) {
    Start(m_folder, "TEMP_FILE_1ST_G=C:pic_G\n");
    FakeBuild();
    const std::string y = m_job->GetTempFileName(1, kComponentY);
    EXPECT_EQ(m_job->RenameOutputs(y), 40);
    EXPECT_TRUE(m_job->TargetIsTempFile(y));
    // pic.<pid> is not a temp file, but its sibling pic_G.<pid> is.
    EXPECT_EQ(m_job->RenameOutputs(m_folder + "/pic." + Pid()), 40);
    EXPECT_EQ(m_job->RenameOutputs(m_folder + "/sub/../line2.ddd." + Pid()), 40) << "field 2 too";
    // A link that leads to a temp file is that file.
    const std::string link = Target() + "/link.pic";
    ASSERT_EQ(::symlink(y.c_str(), link.c_str()), 0);
    EXPECT_EQ(m_job->RenameOutputs(link), 40);
    EXPECT_FALSE(m_job->TargetIsTempFile(Target() + "/fine.pic"));
    EXPECT_EQ(Content(y), "new 0");
}

TEST_F(OutputCommitTest, OtherFileSystemIsCopiedAndSynced) {
    if (::access("/dev/shm", W_OK) != 0) {
        GTEST_SKIP() << "no second file system to write to";
    }
    QTemporaryDir shm("/dev/shm/nimbrel-commit-XXXXXX");
    ASSERT_TRUE(shm.isValid());
    struct stat a {};
    struct stat b {};
    ASSERT_EQ(::stat(shm.path().toStdString().c_str(), &a), 0);
    ASSERT_EQ(::stat(Target().c_str(), &b), 0);
    if (a.st_dev == b.st_dev) {
        GTEST_SKIP() << "/dev/shm is on the same file system here";
    }
    Start(shm.path().toStdString());
    FakeBuild();
    const std::string base = Target() + "/Bars";
    Put(base + "_G.pic", "old");
    ASSERT_EQ(::mkdir((base + "_R.pic").c_str(), 0777), 0);
    Put(base + "_R.pic/keep", "x");
    EXPECT_EQ(m_job->RenameOutputs(base + ".pic"), 11);
    EXPECT_EQ(Content(base + "_G.pic"), "old");
    EXPECT_EQ(Entries(Target()), (std::vector<std::string>{"Bars_G.pic", "Bars_R.pic"}));

    ASSERT_EQ(::unlink((base + "_R.pic/keep").c_str()), 0);
    ASSERT_EQ(::rmdir((base + "_R.pic").c_str()), 0);
    ASSERT_EQ(m_job->RenameOutputs(base + ".pic"), 0);
    for (int c = 0; c < kComponentCount; ++c) {
        EXPECT_EQ(Content(base + kSuffixes[c] + ".pic"), "new " + std::to_string(c));
    }
    EXPECT_EQ(Entries(Target()).size(), 4u);
    m_job->DeleteTempFiles(3);
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"Nimbrel.ini"});
}

TEST_F(OutputCommitTest, CommitOfNothingSucceedsAndMissingSourceChangesNothing) {
    OutputCommit empty;
    EXPECT_EQ(empty.Commit(), 1);

    const std::string target = Target() + "/t";
    Put(target, "old");
    Put(m_folder + "/a", "A");
    OutputCommit commit;
    commit.Add(m_folder + "/a", Target() + "/u");
    commit.Add(m_folder + "/missing", target);
    EXPECT_EQ(commit.Commit(), 0);
    EXPECT_EQ(Content(target), "old");
    EXPECT_EQ(Content(m_folder + "/a"), "A") << "the moved source went back";
    EXPECT_EQ(Entries(Target()), std::vector<std::string>{"t"});
}
