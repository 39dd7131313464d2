// Plays one or several sensors on pseudo-terminals or TCP ports. A thread of its own polls the
// ports, feeds received frames to the sensors, streams their value sets and applies the faults
// asked for; everything it does goes to the log sink.
//
// Sensor time comes from kq::CurrentClock(), so a test on a virtual clock decides when streamed
// samples and restart silences fall due; the loop itself waits in real time (at most 10 ms).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/sensorsim/SimDevice.h"
#include "tools/sensorsim/SimFaults.h"
#include "tools/sensorsim/SimSensorConfig.h"

namespace sensorsim {

struct SimDeviceSetup {
    std::vector<SimSensorConfig> sensors;  // one per port; several make a multi-port device
    SimFaults faults;                      // for every port of the device
    int tcpPort = -1;                      // >= 0: TCP ports from this one on (0: any free)
};

struct SimulatorSetup {
    std::vector<SimDeviceSetup> devices;
    std::string stateFile;          // "" keeps the blocks in memory only
    std::string linkFolder;         // "": ports are named by their pseudo-terminals' paths
    bool checkLineSettings = true;  // refuse bytes sent at another baud rate or not 8N1
    bool logValueFrames = false;    // also log every streamed value set
    uint32_t seed = 1;
};

class SensorSimulator {
  public:
    using LogSink = std::function<void(const std::string& line)>;

    explicit SensorSimulator(SimulatorSetup setup, LogSink sink = {});
    ~SensorSimulator();
    SensorSimulator(const SensorSimulator&) = delete;
    SensorSimulator& operator=(const SensorSimulator&) = delete;

    // Opens every port, powers the sensors on and starts the thread.
    bool Start(std::string& error);
    void Stop();

    int PortCount() const { return static_cast<int>(m_ports.size()); }
    // Slave path of a pseudo-terminal (or its link in the link folder, ttyKQ<port>) or
    // "127.0.0.1:port".
    std::string PortName(int port) const;
    int TcpPort(int port) const;

    // Runs fn on a port's sensor while the loop stands still.
    void WithSensor(int port, const std::function<void(SimSensor&)>& fn);
    void SetFaults(int port, const SimFaults& faults);
    // The port disappears (the pseudo-terminal is closed).
    void Vanish(int port);
    // A vanished port comes back, its sensor powered on again, as a sensor plugged in again.
    void Return(int port);
    bool IsVanished(int port) const;
    // For `ms` from now the port's line is dead (nothing sent arrives on either side, as with a
    // sensor that hangs), or carries noise (every frame arrives as random bytes of its length, and
    // what the sensor is sent is unreadable to it, as at a wrong clock). The sensor goes on as it
    // was: one that streamed streams on afterwards.
    void Stall(int port, int64_t ms);
    void Disturb(int port, int64_t ms);

  private:
    struct Port;

    void Loop();
    int PollTimeoutMs(int64_t nowMs) const;
    void Receive(Port& port, const char* data, size_t size, int64_t nowMs);
    // A frame for the line at atNanos: an answer goes out behind what waits for the line, a
    // value set only when the line has room for it (see SimLine).
    void Send(Port& port, const std::string& frame, int64_t atNanos, bool logIt, bool valueSet);
    void SendValueSet(Port& port, const std::string& frame, int64_t sampledMs);
    void LostOnTheWayOut(Port& port);
    void Flush(Port& port, int64_t nowNanos);
    void VanishOrReturn(Port& port, int64_t nowMs);
    void Wake();
    void Log(const Port& port, const std::string& text) const;
    void SaveState();

    SimulatorSetup m_setup;
    LogSink m_sink;
    std::vector<std::unique_ptr<SimDevice>> m_devices;
    std::vector<std::unique_ptr<Port>> m_ports;
    mutable std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_wakeFds[2] = {-1, -1};
    int64_t m_startMs = 0;
};

}  // namespace sensorsim
