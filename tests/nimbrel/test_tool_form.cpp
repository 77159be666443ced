// The raw tool's window driven as an operator drives it: file dialogs and boxes answered,
// radio items and buttons clicked, and the picture file it makes read back by the reader.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "nimbrel/BuildProgress.h"
#include "nimbrel/CBitmapMakeMng.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/RawBuild.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/TToolForm.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

using nimbrel::CFileMakeInfo;
using nimbrel::CSettingMngInfo;
using nimbrel::MainSwitches;
using nimbrel::RawBuild;
using nimbrel::TToolForm;

namespace {

class CountingProgress : public nimbrel::BuildProgress {
public:
    void ShowProgress(int kind) override { shown.push_back(kind); }
    bool StepProgress(int) override {
        if (onStep) {
            onStep();
            onStep = nullptr;
        }
        return true;
    }
    std::function<void()> onStep;
    void HideProgress() override { ++hidden; }
    std::vector<int> shown;
    int hidden = 0;
};

class ToolForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString();
        m_work = m_root + "/work";
        std::filesystem::create_directory(m_work);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
        m_job = std::make_unique<CFileMakeInfo>(m_work);
        m_settings = std::make_unique<CSettingMngInfo>(m_job->MainIni(), m_work + "/Setting.ini");
        m_previousBoxes = platform::SetMessageBoxAnswerer([this](const auto& record) {
            m_boxes.push_back(record);
            return m_boxAnswer;
        });
        m_previousDialogs = platform::SetFileDialogAnswerer(
            [this](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
                m_dialogs.push_back(record);
                if (m_dialogAnswers.empty()) {
                    ADD_FAILURE() << "unexpected file dialog " << record.title;
                    return false;
                }
                chosen.push_back(m_dialogAnswers.front());
                m_dialogAnswers.erase(m_dialogAnswers.begin());
                return true;
            });
    }
    void TearDown() override {
        platform::SetMessageBoxAnswerer(m_previousBoxes);
        platform::SetFileDialogAnswerer(m_previousDialogs);
        if (m_savedRuntime) {
            setenv("XDG_RUNTIME_DIR", m_savedRuntime->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

    void WriteMainIni(const std::string& text) {
        std::ofstream(m_job->MainIni(), std::ios::binary) << text;
    }
    std::unique_ptr<TToolForm> MakeForm(const MainSwitches& switches = MainSwitches{},
                                        QWidget* mainForm = nullptr) {
        m_settings->BuildFormatMenu(true);
        return std::make_unique<TToolForm>(*m_settings, *m_job, m_progress, switches, mainForm);
    }
    void WriteRaw(const std::string& path, unsigned value) {
        std::vector<char> bytes(RawBuild::kFileSize);
        for (size_t i = 0; i < bytes.size(); i += 2) {
            bytes[i] = static_cast<char>(value >> 8);
            bytes[i + 1] = static_cast<char>(value & 0xFF);
        }
        std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    }
    std::vector<std::string> Captions(const TToolForm& form) {
        std::vector<std::string> out;
        for (int i = 0; i < form.FormatItemCount(); ++i) {
            out.push_back(form.FormatItem(i)->text().toStdString());
        }
        return out;
    }

    QTemporaryDir m_dir;
    std::string m_root;
    std::string m_work;
    std::optional<std::string> m_savedRuntime;
    std::unique_ptr<CFileMakeInfo> m_job;
    std::unique_ptr<CSettingMngInfo> m_settings;
    CountingProgress m_progress;
    std::vector<platform::MessageBoxRecord> m_boxes;
    int m_boxAnswer = platform::IDOK;
    std::vector<platform::FileDialogRecord> m_dialogs;
    std::vector<std::string> m_dialogAnswers;
    platform::MessageBoxAnswerer m_previousBoxes;
    platform::FileDialogAnswerer m_previousDialogs;
};

const char kSdOnly[] =
    "[NIMBREL_FORMAT_0]\nCAPTION=525\nWIDTH=720\nHEIGHT=488\nMISC=16\nFORMAT=NTSC\n";

}  // namespace

TEST_F(ToolForm, FormatGroupHoldsOnlyPlainFullHdFormatsAndIsReadAgainOnShow) {
    auto form = MakeForm();
    form->ShowTool();
    // The built-in formats: of the 1920 x 1080 ones, all four are plain.
    EXPECT_EQ(Captions(*form),
              (std::vector<std::string>{"1080 23p", "1080 23s", "1080 50i", "1080 59i"}));
    EXPECT_TRUE(form->FormatItem(3)->isChecked());
    EXPECT_TRUE(form->BuildButton()->isEnabled());
    EXPECT_EQ(form->CurrentJob().format.caption, "1080 59i");

    // Double width, 4:4:4, 12-bit and other sizes stay out; the group follows the menu.
    WriteMainIni(
        "[NIMBREL_FORMAT_0]\nCAPTION=A\nWIDTH=1920\nHEIGHT=1080\nMISC=0\n"
        "[NIMBREL_FORMAT_1]\nCAPTION=B\nWIDTH=1920\nHEIGHT=1080\nMISC=0\n444_YPBPR=TRUE\n"
        "[NIMBREL_FORMAT_2]\nCAPTION=C\nWIDTH=1920\nHEIGHT=1080\nMISC=0\n12BIT_OUTPUT=TRUE\n"
        "[NIMBREL_FORMAT_3]\nCAPTION=D\nWIDTH=960\nHEIGHT=1080\nMISC=0\nDOUBLEWIDTH=TRUE\n"
        "[NIMBREL_FORMAT_4]\nCAPTION=E\nWIDTH=1920\nHEIGHT=1035\nMISC=7\n"
        "[NIMBREL_FORMAT_5]\nCAPTION=F\nWIDTH=1920\nHEIGHT=1080\nMISC=2\nPROGRESSIVE=TRUE\n");
    m_settings->BuildFormatMenu(true);
    form->ShowTool();
    EXPECT_EQ(Captions(*form), (std::vector<std::string>{"A", "F"}));
    EXPECT_TRUE(form->FormatItem(1)->isChecked());
    EXPECT_TRUE(form->CurrentJob().format.progressive);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ToolForm, EmptyFormatGroupDisablesBuild) {
    WriteMainIni(kSdOnly);
    auto form = MakeForm();
    form->ShowTool();
    EXPECT_EQ(form->FormatItemCount(), 0);
    EXPECT_FALSE(form->BuildButton()->isEnabled());
    form->BuildButton()->click();
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(m_progress.shown.empty());
}

TEST_F(ToolForm, CaptionHintAndFieldsEmptiedOnEveryShow) {
    auto plain = MakeForm();
    EXPECT_EQ(plain->windowTitle(), "Tool");
    MainSwitches switches;
    switches.toolCaption = "Raw Converter";
    switches.toolHint = "Builds a picture file from raw files";
    auto form = MakeForm(switches);
    EXPECT_EQ(form->windowTitle(), "Raw Converter");
    EXPECT_EQ(form->toolTip(), "Builds a picture file from raw files");
    EXPECT_EQ(form->PathButton(TToolForm::kInputY)->text(), "Input As Y  / G");
    EXPECT_EQ(form->PathButton(TToolForm::kInputPb)->text(), "Input As Pb / B");
    EXPECT_EQ(form->PathButton(TToolForm::kInputPr)->text(), "Input As Pr / R");
    EXPECT_EQ(form->PathButton(TToolForm::kOutput)->text(), "Output As");
    EXPECT_TRUE(form->InputFileItem(0)->isChecked());
    EXPECT_TRUE(form->FilterItem(0)->isChecked());
    for (int row = 0; row < TToolForm::kPathRows; ++row) {
        form->PathEdit(row)->setText("/somewhere/x.raw");
    }
    form->ShowTool();
    for (int row = 0; row < TToolForm::kPathRows; ++row) {
        EXPECT_TRUE(form->PathEdit(row)->text().isEmpty()) << row;
    }
}

TEST_F(ToolForm, MainFormIsDisabledWhileTheToolIsOpen) {
    QWidget mainForm;
    mainForm.show();
    auto form = MakeForm(MainSwitches{}, &mainForm);
    EXPECT_TRUE(form->isWindow());
    form->ShowTool();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(mainForm.isEnabled());
    EXPECT_TRUE(form->isEnabled());
    form->CloseButton()->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(mainForm.isEnabled());

    // Shown by a plain show() and closed from the window manager, too.
    form->PathEdit(TToolForm::kOutput)->setText("/left/over.pic");
    form->show();
    EXPECT_TRUE(form->PathEdit(TToolForm::kOutput)->text().isEmpty());
    EXPECT_FALSE(mainForm.isEnabled());
    form->close();
    EXPECT_TRUE(mainForm.isEnabled());
}

TEST_F(ToolForm, OperatorBuildsAPictureFileTheReaderReadsBack) {
    const std::string g = m_root + "/g.raw";
    const std::string b = m_root + "/b.raw";
    const std::string r = m_root + "/r.raw";
    const std::string out = m_root + "/green.pic";
    WriteRaw(g, 1023);
    WriteRaw(b, 0);
    WriteRaw(r, 0);
    auto form = MakeForm();
    form->ShowTool();

    m_dialogAnswers = {g, b, r, out};
    for (int row = 0; row < TToolForm::kPathRows; ++row) {
        form->PathButton(row)->click();
    }
    ASSERT_EQ(m_dialogs.size(), 4u);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(m_dialogs[row].kind, platform::FileDialogKind::Open);
        EXPECT_EQ(m_dialogs[row].title, "File");
        EXPECT_EQ(m_dialogs[row].filter, "All Files (*.*)|*.*||");
        EXPECT_EQ(m_dialogs[row].initialPath, m_work);  // empty fields start at start-up
    }
    EXPECT_EQ(m_dialogs[3].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(m_dialogs[3].title, "Pic File");
    EXPECT_EQ(m_dialogs[3].filter, "Pic Files (*.pic)|*.pic||");
    const std::string chosen[] = {g, b, r, out};
    for (int row = 0; row < TToolForm::kPathRows; ++row) {
        EXPECT_EQ(form->PathEdit(row)->text().toStdString(), chosen[row]) << row;
    }

    // A second choice starts in the folder of the path the field holds.
    m_dialogAnswers = {g};
    form->PathButton(TToolForm::kInputY)->click();
    EXPECT_EQ(m_dialogs.back().initialPath, m_root);

    form->InputFileItem(1)->click();
    form->FormatItem(0)->click();  // 1080 23p: progressive
    form->BuildButton()->click();
    EXPECT_EQ(form->LastCode(), 0);
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front().text;
    EXPECT_EQ(m_progress.shown, std::vector<int>{2});

    nimbrel::CBitmapMakeMng reader(out, m_job->MainIni());
    ASSERT_EQ(reader.Lines(), 1080u);
    ASSERT_EQ(reader.SamplesPerLine(), 1920u);
    EXPECT_EQ(reader.Scan().formatWord, 0x4103);
    std::vector<nimbrel::Bgr> row;
    for (uint32_t line = 0; line < 1080; ++line) {
        ASSERT_TRUE(reader.ReadLine(line, row)) << line;
    }
    // Pure green, back through the preview's inverse, within rounding.
    EXPECT_LE(row[700].b, 1);
    EXPECT_GE(row[700].g, 254);
    EXPECT_LE(row[700].r, 1);

    // Built again over the file: asked first, and No leaves it as it is.
    const auto size = std::filesystem::file_size(out);
    m_boxAnswer = platform::IDNO;
    form->InputFileItem(0)->click();
    form->BuildButton()->click();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].type & platform::MB_TYPEMASK, platform::MB_YESNO);
    EXPECT_NE(m_boxes[0].text.find(out), std::string::npos);
    EXPECT_EQ(form->LastCode(), RawBuild::kStoppedByOperator);
    EXPECT_EQ(std::filesystem::file_size(out), size);
}

TEST_F(ToolForm, ErrorsAreShownWithTheirText) {
    WriteMainIni("[NIMBREL_MSG_ENGLISH]\nNIMBREL_ERR_FILE_NOT_SET=Choose all four files first.\n");
    auto form = MakeForm();
    form->ShowTool();
    form->BuildButton()->click();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Choose all four files first.");
    EXPECT_EQ(form->LastCode(), 38);
}

TEST_F(ToolForm, Screenshot) {
    MainSwitches switches;
    auto form = MakeForm(switches);
    form->ShowTool();
    form->PathEdit(TToolForm::kInputY)->setText("/data/raw/bars_y.raw");
    form->PathEdit(TToolForm::kInputPb)->setText("/data/raw/bars_pb.raw");
    form->PathEdit(TToolForm::kInputPr)->setText("/data/raw/bars_pr.raw");
    form->PathEdit(TToolForm::kOutput)->setText("/data/pic/bars.pic");
    form->resize(form->sizeHint());
    QCoreApplication::processEvents();
    const QString folder = QUARN_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    const QImage image = form->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 400);
    EXPECT_TRUE(image.save(folder + "/nimbrel_tool.png"));
}

TEST_F(ToolForm, ClosingTheToolDuringABuildIsRefused) {
    // The build pumps events; a close then would enable the main form under the running build.
    const std::string paths[] = {m_root + "/y.raw", m_root + "/pb.raw", m_root + "/pr.raw",
                                 m_root + "/out.pic"};
    for (int i = 0; i < 3; ++i) {
        WriteRaw(paths[i], 512);
    }
    QWidget mainForm;
    mainForm.show();
    auto form = MakeForm(MainSwitches{}, &mainForm);
    form->ShowTool();
    for (int row = 0; row < TToolForm::kPathRows; ++row) {
        form->PathEdit(row)->setText(QString::fromStdString(paths[row]));
    }
    bool visibleAfterClose = false;
    bool mainEnabledAfterClose = true;
    m_progress.onStep = [&] {
        form->close();
        visibleAfterClose = form->isVisible();
        mainEnabledAfterClose = mainForm.isEnabled();
    };
    form->BuildButton()->click();
    EXPECT_EQ(form->LastCode(), 0);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_FALSE(mainEnabledAfterClose);
    EXPECT_TRUE(std::filesystem::exists(paths[3]));
    form->CloseButton()->click();
    EXPECT_TRUE(mainForm.isEnabled());
}
