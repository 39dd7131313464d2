#include "tools/sensorsim/SensorSimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <deque>
#include <limits>

#include "platform/base/Clock.h"
#include "platform/base/StringFormat.h"
#include "protocol/FrameCutter.h"
#include "tools/sensorsim/SimEndpoint.h"
#include "tools/sensorsim/SimLine.h"
#include "tools/sensorsim/StateFile.h"

using namespace tarvik;

namespace sensorsim {
namespace {

// Bytes waiting for a reader before further frames are lost, as on a UART without flow control.
constexpr size_t kMaxPendingBytes = 64 * 1024;
constexpr int kMaxPollWaitMs = 10;
constexpr int64_t kNanosPerMs = 1000000;

std::string Hex(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += kq::Format(i ? " %02X" : "%02X", static_cast<uint8_t>(bytes[i]));
    }
    return text;
}

}  // namespace

struct SensorSimulator::Port {
    explicit Port(uint32_t seed) : faults(seed) {}

    SimEndpoint endpoint;
    SimDevice* device = nullptr;
    int position = 0;
    SimSensor* sensor = nullptr;
    FaultInjector faults;
    FrameCutter cutter;
    CString received;
    struct Pending {
        int64_t dueNanos;  // when the frame starts on the line
        std::string bytes;
    };
    SimLine line;
    uint64_t lostOnTheWayOut = 0;
    std::deque<Pending> outbox;
    std::string writing;
    bool vanishRequested = false;
    bool returnRequested = false;
    bool vanished = false;
    bool overrun = false;
    int lineWarnedBaud = -1;
    int64_t stalledUntilMs = 0;
    int64_t noisyUntilMs = 0;
};

SensorSimulator::SensorSimulator(SimulatorSetup setup, LogSink sink)
    : m_setup(std::move(setup)), m_sink(std::move(sink)) {}

SensorSimulator::~SensorSimulator() {
    Stop();
}

bool SensorSimulator::Start(std::string& error) {
    if (m_thread.joinable()) {
        return true;
    }
    if (pipe2(m_wakeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = "cannot create the wake-up pipe";
        return false;
    }
    uint32_t seed = m_setup.seed;
    std::vector<SimSensor*> sensors;
    for (const SimDeviceSetup& deviceSetup : m_setup.devices) {
        auto device = std::make_unique<SimDevice>();
        for (size_t i = 0; i < deviceSetup.sensors.size(); ++i) {
            auto sensor = std::make_unique<SimSensor>(deviceSetup.sensors[i], seed);
            auto port = std::make_unique<Port>(seed++);
            const bool opened =
                deviceSetup.tcpPort >= 0
                    ? port->endpoint.ListenTcp(
                          deviceSetup.tcpPort == 0 ? 0 : deviceSetup.tcpPort + static_cast<int>(i),
                          error)
                    : port->endpoint.OpenPty(error);
            if (!opened) {
                m_ports.clear();
                m_devices.clear();
                return false;
            }
            if (!m_setup.linkFolder.empty() && !port->endpoint.IsTcp()) {
                port->endpoint.LinkAt(
                    kq::Format("%s/ttyKQ%d", m_setup.linkFolder, static_cast<int>(m_ports.size())));
            }
            port->device = device.get();
            port->position = static_cast<int>(i);
            port->sensor = sensor.get();
            port->faults.Set(deviceSetup.faults);
            sensors.push_back(sensor.get());
            device->Add(std::move(sensor));
            m_ports.push_back(std::move(port));
        }
        m_devices.push_back(std::move(device));
    }
    if (!m_setup.stateFile.empty() && !LoadStateFile(m_setup.stateFile, sensors, error)) {
        m_ports.clear();
        m_devices.clear();
        return false;
    }
    m_startMs = kq::MonotonicMillis();
    for (auto& port : m_ports) {
        Port* p = port.get();
        p->sensor->onLog = [this, p](const std::string& text) { Log(*p, text); };
        p->sensor->onBlockWritten = [this](int) { SaveState(); };
        p->sensor->PowerOn(m_startMs);
        if (p->faults.Faults().streamUnaskedRate >= 0) {
            p->sensor->StartStreaming(std::min(p->faults.Faults().streamUnaskedRate, kMaxRateIndex),
                                      kModeCalibrated, m_startMs);
        }
        Log(*p, kq::Format("sensor %u index %d at %d baud", p->sensor->Config().serialNumber,
                           p->sensor->Config().sensorIndex, p->sensor->BaudRate()));
    }
    m_stop = false;
    m_thread = std::thread([this] { Loop(); });
    return true;
}

void SensorSimulator::Stop() {
    if (m_thread.joinable()) {
        m_stop = true;
        Wake();
        m_thread.join();
    }
    for (int& fd : m_wakeFds) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

std::string SensorSimulator::PortName(int port) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return port >= 0 && port < PortCount() ? m_ports[static_cast<size_t>(port)]->endpoint.Name()
                                           : std::string();
}

int SensorSimulator::TcpPort(int port) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return port >= 0 && port < PortCount() ? m_ports[static_cast<size_t>(port)]->endpoint.TcpPort()
                                           : 0;
}

void SensorSimulator::WithSensor(int port, const std::function<void(SimSensor&)>& fn) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        fn(*m_ports[static_cast<size_t>(port)]->sensor);
    }
    Wake();
}

void SensorSimulator::SetFaults(int port, const SimFaults& faults) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        m_ports[static_cast<size_t>(port)]->faults.Set(faults);
    }
    Wake();
}

void SensorSimulator::Vanish(int port) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        // The loop closes the port itself: it may be polling its descriptors right now.
        m_ports[static_cast<size_t>(port)]->vanishRequested = true;
    }
    Wake();
}

void SensorSimulator::Return(int port) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        m_ports[static_cast<size_t>(port)]->returnRequested = true;
    }
    Wake();
}

void SensorSimulator::VanishOrReturn(Port& port, int64_t now) {
    const int64_t vanishAfter = port.faults.Faults().vanishAfterMs;
    if (!port.vanished &&
        (port.vanishRequested || (vanishAfter >= 0 && now >= m_startMs + vanishAfter))) {
        port.endpoint.Close();
        port.vanished = true;
        port.vanishRequested = false;
        port.outbox.clear();
        port.writing.clear();
        port.line.Clear();
        Log(port, "vanished");
    }
    if (port.returnRequested && port.vanished) {
        std::string error;
        if (!port.endpoint.Reopen(error)) {
            Log(port, "cannot come back: " + error);
        } else {
            // Back for good: the timed vanishing has happened.
            SimFaults faults = port.faults.Faults();
            faults.vanishAfterMs = -1;
            port.faults.Set(faults);
            port.vanished = false;
            port.cutter = FrameCutter();
            port.received.Empty();
            port.overrun = false;
            port.lineWarnedBaud = -1;
            port.sensor->PowerOn(now);
            Log(port, "came back");
        }
    }
    port.returnRequested = false;
}

void SensorSimulator::Stall(int port, int64_t ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        Port& p = *m_ports[static_cast<size_t>(port)];
        p.stalledUntilMs = kq::MonotonicMillis() + ms;
        Log(p, kq::Format("line dead for %lld ms", static_cast<long long>(ms)));
    }
    Wake();
}

void SensorSimulator::Disturb(int port, int64_t ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (port >= 0 && port < PortCount()) {
        Port& p = *m_ports[static_cast<size_t>(port)];
        p.noisyUntilMs = kq::MonotonicMillis() + ms;
        Log(p, kq::Format("noise on the line for %lld ms", static_cast<long long>(ms)));
    }
    Wake();
}

bool SensorSimulator::IsVanished(int port) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return port >= 0 && port < PortCount() && m_ports[static_cast<size_t>(port)]->vanished;
}

void SensorSimulator::Wake() {
    if (m_wakeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(m_wakeFds[1], &byte, 1);
    }
}

void SensorSimulator::Log(const Port& port, const std::string& text) const {
    if (m_sink) {
        const double seconds = static_cast<double>(kq::MonotonicMillis() - m_startMs) / 1000.0;
        m_sink(kq::Format("%9.3f %s %s", seconds, port.endpoint.Name(), text));
    }
}

void SensorSimulator::SaveState() {
    if (m_setup.stateFile.empty()) {
        return;
    }
    std::vector<SimSensor*> sensors;
    for (auto& port : m_ports) {
        sensors.push_back(port->sensor);
    }
    if (!SaveStateFile(m_setup.stateFile, sensors) && !m_ports.empty()) {
        Log(*m_ports.front(), "cannot write the state file " + m_setup.stateFile);
    }
}

int SensorSimulator::PollTimeoutMs(int64_t nowMs) const {
    int64_t due = nowMs + kMaxPollWaitMs;
    for (const auto& device : m_devices) {
        due = std::min(due, device->NextDueMs());
    }
    for (const auto& port : m_ports) {
        if (!port->outbox.empty()) {
            // Rounded up: a wake before the frame is due would find nothing to do.
            due = std::min(due, (port->outbox.front().dueNanos + kNanosPerMs - 1) / kNanosPerMs);
        }
        if (!port->vanished && port->faults.Faults().vanishAfterMs >= 0) {
            due = std::min(due, m_startMs + port->faults.Faults().vanishAfterMs);
        }
    }
    return static_cast<int>(std::clamp<int64_t>(due - nowMs, 0, kMaxPollWaitMs));
}

void SensorSimulator::Loop() {
    std::vector<pollfd> fds;
    std::vector<Port*> owners;
    std::vector<std::pair<int, std::string>> streamed;
    std::vector<int64_t> sampledMs;
    char buffer[4096];
    while (!m_stop) {
        int timeout = 0;
        fds.clear();
        owners.clear();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            fds.push_back({m_wakeFds[0], POLLIN, 0});
            owners.push_back(nullptr);
            for (auto& port : m_ports) {
                if (port->vanished || port->vanishRequested) {
                    continue;
                }
                if (port->endpoint.ListenFd() >= 0) {
                    fds.push_back({port->endpoint.ListenFd(), POLLIN, 0});
                    owners.push_back(port.get());
                }
                if (port->endpoint.DataFd() >= 0) {
                    const short events =
                        static_cast<short>(POLLIN | (port->writing.empty() ? 0 : POLLOUT));
                    fds.push_back({port->endpoint.DataFd(), events, 0});
                    owners.push_back(port.get());
                }
            }
            timeout = PollTimeoutMs(kq::MonotonicMillis());
        }
        poll(fds.data(), fds.size(), timeout);
        if (m_stop) {
            break;
        }

        std::lock_guard<std::mutex> lock(m_mutex);
        const int64_t now = kq::MonotonicMillis();
        while (read(m_wakeFds[0], buffer, sizeof(buffer)) > 0) {
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            Port& port = *owners[i];
            if (port.vanished || port.vanishRequested || fds[i].revents == 0) {
                continue;
            }
            if (fds[i].fd == port.endpoint.ListenFd()) {
                port.endpoint.Accept();
                Log(port, "client connected");
                continue;
            }
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                for (ssize_t n; (n = port.endpoint.Read(buffer, sizeof(buffer))) > 0;) {
                    Receive(port, buffer, static_cast<size_t>(n), now);
                }
            }
        }
        for (auto& device : m_devices) {
            streamed.clear();
            sampledMs.clear();
            device->Tick(now, streamed, &sampledMs);
            for (size_t i = 0; i < streamed.size(); ++i) {
                for (auto& port : m_ports) {
                    if (port->device == device.get() && port->position == streamed[i].first) {
                        SendValueSet(*port, streamed[i].second, sampledMs[i]);
                    }
                }
            }
        }
        const int64_t nowNanos = kq::CurrentClock().MonotonicNanos();
        for (auto& port : m_ports) {
            VanishOrReturn(*port, now);
            Flush(*port, nowNanos);
        }
    }
}

void SensorSimulator::Receive(Port& port, const char* data, size_t size, int64_t nowMs) {
    SimSensor& sensor = *port.sensor;
    sensor.Poll(nowMs);
    if (nowMs < port.stalledUntilMs || nowMs < port.noisyUntilMs) {
        return;  // nothing readable reaches the sensor
    }
    if (m_setup.checkLineSettings && !port.endpoint.LineMatches(sensor.BaudRate())) {
        // The sensor's receiver sees only framing errors at another speed or format.
        if (port.lineWarnedBaud != port.endpoint.LineBaud()) {
            port.lineWarnedBaud = port.endpoint.LineBaud();
            Log(port,
                kq::Format("line at %d baud (or not 8N1), sensor at %d baud: bytes unreadable",
                           port.lineWarnedBaud, sensor.BaudRate()));
        }
        return;
    }
    port.lineWarnedBaud = -1;
    port.received.Append(data, static_cast<int>(size));
    std::vector<std::string> replies;
    Frame frame;
    for (;;) {
        const CutStats before = port.cutter.Stats();
        const bool got = port.cutter.CutFrame(port.received, frame);
        const CutStats& after = port.cutter.Stats();
        for (uint64_t i = before.checkErrors; i < after.checkErrors; ++i) {
            Log(port, "rx frame with wrong check bytes");
            sensor.ReceiveCorrupted(nowMs, replies);
        }
        if (after.droppedBytes > before.droppedBytes) {
            Log(port, kq::Format("rx %llu bytes outside frames dropped",
                                 static_cast<unsigned long long>(after.droppedBytes -
                                                                 before.droppedBytes)));
        }
        if (!got) {
            break;
        }
        Log(port, "rx " + Hex(BuildFrame(frame).Str()));
        sensor.Receive(frame, nowMs, replies);
    }
    for (const std::string& reply : replies) {
        Send(port, reply, nowMs * kNanosPerMs, true, false);
    }
}

void SensorSimulator::SendValueSet(Port& port, const std::string& frame, int64_t sampledMs) {
    Send(port, frame, sampledMs * kNanosPerMs, m_setup.logValueFrames, true);
}

void SensorSimulator::Send(Port& port, const std::string& frame, int64_t atNanos, bool logIt,
                           bool valueSet) {
    if (port.vanished) {
        return;
    }
    if (port.faults.Faults().silent) {
        if (logIt) {
            Log(port, "silent, not sent: " + Hex(frame));
        }
        return;
    }
    const int64_t nowMs = kq::MonotonicMillis();
    if (nowMs < port.stalledUntilMs) {
        return;
    }
    std::string what;
    std::string bytes = port.faults.Apply(frame, what);
    if (!what.empty()) {
        Log(port, "fault: " + what);
    }
    if (bytes.empty()) {
        return;
    }
    if (nowMs < port.noisyUntilMs ||
        (m_setup.checkLineSettings && !port.endpoint.LineMatches(port.sensor->BaudRate()))) {
        // What a receiver set to another speed makes of the frame.
        bytes = port.faults.Noise(bytes.size());
    }
    const int64_t delayed = atNanos + port.faults.Faults().delayMs * kNanosPerMs;
    int64_t due = delayed;
    if (valueSet) {
        due = port.line.SendValueSet(delayed, bytes.size(), port.sensor->BaudRate());
        if (due < 0) {
            LostOnTheWayOut(port);
            return;
        }
    } else if (!port.outbox.empty()) {
        // An answer leaves behind the value sets waiting for the line.
        due = std::max(due, port.outbox.back().dueNanos);
    }
    size_t pending = port.writing.size();
    for (const auto& p : port.outbox) {
        pending += p.bytes.size();
    }
    if (pending + bytes.size() > kMaxPendingBytes) {
        port.sensor->NoteFramesDropped();
        if (!port.overrun) {
            Log(port, "nobody reads: frames dropped");
        }
        port.overrun = true;
        return;
    }
    port.overrun = false;
    if (logIt) {
        Log(port, "tx " + Hex(frame));
    }
    port.outbox.push_back({due, std::move(bytes)});
}

void SensorSimulator::LostOnTheWayOut(Port& port) {
    port.sensor->NoteFramesDropped();
    // The first loss, and then one line per thousand: a sensor asked for more than its line
    // carries loses value sets all the time.
    if (port.lostOnTheWayOut++ % 1000 == 0) {
        Log(port, kq::Format("value sets sampled faster than %d baud carries them: %llu lost "
                             "on the way out",
                             port.sensor->BaudRate(),
                             static_cast<unsigned long long>(port.lostOnTheWayOut)));
    }
}

void SensorSimulator::Flush(Port& port, int64_t nowNanos) {
    while (!port.outbox.empty() && port.outbox.front().dueNanos <= nowNanos) {
        port.writing += port.outbox.front().bytes;
        port.outbox.pop_front();
    }
    if (port.writing.empty() || port.vanished) {
        return;
    }
    if (port.endpoint.DataFd() < 0) {
        port.writing.clear();  // no client on the TCP port: the bytes go nowhere
        return;
    }
    const ssize_t n = port.endpoint.Write(port.writing.data(), port.writing.size());
    if (n > 0) {
        port.writing.erase(0, static_cast<size_t>(n));
    } else if (n < 0) {
        port.writing.clear();
    }
}

}  // namespace sensorsim
