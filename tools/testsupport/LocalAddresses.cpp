#include "tools/testsupport/LocalAddresses.h"

#include <ifaddrs.h>
#include <net/if.h>

namespace kq {

std::vector<LocalIpv4Address> LocalIpv4Addresses() {
    std::vector<LocalIpv4Address> addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
        if (item->ifa_addr == nullptr || item->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        LocalIpv4Address entry;
        entry.interfaceName = item->ifa_name != nullptr ? item->ifa_name : "";
        entry.address = reinterpret_cast<const sockaddr_in*>(item->ifa_addr)->sin_addr;
        if (item->ifa_netmask != nullptr) {
            entry.netmask = reinterpret_cast<const sockaddr_in*>(item->ifa_netmask)->sin_addr;
        }
        entry.up = (item->ifa_flags & IFF_UP) != 0;
        entry.loopback = (item->ifa_flags & IFF_LOOPBACK) != 0;
        addresses.push_back(std::move(entry));
    }
    ::freeifaddrs(list);
    return addresses;
}

}  // namespace kq
