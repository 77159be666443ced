// Window messages: send is synchronous, post is queued and ordered, posted messages wait
// while the user-interface thread is blocked in a socket call, and private message numbers
// never meet control ids.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/BlockingWait.h"
#include "platform/FrameWnd.h"
#include "platform/Socket.h"
#include "platform/Wnd.h"
#include "tests/platform/test_socket_peer.h"

namespace platform {
namespace {

constexpr UINT WM_TEST = WM_USER + 91;

class RecordingWnd : public CWnd {
public:
    RecordingWnd() {
        AttachWidget(new QWidget);
        OnMessage(WM_TEST, [this](WPARAM w, LPARAM l) {
            received.push_back({static_cast<int>(w), l});
            return static_cast<LRESULT>(w) * 2;
        });
    }
    ~RecordingWnd() override { delete GetWidget(); }
    BOOL OnCommand(int id, int code) override {
        commands.push_back({id, code});
        return TRUE;
    }
    std::vector<std::pair<int, LPARAM>> received;
    std::vector<std::pair<int, int>> commands;
};

void DeliverPosted() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

TEST(WindowMessages, SendRunsTheHandlerAtOnceAndReturnsItsResult) {
    RecordingWnd wnd;
    EXPECT_EQ(wnd.SendMessage(WM_TEST, 21, -5), 42);
    ASSERT_EQ(wnd.received.size(), 1u);
    EXPECT_EQ(wnd.received[0].second, -5);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 500), 0);  // nobody handles it
}

TEST(WindowMessages, SendsNestInsideHandlers) {
    RecordingWnd inner;
    CWnd outer;
    outer.OnMessage(WM_TEST,
                    [&](WPARAM w, LPARAM) { return inner.SendMessage(WM_TEST, w + 1) + 1; });
    EXPECT_EQ(outer.SendMessage(WM_TEST, 1), 5);
}

TEST(WindowMessages, PostedMessagesArriveLaterInOrderWithSignedParameters) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.PostMessage(WM_TEST, static_cast<WPARAM>(-2), 7));
    ASSERT_TRUE(wnd.PostMessage(WM_TEST, 3, -8));
    EXPECT_TRUE(wnd.received.empty());
    DeliverPosted();
    ASSERT_EQ(wnd.received.size(), 2u);
    EXPECT_EQ(wnd.received[0], (std::pair<int, LPARAM>{-2, 7}));
    EXPECT_EQ(wnd.received[1], (std::pair<int, LPARAM>{3, -8}));
}

TEST(WindowMessages, MessagePostedToAWindowThatIsGoneIsDropped) {
    auto wnd = std::make_unique<RecordingWnd>();
    wnd->PostMessage(WM_TEST, 1);
    wnd.reset();
    // A window made now may well take the gone one's place in memory: it gets nothing.
    RecordingWnd next;
    DeliverPosted();  // must not touch the freed window
    EXPECT_TRUE(next.received.empty());
}

TEST(WindowMessages, PostFromAnotherThreadIsDeliveredOnThisOne) {
    RecordingWnd wnd;
    std::thread::id deliveredOn;
    wnd.OnMessage(WM_TEST + 1, [&](WPARAM, LPARAM) {
        deliveredOn = std::this_thread::get_id();
        return 0;
    });
    std::thread worker([&] { wnd.PostMessage(WM_TEST + 1); });
    worker.join();
    DeliverPosted();
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
}

TEST(WindowMessages, ControlIdsAndPrivateMessagesAreSeparateSpaces) {
    RecordingWnd wnd;
    // A button whose id equals a private message number.
    wnd.SendMessage(WM_COMMAND, MakeWParam(static_cast<int>(WM_TEST), BN_CLICKED));
    EXPECT_TRUE(wnd.received.empty());
    ASSERT_EQ(wnd.commands.size(), 1u);
    EXPECT_EQ(wnd.commands[0], (std::pair<int, int>{static_cast<int>(WM_TEST), BN_CLICKED}));
    wnd.SendMessage(WM_TEST, 1);
    EXPECT_EQ(wnd.commands.size(), 1u);
}

TEST(WindowMessages, PostedMessagesWaitForABlockingExchangeButTimersRun) {
    platform_test::SlowExchange exchange("127.0.43.1");
    ASSERT_TRUE(exchange.Connected());

    RecordingWnd wnd;
    bool timerFired = false;
    bool postedDuringWait = false;
    QTimer::singleShot(20, [&] {
        timerFired = true;
        postedDuringWait = !wnd.received.empty();
    });
    wnd.PostMessage(WM_TEST, 1);
    ASSERT_TRUE(exchange.Wait());
    EXPECT_TRUE(timerFired);         // the wait kept the timers going
    EXPECT_FALSE(postedDuringWait);  // but held the posted message back
    EXPECT_TRUE(wnd.received.empty());
    EXPECT_FALSE(InBlockingWait());
    DeliverPosted();
    EXPECT_EQ(wnd.received.size(), 1u);
}

class RecordingFrame : public CFrameWnd {
public:
    bool OnClose() override {
        closedDuringWait = InBlockingWait();
        ++closes;
        return true;
    }
    int closes = 0;
    bool closedDuringWait = false;
};

TEST(WindowMessages, CloseBoxClickedDuringABlockingExchangeWaitsForItsEnd) {
    platform_test::SlowExchange exchange("127.0.43.2");
    ASSERT_TRUE(exchange.Connected());
    RecordingFrame frame;
    ASSERT_TRUE(frame.LoadFrame(MenuTemplate{1, {}}, "Test"));
    frame.ShowWindow(true);
    QTimer::singleShot(20, [&] { frame.GetWidget()->close(); });  // the window manager's close
    ASSERT_TRUE(exchange.Wait());
    EXPECT_EQ(frame.closes, 0);
    DeliverPosted();
    EXPECT_EQ(frame.closes, 1);
    EXPECT_FALSE(frame.closedDuringWait);
}

}  // namespace
}  // namespace platform
