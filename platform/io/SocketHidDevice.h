// A HID interface double: reports travel through a local socket pair to a device end in the same
// process, so the link's USB path runs without hardware. The device end sees what a device's
// endpoints see: 64-byte output reports without the id byte, and sends 64-byte input reports.
#pragma once

#include "platform/io/HidDevice.h"

#include <memory>

class CSocketHidDevice : public CHidDevice {
public:
    ~CSocketHidDevice() override;

    // Makes a connected pair. The device end is a SOCK_SEQPACKET descriptor owned by the caller.
    static bool CreatePair(std::unique_ptr<CSocketHidDevice>* programEnd, int* deviceFd);

    int WriteReport(const BYTE* report, DWORD timeoutMs) override;
    int ReadReport(BYTE* report, DWORD timeoutMs) override;
    void Purge() override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }

    // Device side: one 64-byte output report from the program (zero-filled), or one input report to it.
    static int DeviceReadReport(int deviceFd, BYTE* data64, DWORD timeoutMs);
    static int DeviceWriteReport(int deviceFd, const BYTE* data64, DWORD timeoutMs);

private:
    explicit CSocketHidDevice(int fd) : m_fd(fd) {}
    int m_fd = -1;
};
