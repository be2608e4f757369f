#include "platform/io/Winsock.h"

#include "platform/io/Poll.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

thread_local int t_lastError = 0;

void SetLast(int err, bool wouldBlockIsTimeout) {
    t_lastError = ws::MapErrno(err, wouldBlockIsTimeout);
}

bool IsBlocking(int fd) {
    int fl = ::fcntl(fd, F_GETFL);
    return fl >= 0 && !(fl & O_NONBLOCK);
}

} // namespace

namespace ws {

int WSAStartup(WORD version, WSADATA* data) {
    if (data) {
        data->wVersion = version;
        data->wHighVersion = version;
    }
    return 0;
}

int WSACleanup() {
    return 0;
}

int WSAGetLastError() {
    return t_lastError;
}

void WSASetLastError(int error) {
    t_lastError = error;
}

int MapErrno(int err, bool wouldBlockIsTimeout) {
    switch (err) {
    case 0:
        return 0;
    case EAGAIN:
        return wouldBlockIsTimeout ? WSAETIMEDOUT : WSAEWOULDBLOCK;
    case ETIMEDOUT:
        return WSAETIMEDOUT;
    case ECONNRESET:
        return WSAECONNRESET;
    case ECONNABORTED:
    case EPIPE:
        return WSAECONNABORTED;
    case ECONNREFUSED:
        return WSAECONNREFUSED;
    case EINTR:
        return WSAEINTR;
    case EBADF:
        return WSAENOTSOCK;
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EACCES:
    case EPERM:
        return WSAEACCES;
    case EFAULT:
        return WSAEFAULT;
    case EINVAL:
        return WSAEINVAL;
    case EMFILE:
    case ENFILE:
        return WSAEMFILE;
    case EINPROGRESS:
        return WSAEINPROGRESS;
    case EALREADY:
        return WSAEALREADY;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case EADDRINUSE:
        return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return WSAEADDRNOTAVAIL;
    case ENETDOWN:
        return WSAENETDOWN;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ENOBUFS:
    case ENOMEM:
        return WSAENOBUFS;
    case EISCONN:
        return WSAEISCONN;
    case ENOTCONN:
        return WSAENOTCONN;
    case ESHUTDOWN:
        return WSAESHUTDOWN;
    case EHOSTUNREACH:
    case EHOSTDOWN:
        return WSAEHOSTUNREACH;
    default:
        return WSAEINVAL;
    }
}

SOCKET socket(int af, int type, int protocol) {
    int fd = ::socket(af, type | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        SetLast(errno, false);
        return INVALID_SOCKET;
    }
    return fd;
}

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen) {
    if (s < 0) {
        t_lastError = WSAENOTSOCK;
        return SOCKET_ERROR;
    }
    int rc;
    if (level == SOL_SOCKET && (optname == SO_RCVTIMEO || optname == SO_SNDTIMEO)) {
        if (!optval || optlen < static_cast<int>(sizeof(DWORD))) {
            t_lastError = WSAEFAULT;
            return SOCKET_ERROR;
        }
        DWORD ms = *reinterpret_cast<const DWORD*>(optval);
        timeval tv{};
        tv.tv_sec = static_cast<time_t>(ms / 1000);
        tv.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
        rc = ::setsockopt(s, level, optname, &tv, sizeof tv);
    } else {
        rc = ::setsockopt(s, level, optname, optval, static_cast<socklen_t>(optlen));
    }
    if (rc != 0) {
        SetLast(errno, false);
        return SOCKET_ERROR;
    }
    return 0;
}

int connect(SOCKET s, const sockaddr* name, int namelen) {
    if (s < 0) {
        t_lastError = WSAENOTSOCK;
        return SOCKET_ERROR;
    }
    int rc = ::connect(s, name, static_cast<socklen_t>(namelen));
    if (rc != 0 && errno == EINTR) {
        // The connect goes on in the background: wait for its end, then take its result.
        timeval tv{};
        socklen_t tvlen = sizeof tv;
        ::getsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &tv, &tvlen);
        int ms = tv.tv_sec || tv.tv_usec ? static_cast<int>(tv.tv_sec * 1000 + tv.tv_usec / 1000) : -1;
        const int n = PollFd(s, POLLOUT, ms < 0 ? INFINITE : static_cast<DWORD>(ms));
        int soErr = 0;
        socklen_t len = sizeof soErr;
        if (n == 0) {
            errno = EINPROGRESS;
        } else if (::getsockopt(s, SOL_SOCKET, SO_ERROR, &soErr, &len) == 0 && soErr == 0) {
            rc = 0;
        } else {
            errno = soErr ? soErr : errno;
        }
    }
    if (rc != 0) {
        // A blocking connect that ran out of its send time-out reports EINPROGRESS.
        int e = errno;
        bool blocking = IsBlocking(s);
        if (blocking && e == EINPROGRESS)
            t_lastError = WSAETIMEDOUT;
        else
            SetLast(e, blocking);
        return SOCKET_ERROR;
    }
    return 0;
}

int send(SOCKET s, const char* buf, int len, int flags) {
    if (s < 0) {
        t_lastError = WSAENOTSOCK;
        return SOCKET_ERROR;
    }
    int sent = 0;
    while (sent < len) {
        ssize_t n = ::send(s, buf + sent, static_cast<size_t>(len - sent), flags | MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLast(errno, IsBlocking(s));
            return sent > 0 ? sent : SOCKET_ERROR;
        }
        sent += static_cast<int>(n);
    }
    return sent;
}

int recv(SOCKET s, char* buf, int len, int flags) {
    if (s < 0) {
        t_lastError = WSAENOTSOCK;
        return SOCKET_ERROR;
    }
    for (;;) {
        ssize_t n = ::recv(s, buf, static_cast<size_t>(len < 0 ? 0 : len), flags);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLast(errno, IsBlocking(s));
            return SOCKET_ERROR;
        }
        return static_cast<int>(n);
    }
}

int closesocket(SOCKET s) {
    if (s < 0) {
        t_lastError = WSAENOTSOCK;
        return SOCKET_ERROR;
    }
    ::close(s);
    return 0;
}

int WaitReadable(SOCKET s, DWORD timeoutMs) {
    return PollFd(s, POLLIN, timeoutMs) == 0 ? 0 : 1;
}

int ioctlsocket(SOCKET s, long cmd, ULONG* argp) {
    if (s < 0 || cmd != WS_FIONBIO || !argp) {
        t_lastError = s < 0 ? WSAENOTSOCK : WSAEINVAL;
        return SOCKET_ERROR;
    }
    int fl = ::fcntl(s, F_GETFL);
    if (fl < 0 || ::fcntl(s, F_SETFL, *argp ? (fl | O_NONBLOCK) : (fl & ~O_NONBLOCK)) != 0) {
        SetLast(errno, false);
        return SOCKET_ERROR;
    }
    return 0;
}

ULONG inet_addr(const char* text) {
    in_addr a{};
    if (!text || ::inet_pton(AF_INET, text, &a) != 1)
        return INADDR_NONE;
    return a.s_addr;
}

BOOL IsIPv4Address(const char* text) {
    in_addr a{};
    return text && ::inet_pton(AF_INET, text, &a) == 1 ? TRUE : FALSE;
}

} // namespace ws
