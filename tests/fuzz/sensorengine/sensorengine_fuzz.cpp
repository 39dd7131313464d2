// Received bytes of any kind into the sensor dialogue, in each step where it waits for a sensor:
// whatever arrives, the dialogue must not crash, and a request it still waits for must still be
// guarded by its timer. The first byte chooses the step, the second the size of the deliveries,
// the third whether they come from the main port or from a port of a multi-port device and
// whether the engine's timers run: then after each delivery the timer armed first expires, and
// after the last one the timers run on, so that waits end, requests are repeated and the
// opening, write, calibration and multi-port flows go on to their next steps.
//
// An input whose first byte is kFlowsMark drives the flows against simulated sensors instead
// (flows_fuzz.cpp).
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"
#include "tests/fuzz/sensorengine/flows_fuzz.h"

using namespace tarvik;

namespace {

constexpr uint8_t kFlowsMark = 0xF5;

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

class NullPort final : public ISensorPort {
  public:
    bool OpenPort(const CString&, int) override { return open = true; }
    void ClosePort(bool) override { open = false; }
    bool IsPortOpen() const override { return open; }
    bool Write(std::string_view) override { return open; }
    CString GetStateText() const override { return open ? "COM1" : "OffLine"; }
    bool open = true;
};

class Hosts final : public ISensorPortProvider, public IComPortTimers {
  public:
    std::set<UINT> armed;
    std::vector<UINT> order;  // armed timers, the earliest first
    std::unique_ptr<ISensorPort> CreatePortManager(HWND, UINT, UINT) override {
        return std::make_unique<NullPort>();
    }
    std::vector<CString> EnumeratePorts(bool) override { return {"COM1 Tarvik USB"}; }
    void ArmFrameTimer(UINT id, UINT) override {
        if (armed.insert(id).second)
            order.push_back(id);
    }
    void KillFrameTimer(UINT id) override {
        armed.erase(id);
        std::erase(order, id);
    }
    // The timer armed first, taken off as a one-shot timer is before it acts; 0 for none.
    UINT Expire() {
        if (order.empty())
            return 0;
        const UINT id = order.front();
        KillFrameTimer(id);
        return id;
    }
    bool StartTick(UINT, UINT, std::function<void()>) override { return true; }
    void StopTick() override {}
};

class FuzzFrame final : public CComPort {
  public:
    void UpdateMeasuredValues(MeasuredValueReason, const MeasuredValueSet&) override {
        Require(m_iNumberOfSensors != 0);
    }
    void SetStopMeasureDuringScan(BOOL) override {}
    BOOL RestoreWindowAndBarState() override { return TRUE; }
    void SetupChannelsOfSensor(int, int) override {}
    void TakeOverSoftwareScaling(int) override {}
    void StoreChannelSettingsInSoftwareConfig(int) override {}
    void ShowMeasureAdjustNotice() override {}
    void COM_ShowMessage(const CString&) override {}
    void OnMultiChannelActivationDone(int) override {}

    // Puts the dialogue into one of the steps where it waits for replies, with the ports of a
    // multi-port device at hand.
    void Prepare(uint8_t choice) {
        for (auto& port : m_apPortManSensor) {
            port = std::make_unique<NullPort>();
        }
        m_iEntryCount = 1;
        m_aEntries[0].iStateId = 0;
        m_aEntries[0].iState = PORT_STATE_OPEN;
        m_aEntries[0].strPortName = "COM1";
        m_iOpenEntry = 0;
        m_iNumberOfSensors = 1;
        m_pCurrentPortMan = m_pPortMan.get();
        static const int kExpect[] = {kReplyIdentification, kReplyStatusLong, kReplyBlockContent,
                                      kReplyAck, kReplyValues};
        const int expect = kExpect[choice % 5];
        switch ((choice / 5) % 6) {
            case 0:  // the search
                m_iScanIndex = 0;
                m_iZMCOMConfgFlow = choice & 0x80 ? ZM_SCAN_CHECK_ADDRESS : ZM_SCAN_READ_BLOCKS;
                ScanSend(TarSend_RequestIdentification(), expect);
                return;
            case 1:  // opening
                m_bOpenDialogue = true;
                m_iOpenSensor = 0;
                m_iOpenPort = kCurrentPort;
                m_iOpenBlock = choice % kBlockCount;
                m_iZMCOMConfgFlow = ZM_START_INIT;
                break;
            case 2:  // measuring
                m_iZMCOMConfgFlow = ZM_MEASURE;
                m_bMeasuring = TRUE;
                m_bFastRate = (choice & 0x80) != 0;
                m_pfnReplyAnalyser = &FuzzFrame::AnalyseValueSet;
                break;
            case 3:  // raw calibration readings
                m_iZMCOMConfgFlow = ZM_READ_RAW_CALIB_INIT;
                m_iCalibPhase = choice % 3;
                m_pfnReplyAnalyser = &FuzzFrame::AnalyseRawReading;
                break;
            case 4:  // a multi-port device measuring
                m_iNumberOfSensors = 2;
                m_abSlotReady[0] = m_abSlotReady[1] = true;
                m_aiSlotPosition[1] = 1;
                m_aligner.Start(2);
                m_iZMCOMConfgFlow = ZM_MEASURE;
                m_iZMCOMConfgFlowMulti = ZM4_MEASURE;
                m_bMeasuring = TRUE;
                m_pfnReplyAnalyser = &FuzzFrame::AnalyseMultiportValueSet;
                break;
            default:  // a write waiting for its acknowledge
                m_iZMCOMConfgFlow =
                    (choice & 1) ? ZM_SET_INACCURACY_USERCALIB : ZM_SET_SOFTWARE_CONFIG;
                break;
        }
        SendRequest(TarSend_RequestStatusLong(), expect);
    }
    bool Waiting() const { return m_bRequestOutstanding; }
    void Expire(UINT id) { COM_RunTimerStep(id); }
    UINT WaitTimer() const { return m_request.timerId; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 1 && data[0] == kFlowsMark) {
        return FuzzSensorFlows(data + 1, size - 1);
    }
    if (size < 3) {
        return 0;
    }
    Hosts hosts;
    FuzzFrame frame;
    frame.COM_SetInterfaces(&hosts, &hosts, nullptr);
    frame.COM_SetFrameCounterCheck(TRUE);
    frame.COM_CreateMainPortManager(nullptr);
    frame.Prepare(data[0]);
    const size_t chunk = 1 + data[1] % 64;
    const int port = data[2] % 3 - 1;  // the main port, or port 0 or 1
    const bool timersRun = (data[2] / 3) % 2 != 0;
    const auto check = [&] {
        Require(!frame.Waiting() || hosts.armed.count(frame.WaitTimer()) == 1);
        Require(frame.m_strReceiveCOM.GetLength() < 2 * kMaxFrameSize + 64);
    };
    const auto expireOne = [&] {
        const UINT id = hosts.Expire();
        if (id != 0)
            frame.Expire(id);
        return id != 0;
    };
    for (size_t at = 3; at < size; at += chunk) {
        const size_t n = std::min(chunk, size - at);
        const LPARAM buffer = reinterpret_cast<LPARAM>(data + at);
        if (port < 0) {
            frame.OnReceiveConfigFlow(n, buffer);
        } else {
            frame.OnReceivePort(n, buffer, port);
        }
        check();
        if (timersRun && expireOne())
            check();
    }
    // Bounded: a dialogue that re-arms its timers for ever must not hold the input.
    for (int round = 0; timersRun && round < 64 && expireOne(); ++round)
        check();
    return 0;
}
