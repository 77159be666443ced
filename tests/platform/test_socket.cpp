#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "platform/Socket.h"
#include "test_socket_peer.h"

using platform::CSocket;
using platform::WSAGetLastError;
using platform_test::Ready;
using platform_test::TestPeer;

namespace {

// Reads one byte at a time up to LF, the way the programs read reply lines.
std::string ReadLine(CSocket& socket) {
    std::string line;
    char byte = 0;
    while (socket.Receive(&byte, 1) == 1 && byte != '\n') {
        line.push_back(byte);
    }
    return line;
}

std::string Pattern(size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>('A' + (i * 7 + i / 251) % 26);
    }
    return data;
}

TEST(SocketConnect, RefusedWhenNothingListens) {
    // A bound but not listening port answers a connection attempt with a reset.
    const int bound = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.41.1", &local.sin_addr);
    ASSERT_EQ(0, ::bind(bound, reinterpret_cast<sockaddr*>(&local), sizeof local));
    socklen_t size = sizeof local;
    ::getsockname(bound, reinterpret_cast<sockaddr*>(&local), &size);

    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    EXPECT_EQ(0, socket.Connect("127.0.41.1", ntohs(local.sin_port)));
    EXPECT_EQ(platform::WSAECONNREFUSED, WSAGetLastError());
    ::close(bound);
}

TEST(SocketConnect, RejectsUnusableHostTexts) {
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    EXPECT_EQ(0, socket.Connect("", 5000));
    EXPECT_EQ(platform::WSAEADDRNOTAVAIL, WSAGetLastError());
    EXPECT_EQ(0, socket.Connect(std::string("127.0.0.1\0evil", 14), 5000));
    EXPECT_EQ(platform::WSAEINVAL, WSAGetLastError());
}

TEST(SocketConnect, ResolvesHostNames) {
    TestPeer peer("127.0.0.1");
    peer.Serve([](int fd) { TestPeer::SendAll(fd, "hi\n"); });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("localhost", peer.Port())) << WSAGetLastError();
    EXPECT_EQ("hi", ReadLine(socket));
}

TEST(SocketTransfer, CommandAndReplyRoundTrip) {
    TestPeer peer("127.0.41.2");
    std::promise<std::string> received;
    peer.Serve([&](int fd) {
        received.set_value(TestPeer::ReceiveUpTo(fd, 11));
        TestPeer::SendAll(fd, "1.5;-3,x\r\n");
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.2", peer.Port()));
    const char command[] = "OUTP:LEV?\r\n";
    EXPECT_EQ(11, socket.Send(command, 11));
    std::future<std::string> got = received.get_future();
    ASSERT_TRUE(Ready(got));
    EXPECT_EQ(command, got.get());
    EXPECT_EQ("1.5;-3,x\r", ReadLine(socket));
}

TEST(SocketTransfer, ByteByByteReadsSeeTheWholeStreamThenTheClose) {
    const std::string data = Pattern(1 << 20);
    TestPeer peer("127.0.41.3");
    peer.Serve([&](int fd) { TestPeer::SendAll(fd, data); });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.3", peer.Port()));
    std::string got;
    got.reserve(data.size());
    char byte = 0;
    while (socket.Receive(&byte, 1) == 1) {
        got.push_back(byte);
    }
    EXPECT_EQ(platform::WSAECONNRESET, WSAGetLastError());
    EXPECT_TRUE(got == data) << "received " << got.size() << " of " << data.size();
    // The end of the stream stays the end.
    EXPECT_EQ(0, socket.Receive(&byte, 1));
}

TEST(SocketTransfer, LargeReadsReturnWhatHasArrived) {
    const std::string data = Pattern(100000);
    TestPeer peer("127.0.41.4");
    peer.Serve([&](int fd) { TestPeer::SendAll(fd, data); });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.4", peer.Port()));
    std::string got;
    std::string buffer(200000, '\0');
    // Mix a small read (through the internal buffer) with large ones (straight through).
    int n = socket.Receive(buffer.data(), 3);
    ASSERT_EQ(3, n);
    got.append(buffer.data(), 3);
    while ((n = socket.Receive(buffer.data(), static_cast<int>(buffer.size()))) > 0) {
        got.append(buffer.data(), static_cast<size_t>(n));
    }
    EXPECT_EQ(0, n);
    EXPECT_TRUE(got == data) << "received " << got.size() << " of " << data.size();
}

TEST(SocketTransfer, BytesAlreadyReceivedSurviveAPeerReset) {
    TestPeer peer("127.0.41.5");
    std::promise<void> firstByteRead;
    std::future<void> resetNow = firstByteRead.get_future();
    std::promise<void> resetDone;
    peer.Serve([&](int fd) {
        TestPeer::SendAll(fd, "hello");
        resetNow.wait();
        TestPeer::ResetClose(fd);
        peer.MarkClosed();
        resetDone.set_value();
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.5", peer.Port()));
    char byte = 0;
    ASSERT_EQ(1, socket.Receive(&byte, 1));
    EXPECT_EQ('h', byte);
    firstByteRead.set_value();
    std::future<void> done = resetDone.get_future();
    ASSERT_TRUE(Ready(done));
    std::string rest;
    while (socket.Receive(&byte, 1) == 1) {
        rest.push_back(byte);
    }
    EXPECT_EQ("ello", rest);
    EXPECT_EQ(platform::WSAECONNRESET, WSAGetLastError());
}

TEST(SocketTransfer, PeerClosingMidLineReadsAsConnectionReset) {
    TestPeer peer("127.0.41.6");
    peer.Serve([](int fd) { TestPeer::SendAll(fd, "abc"); });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.6", peer.Port()));
    char buffer[8] = {};
    std::string got;
    int n = 0;
    while ((n = socket.Receive(buffer, 1)) == 1) {
        got.push_back(buffer[0]);
    }
    EXPECT_EQ("abc", got);
    EXPECT_EQ(0, n);
    EXPECT_EQ(platform::WSAECONNRESET, WSAGetLastError());
}

TEST(SocketTransfer, SendToAVanishedPeerFailsWithoutSigpipe) {
    // With the default disposition a SIGPIPE would end the whole test binary here.
    struct sigaction previous = {};
    struct sigaction deflt = {};
    deflt.sa_handler = SIG_DFL;
    sigemptyset(&deflt.sa_mask);
    ::sigaction(SIGPIPE, &deflt, &previous);

    TestPeer peer("127.0.41.7");
    peer.Serve([](int) {});
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.7", peer.Port()));
    peer.Join();
    const std::string block(1024, 'x');
    int result = 0;
    for (int i = 0; i < 1000 && result != CSocket::kSocketError; ++i) {
        result = socket.Send(block.data(), static_cast<int>(block.size()));
    }
    EXPECT_EQ(CSocket::kSocketError, result);
    EXPECT_EQ(platform::WSAECONNRESET, WSAGetLastError());
    ::sigaction(SIGPIPE, &previous, nullptr);
}

TEST(SocketTransfer, LargeSendCompletesAgainstASlowReader) {
    const std::string data = Pattern(8 << 20);
    TestPeer peer("127.0.41.8");
    std::promise<std::string> received;
    peer.Serve([&](int fd) {
        // Small reads keep the kernel queues full, so the sender has to wait for room.
        std::string got;
        char chunk[1024];
        ssize_t n = 0;
        while ((n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
            got.append(chunk, static_cast<size_t>(n));
        }
        received.set_value(std::move(got));
    });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.8", peer.Port()));
    EXPECT_EQ(static_cast<int>(data.size()),
              socket.Send(data.data(), static_cast<int>(data.size())));
    socket.Close();
    std::future<std::string> got = received.get_future();
    ASSERT_TRUE(Ready(got));
    EXPECT_TRUE(got.get() == data);
}

TEST(SocketTransfer, RejectsBadBufferArguments) {
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, socket.Send(&byte, -1));
    EXPECT_EQ(platform::WSAEFAULT, WSAGetLastError());
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(nullptr, 4));
    EXPECT_EQ(platform::WSAEFAULT, WSAGetLastError());
    EXPECT_EQ(CSocket::kSocketError, socket.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAENOTCONN, WSAGetLastError());
}

TEST(SocketLifecycle, EveryCallFailsWithNotSockAfterClose) {
    for (bool everCreated : {false, true}) {
        SCOPED_TRACE(everCreated ? "created, then closed" : "never created");
        CSocket socket;
        if (everCreated) {
            ASSERT_EQ(1, socket.Create());
            socket.Close();
            socket.Close();  // a second close is harmless
        }
        EXPECT_FALSE(socket.IsOpen());
        auto expectNotSock = [](int result, int failure) {
            EXPECT_EQ(failure, result);
            EXPECT_EQ(platform::WSAENOTSOCK, WSAGetLastError());
        };
        char byte = 'x';
        std::string address;
        unsigned short port = 0;
        CSocket other;
        expectNotSock(socket.Connect("127.0.0.1", 1), 0);
        expectNotSock(socket.Send(&byte, 1), CSocket::kSocketError);
        expectNotSock(socket.Receive(&byte, 1), CSocket::kSocketError);
        expectNotSock(socket.Bind("", 0), 0);
        expectNotSock(socket.Listen(), 0);
        expectNotSock(socket.Accept(other), 0);
        expectNotSock(socket.GetSockName(address, port), 0);
        expectNotSock(socket.GetPeerName(address, port), 0);
        expectNotSock(socket.ShutDown(2), 0);
    }
}

TEST(SocketLifecycle, CanBeCreatedAgainAfterClose) {
    TestPeer peer("127.0.41.9");
    peer.Serve([](int fd) { TestPeer::SendAll(fd, "again\n"); });
    CSocket socket;
    ASSERT_EQ(1, socket.Create());
    EXPECT_EQ(0, socket.Create());
    EXPECT_EQ(platform::WSAEINVAL, WSAGetLastError());
    socket.Close();
    ASSERT_EQ(1, socket.Create());
    ASSERT_EQ(1, socket.Connect("127.0.41.9", peer.Port()));
    EXPECT_EQ("again", ReadLine(socket));
}

TEST(SocketLifecycle, InitFailureForcedByATestBlocksCreate) {
    platform::SetSocketInitFailsForTests(true);
    EXPECT_FALSE(platform::AfxSocketInit());
    CSocket socket;
    EXPECT_EQ(0, socket.Create());
    EXPECT_EQ(platform::WSANOTINITIALISED, WSAGetLastError());
    platform::SetSocketInitFailsForTests(false);
    EXPECT_TRUE(platform::AfxSocketInit());
    EXPECT_EQ(1, socket.Create());
}

TEST(SocketServer, ListenAcceptAndBothAddresses) {
    CSocket listener;
    ASSERT_EQ(1, listener.Create());
    ASSERT_EQ(1, listener.Bind("127.0.41.10", 0));
    ASSERT_EQ(1, listener.Listen());
    std::string address;
    unsigned short port = 0;
    ASSERT_EQ(1, listener.GetSockName(address, port));
    EXPECT_EQ("127.0.41.10", address);
    ASSERT_NE(0, port);

    std::promise<std::pair<std::string, unsigned short>> clientName;
    std::promise<std::string> clientGot;
    std::thread client([&] {
        CSocket socket;
        socket.Create();
        if (!socket.Connect("127.0.41.10", port)) {
            clientName.set_value({});
            clientGot.set_value("connect failed");
            return;
        }
        std::string a;
        unsigned short p = 0;
        socket.GetSockName(a, p);
        clientName.set_value({a, p});
        socket.Send("PING\n", 5);
        clientGot.set_value(ReadLine(socket));
        socket.ShutDown(1);
        char byte = 0;
        socket.Receive(&byte, 1);  // until the server closes
    });

    CSocket connection;
    ASSERT_EQ(1, listener.Accept(connection));
    EXPECT_EQ("PING", ReadLine(connection));
    EXPECT_EQ(5, connection.Send("PONG\n", 5));
    std::string peerAddress;
    unsigned short peerPort = 0;
    ASSERT_EQ(1, connection.GetPeerName(peerAddress, peerPort));
    auto name = clientName.get_future();
    ASSERT_TRUE(Ready(name));
    EXPECT_EQ(name.get(), std::make_pair(peerAddress, peerPort));
    auto got = clientGot.get_future();
    ASSERT_TRUE(Ready(got));
    EXPECT_EQ("PONG", got.get());
    char byte = 0;
    EXPECT_EQ(0, connection.Receive(&byte, 1));  // the client shut down its sending side
    connection.Close();
    client.join();
}

TEST(SocketServer, WindowsRulesForListenAcceptAndBind) {
    CSocket unbound;
    ASSERT_EQ(1, unbound.Create());
    EXPECT_EQ(0, unbound.Listen());
    EXPECT_EQ(platform::WSAEINVAL, WSAGetLastError());

    CSocket listener;
    ASSERT_EQ(1, listener.Create(0, "127.0.41.11"));
    ASSERT_EQ(1, listener.Listen());
    std::string address;
    unsigned short port = 0;
    ASSERT_EQ(1, listener.GetSockName(address, port));

    CSocket second;
    EXPECT_EQ(0, second.Create(port, "127.0.41.11"));
    EXPECT_EQ(platform::WSAEADDRINUSE, WSAGetLastError());
    EXPECT_FALSE(second.IsOpen());

    CSocket alreadyOpen;
    ASSERT_EQ(1, alreadyOpen.Create());
    EXPECT_EQ(0, listener.Accept(alreadyOpen));
    EXPECT_EQ(platform::WSAEINVAL, WSAGetLastError());
}

TEST(SocketServer, ShutDownDirectionsFailLaterCallsWithShutdown) {
    CSocket listener;
    ASSERT_EQ(1, listener.Create(0, "127.0.41.12"));
    ASSERT_EQ(1, listener.Listen());
    std::string address;
    unsigned short port = 0;
    listener.GetSockName(address, port);
    CSocket client;
    ASSERT_EQ(1, client.Create());
    EXPECT_EQ(0, client.ShutDown(1));
    EXPECT_EQ(platform::WSAENOTCONN, WSAGetLastError());
    ASSERT_EQ(1, client.Connect(address, port));
    CSocket server;
    ASSERT_EQ(1, listener.Accept(server));

    EXPECT_EQ(0, client.ShutDown(3));
    EXPECT_EQ(platform::WSAEINVAL, WSAGetLastError());
    ASSERT_EQ(1, client.ShutDown(1));
    EXPECT_EQ(CSocket::kSocketError, client.Send("x", 1));
    EXPECT_EQ(platform::WSAESHUTDOWN, WSAGetLastError());
    ASSERT_EQ(1, client.ShutDown(0));
    char byte = 0;
    EXPECT_EQ(CSocket::kSocketError, client.Receive(&byte, 1));
    EXPECT_EQ(platform::WSAESHUTDOWN, WSAGetLastError());
}

TEST(SocketErrorsPerThread, LastErrorBelongsToTheCallingThread) {
    platform::WSASetLastError(platform::WSAECONNRESET);
    int seenByOther = -1;
    std::thread other([&] {
        seenByOther = WSAGetLastError();
        platform::WSASetLastError(platform::WSAETIMEDOUT);
    });
    other.join();
    EXPECT_EQ(0, seenByOther);
    EXPECT_EQ(platform::WSAECONNRESET, WSAGetLastError());
}

}  // namespace
