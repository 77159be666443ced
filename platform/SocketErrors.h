// Windows Sockets error numbers, and the one table that turns POSIX errors into them.
//
// The programs pick the texts they show (and some of their decisions) by the Windows Sockets
// error code of the last failed socket call, so the socket layer reports those codes and
// nothing else. Every POSIX errno and every resolver (getaddrinfo) failure goes through the
// functions below; no program keeps a table of its own.
//
// Windows behaviour kept:
//  - The last error is per thread: WSAGetLastError returns what the most recent failing call
//    on the calling thread set. A successful call leaves it unchanged.
//  - EPIPE (a send on a connection the peer has gone from) reads as WSAECONNRESET, which is
//    what a Windows program sees there. The socket itself reports WSAESHUTDOWN instead when
//    it was this side that shut down sending.
//  - An errno with no Windows Sockets counterpart reads as WSASYSCALLFAILURE (10107): it names
//    no particular condition, so the programs show their generic "socket error" text instead
//    of a misleading specific one.
#pragma once

namespace platform {

constexpr int WSABASEERR = 10000;
constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEDESTADDRREQ = 10039;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEPROTOTYPE = 10041;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEPFNOSUPPORT = 10046;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETOOMANYREFS = 10059;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAELOOP = 10062;
constexpr int WSAENAMETOOLONG = 10063;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAENOTEMPTY = 10066;
constexpr int WSAEPROCLIM = 10067;
constexpr int WSAEUSERS = 10068;
constexpr int WSAEDQUOT = 10069;
constexpr int WSAESTALE = 10070;
constexpr int WSAEREMOTE = 10071;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAEDISCON = 10101;
constexpr int WSASYSCALLFAILURE = 10107;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

// The Windows Sockets code for a POSIX errno value (0 maps to 0).
int WsaErrorFromErrno(int posixErrno);

// The Windows Sockets code for a getaddrinfo() result other than 0. EAI_SYSTEM is resolved
// through errno as it stands when this is called.
int WsaErrorFromGai(int gaiError);

// The two sets of texts the programs show the operator for a failed socket call.
//  - kShort: a dozen short texts, some of them only the code's name ("Error: WSAEMSGSIZE");
//    WSAECONNABORTED, which the programs also set when a reply takes too long, reads as
//    "Connection aborted. (Timeout, etc...)".
//  - kReference: the Windows Sockets reference text of 42 codes ("Connection timed out.").
// Either way a code outside the set, 0 included, reads as "Socket error.".
enum class SocketErrorTexts { kShort, kReference };
const char* SocketErrorText(int code, SocketErrorTexts texts);

// The symbolic name of a code ("WSAECONNRESET"), or "unknown" for a code outside the table;
// for logs and test messages, never for the operator.
const char* WsaErrorName(int code);

int WSAGetLastError();
void WSASetLastError(int code);

}  // namespace platform
