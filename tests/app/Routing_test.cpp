// Port messages and device changes reach the frame: bytes to the sensor dialogue, node changes
// after an arrival debounced into one port-list update, a removal of the sensor's port completed
// from the data copied while its message lasted, and nothing while a scan stops measuring.
#include <gtest/gtest.h>

#include <cstring>

#include "AppTest.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "ports/DeviceChange.h"
#include "sensor/ZMStates.h"

namespace apptest {
namespace {

// The dialogue's port managers, which outside the dialogue only its subclasses may change.
struct DialoguePorts : CComPort {
    static std::unique_ptr<ISensorPort>& Main(CComPort& dialogue) {
        return dialogue.*&DialoguePorts::m_pPortMan;
    }
    static ISensorPort*& Current(CComPort& dialogue) {
        return dialogue.*&DialoguePorts::m_pCurrentPortMan;
    }
};

class Routing : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        connection_ = frame_->GetConnectionPage();
    }
    // A port broadcast as the system delivers it, valid only while its message is handled.
    BOOL SendPortChange(UINT event, const char* name) {
        std::vector<char> block(sizeof(DEV_BROADCAST_PORT) + std::strlen(name));
        auto* port = reinterpret_cast<DEV_BROADCAST_PORT*>(block.data());
        port->dbcp_size = static_cast<DWORD>(block.size());
        port->dbcp_devicetype = DBT_DEVTYP_PORT;
        std::strcpy(port->dbcp_name, name);
        const BOOL result = static_cast<BOOL>(
            frame_->SendMessage(WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(port)));
        std::fill(block.begin(), block.end(), '\xEE');
        return result;
    }
    BOOL SendNodesChanged() {
        return static_cast<BOOL>(frame_->SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
    }

    CDlgSensorConnection* connection_ = nullptr;
};

TEST_F(Routing, PortMessagesReachTheDialogue) {
    const char partial[] = {0x02, 0x01, static_cast<char>(0xFF), 0x05};
    frame_->SendMessage(WM_PORT_DATA, sizeof(partial), reinterpret_cast<LPARAM>(partial));
    EXPECT_TRUE(frame_->m_bPortDataReceived);
    EXPECT_EQ(frame_->m_strReceiveCOM.GetLength(), 4);
    for (int port = 0; port < 4; ++port) {
        frame_->SendMessage(WM_PORT_DATA_FIRST + static_cast<UINT>(port), sizeof(partial),
                            reinterpret_cast<LPARAM>(partial));
        EXPECT_EQ(frame_->m_astrReceivePort[port].GetLength(), 4) << port;
    }
    EXPECT_EQ(frame_->SendMessage(WM_PORT_EVENT, 1, 2), 0);
}

TEST_F(Routing, NodeChangesAfterAnArrivalCompleteOnTheFourthOrOnTheTimer) {
    ASSERT_TRUE(SendPortChange(DBT_DEVICEARRIVAL, "COM5"));
    EXPECT_TRUE(frame_->m_bPortArrivalPending);
    for (int i = 0; i < 3; ++i)
        SendNodesChanged();
    EXPECT_EQ(connection_->m_iPortListUpdates, 0);
    EXPECT_TRUE(frame_->IsWaitCursorShown());
    SendNodesChanged();
    EXPECT_EQ(connection_->m_iPortListUpdates, 1);
    EXPECT_FALSE(frame_->m_bPortArrivalPending);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
    Run(1500);
    EXPECT_EQ(connection_->m_iPortListUpdates, 1);  // timer 16 was stopped

    SendPortChange(DBT_DEVICEARRIVAL, "COM5");
    SendNodesChanged();
    EXPECT_EQ(connection_->m_iPortListUpdates, 1);
    Run(1100);
    EXPECT_EQ(connection_->m_iPortListUpdates, 2);
}

TEST_F(Routing, ANodeChangeKeepsThePortOfARunningMeasurement) {
    sim_->AddSensor("COM5 Tarvik USB sensor interface port", 5555);
    ASSERT_TRUE(DialoguePorts::Main(*frame_)->OpenPort("COM5", 115200));
    frame_->m_strCurrentPortName = "com5";
    SendPortChange(DBT_DEVICEARRIVAL, "COM5");
    frame_->GetMeasureDiagramPage()->m_ucMeasuring = 1;
    SendNodesChanged();
    EXPECT_TRUE(frame_->COM_MainPort()->IsPortOpen());
    frame_->GetMeasureDiagramPage()->m_ucMeasuring = 0;
    SendNodesChanged();
    EXPECT_FALSE(frame_->COM_MainPort()->IsPortOpen());
}

// The sensor's port comes back while the operator's search already reads the sensor: the
// device changes that follow leave the search its port, and the sensor is found and opened.
TEST_F(Routing, ANodeChangeKeepsThePortOfARunningSearch) {
    sim_->AddSensor("COM5 Tarvik USB sensor interface port", 5555);
    frame_->m_strCurrentPortName = "com5";
    frame_->COM_BuildPortTable(0);
    // The device changes come between two of the sensor's replies, once the blocks are read.
    bool changed = false;
    const auto hand = [&](auto*, const std::string& bytes) {
        if (!frame_->COM_MainPort()->IsPortOpen())
            return;
        frame_->SendMessage(WM_PORT_DATA, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
        if (!changed && frame_->COM_GetZMCOMConfgFlow() == ZM_SCAN_READ_BLOCKS) {
            changed = true;
            SendPortChange(DBT_DEVICEARRIVAL, "COM5");
            SendNodesChanged();
        }
    };
    for (int step = 0; step < 400 && !changed; ++step) {
        Advance(10);
        sim_->arrivals.HandOver(kq::CurrentClock().MonotonicNanos(), hand);
        Pump();
    }
    ASSERT_TRUE(changed);
    EXPECT_TRUE(frame_->COM_MainPort()->IsPortOpen());
    Run(5000);
    ASSERT_GE(frame_->m_iOpenEntry, 0);
    EXPECT_EQ(frame_->m_aEntries[frame_->m_iOpenEntry].strPortName, "COM5");
    EXPECT_EQ(frame_->m_aEntries[frame_->m_iOpenEntry].iState, PORT_STATE_OPEN);
}

// The sensor came back, but its replies come too late for the operator's search, and the node
// changes of its return complete while that search waits for it: the search keeps its port,
// the ports are searched again once it has ended, and the sensor, answering by then, is opened.
TEST_F(Routing, ANodeChangeDuringASearchIsSearchedAgainAfterIt) {
    sim_->AddSensor("COM5 Tarvik USB sensor interface port", 5555);
    SendPortChange(DBT_DEVICEARRIVAL, "COM5");
    SendNodesChanged();
    connection_->UpdatePortList();
    const auto heldUp = [](auto*, const std::string&) {};
    const auto runHeldUp = [&](const auto& until) {
        for (int step = 0; step < 300 && !until(); ++step) {
            Advance(10);
            sim_->arrivals.HandOver(kq::CurrentClock().MonotonicNanos(), heldUp);
            Pump();
        }
        return until();
    };
    ASSERT_TRUE(
        runHeldUp([&] { return frame_->m_iScanIndex >= 0 && frame_->m_bRequestOutstanding; }));
    for (int i = 0; i < 3; ++i)
        SendNodesChanged();
    EXPECT_FALSE(frame_->m_bPortArrivalPending);
    EXPECT_TRUE(frame_->COM_MainPort()->IsPortOpen());
    EXPECT_TRUE(frame_->m_bRequestOutstanding);
    ASSERT_TRUE(runHeldUp([&] { return frame_->m_iScanIndex < 0; }));
    EXPECT_EQ(frame_->m_aEntries[0].iState, PORT_STATE_NO_ANSWER);
    Run(5000);
    ASSERT_GE(frame_->m_iOpenEntry, 0);
    EXPECT_EQ(frame_->m_aEntries[frame_->m_iOpenEntry].strPortName, "COM5");
    EXPECT_EQ(frame_->m_aEntries[frame_->m_iOpenEntry].iState, PORT_STATE_OPEN);
}

// The sensor's port came back and the operator's Update has already found and opened the
// sensor when the node changes of its return close the port: the sensor is closed with it, not
// left open on a closed port for the next request to find it lost, and the update that completes
// the arrival searches again and opens it.
TEST_F(Routing, ANodeChangeClosesAnOpenSensorWithItsPortAndOpensItAgain) {
    sim_->AddSensor("COM5 Tarvik USB sensor interface port", 5555);
    frame_->m_strCurrentPortName = "com5";
    frame_->COM_BuildPortTable(0);
    Run(5000);
    ASSERT_GE(frame_->m_iOpenEntry, 0);
    SendPortChange(DBT_DEVICEARRIVAL, "COM5");
    frame_->m_bDeviceChanged = FALSE;  // taken by the Update's refresh
    SendNodesChanged();
    EXPECT_FALSE(frame_->COM_MainPort()->IsPortOpen());
    EXPECT_LT(frame_->m_iOpenEntry, 0);
    Run(5000);
    EXPECT_TRUE(frame_->COM_MainPort()->IsPortOpen());
    ASSERT_GE(frame_->m_iOpenEntry, 0);
    EXPECT_EQ(frame_->m_aEntries[frame_->m_iOpenEntry].iState, PORT_STATE_OPEN);
}

// A device change while a search is half way: the ports it has not reached keep the rate the
// search before found them at, so that the next search tries that rate first.
TEST_F(Routing, ADeviceChangeDuringASearchKeepsTheRatesOfPortsNotYetSearched) {
    auto entry = [](const char* port, int index, int state, int rate) {
        SensorEntry e;
        e.strPortName = port;
        e.iIndex = e.iStateId = index;
        e.iState = state;
        e.iBaudrate = rate;
        return e;
    };
    frame_->m_aPrevEntries[0] = entry("COM1", 0, PORT_STATE_FOUND, 230400);
    frame_->m_aPrevEntries[1] = entry("COM3", 1, PORT_STATE_FOUND, 115200);
    frame_->m_aEntries[0] = entry("COM1", 0, PORT_STATE_CHECKING, 0);
    frame_->m_aEntries[1] = entry("COM3", 1, PORT_STATE_NO_ANSWER, 0);
    frame_->m_iEntryCount = 2;
    frame_->m_iScanIndex = 0;
    frame_->COM_SavePortTableAsPrevious();  // as every device change does
    frame_->m_iScanIndex = -1;
    EXPECT_EQ(frame_->m_aPrevEntries[0].iState, PORT_STATE_FOUND);
    EXPECT_EQ(frame_->m_aPrevEntries[0].iBaudrate, 230400);
    EXPECT_EQ(frame_->m_aPrevEntries[1].iState, PORT_STATE_NO_ANSWER);
}

TEST_F(Routing, ARemovalOfTheSensorPortCompletesLaterFromTheCopiedData) {
    frame_->m_iPortInUse = 0;
    frame_->m_strSensorPortName = "COM5";
    ASSERT_TRUE(SendPortChange(DBT_DEVICEREMOVECOMPLETE, "COM5"));
    EXPECT_TRUE(frame_->IsWaitCursorShown());
    EXPECT_EQ(frame_->m_iRemovals, 1);
    // The broadcast block is gone; timer 17 completes from the copy.
    Run(1100);
    EXPECT_EQ(frame_->m_iRemovals, 0);
    EXPECT_TRUE(frame_->m_bPortClosed);
}

TEST_F(Routing, ARemovalOfAnotherDeviceChangesNothing) {
    DEV_BROADCAST_HDR volume{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};
    frame_->m_bRefreshPortTableRequest = FALSE;
    frame_->SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                        reinterpret_cast<LPARAM>(&volume));
    EXPECT_EQ(frame_->m_iRemovals, 0);
    EXPECT_FALSE(frame_->m_bRefreshPortTableRequest);
    EXPECT_FALSE(frame_->IsWaitCursorShown());
}

TEST_F(Routing, NothingIsFollowedWhileAScanStopsMeasuringOrBeforeThePortManagerExists) {
    frame_->m_bStopMeasureDuringScan = TRUE;
    EXPECT_FALSE(SendPortChange(DBT_DEVICEARRIVAL, "COM5"));
    EXPECT_FALSE(SendNodesChanged());
    EXPECT_FALSE(frame_->m_bPortArrivalPending);
    frame_->m_bStopMeasureDuringScan = FALSE;

    DialoguePorts::Main(*frame_).reset();
    DialoguePorts::Current(*frame_) = nullptr;
    EXPECT_TRUE(SendPortChange(DBT_DEVICEARRIVAL, "COM5"));
    EXPECT_FALSE(frame_->m_bPortArrivalPending);
    EXPECT_EQ(connection_->m_iUpdateState, 0);
}

TEST_F(Routing, AMenuPromptOfATreeCommandIsTakenInTheCurrentLanguage) {
    frame_->SwitchLanguage(LANGUAGE_ENGLISH);
    frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(5034, 0), 0);
    Pump();
    EXPECT_EQ(frame_->m_nIDTracking, 6034U);
    frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(10016, 0), 0);
    Pump();
    EXPECT_EQ(frame_->m_nIDTracking, 10016U);
}

}  // namespace
}  // namespace apptest
