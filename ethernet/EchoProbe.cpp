#include "ethernet/EchoProbe.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>

#include <algorithm>
#include <atomic>
#include <optional>

#include "ethernet/SetupDeadline.h"
#include "platform/io/IcmpEcho.h"
#include "platform/io/TcpClient.h"
#include "platform/ui/EventLoop.h"

namespace {

std::atomic<EchoRoute> g_route{EchoRoute::Automatic};

// The server's IPv4 address; nothing for an IPv6 address or a name without an IPv4 address.
std::optional<in_addr> Ipv4AddressOf(const std::string& host) {
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) == 1) {
        return address;
    }
    in6_addr ignored{};
    if (inet_pton(AF_INET6, host.c_str(), &ignored) == 1) {
        return std::nullopt;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return std::nullopt;
    }
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return address;
}

// Waits out the rest of an attempt's slot, serving sent messages meanwhile.
void WaitUntil(const SetupDeadline& slotEnd) {
    while (!slotEnd.Expired()) {
        kq::ui::PollServingSentMessages(nullptr, 0, slotEnd.LeftMs());
    }
}

bool EchoByIcmp(kq::IcmpEcho& echo, in_addr address, int attempts) {
    echo.SetPollFunction(kq::ui::PollServingSentMessages);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const SetupDeadline slotEnd(kEchoIntervalMs);
        const auto sequence = static_cast<uint16_t>(attempt + 1);
        if (echo.Send(address, sequence) && echo.AwaitReply(address, sequence, slotEnd.LeftMs())) {
            return true;
        }
        WaitUntil(slotEnd);
    }
    return false;
}

bool EchoByTcp(const DeviceServerAddress& server, int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const SetupDeadline slotEnd(kEchoIntervalMs);
        kq::TcpClient probe;
        if (probe.Connect(server.host, server.setupPort, kEchoIntervalMs,
                          kq::ui::PollServingSentMessages) ||
            probe.LastError() == ECONNREFUSED) {
            return true;
        }
        WaitUntil(slotEnd);
    }
    return false;
}

}  // namespace

void SetEchoRoute(EchoRoute route) {
    g_route = route;
}

bool EchoDeviceServer(const DeviceServerAddress& server, int attempts, std::string* used) {
    attempts = std::clamp(attempts, 1, kMaxEchoAttempts);
    const EchoRoute route = g_route;
    const std::optional<in_addr> address =
        route == EchoRoute::TcpProbe ? std::nullopt : Ipv4AddressOf(server.host);
    if (address) {
        kq::IcmpEcho echo;
        const auto preference = route == EchoRoute::PingSocket  ? kq::IcmpEcho::Preference::PingOnly
                                : route == EchoRoute::RawSocket ? kq::IcmpEcho::Preference::RawOnly
                                                                : kq::IcmpEcho::Preference::Any;
        if (echo.Open(preference)) {
            if (used != nullptr) {
                *used = kq::EchoSocketKindName(echo.Kind());
            }
            return EchoByIcmp(echo, *address, attempts);
        }
        if (route != EchoRoute::Automatic) {
            if (used != nullptr) {
                *used = kq::EchoSocketKindName(kq::EchoSocketKind::None);
            }
            return false;
        }
    }
    if (used != nullptr) {
        *used = "tcp probe";
    }
    return EchoByTcp(server, attempts);
}
