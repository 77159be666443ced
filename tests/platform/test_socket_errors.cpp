#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>
#include <cstring>

#include "platform/SocketErrors.h"

namespace {

using namespace platform;

TEST(SocketErrorTable, ConnectionErrorsReadAsWhatWindowsReports) {
    struct Case {
        int posixErrno;
        int expected;
    };
    const Case cases[] = {
        {ECONNREFUSED, WSAECONNREFUSED},
        {ECONNRESET, WSAECONNRESET},
        {EPIPE, WSAECONNRESET},
        {ECONNABORTED, WSAECONNABORTED},
        {ETIMEDOUT, WSAETIMEDOUT},
        {EHOSTUNREACH, WSAEHOSTUNREACH},
        {ENETUNREACH, WSAENETUNREACH},
        {ENETDOWN, WSAENETDOWN},
        {EADDRINUSE, WSAEADDRINUSE},
        {EADDRNOTAVAIL, WSAEADDRNOTAVAIL},
        {EBADF, WSAENOTSOCK},
        {ENOTSOCK, WSAENOTSOCK},
        {ENOTCONN, WSAENOTCONN},
        {EISCONN, WSAEISCONN},
        {ESHUTDOWN, WSAESHUTDOWN},
        {EINVAL, WSAEINVAL},
        {EMSGSIZE, WSAEMSGSIZE},
        {EINTR, WSAEINTR},
        {EAGAIN, WSAEWOULDBLOCK},
        {EINPROGRESS, WSAEINPROGRESS},
        {EALREADY, WSAEALREADY},
        {EOPNOTSUPP, WSAEOPNOTSUPP},
        {EMFILE, WSAEMFILE},
        {ENFILE, WSAEMFILE},
        {ENOBUFS, WSAENOBUFS},
        {ENOMEM, WSAENOBUFS},
        {EACCES, WSAEACCES},
        {0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, WsaErrorFromErrno(c.posixErrno)) << std::strerror(c.posixErrno);
    }
}

TEST(SocketErrorTable, EveryErrnoLandsOnANamedCode) {
    // Whatever the kernel reports, the programs get a code they can show a text for, and one
    // with no specific text of its own when there is no Windows counterpart.
    for (int e = 1; e < 134; ++e) {
        const int code = WsaErrorFromErrno(e);
        EXPECT_STRNE("unknown", WsaErrorName(code)) << e << " " << std::strerror(e);
        EXPECT_GE(code, WSABASEERR) << e;
    }
    EXPECT_EQ(WSASYSCALLFAILURE, WsaErrorFromErrno(EIO));
    EXPECT_EQ(WSASYSCALLFAILURE, WsaErrorFromErrno(ENOSPC));
    EXPECT_EQ(WSASYSCALLFAILURE, WsaErrorFromErrno(99999));
}

TEST(SocketErrorTable, ResolverFailures) {
    EXPECT_EQ(0, WsaErrorFromGai(0));
    EXPECT_EQ(WSAHOST_NOT_FOUND, WsaErrorFromGai(EAI_NONAME));
    EXPECT_EQ(WSATRY_AGAIN, WsaErrorFromGai(EAI_AGAIN));
    EXPECT_EQ(WSANO_RECOVERY, WsaErrorFromGai(EAI_FAIL));
    EXPECT_EQ(WSAENOBUFS, WsaErrorFromGai(EAI_MEMORY));
    errno = ECONNREFUSED;
    EXPECT_EQ(WSAECONNREFUSED, WsaErrorFromGai(EAI_SYSTEM));
}

TEST(SocketErrorTable, NamesForLogs) {
    EXPECT_STREQ("WSAECONNRESET", WsaErrorName(WSAECONNRESET));
    EXPECT_STREQ("WSAHOST_NOT_FOUND", WsaErrorName(11001));
    EXPECT_STREQ("unknown", WsaErrorName(12345));
}

}  // namespace
