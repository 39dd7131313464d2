// The network device server behind a COM port: the port's declaration names its endpoint, whose
// host is the server; the server takes the serial data on the endpoint's port and offers its
// setup menu on the declared setup port.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/base/CString.h"

struct DeviceServerAddress {
    std::string host;  // as declared: an IPv4 or IPv6 address or a host name
    uint16_t dataPort = 0;
    uint16_t setupPort = 0;
};

// "12", "COM12" or "\\.\COM12": the server behind that port. Nothing for an unknown port, a
// device or path port, or an endpoint that does not parse; no network traffic either way.
std::optional<DeviceServerAddress> FindDeviceServer(const CString& comNumberText);
