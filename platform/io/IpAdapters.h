// The local IPv4 adapters: the first address and mask of each interface, as dotted text.
#pragma once

#include <string>
#include <vector>

struct IpAdapterInfo {
    std::string name; // interface name, e.g. "lo", "eth0"
    std::string ipAddress;
    std::string ipMask;
};

// In the order the system lists the interfaces; empty when the list cannot be read.
std::vector<IpAdapterInfo> GetIpAdapters();
