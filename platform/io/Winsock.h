// TCP client sockets in the shapes of the Windows socket calls the link uses, over POSIX. The calls
// live in namespace ws so they do not clash with the POSIX names; errors are read with
// ws::WSAGetLastError() as Windows error numbers.
#pragma once

#include "platform/core/WinTypes.h"

#include <netinet/in.h>
#include <sys/socket.h>

using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

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
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSANOTINITIALISED = 10093;

struct WSADATA {
    WORD wVersion = 0;
    WORD wHighVersion = 0;
};

namespace ws {

// Nothing to start on POSIX; the version asked for is granted.
int WSAStartup(WORD version, WSADATA* data);
int WSACleanup();
// The Windows error number of the calling thread's last failed call here.
int WSAGetLastError();
void WSASetLastError(int error);
// errno -> Windows error number; wouldBlockIsTimeout: EAGAIN on a blocking socket with a time-out.
int MapErrno(int err, bool wouldBlockIsTimeout);

SOCKET socket(int af, int type, int protocol);
// SO_RCVTIMEO and SO_SNDTIMEO take a DWORD of milliseconds, as on Windows; other options as given.
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
// A blocking connect; with a send time-out set it gives up after that time (WSAETIMEDOUT).
int connect(SOCKET s, const sockaddr* name, int namelen);
// Sends all len bytes (never raising SIGPIPE); the count, or SOCKET_ERROR when nothing went out.
int send(SOCKET s, const char* buf, int len, int flags);
// One receive: the count, 0 when the peer closed, SOCKET_ERROR on failure (a receive time-out
// reads WSAETIMEDOUT).
int recv(SOCKET s, char* buf, int len, int flags);
int closesocket(SOCKET s);
// Waits until a receive would not block: 1 for data, a close, an error or a bad socket; 0 when
// timeoutMs passed first.
int WaitReadable(SOCKET s, DWORD timeoutMs);
// FIONBIO: *argp non-zero makes the socket non-blocking.
int ioctlsocket(SOCKET s, long cmd, ULONG* argp);

// Dotted IPv4 text to a network-order address; INADDR_NONE when it is not one (checked with inet_pton).
ULONG inet_addr(const char* text);
// TRUE for a dotted IPv4 address.
BOOL IsIPv4Address(const char* text);

} // namespace ws

constexpr long WS_FIONBIO = 0x8004667E;
