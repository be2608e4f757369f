#include "platform/io/HidrawDevice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CHidrawDevice::~CHidrawDevice() {
    Close();
}

std::unique_ptr<CHidrawDevice> CHidrawDevice::Open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return nullptr;
    }
    return std::unique_ptr<CHidrawDevice>(new CHidrawDevice(fd));
}

int CHidrawDevice::WriteReport(const BYTE* report, DWORD timeoutMs) {
    if (m_fd < 0)
        return HID_IO_ERROR;
    int w = WaitHidDescriptor(m_fd, true, timeoutMs);
    if (w != HID_IO_OK)
        return w;
    // hidraw takes the report id as the first byte; 0 for a device without numbered reports.
    for (;;) {
        ssize_t n = ::write(m_fd, report, HID_REPORT_SIZE);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return HID_IO_TIMEOUT;
        return n == HID_REPORT_SIZE ? HID_IO_OK : HID_IO_ERROR;
    }
}

int CHidrawDevice::ReadReport(BYTE* report, DWORD timeoutMs) {
    if (m_fd < 0)
        return HID_IO_ERROR;
    int w = WaitHidDescriptor(m_fd, false, timeoutMs);
    if (w != HID_IO_OK)
        return w;
    // hidraw hands over unnumbered reports without the id byte: put the 0 in front.
    BYTE data[HID_REPORT_DATA + 1];
    for (;;) {
        ssize_t n = ::read(m_fd, data, sizeof data);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return HID_IO_TIMEOUT;
        if (n <= 0)
            return HID_IO_ERROR;
        size_t len = static_cast<size_t>(n) > HID_REPORT_DATA ? HID_REPORT_DATA : static_cast<size_t>(n);
        std::memset(report, 0, HID_REPORT_SIZE);
        std::memcpy(report + 1, data, len);
        return HID_IO_OK;
    }
}

void CHidrawDevice::Purge() {
    if (m_fd < 0)
        return;
    BYTE data[HID_REPORT_DATA + 1];
    while (::read(m_fd, data, sizeof data) > 0) {
    }
}

void CHidrawDevice::Close() {
    if (m_fd >= 0) {
        ::close(m_fd); // drops the lock with it
        m_fd = -1;
    }
}
