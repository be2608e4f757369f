// Where HID interfaces come from: the system (hidraw) or a test's stand-in.
#pragma once

#include "platform/io/HidDevice.h"

#include <memory>

class CHidBackend {
public:
    virtual ~CHidBackend() = default;

    // Every present HID interface with its attributes, in enumeration order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens one interface exclusively; null when it is missing or held elsewhere.
    virtual std::unique_ptr<CHidDevice> Open(const std::string& path) = 0;

    // The backend in use: the system one unless a test installed another.
    static CHidBackend& Current();
    // Installs a backend (not owned); null puts the system one back.
    static void Install(CHidBackend* backend);
};

// Enumerate() of the current backend, keeping the interfaces whose vendor and product id match.
std::vector<HidInterfaceInfo> HidEnumerate(USHORT vendorId, USHORT productId);
// The attributes of one present interface; FALSE when no such path is present.
BOOL HidD_GetAttributes(const std::string& path, HIDD_ATTRIBUTES* attributes);
