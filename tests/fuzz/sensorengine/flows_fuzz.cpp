// The sensor dialogue's flows against simulated sensors, in any order and on a line that loses,
// damages or adds bytes: a sensor (or the four ports of a multi-port device) is found and opened,
// then each step of the input gives the dialogue a command of the pages (measure, stop, a
// calibration reading, a write, a diagnostic request, a single shot), lets virtual time run with
// the measuring tick and the timers, or spoils the line. Nothing may crash, and a request the
// dialogue still waits for must be guarded by one of its timers.
#include "tests/fuzz/sensorengine/flows_fuzz.h"

#include <algorithm>
#include <string>

#include "protocol/Protocol.h"
#include "sensor/CCalibrationValues.h"
#include "tests/sensor/EngineHarness.h"

using namespace enginetest;
using namespace tarvik;

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// The input, read a byte at a time; 0 once it is used up.
class Steps {
  public:
    Steps(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Virtual time an input may run: long enough for a whole calibration (three readings of 300
// values 25 ms apart), bounded so that measuring on four ports cannot hold the input.
constexpr int64_t kMaxRunMs = 30000;
// What the flows still get at the end, to let waits run out and repeated requests end.
constexpr int64_t kEndRunMs = 5000;
// The fastest measuring rate the input chooses (10 ms): the faster ones take the same paths and
// only cost time.
constexpr int kFirstRate = 3;

class Bench : public Harness {
  public:
    std::vector<SimPort*> sensors;

    bool OpenOneSensor(uint8_t how) {
        SimPort& port =
            AddSensor("COM3 Tarvik USB sensor interface port",
                      SensorConfig(4711, how & 1 ? 230400 : 115200, 1000.0 * (how >> 1), -500.0));
        sensors.push_back(&port);
        if (how & 0x10)
            AddPort("COM4 Communications Port", PortKind::Garbage);
        return ScanAndOpen();
    }

    bool OpenMultiportDevice(uint8_t how) {
        sensorsim::SimDevice& device = AddDevice(FourPortDeviceConfigs());
        for (int n = 0; n < 4; ++n) {
            sensors.push_back(&AddPort("COM1" + std::to_string(n) + " USB Serial Port",
                                       PortKind::Sensor, &device, (n + how) % 4));
        }
        frame.COM_SelectEntry(how % 4);
        frame.COM_CreateMainPortManager(nullptr);
        frame.COM_BuildPortTable(0);
        return RunUntil([this] {
            return frame.activationDone >= 0 && frame.COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE;
        });
    }

    // Runs virtual time within the input's allowance.
    void RunFor(int64_t ms) {
        ms = std::min(ms, m_limit - m_ran);
        if (ms <= 0)
            return;
        m_ran += ms;
        Run(ms);
        CheckWaitIsGuarded();
    }

    // The flows end: waits run out, repeated requests are answered or given up.
    void RunToEnd() {
        m_limit = m_ran + kEndRunMs;
        RunFor(kEndRunMs);
    }

    // A request waited for ends by its reply or its timer, never by nothing.
    void CheckWaitIsGuarded() const { Require(!frame.m_bRequestOutstanding || !timers.empty()); }

    // Bytes of the input straight into a port's receive path.
    void Inject(Steps& steps) {
        const uint8_t where = steps.Next();
        std::string bytes(steps.Next() % 48, '\0');
        for (char& c : bytes)
            c = static_cast<char>(steps.Next());
        const LPARAM buffer = reinterpret_cast<LPARAM>(bytes.data());
        if (where % 5 == 4) {
            frame.OnReceiveConfigFlow(bytes.size(), buffer);
        } else {
            frame.OnReceivePort(bytes.size(), buffer, where % 4);
        }
        CheckWaitIsGuarded();
    }

    void SpoilLine(Steps& steps) {
        const uint8_t how = steps.Next();
        SimPort& port = *sensors[how % sensors.size()];
        port.sent = 0;
        switch ((how >> 2) % 4) {
            case 0:
                port.dropEvery = how >> 4;
                break;
            case 1:
                port.damageEvery = how >> 4;
                break;
            case 2:
                port.Sensor().SetSignal(
                    how >> 4 & 1, sensorsim::SignalShape{sensorsim::SignalShape::Kind::Constant,
                                                         2000.0 * static_cast<int8_t>(how)});
                break;
            default:
                if (how >> 4 == 0xF)
                    Vanish(port);
                break;
        }
    }

    void Write(Steps& steps) {
        const uint8_t what = steps.Next();
        const uint8_t value = steps.Next();
        const int sensor = value % 4;
        switch (what % 9) {
            case 0:
                frame.COM_WriteSoftwareConfigNow(sensor, value & 0x10 ? 0 : 1);
                break;
            case 1:
                frame.COM_ZMCOMConfgSetNewLowPassFilter(sensor,
                                                        (value >> 2) % (kMaxLowPassCode + 1));
                break;
            case 2:
                frame.COM_ZMCOMConfgSetInaccuracy(sensor, (value >> 2) / 8.0, value >> 7);
                break;
            case 3:
                frame.COM_ZMCOMConfgSetBaudrateOfSelectedPort(value & 4 ? kBaudCode230400
                                                                        : kBaudCode115200);
                break;
            case 4:
                frame.COM_ZMCOMConfgSetNewBaudrate(std::max(frame.m_iOpenEntry, 0),
                                                   value & 4 ? kBaudCode230400 : kBaudCode115200);
                break;
            case 5:
                frame.COM_WriteSerialText(sensor, value >> 7, value & 8 ? "A1234" : "XY", 10);
                break;
            case 6:
                frame.COM_ZMCOMConfgDeactivateUserCalib(value & 4);
                break;
            case 7:
                frame.COM_ZMCOMConfgSetSerialNumberRotorOperation(sensor, 0);
                break;
            default:
                frame.COM_ZMCOMRestartDeviceOfPort();
                break;
        }
    }

    void Calibrate(Steps& steps) {
        const uint8_t how = steps.Next();
        switch (how % 4) {
            case 0:
                frame.COM_BeginCalibReading(how & 0x10, how & 0x20);
                frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO);
                break;
            case 1:
                frame.COM_ZMCOMStartReadRawCalib(CALIB_PHASE_SCALE);
                break;
            case 2:
                frame.COM_UseScaleReadingAsControl(how >> 7);
                frame.COM_ZMCOMStartReadRawCalib((how >> 2) % 3);
                break;
            default:
                frame.COM_ZMCOMStopReadRawCalib();
                break;
        }
    }

    void Step(Steps& steps) {
        const uint8_t op = steps.Next();
        switch (op % 10) {
            case 0:
            case 1:
                RunFor(1 + 40 * steps.Next());
                return;
            case 2:
                frame.COM_SetMeasureRate(kFirstRate +
                                         steps.Next() % (kMaxRateIndex + 1 - kFirstRate));
                frame.COM_ZMCOMStartMeasure();
                break;
            case 3:
                frame.COM_ZMCOMStopMeasure();
                break;
            case 4:
                frame.COM_SendDiagnosticRequest(steps.Next() % CComPort::COM_DIAG_KINDS);
                break;
            case 5:
                Calibrate(steps);
                break;
            case 6:
                Write(steps);
                break;
            case 7:
                frame.COM_ZMCOMSingleShot();
                break;
            case 8:
                SpoilLine(steps);
                break;
            default:
                Inject(steps);
                return;
        }
        CheckWaitIsGuarded();
    }

  private:
    int64_t m_ran = 0;
    int64_t m_limit = kMaxRunMs;
};

}  // namespace

int FuzzSensorFlows(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    Steps steps(data, size);
    const uint8_t setup = steps.Next();
    Bench bench;
    const bool open =
        setup & 1 ? bench.OpenMultiportDevice(setup >> 1) : bench.OpenOneSensor(setup >> 1);
    if (!open)
        return 0;
    while (steps.More())
        bench.Step(steps);
    bench.RunToEnd();
    return 0;
}
