// Whether a device server is there at all: ICMP echo requests to its address, one per attempt,
// 777 ms apart, each waiting until the next would be sent. Where ICMP is not permitted, or the
// server has an IPv6 address, a TCP connection to its setup port stands in: connected or
// refused both mean that the host answered.
#pragma once

#include <string>

#include "ethernet/DeviceServerLookup.h"

enum class EchoRoute {
    Automatic,   // ping socket, else raw socket, else the TCP probe
    PingSocket,  // only these (tests force one)
    RawSocket,
    TcpProbe,
};

constexpr int kEchoIntervalMs = 777;
constexpr int kMaxEchoAttempts = 3;

// The route for every echo of the process; tests choose one.
void SetEchoRoute(EchoRoute route);

// True on the first valid answer. attempts is clamped to 1..3; `used` receives the mechanism
// ("ping socket", "raw socket", "tcp probe", or "none" when the forced route is not permitted).
bool EchoDeviceServer(const DeviceServerAddress& server, int attempts, std::string* used = nullptr);
