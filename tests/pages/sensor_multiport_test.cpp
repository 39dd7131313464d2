// The sensor pages with a four-port device (one sensor per port, one serial number): the start-up
// search groups and opens the device, even at the first start, the connection rows carry its group
// colour, the information page lists the four sensors, a baud change reaches every port before the
// device restarts, and when a port fails nothing restarts: a refusing port leaves the device open
// and the old rate goes back, a silent one makes the message name the ports left at the new rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/AppTest.h"
#include "controls/list/XListMessages.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "platform/base/Clock.h"
#include "platform/ui/paint/Screenshot.h"
#include "protocol/BlockLayouts.h"
#include "protocol/FrameCutter.h"
#include "protocol/Protocol.h"
#include "res/resource.h"
#include "sensor/ZMStates.h"
#include "tools/sensorsim/SimDevice.h"

namespace apptest {
namespace {

// Ports that each lead to one sensor of a shared device.
struct DevicePort {
    CString text, name;
    sensorsim::SimDevice* device = nullptr;
    int position = 0;
    bool silent = false;
};

class DeviceProvider;

class DevicePortManager final : public ISensorPort {
  public:
    DevicePortManager(DeviceProvider& provider, HWND owner, UINT message);
    ~DevicePortManager() override;
    bool OpenPort(const CString& portName, int baudrate) override;
    void ClosePort(bool) override { m_port = nullptr; }
    bool IsPortOpen() const override { return m_port != nullptr; }
    bool Write(std::string_view bytes) override;
    CString GetStateText() const override {
        return m_port != nullptr ? m_port->name : CString("OffLine");
    }
    void Hand(const std::string& bytes) {
        if (m_port != nullptr)
            ::SendMessage(m_owner, m_message, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    }

  private:
    DeviceProvider& m_provider;
    HWND m_owner;
    UINT m_message;
    DevicePort* m_port = nullptr;
    int m_baud = 0;
    CString m_received;
    tarvik::FrameCutter m_cutter;
};

class DeviceProvider final : public ISensorPortProvider {
  public:
    std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT data, UINT) override {
        return std::make_unique<DevicePortManager>(*this, owner, data);
    }
    std::vector<CString> EnumeratePorts(bool) override {
        std::vector<CString> list;
        for (const auto& port : ports)
            list.push_back(port->text);
        return list;
    }
    void Deliver() {
        while (!pending.empty()) {
            auto [manager, bytes] = std::move(pending.front());
            pending.pop_front();
            if (std::find(managers.begin(), managers.end(), manager) != managers.end())
                manager->Hand(bytes);
        }
    }

    std::vector<std::unique_ptr<sensorsim::SimDevice>> devices;
    std::vector<std::unique_ptr<DevicePort>> ports;
    std::vector<DevicePortManager*> managers;
    std::deque<std::pair<DevicePortManager*, std::string>> pending;
};

DevicePortManager::DevicePortManager(DeviceProvider& provider, HWND owner, UINT message)
    : m_provider(provider), m_owner(owner), m_message(message) {
    m_provider.managers.push_back(this);
}

DevicePortManager::~DevicePortManager() {
    std::erase(m_provider.managers, this);
}

bool DevicePortManager::OpenPort(const CString& portName, int baudrate) {
    for (auto& port : m_provider.ports) {
        if (port->name == portName) {
            m_port = port.get();
            m_baud = baudrate;
            m_received.Empty();
            return true;
        }
    }
    return false;
}

bool DevicePortManager::Write(std::string_view bytes) {
    if (m_port == nullptr)
        return false;
    sensorsim::SimSensor& sensor = m_port->device->Sensor(m_port->position);
    if (m_port->silent || sensor.BaudRate() != m_baud)
        return true;
    m_received.Append(bytes.data(), static_cast<int>(bytes.size()));
    tarvik::Frame frame;
    std::vector<std::string> replies;
    while (m_cutter.CutFrame(m_received, frame))
        sensor.Receive(frame, kq::MonotonicMillis(), replies);
    for (std::string& reply : replies)
        m_provider.pending.emplace_back(this, std::move(reply));
    return true;
}

class FourPortDevice : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        factory_ = CMainFrame::s_portProviderFactory;
        owned_ = std::make_unique<DeviceProvider>();
        provider_ = owned_.get();
        Build(*provider_);
        // The frame owns a forwarder: the ports outlive every manager the frame still holds.
        CMainFrame::s_portProviderFactory = [this] {
            return std::unique_ptr<ISensorPortProvider>(
                std::make_unique<ForwardingProvider>(*provider_));
        };
    }
    void TearDown() override {
        AppTest::TearDown();
        CMainFrame::s_portProviderFactory = factory_;
        owned_.reset();
    }
    // Four NX-ZID3 ports of serial number 900, listed in an order other than their positions.
    static void Build(DeviceProvider& provider) {
        auto device = std::make_unique<sensorsim::SimDevice>();
        for (int i = 0; i < 4; ++i) {
            sensorsim::SimSensorConfig config;
            config.statorId = tarvik::kStatorNxZid3;
            config.multiportModule = 1;
            config.sensorIndex = static_cast<uint8_t>(i);
            config.serialNumber = 900;
            device->Add(std::make_unique<sensorsim::SimSensor>(config, 11 + i));
            device->Sensor(i).PowerOn(kq::MonotonicMillis());
        }
        const int order[4] = {2, 0, 3, 1};
        for (int n = 0; n < 4; ++n) {
            auto port = std::make_unique<DevicePort>();
            port->name.Format("COM1%d", n);
            port->text = port->name + " USB Serial Port";
            port->device = device.get();
            port->position = order[n];
            provider.ports.push_back(std::move(port));
        }
        provider.devices.push_back(std::move(device));
    }
    void RunDevice(int64_t ms) {
        for (int64_t done = 0; done < ms; done += 10) {
            Advance(10);
            // The sensors' own clocks: a restart ends when its silence is over.
            for (auto& device : provider_->devices) {
                for (int i = 0; i < device->Size(); ++i)
                    device->Sensor(i).Poll(kq::MonotonicMillis());
            }
            provider_->Deliver();
            Pump();
        }
    }
    // The start-up search opens the device it found.
    void StartWithDevice() {
        PrepareStore();
        frame_ = StartAndComplete();
        ASSERT_NE(frame_, nullptr);
        RunDevice(6000);
        connection_ = frame_->GetConnectionPage();
        ASSERT_NE(connection_, nullptr);
        ASSERT_EQ(frame_->m_iNumberOfSensors, 4);
    }
    sensorsim::SimSensor& Sensor(int position) { return provider_->devices[0]->Sensor(position); }
    void ChooseRate(int row, const char* text) {
        connection_->SetBaudrateCellText(row, text);
        connection_->SendMessage(WM_XLISTCTRL_COMBO_SELECTION, static_cast<WPARAM>(row),
                                 CDlgSensorConnection::COL_BAUDRATE);
    }
    int StoredBaudCode(int position) {
        tarvik::StatorOperationBlock block;
        EXPECT_TRUE(block.Decode(Sensor(position).Block(tarvik::kBlockStatorOperation)));
        return block.baudCode;
    }
    DevicePort& PortOf(int position) {
        for (auto& port : provider_->ports) {
            if (port->position == position)
                return *port;
        }
        return *provider_->ports[0];
    }
    // Every sensor's writes of its operation block (which holds the rate), in order.
    void CountRateWrites() {
        for (int i = 0; i < 4; ++i) {
            Sensor(i).onBlockWritten = [this, i](int index) {
                if (index == tarvik::kBlockStatorOperation)
                    rateWrites_.push_back(i);
            };
        }
    }
    // A new search once the sensors' restart silence, kept on the test's clock, is over.
    void SearchAgain() {
        for (int i = 0; i < 4; ++i)
            ASSERT_FALSE(Sensor(i).IsRestarting(kq::MonotonicMillis()));
        frame_->COM_BuildPortTable(2);
        RunDevice(8000);
    }
    int RowOf(const char* port) {
        for (int row = 0; row < connection_->m_listPorts.GetItemCount(); ++row) {
            if (connection_->m_listPorts.GetItemText(row, 0).Find(port) >= 0)
                return row;
        }
        return -1;
    }

    std::function<std::unique_ptr<ISensorPortProvider>()> factory_;
    std::unique_ptr<DeviceProvider> owned_;
    DeviceProvider* provider_ = nullptr;
    CMainFrame* frame_ = nullptr;
    CDlgSensorConnection* connection_ = nullptr;
    std::vector<int> rateWrites_;
};

TEST_F(FourPortDevice, TheFirstStartOpensTheDeviceItFound) {
    // An empty store: no port was ever in use, so none can have gone away.
    frame_ = StartAndComplete();
    ASSERT_NE(frame_, nullptr);
    RunDevice(6000);
    EXPECT_EQ(frame_->m_iNumberOfSensors, 4);
    EXPECT_FALSE(frame_->m_dlgStartUp.IsWindowVisible());
    connection_ = frame_->GetConnectionPage();
    ASSERT_NE(connection_, nullptr);
    for (const char* port : {"[COM10]", "[COM11]", "[COM12]", "[COM13]"}) {
        const int row = RowOf(port);
        ASSERT_GE(row, 0) << port;
        EXPECT_EQ(connection_->m_listPorts.GetItemText(row, CDlgSensorConnection::COL_STATE),
                  GetLanguageString(5125))
            << port;
    }
    // The device's first port is kept as the one used last: the next start opens it again.
    frame_->SaveSettings();
    const CString last = AfxGetApp()->GetProfileString("DespiteReset", "LastUsedComPort", "");
    EXPECT_EQ(last.Find("COM1"), 0) << last.GetString();
}

TEST_F(FourPortDevice, TheDeviceOpensAsOneGroup) {
    StartWithDevice();
    frame_->SetOperatingMode(PAGE_CONNECTION);
    RunDevice(200);
    for (int n = 0; n < 4; ++n) {
        CString port;
        port.Format("[COM1%d]", n);
        const int row = RowOf(port);
        ASSERT_GE(row, 0) << n;
        EXPECT_EQ(connection_->m_listPorts.GetItemText(row, CDlgSensorConnection::COL_STATE),
                  "aktiv");
        EXPECT_EQ(connection_->GroupOfRow(row), 0) << n;
        CString serial;
        serial.Format("900 (%d)", provider_->ports[static_cast<size_t>(n)]->position);
        EXPECT_EQ(connection_->m_listPorts.GetItemText(row, CDlgSensorConnection::COL_SERIAL),
                  serial);
        // The group's colour on the screen, beside the short text of the Address cell.
        CRect cell;
        connection_->m_listPorts.GetSubItemRect(row, CDlgSensorConnection::COL_ADDRESS, LVIR_BOUNDS,
                                                cell);
        connection_->m_listPorts.ClientToScreen(&cell);
        EXPECT_EQ(kq::ui::GetScreenPixel(cell.right - 3, cell.CenterPoint().y),
                  CDlgSensorConnection::kGroupColours[0])
            << n;
    }

    // The information page lists the four sensors in the order of their positions.
    frame_->SetOperatingMode(PAGE_INFORMATION);
    RunDevice(300);
    CDlgSensorInformationPkr* information = frame_->GetInformationPage();
    ASSERT_NE(information, nullptr);
    information->UpdateSensorInformation(TRUE);
    auto* identification = static_cast<CListCtrl*>(information->GetDlgItem(1356));
    ASSERT_TRUE(identification->IsWindowVisible());
    // Nothing of the one sensor's layout stands over the lists.
    for (int id : {1077, 1079, 1081, 1205, 1473, 1474})
        EXPECT_FALSE(information->GetDlgItem(id)->IsWindowVisible()) << id;
    ASSERT_EQ(identification->GetItemCount(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(identification->GetItemText(row, 0), CString(static_cast<char>('1' + row)));
        EXPECT_TRUE(information->GetDlgItem(1395 + row)->IsWindowVisible()) << row;
    }
}

TEST_F(FourPortDevice, EveryPortTakesTheNewRateBeforeTheDeviceRestarts) {
    StartWithDevice();
    frame_->SetOperatingMode(PAGE_CONNECTION);
    RunDevice(200);
    CountRateWrites();
    ChooseRate(RowOf("[COM12]"), "230,4k");
    RunDevice(4000);
    EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_[0].text.GetString());
    std::vector<int> written = rateWrites_;
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<int>{0, 1, 2, 3}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(StoredBaudCode(i), tarvik::kBaudCode230400) << i;
        EXPECT_EQ(Sensor(i).BaudRate(), 230400) << i;
    }
    SearchAgain();
    for (const char* port : {"[COM10]", "[COM11]", "[COM12]", "[COM13]"}) {
        const int row = RowOf(port);
        ASSERT_GE(row, 0) << port;
        EXPECT_EQ(connection_->GetBaudrateCellText(row), "230,4k") << port;
    }
}

TEST_F(FourPortDevice, APortFallingSilentRestartsNothingAndNothingIsWrittenAfterIt) {
    StartWithDevice();
    frame_->SetOperatingMode(PAGE_CONNECTION);
    RunDevice(200);
    // After the second port took the new rate, one of the two still to come stops answering.
    int silent = -1;
    for (int i = 0; i < 4; ++i) {
        Sensor(i).onBlockWritten = [this, i, &silent](int index) {
            if (index != tarvik::kBlockStatorOperation)
                return;
            rateWrites_.push_back(i);
            if (rateWrites_.size() == 2) {
                for (int other = 0; other < 4 && silent < 0; ++other) {
                    if (std::find(rateWrites_.begin(), rateWrites_.end(), other) ==
                        rateWrites_.end())
                        silent = other;
                }
                PortOf(silent).silent = true;
            }
        };
    }
    ChooseRate(RowOf("[COM12]"), "230,4k");
    RunDevice(15000);
    ASSERT_GE(silent, 0);
    ASSERT_FALSE(boxes_.empty());
    ASSERT_EQ(rateWrites_.size(), 2U);
    // The silent port made the engine give the device up, so no port was open for the old rate
    // to be written back: the message names the two ports that keep the new one, in the order
    // of their sensors, and claims no write-back.
    CString expected = GetLanguageString(5677);
    expected.Replace("%s", PortOf(rateWrites_[0]).name + ", " + PortOf(rateWrites_[1]).name);
    EXPECT_EQ(boxes_.back().text, expected);
    // Nothing restarted: every sensor still runs at the old rate until its next power-on (the
    // search after the page's refresh may have opened one of them again at that rate).
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Sensor(i).IsRestartPending()) << i;
        EXPECT_EQ(Sensor(i).BaudRate(), 115200) << i;
    }
    // Nothing is written once the change was given up.
    const size_t writes = rateWrites_.size();
    EXPECT_EQ(writes, 2U);
    RunDevice(5000);
    EXPECT_EQ(rateWrites_.size(), writes);
    PortOf(silent).silent = false;
    SearchAgain();
    for (const char* port : {"[COM10]", "[COM11]", "[COM12]", "[COM13]"}) {
        const int row = RowOf(port);
        ASSERT_GE(row, 0) << port;
        EXPECT_EQ(connection_->GetBaudrateCellText(row), "115,2k") << port;
        EXPECT_NE(connection_->m_listPorts.GetItemText(row, CDlgSensorConnection::COL_STATE),
                  GetLanguageString(IDS_PORT_NOT_AVAILABLE))
            << port;
    }
}

TEST_F(FourPortDevice, APortThatRefusesGetsTheOldRateBackWhereTheNewOneWasTaken) {
    StartWithDevice();
    frame_->SetOperatingMode(PAGE_CONNECTION);
    RunDevice(200);
    // After sensors 0 and 1 took the new rate, sensor 2 is busy streaming: it refuses every
    // block write, the new rate's and the old rate's alike.
    for (int i = 0; i < 4; ++i) {
        Sensor(i).onBlockWritten = [this, i](int index) {
            if (index != tarvik::kBlockStatorOperation)
                return;
            rateWrites_.push_back(i);
            if (rateWrites_.size() == 2)
                Sensor(2).StartStreaming(0, tarvik::kModeCalibrated, kq::MonotonicMillis());
        };
    }
    ChooseRate(RowOf("[COM12]"), "230,4k");
    RunDevice(8000);
    EXPECT_EQ(rateWrites_, (std::vector<int>{0, 1, 0, 1}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(StoredBaudCode(i), tarvik::kBaudCode115200) << i;
    ASSERT_FALSE(boxes_.empty());
    CString expected = GetLanguageString(5676);
    expected.Replace("%s", "2 / 4");
    EXPECT_EQ(boxes_.back().text, expected);
}

TEST_F(FourPortDevice, TheCalibrationPageSeparatesTheDeviceAndKeepsItsFirstSensorAlone) {
    StartWithDevice();
    frame_->SetOperatingMode(PAGE_CALIBRATION);
    RunDevice(200);
    frame_->GetCalibrationPage()->SendMessage(
        WM_COMMAND, MAKEWPARAM(CDlgSensorCalibration::IDC_PERFORM, BN_CLICKED), 0);
    ASSERT_EQ(boxes_.size(), 1U);
    RunDevice(3000);
    // The separation lasts: one sensor, that of the device's first channel, is open alone.
    EXPECT_EQ(frame_->m_iMultiportMode, 2);
    EXPECT_EQ(frame_->m_iActivatedCount, 1);
    EXPECT_LE(frame_->m_iNumberOfSensors, 1);
    EXPECT_EQ(std::count_if(provider_->managers.begin(), provider_->managers.end(),
                            [](const DevicePortManager* m) { return m->IsPortOpen(); }),
              1);
    for (int n = 0; n < 4; ++n) {
        CString port;
        port.Format("[COM1%d]", n);
        const CString state =
            connection_->m_listPorts.GetItemText(RowOf(port), CDlgSensorConnection::COL_STATE);
        EXPECT_EQ(state == GetLanguageString(5125), PortOf(0).name.Find(port.Mid(1, 5)) == 0)
            << port;
    }
    // The bars are those of one sensor, clear of the measure page's Stop button.
    frame_->SetOperatingMode(PAGE_MEASURE_DIAGRAM);
    RunDevice(500);
    EXPECT_TRUE(frame_->m_wndViewBar[0].IsVisible());
    EXPECT_FALSE(frame_->m_wndViewBar[2].IsVisible());
    EXPECT_FALSE(frame_->m_wndViewBar[3].IsVisible());
    CRect stop;
    frame_->GetMeasureDiagramPage()->GetDlgItem(IDC_MD_STOP)->GetWindowRect(&stop);
    for (int channel = 0; channel < 4; ++channel) {
        if (!frame_->m_wndViewBar[channel].IsVisible())
            continue;
        CRect bar;
        CRect overlap;
        frame_->m_wndViewBar[channel].GetWindowRect(&bar);
        EXPECT_FALSE(overlap.IntersectRect(&bar, &stop)) << channel;
    }
}

}  // namespace
}  // namespace apptest
