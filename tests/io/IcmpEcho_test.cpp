#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/io/EchoReply.h"
#include "platform/io/IcmpEcho.h"
#include "tools/testsupport/LocalAddresses.h"

namespace kq::test {
namespace {

constexpr EchoRequestId kId{0x1234, 7};

uint32_t Address(const char* text) {
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

// A reply as the peer sends it: the request turned into type 0 with a fresh checksum.
std::string Reply(EchoRequestId id, uint8_t type = 0) {
    std::string packet = BuildEchoRequest(id, "payload!");
    packet[0] = static_cast<char>(type);
    packet[2] = packet[3] = 0;
    const uint16_t sum =
        InternetChecksum(reinterpret_cast<const uint8_t*>(packet.data()), packet.size());
    packet[2] = static_cast<char>(sum >> 8);
    packet[3] = static_cast<char>(sum & 0xFF);
    return packet;
}

// The same behind an IPv4 header, as a raw socket delivers it.
std::string WithIpHeader(const std::string& icmp, const char* source, int headerWords = 5) {
    std::string header(static_cast<size_t>(headerWords) * 4, '\0');
    header[0] = static_cast<char>(0x40 | headerWords);
    const size_t total = header.size() + icmp.size();
    header[2] = static_cast<char>(total >> 8);
    header[3] = static_cast<char>(total & 0xFF);
    header[9] = 1;
    const uint32_t from = Address(source);
    header.replace(12, 4, reinterpret_cast<const char*>(&from), 4);
    return header + icmp;
}

bool Matches(const std::string& packet, bool withIp, const char* source = "10.0.0.5") {
    return IsEchoReplyTo(reinterpret_cast<const uint8_t*>(packet.data()), packet.size(), withIp,
                         Address(source), kId);
}

TEST(EchoReplyTest, OnlyTheReplyToThisRequestFromTheAskedHostCounts) {
    EXPECT_TRUE(Matches(Reply(kId), false));
    EXPECT_TRUE(Matches(WithIpHeader(Reply(kId), "10.0.0.5"), true));
    EXPECT_TRUE(Matches(WithIpHeader(Reply(kId), "10.0.0.5", 6), true)) << "IP options";

    EXPECT_FALSE(Matches(Reply({0x1235, 7}), false)) << "another program's identifier";
    EXPECT_FALSE(Matches(Reply({0x1234, 8}), false)) << "another sequence";
    EXPECT_FALSE(Matches(Reply(kId, 8), false)) << "a request, not a reply";
    EXPECT_FALSE(Matches(Reply(kId, 3), false)) << "destination unreachable";
    EXPECT_FALSE(Matches(WithIpHeader(Reply(kId), "10.0.0.6"), true)) << "another host";

    std::string corrupt = Reply(kId);
    corrupt[10] ^= 0x01;
    EXPECT_FALSE(Matches(corrupt, false)) << "bad checksum";
    EXPECT_FALSE(Matches(Reply(kId).substr(0, 7), false)) << "shorter than a header";
    const std::string framed = WithIpHeader(Reply(kId), "10.0.0.5");
    EXPECT_FALSE(Matches(framed.substr(0, framed.size() - 2), true)) << "truncated datagram";
    std::string badLength = framed;
    badLength[0] = 0x44;
    EXPECT_FALSE(Matches(badLength, true)) << "header length below 20";
    badLength[0] = 0x4F;
    EXPECT_FALSE(Matches(badLength.substr(0, 40), true)) << "header longer than the packet";
    EXPECT_FALSE(IsEchoReplyTo(nullptr, 0, true, 0, kId));
}

TEST(IcmpEchoTest, LoopbackAnswers) {
    IcmpEcho echo;
    if (!echo.Open()) {
        GTEST_SKIP() << "no ICMP socket is permitted here (errno " << echo.LastError() << ")";
    }
    RecordProperty("mechanism", EchoSocketKindName(echo.Kind()));
    std::cout << "echo through the " << EchoSocketKindName(echo.Kind()) << "\n";
    in_addr loopback{Address("127.0.0.1")};
    EXPECT_TRUE(echo.Ping(loopback, 1, 2000));
    in_addr other{Address("127.0.0.2")};
    const auto answered = echo.PingMany({loopback, other}, 2, 2000);
    EXPECT_EQ(answered.size(), 2u);
}

TEST(LocalAddressesTest, ListsTheLoopbackInterface) {
    bool found = false;
    for (const LocalIpv4Address& entry : LocalIpv4Addresses()) {
        if (entry.address.s_addr == Address("127.0.0.1")) {
            found = true;
            EXPECT_TRUE(entry.up);
            EXPECT_TRUE(entry.loopback);
            EXPECT_EQ(entry.netmask.s_addr, Address("255.0.0.0"));
            EXPECT_FALSE(entry.interfaceName.empty());
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace kq::test
