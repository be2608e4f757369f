// The serial ports present, from /sys/class/tty: every tty backed by a device (a UART whose type
// is known, a USB serial adapter, an ACM modem...).
#pragma once

#include <string>
#include <vector>

struct SerialPortInfo {
    std::string path;        // /dev/ttyUSB0
    std::string port;        // ttyUSB0
    std::string friendly;    // "USB-Serial Controller (ttyUSB0)", or the port name
    std::string description; // the USB product text, or empty
    bool isUsb = false;
};

// Sorted by port name. sysRoot is the sysfs mount point (tests give a fake tree).
std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysRoot = "/sys");
