// A HID interface opened through its /dev/hidrawN node.
#pragma once

#include "platform/io/HidDevice.h"

#include <memory>

class CHidrawDevice : public CHidDevice {
public:
    ~CHidrawDevice() override;

    // Opens the node for reading and writing and takes an exclusive advisory lock on it, so a second
    // process (or a second open in this one) fails as a non-shared open would. Null on failure, with
    // errno set (EWOULDBLOCK when another holder has it).
    static std::unique_ptr<CHidrawDevice> Open(const std::string& path);

    int WriteReport(const BYTE* report, DWORD timeoutMs) override;
    int ReadReport(BYTE* report, DWORD timeoutMs) override;
    void Purge() override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }

private:
    explicit CHidrawDevice(int fd) : m_fd(fd) {}
    int m_fd = -1;
};
