#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/Socket.h"
#include "test_socket_peer.h"

using platform::CSocket;
using platform::WSAGetLastError;
using platform_test::HookScope;
using platform_test::Ready;
using platform_test::RecordingHook;
using platform_test::SilentPeer;
using platform_test::TestPeer;

namespace {

// Waits until the thread sleeps in a system call: after its hook has returned, the blocked call
// is back waiting in the kernel.
bool SleepsInTheKernel(pid_t thread) {
    const std::string path = "/proc/self/task/" + std::to_string(thread) + "/stat";
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        std::ifstream file(path);
        std::string stat;
        std::getline(file, stat);
        const size_t name = stat.rfind(')');
        if (name != std::string::npos && name + 2 < stat.size() && stat[name + 2] == 'S') {
            return true;
        }
        std::this_thread::yield();
    }
    return false;
}

TEST(SocketBlocking, CancelFromAnotherThreadEndsABlockedReceive) {
    SilentPeer silent("127.0.42.1");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.1", silent.peer.Port()));
    // A hook on this thread must not run for a call blocked on another thread.
    RecordingHook mainHook;
    HookScope scope(&mainHook);

    auto blocked = std::async(std::launch::async, [&] {
        char byte = 0;
        const int result = socket.Receive(&byte, 1);
        return std::make_pair(result, WSAGetLastError());
    });
    // A cancel with no call in progress has no effect, so repeat until the call has ended.
    while (blocked.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        socket.CancelBlockingCall();
    }
    const auto [result, error] = blocked.get();
    EXPECT_EQ(CSocket::kSocketError, result);
    EXPECT_EQ(platform::WSAEINTR, error);
    EXPECT_TRUE(socket.IsOpen());
    EXPECT_EQ(0, mainHook.begins + mainHook.waits + mainHook.ends);
}

TEST(SocketBlocking, CloseFromAnotherThreadEndsABlockedReceive) {
    SilentPeer silent("127.0.42.2");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.2", silent.peer.Port()));
    std::promise<pid_t> waiting;
    int hooksAfterClose = 0;
    auto blocked = std::async(std::launch::async, [&] {
        RecordingHook hook;
        hook.onWait = [&](int count) {
            // A call that was closed has stopped waiting: its thread's hook has no more slices.
            if (!socket.IsOpen()) {
                ++hooksAfterClose;
            }
            if (count == 1) {
                waiting.set_value(static_cast<pid_t>(::syscall(SYS_gettid)));
            }
        };
        HookScope scope(&hook);
        char byte = 0;
        const int result = socket.Receive(&byte, 1);
        return std::make_pair(result, WSAGetLastError());
    });
    auto isWaiting = waiting.get_future();
    ASSERT_TRUE(Ready(isWaiting));
    // The close comes while the call is back in the kernel, between two runs of its hook.
    ASSERT_TRUE(SleepsInTheKernel(isWaiting.get()));
    socket.Close();  // returns only once the blocked call has let go of the descriptor
    ASSERT_TRUE(Ready(blocked));
    const auto [result, error] = blocked.get();
    EXPECT_EQ(CSocket::kSocketError, result);
    EXPECT_EQ(platform::WSAEINTR, error);
    EXPECT_EQ(0, hooksAfterClose);
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAENOTSOCK, WSAGetLastError());
}

TEST(SocketBlocking, HookRunsWhileWaitingButNotOnTheFastPath) {
    TestPeer peer("127.0.42.3");
    std::promise<void> firstSent;
    std::promise<void> sendMore;
    peer.Serve([&](int fd) {
        TestPeer::SendAll(fd, "ab");
        firstSent.set_value();
        sendMore.get_future().wait();
        TestPeer::SendAll(fd, "c");
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.3", peer.Port()));
    auto sent = firstSent.get_future();
    ASSERT_TRUE(Ready(sent));

    RecordingHook hook;
    hook.onWait = [&](int count) {
        if (count == 3) {
            sendMore.set_value();
        }
    };
    HookScope scope(&hook);
    char byte = 0;
    ASSERT_EQ(1, socket.Receive(&byte, 1));  // arrived already
    ASSERT_EQ(1, socket.Receive(&byte, 1));  // buffered
    EXPECT_EQ('b', byte);
    EXPECT_EQ(0, hook.begins + hook.waits + hook.ends);
    EXPECT_EQ(2, socket.Send("ok", 2));  // room in the send queue
    EXPECT_EQ(0, hook.begins + hook.waits + hook.ends);

    ASSERT_EQ(1, socket.Receive(&byte, 1));  // has to wait for the peer
    EXPECT_EQ('c', byte);
    EXPECT_EQ(1, hook.begins);
    EXPECT_GE(hook.waits, 3);
    EXPECT_EQ(1, hook.ends);
}

TEST(SocketBlocking, TimerInTheHookCancelsTheCall) {
    SilentPeer silent("127.0.42.4");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.4", silent.peer.Port()));
    RecordingHook hook;
    hook.onWait = [&](int count) {
        if (count == 2) {
            socket.CancelBlockingCall();
        }
    };
    HookScope scope(&hook);
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
    EXPECT_EQ(2, hook.waits);
    EXPECT_EQ(1, hook.ends);
    EXPECT_TRUE(socket.IsOpen());
}

TEST(SocketBlocking, HookMayCloseTheSocketItIsWaitingOn) {
    SilentPeer silent("127.0.42.5");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.5", silent.peer.Port()));
    RecordingHook hook;
    hook.onWait = [&](int) { socket.Close(); };
    HookScope scope(&hook);
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
    EXPECT_FALSE(socket.IsOpen());
    EXPECT_EQ(CSocket::kSocketError, socket.Send("x", 1));
    EXPECT_EQ(platform::WSAENOTSOCK, WSAGetLastError());
    // The descriptor was released when the call left, so the object is reusable.
    EXPECT_EQ(1, socket.Create());
}

TEST(SocketBlocking, BlockingCallFromInsideTheHookIsRefused) {
    SilentPeer silent("127.0.42.6");
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.6", silent.peer.Port()));
    int nestedSend = 0;
    int nestedReceive = 0;
    int nestedError = 0;
    RecordingHook hook;
    hook.onWait = [&](int) {
        nestedSend = socket.Send("SYST:ERR?\r\n", 11);
        char byte = 0;
        nestedReceive = socket.Receive(&byte, 1);
        nestedError = WSAGetLastError();
        socket.CancelBlockingCall();
    };
    HookScope scope(&hook);
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    // The nested calls' error does not replace the outer call's own.
    EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
    EXPECT_EQ(CSocket::kSocketError, nestedSend);
    EXPECT_EQ(CSocket::kSocketError, nestedReceive);
    EXPECT_EQ(platform::WSAEINPROGRESS, nestedError);
}

TEST(SocketBlocking, StaleCancelDoesNotEndALaterCall) {
    TestPeer peer("127.0.42.7");
    std::promise<void> sendNow;
    peer.Serve([&](int fd) {
        sendNow.get_future().wait();
        TestPeer::SendAll(fd, "z");
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.7", peer.Port()));
    socket.CancelBlockingCall();  // nothing in progress
    RecordingHook hook;
    hook.onWait = [&](int count) {
        if (count == 1) {
            sendNow.set_value();
        }
    };
    HookScope scope(&hook);
    char byte = 0;
    ASSERT_EQ(1, socket.Receive(&byte, 1)) << platform::WsaErrorName(WSAGetLastError());
    EXPECT_EQ('z', byte);
}

TEST(SocketBlocking, SendWaitsForRoomWithTheHookRunning) {
    const std::string data(8 << 20, 'q');
    TestPeer peer("127.0.42.8");
    std::promise<void> startReading;
    std::promise<size_t> total;
    peer.Serve([&](int fd) {
        startReading.get_future().wait();
        total.set_value(TestPeer::ReceiveUpTo(fd, data.size()).size());
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.42.8", peer.Port()));
    RecordingHook hook;
    hook.onWait = [&](int count) {
        if (count == 1) {
            startReading.set_value();
        }
    };
    {
        HookScope scope(&hook);
        EXPECT_EQ(static_cast<int>(data.size()),
                  socket.Send(data.data(), static_cast<int>(data.size())));
    }
    EXPECT_EQ(1, hook.begins);
    EXPECT_EQ(1, hook.ends);
    auto received = total.get_future();
    ASSERT_TRUE(Ready(received));
    EXPECT_EQ(data.size(), received.get());
}

TEST(SocketBlocking, CancelEndsABlockedAccept) {
    CSocket listener;
    ASSERT_EQ(1, listener.Create(0, "127.0.42.9"));
    ASSERT_EQ(1, listener.Listen());
    RecordingHook hook;
    hook.onWait = [&](int) { listener.CancelBlockingCall(); };
    HookScope scope(&hook);
    CSocket connection;
    EXPECT_EQ(0, listener.Accept(connection));
    EXPECT_EQ(platform::WSAEINTR, WSAGetLastError());
    EXPECT_FALSE(connection.IsOpen());
}

}  // namespace
