#include "platform/io/WakePipe.h"

#include "platform/io/Poll.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CWakePipe::~CWakePipe() {
    Close();
}

BOOL CWakePipe::Open() {
    if (IsOpen())
        return TRUE;
    return ::pipe2(m_fds, O_CLOEXEC) == 0 ? TRUE : FALSE;
}

void CWakePipe::Close() {
    for (int& fd : m_fds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void CWakePipe::Wake() {
    if (m_fds[1] < 0)
        return;
    const char b = 1;
    while (::write(m_fds[1], &b, 1) < 0 && errno == EINTR) {
    }
}

int CWakePipe::Wait(int fd, DWORD timeoutMs) {
    if (!IsOpen())
        return -1;
    pollfd p[2] = {{fd, POLLIN, 0}, {m_fds[0], POLLIN, 0}};
    const int n = PollFds(p, 2, timeoutMs);
    if (n < 0 || (p[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)))
        return -1;
    if (n == 0)
        return 0;
    if (p[0].revents & (POLLERR | POLLNVAL))
        return -1;
    return 1;
}
