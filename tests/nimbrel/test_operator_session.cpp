// One session as the operator has it: the forms wired as the program wires them, the shipped
// ini files in the start folder, and every command reached through its menu action.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/MessageByCode.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/TAboutBox.h"
#include "nimbrel/ui/TMDIChild.h"
#include "nimbrel/ui/TMainForm.h"
#include "nimbrel/ui/TProgressForm.h"
#include "nimbrel/ui/TToolForm.h"
#include "platform/Bitmap.h"
#include "platform/FileDialogs.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "tests/nimbrel/ShippedFiles.h"

using nimbrel::TMainForm;
using platform::Bitmap;

namespace {

// Seven bars over a grey ramp, wide pairs of equal pixels so 4:2:2 loses nothing.
Bitmap Bars(int width, int height) {
    static const uint8_t kBars[7][3] = {{235, 235, 235}, {235, 235, 16}, {16, 235, 235},
                                        {16, 235, 16},   {235, 16, 235}, {235, 16, 16},
                                        {16, 16, 235}};
    Bitmap bitmap;
    bitmap.Create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (y < height * 2 / 3) {
                const uint8_t* bar = kBars[x * 7 / width];
                bitmap.SetPixel(x, y, bar[0], bar[1], bar[2]);
            } else {
                const uint8_t v = static_cast<uint8_t>(x * 255 / (width - 1));
                bitmap.SetPixel(x, y, v, v, v);
            }
        }
    }
    return bitmap;
}

class OperatorSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path().toStdString();
        for (const char* name : {"Nimbrel.ini", "Nimbrel_Filter.ini"}) {
            std::filesystem::copy_file(ShippedResourceDir() + name, m_folder + "/" + name);
        }
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        setenv("XDG_RUNTIME_DIR", m_folder.c_str(), 1);
        m_previousBoxes =
            platform::SetMessageBoxAnswerer([this](const platform::MessageBoxRecord& record) {
                m_texts.push_back(record.text);
                return platform::IDOK;
            });
        m_previousDialogs = platform::SetFileDialogAnswerer(
            [this](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
                m_records.push_back(record);
                if (m_answers.empty()) {
                    ADD_FAILURE() << "unexpected file dialog: " << record.title;
                    return false;
                }
                chosen.push_back(m_answers.front());
                m_answers.pop_front();
                return !chosen.back().empty();
            });
    }
    void TearDown() override {
        m_tool.reset();
        m_progress.reset();
        m_about.reset();
        m_form.reset();
        platform::SetMessageBoxAnswerer(m_previousBoxes);
        platform::SetFileDialogAnswerer(m_previousDialogs);
        if (m_savedRuntime) {
            setenv("XDG_RUNTIME_DIR", m_savedRuntime->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

    // The program's start: job and settings first, then the forms in their order.
    void Start() {
        m_job = std::make_unique<nimbrel::CFileMakeInfo>(m_folder);
        m_settings = std::make_unique<nimbrel::CSettingMngInfo>(m_job->MainIni(),
                                                                m_folder + "/Nimbrel_Setting.ini");
        m_form = std::make_unique<TMainForm>(*m_job, *m_settings);
        m_about = std::make_unique<nimbrel::TAboutBox>(m_form.get());
        m_progress = std::make_unique<nimbrel::TProgressForm>();
        m_tool = std::make_unique<nimbrel::TToolForm>(*m_settings, *m_job, *m_progress,
                                                      m_form->Switches(), m_form.get());
        m_progress->SetForms(m_form.get(), m_tool.get());
        m_form->SetForms(m_about.get(), m_progress.get(), m_tool.get());
        m_form->show();
    }

    void Trigger(TMainForm::ActionId id) {
        QAction* action = m_form->Action(id);
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        action->trigger();
        QApplication::processEvents();
    }

    static QAction* Item(QMenu* menu, const QString& caption) {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                return action;
            }
        }
        return nullptr;
    }

    std::string Text(int code) const {
        return nimbrel::MessageByCode::Text(code, true, m_job->MainIni());
    }

    std::vector<std::string> TempFilesLeft() const {
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".ddd") != std::string::npos || name.front() == '.') {
                left.push_back(name);
            }
        }
        return left;
    }

    QTemporaryDir m_dir;
    std::string m_folder;
    std::optional<std::string> m_savedRuntime;
    platform::MessageBoxAnswerer m_previousBoxes;
    platform::FileDialogAnswerer m_previousDialogs;
    std::vector<std::string> m_texts;
    std::deque<std::string> m_answers;
    std::vector<platform::FileDialogRecord> m_records;
    std::unique_ptr<nimbrel::CFileMakeInfo> m_job;
    std::unique_ptr<nimbrel::CSettingMngInfo> m_settings;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<nimbrel::TAboutBox> m_about;
    std::unique_ptr<nimbrel::TProgressForm> m_progress;
    std::unique_ptr<nimbrel::TToolForm> m_tool;
};

TEST_F(OperatorSession, BitmapToFilteredPictureFilesAndBackWithTheShippedSettings) {
    ASSERT_EQ(Bars(1920, 1080).WriteBmpFile(m_folder + "/bars.bmp"), 1);
    Start();
    EXPECT_TRUE(m_texts.empty()) << "the shipped formats start without a complaint";
    // The eight classic formats come first, and with no saved choice "1080 59i" is chosen.
    QAction* format = Item(m_form->FormatMenu(), "1080 59i");
    ASSERT_NE(format, nullptr);
    EXPECT_TRUE(format->isChecked());
    EXPECT_TRUE(m_form->Action(TMainForm::kActTool)->isVisible());

    m_answers.push_back(m_folder + "/bars.bmp");
    Trigger(TMainForm::kActOpen);
    EXPECT_EQ(m_records.back().title, "Bitmap File");
    EXPECT_FALSE(m_records.back().confirmOverwrite);
    Trigger(TMainForm::kActBuildFrame);
    ASSERT_NE(m_form->SlotBitmap(TMainForm::kSlotFrame), nullptr);
    EXPECT_EQ(m_form->SlotBitmap(TMainForm::kSlotFrame)->Width(), 1920 + 102);
    EXPECT_EQ(m_form->LeftEdge(), 51);

    // Filter on: the picture fills the frame to its left edge, so the build warns first.
    QAction* on = Item(m_form->FilterMenu(), "ON");
    ASSERT_NE(on, nullptr);
    on->trigger();
    m_texts.clear();
    m_answers.push_back(m_folder + "/out/bars");
    std::filesystem::create_directory(m_folder + "/out");
    Trigger(TMainForm::kActBuildPicFile);
    EXPECT_EQ(m_texts, std::vector<std::string>{Text(36)});
    EXPECT_EQ(m_records.back().title, "Pic File");
    for (const char* suffix : {"", "_G", "_B", "_R"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(m_folder + "/out/bars" + suffix + ".Pic"))
            << suffix;
    }
    EXPECT_EQ(TempFilesLeft(), std::vector<std::string>{});
    EXPECT_TRUE(m_form->isEnabled());

    // Preview of the main file: the bars come back within a step of their levels.
    m_texts.clear();
    m_answers.push_back(m_folder + "/out/bars.Pic");
    Trigger(TMainForm::kActBuildPicBmp);
    EXPECT_EQ(m_texts, std::vector<std::string>{});
    const auto preview = m_form->SlotBitmap(TMainForm::kSlotPic);
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->Width(), 1920);
    ASSERT_EQ(preview->Height(), 1080);
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    preview->GetPixel(1920 * 5 / 14, 100, r, g, b);  // the middle of the cyan bar
    EXPECT_NEAR(r, 16, 3);
    EXPECT_NEAR(g, 235, 3);
    EXPECT_NEAR(b, 235, 3);
    EXPECT_TRUE(m_form->Action(TMainForm::kActSavePic)->isEnabled());

    // The tool takes the form's place while it is open.
    Trigger(TMainForm::kActTool);
    EXPECT_TRUE(m_tool->isVisible());
    EXPECT_FALSE(m_form->isEnabled());
    EXPECT_EQ(m_tool->windowTitle(), "Raw Component Tool");
    m_tool->close();
    QApplication::processEvents();
    EXPECT_TRUE(m_form->isEnabled());

    // Exit keeps the choices for the next start.
    Trigger(TMainForm::kActExit);
    const std::string setting = m_folder + "/Nimbrel_Setting.ini";
    std::string value;
    platform::GetPrivateProfileString("NIMBREL_SETTING", "FILTER", "", value, 16, setting);
    EXPECT_EQ(value, "1");
    platform::GetPrivateProfileString("NIMBREL_SETTING", "FORMAT", "", value, 16, setting);
    EXPECT_EQ(value, "7");
}

}  // namespace
