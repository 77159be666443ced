#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <string>
#include <thread>

#include "platform/CrossThreadSend.h"
#include "platform/Wnd.h"
#include "platform/WorkerThread.h"

namespace {

using platform::CCrossThreadSender;
using platform::LPARAM;
using platform::LRESULT;
using platform::WPARAM;

constexpr platform::UINT kEcho = platform::WM_USER + 40;

struct EchoWindow : platform::CWnd {
    std::thread::id handledOn;
    std::string seenText;
    int calls = 0;
    EchoWindow() {
        OnMessage(kEcho, [this](WPARAM w, LPARAM l) -> LRESULT {
            handledOn = std::this_thread::get_id();
            seenText = reinterpret_cast<const char*>(l);
            ++calls;
            return static_cast<LRESULT>(w) * 2;
        });
    }
};

void PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(CrossThreadSend, WorkerWaitsForTheHandlerOnTheInterfaceThread) {
    EchoWindow window;
    CCrossThreadSender sender(&window);
    std::atomic<int> delivered{-1};
    LRESULT result = 0;
    platform::CWorkerThread worker;
    worker.Start([&] {
        // The text lives on the worker's stack: valid only while Send waits.
        const std::string text = "from the worker";
        delivered = sender.Send(kEcho, 21, reinterpret_cast<LPARAM>(text.c_str()), &result);
    });
    ASSERT_TRUE(worker.JoinDispatching(5000));
    EXPECT_EQ(delivered.load(), 1);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(window.seenText, "from the worker");
    EXPECT_EQ(window.handledOn, std::this_thread::get_id());
}

TEST(CrossThreadSend, ClosingReleasesAWaitingWorkerAndRefusesLaterSends) {
    EchoWindow window;
    CCrossThreadSender sender(&window);
    std::atomic<bool> started{false};
    std::atomic<int> first{-1};
    std::atomic<int> second{-1};
    platform::CWorkerThread worker;
    worker.Start([&] {
        started = true;
        first = sender.Send(kEcho, 1, reinterpret_cast<LPARAM>("x"));
        second = sender.Send(kEcho, 1, reinterpret_cast<LPARAM>("y"));
    });
    // The interface thread does not dispatch: it is "closing the window".
    while (!started.load()) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    sender.Close();
    // A plain join, as a closing window might do, must not hang.
    worker.Join();
    EXPECT_EQ(first.load(), 0);
    EXPECT_EQ(second.load(), 0);
    // The request dropped on close never reaches the window afterwards.
    QCoreApplication::processEvents();
    EXPECT_EQ(window.calls, 0);
    EXPECT_TRUE(sender.IsClosed());
}

TEST(CrossThreadSend, AHandlerThatClosesTheSenderStillAnswersItsOwnSend) {
    platform::CWnd window;
    CCrossThreadSender sender(&window);
    window.OnMessage(kEcho, [&](WPARAM, LPARAM) -> LRESULT {
        sender.Close();
        return 7;
    });
    LRESULT result = 0;
    std::atomic<int> delivered{-1};
    std::atomic<int> after{-1};
    platform::CWorkerThread worker;
    worker.Start([&] {
        delivered = sender.Send(kEcho, 0, 0, &result);
        after = sender.Send(kEcho);
    });
    ASSERT_TRUE(worker.JoinDispatching(5000));
    EXPECT_EQ(delivered.load(), 1);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(after.load(), 0);
}

TEST(CrossThreadSend, ManySendsArriveInOrderAndOnTheInterfaceThreadDirectly) {
    EchoWindow window;
    CCrossThreadSender sender(&window);
    std::vector<int> order;
    window.OnMessage(kEcho + 1, [&](WPARAM w, LPARAM) -> LRESULT {
        order.push_back(static_cast<int>(w));
        return 0;
    });
    platform::CWorkerThread worker;
    worker.Start([&] {
        for (int i = 0; i < 200; ++i) sender.Send(kEcho + 1, static_cast<WPARAM>(i));
    });
    ASSERT_TRUE(worker.JoinDispatching(10000));
    ASSERT_EQ(order.size(), 200u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
    LRESULT result = 0;
    EXPECT_EQ(sender.Send(kEcho, 5, reinterpret_cast<LPARAM>("here"), &result), 1);
    EXPECT_EQ(result, 10);
    PumpUntil([] { return true; });
}

}  // namespace
