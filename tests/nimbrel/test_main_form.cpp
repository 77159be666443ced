// The main form driven as the operator drives it: bitmaps opened, frame bitmaps built, picture
// files built, saved, opened again and previewed, with every box and file dialog answered by
// script. The placement rules of the frame bitmap and the preview's row order are checked on
// their own as well.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/MessageByCode.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/FileChooser.h"
#include "nimbrel/ui/FrameBitmap.h"
#include "nimbrel/ui/PicturePreview.h"
#include "nimbrel/ui/PictureView.h"
#include "nimbrel/ui/TAboutBox.h"
#include "nimbrel/ui/TMDIChild.h"
#include "nimbrel/ui/TMainForm.h"
#include "nimbrel/ui/TProgressForm.h"
#include "nimbrel/ui/TToolForm.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NamedMutex.h"

namespace {

using nimbrel::FrameBitmap;
using nimbrel::TMainForm;
using platform::Bitmap;

// ---------------------------------------------------------------------------------------------
// Frame bitmap placement and preview row order: pure rules.

Bitmap Filled(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    Bitmap bitmap;
    bitmap.Create(width, height);
    bitmap.FillRect(0, 0, width, height, r, g, b);
    return bitmap;
}

bool PixelIs(const Bitmap& bitmap, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t pr = 0;
    uint8_t pg = 0;
    uint8_t pb = 0;
    bitmap.GetPixel(x, y, pr, pg, pb);
    return pr == r && pg == g && pb == b;
}

TEST(FrameBitmapPlacement, WideAndLowSourceIsCutAtWPlus51AndCentredVertically) {
    const Bitmap source = Filled(1000, 400, 200, 100, 50);
    FrameBitmap built;
    ASSERT_EQ(FrameBitmap::Build(source, 720, 488, {0, 0, 255}, built), 1);
    EXPECT_EQ(built.frame.Width(), 822);
    EXPECT_EQ(built.frame.Height(), 488);
    EXPECT_EQ(built.leftEdge, 51);
    EXPECT_EQ(built.rightMargin, 0);
    // 771 columns of picture from column 51 on, 44 background rows above, 44 below.
    EXPECT_TRUE(PixelIs(built.frame, 50, 44, 0, 0, 255));
    EXPECT_TRUE(PixelIs(built.frame, 51, 44, 200, 100, 50));
    EXPECT_TRUE(PixelIs(built.frame, 821, 44, 200, 100, 50));
    EXPECT_TRUE(PixelIs(built.frame, 100, 43, 0, 0, 255));
    EXPECT_TRUE(PixelIs(built.frame, 100, 443, 200, 100, 50));
    EXPECT_TRUE(PixelIs(built.frame, 100, 444, 0, 0, 255));
    EXPECT_EQ(built.preview.Width(), 720);
    EXPECT_TRUE(PixelIs(built.preview, 0, 44, 200, 100, 50));
    EXPECT_TRUE(PixelIs(built.preview, 719, 443, 200, 100, 50));
    EXPECT_TRUE(PixelIs(built.preview, 0, 43, 0, 0, 255));
}

TEST(FrameBitmapPlacement, NarrowSourceIsCentredAndTheRightMarginRecordedAsZero) {
    const Bitmap source = Filled(700, 488, 10, 20, 30);
    FrameBitmap built;
    ASSERT_EQ(FrameBitmap::Build(source, 720, 488, {128, 128, 128}, built), 1);
    EXPECT_EQ(built.leftEdge, 61);
    EXPECT_EQ(built.rightMargin, 0);
    EXPECT_TRUE(PixelIs(built.frame, 60, 0, 128, 128, 128));
    EXPECT_TRUE(PixelIs(built.frame, 61, 0, 10, 20, 30));
    EXPECT_TRUE(PixelIs(built.frame, 760, 487, 10, 20, 30));
    EXPECT_TRUE(PixelIs(built.frame, 761, 487, 128, 128, 128));
    EXPECT_TRUE(PixelIs(built.preview, 9, 0, 128, 128, 128));
    EXPECT_TRUE(PixelIs(built.preview, 10, 0, 10, 20, 30));
    EXPECT_TRUE(PixelIs(built.preview, 709, 0, 10, 20, 30));
    EXPECT_TRUE(PixelIs(built.preview, 710, 0, 128, 128, 128));
}

TEST(FrameBitmapPlacement, SourceBetweenWAndWPlus51LeavesARightMarginAndOddCentringRoundsDown) {
    // Rows 0-2 red, rows 3-4 green: a taller source keeps its top H rows.
    Bitmap source = Filled(750, 5, 255, 0, 0);
    source.FillRect(0, 3, 750, 2, 0, 255, 0);
    FrameBitmap built;
    ASSERT_EQ(FrameBitmap::Build(source, 720, 4, {0, 0, 0}, built), 1);
    EXPECT_EQ(built.rightMargin, 822 - 51 - 750);
    EXPECT_TRUE(PixelIs(built.frame, 800, 0, 255, 0, 0));
    EXPECT_TRUE(PixelIs(built.frame, 801, 0, 0, 0, 0));
    EXPECT_TRUE(PixelIs(built.frame, 60, 3, 0, 255, 0));

    const Bitmap small = Filled(3, 3, 9, 9, 9);
    ASSERT_EQ(FrameBitmap::Build(small, 8, 6, {0, 0, 0}, built), 1);
    EXPECT_EQ(built.leftEdge, 51 + 2);
    EXPECT_TRUE(PixelIs(built.preview, 2, 1, 9, 9, 9));
    EXPECT_TRUE(PixelIs(built.preview, 2, 0, 0, 0, 0));
    EXPECT_TRUE(PixelIs(built.preview, 2, 4, 0, 0, 0));
}

TEST(FrameBitmapPlacement, EmptySourceOrImpossibleSizeLeavesTheResultAlone) {
    FrameBitmap built;
    built.leftEdge = 7;
    EXPECT_EQ(FrameBitmap::Build(Bitmap{}, 720, 488, {}, built), 0);
    EXPECT_EQ(FrameBitmap::Build(Filled(4, 4, 1, 1, 1), 0, 488, {}, built), 0);
    EXPECT_EQ(FrameBitmap::Build(Filled(4, 4, 1, 1, 1), Bitmap::kMaxSide, 4, {}, built), 0);
    EXPECT_EQ(built.leftEdge, 7);
    EXPECT_TRUE(built.frame.IsEmpty());
}

TEST(PicturePreviewRows, InterlacedLinesFillEvenRowsThenOddRows) {
    const int expected[] = {0, 2, 4, 6, 1, 3, 5, 7};
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(nimbrel::PicturePreview::RowOfLine(j, 8, true), expected[j]);
        EXPECT_EQ(nimbrel::PicturePreview::RowOfLine(j, 8, false), j);
    }
    // An odd count: the first field has the extra line.
    const int odd[] = {0, 2, 4, 1, 3};
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(nimbrel::PicturePreview::RowOfLine(j, 5, true), odd[j]);
    }
}

// A progressive 4:2:2 picture file of `lines` lines of `samples` black samples.
std::string PictureBytes(uint32_t samples, uint32_t lines) {
    std::string bytes;
    auto record = [&](uint16_t id, uint32_t length) {
        bytes += static_cast<char>(id >> 8);
        bytes += static_cast<char>(id & 0xFF);
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes += static_cast<char>((length >> shift) & 0xFF);
        }
    };
    record(0x0806, 2);
    bytes += std::string("\x00\x01", 2);
    record(0x0032, 2);
    bytes += std::string("\x41\x01", 2);
    record(0x8870, 0);
    std::string line;
    for (uint32_t k = 0; k < samples; ++k) {
        line += std::string("\x00\x40", 2);  // Y at black
    }
    for (uint32_t k = 0; k < samples; ++k) {
        line += std::string("\x02\x00", 2);  // chroma at zero
    }
    for (uint32_t j = 0; j < lines; ++j) {
        record(0x0072, 4 * samples);
        bytes += line;
    }
    record(0x0FFF, 0);
    return bytes;
}

class StepRecorder : public nimbrel::BuildProgress {
public:
    std::vector<int> steps;
    std::vector<int> kinds;
    int hidden = 0;
    void ShowProgress(int kind) override { kinds.push_back(kind); }
    bool StepProgress(int percent) override {
        steps.push_back(percent);
        return true;
    }
    void HideProgress() override { ++hidden; }
};

TEST(PicturePreviewRead, SizesTheFileClaimsAreCappedBeforeAnythingIsAllocated) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/p.pic").toStdString();
    auto check = [&](uint32_t samples, uint32_t lines) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << PictureBytes(samples, lines);
        StepRecorder progress;
        Bitmap out;
        const int code = nimbrel::PicturePreview::Read(path, "", progress, out);
        EXPECT_TRUE(out.IsEmpty());
        EXPECT_EQ(progress.kinds, std::vector<int>{1});
        EXPECT_EQ(progress.hidden, 1);
        return code;
    };
    EXPECT_EQ(check(Bitmap::kMaxSide + 2, 1), 32);
    EXPECT_EQ(check(2, Bitmap::kMaxSide + 1), 31);
    // A file with no lines has no width either.
    EXPECT_EQ(check(4, 0), 32);
}

TEST(PicturePreviewRead, LinesBecomeRowsWithProgressInWholePercents) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/p.pic").toStdString();
    std::ofstream(path, std::ios::binary) << PictureBytes(4, 3);
    StepRecorder progress;
    Bitmap out;
    ASSERT_EQ(nimbrel::PicturePreview::Read(path, "", progress, out), 0);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Height(), 3);
    EXPECT_TRUE(PixelIs(out, 3, 2, 0, 0, 0));
    EXPECT_EQ(progress.steps, (std::vector<int>{0, 33, 66}));

    // Not there at all: no progress is shown.
    StepRecorder none;
    EXPECT_EQ(nimbrel::PicturePreview::Read(path + ".gone", "", none, out), 30);
    EXPECT_TRUE(none.kinds.empty());
    EXPECT_EQ(out.Width(), 4);
}

TEST(FileChooserRules, StartFolderAndDefaultSuffix) {
    using nimbrel::FileChooser;
    EXPECT_EQ(FileChooser::StartFolder("", "/start"), "/start");
    EXPECT_EQ(FileChooser::StartFolder("/a/b.dir/c.bmp", "/start"), "/a/b.dir");
    EXPECT_EQ(FileChooser::WithSuffix("/a/b.dir/pic", "Pic", false), "/a/b.dir/pic.Pic");
    EXPECT_EQ(FileChooser::WithSuffix("/a/pic.PIC", "Pic", false), "/a/pic.PIC");
    EXPECT_EQ(FileChooser::WithSuffix("", "Pic", false), "");
    QTemporaryDir dir;
    const std::string bare = (dir.path() + "/noext").toStdString();
    std::ofstream(bare) << "x";
    // Open keeps an existing file named without an extension; Save adds one.
    EXPECT_EQ(FileChooser::WithSuffix(bare, "bmp", true), bare);
    EXPECT_EQ(FileChooser::WithSuffix(bare, "bmp", false), bare + ".bmp");
    EXPECT_EQ(FileChooser::WithSuffix(bare + "2", "bmp", true), bare + "2.bmp");
}

TEST(FileChooserRules, DialogsLeaveOverwriteToTheProgramAndIgnoreCase) {
    std::vector<platform::FileDialogRecord> records;
    auto previous = platform::SetFileDialogAnswerer(
        [&](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
            records.push_back(record);
            chosen = {"/work/x/pic"};
            return true;
        });
    std::string path = "/work/x";
    EXPECT_TRUE(
        nimbrel::FileChooser::Save(nullptr, "Pic File", "Pic Files (*.pic)|*.pic||", "Pic", path));
    EXPECT_EQ(path, "/work/x/pic.Pic");
    std::string opened = "/work/x";
    EXPECT_TRUE(nimbrel::FileChooser::Open(nullptr, "Bitmap File", "Bmp Files (*.bmp)|*.bmp", "bmp",
                                           opened));
    platform::SetFileDialogAnswerer(previous);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, platform::FileDialogKind::Save);
    EXPECT_FALSE(records[0].confirmOverwrite) << "the program asks code 46 itself";
    EXPECT_TRUE(records[0].caseInsensitiveFilters);
    EXPECT_EQ(records[0].initialPath, "/work/x");
    EXPECT_EQ(records[1].kind, platform::FileDialogKind::Open);
    EXPECT_TRUE(records[1].caseInsensitiveFilters);
}

TEST(BitmapLoadCodes, DepthFormatAndOtherFailuresHaveTheirCodes) {
    EXPECT_EQ(TMainForm::BitmapLoadCode(Bitmap::kOk), 0);
    EXPECT_EQ(TMainForm::BitmapLoadCode(Bitmap::kUnsupportedDepth), 28);
    EXPECT_EQ(TMainForm::BitmapLoadCode(Bitmap::kUnsupportedFormat), 29);
    for (Bitmap::ReadStatus status :
         {Bitmap::kOpenFailed, Bitmap::kNotBmp, Bitmap::kBadSize, Bitmap::kTruncated}) {
        EXPECT_EQ(TMainForm::BitmapLoadCode(status), 26);
    }
    EXPECT_STREQ(TMainForm::PixelFormatName(nullptr), "Invalid");
    const Bitmap one = Filled(2, 2, 0, 0, 0);
    EXPECT_STREQ(TMainForm::PixelFormatName(&one), "24bit");
}

// ---------------------------------------------------------------------------------------------
// The form, with scripted boxes and dialogs.

class ScriptedBoxes {
public:
    ScriptedBoxes() {
        m_previous =
            platform::SetMessageBoxAnswerer([this](const platform::MessageBoxRecord& record) {
                m_texts.push_back(record.text);
                if (m_answers.empty()) {
                    ADD_FAILURE() << "unexpected box: " << record.text;
                    return (record.type & platform::MB_TYPEMASK) == platform::MB_YESNO
                               ? platform::IDNO
                               : platform::IDOK;
                }
                const auto [text, answer] = m_answers.front();
                m_answers.pop_front();
                EXPECT_EQ(record.text, text);
                return answer;
            });
    }
    ~ScriptedBoxes() { platform::SetMessageBoxAnswerer(m_previous); }
    void Expect(const std::string& text, int answer = platform::IDOK) {
        m_answers.emplace_back(text, answer);
    }
    size_t Pending() const { return m_answers.size(); }
    std::vector<std::string> Take() { return std::exchange(m_texts, {}); }

private:
    std::deque<std::pair<std::string, int>> m_answers;
    std::vector<std::string> m_texts;
    platform::MessageBoxAnswerer m_previous;
};

class ScriptedDialogs {
public:
    ScriptedDialogs() {
        m_previous = platform::SetFileDialogAnswerer(
            [this](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
                m_records.push_back(record);
                if (m_answers.empty()) {
                    ADD_FAILURE() << "unexpected file dialog: " << record.title;
                    return false;
                }
                const std::string answer = m_answers.front();
                m_answers.pop_front();
                if (answer.empty()) {
                    return false;
                }
                chosen.push_back(answer);
                return true;
            });
    }
    ~ScriptedDialogs() { platform::SetFileDialogAnswerer(m_previous); }
    // An empty path answers Cancel.
    void Answer(const std::string& path) { m_answers.push_back(path); }
    size_t Pending() const { return m_answers.size(); }
    const std::vector<platform::FileDialogRecord>& Records() const { return m_records; }

private:
    std::deque<std::string> m_answers;
    std::vector<platform::FileDialogRecord> m_records;
    platform::FileDialogAnswerer m_previous;
};

std::string Msg(int code) {
    return "MSG" + std::to_string(code);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A progress that runs a hook on each step: a Cancel, or a close request in mid-loop.
class HookProgress : public nimbrel::BuildProgress {
public:
    std::function<bool()> onStep = [] { return true; };
    int shown = 0;
    int hidden = 0;
    void ShowProgress(int) override { ++shown; }
    bool StepProgress(int) override { return onStep(); }
    void HideProgress() override { ++hidden; }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path().toStdString();
        // Our own lock folder, so builds of other test programs running now do not collide.
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        setenv("XDG_RUNTIME_DIR", m_folder.c_str(), 1);
        WriteMainIni("");
    }
    void TearDown() override {
        DropForm();
        if (m_savedRuntime) {
            setenv("XDG_RUNTIME_DIR", m_savedRuntime->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    void WriteMainIni(const std::string& switches) {
        // The first of two equal keys wins, so the test's switches come before the usual ones.
        std::string text = "[NIMBREL]\n" + switches + "TOOL_ENABLED=TRUE\nTOOL_CAPTION=Raw Tool\n";
        for (const char* key : {"TEMP_FILE_1ST_Y=line.ddd", "TEMP_FILE_1ST_G=lineG.ddd",
                                "TEMP_FILE_1ST_B=lineB.ddd", "TEMP_FILE_1ST_R=lineR.ddd",
                                "TEMP_FILE_2ND_Y=line2.ddd", "TEMP_FILE_2ND_G=line2G.ddd",
                                "TEMP_FILE_2ND_B=line2B.ddd", "TEMP_FILE_2ND_R=line2R.ddd"}) {
            text += std::string(key) + "\n";
        }
        text += "[NIMBREL_HINT_ENGLISH]\nFILE_OPEN=Open a bitmap\nCHECKBOX_GBR=G B R files\n";
        text += "[NIMBREL_MSG_ENGLISH]\n";
        for (int code = 0; code < nimbrel::kMessageCodeCount; ++code) {
            text += std::string(nimbrel::MessageByCode::KeyName(code)) + "=" + Msg(code) + "\n";
        }
        text +=
            "[NIMBREL_FORMAT_0]\nCAPTION=Small &A\nWIDTH=64\nHEIGHT=8\nMISC=0\n"
            "[NIMBREL_FORMAT_1]\nCAPTION=Small B\nWIDTH=64\nHEIGHT=8\nMISC=2\n"
            "SHOW_GBROUTPUTCHECK=TRUE\n"
            "[NIMBREL_FORMAT_2]\nCAPTION=Tall\nWIDTH=32\nHEIGHT=12\nMISC=1\nPROGRESSIVE=TRUE\n"
            "[NIMBREL_FORMAT_3]\nCAPTION=Shot\nWIDTH=320\nHEIGHT=240\nMISC=1\n"
            "PROGRESSIVE=TRUE\n";
        std::ofstream(Path("Nimbrel.ini"), std::ios::binary) << text;
    }

    // The about box and progress form are the form's children: they go first.
    void DropForm() {
        m_progress.reset();
        m_about.reset();
        m_form.reset();
    }

    void MakeForm() {
        m_job = std::make_unique<nimbrel::CFileMakeInfo>(m_folder);
        m_settings = std::make_unique<nimbrel::CSettingMngInfo>(m_job->MainIni(),
                                                                Path("Nimbrel_Setting.ini"));
        m_form = std::make_unique<TMainForm>(*m_job, *m_settings);
        m_about = std::make_unique<nimbrel::TAboutBox>(m_form.get());
        // Not a child of the main form: disabling the form would disable it too.
        m_progress = std::make_unique<nimbrel::TProgressForm>();
        m_progress->SetForms(m_form.get(), nullptr);
        m_form->SetForms(m_about.get(), m_progress.get(), nullptr);
        m_form->show();
    }

    // Pairs of equal pixels, so 4:2:2 chroma loses nothing and the preview can be compared.
    std::string WriteSource(const std::string& name, int width, int height) {
        Bitmap bitmap;
        bitmap.Create(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bitmap.SetPixel(x, y, static_cast<uint8_t>((x / 2) * 37 % 256),
                                static_cast<uint8_t>(255 - y * 29 % 256),
                                static_cast<uint8_t>(60 + (x / 2 + y) * 13 % 180));
            }
        }
        const std::string path = Path(name);
        EXPECT_EQ(bitmap.WriteBmpFile(path), 1);
        return path;
    }

    // A 4 x 2 BMP with 8 bits per pixel and a 256-colour palette.
    std::string WritePaletteBmp(const std::string& name) {
        std::string bytes;
        auto u16 = [&](uint32_t v) {
            bytes += static_cast<char>(v & 0xFF);
            bytes += static_cast<char>((v >> 8) & 0xFF);
        };
        auto u32 = [&](uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        const uint32_t offset = 14 + 40 + 1024;
        bytes += "BM";
        u32(offset + 8);
        u32(0);
        u32(offset);
        u32(40);
        u32(4);
        u32(2);
        u16(1);
        u16(8);
        u32(0);
        u32(8);
        u32(2835);
        u32(2835);
        u32(256);
        u32(0);
        bytes += std::string(1024 + 8, '\x01');
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void OpenBitmap(const std::string& path) {
        m_dialogs.Answer(path);
        m_form->FileOpenExecute();
    }

    std::vector<std::string> TempFilesLeft() const {
        std::vector<std::string> left;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files)) {
            if (name.contains(".ddd")) {
                left.push_back(name.toStdString());
            }
        }
        return left;
    }

    QAction* Act(TMainForm::ActionId id) const { return m_form->Action(id); }

    QTemporaryDir m_dir;
    std::string m_folder;
    std::optional<std::string> m_savedRuntime;
    ScriptedBoxes m_boxes;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<nimbrel::CFileMakeInfo> m_job;
    std::unique_ptr<nimbrel::CSettingMngInfo> m_settings;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<nimbrel::TAboutBox> m_about;
    std::unique_ptr<nimbrel::TProgressForm> m_progress;
};

TEST_F(MainFormTest, ActionsStartWithTheirCaptionsShortcutsAndStates) {
    MakeForm();
    struct Expected {
        TMainForm::ActionId id;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    const Expected expected[] = {
        {TMainForm::kActOpen, "&Open...", "Ctrl+O", true},
        {TMainForm::kActSaveFrame, "&Save Frame Bmp As...", "Ctrl+S", false},
        {TMainForm::kActSavePic, "S&ave Pic Bmp As...", "Ctrl+A", false},
        {TMainForm::kActExit, "E&xit", "Ctrl+X", true},
        {TMainForm::kActBuildFrame, "&Build Frame Bmp", "Ctrl+B", false},
        {TMainForm::kActBuildPicFile, "Buil&d Pic File", "Ctrl+D", false},
        {TMainForm::kActBuildPicBmp, "Build &Pic Bmp", "Ctrl+P", true},
        {TMainForm::kActCascade, "&Cascade", "", true},
        {TMainForm::kActHorizontal, "&Horizonal", "", true},
        {TMainForm::kActVertical, "&Vertical", "", true},
        {TMainForm::kActMinimizeAll, "&MinimizeAll", "", true},
        {TMainForm::kActArrangeIcon, "&ArrangeIcon", "", true},
        {TMainForm::kActTool, "&Tool...", "", true},
        {TMainForm::kActAbout, "&About Nimbrel...", "", true},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(Act(e.id)->text().toStdString(), e.caption);
        EXPECT_EQ(Act(e.id)->shortcut().toString().toStdString(), e.shortcut) << e.caption;
        EXPECT_EQ(Act(e.id)->isEnabled(), e.enabled) << e.caption;
    }
    EXPECT_TRUE(Act(TMainForm::kActTool)->isVisible());
    EXPECT_EQ(Act(TMainForm::kActOpen)->statusTip(), "Open a bitmap");
    // A hint shows in the form's status bar while its item is under the pointer.
    Act(TMainForm::kActOpen)->showStatusText(m_form.get());
    EXPECT_EQ(m_form->MainStatus(), "Open a bitmap");
    EXPECT_EQ(m_form->GbrCheck()->text(), "GBR Output");
    EXPECT_EQ(m_form->GbrCheck()->statusTip(), "G B R files");
    EXPECT_FALSE(m_form->GbrCheckShown());
    EXPECT_EQ(m_form->windowTitle(), "Nimbrel");
}

TEST_F(MainFormTest, ToolIsHiddenUnlessEnabledAndDisablesTheFormWhileOpen) {
    WriteMainIni("TOOL_ENABLED=FALSE\n");
    MakeForm();
    EXPECT_FALSE(Act(TMainForm::kActTool)->isVisible());
    DropForm();
    WriteMainIni("");
    MakeForm();
    nimbrel::TToolForm tool(*m_settings, *m_job, *m_progress, m_form->Switches(), m_form.get());
    m_form->SetForms(m_about.get(), m_progress.get(), &tool);
    m_form->ToolExecute();
    EXPECT_TRUE(tool.isVisible());
    EXPECT_FALSE(m_form->isEnabled());
    tool.close();
    EXPECT_TRUE(m_form->isEnabled());

    // Closing the main form takes the open tool with it.
    m_form->ToolExecute();
    m_form->close();
    EXPECT_FALSE(tool.isVisible());
    EXPECT_FALSE(m_form->isVisible());
}

// Wherever the main form sits, the tool opens over its middle and stays on the screen.
TEST_F(MainFormTest, ToolOpensCentredOverTheMainForm) {
    MakeForm();
    nimbrel::TToolForm tool(*m_settings, *m_job, *m_progress, m_form->Switches(), m_form.get());
    m_form->SetForms(m_about.get(), m_progress.get(), &tool);
    const QRect screen = m_form->screen()->availableGeometry();
    struct Placement {
        const char* name;
        QRect main;
        bool atTheEdge;
    };
    const Placement placements[] = {
        {"inside the screen", QRect(screen.topLeft() + QPoint(40, 30), QSize(640, 480)), false},
        {"at the bottom right", QRect(screen.bottomRight() - QPoint(200, 120), QSize(640, 480)),
         true},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.name);
        m_form->setGeometry(p.main);
        QApplication::processEvents();
        m_form->ToolExecute();
        QApplication::processEvents();
        const QRect shown = tool.frameGeometry();
        EXPECT_TRUE(screen.contains(shown));
        if (!p.atTheEdge) {
            EXPECT_LE((shown.center() - m_form->frameGeometry().center()).manhattanLength(), 1);
        }
        tool.close();
    }
}

TEST_F(MainFormTest, PicturesKeepTheirColoursWhileTheToolDisablesTheForm) {
    MakeForm();
    ASSERT_EQ(Filled(60, 40, 200, 30, 90).WriteBmpFile(Path("red.bmp")), 1);
    OpenBitmap(Path("red.bmp"));
    nimbrel::TToolForm tool(*m_settings, *m_job, *m_progress, m_form->Switches(), m_form.get());
    m_form->SetForms(m_about.get(), m_progress.get(), &tool);
    m_form->ToolExecute();
    ASSERT_FALSE(m_form->isEnabled());
    auto* view = m_form->SlotWindow(TMainForm::kSlotBmp)->findChild<nimbrel::PictureView*>();
    ASSERT_NE(view, nullptr);
    const QImage shown = view->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(60, 40));
    EXPECT_EQ(shown.pixelColor(30, 20), QColor(200, 30, 90));
    tool.close();
}

// However large the picture, its window opens inside the client area and no larger: the
// title bar stays within reach and the picture scrolls inside the window.
TEST_F(MainFormTest, ViewWindowsOpenInsideTheClientAreaAtMostItsSize) {
    MakeForm();
    m_form->resize(520, 300);
    QApplication::processEvents();
    m_form->ClickFormatMenu(3);  // 320 x 240: the frame and preview are taller than the area
    OpenBitmap(WriteSource("large.bmp", 900, 700));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("large.pic"));
    m_form->BuildPicFileExecute();
    m_dialogs.Answer(Path("large.pic"));
    m_form->BuildPicBmpExecute();
    QApplication::processEvents();

    const QRect area = m_form->MdiArea()->viewport()->rect();
    ASSERT_LT(area.height(), 240);
    for (int slot : {TMainForm::kSlotBmp, TMainForm::kSlotFrame, TMainForm::kSlotPic}) {
        SCOPED_TRACE(slot);
        nimbrel::TMDIChild* window = m_form->SlotWindow(slot);
        ASSERT_NE(window, nullptr);
        const QRect placed = window->geometry();
        EXPECT_TRUE(area.contains(placed))
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        EXPECT_EQ(placed.bottom(), area.bottom());
        auto* scroll = window->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    }
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotBmp)->width(), area.width());
    // Each opens below and right of the one before, so no window hides another's title bar.
    const QPoint bmp = m_form->SlotWindow(TMainForm::kSlotBmp)->pos();
    const QPoint frame = m_form->SlotWindow(TMainForm::kSlotFrame)->pos();
    const QPoint pic = m_form->SlotWindow(TMainForm::kSlotPic)->pos();
    EXPECT_TRUE(bmp.x() < frame.x() && frame.x() < pic.x());
    EXPECT_TRUE(bmp.y() < frame.y() && frame.y() < pic.y());
    EXPECT_FALSE(m_form->MdiArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(m_form->MdiArea()->horizontalScrollBar()->isVisible());
}

TEST_F(MainFormTest, OpeningA24BitBitmapFillsTheFirstSlot) {
    MakeForm();
    const std::string path = WriteSource("source.bmp", 40, 6);
    OpenBitmap(path);
    ASSERT_EQ(m_dialogs.Records().size(), 1u);
    const platform::FileDialogRecord& record = m_dialogs.Records()[0];
    EXPECT_EQ(record.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(record.title, "Bitmap File");
    EXPECT_EQ(record.filter, "Bmp Files (*.bmp)|*.bmp");
    EXPECT_EQ(record.initialPath, m_folder);

    nimbrel::TMDIChild* window = m_form->SlotWindow(TMainForm::kSlotBmp);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "  BMP View - " + path + "  ");
    EXPECT_EQ(window->Status(), "BMP: 40(W) * 6(H) PixelFormat:24bit");
    EXPECT_EQ(m_form->MainStatus(), "");
    EXPECT_TRUE(Act(TMainForm::kActBuildFrame)->isEnabled());
    ASSERT_NE(m_form->SlotBitmap(TMainForm::kSlotBmp), nullptr);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotBmp)->Width(), 40);

    // The next dialog starts in the folder of the bitmap just opened.
    QDir().mkpath(m_dir.path() + "/sub");
    const std::string other = m_folder + "/sub/other.bmp";
    Filled(4, 2, 1, 2, 3).WriteBmpFile(other);
    OpenBitmap(other);
    EXPECT_EQ(m_dialogs.Records()[1].initialPath, m_folder);
    OpenBitmap(other);
    EXPECT_EQ(m_dialogs.Records()[2].initialPath, m_folder + "/sub");
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotBmp), window);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotBmp)->Width(), 4);
}

TEST_F(MainFormTest, PaletteAndBrokenBitmapsAreRefusedAndTheSlotStaysAsItWas) {
    MakeForm();
    OpenBitmap(WriteSource("good.bmp", 40, 6));
    const auto before = m_form->SlotBitmap(TMainForm::kSlotBmp);

    m_boxes.Expect(Msg(28));
    OpenBitmap(WritePaletteBmp("palette.bmp"));
    m_boxes.Expect(Msg(26));
    std::ofstream(Path("broken.bmp"), std::ios::binary) << "BM not really";
    OpenBitmap(Path("broken.bmp"));
    m_boxes.Expect(Msg(26));
    OpenBitmap(Path("missing.bmp"));
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotBmp), before);
    EXPECT_EQ(m_form->MainStatus(), "");
    // The window went on showing the good bitmap, and its status says so again.
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotBmp)->Status(),
              "BMP: 40(W) * 6(H) PixelFormat:24bit");

    // Cancel in the dialog does nothing at all.
    m_dialogs.Answer("");
    m_form->FileOpenExecute();
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotBmp), before);
}

TEST_F(MainFormTest, FrameBitmapIsBuiltForTheSelectedFormatAndItsWindowClosesCleanly) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    auto frame = m_form->SlotBitmap(TMainForm::kSlotFrame);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Width(), 64 + 102);
    EXPECT_EQ(frame->Height(), 8);
    EXPECT_EQ(m_form->LeftEdge(), 51 + 12);
    nimbrel::TMDIChild* window = m_form->SlotWindow(TMainForm::kSlotFrame);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Picture().Width(), 64);
    EXPECT_EQ(window->Status(), "FrameBMP: 64(W) * 8(H) PixelFormat:24bit (FormatName:Small A)");
    EXPECT_TRUE(Act(TMainForm::kActSaveFrame)->isEnabled());
    EXPECT_TRUE(Act(TMainForm::kActBuildPicFile)->isEnabled());
    // Background black (the default choice) above the centred picture.
    EXPECT_TRUE(PixelIs(*frame, 70, 0, 0, 0, 0));

    window->close();
    QApplication::processEvents();
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotFrame), nullptr);
    EXPECT_FALSE(Act(TMainForm::kActBuildPicFile)->isEnabled());
    EXPECT_FALSE(Act(TMainForm::kActSaveFrame)->isEnabled());
    EXPECT_TRUE(Act(TMainForm::kActBuildFrame)->isEnabled());
    m_boxes.Expect(Msg(1));
    m_form->FileSaveFrameBmpExecute();

    m_form->SlotWindow(TMainForm::kSlotBmp)->close();
    QApplication::processEvents();
    EXPECT_FALSE(Act(TMainForm::kActBuildFrame)->isEnabled());
}

TEST_F(MainFormTest, SelectionAsksOnlyWhenAFrameBitmapWouldBeReplaced) {
    MakeForm();
    // No frame bitmap: nothing is asked and nothing is built.
    m_form->ClickBackColorMenu(2);
    m_form->ClickFormatMenu(2);
    EXPECT_EQ(m_settings->SelectedBackground(), 2);
    EXPECT_EQ(m_settings->SelectedFormat(), 2);
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotFrame), nullptr);
    m_form->ClickFormatMenu(0);

    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    const auto frame = m_form->SlotBitmap(TMainForm::kSlotFrame);
    EXPECT_TRUE(PixelIs(*frame, 70, 0, 0, 0, 255));

    m_boxes.Expect(Msg(49), platform::IDNO);
    m_form->ClickBackColorMenu(5);
    EXPECT_EQ(m_settings->SelectedBackground(), 2);
    EXPECT_EQ(m_settings->BackgroundCaption(2), "BLUE  *");
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotFrame), frame);

    // The same colour again needs no new frame: no question.
    m_form->ClickBackColorMenu(2);
    // A format of the same size needs no new frame either.
    m_form->ClickFormatMenu(1);
    EXPECT_EQ(m_settings->SelectedFormat(), 1);
    EXPECT_TRUE(m_form->GbrCheckShown());
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotFrame), frame);
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotFrame)->Status(),
              "FrameBMP: 64(W) * 8(H) PixelFormat:24bit (FormatName:Small B)");

    m_boxes.Expect(Msg(48), platform::IDNO);
    m_form->ClickFormatMenu(2);
    EXPECT_EQ(m_settings->SelectedFormat(), 1);
    EXPECT_TRUE(m_form->FormatMenu()->actions()[1]->isChecked());
    EXPECT_FALSE(m_form->FormatMenu()->actions()[2]->isChecked());

    m_boxes.Expect(Msg(49), platform::IDYES);
    m_form->ClickBackColorMenu(5);
    const auto red = m_form->SlotBitmap(TMainForm::kSlotFrame);
    ASSERT_NE(red, frame);
    EXPECT_TRUE(PixelIs(*red, 70, 0, 255, 0, 0));
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotFrame)->Status(),
              "FrameBMP: 64(W) * 8(H) PixelFormat:24bit (FormatName:Small B)");

    m_boxes.Expect(Msg(48), platform::IDYES);
    m_form->ClickFormatMenu(2);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotFrame)->Width(), 32 + 102);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotFrame)->Height(), 12);
    // A frame bitmap from a source wider than the format: no background at the left.
    EXPECT_EQ(m_form->LeftEdge(), 51);
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(MainFormTest, PictureFileIsBuiltSavedAndPreviewedBack) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("out"));
    m_form->BuildPicFileExecute();
    const platform::FileDialogRecord& save = m_dialogs.Records().back();
    EXPECT_EQ(save.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(save.title, "Pic File");
    EXPECT_EQ(save.filter, "Pic Files (*.pic)|*.pic");
    // The default extension is added to a name typed without one.
    for (const char* name : {"out.Pic", "out_G.Pic", "out_B.Pic", "out_R.Pic"}) {
        EXPECT_TRUE(QFile::exists(QString::fromStdString(Path(name)))) << name;
    }
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_EQ(m_form->LastPicPath(), Path("out.Pic"));
    EXPECT_FALSE(m_progress->isVisible());
    EXPECT_TRUE(m_form->isEnabled());

    m_dialogs.Answer(Path("out.Pic"));
    m_form->BuildPicBmpExecute();
    EXPECT_EQ(m_dialogs.Records().back().filter, "Pic Files (*.pic)|*.pic");
    EXPECT_EQ(m_dialogs.Records().back().initialPath, m_folder);
    const auto preview = m_form->SlotBitmap(TMainForm::kSlotPic);
    ASSERT_NE(preview, nullptr);
    const Bitmap& shown = m_form->SlotWindow(TMainForm::kSlotFrame)->Picture();
    ASSERT_EQ(preview->Width(), shown.Width());
    ASSERT_EQ(preview->Height(), shown.Height());
    // Interlaced: lines come back in their fields and must land on their own rows.
    int worst = 0;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int i = 0; i < shown.Width() * 3; ++i) {
            worst = std::max(worst, std::abs(preview->Row(y)[i] - shown.Row(y)[i]));
        }
    }
    EXPECT_LE(worst, 2);
    EXPECT_TRUE(Act(TMainForm::kActSavePic)->isEnabled());
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotPic)->Status(),
              "PicBMP: 64(W) * 8(H) PixelFormat:24bit");
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotPic)->windowTitle().toStdString(),
              "  PicBMP View - " + Path("out.Pic") + "  ");

    // Saved as a bitmap, the preview reads back as it is shown.
    m_dialogs.Answer(Path("preview.bmp"));
    m_form->FileSavePicBmpExecute();
    Bitmap saved;
    int depth = 0;
    ASSERT_EQ(saved.ReadBmpFile(Path("preview.bmp"), depth), Bitmap::kOk);
    EXPECT_EQ(saved.ToBmp(), preview->ToBmp());
}

TEST_F(MainFormTest, AnExistingPictureIsReplacedOnlyWhenTheOperatorSaysSo) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("bars.pic"));
    m_form->BuildPicFileExecute();
    const std::string original = ReadAll(Path("bars.pic"));
    ASSERT_FALSE(original.empty());

    m_boxes.Expect(Msg(49), platform::IDYES);
    m_form->ClickBackColorMenu(8);
    // Not replaced, not quit: the dialog comes back; then Cancel drops the build.
    m_dialogs.Answer(Path("bars.pic"));
    m_boxes.Expect("'bars.pic' " + Msg(46), platform::IDNO);
    m_boxes.Expect(Msg(47), platform::IDNO);
    m_dialogs.Answer("");
    m_form->BuildPicFileExecute();
    EXPECT_EQ(ReadAll(Path("bars.pic")), original);
    EXPECT_TRUE(TempFilesLeft().empty());

    // Not replaced, quit.
    m_dialogs.Answer(Path("bars.pic"));
    m_boxes.Expect("'bars.pic' " + Msg(46), platform::IDNO);
    m_boxes.Expect(Msg(47), platform::IDYES);
    m_form->BuildPicFileExecute();
    EXPECT_EQ(ReadAll(Path("bars.pic")), original);
    EXPECT_TRUE(TempFilesLeft().empty());

    m_dialogs.Answer(Path("bars.pic"));
    m_boxes.Expect("'bars.pic' " + Msg(46), platform::IDYES);
    m_form->BuildPicFileExecute();
    EXPECT_NE(ReadAll(Path("bars.pic")), original);
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(m_dialogs.Pending(), 0u);
}

TEST_F(MainFormTest, SavingOverATemporaryFileIsRefusedAndTheDialogComesBack) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    // A first build leaves the job holding its temporary names.
    m_dialogs.Answer(Path("first.pic"));
    m_form->BuildPicFileExecute();
    const std::string temp = m_job->GetTempFileName(1, nimbrel::kComponentG);
    ASSERT_FALSE(temp.empty());
    m_dialogs.Answer(temp);
    m_boxes.Expect(Msg(40));
    m_dialogs.Answer(Path("fine.pic"));
    m_form->BuildPicFileExecute();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("fine_G.pic"))));
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(m_dialogs.Pending(), 0u);
}

TEST_F(MainFormTest, ABuildRefusedByTheLockOrCancelledWritesNothing) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    {
        platform::NamedMutex other("Nimbrel");
        ASSERT_EQ(other.TryLock(), 1);
        m_boxes.Expect(Msg(37));
        m_form->BuildPicFileExecute();
    }
    HookProgress cancel;
    cancel.onStep = [] { return false; };
    m_form->SetForms(m_about.get(), &cancel, nullptr);
    m_boxes.Expect(Msg(24));
    m_form->BuildPicFileExecute();
    EXPECT_EQ(cancel.shown, 1);
    EXPECT_EQ(cancel.hidden, 1);
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("out.pic"))));
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_FALSE(m_form->LoopRunning());
}

TEST_F(MainFormTest, FilterWithoutLeftBackgroundWarnsThenBuilds) {
    MakeForm();
    m_form->ClickFormatMenu(2);  // 32 wide: the 40-wide source leaves no background at the left
    m_form->ClickFilterMenu(1);
    std::ofstream(Path("Nimbrel_Filter.ini"), std::ios::binary) << [] {
        std::string text = "[NIMBREL_FILTER_ULMETH]\n";
        for (int i = 0; i < 51; ++i) {
            const char* tap = i == 25 ? "1.0" : "0";
            text += "FILTER_KEISU_Y_" + std::to_string(i) + "=" + tap + "\n";
            text += "FILTER_KEISU_PBPR_" + std::to_string(i) + "=" + tap + "\n";
        }
        return text;
    }();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    EXPECT_EQ(m_form->LeftEdge(), 51);
    m_boxes.Expect(Msg(36));
    m_dialogs.Answer(Path("filtered.pic"));
    m_form->BuildPicFileExecute();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("filtered.pic"))));
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(MainFormTest, PreviewFailuresLeaveThePreviewSlotAsItWas) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("good.pic"));
    m_form->BuildPicFileExecute();
    m_dialogs.Answer(Path("good.pic"));
    m_form->BuildPicBmpExecute();
    const auto preview = m_form->SlotBitmap(TMainForm::kSlotPic);
    ASSERT_NE(preview, nullptr);

    m_boxes.Expect(Msg(30));
    m_dialogs.Answer(Path("none.pic"));
    m_form->BuildPicBmpExecute();

    std::ofstream(Path("junk.pic"), std::ios::binary) << std::string("\x00\x32\xFF\xFF\xFF\xFA", 6);
    m_boxes.Expect(Msg(34));
    m_dialogs.Answer(Path("junk.pic"));
    m_form->BuildPicBmpExecute();

    // Cancel while the lines are read.
    const std::string good = ReadAll(Path("good.pic"));
    HookProgress cancel;
    cancel.onStep = [] { return false; };
    m_form->SetForms(m_about.get(), &cancel, nullptr);
    m_boxes.Expect(Msg(24));
    m_dialogs.Answer(Path("good.pic"));
    m_form->BuildPicBmpExecute();
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotPic), preview);
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(good, ReadAll(Path("good.pic")));
    EXPECT_EQ(m_form->SlotWindow(TMainForm::kSlotPic)->Status(),
              QString("PicBMP: %1(W) * %2(H) PixelFormat:24bit")
                  .arg(preview->Width())
                  .arg(preview->Height()));
}

TEST_F(MainFormTest, CloseIsRefusedWhileALoopRunsAndSavesTheChoicesAfter) {
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    HookProgress closer;
    bool stillOpen = true;
    closer.onStep = [&] {
        m_form->close();
        stillOpen = stillOpen && m_form->isVisible();
        return true;
    };
    m_form->SetForms(m_about.get(), &closer, nullptr);
    m_dialogs.Answer(Path("kept.pic"));
    m_form->BuildPicFileExecute();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("kept.pic"))));

    m_boxes.Expect(Msg(49), platform::IDYES);
    m_form->ClickBackColorMenu(4);
    m_form->ClickBackColorMenu(4);  // same colour: no question
    m_form->ClickFilterMenu(1);
    m_boxes.Take();
    m_form->close();
    EXPECT_FALSE(m_form->isVisible());
    const std::string saved = ReadAll(Path("Nimbrel_Setting.ini"));
    EXPECT_NE(saved.find("COLOR=4"), std::string::npos) << saved;
    EXPECT_NE(saved.find("FILTER=1"), std::string::npos);
    EXPECT_NE(saved.find("FORMAT=0"), std::string::npos);
    EXPECT_NE(saved.find("RGBOUTPUT=0"), std::string::npos);
}

TEST_F(MainFormTest, DebugModeSavesTheFrameWithItsMarginsBesideThePicture) {
    WriteMainIni("DEBUG_MODE=ON\n");
    MakeForm();
    OpenBitmap(WriteSource("source.bmp", 40, 6));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("frame.bmp"));
    m_form->FileSaveFrameBmpExecute();
    Bitmap picture;
    Bitmap debug;
    int depth = 0;
    ASSERT_EQ(picture.ReadBmpFile(Path("frame.bmp"), depth), Bitmap::kOk);
    ASSERT_EQ(debug.ReadBmpFile(Path("frame.bmp.debug.bmp"), depth), Bitmap::kOk);
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(debug.Width(), 64 + 102);

    // An existing file is asked about; No keeps it.
    m_dialogs.Answer(Path("frame.bmp"));
    m_boxes.Expect("'frame.bmp' " + Msg(46), platform::IDNO);
    m_form->FileSaveFrameBmpExecute();
    EXPECT_EQ(m_dialogs.Records().back().initialPath, m_folder);

    // A folder that cannot take the file: 27.
    m_dialogs.Answer(m_folder + "/no/such/folder/x.bmp");
    m_boxes.Expect(Msg(27));
    m_form->FileSaveFrameBmpExecute();
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(MainFormTest, ProgressFormShowsStepsCancelsAndGivesTheFormsBack) {
    MakeForm();
    QWidget tool;
    nimbrel::TProgressForm& progress = *m_progress;
    progress.ShowProgress(1);
    EXPECT_EQ(progress.windowTitle(), "BUILDING PIC BMP");
    EXPECT_EQ(progress.Text(), "Building PIC Bitmap . . .");
    EXPECT_EQ(progress.PercentText(), "0 %");
    EXPECT_EQ(progress.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(m_form->isEnabled());
    EXPECT_TRUE(progress.StepProgress(42));
    EXPECT_EQ(progress.PercentText(), "42 %");
    EXPECT_EQ(progress.Percent(), 42);
    progress.CancelButton()->click();
    EXPECT_FALSE(progress.StepProgress(43));
    progress.HideProgress();
    EXPECT_TRUE(m_form->isEnabled());
    EXPECT_FALSE(progress.isVisible());

    // Closing the form from outside is a Cancel; the loop hides it.
    progress.ShowProgress(2);
    EXPECT_EQ(progress.windowTitle(), "BUILDING PIC FILES");
    EXPECT_EQ(progress.Text(), "Building PIC File . . .");
    EXPECT_TRUE(progress.StepProgress(100));
    EXPECT_EQ(progress.PercentText(), "100 %");
    progress.close();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.StepProgress(100));
    progress.HideProgress();

    // With the tool open, the tool gets its input back and the main form stays disabled.
    m_progress->SetForms(m_form.get(), &tool);
    m_form->SetForms(m_about.get(), m_progress.get(), &tool);
    m_form->ToolExecute();
    progress.ShowProgress(2);
    EXPECT_FALSE(tool.isEnabled());
    progress.HideProgress();
    EXPECT_TRUE(tool.isEnabled());
    EXPECT_FALSE(m_form->isEnabled());
    tool.close();
    EXPECT_TRUE(m_form->isEnabled());
}

TEST(AboutBox, ShowsNameVersionAndPurpose) {
    nimbrel::TAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About Nimbrel");
    EXPECT_EQ(about.Labels(),
              QStringList({"Nimbrel Version 4.00",
                           "Bitmap to Frame Bitmap to convert BMP files to PIC files",
                           "that are used by Quarn Signal Generator."}));
    EXPECT_EQ(about.OkButton()->text(), "OK");
}

TEST_F(MainFormTest, ScreenshotOfBitmapFrameAndPreviewWindows) {
    MakeForm();
    m_form->resize(1100, 760);
    m_form->ClickFormatMenu(3);
    m_form->ClickBackColorMenu(0);
    Bitmap bars;
    bars.Create(280, 200);
    const uint8_t colours[7][3] = {{235, 235, 235}, {235, 235, 16}, {16, 235, 235}, {16, 235, 16},
                                   {235, 16, 235},  {235, 16, 16},  {16, 16, 235}};
    for (int i = 0; i < 7; ++i) {
        bars.FillRect(40 * i, 0, 40, 150, colours[i][0], colours[i][1], colours[i][2]);
    }
    for (int x = 0; x < 280; ++x) {
        const uint8_t level = static_cast<uint8_t>(x * 255 / 279);
        bars.FillRect(x, 150, 1, 50, level, level, level);
    }
    ASSERT_EQ(bars.WriteBmpFile(Path("bars.bmp")), 1);
    OpenBitmap(Path("bars.bmp"));
    m_form->BuildFrameBmpExecute();
    m_dialogs.Answer(Path("bars.pic"));
    m_form->BuildPicFileExecute();
    m_dialogs.Answer(Path("bars.pic"));
    m_form->BuildPicBmpExecute();
    m_form->Action(TMainForm::kActCascade)->trigger();
    QApplication::processEvents();
    const QString shots = QUARN_SCREENSHOT_DIR;
    QDir().mkpath(shots);
    const QPixmap shot = m_form->grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(shots + "/nimbrel_main.png"));
    m_form->Action(TMainForm::kActVertical)->trigger();
    QApplication::processEvents();
    m_form->grab().save(shots + "/nimbrel_main_tiled.png");

    m_progress->ShowProgress(2);
    m_progress->StepProgress(37);
    m_progress->grab().save(shots + "/nimbrel_progress.png");
    m_progress->HideProgress();
    m_about->grab().save(shots + "/nimbrel_about.png");
    QMenu* backgrounds = m_form->BackgroundMenu();
    backgrounds->adjustSize();
    backgrounds->grab().save(shots + "/nimbrel_background_menu.png");
}

}  // namespace
