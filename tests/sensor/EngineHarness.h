// Drives the sensor dialogue against simulated sensors without any I/O: ports backed by the
// simulator's devices, the frame's one-shot timers and the periodic tick on the virtual clock,
// pages that record what they are told, and a frame that records the values it receives.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "protocol/FrameCutter.h"
#include "protocol/Protocol.h"
#include "sensor/CComPort.h"
#include "sensor/CMasterSlaveDetector.h"
#include "sensor/ComPortTimerIds.h"
#include "tools/sensorsim/SimDevice.h"

namespace enginetest {

class Harness;

// What sits behind a port name.
enum class PortKind { Sensor, Silent, Garbage, Busy };

struct SimPort {
    CString text;  // "COM3 description"
    CString name;  // "COM3"
    PortKind kind = PortKind::Sensor;
    sensorsim::SimDevice* device = nullptr;
    int position = 0;
    bool vanished = false;
    int dropEvery = 0;     // every n-th frame the sensor sends is lost
    int damageEvery = 0;   // every n-th frame the sensor sends arrives with a wrong check byte
    int vanishAfter = -1;  // the port goes away once the sensor has understood this many frames
    int sent = 0;
    class SimPortManager* openBy = nullptr;
    int openBaud = 0;
    tarvik::FrameCutter cutter;
    CString received;
    std::vector<std::string> requests;  // every frame the sensor understood, in order

    sensorsim::SimSensor& Sensor() { return device->Sensor(position); }
    bool LineMatches() const {
        return kind != PortKind::Sensor || device->Sensor(position).BaudRate() == openBaud;
    }
};

class SimPortManager final : public ISensorPort {
  public:
    SimPortManager(Harness& harness, UINT message) : m_harness(harness), m_message(message) {}
    ~SimPortManager() override { ClosePort(false); }
    bool OpenPort(const CString& portName, int baudrate) override;
    void ClosePort(bool removed) override;
    bool IsPortOpen() const override { return m_port != nullptr; }
    bool Write(std::string_view bytes) override;
    CString GetStateText() const override { return m_port ? m_port->name : CString("OffLine"); }
    UINT Message() const { return m_message; }
    SimPort* Port() const { return m_port; }

  private:
    Harness& m_harness;
    UINT m_message;
    SimPort* m_port = nullptr;
};

// Records every call, with its arguments, in order.
class FakePages final : public IComPortPages {
  public:
    std::vector<std::string> calls;
    BOOL onlyUsb = FALSE;
    BOOL measuring = FALSE;
    int uncertaintyAction = 0;
    CComPort* engine = nullptr;
    // Adjustment computed like the calibration page: scale value per channel as a fraction of
    // the range, target digits per channel.
    double loadRatio = 0.5;
    DWORD targetDigits = 10000;

    void Note(const std::string& s) { calls.push_back(s); }
    int Count(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(),
                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    void ShowProgressBar(int n) override { Note("ShowProgressBar(" + std::to_string(n) + ")"); }
    void SetPortProgress(int p) override { Note("SetPortProgress(" + std::to_string(p) + ")"); }
    void AdvanceProgress(int k) override { Note("AdvanceProgress(" + std::to_string(k) + ")"); }
    void PresetProgressStep() override { Note("PresetProgressStep"); }
    void StopProgress() override { Note("StopProgress"); }
    void ShowScanFinished() override { Note("ShowScanFinished"); }
    void SetProgressActive(BOOL a) override {
        Note("SetProgressActive(" + std::to_string(a) + ")");
    }
    void HideStartUpWindow() override { Note("HideStartUpWindow"); }
    BOOL IsSearchForOnlyUsbPorts() override { return onlyUsb; }
    void FillPortRow(const CString& name, int row, int state, DWORD, COLORREF) override {
        Note("FillPortRow(" + name.Str() + "," + std::to_string(row) + "," + std::to_string(state) +
             ")");
    }
    void RebuildPortList(int mode) override {
        Note("RebuildPortList(" + std::to_string(mode) + ")");
    }
    void SetEnablingOfAllPorts(int f) override {
        Note("SetEnablingOfAllPorts(" + std::to_string(f) + ")");
    }
    void SetCheckboxCellsOk() override { Note("SetCheckboxCellsOk"); }
    void OnPortRefreshDone() override { Note("OnPortRefreshDone"); }
    void SetXPicoBaudrateForPort(int, int, BOOL) override { Note("SetXPicoBaudrateForPort"); }
    void UpdatePortStates(int, BOOL) override { Note("UpdatePortStates"); }
    void SetPortRowStateAndSerial(int row, const CString& state, const CString& serial) override {
        Note("SetPortRowStateAndSerial(" + std::to_string(row) + "," + state.Str() + "," +
             serial.Str() + ")");
    }
    void ClearActivationBusy() override { Note("ClearActivationBusy"); }
    void ArmConnectionPageTimer(UINT id, UINT ms) override {
        Note("ArmConnectionPageTimer(" + std::to_string(id) + "," + std::to_string(ms) + ")");
    }
    void ArmInformationPageTimer(UINT id, UINT ms) override {
        Note("ArmInformationPageTimer(" + std::to_string(id) + "," + std::to_string(ms) + ")");
    }
    void ShowControlElements(BOOL e) override {
        Note("ShowControlElements(" + std::to_string(e) + ")");
    }
    void AdvanceCalibProgress(int k) override {
        Note("AdvanceCalibProgress(" + std::to_string(k) + ")");
    }
    BOOL CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) override;
    int GetUncertaintyAction() override { return uncertaintyAction; }
    void StartZeroWaitTimer() override { Note("StartZeroWaitTimer"); }
    void ShowNotLoadedIndicator() override { Note("ShowNotLoadedIndicator"); }
    void CloseScaleDialogIfVisible() override { Note("CloseScaleDialogIfVisible"); }
    void OnMeasureTick() override { ++ticks; }
    BOOL IsMeasuring() override { return measuring; }
    void SetControlSignalState(int on) override {
        Note("SetControlSignalState(" + std::to_string(on) + ")");
    }
    void OnSensorConnected() override { Note("OnSensorConnected"); }
    void OnSensorDisconnected() override { Note("OnSensorDisconnected"); }
    struct DiagnosticReply {
        int kind;
        std::string frame;
        BOOL answered;
    };
    std::vector<DiagnosticReply> diagnostics;
    void OnDiagnosticReply(int kind, const CString& frame, BOOL answered) override {
        diagnostics.push_back({kind, frame.Str(), answered});
    }

    int ticks = 0;
};

// The main frame as far as the dialogue sees it. Its timer handler kills the timer, runs the
// frame's own steps and hands every other id to the engine.
class TestFrame final : public CComPort {
  public:
    struct ValueSet {
        int32_t raw[4];
    };
    std::vector<ValueSet> values;
    std::vector<std::string> notes;
    std::vector<CString> messages;
    int activationDone = -1;
    bool readyTimerRan = false;
    bool closeAgain = false;
    bool streamingSensorMessage = false;

    std::vector<int> reasons;  // of every UpdateMeasuredValues
    void UpdateMeasuredValues(MeasuredValueReason reason, const MeasuredValueSet& set) override {
        reasons.push_back(static_cast<int>(reason));
        if (reason == MeasuredValueReason::ValueSet) {
            values.push_back({{set.alRaw[0], set.alRaw[1], set.alRaw[2], set.alRaw[3]}});
        }
    }
    void SetStopMeasureDuringScan(BOOL flag) override {
        notes.push_back("SetStopMeasureDuringScan(" + std::to_string(flag) + ")");
    }
    BOOL RestoreWindowAndBarState() override {
        notes.push_back("RestoreWindowAndBarState");
        return TRUE;
    }
    void SetupChannelsOfSensor(int s, int mode) override {
        notes.push_back("SetupChannelsOfSensor(" + std::to_string(s) + "," + std::to_string(mode) +
                        ")");
    }
    void TakeOverSoftwareScaling(int s) override {
        notes.push_back("TakeOverSoftwareScaling(" + std::to_string(s) + ")");
    }
    void StoreChannelSettingsInSoftwareConfig(int s) override {
        notes.push_back("StoreChannelSettingsInSoftwareConfig(" + std::to_string(s) + ")");
    }
    void ShowMeasureAdjustNotice() override { notes.push_back("ShowMeasureAdjustNotice"); }
    void COM_ShowMessage(const CString& text) override { messages.push_back(text); }
    void OnMultiChannelActivationDone(int activated) override { activationDone = activated; }

    // The frame's part of its one-shot timers.
    void OnFrameTimer(UINT id);
    // Multi-port detection as the diagnostic page and the frame's timer 14 do it.
    void DetectAndActivateMultiport();

    // Protected members that the tests look at.
    bool OpenDialogueRunning() const { return m_bOpenDialogue; }
    // Closes every port and drops the port managers before the ports they stand for go.
    void ReleasePorts() {
        COM_CloseSensorPorts();
        m_pPortMan.reset();
        for (auto& port : m_apPortManSensor) {
            port.reset();
        }
    }
};

class Harness : public ISensorPortProvider, public IComPortTimers {
  public:
    kq::ScopedVirtualClock clock;
    FakePages pages;
    TestFrame frame;
    std::vector<std::unique_ptr<sensorsim::SimDevice>> devices;
    std::vector<std::unique_ptr<SimPort>> ports;
    std::map<UINT, int64_t> timers;  // id → due (virtual ms)
    std::vector<UINT> fired;
    std::function<void()> tick;
    UINT tickMs = 0;
    int64_t tickDue = 0;
    std::vector<SimPortManager*> managers;
    std::deque<std::pair<SimPortManager*, std::string>> pending;
    uint32_t noise = 12345;

    Harness() {
        pages.engine = &frame;
        frame.COM_SetInterfaces(this, this, &pages);
        frame.COM_SetFrameCounterCheck(TRUE);
    }
    ~Harness() override { frame.ReleasePorts(); }

    int64_t Now() const { return kq::MonotonicMillis(); }

    // ---- Building the bench ----
    sensorsim::SimDevice& AddDevice(const std::vector<sensorsim::SimSensorConfig>& configs) {
        auto device = std::make_unique<sensorsim::SimDevice>();
        for (const auto& config : configs) {
            device->Add(std::make_unique<sensorsim::SimSensor>(config, 7));
            device->Sensor(device->Size() - 1).PowerOn(Now());
        }
        devices.push_back(std::move(device));
        return *devices.back();
    }
    SimPort& AddPort(const std::string& text, PortKind kind, sensorsim::SimDevice* device = nullptr,
                     int position = 0) {
        auto port = std::make_unique<SimPort>();
        port->text = text.c_str();
        port->name = text.substr(0, text.find(' ')).c_str();
        port->kind = kind;
        port->device = device;
        port->position = position;
        ports.push_back(std::move(port));
        return *ports.back();
    }
    SimPort& AddSensor(const std::string& text, const sensorsim::SimSensorConfig& config) {
        return AddPort(text, PortKind::Sensor, &AddDevice({config}), 0);
    }
    SimPort* Find(const CString& name) {
        for (auto& p : ports) {
            if (p->name == name && !p->vanished) {
                return p.get();
            }
        }
        return nullptr;
    }

    // ---- ISensorPortProvider ----
    std::unique_ptr<ISensorPort> CreatePortManager(HWND, UINT message, UINT) override {
        auto manager = std::make_unique<SimPortManager>(*this, message);
        managers.push_back(manager.get());
        return manager;
    }
    std::vector<CString> EnumeratePorts(bool) override {
        std::vector<CString> list;
        for (auto& p : ports) {
            if (!p->vanished) {
                list.push_back(p->text);
            }
        }
        return list;
    }

    // ---- IComPortTimers ----
    void ArmFrameTimer(UINT id, UINT ms) override { timers[id] = Now() + std::max<UINT>(ms, 1); }
    void KillFrameTimer(UINT id) override { timers.erase(id); }
    bool StartTick(UINT ms, UINT, std::function<void()> fn) override {
        tick = std::move(fn);
        tickMs = ms;
        tickDue = Now() + ms;
        return true;
    }
    void StopTick() override {
        tick = nullptr;
        tickMs = 0;
    }

    // ---- Bytes from the sensors to the dialogue ----
    void Send(SimPort& port, const std::string& frame) {
        if (!port.openBy || port.vanished) {
            return;
        }
        ++port.sent;
        if (port.dropEvery > 0 && port.sent % port.dropEvery == 0) {
            return;
        }
        std::string bytes = port.LineMatches() ? frame : Noise(frame.size());
        if (port.damageEvery > 0 && port.sent % port.damageEvery == 0 && !bytes.empty()) {
            bytes.back() = static_cast<char>(bytes.back() ^ 0x5A);
        }
        pending.emplace_back(port.openBy, bytes);
    }
    std::string Noise(size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i) {
            noise = noise * 1103515245u + 12345u;
            s.push_back(static_cast<char>((noise >> 16) & 0xFF));
        }
        return s;
    }
    // While set, what the sensors send waits, as for a reading thread that stands still.
    bool holdDelivery = false;
    // Hands over what waits one port after another (in the order the ports were opened), each
    // port's bytes at once, as a reading thread does that catches up.
    void DeliverPortByPort() {
        std::stable_sort(pending.begin(), pending.end(), [this](const auto& a, const auto& b) {
            return std::find(managers.begin(), managers.end(), a.first) <
                   std::find(managers.begin(), managers.end(), b.first);
        });
        holdDelivery = false;
        Deliver();
    }
    void Deliver() {
        while (!holdDelivery && !pending.empty()) {
            auto [manager, bytes] = pending.front();
            pending.pop_front();
            if (std::find(managers.begin(), managers.end(), manager) == managers.end() ||
                !manager->IsPortOpen()) {
                continue;
            }
            const UINT message = manager->Message();
            const WPARAM count = bytes.size();
            const LPARAM buffer = reinterpret_cast<LPARAM>(bytes.data());
            if (message == COM_MSG_RECEIVED) {
                frame.OnReceiveConfigFlow(count, buffer);
            } else {
                frame.OnReceivePort(count, buffer,
                                    static_cast<int>(message - COM_MSG_RECEIVED_PORT0));
            }
        }
    }
    void Stream() {
        std::vector<std::pair<int, std::string>> out;
        for (auto& device : devices) {
            out.clear();
            device->Tick(Now(), out);
            for (auto& [position, bytes] : out) {
                for (auto& port : ports) {
                    if (port->device == device.get() && port->position == position) {
                        Send(*port, bytes);
                    }
                }
            }
        }
    }

    // Runs the bench for ms of virtual time: bytes are delivered as soon as they are sent,
    // timers and the tick fire when due, streaming sensors send when their samples fall due.
    void Run(int64_t ms) {
        const int64_t end = Now() + ms;
        for (;;) {
            Deliver();
            int64_t next = end;
            for (auto& [id, due] : timers) {
                next = std::min(next, due);
            }
            if (tick) {
                next = std::min(next, tickDue);
            }
            for (auto& device : devices) {
                next = std::min(next, device->NextDueMs());
            }
            next = std::max(next, Now());
            if (next > end) {
                break;
            }
            clock->AdvanceMillis(next - Now());
            Stream();
            Deliver();
            std::vector<UINT> due;
            for (auto& [id, at] : timers) {
                if (at <= Now()) {
                    due.push_back(id);
                }
            }
            for (UINT id : due) {
                if (!timers.count(id) || timers[id] > Now()) {
                    continue;
                }
                timers.erase(id);  // one-shot: killed before it acts
                fired.push_back(id);
                frame.OnFrameTimer(id);
                Deliver();
            }
            if (tick && tickDue <= Now()) {
                tickDue = Now() + tickMs;
                auto fn = tick;
                fn();
            }
            if (Now() >= end && (pending.empty() || holdDelivery)) {
                bool more = false;
                for (auto& [id, at] : timers) {
                    more = more || at <= Now();
                }
                if (!more) {
                    break;
                }
            }
        }
    }

    // Runs until the predicate holds, at most ms; true when it held.
    template <typename Pred>
    bool RunUntil(Pred pred, int64_t ms = 20000) {
        for (int64_t t = 0; t < ms; t += 5) {
            if (pred()) {
                return true;
            }
            Run(5);
        }
        return pred();
    }

    void Vanish(SimPort& port) {
        port.vanished = true;
        if (port.openBy) {
            for (auto it = pending.begin(); it != pending.end();) {
                it = it->first == port.openBy ? pending.erase(it) : it + 1;
            }
        }
    }

    // Scans and lets the scan's end open the sensor; true when a sensor is open and at rest.
    bool ScanAndOpen() {
        frame.COM_CreateMainPortManager(nullptr);
        frame.COM_BuildPortTable(0);
        return RunUntil([this] {
            return frame.readyTimerRan && frame.m_iOpenEntry >= 0 &&
                   frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
        });
    }
};

// ---- Out-of-line parts -------------------------------------------------------------------------

inline bool SimPortManager::OpenPort(const CString& portName, int baudrate) {
    ClosePort(false);
    SimPort* port = m_harness.Find(portName);
    if (!port || port->kind == PortKind::Busy || port->openBy) {
        return false;
    }
    m_port = port;
    port->openBy = this;
    port->openBaud = baudrate;
    port->received.Empty();
    return true;
}

inline void SimPortManager::ClosePort(bool) {
    if (m_port) {
        m_port->openBy = nullptr;
        m_port = nullptr;
    }
}

inline bool SimPortManager::Write(std::string_view bytes) {
    if (m_port && m_port->vanishAfter >= 0 &&
        static_cast<int>(m_port->requests.size()) >= m_port->vanishAfter) {
        m_harness.Vanish(*m_port);
    }
    if (!m_port || m_port->vanished) {
        return false;
    }
    SimPort& port = *m_port;
    switch (port.kind) {
        case PortKind::Silent:
        case PortKind::Busy:
            return true;
        case PortKind::Garbage:
            m_harness.Send(port, m_harness.Noise(48));
            return true;
        case PortKind::Sensor:
            break;
    }
    if (!port.LineMatches()) {
        return true;  // the sensor's receiver sees only framing errors
    }
    port.received.Append(bytes.data(), static_cast<int>(bytes.size()));
    tarvik::Frame frame;
    std::vector<std::string> replies;
    while (port.cutter.CutFrame(port.received, frame)) {
        port.requests.push_back(tarvik::BuildFrame(frame).Str());
        port.Sensor().Receive(frame, m_harness.Now(), replies);
    }
    for (const std::string& reply : replies) {
        m_harness.Send(port, reply);
    }
    return true;
}

inline void TestFrame::OnFrameTimer(UINT id) {
    switch (id) {
        case COM_TIMER_SENSOR_READY:
            readyTimerRan = true;
            COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
            return;
        case COM_TIMER_MULTIPORT_DETECTION:
            DetectAndActivateMultiport();
            return;
        case COM_TIMER_STREAMING_SENSOR:
            streamingSensorMessage = true;
            return;
        case COM_TIMER_CLOSE_AGAIN:
            closeAgain = true;
            return;
        default:
            COM_RunTimerStep(id);
            return;
    }
}

inline void TestFrame::DetectAndActivateMultiport() {
    CMasterSlaveDetector detector;
    detector.AddCandidates(m_aEntries, m_iEntryCount);
    detector.Detect();
    COM_BeginMultiportEvaluation();
    if (!detector.HasResult() || m_iMultiportMode == 2) {
        if (!COM_OpenFirstSensorPort()) {
            COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
        }
        return;
    }
    COM_MarkMultiportGroups(detector.GetResultCount());
    if (m_iSelectedEntry > -1) {
        if (detector.IsPortInMultiportGroup(m_aEntries[m_iSelectedEntry].strPortName)) {
            m_iActivatedCount = 0;
            m_pTimers->ArmFrameTimer(COM_TIMER_OPEN_NEXT_SENSOR, 250);
        } else {
            COM_OpenFirstSensorPort();
        }
        return;
    }
    if (m_iSensorsFound > 4) {
        return;
    }
    m_iActivatedCount = 0;
    m_iSelectedEntry = m_iLastFoundEntry;
    m_iLastFoundEntry += COM_MAX_PORTS;
    m_pTimers->ArmFrameTimer(COM_TIMER_OPEN_NEXT_SENSOR, 50);
}

inline BOOL FakePages::CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) {
    Note("CalcualteCalibValues(" + std::to_string(askUser) + "," + std::to_string(readingSet) +
         ")");
    errors = 0;
    BOOL ok = TRUE;
    for (int ch = 0; ch < 2; ++ch) {
        CCalibrationValues& v = engine->m_aCalib[ch];
        const double range = engine->m_aSensorRecord[0].dRange[ch];
        const double z = v.slZeroReading;
        const double e = v.slScaleReading;
        const double c = v.ucNoBuiltInControl ? e : v.slControlReading;
        const double s = targetDigits;
        if (e <= z + s * 0.4) {
            errors |= ch == 0 ? 0x10 : 0x20;
            ok = FALSE;
            continue;
        }
        v.slOffset = static_cast<int32_t>(32768 - z);
        const double control = (c - z) != 0 ? s / (c - z) : 0.0;
        const double gain = ((s / loadRatio) / (e - z)) * (loadRatio / range) * range;
        auto counts = [](double x, int32_t& out) {
            if (x < 0.0 || x > 2.0) {
                out = 0;
                return false;
            }
            out = static_cast<int32_t>(x / 3.0517578125e-5);
            return true;
        };
        if (!counts(control, v.slControl)) {
            errors |= ch == 0 ? 0x04 : 0x08;
            ok = FALSE;
        }
        if (!counts(gain, v.slGain)) {
            errors |= ch == 0 ? 0x01 : 0x02;
            ok = FALSE;
        }
        v.dwDigits = static_cast<DWORD>((s / loadRatio) * range);
    }
    return ok;
}

// A sensor as the simulator plays it by default, with a serial number and a constant load.
inline sensorsim::SimSensorConfig SensorConfig(uint32_t serial, int baud = 115200,
                                               double loadA = 25000.0, double loadB = -5000.0) {
    sensorsim::SimSensorConfig config;
    config.serialNumber = serial;
    config.baudCode = baud == 230400 ? tarvik::kBaudCode230400 : tarvik::kBaudCode115200;
    config.channel[0].signal =
        sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, loadA};
    config.channel[1].signal =
        sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant, loadB};
    return config;
}

// The four sensors of a multi-port device, indexes 0-3, each with its own constant load on A.
inline std::vector<sensorsim::SimSensorConfig> FourPortDeviceConfigs() {
    std::vector<sensorsim::SimSensorConfig> configs;
    for (int i = 0; i < 4; ++i) {
        sensorsim::SimSensorConfig config = SensorConfig(900, 115200, 5000.0 * (i + 1), 0.0);
        config.statorId = tarvik::kStatorNxZid3;
        config.multiportModule = 1;
        config.sensorIndex = static_cast<uint8_t>(i);
        configs.push_back(config);
    }
    return configs;
}

}  // namespace enginetest
