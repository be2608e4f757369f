#include "platform/io/HidMonitor.h"

#include <cstring>
#include <libudev.h>

CHidMonitor::~CHidMonitor() {
    Close();
}

BOOL CHidMonitor::Open() {
    if (m_monitor)
        return TRUE;
    m_udev = udev_new();
    if (!m_udev)
        return FALSE;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        Close();
        return FALSE;
    }
    return TRUE;
}

void CHidMonitor::Close() {
    if (m_monitor) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
    if (m_udev) {
        udev_unref(m_udev);
        m_udev = nullptr;
    }
}

int CHidMonitor::GetFd() const {
    return m_monitor ? udev_monitor_get_fd(m_monitor) : -1;
}

BOOL CHidMonitor::Poll(UINT* event, std::string* path) {
    if (!m_monitor)
        return FALSE;
    // The monitor's socket is non-blocking: receive returns null when nothing waits.
    while (udev_device* dev = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(dev);
        const char* node = udev_device_get_devnode(dev);
        UINT ev = 0;
        if (action && std::strcmp(action, "add") == 0)
            ev = DBT_DEVICEARRIVAL;
        else if (action && std::strcmp(action, "remove") == 0)
            ev = DBT_DEVICEREMOVECOMPLETE;
        if (ev && node) {
            *event = ev;
            *path = node;
            udev_device_unref(dev);
            return TRUE;
        }
        udev_device_unref(dev);
    }
    return FALSE;
}

void CHidMonitor::FillRecord(const std::string& path, DEV_BROADCAST_DEVICEINTERFACE* record) {
    *record = DEV_BROADCAST_DEVICEINTERFACE{};
    size_t n = path.size() < sizeof record->dbcc_name - 1 ? path.size() : sizeof record->dbcc_name - 1;
    std::memcpy(record->dbcc_name, path.data(), n);
}
