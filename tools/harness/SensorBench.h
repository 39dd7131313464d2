// The sensor simulator as a separate program, as a real sensor would be: started with a bench of
// sensors on pseudo-terminals, its ports read from what it prints, stopped with SIGTERM. The
// application meets it only through the ports it is given in KQ7B_EXTRA_PORTS.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

class SensorBench {
  public:
    SensorBench() = default;
    ~SensorBench() { Stop(); }
    SensorBench(const SensorBench&) = delete;
    SensorBench& operator=(const SensorBench&) = delete;

    // Starts `program` with the arguments, its log in `logFile`; waits until it has printed one
    // path per port (`ports` of them). False, with the reason in `error`, when it does not.
    bool Start(const std::string& program, const std::vector<std::string>& arguments, int ports,
               const std::string& logFile, std::string* error);
    // Ends the simulator (SIGTERM, then waits); nothing when it is not running.
    void Stop();
    // A command to the running simulator ("signal 0 a const:5000", "vanish 0", "return 0");
    // false, with the simulator's answer or the reason in `error`, when it is not carried out.
    bool Command(const std::string& line, std::string* error = nullptr);
    bool IsRunning() const { return pid_ > 0; }

    // The pseudo-terminal paths in the order of the arguments' ports.
    const std::vector<std::string>& Ports() const { return ports_; }
    // The KQ7B_EXTRA_PORTS text declaring every port as a maker's USB sensor interface port.
    std::string ExtraPortsText() const { return ExtraPortsText(0, ports_.size()); }
    // The same for `count` ports from the one at `first`: the program sees only those.
    std::string ExtraPortsText(size_t first, size_t count) const;

  private:
    pid_t pid_ = -1;
    int commands_ = -1;  // the simulator's standard input
    int answers_ = -1;   // its standard output
    std::string pending_;
    std::vector<std::string> ports_;
};

// The simulator program: $KQ7B_SENSORSIM if set, else the one built beside the given program
// (build/tools/demo/kq7b-demo or build/tests/e2e/... finds build/tools/sensorsim/kq7b-sensorsim).
std::string FindSimulatorProgram(const std::string& selfPath);

// The bench of the run command and the demonstration: a two-channel sensor at 230400 baud with a
// slow sine load (serial 1001), one at 115200 baud with a constant load (serial 1002), and a
// multi-port device of four ports at 230400 baud (serial 1003), whose lines carry a value set
// every millisecond. The state file keeps the sensors' memory.
constexpr int kBenchPorts = 6;
std::vector<std::string> BenchArguments(const std::string& stateFile);

}  // namespace e2e
