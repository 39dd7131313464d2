#include "platform/io/Uevent.h"

#include <gtest/gtest.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/io/UeventMonitor.h"
#include "tools/testsupport/UeventFeed.h"

namespace kq {
namespace {

std::string Sample(const char* name) {
    std::ifstream in(std::string(KQ_UEVENT_SAMPLES) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<Uevent> ParseSample(const char* name) {
    const std::string bytes = Sample(name);
    EXPECT_FALSE(bytes.empty()) << name;
    return ParseUevent(bytes.data(), bytes.size());
}

TEST(UeventParseTest, ReadsKernelDatagramsOfTerminals) {
    // Taken from this kernel (synthetic events on ttyS0).
    const auto removed = ParseSample("captured_tty_remove_ttyS0");
    ASSERT_TRUE(removed);
    EXPECT_TRUE(removed->IsTtyRemoval());
    EXPECT_EQ(removed->devpath, "/devices/pnp0/00:00/00:00:0/00:00:0.0/tty/ttyS0");
    EXPECT_EQ(removed->DeviceNode(), "/dev/ttyS0");
    EXPECT_EQ(removed->seqnum, 853u);
    EXPECT_EQ(removed->fields.at("MAJOR"), "4");
    const auto added = ParseSample("captured_tty_add_ttyS0");
    ASSERT_TRUE(added);
    EXPECT_TRUE(added->IsTtyArrival());
    const auto changed = ParseSample("captured_tty_change_ttyS0");
    ASSERT_TRUE(changed);
    EXPECT_FALSE(changed->IsTtyArrival() || changed->IsTtyRemoval());

    const auto usb = ParseSample("tty_add_ttyUSB0");
    ASSERT_TRUE(usb);
    EXPECT_TRUE(usb->IsTtyArrival());
    EXPECT_EQ(usb->DeviceNode(), "/dev/ttyUSB0");
    EXPECT_TRUE(ParseSample("tty_remove_ttyUSB0")->IsTtyRemoval());
    EXPECT_EQ(ParseSample("tty_add_ttyACM0")->devname, "ttyACM0");
}

TEST(UeventParseTest, OtherSubsystemsAreNoPortEvents) {
    const auto device = ParseSample("usb_device_add");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->subsystem, "usb");
    EXPECT_EQ(device->DeviceNode(), "/dev/bus/usb/001/005");
    EXPECT_FALSE(device->IsTtyArrival());
    const auto bind = ParseSample("usb_interface_bind");
    ASSERT_TRUE(bind);
    EXPECT_EQ(bind->action, "bind");
    EXPECT_EQ(bind->fields.at("DRIVER"), "ftdi_sio");
    EXPECT_TRUE(bind->DeviceNode().empty());
}

TEST(UeventParseTest, RejectsWhatTheKernelWouldNotSend) {
    EXPECT_FALSE(ParseSample("udev_rebroadcast"));
    EXPECT_FALSE(ParseSample("devname_escapes_dev"));
    EXPECT_FALSE(ParseSample("action_contradicts_header"));
    const auto parse = [](const std::string& s) { return ParseUevent(s.data(), s.size()); };
    using namespace std::string_literals;
    EXPECT_FALSE(parse(""s));
    EXPECT_FALSE(parse("add"s));
    EXPECT_FALSE(parse("@/devices/x\0"s));
    EXPECT_FALSE(parse("add@\0"s));
    EXPECT_FALSE(parse("add@/d\0NOEQUALS\0"s));
    EXPECT_FALSE(parse("add@/d\0=value\0"s));
    EXPECT_FALSE(parse("add@/d\0SEQNUM=12a\0"s));
    EXPECT_FALSE(parse("add@/d\0DEVNAME=/dev/sda\0"s));
    EXPECT_FALSE(parse("add@/d\0DEVNAME=tty/../../x\0"s));
    EXPECT_FALSE(parse("add@/d\0DEVNAME=\0"s));
    EXPECT_FALSE(parse(std::string(kMaxUeventSize + 1, 'a')));
    // The last field may lack its NUL; empty fields are padding.
    const auto tolerant = parse("add@/d\0\0SUBSYSTEM=tty\0DEVNAME=ttyUSB3"s);
    ASSERT_TRUE(tolerant);
    EXPECT_TRUE(tolerant->IsTtyArrival());
}

TEST(UeventParseTest, FormattedEventsParseBack) {
    Uevent event;
    event.action = "remove";
    event.devpath = "/devices/usb1/1-4/1-4:1.0/ttyUSB1/tty/ttyUSB1";
    event.subsystem = "tty";
    event.devname = "ttyUSB1";
    event.seqnum = 99;
    event.fields["MAJOR"] = "188";
    const std::string datagram = FormatUevent(event);
    const auto back = ParseUevent(datagram.data(), datagram.size());
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->IsTtyRemoval());
    EXPECT_EQ(back->devpath, event.devpath);
    EXPECT_EQ(back->seqnum, 99u);
    EXPECT_EQ(back->fields.at("MAJOR"), "188");
}

TEST(UeventMonitorTest, EventsOfAnAdoptedSocketAreDispatchedInOrder) {
    UeventFeed feed;
    ASSERT_TRUE(feed.Open());
    UeventMonitor monitor;
    ASSERT_TRUE(monitor.Adopt(UniqueFd(dup(feed.ReadingFd()))));
    const std::string add = Sample("tty_add_ttyUSB0");
    const std::string junk = "not an event";
    const std::string remove = Sample("tty_remove_ttyUSB0");
    ASSERT_TRUE(feed.Send(add.data(), add.size()));
    ASSERT_TRUE(feed.Send(junk.data(), junk.size()));
    ASSERT_TRUE(feed.Send(remove.data(), remove.size()));
    std::vector<std::string> seen;
    EXPECT_TRUE(monitor.Dispatch([&](const Uevent& e) { seen.push_back(e.action); }));
    EXPECT_EQ(seen, (std::vector<std::string>{"add", "remove"}));
    seen.clear();
    EXPECT_TRUE(monitor.Dispatch([&](const Uevent& e) { seen.push_back(e.action); }));
    EXPECT_TRUE(seen.empty());
}

TEST(UeventMonitorTest, KernelMonitorIgnoresMessagesFromProcesses) {
    UeventMonitor monitor;
    if (!monitor.Open()) {
        GTEST_SKIP() << "no kernel device events here, errno " << monitor.LastError();
    }
    sockaddr_nl self{};
    socklen_t size = sizeof self;
    ASSERT_EQ(getsockname(monitor.Fd(), reinterpret_cast<sockaddr*>(&self), &size), 0);
    // Any local process can address the monitor directly; a forged removal must not count.
    const int forger = socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    ASSERT_GE(forger, 0);
    const std::string forged = Sample("tty_remove_ttyUSB0");
    sockaddr_nl target{};
    target.nl_family = AF_NETLINK;
    target.nl_pid = self.nl_pid;
    const ssize_t sent = sendto(forger, forged.data(), forged.size(), 0,
                                reinterpret_cast<sockaddr*>(&target), sizeof target);
    close(forger);
    if (sent != static_cast<ssize_t>(forged.size())) {
        GTEST_SKIP() << "cannot address the monitor from here";
    }
    int forgedSeen = 0;
    monitor.Dispatch([&](const Uevent& e) { forgedSeen += e.devname == "ttyUSB0" ? 1 : 0; });
    EXPECT_EQ(forgedSeen, 0);
}

}  // namespace
}  // namespace kq
