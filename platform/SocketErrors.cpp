#include "platform/SocketErrors.h"

#include <netdb.h>

#include <cerrno>
#include <span>

namespace platform {

namespace {

thread_local int t_lastError = 0;

struct ErrnoEntry {
    int posixErrno;
    int wsaError;
};

// Where POSIX distinguishes conditions that Windows folds together (or the reverse), the
// entry gives what a Windows program would have seen in the same situation.
constexpr ErrnoEntry kErrnoTable[] = {
    {EINTR, WSAEINTR},
    {EBADF, WSAENOTSOCK},  // a closed or foreign handle is "not a socket" on Windows
    {ENOTSOCK, WSAENOTSOCK},
    {EACCES, WSAEACCES},
    {EPERM, WSAEACCES},
    {EFAULT, WSAEFAULT},
    {EINVAL, WSAEINVAL},
    {EMFILE, WSAEMFILE},
    {ENFILE, WSAEMFILE},
    {EAGAIN, WSAEWOULDBLOCK},
#if EWOULDBLOCK != EAGAIN
    {EWOULDBLOCK, WSAEWOULDBLOCK},
#endif
    {EINPROGRESS, WSAEINPROGRESS},
    {EALREADY, WSAEALREADY},
    {EDESTADDRREQ, WSAEDESTADDRREQ},
    {EMSGSIZE, WSAEMSGSIZE},
    {EPROTOTYPE, WSAEPROTOTYPE},
    {ENOPROTOOPT, WSAENOPROTOOPT},
    {EPROTONOSUPPORT, WSAEPROTONOSUPPORT},
    {ESOCKTNOSUPPORT, WSAESOCKTNOSUPPORT},
    {EOPNOTSUPP, WSAEOPNOTSUPP},
#if ENOTSUP != EOPNOTSUPP
    {ENOTSUP, WSAEOPNOTSUPP},
#endif
    {EPFNOSUPPORT, WSAEPFNOSUPPORT},
    {EAFNOSUPPORT, WSAEAFNOSUPPORT},
    {EADDRINUSE, WSAEADDRINUSE},
    {EADDRNOTAVAIL, WSAEADDRNOTAVAIL},
    {ENETDOWN, WSAENETDOWN},
    {ENETUNREACH, WSAENETUNREACH},
    {ENETRESET, WSAENETRESET},
    {ECONNABORTED, WSAECONNABORTED},
    {EPROTO, WSAECONNABORTED},  // the stack gave up on the connection
    {ECONNRESET, WSAECONNRESET},
    {EPIPE, WSAECONNRESET},  // the peer is gone; see the header
    {ENOBUFS, WSAENOBUFS},
    {ENOMEM, WSAENOBUFS},
    {EISCONN, WSAEISCONN},
    {ENOTCONN, WSAENOTCONN},
    {ESHUTDOWN, WSAESHUTDOWN},
    {ETOOMANYREFS, WSAETOOMANYREFS},
    {ETIMEDOUT, WSAETIMEDOUT},
    {ECONNREFUSED, WSAECONNREFUSED},
    {ELOOP, WSAELOOP},
    {ENAMETOOLONG, WSAENAMETOOLONG},
    {EHOSTDOWN, WSAEHOSTDOWN},
    {EHOSTUNREACH, WSAEHOSTUNREACH},
    {ENOTEMPTY, WSAENOTEMPTY},
    {EUSERS, WSAEUSERS},
    {EDQUOT, WSAEDQUOT},
    {ESTALE, WSAESTALE},
    {EREMOTE, WSAEREMOTE},
};

// A code and what is said for it: its symbolic name, or a text the programs show.
struct CodeText {
    int code;
    const char* text;
};

const char* TextFor(std::span<const CodeText> table, int code, const char* otherwise) {
    for (const CodeText& entry : table) {
        if (entry.code == code) {
            return entry.text;
        }
    }
    return otherwise;
}

constexpr CodeText kNames[] = {
    {WSAEINTR, "WSAEINTR"},
    {WSAEBADF, "WSAEBADF"},
    {WSAEACCES, "WSAEACCES"},
    {WSAEFAULT, "WSAEFAULT"},
    {WSAEINVAL, "WSAEINVAL"},
    {WSAEMFILE, "WSAEMFILE"},
    {WSAEWOULDBLOCK, "WSAEWOULDBLOCK"},
    {WSAEINPROGRESS, "WSAEINPROGRESS"},
    {WSAEALREADY, "WSAEALREADY"},
    {WSAENOTSOCK, "WSAENOTSOCK"},
    {WSAEDESTADDRREQ, "WSAEDESTADDRREQ"},
    {WSAEMSGSIZE, "WSAEMSGSIZE"},
    {WSAEPROTOTYPE, "WSAEPROTOTYPE"},
    {WSAENOPROTOOPT, "WSAENOPROTOOPT"},
    {WSAEPROTONOSUPPORT, "WSAEPROTONOSUPPORT"},
    {WSAESOCKTNOSUPPORT, "WSAESOCKTNOSUPPORT"},
    {WSAEOPNOTSUPP, "WSAEOPNOTSUPP"},
    {WSAEPFNOSUPPORT, "WSAEPFNOSUPPORT"},
    {WSAEAFNOSUPPORT, "WSAEAFNOSUPPORT"},
    {WSAEADDRINUSE, "WSAEADDRINUSE"},
    {WSAEADDRNOTAVAIL, "WSAEADDRNOTAVAIL"},
    {WSAENETDOWN, "WSAENETDOWN"},
    {WSAENETUNREACH, "WSAENETUNREACH"},
    {WSAENETRESET, "WSAENETRESET"},
    {WSAECONNABORTED, "WSAECONNABORTED"},
    {WSAECONNRESET, "WSAECONNRESET"},
    {WSAENOBUFS, "WSAENOBUFS"},
    {WSAEISCONN, "WSAEISCONN"},
    {WSAENOTCONN, "WSAENOTCONN"},
    {WSAESHUTDOWN, "WSAESHUTDOWN"},
    {WSAETOOMANYREFS, "WSAETOOMANYREFS"},
    {WSAETIMEDOUT, "WSAETIMEDOUT"},
    {WSAECONNREFUSED, "WSAECONNREFUSED"},
    {WSAELOOP, "WSAELOOP"},
    {WSAENAMETOOLONG, "WSAENAMETOOLONG"},
    {WSAEHOSTDOWN, "WSAEHOSTDOWN"},
    {WSAEHOSTUNREACH, "WSAEHOSTUNREACH"},
    {WSAENOTEMPTY, "WSAENOTEMPTY"},
    {WSAEPROCLIM, "WSAEPROCLIM"},
    {WSAEUSERS, "WSAEUSERS"},
    {WSAEDQUOT, "WSAEDQUOT"},
    {WSAESTALE, "WSAESTALE"},
    {WSAEREMOTE, "WSAEREMOTE"},
    {WSASYSNOTREADY, "WSASYSNOTREADY"},
    {WSAVERNOTSUPPORTED, "WSAVERNOTSUPPORTED"},
    {WSANOTINITIALISED, "WSANOTINITIALISED"},
    {WSAEDISCON, "WSAEDISCON"},
    {WSASYSCALLFAILURE, "WSASYSCALLFAILURE"},
    {WSAHOST_NOT_FOUND, "WSAHOST_NOT_FOUND"},
    {WSATRY_AGAIN, "WSATRY_AGAIN"},
    {WSANO_RECOVERY, "WSANO_RECOVERY"},
    {WSANO_DATA, "WSANO_DATA"},
};

constexpr CodeText kShortTexts[] = {
    {WSAEINVAL, "Socket not bound"},
    {WSAEWOULDBLOCK, "Error: WSAEWOULDBLOCK"},
    {WSAEINPROGRESS, "Socket is blocked."},
    {WSAENOTSOCK, "Descriptor is not socket."},
    {WSAEMSGSIZE, "Error: WSAEMSGSIZE"},
    {WSAEOPNOTSUPP, "Error: WSAEOPNOTSUPP"},
    {WSAENETDOWN, "Network sub-system invalid"},
    {WSAECONNABORTED, "Connection aborted. (Timeout, etc...)"},
    {WSAECONNRESET, "Connection closed by foreign host."},
    {WSAENOTCONN, "Socket is not connected."},
    {WSAESHUTDOWN, "Socket is shutdown"},
    {WSANOTINITIALISED, "Socket not initialized"},
};

constexpr CodeText kReferenceTexts[] = {
    {WSAEINTR, "Interrupted function call."},
    {WSAEACCES, "Permission denied."},
    {WSAEFAULT, "Bad address."},
    {WSAEINVAL, "Invalid argument."},
    {WSAEMFILE, "Too many open files."},
    {WSAEWOULDBLOCK, "Resource temporarily unavailable."},
    {WSAEINPROGRESS, "Operation now in progress."},
    {WSAEALREADY, "Operation already in progress."},
    {WSAENOTSOCK, "Socket operation on nonsocket."},
    {WSAEDESTADDRREQ, "Destination address required."},
    {WSAEMSGSIZE, "Message too long."},
    {WSAEPROTOTYPE, "Protocol wrong type for socket."},
    {WSAENOPROTOOPT, "Bad protocol option."},
    {WSAEPROTONOSUPPORT, "Protocol not supported."},
    {WSAESOCKTNOSUPPORT, "Socket type not supported."},
    {WSAEOPNOTSUPP, "Operation not supported."},
    {WSAEPFNOSUPPORT, "Protocol family not supported."},
    {WSAEAFNOSUPPORT, "Address family not supported by protocol family."},
    {WSAEADDRINUSE, "Address already in use."},
    {WSAEADDRNOTAVAIL, "Cannot assign requested address."},
    {WSAENETDOWN, "Network is down."},
    {WSAENETUNREACH, "Network is unreachable."},
    {WSAENETRESET, "Network dropped connection on reset."},
    {WSAECONNABORTED, "Software caused connection abort."},
    {WSAECONNRESET, "Connection reset by peer."},
    {WSAENOBUFS, "No buffer space available."},
    {WSAEISCONN, "Socket is already connected."},
    {WSAENOTCONN, "Socket is not connected."},
    {WSAESHUTDOWN, "Cannot send after socket shutdown."},
    {WSAETIMEDOUT, "Connection timed out."},
    {WSAECONNREFUSED, "Connection refused."},
    {WSAEHOSTDOWN, "Host is down."},
    {WSAEHOSTUNREACH, "No route to host."},
    {WSAEPROCLIM, "Too many processes."},
    {WSASYSNOTREADY, "Network subsystem is unavailable."},
    {WSAVERNOTSUPPORTED, "Winsock.dll version out of range."},
    {WSANOTINITIALISED, "Successful WSAStartup not yet performed."},
    {WSAEDISCON, "Graceful shutdown in progress."},
    {WSAHOST_NOT_FOUND, "Host not found."},
    {WSATRY_AGAIN, "Nonauthoritative host not found."},
    {WSANO_RECOVERY, "This is a nonrecoverable error."},
    {WSANO_DATA, "Valid name, no data record of requested type."},
};

}  // namespace

const char* SocketErrorText(int code, SocketErrorTexts texts) {
    return TextFor(texts == SocketErrorTexts::kShort ? std::span<const CodeText>(kShortTexts)
                                                     : std::span<const CodeText>(kReferenceTexts),
                   code, "Socket error.");
}

int WsaErrorFromErrno(int posixErrno) {
    if (posixErrno == 0) {
        return 0;
    }
    for (const ErrnoEntry& entry : kErrnoTable) {
        if (entry.posixErrno == posixErrno) {
            return entry.wsaError;
        }
    }
    return WSASYSCALLFAILURE;
}

int WsaErrorFromGai(int gaiError) {
    switch (gaiError) {
        case 0:
            return 0;
        case EAI_NONAME:
            return WSAHOST_NOT_FOUND;
        case EAI_AGAIN:
            return WSATRY_AGAIN;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return WSANO_DATA;
#endif
#ifdef EAI_ADDRFAMILY
        case EAI_ADDRFAMILY:
            return WSANO_DATA;  // the name exists but has no IPv4 address
#endif
        case EAI_MEMORY:
            return WSAENOBUFS;
        case EAI_FAMILY:
            return WSAEAFNOSUPPORT;
        case EAI_SOCKTYPE:
            return WSAESOCKTNOSUPPORT;
        case EAI_SERVICE:
            return WSAEINVAL;
        case EAI_BADFLAGS:
            return WSAEINVAL;
        case EAI_SYSTEM:
            return WsaErrorFromErrno(errno);
        default:
            return WSANO_RECOVERY;
    }
}

const char* WsaErrorName(int code) {
    if (code == 0) {
        return "no error";
    }
    return TextFor(kNames, code, "unknown");
}

int WSAGetLastError() {
    return t_lastError;
}

void WSASetLastError(int code) {
    t_lastError = code;
}

}  // namespace platform
