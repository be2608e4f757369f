// One entry of the COM port list that the link selection and the firmware update dialogs offer,
// and the enumeration that builds the list from the serial ports present.
#pragma once

#include <string>
#include <vector>

struct ComPortInfo {
    std::string path;     // what to open: /dev/ttyUSB0
    std::string port;     // ttyUSB0
    std::string friendly; // the name shown in the lists; the port name when the system gives none
    bool isUsb = false;   // the port belongs to a USB adapter
    std::string desc;     // the device description, or the friendly name without its " (port)" tail
};

// Fills the list; with bOnlyOpenable only the ports that open now. The number of entries. A list
// that cannot be built is empty (the dialogs then offer "NULL"). sysRoot: the sysfs mount (tests).
int EnumComPorts(std::vector<ComPortInfo>& list, bool bOnlyOpenable, const std::string& sysRoot = "/sys");
// The description from a friendly name: cut before " (" when that stands after the first character
// and the first ")" ends the name.
std::string DescriptionFromFriendly(const std::string& friendly);
