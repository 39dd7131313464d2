#include "platform/io/SerialPortEnumerator.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace kq {
namespace {

namespace fs = std::filesystem;

// A small sysfs and /dev: an FTDI adapter (interface string), a CDC-ACM device without one, an
// on-board UART and an empty UART slot, a console, and udev's by-id/by-path links.
class FakeDeviceTree {
  public:
    FakeDeviceTree() {
        char pattern[] = "/tmp/kq-sysfs-XXXXXX";
        root_ = mkdtemp(pattern);
        roots.sys = (root_ / "sys").string();
        roots.dev = (root_ / "dev").string();
        const fs::path pci = "devices/pci0000:00/0000:00:14.0/usb1";
        Usb(pci / "1-2", "0403", "6001", "FTDI", "TTL232R", "FT1ABCDE");
        Write(pci / "1-2/1-2:1.0/bInterfaceNumber", "00");
        Write(pci / "1-2/1-2:1.0/interface", "Tarvik USB sensor interface port\n");
        Driver(pci / "1-2/1-2:1.0/ttyUSB0", "usb-serial", "ftdi_sio");
        Tty("ttyUSB0", pci / "1-2/1-2:1.0/ttyUSB0");

        Usb(pci / "1-3", "2341", "0043", "Arduino", "Uno R3", "7563");
        Write(pci / "1-3/1-3:1.0/bInterfaceNumber", "00");
        Driver(pci / "1-3/1-3:1.0", "usb", "cdc_acm");
        Tty("ttyACM0", pci / "1-3/1-3:1.0");

        Driver("devices/pnp0/00:00", "pnp", "serial");
        Driver("devices/pnp0/00:00/00:00:0/00:00:0.0", "serial-base", "port");
        Tty("ttyS0", "devices/pnp0/00:00/00:00:0/00:00:0.0", "4");
        Driver("devices/platform/serial8250/serial8250:0.1", "serial-base", "port");
        Driver("devices/platform/serial8250", "platform", "serial8250");
        Tty("ttyS1", "devices/platform/serial8250/serial8250:0.1", "0");
        Tty("ttyS10", "devices/pnp0/00:00/00:00:0/00:00:0.0", "4");
        fs::create_directories(root_ / "sys/class/tty/console");  // no device link

        Link("dev/serial/by-id/usb-FTDI_TTL232R_FT1ABCDE-if00-port0", "../../ttyUSB0");
        Link("dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0", "../../ttyUSB0");
        Link("dev/serial/by-id/usb-Arduino_Uno_R3_7563-if00", "../../ttyACM0");
    }
    ~FakeDeviceTree() { fs::remove_all(root_); }

    DeviceRoots roots;

  private:
    void Write(const fs::path& relative, const std::string& text) {
        const fs::path file = root_ / "sys" / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    void Usb(const fs::path& dir, const char* vid, const char* pid, const char* maker,
             const char* product, const char* serial) {
        Write(dir / "idVendor", std::string(vid) + "\n");
        Write(dir / "idProduct", std::string(pid) + "\n");
        Write(dir / "manufacturer", std::string(maker) + "\n");
        Write(dir / "product", std::string(product) + "\n");
        Write(dir / "serial", std::string(serial) + "\n");
    }
    void Driver(const fs::path& dir, const char* bus, const char* name) {
        const fs::path driverDir = root_ / "sys/bus" / bus / "drivers" / name;
        fs::create_directories(driverDir);
        fs::create_directories(root_ / "sys" / dir);
        fs::create_symlink(driverDir, root_ / "sys" / dir / "driver");
    }
    void Tty(const char* name, const fs::path& device, const char* uartType = nullptr) {
        const fs::path classDir = root_ / "sys/class/tty" / name;
        fs::create_directories(classDir);
        fs::create_directories(root_ / "sys" / device);
        fs::create_symlink(root_ / "sys" / device, classDir / "device");
        if (uartType) {
            std::ofstream(classDir / "type") << uartType << "\n";
        }
        fs::create_directories(root_ / "dev");
        std::ofstream(root_ / "dev" / name) << "";
    }
    void Link(const fs::path& link, const char* target) {
        fs::create_directories((root_ / link).parent_path());
        fs::create_symlink(target, root_ / link);
    }

    fs::path root_;
};

TEST(SerialPortEnumeratorTest, ListsPortsWithTheirUsbStringsAndLinks) {
    FakeDeviceTree tree;
    const auto ports = EnumerateSerialPorts(false, tree.roots);
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[0].name, "ttyACM0");
    EXPECT_EQ(ports[1].name, "ttyS0");
    EXPECT_EQ(ports[2].name, "ttyS10") << "empty UART slot ttyS1 is left out";
    EXPECT_EQ(ports[3].name, "ttyUSB0");

    const SerialPortInfo& ftdi = ports[3];
    EXPECT_TRUE(ftdi.isUsb);
    EXPECT_EQ(ftdi.devicePath, tree.roots.dev + "/ttyUSB0");
    EXPECT_EQ(ftdi.driver, "ftdi_sio");
    EXPECT_EQ(ftdi.Description(), "Tarvik USB sensor interface port");
    EXPECT_EQ(ftdi.product, "TTL232R");
    EXPECT_EQ(ftdi.manufacturer, "FTDI");
    EXPECT_EQ(ftdi.serialNumber, "FT1ABCDE");
    EXPECT_EQ(ftdi.vendorId, 0x0403);
    EXPECT_EQ(ftdi.productId, 0x6001);
    EXPECT_EQ(ftdi.byIdPath, tree.roots.dev + "/serial/by-id/usb-FTDI_TTL232R_FT1ABCDE-if00-port0");
    EXPECT_EQ(ftdi.byPathPath,
              tree.roots.dev + "/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0");

    const SerialPortInfo& acm = ports[0];
    EXPECT_EQ(acm.driver, "cdc_acm");
    EXPECT_EQ(acm.Description(), "Uno R3") << "no interface string: the product";
    EXPECT_TRUE(acm.byPathPath.empty());

    const SerialPortInfo& uart = ports[1];
    EXPECT_FALSE(uart.isUsb);
    EXPECT_EQ(uart.driver, "serial") << "the generic serial-port bus driver is passed over";
    EXPECT_EQ(uart.Description(), "serial");
}

TEST(SerialPortEnumeratorTest, UsbOnlyAndSinglePorts) {
    FakeDeviceTree tree;
    const auto usb = EnumerateSerialPorts(true, tree.roots);
    ASSERT_EQ(usb.size(), 2u);
    EXPECT_EQ(usb[0].name, "ttyACM0");
    EXPECT_EQ(usb[1].name, "ttyUSB0");
    EXPECT_TRUE(DescribeSerialPort("ttyUSB0", tree.roots));
    EXPECT_FALSE(DescribeSerialPort("console", tree.roots));
    EXPECT_FALSE(DescribeSerialPort("ttyS1", tree.roots));
    EXPECT_FALSE(DescribeSerialPort("../../etc", tree.roots));
    EXPECT_FALSE(DescribeSerialPort("ttyUSB9", tree.roots));
}

TEST(SerialPortEnumeratorTest, RealMachineGivesSaneEntries) {
    for (bool usbOnly : {false, true}) {
        for (const SerialPortInfo& port : EnumerateSerialPorts(usbOnly)) {
            EXPECT_FALSE(port.name.empty());
            EXPECT_EQ(port.devicePath, "/dev/" + port.name);
            EXPECT_FALSE(port.Description().empty());
            EXPECT_TRUE(!usbOnly || port.isUsb);
            EXPECT_EQ(port.name.rfind("pts", 0), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kq
