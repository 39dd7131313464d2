// The ports of this machine as the application sees them: each serial device and each declared
// extra port under its lasting "COMn" name, with a description.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/io/SerialPortEnumerator.h"

namespace kq::ports {

struct PortEntry {
    enum class Kind { Device, Path, Tcp };
    CString comName;      // "COM3"
    CString description;  // "Tarvik USB sensor interface port"
    Kind kind = Kind::Device;
    std::string target;    // the device node or path to open, or "host:port"
    std::string identity;  // the key of the COM name (see CPortNameHistory)
    bool isUsb = false;
    uint16_t setupPort = 0;  // Tcp: the setup port of the device server behind the endpoint

    // "COM3 Tarvik USB sensor interface port": the form the application lists ports in.
    CString DisplayText() const { return comName + " " + description; }
};

// Where devices are looked for; tests point it at a prepared tree.
void SetDeviceRoots(const DeviceRoots& roots);
DeviceRoots CurrentDeviceRoots();

// The identity a device's COM name is kept under, read from sysfs as udev's by-id and by-path
// names are: "usb:<vid>:<pid>:<serial>:if<n>[:port<n>]" for a USB adapter with a serial number,
// "usb-path:<vid>:<pid>:<bus place>:if<n>[:port<n>]" for one without, "path:<node>" otherwise.
// udev's links themselves come too late for the kernel's arrival event, and not at all where
// udev does not run, so they are not used.
std::string DeviceIdentity(const SerialPortInfo& device);

// Every port now present, in COM-number order. usbOnly leaves out serial devices that are not
// on USB; declared extra ports are always listed, since someone asked for them by name.
std::vector<PortEntry> ListPorts(bool usbOnly);
// The present port of that COM name (any case, "\\.\" allowed).
std::optional<PortEntry> FindPort(const CString& comName);
// The COM name of a device by its node name below /dev ("ttyUSB0"); a device seen for the first
// time gets one. A node that is no serial device (any more) is looked up in the history only:
// that is how a removed device is named.
std::optional<CString> ComNameOfDevice(const std::string& nodeName);

}  // namespace kq::ports
