// A HID backend whose one device is the emulator: install it (CHidBackend::Install) and the link's
// enumeration finds the device's interface, and opening it connects to the emulator.
#pragma once

#include "DeviceEmulator.h"

#include "platform/io/HidBackend.h"

#include <mutex>

class CDevsimHidBackend : public CHidBackend {
public:
    static constexpr const char* kPath = "/dev/hidraw-devsim0";

    explicit CDevsimHidBackend(CDeviceEmulator& emulator) : m_emulator(emulator) {}

    // Plugged in (listed and openable) or not.
    void SetPresent(bool present);
    // Further interfaces to list (other vendors' devices, a second unit); they never open.
    void SetOtherInterfaces(std::vector<HidInterfaceInfo> others);
    // Times the emulator's interface was opened.
    int GetOpenCount() const;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<CHidDevice> Open(const std::string& path) override;

private:
    CDeviceEmulator& m_emulator;
    mutable std::mutex m_lock;
    bool m_present = true;
    std::vector<HidInterfaceInfo> m_others;
    int m_opens = 0;
};
