#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/SocketDeadline.h"
#include "test_socket_peer.h"

using platform::CSocket;
using platform::CSocketDeadline;
using platform::WSAGetLastError;
using platform_test::HookScope;
using platform_test::RecordingHook;
using platform_test::SilentPeer;
using platform_test::TestPeer;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

constexpr milliseconds kLimit{150};

struct StuckCall {
    const char* name;
    const char* address;
    std::function<int(CSocket&)> call;  // kSocketError when it failed
};

TEST(SocketDeadline, CancelsACallThatWaitsPastTheLimitAndKeepsTheThreadsHookRunning) {
    const std::string big(8 << 20, 'q');  // more than the peer's and our buffers hold
    const StuckCall cases[] = {
        {"receive from a silent peer", "127.0.45.1",
         [](CSocket& s) {
             char byte = 0;
             return s.Receive(&byte, 1);
         }},
        {"send to a peer that never reads", "127.0.45.2",
         [&big](CSocket& s) { return s.Send(big.data(), static_cast<int>(big.size())); }},
    };
    for (const StuckCall& c : cases) {
        SCOPED_TRACE(c.name);
        SilentPeer still(c.address);
        CSocket socket;
        ASSERT_EQ(1, socket.Create());
        ASSERT_EQ(1, socket.Connect(c.address, still.peer.Port()));
        RecordingHook uiHook;  // stands for the user-interface thread's own hook
        HookScope scope(&uiHook);
        const auto start = steady_clock::now();
        {
            CSocketDeadline deadline(socket, kLimit);
            EXPECT_EQ(platform::GetBlockingHook(), &deadline);
            EXPECT_EQ(CSocket::kSocketError, c.call(socket));
            EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
            EXPECT_TRUE(deadline.TimedOut());
        }
        EXPECT_GE(steady_clock::now() - start, kLimit);
        EXPECT_EQ(platform::GetBlockingHook(), &uiHook);
        // Whether the call waited before its time ran out depends on how the thread was
        // scheduled; that every wait reaches the thread's own hook is shown with the abort flag.
        EXPECT_EQ(1, uiHook.begins);
        EXPECT_EQ(1, uiHook.ends);
        EXPECT_TRUE(socket.IsOpen());  // closing is the caller's choice
    }
}

TEST(SocketDeadline, CallsThatFinishInTimeAreLeftAlone) {
    TestPeer peer("127.0.45.3");
    std::promise<void> answer;
    peer.Serve([&](int fd) {
        answer.get_future().wait();
        TestPeer::SendAll(fd, "ok\n");
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.45.3", peer.Port()));
    CSocketDeadline deadline(socket, milliseconds(20000));
    answer.set_value();
    std::string line;
    char byte = 0;
    while (socket.Receive(&byte, 1) == 1 && byte != '\n') line += byte;
    EXPECT_EQ(line, "ok");
    EXPECT_FALSE(deadline.Expired());
    EXPECT_FALSE(deadline.TimedOut());
}

// A peer that never pauses keeps every receive from waiting, so only the reader's own check
// between calls can end it.
TEST(SocketDeadline, ExpiredEndsAReaderOfAStreamWithoutPause) {
    TestPeer peer("127.0.45.4");
    std::atomic<bool> stop{false};
    peer.Serve([&](int fd) {
        const std::string chunk(64 * 1024, 'x');
        while (!stop.load() && TestPeer::SendAll(fd, chunk)) {
        }
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.45.4", peer.Port()));
    const auto start = steady_clock::now();
    {
        CSocketDeadline deadline(socket, kLimit);
        char byte = 0;
        while (!deadline.Expired() && socket.Receive(&byte, 1) == 1) {
        }
        EXPECT_TRUE(deadline.TimedOut());
    }
    EXPECT_GE(steady_clock::now() - start, kLimit);
    stop.store(true);
    socket.Close();
}

// The flag another thread raises (a Cancel button, a closing window) ends the call at once,
// long before the limit, and is not taken for a time-out; with no limit only the flag ends it.
// The flag goes up from the thread's own hook while the call waits, so the call ending shows
// that the deadline passed the waits on to that hook.
TEST(SocketDeadline, AnAbortFlagEndsTheCallAtOnceAndIsNoTimeOut) {
    const milliseconds limits[] = {milliseconds(20000), milliseconds(0)};
    for (const milliseconds limit : limits) {
        SCOPED_TRACE(limit.count());
        SilentPeer silent("127.0.45.5");
        CSocket socket;
        ASSERT_EQ(1, socket.Create());
        ASSERT_EQ(1, socket.Connect("127.0.45.5", silent.peer.Port()));
        std::atomic<bool> aborted{false};
        RecordingHook uiHook;
        uiHook.onWait = [&aborted](int waits) {
            if (waits == 2)
                aborted.store(true);
        };
        HookScope scope(&uiHook);
        std::promise<void> returned;
        // Should the flag be ignored, the test still ends, and fails on the time taken.
        std::thread guard([&socket, done = returned.get_future()] {
            if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
                socket.CancelBlockingCall();
        });
        const auto start = steady_clock::now();
        {
            CSocketDeadline deadline(socket, limit, &aborted);
            char byte = 0;
            EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
            returned.set_value();
            EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
            EXPECT_FALSE(deadline.TimedOut());
        }
        guard.join();
        EXPECT_EQ(2, uiHook.waits);
        EXPECT_LT(steady_clock::now() - start, milliseconds(10000));
    }
}

}  // namespace
