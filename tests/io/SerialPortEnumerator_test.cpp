#include "platform/io/SerialPortEnumerator.h"

#include "io/FakeDeviceTree.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

// An FTDI adapter (interface string), a CDC-ACM device without one, an on-board UART and an
// empty UART slot, a console, and udev's by-id/by-path links.
class Tree : public test::FakeDeviceTree {
  public:
    Tree() {
        Usb ftdi;
        ftdi.interfaceText = "Tarvik USB sensor interface port";
        AddUsbSerial("ttyUSB0", ftdi, "usb-FTDI_TTL232R_FT1ABCDE-if00-port0");
        AddByPathLink("pci-0000:00:14.0-usb-0:2:1.0-port0", "ttyUSB0");
        AddAcm("ttyACM0", {"1-3", "2341", "0043", "Arduino", "Uno R3", "7563", ""});
        AddUart("ttyS0", "4");
        AddUart("ttyS1", "0");
        AddUart("ttyS10", "4");
        AddConsole("console");
    }
};

TEST(SerialPortEnumeratorTest, ListsPortsWithTheirUsbStringsAndLinks) {
    Tree tree;
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
    EXPECT_EQ(ftdi.interfaceNumber, "00");
    EXPECT_EQ(ftdi.usbInterface, "1-2:1.0");
    EXPECT_EQ(ftdi.portNumber, "0");
    EXPECT_EQ(ftdi.byIdPath, tree.roots.dev + "/serial/by-id/usb-FTDI_TTL232R_FT1ABCDE-if00-port0");
    EXPECT_EQ(ftdi.byPathPath,
              tree.roots.dev + "/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0");

    const SerialPortInfo& acm = ports[0];
    EXPECT_EQ(acm.driver, "cdc_acm");
    EXPECT_EQ(acm.Description(), "Uno R3") << "no interface string: the product";
    EXPECT_TRUE(acm.portNumber.empty());
    EXPECT_TRUE(acm.byPathPath.empty());
    EXPECT_TRUE(acm.byIdPath.empty());

    const SerialPortInfo& uart = ports[1];
    EXPECT_FALSE(uart.isUsb);
    EXPECT_EQ(uart.driver, "serial") << "the generic serial-port bus driver is passed over";
    EXPECT_EQ(uart.Description(), "serial");
}

TEST(SerialPortEnumeratorTest, UsbOnlyAndSinglePorts) {
    Tree tree;
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
