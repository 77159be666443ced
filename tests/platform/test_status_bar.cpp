// The status bar's panes in the two frames the programs build: an MDI frame with the message
// pane and the three lock-key indicators, and a single-document frame with the message pane
// and two panes of its own (80 pixels, then the rest).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QStatusBar>
#include <memory>
#include <optional>

#include "platform/FrameWnd.h"
#include "platform/LockIndicators.h"
#include "platform/MdiFrameWnd.h"
#include "platform/StatusBar.h"
#include "platform/StringTable.h"

using namespace platform;

namespace {

constexpr int ID_PANE_OBJECTS = 59142;
constexpr int ID_PANE_SIZE = 59143;

template <class Base>
class BarFrame : public Base {
public:
    explicit BarFrame(std::vector<int> indicators) : m_indicators(std::move(indicators)) {}
    int OnCreate() override {
        if (Base::OnCreate() == -1 || !bar.Create(this) || !bar.SetIndicators(m_indicators))
            return -1;
        if (m_indicators.size() == 3) {
            bar.SetPaneInfo(0, ID_SEPARATOR, SBPS_NORMAL, 80);
            bar.SetPaneInfo(1, ID_PANE_OBJECTS, SBPS_NORMAL, 80);
            bar.SetPaneInfo(2, ID_PANE_SIZE, SBPS_STRETCH, 0);
        }
        return 0;
    }
    CStatusBar bar;

private:
    std::vector<int> m_indicators;
};

const std::vector<int> kLockPanes{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                  ID_INDICATOR_SCRL};
const std::vector<int> kListPanes{ID_SEPARATOR, ID_PANE_OBJECTS, ID_PANE_SIZE};

void RegisterPaneStrings() {
    RegisterStrings({{ID_INDICATOR_CAPS, "CAP"},
                     {ID_INDICATOR_NUM, "NUM"},
                     {ID_INDICATOR_SCRL, "SCRL"},
                     {ID_PANE_OBJECTS, "0 objects"},
                     {ID_PANE_SIZE, "0 bytes"},
                     {AFX_IDS_IDLEMESSAGE, "Ready"}});
}

// A frame of either kind, shown at 720 x 400 like the programs' default windows.
struct ShownFrame {
    std::unique_ptr<CFrameWnd> frame;
    CStatusBar* bar = nullptr;
};

ShownFrame MakeFrame(bool mdi, const std::vector<int>& panes) {
    RegisterPaneStrings();
    ShownFrame shown;
    if (mdi) {
        auto frame = std::make_unique<BarFrame<CMDIFrameWnd>>(panes);
        shown.bar = &frame->bar;
        shown.frame = std::move(frame);
    } else {
        auto frame = std::make_unique<BarFrame<CFrameWnd>>(panes);
        shown.bar = &frame->bar;
        shown.frame = std::move(frame);
    }
    if (!shown.frame->LoadFrame({128, {}}, "Frame")) {
        shown.frame.reset();
        return shown;
    }
    shown.frame->Window()->resize(720, 400);
    shown.frame->Window()->show();
    QApplication::processEvents();
    return shown;
}

void Pump() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

TEST(StatusBarPanes, AnOverlongTextIsCutAtItsPaneAndTheFrameKeepsItsWidth) {
    struct Case {
        const char* name;
        bool mdi;
        std::vector<int> panes;
        std::vector<int> written;  // the lock panes' texts are the indicators' own
    };
    const std::string figure = "9" + std::string(299, '0');  // a free-memory figure of 1e300
    for (const Case& c : {Case{"MDI frame", true, kLockPanes, {0}},
                          Case{"single-document frame", false, kListPanes, {0, 1, 2}}}) {
        for (int pane : c.written) {
            SCOPED_TRACE(std::string(c.name) + ", pane " + std::to_string(pane));
            ShownFrame shown = MakeFrame(c.mdi, c.panes);
            ASSERT_NE(shown.frame, nullptr);
            QMainWindow* window = shown.frame->Window();
            const int frameWidth = window->width();
            const int barWidth = shown.bar->Bar()->width();
            std::vector<QRect> before;
            for (int i = 0; i < shown.bar->GetCount(); ++i)
                before.push_back(shown.bar->GetItemRect(i));

            ASSERT_TRUE(shown.bar->SetPaneText(pane, figure));
            Pump();
            EXPECT_EQ(window->width(), frameWidth);
            EXPECT_LT(window->minimumSizeHint().width(), 720);
            EXPECT_EQ(shown.bar->Bar()->width(), barWidth);
            // No pane moves or grows: the text is cut, the other panes stay in sight.
            for (int i = 0; i < shown.bar->GetCount(); ++i)
                EXPECT_EQ(shown.bar->GetItemRect(i), before[static_cast<size_t>(i)]) << i;
            EXPECT_EQ(shown.bar->GetPaneText(pane), figure);  // kept whole, only shown cut
        }
    }
}

// Each pane shows its whole sunken frame where GetItemRect says it is (a program places its
// own controls there), the panes lie within the bar, and the bar ends at the window's bottom
// edge with nothing drawn below it.
TEST(StatusBarPanes, EachPaneDrawsItsWholeFrameWithinTheBarAtTheWindowsBottom) {
    struct Case {
        const char* name;
        bool mdi;
        std::vector<int> panes;
    };
    for (const Case& c :
         {Case{"MDI frame", true, kLockPanes}, Case{"single-document frame", false, kListPanes}}) {
        SCOPED_TRACE(c.name);
        ShownFrame shown = MakeFrame(c.mdi, c.panes);
        ASSERT_NE(shown.frame, nullptr);
        Pump();
        QMainWindow* window = shown.frame->Window();
        QStatusBar* bar = shown.bar->Bar();
        EXPECT_EQ(bar->geometry().bottom(), window->rect().bottom());
        EXPECT_EQ(bar->x(), 0);
        EXPECT_EQ(bar->width(), window->width());
        const QImage image = bar->grab().toImage();
        ASSERT_EQ(image.size(), bar->size());
        const QRgb background = image.pixel(bar->width() / 2, 0);
        for (int i = 0; i < shown.bar->GetCount(); ++i) {
            SCOPED_TRACE("pane " + std::to_string(i));
            const QRect pane = shown.bar->GetItemRect(i);
            ASSERT_TRUE(bar->rect().contains(pane))
                << pane.x() << "," << pane.y() << " " << pane.width() << "x" << pane.height();
            // The four edges are drawn on the pane's outermost pixels.
            const QPoint middle = pane.center();
            EXPECT_NE(image.pixel(middle.x(), pane.top()), background) << "top edge";
            EXPECT_NE(image.pixel(middle.x(), pane.bottom()), background) << "bottom edge";
            EXPECT_NE(image.pixel(pane.left(), middle.y()), background) << "left edge";
            EXPECT_NE(image.pixel(pane.right(), middle.y()), background) << "right edge";
            // Inside the frame is the pane's face, not another edge.
            EXPECT_EQ(image.pixel(middle.x(), pane.top() + 2), background);
        }
    }
}

class LockPanes : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = SetLockIndicatorReader([this] { return m_state; });
        m_shown = MakeFrame(true, kLockPanes);
        ASSERT_NE(m_shown.frame, nullptr);
    }
    void TearDown() override {
        m_shown.frame.reset();
        SetLockIndicatorReader(m_previous);
    }
    std::vector<std::string> Texts() const {
        return {m_shown.bar->GetPaneText(1), m_shown.bar->GetPaneText(2),
                m_shown.bar->GetPaneText(3)};
    }
    void PressKey(QEvent::Type type = QEvent::KeyPress) {
        QKeyEvent key(type, Qt::Key_CapsLock, Qt::NoModifier);
        QApplication::sendEvent(m_shown.frame->Window(), &key);
        Pump();
    }

    std::optional<LockIndicators> m_state;
    LockIndicatorReader m_previous;
    ShownFrame m_shown;
};

TEST_F(LockPanes, EachPaneShowsItsTextWhileItsLockIsOnAfterKeysAndActivation) {
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "", ""}));  // the window system is silent
    m_state = LockIndicators{true, false, false};
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "", ""})) << "read only on an event";
    PressKey();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"CAP", "", ""}));
    m_state = LockIndicators{false, true, true};
    PressKey(QEvent::KeyRelease);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "NUM", "SCRL"}));
    // Locks changed in another program show when a window of this one is activated again.
    m_state = LockIndicators{true, true, false};
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_shown.frame->Window(), &activate);
    Pump();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"CAP", "NUM", ""}));
    // A window system that cannot tell blanks them rather than keeping a stale state.
    m_state.reset();
    PressKey();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(m_shown.bar->GetPaneText(0), "") << "the message pane is not an indicator";
}

TEST_F(LockPanes, OtherPanesAndTheOffscreenPlatformStayBlank) {
    m_state = LockIndicators{true, true, true};
    ShownFrame list = MakeFrame(false, kListPanes);
    ASSERT_NE(list.frame, nullptr);
    list.bar->SetPaneText(1, "3 object[s]");
    PressKey();
    EXPECT_EQ(list.bar->GetPaneText(1), "3 object[s]");
    EXPECT_EQ(list.bar->GetPaneText(2), "");
    // The reader of the window system itself: offscreen has no lock state to give.
    SetLockIndicatorReader({});
    EXPECT_FALSE(ReadLockIndicators().has_value());
}

}  // namespace
