// The sensors behind the ports of one device: a single sensor, or the ports of a multi-port
// device that share one serial number. A multi-port device samples in step: when its master
// takes a sample, every slave that was started takes one too and sends it with the master's
// counter, so the application can join the ports' frames by that counter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/sensorsim/SimSensor.h"

namespace sensorsim {

class SimDevice {
  public:
    void Add(std::unique_ptr<SimSensor> sensor) { m_sensors.push_back(std::move(sensor)); }
    int Size() const { return static_cast<int>(m_sensors.size()); }
    SimSensor& Sensor(int i) { return *m_sensors[static_cast<size_t>(i)]; }

    // The value frames due up to nowMs as (sensor position, frame), and when given, the time
    // each was sampled at. A device that fell far behind (a stalled loop, a jump of the clock)
    // skips samples rather than flooding the line.
    void Tick(int64_t nowMs, std::vector<std::pair<int, std::string>>& out,
              std::vector<int64_t>* sampledMs = nullptr);
    // The earliest time at which Tick has something to do; INT64_MAX when nothing streams.
    int64_t NextDueMs() const;

    static constexpr int kMaxCatchUp = 256;

  private:
    std::vector<std::unique_ptr<SimSensor>> m_sensors;
};

}  // namespace sensorsim
