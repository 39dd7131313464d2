#include "ports/CDcb.h"
#include "ports/CPortNameHistory.h"
#include "ports/PortSettings.h"
#include "ports/PortsTest.h"

namespace kq::ports::test {
namespace {

using Usb = kq::test::FakeDeviceTree::Usb;

std::vector<std::string> Texts(bool usbOnly) {
    std::vector<std::string> texts;
    for (const PortEntry& entry : ListPorts(usbOnly)) {
        texts.push_back(entry.DisplayText().Str());
    }
    return texts;
}

Usb Adapter(const char* port, const char* serial, const char* interfaceText = "") {
    Usb usb;
    usb.port = port;
    usb.serial = serial;
    usb.interfaceText = interfaceText;
    return usb;
}

TEST_F(PortsTest, ComNamesLastAcrossRestartsAndReplugging) {
    tree_.AddUsbSerial("ttyUSB0", Adapter("1-2", "A1", "Tarvik USB sensor interface port"),
                       "usb-FTDI_TTL232R_A1-if00-port0");
    tree_.AddUart("ttyS0", "4");
    EXPECT_EQ(Texts(false),
              (std::vector<std::string>{"COM1 serial", "COM2 Tarvik USB sensor interface port"}))
        << "first seen in name order: ttyS0, ttyUSB0";
    EXPECT_EQ(Texts(true), (std::vector<std::string>{"COM2 Tarvik USB sensor interface port"}));

    Restart();
    tree_.RemoveTty("ttyUSB0");
    tree_.AddUsbSerial("ttyUSB0", Adapter("1-3", "B2", "Tarvik USB sensor interface port"),
                       "usb-FTDI_TTL232R_B2-if00-port0");
    tree_.AddUsbSerial("ttyUSB1", Adapter("1-2", "A1", "Tarvik USB sensor interface port"),
                       "usb-FTDI_TTL232R_A1-if00-port0");
    const auto ports = ListPorts(true);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].comName, "COM2");
    EXPECT_EQ(ports[0].target, tree_.roots.dev + "/ttyUSB1") << "A1 keeps COM2 on its new node";
    EXPECT_EQ(ports[1].comName, "COM3");
    EXPECT_EQ(ports[1].identity, "usb:0403:6001:B2:if00:port0");

    // The removed device is still found by its last node, the new owner of a node wins it.
    EXPECT_EQ(ComNameOfDevice("ttyUSB0"), CString("COM3"));
    tree_.RemoveTty("ttyUSB1");
    EXPECT_EQ(ComNameOfDevice("ttyUSB1"), CString("COM2"));
    EXPECT_FALSE(ComNameOfDevice("ttyUSB7"));
}

TEST_F(PortsTest, AdaptersWithoutSerialNumberAreKnownByTheirSocket) {
    tree_.AddUsbSerial("ttyUSB0", Adapter("1-2", ""), "");
    tree_.AddAcm("ttyACM0", Adapter("1-3.4", ""));
    tree_.AddUart("ttyS0", "4");
    const auto ports = ListPorts(false);
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].identity, "usb-path:0403:6001:1-3.4:1.0:if00");
    EXPECT_EQ(ports[1].identity, "path:" + tree_.roots.dev + "/ttyS0");
    EXPECT_EQ(ports[2].identity, "usb-path:0403:6001:1-2:1.0:if00:port0");
    EXPECT_EQ(ports[2].description, "TTL232R") << "no interface string: the product";
}

TEST_F(PortsTest, NewNamesTakeTheFirstFreeNumber) {
    CPortNameHistory history;
    WriteSettingString("Ports\\COM1", "Device", "by-id:old");
    WriteSettingString("Ports\\COM3", "Device", "by-id:older");
    WriteSettingString("Ports\\Junk", "Device", "by-id:ignored");
    // Another spelling of a number the program never writes: two devices could get one name.
    WriteSettingString("Ports\\COM03", "Device", "by-id:other spelling");
    WriteSettingString("Ports\\COM002", "Device", "by-id:other spelling");
    EXPECT_EQ(history.AssignComName("by-id:new", "/dev/ttyUSB0"), "COM2");
    EXPECT_EQ(history.AssignComName("by-id:newer", "/dev/ttyUSB1"), "COM4");
    EXPECT_EQ(history.AssignComName("by-id:new", "/dev/ttyUSB5"), "COM2");
    EXPECT_EQ(history.FindComNameByPath("/dev/ttyUSB5"), CString("COM2"));
    EXPECT_FALSE(history.FindComNameByPath("/dev/ttyUSB0"));
    EXPECT_EQ(history.FindComName("by-id:older"), CString("COM3"));
    EXPECT_FALSE(history.FindComName("by-id:other spelling"));
    EXPECT_EQ(history.AssignComName("by-id:other spelling", ""), "COM5");
}

TEST_F(PortsTest, ADeviceNamedByTwoSectionsKeepsTheFirstForEveryLookup) {
    // A hand-edited file names one device twice; the later section holds its node.
    WriteSettingString("Ports\\COM2", "Device", "by-id:twice");
    WriteSettingString("Ports\\COM5", "Device", "by-id:twice");
    WriteSettingString("Ports\\COM5", "Path", "/dev/ttyUSB3");
    CPortNameHistory history;
    EXPECT_EQ(history.FindComName("by-id:twice"), CString("COM2"));
    EXPECT_EQ(history.AssignComName("by-id:twice", "/dev/ttyUSB3"), "COM2");
    EXPECT_EQ(history.FindComNameByPath("/dev/ttyUSB3"), CString("COM2"))
        << "the other section gave up the node";
}

TEST_F(PortsTest, PortsAreNamedForTheRunWhenTheSettingsCannotBeWritten) {
    // A settings "file" that cannot be read: the store keeps no change.
    std::filesystem::create_directories(settingsDir_ + "/unreadable.reg");
    SetRegistryFilePath(settingsDir_ + "/unreadable.reg");
    tree_.AddUsbSerial("ttyUSB0", Adapter("1-2", "C3", "Tarvik USB sensor interface port"),
                       "usb-FTDI_TTL232R_C3-if00-port0");
    tree_.AddUart("ttyS0", "4");
    const std::vector<std::string> first = Texts(false);
    EXPECT_EQ(first,
              (std::vector<std::string>{"COM1 serial", "COM2 Tarvik USB sensor interface port"}));
    EXPECT_EQ(Texts(false), first) << "the names hold for the run";
    EXPECT_EQ(ComNameOfDevice("ttyUSB0"), CString("COM2"));
}

TEST(ComNumberTest, ReadsComNamesOnly) {
    EXPECT_EQ(ComNumber("COM1"), 1);
    EXPECT_EQ(ComNumber(" com12 "), 12);
    EXPECT_EQ(ComNumber("\\\\.\\COM7"), 7);
    for (const char* bad : {"", "COM", "COM0", "COMX", "COM1a", "LPT1", "COM99999999"}) {
        EXPECT_EQ(ComNumber(bad), 0) << bad;
    }
}

TEST(ExtraPortsTest, ParsesTheDeclarationText) {
    std::string errors;
    const auto ports = ParseExtraPorts(
        "path=/dev/pts/5;desc=Tarvik USB sensor interface port, "
        "tcp=127.0.0.1:10001;desc=Lantronix CPR Port\\, NX-ETH ,,"
        "path=/tmp/a\\;b",
        &errors);
    ASSERT_EQ(ports.size(), 3u) << errors;
    EXPECT_EQ(ports[0].kind, ExtraPort::Kind::Path);
    EXPECT_EQ(ports[0].target, "/dev/pts/5");
    EXPECT_EQ(ports[0].description, "Tarvik USB sensor interface port");
    EXPECT_EQ(ports[1].kind, ExtraPort::Kind::Tcp);
    EXPECT_EQ(ports[1].Identity(), "tcp:127.0.0.1:10001");
    EXPECT_EQ(ports[1].description, "Lantronix CPR Port, NX-ETH");
    EXPECT_EQ(ports[2].target, "/tmp/a;b");
    EXPECT_EQ(ports[2].description, "/tmp/a;b");
    EXPECT_TRUE(errors.empty());

    for (const char* bad : {"path=relative", "tcp=host", "tcp=host:0", "desc=only",
                            "path=/a;tcp=b:1", "path=/a;speed=9600", "path"}) {
        errors.clear();
        EXPECT_TRUE(ParseExtraPorts(bad, &errors).empty()) << bad;
        EXPECT_FALSE(errors.empty()) << bad;
    }
}

TEST_F(PortsTest, ExtraPortsComeFromTheSettingsAndTheEnvironment) {
    WriteSettingString("VirtualPorts\\Simulator", "Path", "/dev/pts/42");
    WriteSettingString("VirtualPorts\\Simulator", "Description",
                       "Tarvik USB sensor interface port");
    WriteSettingString("VirtualPorts\\Xpico", "Tcp", "192.168.1.20:10001");
    WriteSettingString("VirtualPorts\\Broken", "Tcp", "no port");
    DeclareExtraPorts("path=/dev/pts/42;desc=ignored twice,tcp=[::1]:2101");
    tree_.AddUart("ttyS0", "4");
    EXPECT_EQ(Texts(true), (std::vector<std::string>{"COM1 Tarvik USB sensor interface port",
                                                     "COM2 192.168.1.20:10001", "COM3 [::1]:2101"}))
        << "declared ports are listed even when only USB ports are asked for";
    EXPECT_EQ(Texts(false).back(), "COM4 serial");
}

TEST(ExtraPortsTest, ATcpPortNamesItsSetupPort) {
    std::string errors;
    const auto ports =
        ParseExtraPorts("tcp=127.0.0.1:10001, tcp=127.0.0.1:10002;setup=30718", &errors);
    ASSERT_EQ(ports.size(), 2u) << errors;
    EXPECT_EQ(ports[0].setupPort, kDefaultSetupPort);
    EXPECT_EQ(ports[1].setupPort, 30718);
    for (const char* bad : {"tcp=h:1;setup=0", "tcp=h:1;setup=65536", "tcp=h:1;setup=x",
                            "tcp=h:1;setup=", "path=/dev/pts/1;setup=2000"}) {
        errors.clear();
        EXPECT_TRUE(ParseExtraPorts(bad, &errors).empty()) << bad;
        EXPECT_FALSE(errors.empty()) << bad;
    }
}

TEST_F(PortsTest, TheSetupPortReachesThePortEntry) {
    WriteSettingString("VirtualPorts\\Xpico", "Tcp", "127.0.0.2:10001");
    WriteSettingString("VirtualPorts\\Xpico", "SetupPort", "2000");
    WriteSettingString("VirtualPorts\\Bad", "Tcp", "127.0.0.3:10001");
    WriteSettingString("VirtualPorts\\Bad", "SetupPort", "65536");
    DeclareExtraPorts("tcp=127.0.0.4:10001;setup=3000,path=/dev/pts/42");
    const auto ports = ListPorts(false);
    ASSERT_EQ(ports.size(), 3u) << "the port with a bad setup port is left out";
    EXPECT_EQ(ports[0].setupPort, 2000);
    EXPECT_EQ(ports[1].setupPort, 3000);
    EXPECT_EQ(ports[2].kind, PortEntry::Kind::Path);
    EXPECT_EQ(ports[2].setupPort, 0);
}

TEST(CDcbTest, StateTextsFollowTheStateAndTheSettings) {
    CDcb dcb("COM3", 230400);
    EXPECT_EQ(dcb.GetStateText(), "OffLine");
    dcb.m_dwState = PORTMAN_STATE_OPEN;
    EXPECT_EQ(dcb.GetStateText(), "COM3");
    dcb.Parity = EVENPARITY;
    EXPECT_EQ(dcb.GetStateText(), "Bad Config");
    dcb.Parity = NOPARITY;
    dcb.BaudRate = 250000;
    EXPECT_EQ(dcb.GetStateText(), "Bad Config");
    dcb.m_dwState = PORTMAN_STATE_LENT;
    EXPECT_EQ(dcb.GetStateText(), "Granted");
    dcb.m_dwState = PORTMAN_STATE_REMOVED;
    EXPECT_EQ(dcb.GetStateText(), "OffLine");
}

}  // namespace
}  // namespace kq::ports::test
