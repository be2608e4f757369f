// Arrival and removal of HID interfaces, from the udev monitor of the "hidraw" subsystem. The UI
// watches GetFd() and, when it is readable, drains Poll() and delivers each change to the view as
// the device-change message with a DEV_BROADCAST_DEVICEINTERFACE record.
#pragma once

#include "platform/core/WinTypes.h"

#include <string>

constexpr UINT DBT_DEVICEARRIVAL = 0x8000;
constexpr UINT DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;

// The record of one change; dbcc_name holds the interface path (the /dev/hidrawN node).
struct DEV_BROADCAST_DEVICEINTERFACE {
    DWORD dbcc_size = sizeof(DEV_BROADCAST_DEVICEINTERFACE);
    DWORD dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    DWORD dbcc_reserved = 0;
    char dbcc_name[256] = {};
};

struct udev;
struct udev_monitor;

class CHidMonitor {
public:
    CHidMonitor() = default;
    ~CHidMonitor();
    CHidMonitor(const CHidMonitor&) = delete;
    CHidMonitor& operator=(const CHidMonitor&) = delete;

    // Starts listening; FALSE when udev is unavailable (no hot-plug then).
    BOOL Open();
    void Close();
    // Readable when changes wait; -1 when not open.
    int GetFd() const;
    // Takes the next waiting change without blocking: DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and
    // the node's path. FALSE when nothing waits. Changes without a device node are skipped.
    BOOL Poll(UINT* event, std::string* path);
    // Fills a record for the message; the path is cut to fit.
    static void FillRecord(const std::string& path, DEV_BROADCAST_DEVICEINTERFACE* record);

private:
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};
