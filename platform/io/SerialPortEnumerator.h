// The serial ports of this machine as the kernel lists them in sysfs (/sys/class/tty): USB
// adapters (ttyUSB, ttyACM) with their USB strings, and on-board ports whose UART is present.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kq {

struct SerialPortInfo {
    std::string name;        // "ttyUSB0"
    std::string devicePath;  // "/dev/ttyUSB0"
    std::string driver;      // "ftdi_sio", "cdc_acm", "serial", ...
    bool isUsb = false;
    std::string interfaceText;    // the USB interface's own string, when it has one
    std::string interfaceNumber;  // "00": the USB interface's number
    std::string usbInterface;     // "1-2.4:1.0": the interface's place on the buses
    std::string portNumber;       // the port of a multi-port USB adapter ("0"), else empty
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string byIdPath;    // "/dev/serial/by-id/..." (empty where udev made none)
    std::string byPathPath;  // "/dev/serial/by-path/..."

    // The interface string, else the product, else the driver, else the name.
    std::string Description() const;
};

// Where sysfs and the device nodes are (tests point them at a prepared tree).
struct DeviceRoots {
    std::string sys = "/sys";
    std::string dev = "/dev";
};

// Every serial port, or only those on USB, in natural name order (ttyS2 before ttyS10).
std::vector<SerialPortInfo> EnumerateSerialPorts(bool usbOnly, const DeviceRoots& roots = {});
// One port by its tty name; nullopt when it is no serial port (or a UART slot with no UART).
std::optional<SerialPortInfo> DescribeSerialPort(const std::string& name,
                                                 const DeviceRoots& roots = {});

}  // namespace kq
