#include "platform/io/SocketHidDevice.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SendPacket(int fd, const BYTE* data, size_t len, DWORD timeoutMs) {
    int w = WaitHidDescriptor(fd, true, timeoutMs);
    if (w != HID_IO_OK)
        return w;
    for (;;) {
        ssize_t n = ::send(fd, data, len, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return HID_IO_TIMEOUT;
        return n == static_cast<ssize_t>(len) ? HID_IO_OK : HID_IO_ERROR;
    }
}

// One datagram into out[0..cap), zero-filled.
int RecvPacket(int fd, BYTE* out, size_t cap, DWORD timeoutMs) {
    int w = WaitHidDescriptor(fd, false, timeoutMs);
    if (w != HID_IO_OK)
        return w;
    BYTE buf[HID_REPORT_SIZE + 1];
    for (;;) {
        ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return HID_IO_TIMEOUT;
        if (n <= 0)
            return HID_IO_ERROR; // the other end closed: an unplugged device
        std::memset(out, 0, cap);
        std::memcpy(out, buf, static_cast<size_t>(n) < cap ? static_cast<size_t>(n) : cap);
        return HID_IO_OK;
    }
}

} // namespace

CSocketHidDevice::~CSocketHidDevice() {
    Close();
}

bool CSocketHidDevice::CreatePair(std::unique_ptr<CSocketHidDevice>* programEnd, int* deviceFd) {
    int sv[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sv) != 0)
        return false;
    programEnd->reset(new CSocketHidDevice(sv[0]));
    *deviceFd = sv[1];
    return true;
}

int CSocketHidDevice::WriteReport(const BYTE* report, DWORD timeoutMs) {
    if (m_fd < 0)
        return HID_IO_ERROR;
    return SendPacket(m_fd, report + 1, HID_REPORT_DATA, timeoutMs); // the id byte stays here, as on hidraw
}

int CSocketHidDevice::ReadReport(BYTE* report, DWORD timeoutMs) {
    if (m_fd < 0)
        return HID_IO_ERROR;
    BYTE data[HID_REPORT_DATA];
    int r = RecvPacket(m_fd, data, sizeof data, timeoutMs);
    if (r != HID_IO_OK)
        return r;
    report[0] = 0;
    std::memcpy(report + 1, data, HID_REPORT_DATA);
    return HID_IO_OK;
}

void CSocketHidDevice::Purge() {
    if (m_fd < 0)
        return;
    BYTE buf[HID_REPORT_SIZE];
    while (::recv(m_fd, buf, sizeof buf, MSG_DONTWAIT) > 0) {
    }
}

void CSocketHidDevice::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

int CSocketHidDevice::DeviceReadReport(int deviceFd, BYTE* data64, DWORD timeoutMs) {
    return RecvPacket(deviceFd, data64, HID_REPORT_DATA, timeoutMs);
}

int CSocketHidDevice::DeviceWriteReport(int deviceFd, const BYTE* data64, DWORD timeoutMs) {
    return SendPacket(deviceFd, data64, HID_REPORT_DATA, timeoutMs);
}
