// Window timers, worker threads and cross-thread socket shutdown: the pieces a program's
// reply timer and transfer workers stand on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <future>
#include <vector>

#include "platform/BlockingWait.h"
#include "platform/MessageBox.h"
#include "platform/Socket.h"
#include "platform/Wnd.h"
#include "platform/WorkerThread.h"
#include "test_socket_peer.h"

using platform::CSocket;
using platform::LPARAM;
using platform::LRESULT;
using platform::WPARAM;
using platform_test::SilentPeer;

namespace {

class TimerWnd : public platform::CWnd {
public:
    TimerWnd() { AttachWidget(new QWidget); }
    ~TimerWnd() override { delete GetWidget(); }
};

// Runs the event loop until the condition holds or a generous deadline passes.
bool PumpUntil(const std::function<bool()>& done, int deadlineMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > deadlineMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct UiHookScope {
    UiHookScope() { platform::InstallUiBlockingHook(); }
    ~UiHookScope() { platform::SetBlockingHook(nullptr); }
};

}  // namespace

TEST(WindowTimer, DeliversItsIdUntilKilledAndRestartsWhenSetAgain) {
    TimerWnd wnd;
    std::vector<WPARAM> fired;
    wnd.OnMessage(platform::WM_TIMER, [&](WPARAM id, LPARAM) -> LRESULT {
        fired.push_back(id);
        return 0;
    });
    EXPECT_EQ(0u, wnd.SetTimer(0, 10)) << "id 0 is no timer";
    ASSERT_EQ(7u, wnd.SetTimer(7, 5));
    ASSERT_EQ(7u, wnd.SetTimer(7, 5)) << "setting an id again replaces it";
    ASSERT_TRUE(PumpUntil([&] { return fired.size() >= 3; }));
    for (WPARAM id : fired) EXPECT_EQ(7u, id);
    EXPECT_TRUE(wnd.KillTimer(7));
    EXPECT_FALSE(wnd.KillTimer(7));
    const size_t count = fired.size();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(count, fired.size());
}

TEST(WindowTimer, HandlerMayKillItsOwnTimerAndTheWindowMayGo) {
    auto wnd = std::make_unique<TimerWnd>();
    int fired = 0;
    wnd->OnMessage(platform::WM_TIMER, [&](WPARAM id, LPARAM) -> LRESULT {
        ++fired;
        wnd->KillTimer(id);
        return 0;
    });
    wnd->SetTimer(1, 1);
    wnd->SetTimer(2, 1);
    ASSERT_TRUE(PumpUntil([&] { return fired >= 2; }));
    wnd->SetTimer(3, 1);
    wnd.reset();  // a pending timer of a destroyed window must not fire
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(2, fired);
}

// The reply timer: the user-interface thread waits in a receive from an instrument that
// never answers; the timer fires inside the wait and its handler cancels the call.
TEST(WindowTimer, FiresDuringABlockingReceiveAndItsHandlerCancelsIt) {
    UiHookScope hook;
    SilentPeer silent("127.0.94.1");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.94.1", silent.peer.Port()));

    TimerWnd frame;
    int timerCalls = 0;
    bool postedDuringWait = false;
    frame.OnMessage(platform::WM_USER + 5, [&](WPARAM, LPARAM) -> LRESULT {
        postedDuringWait = platform::InBlockingWait();
        return 0;
    });
    frame.OnMessage(platform::WM_TIMER, [&](WPARAM id, LPARAM) -> LRESULT {
        if (id != 1)
            return 0;
        ++timerCalls;
        EXPECT_TRUE(platform::InBlockingWait());
        frame.KillTimer(1);
        socket.CancelBlockingCall();
        return 0;
    });
    frame.PostMessage(platform::WM_USER + 5);
    frame.SetTimer(1, 100);
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAEINTR, platform::WSAGetLastError());
    EXPECT_EQ(1, timerCalls);
    // The posted message waited for the end of the exchange.
    ASSERT_TRUE(PumpUntil([&] { return !platform::InBlockingWait(); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(postedDuringWait);
}

TEST(WorkerThread, OneJobAtATimeReportingByPostedMessages) {
    TimerWnd wnd;
    std::vector<WPARAM> reports;
    wnd.OnMessage(platform::WM_USER + 14, [&](WPARAM w, LPARAM) -> LRESULT {
        reports.push_back(w);
        return 0;
    });
    platform::CWorkerThread worker;
    std::promise<void> go;
    std::shared_future<void> goSignal = go.get_future().share();
    ASSERT_TRUE(worker.Start([&wnd, goSignal] {
        goSignal.wait();
        for (WPARAM i = 1; i <= 3; ++i) wnd.PostMessage(platform::WM_USER + 14, i);
    }));
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start([] {})) << "a second job while one runs";
    go.set_value();
    ASSERT_TRUE(worker.JoinDispatching(5000));
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ((std::vector<WPARAM>{1, 2, 3}), reports);
    // A finished job makes room for the next.
    std::atomic<bool> ran{false};
    ASSERT_TRUE(worker.Start([&] { ran = true; }));
    worker.Join();
    EXPECT_TRUE(ran);
}

TEST(WorkerThread, JoinDispatchingLetsAJobWaitForTheUserInterfaceThread) {
    TimerWnd wnd;
    std::promise<int> answer;
    wnd.OnMessage(platform::WM_USER + 16, [&](WPARAM w, LPARAM) -> LRESULT {
        answer.set_value(static_cast<int>(w) * 2);
        return 0;
    });
    platform::CWorkerThread worker;
    std::atomic<int> seen{0};
    std::future<int> reply = answer.get_future();
    ASSERT_TRUE(worker.Start([&] {
        wnd.PostMessage(platform::WM_USER + 16, 21);
        seen = reply.get();  // only the user-interface thread can answer
    }));
    ASSERT_TRUE(worker.JoinDispatching(5000));
    EXPECT_EQ(42, seen.load());
}

TEST(WorkerThread, ShutDownFromTheUserInterfaceThreadEndsTheWorkersBlockedReceive) {
    SilentPeer silent("127.0.94.2");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.94.2", silent.peer.Port()));
    platform::CWorkerThread worker;
    std::atomic<int> result{1};
    std::atomic<bool> started{false};
    ASSERT_TRUE(worker.Start([&] {
        char byte = 0;
        started = true;
        result = socket.Receive(&byte, 1);
    }));
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }));
    // Let the worker reach its wait; the shutdown must end it wherever it is.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(1, socket.ShutDown(2));
    ASSERT_TRUE(worker.JoinDispatching(5000)) << "the receive never woke";
    EXPECT_LE(result.load(), 0);
    EXPECT_EQ(CSocket::kSocketError, socket.Send("x", 1)) << "sends are shut too";
}

TEST(WorkerThread, AMessageBoxAskedByAWorkerIsAnsweredOnTheUserInterfaceThread) {
    std::thread::id answeredOn;
    std::vector<std::string> texts;
    platform::MessageBoxAnswerer previous =
        platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
            answeredOn = std::this_thread::get_id();
            texts.push_back(record.text);
            return platform::IDCANCEL;
        });
    platform::CWorkerThread worker;
    std::atomic<int> answer{0};
    ASSERT_TRUE(worker.Start([&] {
        answer = platform::AfxMessageBox("Insufficient disk free space in PC, continue ?",
                                         platform::MB_OKCANCEL);
    }));
    ASSERT_TRUE(worker.JoinDispatching(5000));
    platform::SetMessageBoxAnswerer(previous);
    EXPECT_EQ(platform::IDCANCEL, answer.load());
    EXPECT_EQ(std::this_thread::get_id(), answeredOn);
    EXPECT_EQ((std::vector<std::string>{"Insufficient disk free space in PC, continue ?"}), texts);
}
