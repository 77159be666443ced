#include "platform/Socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <thread>

namespace platform {

namespace {

thread_local BlockingHook* t_hook = nullptr;
// Non-zero while this thread runs inside a hook callback.
thread_local int t_hookDepth = 0;
std::atomic<bool> g_initFails{false};

int Fail(int code) {
    WSASetLastError(code);
    return 0;
}

int FailErrno(int posixErrno) {
    return Fail(WsaErrorFromErrno(posixErrno));
}

// One wake descriptor per thread: a cancel writes to the descriptor of the thread whose call
// it cancels, so the blocked poll() returns at once instead of at the next slice.
class ThreadWake {
public:
    ThreadWake() = default;
    ThreadWake(const ThreadWake&) = delete;
    ThreadWake& operator=(const ThreadWake&) = delete;
    ~ThreadWake() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Fd() {
        if (m_fd < 0) {
            m_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        }
        return m_fd;
    }
    void Drain() {
        if (m_fd >= 0) {
            std::uint64_t value = 0;
            [[maybe_unused]] ssize_t n = ::read(m_fd, &value, sizeof value);
        }
    }

private:
    int m_fd = -1;
};

thread_local ThreadWake t_wake;

void Wake(int fd) {
    if (fd >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(fd, &one, sizeof one);
    }
}

// Makes a connected descriptor block in recv() for at most one hook slice at a time, so that
// a receive can wait in recv() itself (Call::ReceiveWaiting) rather than in a poll() before
// it: an answer then costs the one system call it costs any plain client. Every other call
// on the descriptor passes MSG_DONTWAIT or waits in poll() as before. False when the
// descriptor could not be set so; its receives then wait in poll().
bool BlockInSlices(int fd, int sliceMs) {
    timeval slice = {};
    slice.tv_usec = sliceMs * 1000;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &slice, sizeof slice) != 0) {
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// Runs a hook callback: marks the thread as inside the hook (so a nested blocking call is
// refused) and keeps the caller's last error, whatever the hook does with sockets.
template <typename F>
void RunHook(F&& callback) {
    const int savedError = WSAGetLastError();
    ++t_hookDepth;
    callback();
    --t_hookDepth;
    WSASetLastError(savedError);
}

std::string AddressText(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return text;
}

}  // namespace

void SetBlockingHook(BlockingHook* hook) {
    t_hook = hook;
}

BlockingHook* GetBlockingHook() {
    return t_hook;
}

bool AfxSocketInit() {
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);
    return !g_initFails.load();
}

void SetSocketInitFailsForTests(bool fail) {
    g_initFails.store(fail);
}

struct CSocket::Waiter {
    std::thread::id thread;
    int wakeFd = -1;
    std::atomic<bool> cancelled{false};
};

// One socket call that uses the descriptor. While it lives the descriptor stays open, and
// Close()/CancelBlockingCall() can reach it through its waiter.
class CSocket::Call {
public:
    explicit Call(const CSocket& socket) : m_socket(const_cast<CSocket&>(socket)) {
        std::lock_guard<std::mutex> lock(m_socket.m_mutex);
        if (!m_socket.m_open.load() || m_socket.m_fd < 0 || m_socket.m_closing) {
            return;
        }
        m_fd = m_socket.m_fd;
        m_waiter.thread = std::this_thread::get_id();
        m_waiter.wakeFd = t_wake.Fd();
        m_socket.m_waiters.push_back(&m_waiter);
        ++m_socket.m_activeCalls;
    }

    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    ~Call() {
        if (m_fd < 0) {
            return;
        }
        if (m_hookBegun) {
            RunHook([this] { m_hook->OnWaitEnd(); });
        }
        std::lock_guard<std::mutex> lock(m_socket.m_mutex);
        auto& waiters = m_socket.m_waiters;
        waiters.erase(std::remove(waiters.begin(), waiters.end(), &m_waiter), waiters.end());
        if (--m_socket.m_activeCalls == 0 && m_socket.m_closing) {
            ::close(m_socket.m_fd);
            m_socket.m_fd = -1;
            m_socket.m_closing = false;
            ++m_socket.m_closeCount;
            m_socket.m_callsDone.notify_all();
        }
    }

    bool Ok() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    // Waits until the descriptor is ready for `events` (or has an error to report). 1 ready,
    // 0 failed or cancelled, with the last error set.
    //
    // The hook begins only once a whole slice has passed without the descriptor getting
    // ready: a call whose wait ends sooner (or never starts, because the bytes were there
    // already) runs no hook at all.
    int Wait(short events) {
        if (m_waiter.cancelled.load()) {
            return Fail(WSAEINTR);
        }
        BeginWait();
        // A wake left over from a cancel that came after an earlier call had finished only
        // makes the loop below go round once more (it drains it); a cancel aimed at this call
        // is not lost: its flag is checked first.
        for (;;) {
            if (m_waiter.cancelled.load()) {
                return Fail(WSAEINTR);
            }
            pollfd fds[2] = {{m_fd, events, 0}, {m_waiter.wakeFd, POLLIN, 0}};
            const int ready = ::poll(fds, 2, m_hook != nullptr ? kHookSliceMs : -1);
            if (ready < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return FailErrno(errno);
            }
            if (m_waiter.cancelled.load()) {
                return Fail(WSAEINTR);
            }
            if (fds[1].revents != 0) {
                t_wake.Drain();
            }
            if (fds[0].revents != 0) {
                return 1;
            }
            if (ready == 0) {
                RunHookSlice();
            }
        }
    }

    // A receive that waits in recv() itself, on a descriptor that blocks a slice at a time
    // (BlockInSlices). Each slice that passes without data runs the hook, as Wait does, and
    // ends a wait that was cancelled or closed meanwhile: from the thread's own hook at once,
    // from another thread within the slice. Returns what recv() returned; -1 with the last
    // error set on failure or cancel.
    ssize_t ReceiveWaiting(void* buffer, size_t capacity) {
        BeginWait();
        for (;;) {
            if (m_waiter.cancelled.load()) {
                Fail(WSAEINTR);
                return -1;
            }
            const ssize_t n = ::recv(m_fd, buffer, capacity, 0);
            if (n >= 0) {
                return n;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                // A cancel that came during the slice has ended the wait already: the hook
                // runs no more, as it does not after a wake in Wait.
                if (!m_waiter.cancelled.load()) {
                    RunHookSlice();
                }
            } else if (errno != EINTR) {
                FailErrno(errno);
                return -1;
            }
        }
    }

private:
    // The hook that runs while this call waits is the one the thread had when it first did.
    void BeginWait() {
        if (!m_waitBegun) {
            m_waitBegun = true;
            m_hook = t_hook;
        }
    }

    // A slice has passed without an end to the wait.
    void RunHookSlice() {
        if (m_hook == nullptr) {
            return;
        }
        if (!m_hookBegun) {
            m_hookBegun = true;
            RunHook([this] { m_hook->OnWaitBegin(); });
        }
        RunHook([this] { m_hook->OnWait(); });
    }

    CSocket& m_socket;
    int m_fd = -1;
    Waiter m_waiter;
    bool m_waitBegun = false;
    bool m_hookBegun = false;
    BlockingHook* m_hook = nullptr;
};

CSocket::CSocket() = default;

CSocket::~CSocket() {
    Close();
}

int CSocket::Create() {
    if (g_initFails.load()) {
        return Fail(WSANOTINITIALISED);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_fd >= 0) {
            return Fail(m_closing ? WSAEINPROGRESS : WSAEINVAL);
        }
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return FailErrno(errno);
    }
    if (!Adopt(fd)) {
        ::close(fd);
        return 0;
    }
    return 1;
}

int CSocket::Create(unsigned short port, const std::string& address) {
    if (!Create()) {
        return 0;
    }
    if (!Bind(address, port)) {
        const int error = WSAGetLastError();
        Close();
        return Fail(error);
    }
    return 1;
}

int CSocket::Adopt(int fd) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_fd >= 0) {
        return Fail(m_closing ? WSAEINPROGRESS : WSAEINVAL);
    }
    m_fd = fd;
    m_readPos = 0;
    m_readEnd = 0;
    m_waitFirst = false;
    m_blocksInSlices.store(false);
    m_sendShutDown.store(false);
    m_receiveShutDown.store(false);
    m_open.store(true);
    return 1;
}

int CSocket::ReadyForBlockingCall() const {
    if (t_hookDepth > 0) {
        return Fail(WSAEINPROGRESS);
    }
    return 1;
}

int CSocket::Resolve(const std::string& host, unsigned short port, bool allowAny, void* result) {
    sockaddr_in& address = *static_cast<sockaddr_in*>(result);
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (host.empty()) {
        if (!allowAny) {
            return Fail(WSAEADDRNOTAVAIL);
        }
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        return 1;
    }
    // An embedded NUL would silently resolve a different, shorter name.
    if (host.find('\0') != std::string::npos) {
        return Fail(WSAEINVAL);
    }
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1) {
        return 1;
    }
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (status != 0) {
        return Fail(WsaErrorFromGai(status));
    }
    if (found == nullptr || found->ai_addr == nullptr ||
        found->ai_addrlen < static_cast<socklen_t>(sizeof(sockaddr_in))) {
        ::freeaddrinfo(found);
        return Fail(WSANO_DATA);
    }
    address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return 1;
}

int CSocket::Connect(const std::string& host, unsigned short port) {
    if (!ReadyForBlockingCall()) {
        return 0;
    }
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    sockaddr_in address;
    if (!Resolve(host, port, false, &address)) {
        return 0;
    }
    // The programs hand over each command line whole, and a command that has no reply is
    // usually followed at once by a query: holding that query back until the peer
    // acknowledges the command (Nagle) would stall every such pair by the peer's delayed ACK.
    const int noDelay = 1;
    ::setsockopt(call.Fd(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    if (::connect(call.Fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        m_blocksInSlices.store(BlockInSlices(call.Fd(), kHookSliceMs));
        return 1;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return FailErrno(errno);
    }
    if (!call.Wait(POLLOUT)) {
        return 0;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(call.Fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return FailErrno(errno);
    }
    if (error != 0) {
        return FailErrno(error);
    }
    m_blocksInSlices.store(BlockInSlices(call.Fd(), kHookSliceMs));
    return 1;
}

int CSocket::Send(const void* data, int length) {
    if (!ReadyForBlockingCall()) {
        return kSocketError;
    }
    if (length < 0 || (data == nullptr && length > 0)) {
        Fail(WSAEFAULT);
        return kSocketError;
    }
    Call call(*this);
    if (!call.Ok()) {
        Fail(WSAENOTSOCK);
        return kSocketError;
    }
    if (m_sendShutDown.load()) {
        Fail(WSAESHUTDOWN);
        return kSocketError;
    }
    const char* bytes = static_cast<const char*>(data);
    int sent = 0;
    while (sent < length) {
        const ssize_t n = ::send(call.Fd(), bytes + sent, static_cast<size_t>(length - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!call.Wait(POLLOUT)) {
                return kSocketError;
            }
            continue;
        }
        if (n < 0 && errno == EPIPE && m_sendShutDown.load()) {
            Fail(WSAESHUTDOWN);
        } else {
            FailErrno(n < 0 ? errno : EPIPE);
        }
        return kSocketError;
    }
    return length;
}

int CSocket::Receive(void* buffer, int length) {
    if (!ReadyForBlockingCall()) {
        return kSocketError;
    }
    if (length < 0 || (buffer == nullptr && length > 0)) {
        Fail(WSAEFAULT);
        return kSocketError;
    }
    if (!m_open.load()) {
        Fail(WSAENOTSOCK);
        return kSocketError;
    }
    if (length == 0) {
        return 0;
    }
    char* out = static_cast<char*>(buffer);
    if (m_readPos < m_readEnd) {
        const int count = std::min(length, m_readEnd - m_readPos);
        std::memcpy(out, m_buffer.get() + m_readPos, static_cast<size_t>(count));
        m_readPos += count;
        return count;
    }
    Call call(*this);
    if (!call.Ok()) {
        Fail(WSAENOTSOCK);
        return kSocketError;
    }
    if (m_receiveShutDown.load()) {
        Fail(WSAESHUTDOWN);
        return kSocketError;
    }
    // A caller that asks for at least a whole buffer gets the bytes without the extra copy.
    const bool direct = length >= kReceiveBufferSize;
    if (!direct && !m_buffer) {
        m_buffer = std::make_unique<char[]>(kReceiveBufferSize);
    }
    // A read that emptied the kernel's queue means the peer has said all it had: in an
    // exchange of questions and answers the next answer is not there yet when the reader
    // comes for it, and a recv() that does not wait would only fail with EAGAIN. So such a
    // socket goes straight to the wait; one whose last read filled the buffer tries first, as
    // a stream's reader.
    bool wait = m_waitFirst;
    const bool waitInReceive = m_blocksInSlices.load();
    for (;;) {
        char* target = direct ? out : m_buffer.get();
        const size_t capacity = static_cast<size_t>(direct ? length : kReceiveBufferSize);
        ssize_t n = 0;
        if (wait && waitInReceive) {
            n = call.ReceiveWaiting(target, capacity);
            if (n < 0) {
                return kSocketError;
            }
        } else {
            if (wait && !call.Wait(POLLIN)) {
                return kSocketError;
            }
            n = ::recv(call.Fd(), target, capacity, MSG_DONTWAIT);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK) {
                    wait = true;
                    continue;
                }
                if (errno == EINTR) {
                    wait = false;
                    continue;
                }
                FailErrno(errno);
                return kSocketError;
            }
        }
        if (n > 0) {
            m_waitFirst = static_cast<size_t>(n) < capacity;
            if (direct) {
                return static_cast<int>(n);
            }
            const int count = std::min(length, static_cast<int>(n));
            std::memcpy(out, m_buffer.get(), static_cast<size_t>(count));
            m_readPos = count;
            m_readEnd = static_cast<int>(n);
            return count;
        }
        // Ours or the peer's: a shut-down receive side also reads as end of stream here.
        Fail(m_receiveShutDown.load() ? WSAESHUTDOWN : WSAECONNRESET);
        return m_receiveShutDown.load() ? kSocketError : 0;
    }
}

int CSocket::Bind(const std::string& address, unsigned short port) {
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    sockaddr_in local;
    if (!Resolve(address, port, true, &local)) {
        return 0;
    }
    const int on = 1;
    ::setsockopt(call.Fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(call.Fd(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        return FailErrno(errno);
    }
    return 1;
}

int CSocket::Listen(int backlog) {
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    sockaddr_in local = {};
    socklen_t size = sizeof local;
    if (::getsockname(call.Fd(), reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        return FailErrno(errno);
    }
    if (local.sin_port == 0) {
        return Fail(WSAEINVAL);
    }
    if (::listen(call.Fd(), backlog) != 0) {
        return FailErrno(errno);
    }
    return 1;
}

int CSocket::Accept(CSocket& connected) {
    if (!ReadyForBlockingCall()) {
        return 0;
    }
    if (&connected == this) {
        return Fail(WSAEINVAL);
    }
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    if (connected.IsOpen()) {
        return Fail(WSAEINVAL);
    }
    for (;;) {
        const int fd = ::accept4(call.Fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            // Set while the descriptor is still this call's alone: once adopted, a close from
            // another thread could hand its number to something else.
            const bool slices = BlockInSlices(fd, kHookSliceMs);
            if (!connected.Adopt(fd)) {
                ::close(fd);
                return 0;
            }
            connected.m_blocksInSlices.store(slices);
            return 1;
        }
        // A connection that died in the queue is no failure of the listener.
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!call.Wait(POLLIN)) {
                return 0;
            }
            continue;
        }
        return FailErrno(errno);
    }
}

int CSocket::GetSockName(std::string& address, unsigned short& port) const {
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    sockaddr_in local = {};
    socklen_t size = sizeof local;
    if (::getsockname(call.Fd(), reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        return FailErrno(errno);
    }
    address = AddressText(local);
    port = ntohs(local.sin_port);
    return 1;
}

int CSocket::GetPeerName(std::string& address, unsigned short& port) const {
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    sockaddr_in peer = {};
    socklen_t size = sizeof peer;
    if (::getpeername(call.Fd(), reinterpret_cast<sockaddr*>(&peer), &size) != 0) {
        return FailErrno(errno);
    }
    address = AddressText(peer);
    port = ntohs(peer.sin_port);
    return 1;
}

int CSocket::ShutDown(int how) {
    Call call(*this);
    if (!call.Ok()) {
        return Fail(WSAENOTSOCK);
    }
    static constexpr int kHow[] = {SHUT_RD, SHUT_WR, SHUT_RDWR};
    if (how < 0 || how > 2) {
        return Fail(WSAEINVAL);
    }
    if (::shutdown(call.Fd(), kHow[how]) != 0) {
        return FailErrno(errno);
    }
    if (how != 1) {
        m_receiveShutDown.store(true);
    }
    if (how != 0) {
        m_sendShutDown.store(true);
    }
    return 1;
}

void CSocket::Close() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_open.store(false);
    if (m_fd < 0 || m_closing) {
        return;
    }
    bool calledFromOwnCall = false;
    for (Waiter* waiter : m_waiters) {
        waiter->cancelled.store(true);
        Wake(waiter->wakeFd);
        calledFromOwnCall = calledFromOwnCall || waiter->thread == std::this_thread::get_id();
    }
    if (m_activeCalls == 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    // The descriptor must outlive the calls still using it, or a descriptor number reused
    // by another open could receive their data. The last call to leave closes it.
    m_closing = true;
    if (calledFromOwnCall) {
        return;
    }
    const unsigned closeCount = m_closeCount;
    m_callsDone.wait(lock, [&] { return m_closeCount != closeCount; });
}

void CSocket::CancelBlockingCall() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Waiter* waiter : m_waiters) {
        waiter->cancelled.store(true);
        Wake(waiter->wakeFd);
    }
}

bool CSocket::IsOpen() const {
    return m_open.load();
}

}  // namespace platform
