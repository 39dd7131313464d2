#include "ports/PortCatalog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "ports/CPortNameHistory.h"
#include "ports/ExtraPorts.h"

namespace kq::ports {

namespace {

std::mutex g_rootsLock;
DeviceRoots g_roots;

CPortNameHistory& History() {
    static CPortNameHistory history;
    return history;
}

PortEntry EntryOfDevice(const SerialPortInfo& device) {
    PortEntry entry;
    entry.kind = PortEntry::Kind::Device;
    entry.target = device.devicePath;
    entry.identity = DeviceIdentity(device);
    entry.description = device.Description().c_str();
    entry.isUsb = device.isUsb;
    entry.comName = History().AssignComName(entry.identity, device.devicePath);
    return entry;
}

PortEntry EntryOfExtraPort(const ExtraPort& declared) {
    PortEntry entry;
    entry.kind =
        declared.kind == ExtraPort::Kind::Tcp ? PortEntry::Kind::Tcp : PortEntry::Kind::Path;
    entry.target = declared.target;
    entry.identity = declared.Identity();
    entry.description = declared.description.c_str();
    if (declared.kind == ExtraPort::Kind::Tcp) {
        entry.setupPort = declared.setupPort;
    }
    entry.comName = History().AssignComName(entry.identity, declared.target);
    return entry;
}

}  // namespace

void SetDeviceRoots(const DeviceRoots& roots) {
    std::lock_guard lock(g_rootsLock);
    g_roots = roots;
}

DeviceRoots CurrentDeviceRoots() {
    std::lock_guard lock(g_rootsLock);
    return g_roots;
}

std::string DeviceIdentity(const SerialPortInfo& device) {
    if (!device.isUsb) {
        return "path:" + device.devicePath;
    }
    char ids[16];
    snprintf(ids, sizeof ids, "%04x:%04x", device.vendorId, device.productId);
    std::string where = ":if" + device.interfaceNumber;
    if (!device.portNumber.empty()) {
        where += ":port" + device.portNumber;
    }
    if (!device.serialNumber.empty()) {
        return "usb:" + std::string(ids) + ":" + device.serialNumber + where;
    }
    // Without a serial number an adapter is told apart by the USB socket it is plugged into.
    return "usb-path:" + std::string(ids) + ":" + device.usbInterface + where;
}

std::vector<PortEntry> ListPorts(bool usbOnly) {
    std::vector<PortEntry> ports;
    for (const SerialPortInfo& device : EnumerateSerialPorts(usbOnly, CurrentDeviceRoots())) {
        ports.push_back(EntryOfDevice(device));
    }
    for (const ExtraPort& declared : DeclaredExtraPorts()) {
        ports.push_back(EntryOfExtraPort(declared));
    }
    ports.erase(std::remove_if(ports.begin(), ports.end(),
                               [](const PortEntry& p) { return p.comName.IsEmpty(); }),
                ports.end());
    std::stable_sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
        return ComNumber(a.comName) < ComNumber(b.comName);
    });
    return ports;
}

std::optional<PortEntry> FindPort(const CString& comName) {
    const int number = ComNumber(comName);
    if (number <= 0) {
        return std::nullopt;
    }
    for (PortEntry& entry : ListPorts(false)) {
        if (ComNumber(entry.comName) == number) {
            return std::move(entry);
        }
    }
    return std::nullopt;
}

std::optional<CString> ComNameOfDevice(const std::string& nodeName) {
    const DeviceRoots roots = CurrentDeviceRoots();
    if (const auto device = DescribeSerialPort(nodeName, roots)) {
        const CString name = EntryOfDevice(*device).comName;
        if (!name.IsEmpty()) {
            return name;
        }
    }
    return History().FindComNameByPath((std::filesystem::path(roots.dev) / nodeName).string());
}

}  // namespace kq::ports
