#include "link/ComPortInfo.h"

#include "platform/io/CommPort.h"
#include "platform/io/SerialPortList.h"

std::string DescriptionFromFriendly(const std::string& friendly) {
    size_t open = friendly.find(" (");
    size_t close = friendly.find(')');
    if (open != std::string::npos && open > 0 && close != std::string::npos && close + 1 == friendly.size())
        return friendly.substr(0, open);
    return friendly;
}

int EnumComPorts(std::vector<ComPortInfo>& list, bool bOnlyOpenable, const std::string& sysRoot) {
    list.clear();
    try {
        for (const SerialPortInfo& p : ListSerialPorts(sysRoot)) {
            ComPortInfo info;
            info.path = p.path;
            info.port = p.port;
            info.friendly = p.friendly;
            info.isUsb = p.isUsb;
            info.desc = p.description;
            if (info.port.empty())
                continue;
            if (bOnlyOpenable) {
                CCommPort probe;
                if (!probe.Open(info.path))
                    continue;
            }
            if (info.friendly.empty())
                info.friendly = info.port;
            if (info.desc.empty())
                info.desc = DescriptionFromFriendly(info.friendly);
            list.push_back(std::move(info));
        }
    } catch (...) {
        // A list that cannot be read is no list: the dialogs show "NULL" instead of failing.
        list.clear();
    }
    return static_cast<int>(list.size());
}
