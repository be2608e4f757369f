#include "platform/io/CommPort.h"

#include "platform/io/Poll.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct BaudEntry {
    DWORD baud;
    speed_t speed;
};

constexpr BaudEntry kBauds[] = {{1200, B1200},     {2400, B2400},     {4800, B4800},    {9600, B9600},
                                {19200, B19200},   {38400, B38400},   {57600, B57600},  {115200, B115200},
                                {230400, B230400}, {460800, B460800}, {921600, B921600}};

bool SpeedOf(DWORD baud, speed_t* speed) {
    for (const auto& e : kBauds) {
        if (e.baud == baud) {
            *speed = e.speed;
            return true;
        }
    }
    return false;
}

DWORD BaudOf(speed_t speed) {
    for (const auto& e : kBauds) {
        if (e.speed == speed)
            return e.baud;
    }
    return 0;
}

int Remaining(std::chrono::steady_clock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    return left < 0 ? 0 : static_cast<int>(left);
}

} // namespace

BOOL BuildCommDCBA(const char* text, DCB* dcb) {
    if (!text || !dcb)
        return FALSE;
    std::string s(text);
    size_t pos = 0;
    while (pos < s.size()) {
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
        size_t end = s.find(' ', pos);
        std::string word = s.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? s.size() : end;
        if (word.empty())
            continue;
        size_t eq = word.find('=');
        if (eq == std::string::npos)
            return FALSE;
        std::string key = word.substr(0, eq);
        std::string val = word.substr(eq + 1);
        if (val.empty())
            return FALSE;
        for (auto& c : key)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        char* stop = nullptr;
        if (key == "baud") {
            unsigned long b = std::strtoul(val.c_str(), &stop, 10);
            if (*stop)
                return FALSE;
            dcb->BaudRate = static_cast<DWORD>(b);
        } else if (key == "parity") {
            char p = val[0];
            if (val.size() != 1)
                return FALSE;
            if (p == 'n' || p == 'N')
                dcb->Parity = NOPARITY;
            else if (p == 'o' || p == 'O')
                dcb->Parity = ODDPARITY;
            else if (p == 'e' || p == 'E')
                dcb->Parity = EVENPARITY;
            else
                return FALSE;
        } else if (key == "data") {
            unsigned long d = std::strtoul(val.c_str(), &stop, 10);
            if (*stop || d < 5 || d > 8)
                return FALSE;
            dcb->ByteSize = static_cast<BYTE>(d);
        } else if (key == "stop") {
            if (val == "1")
                dcb->StopBits = ONESTOPBIT;
            else if (val == "2")
                dcb->StopBits = TWOSTOPBITS;
            else
                return FALSE;
        } else {
            return FALSE;
        }
    }
    dcb->fOutxCtsFlow = FALSE;
    dcb->fOutX = FALSE;
    dcb->fInX = FALSE;
    return TRUE;
}

CCommPort::~CCommPort() {
    Close();
}

BOOL CCommPort::Open(const std::string& name) {
    Close();
    if (name.empty() || name == "NULL") {
        m_lastError = ENOENT;
        return FALSE;
    }
    std::string path = name.find('/') == std::string::npos ? "/dev/" + name : name;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastError = errno;
        return FALSE;
    }
    // Exclusive: the advisory lock between our own instances, TIOCEXCL against everyone else.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_lastError = errno;
        ::close(fd);
        return FALSE;
    }
    ::ioctl(fd, TIOCEXCL);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        m_lastError = errno;
        ::close(fd);
        return FALSE;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetspeed(&tio, B57600);
    ::tcsetattr(fd, TCSANOW, &tio);
    m_fd = fd;
    m_mask = 0;
    m_timeouts = COMMTIMEOUTS{};
    return TRUE;
}

void CCommPort::Close() {
    if (m_fd >= 0) {
        ::ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
        m_fd = -1;
    }
}

BOOL CCommPort::SetCommTimeouts(const COMMTIMEOUTS& t) {
    if (m_fd < 0)
        return FALSE;
    m_timeouts = t;
    return TRUE;
}

BOOL CCommPort::GetCommTimeouts(COMMTIMEOUTS* t) const {
    if (m_fd < 0 || !t)
        return FALSE;
    *t = m_timeouts;
    return TRUE;
}

BOOL CCommPort::SetCommMask(DWORD mask) {
    if (m_fd < 0)
        return FALSE;
    m_mask = mask;
    return TRUE;
}

BOOL CCommPort::GetCommMask(DWORD* mask) const {
    if (m_fd < 0 || !mask)
        return FALSE;
    *mask = m_mask;
    return TRUE;
}

BOOL CCommPort::GetCommState(DCB* dcb) const {
    termios tio{};
    if (m_fd < 0 || !dcb || ::tcgetattr(m_fd, &tio) != 0)
        return FALSE;
    *dcb = DCB{};
    dcb->BaudRate = BaudOf(::cfgetospeed(&tio));
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        dcb->ByteSize = 5;
        break;
    case CS6:
        dcb->ByteSize = 6;
        break;
    case CS7:
        dcb->ByteSize = 7;
        break;
    default:
        dcb->ByteSize = 8;
        break;
    }
    dcb->Parity = !(tio.c_cflag & PARENB) ? NOPARITY : (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    dcb->StopBits = (tio.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    dcb->fOutxCtsFlow = (tio.c_cflag & CRTSCTS) ? TRUE : FALSE;
    dcb->fOutX = (tio.c_iflag & IXON) ? TRUE : FALSE;
    dcb->fInX = (tio.c_iflag & IXOFF) ? TRUE : FALSE;
    int lines = 0;
    if (::ioctl(m_fd, TIOCMGET, &lines) == 0)
        dcb->fRtsControl = (lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    return TRUE;
}

BOOL CCommPort::SetCommState(const DCB& dcb) {
    termios tio{};
    speed_t speed;
    if (m_fd < 0 || ::tcgetattr(m_fd, &tio) != 0) {
        m_lastError = m_fd < 0 ? EBADF : errno;
        return FALSE;
    }
    if (!SpeedOf(dcb.BaudRate, &speed) || dcb.ByteSize < 5 || dcb.ByteSize > 8) {
        m_lastError = EINVAL;
        return FALSE;
    }
    ::cfsetspeed(&tio, speed);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= sizes[dcb.ByteSize - 5] | CLOCAL | CREAD;
    if (dcb.Parity == ODDPARITY)
        tio.c_cflag |= PARENB | PARODD;
    else if (dcb.Parity == EVENPARITY)
        tio.c_cflag |= PARENB;
    if (dcb.StopBits == TWOSTOPBITS)
        tio.c_cflag |= CSTOPB;
    if (dcb.fOutxCtsFlow)
        tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (dcb.fOutX)
        tio.c_iflag |= IXON;
    if (dcb.fInX)
        tio.c_iflag |= IXOFF;
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        m_lastError = errno;
        return FALSE;
    }
    int rts = TIOCM_RTS;
    // A pseudo-terminal has no modem lines; that is not a failure of the settings.
    ::ioctl(m_fd, dcb.fRtsControl == RTS_CONTROL_ENABLE ? TIOCMBIS : TIOCMBIC, &rts);
    return TRUE;
}

BOOL CCommPort::SetupComm(DWORD, DWORD) {
    return m_fd >= 0 ? TRUE : FALSE;
}

BOOL CCommPort::PurgeComm(DWORD flags) {
    if (m_fd < 0)
        return FALSE;
    bool rx = flags & (PURGE_RXABORT | PURGE_RXCLEAR);
    bool tx = flags & (PURGE_TXABORT | PURGE_TXCLEAR);
    if (rx || tx)
        ::tcflush(m_fd, rx && tx ? TCIOFLUSH : rx ? TCIFLUSH : TCOFLUSH);
    return TRUE;
}

BOOL CCommPort::WaitCommEvent(DWORD* events, DWORD timeoutMs) {
    if (m_fd < 0 || !events)
        return FALSE;
    *events = 0;
    pollfd p{m_fd, POLLIN, 0};
    const int n = PollFds(&p, 1, timeoutMs);
    if (n < 0) {
        m_lastError = errno;
        return FALSE;
    }
    if (n > 0 && (p.revents & (POLLERR | POLLNVAL))) {
        m_lastError = EIO;
        return FALSE;
    }
    if (n > 0 && (p.revents & POLLIN) && (m_mask & EV_RXCHAR))
        *events = EV_RXCHAR;
    return TRUE;
}

BOOL CCommPort::ClearCommError(DWORD* errors, COMSTAT* stat) {
    if (m_fd < 0)
        return FALSE;
    if (errors)
        *errors = 0;
    if (stat) {
        int in = 0, out = 0;
        if (::ioctl(m_fd, FIONREAD, &in) != 0) {
            m_lastError = errno;
            return FALSE;
        }
        ::ioctl(m_fd, TIOCOUTQ, &out);
        stat->cbInQue = static_cast<DWORD>(in < 0 ? 0 : in);
        stat->cbOutQue = static_cast<DWORD>(out < 0 ? 0 : out);
    }
    return TRUE;
}

BOOL CCommPort::ReadFile(BYTE* buf, DWORD n, DWORD* read) {
    if (read)
        *read = 0;
    if (m_fd < 0 || !buf) {
        m_lastError = EBADF;
        return FALSE;
    }
    DWORD total = m_timeouts.ReadTotalTimeoutConstant + m_timeouts.ReadTotalTimeoutMultiplier * n;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(total);
    DWORD got = 0;
    while (got < n) {
        ssize_t r = ::read(m_fd, buf + got, n - got);
        if (r > 0) {
            got += static_cast<DWORD>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN) {
            m_lastError = errno;
            if (read)
                *read = got;
            return FALSE;
        }
        int left = Remaining(deadline);
        if (left == 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        if (PollFds(&p, 1, static_cast<DWORD>(left)) < 0) {
            m_lastError = errno;
            break;
        }
        if (p.revents & (POLLERR | POLLNVAL | POLLHUP)) {
            m_lastError = EIO;
            if (read)
                *read = got;
            return FALSE;
        }
    }
    if (read)
        *read = got;
    return TRUE;
}

BOOL CCommPort::WriteFile(const BYTE* buf, DWORD n, DWORD* written) {
    if (written)
        *written = 0;
    if (m_fd < 0 || !buf) {
        m_lastError = EBADF;
        return FALSE;
    }
    DWORD total = m_timeouts.WriteTotalTimeoutConstant + m_timeouts.WriteTotalTimeoutMultiplier * n;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(total);
    DWORD sent = 0;
    while (sent < n) {
        ssize_t w = ::write(m_fd, buf + sent, n - sent);
        if (w > 0) {
            sent += static_cast<DWORD>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != EAGAIN) {
            m_lastError = errno;
            break;
        }
        int left = total == 0 ? 1000 : Remaining(deadline);
        if (left == 0) {
            m_lastError = ETIMEDOUT;
            break;
        }
        PollFd(m_fd, POLLOUT, static_cast<DWORD>(left));
    }
    if (written)
        *written = sent;
    return sent == n ? TRUE : FALSE;
}
