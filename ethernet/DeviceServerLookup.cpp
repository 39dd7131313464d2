#include "ethernet/DeviceServerLookup.h"

#include "platform/io/TcpClient.h"
#include "ports/PortCatalog.h"

std::optional<DeviceServerAddress> FindDeviceServer(const CString& comNumberText) {
    CString name = comNumberText;
    name.Trim();
    if (name.IsEmpty()) {
        return std::nullopt;
    }
    if (name[0] >= '0' && name[0] <= '9') {
        name = "COM" + name;
    }
    const std::optional<kq::ports::PortEntry> port = kq::ports::FindPort(name);
    if (!port || port->kind != kq::ports::PortEntry::Kind::Tcp || port->setupPort == 0) {
        return std::nullopt;
    }
    DeviceServerAddress server;
    if (!kq::ParseHostPort(port->target, server.host, server.dataPort)) {
        return std::nullopt;
    }
    server.setupPort = port->setupPort;
    return server;
}
