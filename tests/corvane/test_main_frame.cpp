// The main frame's own commands: About, the status bar, status prompts while the pointer
// rests on a menu item, and Exit.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusBar>

#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

class MainFrameCommands : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartReady({{"Kintor", 2}});
    }
    QAction* Item(int id) const { return Frame()->GetMenu().FindAction(id); }
};

TEST_F(MainFrameCommands, AboutShowsTheAboutBox) {
    ExpectDialog(IDD_ABOUTBOX, [](platform::CDialog& dialog) {
        EXPECT_EQ(dialog.GetWidget()->windowTitle(), "About Corvane");
        CorvaneFixture::SaveScreenshot(dialog.GetWidget(), "corvane_about");
        dialog.ClickButton(platform::IDOK);
    });
    EXPECT_TRUE(Frame()->ExecuteCommand(platform::ID_APP_ABOUT));
}

TEST_F(MainFrameCommands, StatusBarCanBeHiddenAndShownAgain) {
    QWidget* bar = Frame()->m_wndStatusBar.GetWidget();
    ASSERT_TRUE(bar->isVisible());
    Frame()->ExecuteCommand(platform::ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(bar->isVisible());
    Frame()->ExecuteCommand(platform::ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainFrameCommands, PromptFollowsThePointerAndReadyComesBackWhenTheMenuCloses) {
    auto* file = qobject_cast<QMenu*>(Frame()->GetMenu().GetSubMenu(0).GetWidget());
    file->popup(QPoint(0, 0));
    Item(ID_OPEN_SLOT_FIRST + 1)->hover();
    EXPECT_EQ(PaneText(), "Loads and edits Kintor parameters.");
    Item(ID_OPEN_SLOT_FIRST)->hover();
    EXPECT_EQ(PaneText(), "No module.");
    Item(ID_SAVE_PRESET_FIRST + 4)->hover();
    EXPECT_EQ(PaneText(), "Saves");
    file->hide();
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(MainFrameCommands, ExitClosesTheMainWindow) {
    EXPECT_TRUE(Frame()->ExecuteCommand(platform::ID_APP_EXIT));
    for (int i = 0; i < 5 && MainWindowAlive(); ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(MainWindowAlive());
}

}  // namespace
}  // namespace corvane::testing
