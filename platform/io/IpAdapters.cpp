#include "platform/io/IpAdapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace {

std::string Dotted(const sockaddr* sa) {
    char text[INET_ADDRSTRLEN] = {};
    if (!sa || sa->sa_family != AF_INET)
        return "0.0.0.0";
    const auto* in = reinterpret_cast<const sockaddr_in*>(sa);
    ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    return text;
}

} // namespace

std::vector<IpAdapterInfo> GetIpAdapters() {
    std::vector<IpAdapterInfo> list;
    ifaddrs* all = nullptr;
    if (::getifaddrs(&all) != 0)
        return list;
    for (ifaddrs* a = all; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || !a->ifa_name)
            continue;
        bool known = false;
        for (const auto& e : list)
            known = known || e.name == a->ifa_name;
        if (known)
            continue; // the first address of an adapter counts
        list.push_back({a->ifa_name, Dotted(a->ifa_addr), Dotted(a->ifa_netmask)});
    }
    ::freeifaddrs(all);
    return list;
}
