// The Settings menus' state: which formats make it into the menu, what the saved choices
// select, the background caption's "*", and the menus of the main form that mirror it.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <fstream>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/TMainForm.h"
#include "platform/MessageBox.h"

namespace {

using nimbrel::CSettingMngInfo;

class SettingMenusTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (m_dir.path() + "/" + name).toStdString(); }
    void Write(const char* name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    static std::string Section(int index, const std::string& caption, int width, int height,
                               const std::string& misc, const std::string& extra = "") {
        return "[NIMBREL_FORMAT_" + std::to_string(index) + "]\nCAPTION=" + caption +
               "\nWIDTH=" + std::to_string(width) + "\nHEIGHT=" + std::to_string(height) +
               "\nMISC=" + misc + "\n" + extra;
    }
    CSettingMngInfo Settings() const {
        return CSettingMngInfo(Path("Nimbrel.ini"), Path("Nimbrel_Setting.ini"));
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingMenusTest, MiscAbove255IsReportedAndTheNextSectionTakesItsIndex) {
    Write("Nimbrel.ini", Section(0, "First", 64, 8, "0") + Section(1, "Bad", 64, 8, "256") +
                             Section(2, "Third", 32, 8, "3"));
    CSettingMngInfo settings = Settings();
    std::vector<platform::MessageBoxRecord> boxes;
    const platform::MessageBoxAnswerer previous =
        platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
            boxes.push_back(record);
            return platform::IDOK;
        });
    settings.BuildFormatMenu(true);
    platform::SetMessageBoxAnswerer(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "File[" + Path("Nimbrel.ini") +
                                 "] Tag[NIMBREL_FORMAT_1] Key[MISC] Invalid Misc --- Skip.");
    EXPECT_EQ(boxes[0].type & platform::MB_TYPEMASK, platform::MB_OK);
    ASSERT_EQ(settings.FormatCount(), 2);
    EXPECT_EQ(settings.FormatCaption(1), "Third");
    EXPECT_EQ(settings.Format(1)->width, 32);
    EXPECT_EQ(settings.Format(2), nullptr);
    EXPECT_EQ(settings.FormatCaption(2), "");
}

TEST_F(SettingMenusTest, WithoutSectionsTheBuiltInsComeAndFormat7SelectsTheLastOne) {
    CSettingMngInfo settings = Settings();
    settings.BuildFormatMenu(true);
    ASSERT_EQ(settings.FormatCount(), 8);
    bool gbr = true;
    settings.RestoreChoices(gbr);
    EXPECT_FALSE(gbr);
    EXPECT_EQ(settings.SelectedFormat(), 7);
    EXPECT_EQ(settings.FormatCaption(settings.SelectedFormat()), "1080 59i");
    EXPECT_EQ(settings.SelectedBackground(), 1);
    EXPECT_EQ(settings.BackgroundCaption(1), "BLACK *");
    EXPECT_EQ(settings.SelectedFilter(), 0);
    EXPECT_FALSE(settings.FilterOn());
}

TEST_F(SettingMenusTest, SavedChoicesOutOfRangeFallBackToTheFirstItem) {
    Write("Nimbrel.ini",
          Section(0, "A", 64, 8, "0") + Section(1, "B", 64, 8, "1") + Section(2, "C", 32, 8, "2"));
    Write("Nimbrel_Setting.ini", "[NIMBREL_SETTING]\nCOLOR=9\nFILTER=2\nFORMAT=7\nRGBOUTPUT=1\n");
    CSettingMngInfo settings = Settings();
    settings.BuildFormatMenu(true);
    bool gbr = false;
    settings.RestoreChoices(gbr);
    EXPECT_TRUE(gbr);
    EXPECT_EQ(settings.SelectedFormat(), 0);
    EXPECT_EQ(settings.SelectedBackground(), 0);
    EXPECT_EQ(settings.BackgroundCaption(0), "GRAY  *");
    EXPECT_EQ(settings.SelectedFilter(), 0);
}

TEST_F(SettingMenusTest, TheStarFollowsTheChosenBackgroundOnly) {
    CSettingMngInfo settings = Settings();
    settings.SelectBackground(1);
    settings.SelectBackground(7);
    settings.SelectBackground(7);
    for (int i = 0; i < CSettingMngInfo::kBackgroundCount; ++i) {
        const std::string& caption = settings.BackgroundCaption(i);
        EXPECT_EQ(caption.back() == '*', i == 7) << caption;
        EXPECT_LE(caption.size(), CSettingMngInfo::kMaxCaption);
    }
    EXPECT_EQ(settings.BackgroundCaption(7), "YELLOW*");
    EXPECT_EQ(settings.BackgroundCaption(1), "BLACK ");
    EXPECT_TRUE(settings.IsSelectedBackground(7));
    // Out of range changes nothing.
    settings.SelectBackground(9);
    settings.SelectBackground(-1);
    EXPECT_EQ(settings.SelectedBackground(), 7);
    const nimbrel::BackgroundColour yellow = settings.SelectedColour();
    EXPECT_EQ(yellow.r, 255);
    EXPECT_EQ(yellow.g, 255);
    EXPECT_EQ(yellow.b, 0);
}

TEST_F(SettingMenusTest, ChoicesSurviveASaveAndARestore) {
    Write("Nimbrel.ini",
          Section(0, "A", 64, 8, "0") + Section(1, "B", 64, 8, "1") + Section(2, "C", 32, 8, "2"));
    {
        CSettingMngInfo settings = Settings();
        settings.BuildFormatMenu(true);
        settings.SelectFormat(2);
        settings.SelectBackground(5);
        settings.SelectFilter(1);
        EXPECT_EQ(settings.SaveChoices(true), 1);
    }
    CSettingMngInfo settings = Settings();
    settings.BuildFormatMenu(true);
    bool gbr = false;
    settings.RestoreChoices(gbr);
    EXPECT_TRUE(gbr);
    EXPECT_EQ(settings.SelectedFormat(), 2);
    EXPECT_EQ(settings.SelectedBackground(), 5);
    EXPECT_TRUE(settings.FilterOn());
}

TEST_F(SettingMenusTest, FormatSizeComparisonAndCaptionText) {
    Write("Nimbrel.ini", Section(0, "&Small", 64, 8, "0") + Section(1, "Same", 64, 8, "1") +
                             Section(2, "Wider", 66, 8, "2") + Section(3, "Taller", 64, 10, "3"));
    CSettingMngInfo settings = Settings();
    settings.BuildFormatMenu(true);
    // Nothing selected yet: nothing has the selected size.
    EXPECT_FALSE(settings.SameFormatSize(0));
    settings.SelectFormat(0);
    EXPECT_TRUE(settings.SameFormatSize(0));
    EXPECT_TRUE(settings.SameFormatSize(1));
    EXPECT_FALSE(settings.SameFormatSize(2));
    EXPECT_FALSE(settings.SameFormatSize(3));
    EXPECT_FALSE(settings.SameFormatSize(4));
    settings.SelectFormat(4);
    EXPECT_EQ(settings.SelectedFormat(), 0);
    EXPECT_EQ(CSettingMngInfo::MenuCaptionText("&Small"), "Small");
    EXPECT_EQ(CSettingMngInfo::MenuCaptionText("A&B&C"), "A&BC");
    EXPECT_EQ(CSettingMngInfo::MenuCaptionText("Plain"), "Plain");
}

TEST_F(SettingMenusTest, MainFormMenusMirrorTheSettings) {
    Write("Nimbrel.ini", Section(0, "A", 64, 8, "0", "HINT_ENGLISH=first format\n") +
                             Section(1, "B", 64, 8, "1", "SHOW_GBROUTPUTCHECK=TRUE\n") +
                             "[NIMBREL_HINT_ENGLISH]\nSETTING_BACKGROUND=pick a colour\n");
    Write("Nimbrel_Setting.ini", "[NIMBREL_SETTING]\nCOLOR=3\n");
    nimbrel::CFileMakeInfo job(m_dir.path().toStdString());
    CSettingMngInfo settings(job.MainIni(), Path("Nimbrel_Setting.ini"));
    nimbrel::TMainForm form(job, settings);

    const QList<QAction*> formats = form.FormatMenu()->actions();
    ASSERT_EQ(formats.size(), 2);
    EXPECT_EQ(formats[0]->text(), "A");
    EXPECT_EQ(formats[0]->statusTip(), "first format");
    EXPECT_TRUE(formats[0]->isChecked());
    EXPECT_FALSE(form.GbrCheckShown());
    formats[1]->trigger();
    EXPECT_EQ(settings.SelectedFormat(), 1);
    EXPECT_FALSE(formats[0]->isChecked());
    EXPECT_TRUE(formats[1]->isChecked());
    EXPECT_TRUE(form.GbrCheckShown());

    const QList<QAction*> colours = form.BackgroundMenu()->actions();
    ASSERT_EQ(colours.size(), 9);
    EXPECT_EQ(colours[3]->text(), "GREEN *");
    EXPECT_TRUE(colours[3]->isChecked());
    EXPECT_EQ(colours[3]->statusTip(), "pick a colour");
    colours[8]->trigger();
    EXPECT_EQ(colours[3]->text(), "GREEN ");
    EXPECT_FALSE(colours[3]->isChecked());
    EXPECT_EQ(colours[8]->text(), "WHITE *");
    EXPECT_TRUE(colours[8]->isChecked());

    const QList<QAction*> filters = form.FilterMenu()->actions();
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0]->text(), "OFF");
    EXPECT_EQ(filters[1]->text(), "ON");
    EXPECT_TRUE(filters[0]->isChecked());
    filters[1]->trigger();
    EXPECT_TRUE(settings.FilterOn());
    EXPECT_FALSE(filters[0]->isChecked());
}

}  // namespace
