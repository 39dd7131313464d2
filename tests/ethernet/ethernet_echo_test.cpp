// Whether the device server is there: the ICMP echo through whichever socket is permitted,
// each socket forced in a network namespace of the test's own, and the TCP probe.
#include <arpa/inet.h>
#include <netinet/in.h>

#include <iostream>

#include "EthernetTest.h"
#include "NetworkNamespace.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "ethernet/EchoProbe.h"
#include "io/LoopbackListener.h"

namespace ethtest {
namespace {

const DeviceServerAddress kLoopbackServer{"127.0.0.1", 10001, 9};

// Echo requests to 127.0.0.1 that a raw socket saw arrive (the loopback delivers the test's own).
int CountEchoRequests(int rawFd) {
    int requests = 0;
    unsigned char packet[512];
    for (ssize_t got; (got = ::recv(rawFd, packet, sizeof packet, MSG_DONTWAIT)) > 0;) {
        const size_t header = static_cast<size_t>(packet[0] & 0x0F) * 4;
        if (static_cast<size_t>(got) > header && packet[header] == 8) {
            ++requests;
        }
    }
    return requests;
}

class EchoTest : public EthernetTest {
  protected:
    void TearDown() override {
        SetEchoRoute(EchoRoute::Automatic);
        EthernetTest::TearDown();
    }
    void ExpectInNamespace(const std::function<bool()>& body) {
        const NamespaceRun run = RunInNetworkNamespace(body);
        if (!run.ran) {
            GTEST_SKIP() << run.reason;
        }
        EXPECT_TRUE(run.passed);
    }
};

TEST_F(EchoTest, LoopbackAnswersWhateverTheMechanism) {
    std::string used;
    EXPECT_TRUE(EchoDeviceServer(kLoopbackServer, 0, &used)) << "0 attempts make one";
    std::cout << "echo through: " << used << "\n";
    RecordProperty("mechanism", used);
    EXPECT_TRUE(EchoDeviceServer(kLoopbackServer, 5, &used));
}

TEST_F(EchoTest, ThePingSocketOnceTheGroupMayUseIt) {
    ExpectInNamespace([] {
        const std::string gid = std::to_string(::getgid());
        if (!WriteProcFile("/proc/sys/net/ipv4/ping_group_range", gid + " " + gid)) {
            return false;
        }
        SetEchoRoute(EchoRoute::PingSocket);
        std::string used;
        return EchoDeviceServer(kLoopbackServer, 1, &used) && used == "ping socket";
    });
}

TEST_F(EchoTest, TheRawSocket) {
    ExpectInNamespace([] {
        SetEchoRoute(EchoRoute::RawSocket);
        std::string used;
        return EchoDeviceServer(kLoopbackServer, 1, &used) && used == "raw socket";
    });
}

TEST_F(EchoTest, NoAnswerWithLoopbackDownOrEchoIgnored) {
    ExpectInNamespace([] {
        const int observer = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (observer < 0) {
            return false;
        }
        SetEchoRoute(EchoRoute::RawSocket);
        WriteProcFile("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1");
        const bool ignored = !EchoDeviceServer(kLoopbackServer, 5, nullptr);
        const int requests = CountEchoRequests(observer);
        WriteProcFile("/proc/sys/net/ipv4/icmp_echo_ignore_all", "0");
        SetLoopbackUp(false);
        const bool down = !EchoDeviceServer(kLoopbackServer, 3, nullptr);
        ::close(observer);
        return ignored && requests == 3 && down;
    });
}

TEST_F(EchoTest, TheTcpProbeTakesAConnectionOrARefusalAsAnAnswer) {
    SetEchoRoute(EchoRoute::TcpProbe);
    kq::test::LoopbackListener listener;
    std::string used;
    EXPECT_TRUE(EchoDeviceServer({"127.0.0.1", 1, listener.Port()}, 1, &used));
    EXPECT_EQ(used, "tcp probe");
    EXPECT_TRUE(listener.Accept(100));
    uint16_t closed = 0;
    {
        const kq::test::LoopbackListener gone;
        closed = gone.Port();
    }
    EXPECT_TRUE(EchoDeviceServer({"127.0.0.1", 1, closed}, 1, nullptr)) << "refused";
}

TEST_F(EchoTest, AnIpv6ServerIsProbedOverTcp) {
    std::string used;
    EchoDeviceServer({"::1", 1, 9}, 1, &used);
    EXPECT_EQ(used, "tcp probe");
}

TEST_F(EchoTest, TheWarningNamesThePortAndTheServerInEachLanguage) {
    Declare({"tcp=127.0.0.21:10001;desc=Lantronix CPR Port"});
    const CString com = ComNumberOf("127.0.0.21:10001");
    const CString de = CConfigEthernetInterfaceDlg(com, 0, 0).WarningAboutXpicoConnection();
    const CString en = CConfigEthernetInterfaceDlg(com, 0, 1000).WarningAboutXpicoConnection();
    const CString fr = CConfigEthernetInterfaceDlg(com, 0, 4000).WarningAboutXpicoConnection();
    EXPECT_EQ(en, "The device server of port COM" + com +
                      " (127.0.0.21) does not answer.\n\nPlease check its network connection "
                      "and its power supply.");
    EXPECT_NE(de.Find("antwortet nicht"), -1);
    EXPECT_NE(fr.Find("ne répond pas"), -1);
    EXPECT_NE(fr.Find("(127.0.0.21)"), -1);
}

}  // namespace
}  // namespace ethtest
