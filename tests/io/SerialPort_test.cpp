#include "platform/io/SerialPort.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>

#include <unistd.h>
#include <thread>

#include "io/ChannelTestUtil.h"
#include "tools/testsupport/PseudoTerminal.h"

namespace kq {
namespace {

using test::Pattern;
using test::ReadChannel;

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty_.Open()); }
    PseudoTerminal pty_;
    SerialPort port_;
};

TEST_F(SerialPortTest, OpensAtEitherSensorRateAndThePeerSeesIt) {
    for (int rate : {115200, 230400}) {
        ASSERT_TRUE(port_.Open(pty_.SlavePath(), rate)) << rate << " errno " << port_.LastError();
        EXPECT_EQ(pty_.LineBaudRate(), rate);
        EXPECT_EQ(port_.BaudRate(), rate);
        port_.Close();
    }
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    ASSERT_TRUE(port_.SetBaudRate(230400));
    EXPECT_EQ(pty_.LineBaudRate(), 230400);
}

TEST_F(SerialPortTest, LineIsRaw8N1) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    termios tio{};
    ASSERT_EQ(tcgetattr(pty_.MasterFd(), &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_NE(tio.c_cflag & CREAD, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
}

TEST_F(SerialPortTest, CarriesEveryByteValueAndBurstsBothWays) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 230400));
    char idle[8];
    EXPECT_EQ(port_.Read(idle, sizeof idle).status, IoStatus::WouldBlock)
        << "an idle line must not look hung up";
    // Control characters (CR, XON/XOFF, ^C, 0x00) must arrive untouched.
    const std::string control("\x00\r\n\x11\x13\x03\x04\x7f\xff", 9);
    ASSERT_EQ(port_.Send(control.data(), control.size()).status, IoStatus::Done);
    std::string atPeer;
    ASSERT_TRUE(pty_.ReadExactly(atPeer, control.size()));
    EXPECT_EQ(atPeer, control);

    // More than the line buffers: the peer writes while the port reads.
    const std::string burst = Pattern(64 * 1024, 3);
    bool written = false;
    std::thread peer([&] { written = pty_.WriteAll(burst); });
    std::string atPort;
    EXPECT_EQ(ReadChannel(port_, atPort, burst.size()), IoStatus::Done);
    peer.join();
    EXPECT_TRUE(written);
    EXPECT_TRUE(atPort == burst);
}

TEST_F(SerialPortTest, QueuesWhatTheLineCannotTakeAndFlushesLater) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 230400));
    const std::string big = Pattern(512 * 1024, 5);
    ASSERT_EQ(port_.Send(big.data(), big.size()).status, IoStatus::Done);
    ASSERT_GT(port_.PendingOutput(), 0u) << "the pty should not hold 512 KiB";
    std::string atPeer;
    while (atPeer.size() < big.size()) {
        ASSERT_NE(port_.FlushOutput().status, IoStatus::Failed);
        pty_.ReadAvailable(atPeer);
    }
    EXPECT_EQ(port_.PendingOutput(), 0u);
    EXPECT_TRUE(atPeer == big);
}

TEST_F(SerialPortTest, RefusesToQueueWithoutLimit) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    const std::string chunk = Pattern(256 * 1024);
    IoResult result;
    for (int i = 0; i < 8 && result.status == IoStatus::Done; ++i) {
        result = port_.Send(chunk.data(), chunk.size());
    }
    EXPECT_EQ(result.status, IoStatus::Failed);
    EXPECT_EQ(result.error, ENOBUFS);
    EXPECT_LE(port_.PendingOutput(), ByteChannel::kMaxPendingOutput);
}

TEST_F(SerialPortTest, ClosesAndReopens) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    port_.Close();
    EXPECT_FALSE(port_.IsOpen());
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200)) << "errno " << port_.LastError();
    ASSERT_TRUE(pty_.WriteAll(std::string("ok")));
    std::string got;
    ASSERT_EQ(ReadChannel(port_, got, 2), IoStatus::Done);
    EXPECT_EQ(got, "ok");
}

TEST_F(SerialPortTest, SecondOpenerIsRefusedAsBusy) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    SerialPort second;
    EXPECT_FALSE(second.Open(pty_.SlavePath(), 115200));
    EXPECT_EQ(second.LastError(), EBUSY);
    port_.Close();
    EXPECT_TRUE(second.Open(pty_.SlavePath(), 115200)) << "errno " << second.LastError();
}

TEST_F(SerialPortTest, PeerGoingAwayIsAHangUp) {
    ASSERT_TRUE(port_.Open(pty_.SlavePath(), 115200));
    ASSERT_TRUE(pty_.WriteAll(std::string("last")));
    std::string got;
    ASSERT_EQ(ReadChannel(port_, got, 4), IoStatus::Done);
    pty_.CloseMaster();
    EXPECT_EQ(test::ReadUntilEnd(port_), IoStatus::HungUp);
    const char byte = 1;
    const IoStatus sent = port_.Send(&byte, 1).status;
    EXPECT_TRUE(sent == IoStatus::HungUp || sent == IoStatus::Failed);
}

TEST(SerialPortOpenTest, ReportsWhyAnOpenFails) {
    SerialPort port;
    EXPECT_FALSE(port.Open("/dev/does-not-exist-kq", 115200));
    EXPECT_EQ(port.LastError(), ENOENT);

    char file[] = "/tmp/kq-not-a-tty-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(port.Open(file, 115200));
    EXPECT_EQ(port.LastError(), ENOTTY);
    close(fd);
    unlink(file);

    PseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    EXPECT_FALSE(port.Open(pty.SlavePath(), 123456));
    EXPECT_EQ(port.LastError(), EINVAL);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace kq
