#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "ports/CPortManGui.h"
#include "ports/PortsTest.h"
#include "tools/testsupport/PseudoTerminal.h"

namespace kq::ports::test {
namespace {

// A USB adapter whose node is a pseudo-terminal, plugged and unplugged with kernel events.
class DeviceChangeTest : public PortsTest {
  protected:
    void SetUp() override {
        PortsTest::SetUp();
        ASSERT_TRUE(pty_.Open());
        usb_.interfaceText = "Tarvik USB sensor interface port";
        Plug("ttyUSB0");
    }
    void Plug(const std::string& name) {
        tree_.AddUsbSerial(name, usb_, "usb-FTDI_TTL232R_FT1ABCDE-if00-port0", pty_.SlavePath());
    }
    static Uevent TtyEvent(const char* action, const std::string& name) {
        Uevent event;
        event.action = action;
        event.devpath =
            "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/" + name + "/tty/" + name;
        event.subsystem = "tty";
        event.devname = name;
        return event;
    }
    void Unplug(const std::string& name) {
        tree_.RemoveTty(name);
        ASSERT_TRUE(events_.Send(TtyEvent("remove", name)));
    }
    void Replug(const std::string& name) {
        Plug(name);
        ASSERT_TRUE(events_.Send(TtyEvent("add", name)));
    }

    PseudoTerminal pty_;
    kq::test::FakeDeviceTree::Usb usb_;
};

TEST_F(DeviceChangeTest, TheOwnerHearsOfRemovalAndArrivalAndTheManagerFollows) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    forwardTo_ = &manager;
    CStringArray ports;
    ASSERT_EQ(CPortMan::EnumPorts(ports, TRUE), 1);
    EXPECT_EQ(ports[0], "COM1 Tarvik USB sensor interface port");
    ASSERT_TRUE(manager.OpenPort("COM1", 115200)) << manager.GetLastError();

    Unplug("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return deviceChanges_.size() >= 2; }));
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEREMOVECOMPLETE, "COM1"},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_REMOVED);

    // Back on another node: same adapter, same name, and the manager reopens it.
    deviceChanges_.clear();
    Replug("ttyUSB1");
    ASSERT_TRUE(PumpUntil([&] { return deviceChanges_.size() >= 2; }));
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEARRIVAL, "COM1"},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_OPEN);
    ASSERT_TRUE(PumpUntil([&] { return portEvents_.size() >= 2; }));
    EXPECT_EQ(portEvents_, (std::vector<WPARAM>{PORTEVENT_REMOVED, PORTEVENT_REOPENED}));
    ASSERT_TRUE(pty_.WriteAll(std::string("back")));
    ASSERT_TRUE(PumpUntil([&] { return received_ == "back"; }));
}

TEST_F(DeviceChangeTest, AManagerFollowingDevicesNeedsNoHelpFromTheOwner) {
    CPortManGui manager(owner_, 2200, 2000, FALSE, TRUE);
    ASSERT_TRUE(manager.OpenPort("COM1", 230400));
    Unplug("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return manager.GetState() == PORTMAN_STATE_REMOVED; }));
    Replug("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return manager.GetState() == PORTMAN_STATE_OPEN; }));
    EXPECT_EQ(pty_.LineBaudRate(), 230400) << "reopened with its settings";
    EXPECT_TRUE(deviceChanges_.empty()) << "this owner did not ask for device changes";
}

TEST_F(DeviceChangeTest, ARemovalIsToldOnceAndOnlyPortsCount) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    // The line hangs up and the kernel reports the removal as well.
    pty_.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return manager.GetState() == PORTMAN_STATE_REMOVED; }));
    Unplug("ttyUSB0");
    Uevent other = TtyEvent("add", "ttyS7");  // no such serial port
    ASSERT_TRUE(events_.Send(other));
    Uevent usb = TtyEvent("add", "1-4");
    usb.subsystem = "usb";
    ASSERT_TRUE(events_.Send(usb));
    Pump();  // the events are queued already
    Pump();
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEREMOVECOMPLETE, "COM1"},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
}

TEST_F(DeviceChangeTest, ADeclaredPathThatGoesAndComesBackIsToldLikeAnAdapter) {
    char folder[] = "/tmp/kq-declared-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string link = std::string(folder) + "/ttyKQ0";
    ASSERT_EQ(symlink(pty_.SlavePath().c_str(), link.c_str()), 0);
    DeclareExtraPorts("path=" + link + ";desc=Tarvik USB sensor interface port");
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    CStringArray ports;
    ASSERT_EQ(CPortMan::EnumPorts(ports, FALSE), 2);
    const std::string name = ports[1].Left(ports[1].Find(' ')).GetString();

    unlink(link.c_str());
    ASSERT_TRUE(PumpUntil([&] { return deviceChanges_.size() >= 2; }));
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEREMOVECOMPLETE, name},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
    deviceChanges_.clear();
    ASSERT_EQ(symlink(pty_.SlavePath().c_str(), link.c_str()), 0);
    ASSERT_TRUE(PumpUntil([&] { return deviceChanges_.size() >= 2; }));
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEARRIVAL, name},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
    unlink(link.c_str());
    rmdir(folder);
}

TEST_F(DeviceChangeTest, OnDeviceChangeLooksOnlyAtItsOwnPortAndReadsDataSafely) {
    CPortManGui manager(owner_, 2200, 2000, FALSE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    struct {
        DEV_BROADCAST_PORT port;
        char rest[8];
    } broadcast{};
    broadcast.port.dbcp_size = sizeof broadcast;
    broadcast.port.dbcp_devicetype = DBT_DEVTYP_PORT;
    const auto data = reinterpret_cast<DWORD_PTR>(&broadcast);

    strcpy(broadcast.port.dbcp_name, "COM12");
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, data)) << "another port";
    strcpy(broadcast.port.dbcp_name, "COM1");
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVNODES_CHANGED, data));
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0xFFFFFFFFu));
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0));
    broadcast.port.dbcp_devicetype = DBT_DEVTYP_VOLUME;
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, data));
    broadcast.port.dbcp_devicetype = DBT_DEVTYP_PORT;
    memset(broadcast.port.dbcp_name, 'C', sizeof broadcast.rest + 1);
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, data)) << "no end in sight";
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_OPEN);

    strcpy(broadcast.port.dbcp_name, "COM1");
    EXPECT_TRUE(manager.OnDeviceChange(DBT_DEVICEREMOVEPENDING, data));
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_REMOVED);
    ASSERT_TRUE(manager.ClosePort(FALSE));
    EXPECT_FALSE(manager.OnDeviceChange(DBT_DEVICEARRIVAL, data))
        << "closed on request stays closed";
}

}  // namespace
}  // namespace kq::ports::test
