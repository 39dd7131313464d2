// A small sysfs and /dev in a temporary folder, for enumerating serial ports without hardware.
// A USB adapter's node may be a link to a pseudo-terminal, so that the "device" really opens.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/io/SerialPortEnumerator.h"

namespace kq::test {

class FakeDeviceTree {
  public:
    FakeDeviceTree() {
        char pattern[] = "/tmp/kq-sysfs-XXXXXX";
        root_ = mkdtemp(pattern);
        roots.sys = (root_ / "sys").string();
        roots.dev = (root_ / "dev").string();
        std::filesystem::create_directories(root_ / "sys/class/tty");
        std::filesystem::create_directories(root_ / "dev");
    }
    ~FakeDeviceTree() { std::filesystem::remove_all(root_); }
    FakeDeviceTree(const FakeDeviceTree&) = delete;
    FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

    struct Usb {
        std::string port = "1-2";  // USB port path below usb1
        std::string vid = "0403";
        std::string pid = "6001";
        std::string maker = "FTDI";
        std::string product = "TTL232R";
        std::string serial = "FT1ABCDE";
        std::string interfaceText;  // empty: the interface has no string
    };

    // A USB serial adapter driven by ftdi_sio; with byId, udev's link to its node; with
    // nodeTarget, the node is a link to that path (a pseudo-terminal) instead of a plain file.
    void AddUsbSerial(const std::string& name, const Usb& usb, const std::string& byId = "",
                      const std::string& nodeTarget = "") {
        const std::filesystem::path dev = "devices/pci0000:00/0000:00:14.0/usb1/" + usb.port;
        Write(dev / "idVendor", usb.vid + "\n");
        Write(dev / "idProduct", usb.pid + "\n");
        Write(dev / "manufacturer", usb.maker + "\n");
        Write(dev / "product", usb.product + "\n");
        Write(dev / "serial", usb.serial + "\n");
        const std::filesystem::path interface = dev / (usb.port + ":1.0");
        Write(interface / "bInterfaceNumber", "00\n");
        if (!usb.interfaceText.empty()) {
            Write(interface / "interface", usb.interfaceText + "\n");
        }
        Driver(interface / name, "usb-serial", "ftdi_sio");
        Write(interface / name / "port_number", "0\n");
        Tty(name, interface / name, nullptr, nodeTarget);
        if (!byId.empty()) {
            Link("dev/serial/by-id/" + byId, "../../" + name);
        }
    }
    // A CDC-ACM device (the interface itself is the tty's device).
    void AddAcm(const std::string& name, const Usb& usb) {
        const std::filesystem::path dev = "devices/pci0000:00/0000:00:14.0/usb1/" + usb.port;
        Write(dev / "idVendor", usb.vid + "\n");
        Write(dev / "idProduct", usb.pid + "\n");
        Write(dev / "manufacturer", usb.maker + "\n");
        Write(dev / "product", usb.product + "\n");
        Write(dev / "serial", usb.serial + "\n");
        Write(dev / (usb.port + ":1.0") / "bInterfaceNumber", "00\n");
        Driver(dev / (usb.port + ":1.0"), "usb", "cdc_acm");
        Tty(name, dev / (usb.port + ":1.0"));
    }
    // An on-board UART; uartType "0" is an empty slot.
    void AddUart(const std::string& name, const std::string& uartType) {
        Driver("devices/pnp0/00:00", "pnp", "serial");
        const std::filesystem::path port = "devices/pnp0/00:00/00:00:0/00:00:0." + name;
        Driver(port, "serial-base", "port");
        Tty(name, port, uartType.c_str());
    }
    void AddConsole(const std::string& name) {
        std::filesystem::create_directories(root_ / "sys/class/tty" / name);
    }
    void AddByPathLink(const std::string& link, const std::string& name) {
        Link("dev/serial/by-path/" + link, "../../" + name);
    }
    // The device goes away: its tty, node and links (the USB directories may stay).
    void RemoveTty(const std::string& name) {
        std::filesystem::remove_all(root_ / "sys/class/tty" / name);
        std::filesystem::remove(root_ / "dev" / name);
        for (const char* kind : {"by-id", "by-path"}) {
            std::error_code error;
            const auto dir = root_ / "dev/serial" / kind;
            for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
                 it.increment(error)) {
                if (std::filesystem::read_symlink(it->path()).filename() == name) {
                    std::filesystem::remove(it->path());
                }
            }
        }
    }

    DeviceRoots roots;

  private:
    void Write(const std::filesystem::path& relative, const std::string& text) {
        const auto file = root_ / "sys" / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    void Driver(const std::filesystem::path& dir, const char* bus, const char* name) {
        const auto driverDir = root_ / "sys/bus" / bus / "drivers" / name;
        std::filesystem::create_directories(driverDir);
        std::filesystem::create_directories(root_ / "sys" / dir);
        std::error_code ignored;
        std::filesystem::create_symlink(driverDir, root_ / "sys" / dir / "driver", ignored);
    }
    void Tty(const std::string& name, const std::filesystem::path& device,
             const char* uartType = nullptr, const std::string& nodeTarget = "") {
        const auto classDir = root_ / "sys/class/tty" / name;
        std::filesystem::create_directories(classDir);
        std::filesystem::create_directories(root_ / "sys" / device);
        std::filesystem::create_symlink(root_ / "sys" / device, classDir / "device");
        if (uartType != nullptr) {
            std::ofstream(classDir / "type") << uartType << "\n";
        }
        if (nodeTarget.empty()) {
            std::ofstream(root_ / "dev" / name) << "";
        } else {
            std::filesystem::create_symlink(nodeTarget, root_ / "dev" / name);
        }
    }
    void Link(const std::string& link, const std::string& target) {
        std::filesystem::create_directories((root_ / link).parent_path());
        std::filesystem::create_symlink(target, root_ / link);
    }

    std::filesystem::path root_;
};

}  // namespace kq::test
