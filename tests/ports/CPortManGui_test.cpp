#include "ports/CPortManGui.h"

#include <unistd.h>

#include <thread>

#include "io/ChannelTestUtil.h"
#include "io/LoopbackListener.h"
#include "ports/PortErrors.h"
#include "ports/PortsTest.h"
#include "tools/testsupport/PseudoTerminal.h"

namespace kq::ports::test {
namespace {

class CPortManGuiTest : public PortsTest {
  protected:
    void SetUp() override {
        PortsTest::SetUp();
        ASSERT_TRUE(pty_.Open());
        // Declared through a link in the test's own folder: a declared path's folder is watched
        // for the path going and coming, and /dev/pts itself sees the terminals of every other
        // process (one of them may take this terminal's number as soon as it is closed).
        const std::string link = settingsDir_ + "/ttyKQ0";
        ASSERT_EQ(symlink(pty_.SlavePath().c_str(), link.c_str()), 0);
        DeclareExtraPorts("path=" + link + ";desc=Tarvik USB sensor interface port");
    }
    CPortManGui Manager() { return CPortManGui(owner_, 2200, dataMessage_, TRUE, FALSE); }

    PseudoTerminal pty_;
};

TEST_F(CPortManGuiTest, ListsTheDeclaredPortAsComNameAndDescription) {
    CStringArray ports;
    ASSERT_EQ(CPortMan::EnumPorts(ports, TRUE), 1);
    EXPECT_EQ(ports[0], "COM1 Tarvik USB sensor interface port");
}

TEST_F(CPortManGuiTest, OpensAtTheSensorRatesAndTheDeviceSeesThem) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_CLOSED);
    EXPECT_EQ(manager.GetStateText(), "OffLine");
    ASSERT_TRUE(manager.OpenPort("COM1", 115200)) << manager.GetLastError();
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_OPEN);
    EXPECT_EQ(manager.GetStateText(), "COM1");
    EXPECT_EQ(manager.GetPortDescription(), "Tarvik USB sensor interface port");
    EXPECT_EQ(pty_.LineBaudRate(), 115200);
    ASSERT_TRUE(manager.SetBaudRate(230400));
    EXPECT_EQ(pty_.LineBaudRate(), 230400);
    EXPECT_EQ(manager.GetDcb().BaudRate, 230400u);
    EXPECT_FALSE(manager.SetBaudRate(12345));
    EXPECT_EQ(manager.GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(pty_.LineBaudRate(), 230400);
    ASSERT_TRUE(manager.OpenPort("com1", 230400)) << "names are not case-sensitive";
    EXPECT_EQ(manager.GetPortName(), "COM1");
}

TEST_F(CPortManGuiTest, ReceivedBytesReachTheOwnerByteExactInOrder) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 230400));
    const std::string frame("\x02\x00\xff\x10\x00\x03", 6);
    ASSERT_TRUE(pty_.WriteAll(frame));
    ASSERT_TRUE(PumpUntil([&] { return received_.size() >= frame.size(); }));
    EXPECT_EQ(received_, frame);

    received_.clear();
    const std::string burst = kq::test::Pattern(48 * 1024, 9);
    std::thread device([&] { pty_.WriteAll(burst); });
    const bool all = PumpUntil([&] { return received_.size() >= burst.size(); });
    device.join();
    ASSERT_TRUE(all);
    EXPECT_TRUE(received_ == burst);
    for (WPARAM size : chunkSizes_) {
        EXPECT_LE(size, CPortMan::kReadChunk);
    }
}

TEST_F(CPortManGuiTest, ALineSpeakingUnaskedGathersUntilAWriteAndLosesNothing) {
    // Gathering long enough never to end by itself within the test.
    CPortMan::SetStreamGathering(3600 * 1000);
    struct Off {
        ~Off() { CPortMan::SetStreamGathering(0); }
    } off;
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 230400));
    // The first bytes answer the opening; the next come unasked: from then on the line gathers.
    ASSERT_TRUE(pty_.WriteAll("a"));
    ASSERT_TRUE(PumpUntil([&] { return received_ == "a"; }));
    ASSERT_TRUE(pty_.WriteAll("b"));
    ASSERT_TRUE(PumpUntil([&] { return received_ == "ab"; }));
    ASSERT_TRUE(pty_.WriteAll("c"));
    ASSERT_TRUE(pty_.WriteAll("d"));
    for (int round = 0; round < 10; ++round) {
        ui::WaitForWork(20);
        Pump();
    }
    EXPECT_EQ(received_, "ab") << "the line gathers";
    // A request ends the gathering: what gathered, and the answer, are read at once.
    ASSERT_TRUE(manager.Write("?", 1));
    std::string atDevice;
    ASSERT_TRUE(pty_.ReadExactly(atDevice, 1));
    ASSERT_TRUE(pty_.WriteAll("!"));
    ASSERT_TRUE(PumpUntil([&] { return received_.size() >= 5; })) << received_;
    EXPECT_EQ(received_, "abcd!");
}

TEST_F(CPortManGuiTest, WritesReachTheDeviceIncludingWhatTheLineCouldNotTakeAtOnce) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    EXPECT_FALSE(manager.Write("x", 1)) << "nothing open";
    EXPECT_EQ(manager.GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    const std::string request("\x10\x02\x00\x41\x10\x03", 6);
    ASSERT_TRUE(manager.Write(request.data(), static_cast<DWORD>(request.size())));
    std::string atDevice;
    ASSERT_TRUE(pty_.ReadExactly(atDevice, request.size()));
    EXPECT_EQ(atDevice, request);

    // More than a pseudo-terminal holds: the rest goes out as the device reads.
    const std::string big = kq::test::Pattern(300 * 1024, 4);
    ASSERT_TRUE(manager.Write(big.data(), static_cast<DWORD>(big.size())));
    atDevice.clear();
    ASSERT_TRUE(PumpUntil([&] {
        pty_.ReadAvailable(atDevice);
        return atDevice.size() >= big.size();
    }));
    EXPECT_TRUE(atDevice == big);
}

TEST_F(CPortManGuiTest, ClosesOnRequestAndReopens) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    ASSERT_TRUE(manager.ClosePort(FALSE));
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_CLOSED);
    EXPECT_EQ(manager.GetStateText(), "OffLine");
    ASSERT_TRUE(pty_.WriteAll(std::string("late")));
    Pump();
    EXPECT_TRUE(received_.empty()) << "a closed port delivers nothing";
    ASSERT_TRUE(manager.OpenPort("COM1", 115200)) << manager.GetLastError();
    ASSERT_TRUE(pty_.WriteAll(std::string("again")));
    ASSERT_TRUE(PumpUntil([&] { return received_ == "again"; })) << received_;
    EXPECT_TRUE(portEvents_.empty());
    EXPECT_TRUE(deviceChanges_.empty());
}

TEST_F(CPortManGuiTest, APortOpenElsewhereIsRefused) {
    CPortManGui first(owner_, 2200, 2000, TRUE, FALSE);
    CPortManGui second(owner_, 2200, 2101, FALSE, FALSE);
    ASSERT_TRUE(first.OpenPort("COM1", 115200));
    EXPECT_FALSE(second.OpenPort("COM1", 115200));
    EXPECT_EQ(second.GetState(), PORTMAN_STATE_CLOSED);
    EXPECT_EQ(second.GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(second.GetLastErrorStringId(), IDS_PORT_IN_USE);
    EXPECT_FALSE(second.OpenPort("COM9", 115200));
    EXPECT_EQ(second.GetLastErrorStringId(), IDS_PORT_NOT_FOUND);
    EXPECT_FALSE(second.OpenPort("COM1", 115201));
    EXPECT_EQ(second.GetLastErrorStringId(), IDS_PORT_BAD_SETTINGS);
}

TEST_F(CPortManGuiTest, AHangUpIsARemovalToldOnce) {
    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    pty_.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return deviceChanges_.size() >= 2; }));
    Pump();
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_REMOVED);
    EXPECT_EQ(manager.GetStateText(), "OffLine");
    EXPECT_EQ(manager.GetLastErrorStringId(), IDS_PORT_REMOVED);
    EXPECT_EQ(portEvents_, std::vector<WPARAM>{PORTEVENT_REMOVED});
    EXPECT_EQ(deviceChanges_, (std::vector<DeviceChangeSeen>{{DBT_DEVICEREMOVECOMPLETE, "COM1"},
                                                             {DBT_DEVNODES_CHANGED, ""}}));
    EXPECT_FALSE(manager.Write("x", 1));
    EXPECT_EQ(manager.GetLastError(), static_cast<DWORD>(ERROR_DEV_NOT_EXIST));
    ASSERT_TRUE(manager.ClosePort(FALSE));
    EXPECT_EQ(manager.GetState(), PORTMAN_STATE_CLOSED);
}

TEST_F(CPortManGuiTest, PerPortManagersUseTheirOwnDataMessage) {
    dataMessage_ = 2103;
    CPortManGui manager(owner_, 2200, 2103, FALSE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200));
    ASSERT_TRUE(pty_.WriteAll(std::string("port 2")));
    ASSERT_TRUE(PumpUntil([&] { return received_ == "port 2"; }));
    EXPECT_EQ(Count(owner_, 2000), 0);
}

TEST_F(CPortManGuiTest, TheOwnerMayDeleteTheManagerWhileHandlingData) {
    auto* manager = new CPortManGui(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager->OpenPort("COM1", 115200));
    onData_ = [&] {
        delete manager;
        manager = nullptr;
    };
    ASSERT_TRUE(pty_.WriteAll(std::string(3 * CPortMan::kReadChunk, 'z')));
    ASSERT_TRUE(PumpUntil([&] { return manager == nullptr; }));
    Pump();
    EXPECT_EQ(chunkSizes_.size(), 1u);
}

TEST_F(PortsTest, ATcpEndpointIsServedLikeASerialLine) {
    kq::test::LoopbackListener server;
    DeclareExtraPorts("tcp=" + server.Endpoint() + ";desc=Lantronix CPR Port (NX-ETH)");
    CStringArray ports;
    ASSERT_EQ(CPortMan::EnumPorts(ports, FALSE), 1);
    EXPECT_EQ(ports[0], "COM1 Lantronix CPR Port (NX-ETH)");

    CPortManGui manager(owner_, 2200, 2000, TRUE, FALSE);
    ASSERT_TRUE(manager.OpenPort("COM1", 115200)) << manager.GetLastError();
    ASSERT_TRUE(server.Accept());
    ASSERT_TRUE(manager.Write("\x00\x01request", 9));
    std::string atServer;
    ASSERT_TRUE(server.ReceiveExactly(atServer, 9));
    EXPECT_EQ(atServer, std::string("\x00\x01request", 9));
    ASSERT_TRUE(server.SendAll(std::string("\x00reply", 6)));
    ASSERT_TRUE(PumpUntil([&] { return received_.size() >= 6; }));
    EXPECT_EQ(received_, std::string("\x00reply", 6));

    server.CloseConnection();
    ASSERT_TRUE(PumpUntil([&] { return manager.GetState() == PORTMAN_STATE_REMOVED; }));
    ASSERT_TRUE(PumpUntil([&] { return !deviceChanges_.empty(); }));
    EXPECT_EQ(deviceChanges_.front(), (DeviceChangeSeen{DBT_DEVICEREMOVECOMPLETE, "COM1"}));
}

}  // namespace
}  // namespace kq::ports::test
