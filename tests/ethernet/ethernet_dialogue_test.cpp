// The set-up operations against the device-server simulator: the connection test, the baud
// rate held until a restart or stored, the default settings, and every fault answered by false
// without changing anything or leaving the server in setup mode.
#include <atomic>
#include <chrono>
#include <thread>

#include "EthernetTest.h"
#include "ethernet/CConfigEthernetInterfaceDlg.h"
#include "ethernet/SetupMenuVisit.h"

namespace devsrvsim {
// The fault's name in the test's name and messages.
inline void PrintTo(DevSrvFault fault, std::ostream* os) {
    *os << DevSrvFaultName(fault);
}
}  // namespace devsrvsim

using devsrvsim::DevSrvFault;
using devsrvsim::DevSrvSettings;

namespace ethtest {
namespace {

// The server notices a closed connection on its own thread.
bool LeavesSetupMode(const devsrvsim::DeviceServerSimulator& server) {
    for (int i = 0; i < 200 && server.InSetupMode(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !server.InSetupMode();
}

TEST_F(EthernetTest, TheConnectionTestReadsTheServerAndQuits) {
    auto& server = StartServer("127.0.0.11");
    Declare({PortOf(server)});
    CConfigEthernetInterfaceDlg dialog(ComNumberOf(server), 3, 1000);
    ASSERT_TRUE(dialog.HasDeviceServer());
    EXPECT_EQ(dialog.Row(), 3);
    EXPECT_TRUE(dialog.TestXPicoConnection());
    EXPECT_EQ(dialog.Banner(), "XPico 6.11.0.3");
    ASSERT_EQ(dialog.Settings().size(), 6u);
    EXPECT_EQ(dialog.Settings()[0], (std::pair<std::string, std::string>{"baud", "115200"}));
    EXPECT_EQ(dialog.Settings()[5].second, std::to_string(server.DataPort()));
    EXPECT_EQ(server.ConnectionCount(), 1);
    EXPECT_TRUE(LeavesSetupMode(server));
}

TEST_F(EthernetTest, ApplyHoldsUntilTheRestartAndSaveKeepsTheRate) {
    auto& server = StartServer("127.0.0.12");
    Declare({PortOf(server)});
    CConfigEthernetInterfaceDlg dialog(ComNumberOf(server), 0, 1000);

    ASSERT_TRUE(dialog.ChangeXPicoBaudrate(230400, FALSE));
    EXPECT_EQ(server.Current().baud, 230400);
    EXPECT_EQ(server.Stored().baud, 115200);
    EXPECT_EQ(server.Current().dataBits, 8) << "the other settings are kept";
    server.Restart();
    EXPECT_EQ(server.Current().baud, 115200);

    ASSERT_TRUE(dialog.ChangeXPicoBaudrate(230400, TRUE));
    EXPECT_EQ(server.Stored().baud, 230400);
    server.Restart();
    EXPECT_EQ(server.Current().baud, 230400);

    const int visits = server.ConnectionCount();
    EXPECT_FALSE(dialog.ChangeXPicoBaudrate(12345, TRUE)) << "no such rate";
    EXPECT_FALSE(dialog.ChangeXPicoBaudrate(1000000, TRUE)) << "beyond the standard rates";
    EXPECT_FALSE(dialog.ChangeXPicoBaudrate(-1, TRUE));
    EXPECT_EQ(server.ConnectionCount(), visits) << "refused before any traffic";
    EXPECT_TRUE(LeavesSetupMode(server));
}

TEST_F(EthernetTest, DefaultSettingsAreStoredAndKeepTheDataPort) {
    auto& server = StartServer("127.0.0.13");
    Declare({PortOf(server)});
    const DeviceServerAddress address{server.Address(), static_cast<uint16_t>(server.DataPort()),
                                      static_cast<uint16_t>(server.SetupPort())};
    ASSERT_TRUE(VisitSetupMenu(address, [](SetupMenuClient& client) {
        return client.ChangeSerial({{"baud", "9600"},
                                    {"databits", "7"},
                                    {"parity", "even"},
                                    {"stopbits", "2"},
                                    {"flow", "hardware"}}) &&
               client.Commit(true);
    }));
    ASSERT_EQ(server.Stored().parity, "even");

    CConfigEthernetInterfaceDlg dialog(ComNumberOf(server), 0, 0);
    ASSERT_TRUE(dialog.SetDefaultSettings());
    DevSrvSettings expected;
    expected.dataPort = server.DataPort();
    EXPECT_EQ(server.Stored(), expected);
    EXPECT_EQ(server.Current(), expected);
}

class FaultTest : public EthernetTest, public ::testing::WithParamInterface<DevSrvFault> {};

TEST_P(FaultTest, EveryFaultAnswersFalseAndChangesNothing) {
    auto& server = StartServer("127.0.0.14", GetParam());
    Declare({PortOf(server)});
    CConfigEthernetInterfaceDlg dialog(ComNumberOf(server), 0, 1000);
    EXPECT_FALSE(dialog.ChangeXPicoBaudrate(230400, TRUE));
    EXPECT_EQ(server.Current().baud, 115200);
    EXPECT_EQ(server.Stored().baud, 115200);
    EXPECT_TRUE(LeavesSetupMode(server));
    if (GetParam() != DevSrvFault::MissingConfirmation) {
        EXPECT_FALSE(dialog.TestXPicoConnection());
        EXPECT_TRUE(LeavesSetupMode(server));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest,
                         ::testing::Values(DevSrvFault::Silent, DevSrvFault::Garbage,
                                           DevSrvFault::HugeLine, DevSrvFault::CloseMidDialogue,
                                           DevSrvFault::Refuse, DevSrvFault::MissingConfirmation,
                                           DevSrvFault::WrongPrompt),
                         [](const auto& info) {
                             std::string name = devsrvsim::DevSrvFaultName(info.param);
                             std::erase(name, '-');
                             return name;
                         });

TEST_F(EthernetTest, ASlowDialogueServesMessagesSentFromOtherThreads) {
    auto& server = StartServer("127.0.0.15", DevSrvFault::SlowLines);
    Declare({PortOf(server)});
    const HWND window = CreateTopLevel({0, 0, 50, 50}, WS_POPUP);
    std::atomic<bool> answered{false};
    std::atomic<bool> dialogueRunning{false};
    OnMessage(window, [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_APP) {
            return dialogueRunning.load() ? 1 : 0;
        }
        return std::nullopt;
    });
    std::thread sender([&] {
        while (!dialogueRunning) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        answered = ::SendMessage(window, WM_APP, 0, 0) == 1;
    });
    CConfigEthernetInterfaceDlg dialog(ComNumberOf(server), 0, 1000);
    dialogueRunning = true;
    EXPECT_TRUE(dialog.TestXPicoConnection()) << "slow, but within the bounds";
    dialogueRunning = false;
    sender.join();
    EXPECT_TRUE(answered) << "the message was served while the dialogue waited";
}

}  // namespace
}  // namespace ethtest
