#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <memory>

#include "platform/MdiWindowCommands.h"

namespace {

using platform::MdiWindowCommands;

class MdiWindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = std::make_unique<QMainWindow>();
        m_area = new QMdiArea;
        m_frame->setCentralWidget(m_area);
        m_frame->resize(800, 600);
        m_frame->show();
        for (int i = 0; i < 3; ++i) {
            QMdiSubWindow* window = m_area->addSubWindow(new QLabel(QString("child %1").arg(i)));
            window->resize(200, 150);
            window->move(10 * i, 10 * i);
            window->show();
            m_windows.push_back(window);
        }
        QApplication::processEvents();
    }

    QSize Client() const { return m_area->viewport()->size(); }

    std::unique_ptr<QMainWindow> m_frame;
    QMdiArea* m_area = nullptr;
    std::vector<QMdiSubWindow*> m_windows;
};

TEST_F(MdiWindowCommandsTest, TileHorizontalStacksFullWidthTilesCoveringTheArea) {
    m_windows[1]->showMaximized();
    MdiWindowCommands::TileHorizontal(m_area);
    int y = 0;
    for (QMdiSubWindow* window : m_windows) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_EQ(window->geometry().x(), 0);
        EXPECT_EQ(window->geometry().width(), Client().width());
        EXPECT_EQ(window->geometry().y(), y);
        y += window->geometry().height();
    }
    EXPECT_EQ(y, Client().height());
}

TEST_F(MdiWindowCommandsTest, TileVerticalPlacesFullHeightTilesSideBySide) {
    MdiWindowCommands::TileVertical(m_area);
    int x = 0;
    for (QMdiSubWindow* window : m_windows) {
        EXPECT_EQ(window->geometry().y(), 0);
        EXPECT_EQ(window->geometry().height(), Client().height());
        EXPECT_EQ(window->geometry().x(), x);
        x += window->geometry().width();
    }
    EXPECT_EQ(x, Client().width());
}

TEST_F(MdiWindowCommandsTest, MinimizeAllThenArrangeLinesIconsUpAlongTheBottom) {
    MdiWindowCommands::MinimizeAll(m_area);
    for (QMdiSubWindow* window : m_windows) {
        EXPECT_TRUE(window->isMinimized());
    }
    // Scatter the icons as a user dragging them would, then line them up again.
    m_windows[0]->move(300, 40);
    m_windows[2]->move(120, 200);
    MdiWindowCommands::ArrangeIcons(m_area);
    int x = 0;
    for (QMdiSubWindow* window : m_windows) {
        EXPECT_EQ(window->geometry().x(), x);
        EXPECT_EQ(window->geometry().bottom() + 1, Client().height());
        x += window->width();
    }
}

TEST_F(MdiWindowCommandsTest, TilingLeavesIconsInPlaceAndDoesNotCoverThem) {
    m_windows[2]->showMinimized();
    MdiWindowCommands::TileHorizontal(m_area);
    EXPECT_TRUE(m_windows[2]->isMinimized());
    const int iconTop = m_windows[2]->geometry().y();
    EXPECT_EQ(m_windows[2]->geometry().bottom() + 1, Client().height());
    EXPECT_EQ(m_windows[0]->geometry().y(), 0);
    EXPECT_EQ(m_windows[1]->geometry().bottom() + 1, iconTop);
    MdiWindowCommands::TileVertical(m_area);
    EXPECT_EQ(m_windows[0]->geometry().height(), iconTop);
    EXPECT_EQ(m_windows[1]->geometry().right() + 1, Client().width());
}

TEST(MdiWindowCommandsNoArea, NullAreaAndEmptyAreaAreHarmless) {
    MdiWindowCommands::TileHorizontal(nullptr);
    MdiWindowCommands::TileVertical(nullptr);
    MdiWindowCommands::MinimizeAll(nullptr);
    MdiWindowCommands::ArrangeIcons(nullptr);
    MdiWindowCommands::Cascade(nullptr);
    QMdiArea area;
    area.resize(300, 200);
    MdiWindowCommands::TileHorizontal(&area);
    MdiWindowCommands::ArrangeIcons(&area);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

}  // namespace
