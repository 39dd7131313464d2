// Which device server a COM port leads to, and that a port without one causes no traffic.
#include "EthernetTest.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "ethernet/DeviceServerLookup.h"
#include "ethernet/EchoProbe.h"
#include "io/LoopbackListener.h"

namespace ethtest {
namespace {

TEST_F(EthernetTest, ADeclaredTcpPortLeadsToItsServer) {
    Declare({"tcp=127.0.0.5:10001;desc=Lantronix CPR Port",
             "tcp=127.0.0.6:10002;desc=Lantronix CPR Port;setup=30718", "tcp=[::1]:10003"});
    const auto first = FindDeviceServer(ComNumberOf("127.0.0.5:10001"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->host, "127.0.0.5");
    EXPECT_EQ(first->dataPort, 10001);
    EXPECT_EQ(first->setupPort, 9999);
    const auto second = FindDeviceServer("COM" + ComNumberOf("127.0.0.6:10002"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->setupPort, 30718);
    const auto v6 = FindDeviceServer(ComNumberOf("[::1]:10003"));
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->host, "::1");
}

TEST_F(EthernetTest, NoServerMeansNoTrafficAndFalseAtOnce) {
    kq::test::LoopbackListener listener;
    Declare({"path=/dev/pts/4242;desc=Lantronix CPR Port",
             "tcp=127.0.0.1:1;desc=Lantronix CPR Port;setup=" + std::to_string(listener.Port())});
    const CString pathPort = ComNumberOf("/dev/pts/4242");
    ASSERT_FALSE(pathPort.IsEmpty());
    SetEchoRoute(EchoRoute::TcpProbe);
    for (const CString& com : {pathPort, CString("77"), CString(""), CString("LPT1")}) {
        EXPECT_FALSE(FindDeviceServer(com)) << com.Str();
        CConfigEthernetInterfaceDlg dialog(com, 0, 1000);
        EXPECT_FALSE(dialog.HasDeviceServer());
        EXPECT_FALSE(dialog.TestXPicoConnection());
        EXPECT_FALSE(dialog.ChangeXPicoBaudrate(230400, FALSE));
        EXPECT_FALSE(dialog.PingXPico(3));
        EXPECT_FALSE(dialog.SetDefaultSettings());
    }
    EXPECT_FALSE(listener.Accept(100)) << "nothing went to the network";

    // The declared server itself is reached, so the listener would have seen the others.
    CConfigEthernetInterfaceDlg declared(ComNumberOf("127.0.0.1:1"), 0, 1000);
    EXPECT_TRUE(declared.PingXPico(1));
    EXPECT_TRUE(listener.Accept(100));
    SetEchoRoute(EchoRoute::Automatic);
}

}  // namespace
}  // namespace ethtest
