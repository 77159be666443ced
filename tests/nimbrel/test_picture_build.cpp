// The build of picture files from a frame bitmap: the refusals in their order, the fields of an
// interlaced picture, black lines, the words and layouts of every component file, Cancel and a
// failing disk in the middle, and the build lock held by another process. Files are read back
// with a record parser of this test, independent of the writer.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "nimbrel/CBitmapMakeMng.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/CFileMakeMng.h"
#include "nimbrel/PictureBuild.h"
#include "nimbrel/PictureFileScan.h"
#include "platform/Bitmap.h"
#include "tests/support/LockHolderProcess.h"

using namespace nimbrel;

namespace {

struct Record {
    uint16_t id = 0;
    std::vector<uint8_t> payload;
    uint16_t Sample(size_t i) const {
        return static_cast<uint16_t>((payload[2 * i] << 8) | payload[2 * i + 1]);
    }
};

std::vector<Record> ReadRecords(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<Record> records;
    unsigned char head[6];
    while (in.read(reinterpret_cast<char*>(head), 6)) {
        Record r;
        r.id = static_cast<uint16_t>((head[0] << 8) | head[1]);
        const uint32_t length = (uint32_t{head[2]} << 24) | (uint32_t{head[3]} << 16) |
                                (uint32_t{head[4]} << 8) | head[5];
        r.payload.resize(length);
        if (!in.read(reinterpret_cast<char*>(r.payload.data()), length)) {
            break;
        }
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<Record> Lines(const std::vector<Record>& records) {
    std::vector<Record> lines;
    for (const Record& r : records) {
        if (r.id == kRecordLine) {
            lines.push_back(r);
        }
    }
    return lines;
}

class StubProgress : public BuildProgress {
public:
    void ShowProgress(int kind) override { shown.push_back(kind); }
    bool StepProgress(int percent) override {
        steps.push_back(percent);
        if (onStep) {
            onStep(static_cast<int>(steps.size()) - 1);
        }
        return cancelAtStep < 0 || static_cast<int>(steps.size()) <= cancelAtStep;
    }
    void HideProgress() override { ++hidden; }

    std::vector<int> shown;
    std::vector<int> steps;
    int hidden = 0;
    int cancelAtStep = -1;  // the step (counted from 0) that answers Cancel
    std::function<void(int)> onStep;
};

class PictureBuildTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path().toStdString();
    }

    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(m_folder + "/" + name) << text;
    }
    // The main ini: the temp names keep every file in the test folder.
    void WriteMainIni(const std::string& extra = "") {
        WriteFile("Nimbrel.ini", "[NIMBREL]\nTEMP_FILE_1ST_Y=C:line.ddd\n" + extra);
    }

    static PictureFormat Format(int width, int height, bool progressive) {
        PictureFormat f;
        f.caption = "test";
        f.width = width;
        f.height = height;
        f.misc = 7;
        f.progressive = progressive;
        f.family = 2;
        f.blackLines = 0;
        return f;
    }

    // A frame whose rows all differ, so a line can be traced back to its row.
    static platform::Bitmap Frame(int width, int height) {
        platform::Bitmap frame;
        frame.Create(width + 102, height);
        for (int y = 0; y < height; ++y) {
            uint8_t* row = frame.Row(y);
            for (int x = 0; x < width + 102; ++x) {
                row[3 * x] = static_cast<uint8_t>(y);
                row[3 * x + 1] = static_cast<uint8_t>(y / 256 * 40 + x);
                row[3 * x + 2] = static_cast<uint8_t>(255 - y);
            }
        }
        return frame;
    }

    int Build(CFileMakeInfo& job, const PictureFormat& format, const platform::Bitmap& frame,
              StubProgress& progress, bool filter = false, bool gbr = false) {
        PictureBuildInput input;
        input.frame = &frame;
        input.format = &format;
        input.filterOn = filter;
        input.gbrChecked = gbr;
        return RunPictureBuild(job, input, progress);
    }

    // Every file of the folder but the ini files.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> out;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            if (!name.endsWith(".ini")) {
                out.push_back(name.toStdString());
            }
        }
        return out;
    }

    QTemporaryDir m_dir;
    std::string m_folder;
};

// Another build holding the build lock.
class LockHolder : public testsupport::LockHolderProcess {
public:
    LockHolder()
        : LockHolderProcess("PictureBuildChildProcess.HoldsTheBuildLockUntilReleased", {}) {}
};
}  // namespace

TEST_F(PictureBuildTest, AllComponentsOffIsRefusedBeforeAnythingIsWritten) {
    WriteMainIni("MAKE_Y=OFF\nMAKE_G=OFF\nMAKE_B=OFF\nMAKE_R=OFF\n");
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 4, true);
    const platform::Bitmap frame = Frame(8, 4);
    StubProgress progress;
    EXPECT_EQ(Build(job, format, frame, progress), 15);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ(progress.shown, std::vector<int>{2});
    EXPECT_EQ(progress.hidden, 1);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(PictureBuildTest, RefusalsComeInTheirOrderAndWriteNothing) {
    WriteMainIni();
    CFileMakeInfo job(m_folder);
    PictureFormat format = Format(8, 4, true);
    platform::Bitmap frame = Frame(8, 4);
    StubProgress progress;
    PictureBuildInput input;
    input.frame = &frame;
    input.format = &format;

    ASSERT_EQ(SetJobFromFormat(job, &format), 0);
    job.SetSize(4, 0);
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 13);
    job.SetSize(0, 8);
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 12);
    job.SetSize(4, 8);
    input.bitsPerPixel = 8;
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 28);
    input.bitsPerPixel = 24;
    input.deviceIndependent = false;
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 29);
    input.deviceIndependent = true;
    input.frame = nullptr;
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 29);
    input.frame = &frame;
    job.SetSize(5, 8);
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 18);
    job.SetSize(4, 8);
    platform::Bitmap narrow = Frame(7, 4);  // one column short of 8 + 102
    input.frame = &narrow;
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 19);
    input.frame = &frame;

    // A width the line builder cannot pair up has no buffers.
    platform::Bitmap odd = Frame(7, 4);
    format = Format(7, 4, true);
    ASSERT_EQ(SetJobFromFormat(job, &format), 0);
    input.frame = &odd;
    EXPECT_EQ(BuildPictureFiles(job, input, progress), 25);

    EXPECT_TRUE(progress.steps.empty());
    EXPECT_TRUE(Leftovers().empty());

    EXPECT_EQ(SetJobFromFormat(job, nullptr), 4) << "no format selected";
}

TEST_F(PictureBuildTest, CollidingTempNamesAreRefusedBeforeAnythingIsWritten) {
    WriteMainIni("TEMP_FILE_2ND_B=C:line.ddd\n");
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 4, false);
    const platform::Bitmap frame = Frame(8, 4);
    StubProgress progress;
    EXPECT_EQ(Build(job, format, frame, progress), 15);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(PictureBuildTest, TempFileThatCannotBeMadeGives16AndLeavesNoOtherFile) {
    WriteMainIni("TEMP_FILE_1ST_B=C:no-such-folder/lineB.ddd\n");
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 4, false);
    const platform::Bitmap frame = Frame(8, 4);
    StubProgress progress;
    EXPECT_EQ(Build(job, format, frame, progress), 16);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(PictureBuildTest, CancelOnTheFirstLineLeavesNoTemporaryFile) {
    WriteMainIni();
    const std::string old = m_folder + "/old";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(old)));
    for (const char* name : {"/Bars.pic", "/Bars_G.pic", "/Bars_B.pic", "/Bars_R.pic"}) {
        std::ofstream(old + name) << "old picture " << name;
    }
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 6, false);
    const platform::Bitmap frame = Frame(8, 6);
    StubProgress progress;
    progress.cancelAtStep = 0;
    bool filesWhileBuilding = false;
    progress.onStep = [&](int) { filesWhileBuilding = !Leftovers().empty(); };
    EXPECT_EQ(Build(job, format, frame, progress), 24);
    EXPECT_TRUE(filesWhileBuilding) << "the build had begun writing";
    EXPECT_EQ(progress.steps, std::vector<int>{0});
    EXPECT_EQ(progress.hidden, 1);
    EXPECT_TRUE(Leftovers().empty());
    // Saving after a cancelled build has nothing to put in place and changes nothing.
    EXPECT_EQ(CommitOutputs(job, old + "/Bars.pic"), 11);
    DropOutputs(job);
    for (const char* name : {"/Bars.pic", "/Bars_G.pic", "/Bars_B.pic", "/Bars_R.pic"}) {
        std::ifstream in(old + name);
        std::string text;
        std::getline(in, text);
        EXPECT_EQ(text, std::string("old picture ") + name);
    }
    EXPECT_EQ(QDir(QString::fromStdString(old)).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(PictureBuildTest, OddLineCountRepeatsTheLastRowInFieldTwo) {
    WriteMainIni("MAKE_G=OFF\nMAKE_B=OFF\nMAKE_R=OFF\n");
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 487, false);
    const platform::Bitmap frame = Frame(8, 487);
    StubProgress progress;
    ASSERT_EQ(Build(job, format, frame, progress), 0);
    ASSERT_EQ(progress.steps.size(), 487u);
    EXPECT_EQ(progress.steps[486], 486 * 100 / 487);

    const std::string main = job.GetTempFileName(1, kComponentY);
    EXPECT_EQ(Leftovers().size(), 1u) << "field-2 files are gone after the build";
    const PictureFileScan scan = PictureFileScan::ScanPath(main);
    ASSERT_TRUE(scan.Valid());
    EXPECT_EQ(scan.lines, 488u);
    EXPECT_EQ(scan.samplesPerLine, 8u);
    EXPECT_TRUE(scan.interlaced);

    const auto lines = Lines(ReadRecords(main));
    ASSERT_EQ(lines.size(), 488u);
    // Field 1 holds rows 0, 2, ..., 486; field 2 rows 1, 3, ..., 485 and row 486 again.
    EXPECT_EQ(lines[487].payload, lines[243].payload);
    EXPECT_NE(lines[487].payload, lines[486].payload);
    EXPECT_NE(lines[244].payload, lines[0].payload);
    EXPECT_NE(lines[244].payload, lines[1].payload);
}

TEST_F(PictureBuildTest, ProgressiveMakesNoFieldTwoFile) {
    WriteMainIni();
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(8, 5, true);
    const platform::Bitmap frame = Frame(8, 5);
    StubProgress progress;
    bool fieldTwoSeen = false;
    progress.onStep = [&](int) {
        for (int c = 0; c < kComponentCount; ++c) {
            fieldTwoSeen |= ::access(job.GetTempFileName(2, c).c_str(), F_OK) == 0;
        }
    };
    ASSERT_EQ(Build(job, format, frame, progress), 0);
    EXPECT_FALSE(fieldTwoSeen);
    EXPECT_EQ(Leftovers().size(), 4u);
    for (int c = 0; c < kComponentCount; ++c) {
        const PictureFileScan scan = PictureFileScan::ScanPath(job.GetTempFileName(1, c));
        ASSERT_TRUE(scan.Valid()) << c;
        EXPECT_EQ(scan.lines, 5u);
        EXPECT_FALSE(scan.interlaced);
    }
}

TEST_F(PictureBuildTest, BlackLinesOnlyForACountAboveZeroAndInBothFields) {
    WriteMainIni("MAKE_G=OFF\nMAKE_B=OFF\nMAKE_R=OFF\n");
    const platform::Bitmap frame = Frame(8, 4);
    for (int black : {-1, 0, 3}) {
        CFileMakeInfo job(m_folder);
        PictureFormat format = Format(8, 4, false);
        format.blackLines = black;
        StubProgress progress;
        ASSERT_EQ(Build(job, format, frame, progress), 0) << black;
        const auto lines = Lines(ReadRecords(job.GetTempFileName(1, kComponentY)));
        const size_t expected = 4u + 2u * static_cast<size_t>(std::max(black, 0));
        ASSERT_EQ(lines.size(), expected) << black;
        if (black == 3) {
            // Field 1: 3 black, rows 0 and 2; field 2: 3 black, rows 1 and 3.
            for (size_t i : {0u, 1u, 2u, 5u, 6u, 7u}) {
                for (size_t k = 0; k < 8; ++k) {
                    EXPECT_EQ(lines[i].Sample(k), 64);
                    EXPECT_EQ(lines[i].Sample(8 + k), 512);
                }
            }
            EXPECT_NE(lines[3].Sample(0), 64);
            EXPECT_NE(lines[8].Sample(0), 64);
        }
        job.DeleteTempFiles(3);
    }
}

TEST_F(PictureBuildTest, FourFourFourBlackKeepsPbAndPrAtTheirOwnZero) {
    WriteMainIni("MAKE_R=OFF\n[NIMBREL_SCALE_10]\nPB_ZERO_LEVEL=500\nPR_ZERO_LEVEL=520\n");
    CFileMakeInfo job(m_folder);
    PictureFormat format = Format(8, 2, true);
    format.ycbcr444 = true;
    format.blackLines = 1;
    const platform::Bitmap frame = Frame(8, 2);
    StubProgress progress;
    ASSERT_EQ(Build(job, format, frame, progress), 0);
    const auto main = Lines(ReadRecords(job.GetTempFileName(1, kComponentY)));
    ASSERT_EQ(main.size(), 3u);
    ASSERT_EQ(main[0].payload.size(), 6u * 8);
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(main[0].Sample(k), 64);
        EXPECT_EQ(main[0].Sample(8 + k), 500);
        EXPECT_EQ(main[0].Sample(16 + k), 520);
    }
    // The G file's black line: the component, then zeros; its picture lines carry Pr.
    const auto g = Lines(ReadRecords(job.GetTempFileName(1, kComponentG)));
    ASSERT_EQ(g.size(), 3u);
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(g[0].Sample(k), 64);
        EXPECT_EQ(g[0].Sample(8 + k), 0);
        EXPECT_EQ(g[1].Sample(8 + k), main[1].Sample(16 + k));
    }
}

TEST_F(PictureBuildTest, EachComponentFileHasItsWordAndLayout) {
    WriteMainIni();
    PictureFormat format = Format(8, 2, true);
    format.showGbrCheck = true;
    const platform::Bitmap frame = Frame(8, 2);
    const uint16_t base = format.FormatWord();
    ASSERT_EQ(base, 0x4107);

    for (bool gbr : {false, true}) {
        CFileMakeInfo job(m_folder);
        StubProgress progress;
        ASSERT_EQ(Build(job, format, frame, progress, false, gbr), 0);
        std::vector<Record> files[kComponentCount];
        for (int c = 0; c < kComponentCount; ++c) {
            files[c] = ReadRecords(job.GetTempFileName(1, c));
            ASSERT_EQ(files[c].size(), 6u) << "header, two lines, end";
            EXPECT_EQ(files[c][0].id, kRecordStart);
            EXPECT_EQ(files[c][0].Sample(0), 1);
            EXPECT_EQ(files[c][1].id, kRecordFormat);
            EXPECT_EQ(files[c][2].id, kRecordHeaderEnd);
            EXPECT_EQ(files[c][5].id, kRecordEnd);
            EXPECT_TRUE(files[c][5].payload.empty());
        }
        EXPECT_EQ(files[0][1].Sample(0), gbr ? 0x4607 : 0x4107);
        for (int c = 1; c < kComponentCount; ++c) {
            EXPECT_EQ(files[c][1].Sample(0), 0x4207);
            EXPECT_EQ(files[c][3].payload.size(), 4u * 8);
        }
        EXPECT_EQ(files[0][3].payload.size(), (gbr ? 6u : 4u) * 8);
        const Record& mainLine = files[0][3];
        for (size_t k = 0; k < 8; ++k) {
            const uint16_t g = files[1][3].Sample(k);
            const uint16_t b = files[2][3].Sample(k);
            const uint16_t r = files[3][3].Sample(k);
            if (gbr) {
                EXPECT_EQ(mainLine.Sample(k), g);
                EXPECT_EQ(mainLine.Sample(8 + k), b);
                EXPECT_EQ(mainLine.Sample(16 + k), r);
                EXPECT_EQ(files[1][3].Sample(8 + k), b) << "the _x files carry B after GBR";
            } else {
                EXPECT_EQ(files[1][3].Sample(8 + k), 0);
            }
        }
        job.DeleteTempFiles(3);
    }

    // The check box counts only where the format shows it.
    format.showGbrCheck = false;
    CFileMakeInfo job(m_folder);
    StubProgress progress;
    ASSERT_EQ(Build(job, format, frame, progress, false, true), 0);
    EXPECT_EQ(ReadRecords(job.GetTempFileName(1, 0))[1].Sample(0), 0x4107);
}

TEST_F(PictureBuildTest, ComponentWordsFollowTheTable) {
    EXPECT_EQ(CFileMakeMng::ComponentWord(0x8510, kComponentY, false), 0x8510);
    EXPECT_EQ(CFileMakeMng::ComponentWord(0x8310, kComponentY, false), 0x8110);
    EXPECT_EQ(CFileMakeMng::ComponentWord(0x8510, kComponentY, true), 0x8610);
    EXPECT_EQ(CFileMakeMng::ComponentWord(0x8510, kComponentG, false), 0x8210);
    EXPECT_EQ(CFileMakeMng::ComponentWord(0x8510, kComponentR, true), 0x8210);
}

TEST_F(PictureBuildTest, LevelTypeWithoutItsSectionIsRefused) {
    const platform::Bitmap frame = Frame(8, 2);
    PictureFormat format = Format(8, 2, true);
    format.twelveBit = true;
    for (int scale : {1, 2, 5}) {
        WriteMainIni();
        format.scale = scale;
        CFileMakeInfo job(m_folder);
        StubProgress progress;
        EXPECT_EQ(Build(job, format, frame, progress), scale == 1 ? 0 : 20) << scale;
        if (scale == 1) {
            const auto lines = Lines(ReadRecords(job.GetTempFileName(1, 0)));
            ASSERT_EQ(lines.size(), 2u);
            job.DeleteTempFiles(3);
        } else {
            EXPECT_TRUE(progress.steps.empty());
            EXPECT_TRUE(Leftovers().empty());
        }
    }
    // With its section the type builds at its own levels.
    WriteMainIni("[NIMBREL_SCALE_12_TYPE2]\nY_BLACK_LEVEL=256\nY_WHITE_LEVEL=3760\n");
    format.scale = 2;
    format.blackLines = 1;
    CFileMakeInfo job(m_folder);
    StubProgress progress;
    ASSERT_EQ(Build(job, format, frame, progress), 0);
    const auto lines = Lines(ReadRecords(job.GetTempFileName(1, 0)));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Sample(0), 256);
    EXPECT_EQ(lines[0].Sample(8), 2048) << "Pb zero of the 12-bit defaults";
}

TEST_F(PictureBuildTest, FilterWithoutUsableTapsIsRefused) {
    WriteMainIni();
    const platform::Bitmap frame = Frame(8, 2);
    PictureFormat format = Format(8, 2, true);
    format.filterSection = "MISSING_SECTION";
    CFileMakeInfo job(m_folder);
    StubProgress progress;
    EXPECT_EQ(Build(job, format, frame, progress, true), 20);
    EXPECT_TRUE(Leftovers().empty());

    WriteFile("Nimbrel_Filter.ini",
              "[ZERO_SUM]\nFILTER_KEISU_Y_24=1.0\nFILTER_KEISU_Y_26=-1.0\n"
              "[IDENTITY_WITH_A_NAME_LONGER_THAN_THIRTY_ONE_CHARACTERS]\nFILTER_KEISU_Y_25=1.0\n"
              "FILTER_KEISU_PBPR_25=1.0\n");
    format.filterSection = "ZERO_SUM";
    EXPECT_EQ(Build(job, format, frame, progress, true), 20);
    EXPECT_TRUE(Leftovers().empty());

    // A long section name is read whole; the identity filter then gives the plain samples.
    format.filterSection = "IDENTITY_WITH_A_NAME_LONGER_THAN_THIRTY_ONE_CHARACTERS";
    ASSERT_EQ(Build(job, format, frame, progress, true), 0);
    const auto filtered = Lines(ReadRecords(job.GetTempFileName(1, kComponentG)));
    job.DeleteTempFiles(3);
    ASSERT_EQ(Build(job, format, frame, progress, false), 0);
    const auto plain = Lines(ReadRecords(job.GetTempFileName(1, kComponentG)));
    ASSERT_EQ(filtered.size(), 2u);
    EXPECT_EQ(filtered[0].payload, plain[0].payload);
}

TEST_F(PictureBuildTest, WriteFailingInTheMiddleLeavesNoTemporaryFile) {
    WriteMainIni("MAKE_G=OFF\nMAKE_B=OFF\nMAKE_R=OFF\n");
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(64, 40, true);
    const platform::Bitmap frame = Frame(64, 40);
    StubProgress progress;
    // Files may not grow past 2 KiB: the header goes out, the eighth line does not.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 2048;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int code = Build(job, format, frame, progress);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(code, 21);
    EXPECT_GT(progress.steps.size(), 1u);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(PictureBuildTest, BuiltPictureReadsBackAndIsSavedUnderTheChosenName) {
    WriteMainIni();
    CFileMakeInfo job(m_folder);
    const PictureFormat format = Format(16, 9, false);
    const platform::Bitmap frame = Frame(16, 9);
    StubProgress progress;
    ASSERT_EQ(Build(job, format, frame, progress), 0);
    const std::string chosen = m_folder + "/out/Bars.Pic";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(m_folder + "/out")));
    ASSERT_EQ(CommitOutputs(job, chosen), 0);
    DropOutputs(job);
    EXPECT_TRUE(Leftovers().empty());
    for (const char* suffix : {"", "_G", "_B", "_R"}) {
        const std::string path = m_folder + "/out/Bars" + suffix + ".Pic";
        CBitmapMakeMng reader(path, job.MainIni());
        EXPECT_EQ(reader.Lines(), 10u) << path;
        EXPECT_EQ(reader.SamplesPerLine(), 16u);
        std::vector<Bgr> row(16);
        EXPECT_TRUE(reader.ReadLine(0, row));
    }
    // Grey row 0 of the frame (B 0, G 51..., R 255) comes back near its colour.
    CBitmapMakeMng main(m_folder + "/out/Bars.Pic", job.MainIni());
    std::vector<Bgr> row(16);
    ASSERT_TRUE(main.ReadLine(0, row));
    EXPECT_NEAR(row[0].r, 255, 2);
    EXPECT_NEAR(row[0].b, 0, 2);
    EXPECT_NEAR(row[0].g, 51, 2);
}

// The other build of the lock test; it runs only in a process that test starts.
TEST(PictureBuildChildProcess, HoldsTheBuildLockUntilReleased) {
    if (!testsupport::IsLockHolderProcess()) {
        GTEST_SKIP() << "runs only as the other build of the lock test";
    }
    BuildLock lock;
    testsupport::HoldLock(lock.Code() == 0);
}

TEST_F(PictureBuildTest, BuildLockHeldByAnotherProcessRefusesWith37) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old != nullptr ? old : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().toStdString().c_str(), 1);

    {
        LockHolder other;
        ASSERT_TRUE(other.Started());
        EXPECT_EQ(other.Answer(), '1');
        {
            BuildLock second;
            EXPECT_EQ(second.Code(), kCodeOtherBuildRunning);
        }
        EXPECT_TRUE(other.Release());
    }
    {
        BuildLock after;
        EXPECT_EQ(after.Code(), 0);
        BuildLock meanwhile;
        EXPECT_EQ(meanwhile.Code(), kCodeOtherBuildRunning) << "one build at a time here too";
    }
    BuildLock released;
    EXPECT_EQ(released.Code(), 0) << "a lock ends with its object, also after a refusal";

    if (old != nullptr) {
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

TEST_F(PictureBuildTest, MarginWarningOnlyWithFilterAndNoLeftBackground) {
    PictureBuildInput input;
    input.leftEdge = 51;
    input.filterOn = true;
    EXPECT_TRUE(NeedsMarginWarning(input));
    input.leftEdge = 61;
    EXPECT_FALSE(NeedsMarginWarning(input));
    input.leftEdge = 51;
    input.filterOn = false;
    EXPECT_FALSE(NeedsMarginWarning(input));
}
