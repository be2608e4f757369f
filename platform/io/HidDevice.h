// One open HID interface, as the link sees it: 65-byte reports whose byte 0 is the report id.
#pragma once

#include "platform/core/WinTypes.h"

#include <string>
#include <vector>

constexpr int HID_REPORT_SIZE = 65; // report id byte + 64 data bytes
constexpr int HID_REPORT_DATA = 64;

// Results of the timed report calls.
enum HidIoResult : int {
    HID_IO_OK = 0,
    HID_IO_TIMEOUT = 1,
    HID_IO_ERROR = 2, // the device is gone or the handle is closed
};

// Waits until a device descriptor takes a report (forWrite) or holds one: HID_IO_OK, HID_IO_TIMEOUT,
// or HID_IO_ERROR when it hung up (unplugged) or the wait failed. Shared by the implementations.
int WaitHidDescriptor(int fd, bool forWrite, DWORD timeoutMs);

struct HIDD_ATTRIBUTES {
    ULONG Size = sizeof(HIDD_ATTRIBUTES);
    USHORT VendorID = 0;
    USHORT ProductID = 0;
    USHORT VersionNumber = 0;
};

// One present HID interface: its device path and attributes.
struct HidInterfaceInfo {
    std::string path;
    HIDD_ATTRIBUTES attributes;
};

class CHidDevice {
public:
    virtual ~CHidDevice() = default;

    // Writes one output report of HID_REPORT_SIZE bytes (byte 0 = report id 0); returns once the
    // report is handed over, so the caller may refill its buffer.
    virtual int WriteReport(const BYTE* report, DWORD timeoutMs) = 0;
    // Reads one input report into HID_REPORT_SIZE bytes: byte 0 = report id 0, then the data,
    // zero-filled when the device sent fewer than 64 bytes.
    virtual int ReadReport(BYTE* report, DWORD timeoutMs) = 0;
    // Drops input reports that have arrived but were not read.
    virtual void Purge() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};
