#include "platform/io/TcpClient.h"

#include <errno.h>
#include <gtest/gtest.h>

#include "io/ChannelTestUtil.h"
#include "io/LoopbackListener.h"

namespace kq {
namespace {

TEST(ParseHostPortTest, AcceptsHostsAndBracketedAddresses) {
    std::string host;
    uint16_t port = 0;
    ASSERT_TRUE(ParseHostPort("127.0.0.1:10001", host, port));
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 10001);
    ASSERT_TRUE(ParseHostPort("xpico.local:65535", host, port));
    EXPECT_EQ(host, "xpico.local");
    ASSERT_TRUE(ParseHostPort("[::1]:23", host, port));
    EXPECT_EQ(host, "::1");
    EXPECT_EQ(port, 23);
    for (const char* bad : {"", "host", "host:", ":80", "host:0", "host:65536", "host:12x",
                            "::1:80", "[::1]80", "[::1]:", "host:-1"}) {
        EXPECT_FALSE(ParseHostPort(bad, host, port)) << bad;
    }
}

TEST(TcpClientTest, ExchangesBytesWithTheListenerLikeALine) {
    test::LoopbackListener device;
    ASSERT_NE(device.Port(), 0);
    TcpClient client;
    ASSERT_TRUE(client.Connect("127.0.0.1", device.Port(), 2000)) << client.LastError();
    ASSERT_TRUE(device.Accept());

    const std::string request("\x00\xff\x02request", 10);
    ASSERT_EQ(client.Send(request.data(), request.size()).status, IoStatus::Done);
    std::string atDevice;
    ASSERT_TRUE(device.ReceiveExactly(atDevice, request.size()));
    EXPECT_EQ(atDevice, request);

    const std::string answer = test::Pattern(8192, 1);
    ASSERT_TRUE(device.SendAll(answer));
    std::string atClient;
    ASSERT_EQ(test::ReadChannel(client, atClient, answer.size()), IoStatus::Done);
    EXPECT_TRUE(atClient == answer);

    device.CloseConnection();
    EXPECT_EQ(test::ReadUntilEnd(client), IoStatus::HungUp);
}

TEST(TcpClientTest, ReportsARefusedConnection) {
    uint16_t unused;
    {
        test::LoopbackListener gone;
        unused = gone.Port();
    }
    TcpClient client;
    EXPECT_FALSE(client.Connect("127.0.0.1", unused, 2000));
    EXPECT_EQ(client.LastError(), ECONNREFUSED);
    EXPECT_FALSE(client.IsOpen());
}

}  // namespace
}  // namespace kq
