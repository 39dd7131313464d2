// Plays a network device server on loopback addresses: its setup menu on one TCP port, and on
// another the data port, bridged both ways to a serial line (the sensor simulator's
// pseudo-terminal, say) at the server's current rate. A sensor at another rate therefore does
// not answer, as on the bench. A thread of its own serves both; everything goes to the log sink.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/io/SerialPort.h"
#include "tools/devsrvsim/DevSrvFaults.h"
#include "tools/devsrvsim/DevSrvSettings.h"
#include "tools/devsrvsim/SetupDialogue.h"

namespace devsrvsim {

struct DevSrvSetup {
    std::string address = "127.0.0.1";  // only 127.0.0.0/8 is taken
    int setupPort = 0;                  // 0: any free port
    int dataPort = 0;                   // 0: any free port
    std::string serialPath;             // "" bridges to nothing
    std::string banner = "XPico 6.11.0.3";
    DevSrvSettings stored;  // the settings it starts with (dataport is set to the data port)
    DevSrvFault fault = DevSrvFault::None;
};

class DeviceServerSimulator {
  public:
    using LogSink = std::function<void(const std::string& line)>;

    explicit DeviceServerSimulator(DevSrvSetup setup, LogSink sink = {});
    ~DeviceServerSimulator();
    DeviceServerSimulator(const DeviceServerSimulator&) = delete;
    DeviceServerSimulator& operator=(const DeviceServerSimulator&) = delete;

    // Listens, opens the serial line and starts the thread.
    bool Start(std::string& error);
    void Stop();

    int SetupPort() const { return m_setupPort; }
    int DataPort() const { return m_dataPort; }
    const std::string& Address() const { return m_setup.address; }

    DevSrvSettings Current() const;
    DevSrvSettings Stored() const;
    // Setup connections accepted so far.
    int ConnectionCount() const;
    // Whether a client is in setup mode now.
    bool InSetupMode() const;
    // The rate the serial line is driven at (0 without a line).
    int LineBaud() const;

    // Applies to the next setup connections; Refuse stops listening, any other fault listens
    // again on the same port.
    void SetFault(DevSrvFault fault);
    // A restart: the stored settings come back into force; clients are dropped.
    void Restart();

  private:
    struct Session;

    void Loop();
    void AcceptSetup(int64_t nowMs);
    void ServeSession(Session& session, short revents, int64_t nowMs);
    void FlushSession(Session& session, int64_t nowMs);
    void AcceptData();
    void BridgeFromClient();
    void BridgeFromLine();
    void ApplyLineRate();
    bool ListenSetup(std::string& error);
    void Log(const std::string& text) const;
    void Wake();

    DevSrvSetup m_setup;
    LogSink m_sink;
    mutable std::mutex m_mutex;
    DevSrvSettings m_current;
    DevSrvSettings m_stored;
    DevSrvFault m_fault;
    int m_connections = 0;
    int m_setupPort = 0;
    int m_dataPort = 0;
    int m_setupListenFd = -1;
    int m_dataListenFd = -1;
    int m_dataClientFd = -1;
    kq::SerialPort m_line;
    std::vector<std::unique_ptr<Session>> m_sessions;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_wakeFds[2] = {-1, -1};
};

}  // namespace devsrvsim
