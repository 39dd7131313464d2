#include "tools/sensorsim/SimDevice.h"

#include <limits>

#include "protocol/Protocol.h"

namespace sensorsim {

void SimDevice::Tick(int64_t nowMs, std::vector<std::pair<int, std::string>>& out,
                     std::vector<int64_t>* sampledMs) {
    for (int i = 0; i < Size(); ++i) {
        SimSensor& sensor = Sensor(i);
        sensor.Poll(nowMs);
        if (!sensor.IsStreaming() || sensor.Role() == tarvik::kRoleSlave) {
            continue;
        }
        int taken = 0;
        while (sensor.IsStreaming() && sensor.NextSampleMs() <= nowMs && taken < kMaxCatchUp) {
            const int64_t at = sensor.NextSampleMs();
            out.emplace_back(i, sensor.SampleFrame(at));
            if (sensor.Role() == tarvik::kRoleMaster) {
                const uint8_t counter = sensor.LastCounter();
                for (int j = 0; j < Size(); ++j) {
                    SimSensor& slave = Sensor(j);
                    if (j != i && slave.Role() == tarvik::kRoleSlave && slave.IsStreaming() &&
                        !slave.IsRestarting(nowMs)) {
                        out.emplace_back(j, slave.SampleFrame(at, counter));
                    }
                }
            }
            if (sampledMs) {
                sampledMs->resize(out.size(), at);
            }
            sensor.AdvanceSample();
            ++taken;
        }
        sensor.SkipSamplesUntil(nowMs);
    }
}

int64_t SimDevice::NextDueMs() const {
    int64_t due = std::numeric_limits<int64_t>::max();
    for (const auto& sensor : m_sensors) {
        if (sensor->IsStreaming() && sensor->Role() != tarvik::kRoleSlave) {
            due = std::min(due, sensor->NextSampleMs());
        }
        if (sensor->IsRestartPending()) {
            due = std::min(due, sensor->RestartEndMs());
        }
    }
    return due;
}

}  // namespace sensorsim
