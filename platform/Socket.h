// CSocket: a blocking TCP stream socket with Windows Sockets semantics, over POSIX.
//
// Every program talks to the instrument through this class: the user-interface thread's
// command link, worker threads' links, and FTP control and data connections (listen, accept,
// local address). It keeps the Windows behaviour the programs depend on:
//  - Calls block until they complete, fail, or are cancelled. Failures return 0 (or
//    kSocketError for Send/Receive) and leave a Windows Sockets code for WSAGetLastError()
//    (SocketErrors.h); POSIX errors never leak out.
//  - Send delivers the whole buffer or fails: it never returns a short count, and never
//    raises SIGPIPE. A send on a connection the peer has dropped fails with WSAECONNRESET.
//  - Receive returns 0 once the peer has closed its side, and then also sets WSAECONNRESET,
//    so a program that reports the last error shows "connection closed by foreign host".
//  - After Close() every call fails with WSAENOTSOCK until Create() is called again.
//  - CancelBlockingCall() makes the call that is blocked on this socket (on any thread) fail
//    with WSAEINTR. So does Close() from another thread or from the blocking hook.
//  - While a call waits, the thread's blocking hook runs (see BlockingHook below), the way
//    Windows kept dispatching a thread's messages during a blocking socket call. A blocking
//    call made from inside the hook fails at once with WSAEINPROGRESS, as on Windows, so a
//    second exchange cannot start in the middle of a reply.
//  - ShutDown takes the Windows numbering (0 receives, 1 sends, 2 both); afterwards Send or
//    Receive in the shut direction fails with WSAESHUTDOWN.
//  - Listen on a socket that was never bound fails with WSAEINVAL (POSIX would pick a port).
//
// Beyond Windows: received bytes are buffered inside the object (up to kReceiveBufferSize per
// read from the kernel), so a reader that takes one byte per Receive stays cheap while still
// seeing plain stream semantics; bytes already received survive a reset by the peer.
// Bind sets SO_REUSEADDR, because on Linux a listener could otherwise not be restarted on its
// port while old connections linger in TIME_WAIT, which Windows allows; two listeners on one
// port still fail with WSAEADDRINUSE.
//
// A receive that has to wait on a connected socket waits in recv() itself, a hook slice at a
// time, so that an answer costs the one system call it costs any plain client; every other
// wait is a poll() that a wake from another thread ends at once. A cancel or close from
// another thread ends such a receive within its slice.
//
// Thread rules: one thread at a time may send and one may receive; Close, CancelBlockingCall
// and IsOpen are safe from any thread. Never destroy a socket from inside its own blocking
// call (the hook); close it instead.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/SocketErrors.h"

namespace platform {

// Runs on a thread while one of its socket calls has to wait. Only when it actually has to
// wait, for a whole slice (kHookSliceMs) at least: a call that completes at once (data
// already buffered, room in the send queue) or within its first slice runs no hook at all.
class BlockingHook {
public:
    virtual ~BlockingHook() = default;
    // Once per socket call, when its first slice has passed without an end to the wait.
    virtual void OnWaitBegin() {}
    // Between poll slices (about every kHookSliceMs) while the call is still waiting.
    virtual void OnWait() = 0;
    // Once, when a call that began waiting returns, whether it succeeded or failed.
    virtual void OnWaitEnd() {}
};

// Sets the calling thread's hook; nullptr removes it. The hook is not owned.
void SetBlockingHook(BlockingHook* hook);
BlockingHook* GetBlockingHook();

// Socket support start-up, called once by each program before its first socket. Ignores
// SIGPIPE process-wide (sends already pass MSG_NOSIGNAL; this guards any other write to a
// socket). Returns false only while a test forces failure; then Create() fails with
// WSANOTINITIALISED as on a machine without socket support. Sockets work without this call.
bool AfxSocketInit();
void SetSocketInitFailsForTests(bool fail);

class CSocket {
public:
    static constexpr int kSocketError = -1;
    static constexpr int kReceiveBufferSize = 64 * 1024;
    static constexpr int kHookSliceMs = 15;

    CSocket();
    ~CSocket();
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    // Creates the TCP stream socket. 1/0.
    int Create();
    // Creates it and binds it to the port and address ("" = any), as the Windows class did.
    int Create(unsigned short port, const std::string& address = "");

    // Dotted IPv4 address or a host name (IPv4 only). Blocks until connected or refused.
    int Connect(const std::string& host, unsigned short port);

    // Sends all of data. Returns length, or kSocketError (nothing or only part was sent).
    int Send(const void* data, int length);

    // Returns the number of bytes received (at most length, at least 1), 0 when the peer has
    // closed the connection (last error WSAECONNRESET), or kSocketError. A length of 0
    // returns 0 at once without touching the last error, as on Windows.
    int Receive(void* buffer, int length);

    int Bind(const std::string& address, unsigned short port);  // "" = any address
    int Listen(int backlog = 5);
    // Blocks until a connection arrives; `connected` must not be open.
    int Accept(CSocket& connected);

    int GetSockName(std::string& address, unsigned short& port) const;
    int GetPeerName(std::string& address, unsigned short& port) const;

    int ShutDown(int how);  // 0 receives, 1 sends, 2 both

    void Close();
    void CancelBlockingCall();
    bool IsOpen() const;

private:
    class Call;
    struct Waiter;

    int Adopt(int fd);
    int ReadyForBlockingCall() const;
    int Resolve(const std::string& host, unsigned short port, bool allowAny, void* address);

    // Guarded by m_mutex: the descriptor stays valid while any call uses it; a Close() that
    // arrives meanwhile marks m_closing and the last call leaving releases it.
    mutable std::mutex m_mutex;
    std::condition_variable m_callsDone;
    int m_fd = -1;
    bool m_closing = false;
    int m_activeCalls = 0;
    unsigned m_closeCount = 0;
    std::vector<Waiter*> m_waiters;

    std::atomic<bool> m_open{false};
    std::atomic<bool> m_sendShutDown{false};
    std::atomic<bool> m_receiveShutDown{false};

    // Owned by the receiving thread.
    std::unique_ptr<char[]> m_buffer;
    int m_readPos = 0;
    int m_readEnd = 0;
    // The last read from the kernel took all it had: the next one goes straight to the wait.
    bool m_waitFirst = false;
    // Connected, and the descriptor blocks in recv() a slice at a time (Socket.cpp).
    std::atomic<bool> m_blocksInSlices{false};
};

}  // namespace platform
