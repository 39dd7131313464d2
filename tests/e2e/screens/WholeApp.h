// The whole program in one process, for the screenshots and the benchmarks: the application
// object with its main window on the virtual clock, a private settings store and data folder, and
// its ports answered by a simulated multi-port device of four 230400-baud sensors whose value
// sets stream as the clock moves, each at its line's speed. Received bytes reach the main window as
// the port library hands them over, as window messages between steps of the clock.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "platform/base/Clock.h"
#include "platform/base/Paths.h"
#include "tools/sensorsim/SimArrivals.h"
#include "tools/sensorsim/SimDevice.h"

namespace wholeapp {

class StreamPort;

class WholeApp {
  public:
    static constexpr int kSensors = 4;

    // The settings store and data folders live in folder (a fresh temporary one when empty),
    // removed at the end.
    explicit WholeApp(const std::string& folder = {});
    ~WholeApp();
    WholeApp(const WholeApp&) = delete;
    WholeApp& operator=(const WholeApp&) = delete;

    // Starts the program as a stored earlier run left it (English) and runs the clock until the
    // main window shows with the four sensors found, at most maxMs; the virtual milliseconds it
    // took, or -1.
    int64_t StartUntilFourSensorsFound(int64_t maxMs);
    // Activates the device as the operator does on the connection page (its first row) and runs
    // until its four sensors are open and at rest.
    bool ActivateDevice(int64_t maxMs);
    // Measures on the measure-and-diagram page with every channel view and the diagram showing,
    // at the sensors' fastest rate, to stop after the number of value sets.
    bool StartMeasuring(double stopAfterSets);
    bool IsMeasuring() const;
    // Moves the virtual clock in steps, streaming and delivering between them.
    void Run(int64_t ms, int64_t stepMs = 10);
    CMainFrame* Frame() const;
    // Value sets the sensors have sent since the start, and the CPU time the simulated sensors
    // took to make them (to be taken off the program's).
    uint64_t FramesSent() const { return framesSent_; }
    int64_t SimulatorCpuNanos() const { return simulatorCpuNanos_; }

    // For the ports.
    std::vector<StreamPort*> ports_;
    sensorsim::SimArrivals<StreamPort> arrivals_;
    sensorsim::SimDevice device_;

  private:
    void Stream();
    sensorsim::SimLine lines_[kSensors];
    void Deliver();

    kq::ScopedVirtualClock clock_;
    std::string folder_;
    std::unique_ptr<kq::ScopedFolderRoots> roots_;
    std::unique_ptr<CKq7App> app_;
    uint64_t framesSent_ = 0;
    int64_t simulatorCpuNanos_ = 0;
};

// The CPU time of the whole process so far, in nanoseconds.
int64_t ProcessCpuNanos();
// The process's resident memory, in bytes.
int64_t ResidentBytes();

}  // namespace wholeapp
