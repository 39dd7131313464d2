// The IPv4 addresses of this machine's interfaces, with their netmasks and state.
#pragma once

#include <netinet/in.h>

#include <string>
#include <vector>

namespace kq {

struct LocalIpv4Address {
    std::string interfaceName;  // "lo", "eth0"
    in_addr address{};          // network byte order
    in_addr netmask{};
    bool up = false;
    bool loopback = false;
};

// Every IPv4 address of every interface, in the order the system lists them; empty when the
// list cannot be read.
std::vector<LocalIpv4Address> LocalIpv4Addresses();

}  // namespace kq
