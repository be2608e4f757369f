#include "platform/io/SerialPortList.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace {

std::string ReadLine(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    if (in)
        std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// Walks up from the tty's device to the USB device that carries a "product" text.
std::string UsbProduct(std::string dev, const std::string& stopAt) {
    for (int depth = 0; depth < 8 && dev.size() > stopAt.size(); ++depth) {
        if (Exists(dev + "/idVendor"))
            return ReadLine(dev + "/product");
        size_t cut = dev.rfind('/');
        if (cut == std::string::npos)
            break;
        dev.resize(cut);
    }
    return std::string();
}

} // namespace

std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysRoot) {
    std::vector<SerialPortInfo> list;
    std::string classDir = sysRoot + "/class/tty";
    DIR* dir = ::opendir(classDir.c_str());
    if (!dir)
        return list;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        std::string entry = classDir + "/" + name;
        char real[PATH_MAX];
        if (!::realpath((entry + "/device").c_str(), real))
            continue; // virtual terminals and pseudo-terminals have no device
        // Built-in UART slots without hardware report type 0.
        std::string type = ReadLine(entry + "/type");
        if (!type.empty() && type == "0")
            continue;
        SerialPortInfo info;
        info.port = name;
        info.path = "/dev/" + name;
        std::string dev = real;
        info.isUsb = dev.find("/usb") != std::string::npos;
        if (info.isUsb)
            info.description = UsbProduct(dev, sysRoot);
        info.friendly = info.description.empty() ? name : info.description + " (" + name + ")";
        list.push_back(std::move(info));
    }
    ::closedir(dir);
    std::sort(list.begin(), list.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.port < b.port; });
    return list;
}
