// The frames of simulated sensors on their way to the application, for a harness that hands them
// over between steps of its clock: a value set starts when its port's line has room for it and
// arrives with its last byte (see SimLine), so a rate the line cannot carry loses sets as a
// sensor does; an answer comes at once, behind what is already on its way on the same port.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "tools/sensorsim/SimLine.h"

namespace sensorsim {

template <typename Port>
class SimArrivals {
  public:
    // Queues a value set sampled at sampledMs on the port's line of `baud`; false when the line
    // had no room for it (the sensor's counter is used up, the application sees the gap).
    bool ValueSet(Port* port, SimLine& line, std::string bytes, int64_t sampledMs, int baud) {
        constexpr int64_t kNanosPerMs = 1000000;
        const int64_t start = line.SendValueSet(sampledMs * kNanosPerMs, bytes.size(), baud);
        if (start < 0)
            return false;
        const int64_t arrives = start + SimLine::TransferNanos(bytes.size(), baud);
        m_frames.push_back({port, std::move(bytes), arrives});
        return true;
    }
    void Answer(Port* port, std::string bytes, int64_t nowNanos) {
        int64_t at = nowNanos;
        for (const Frame& frame : m_frames)
            if (frame.port == port)
                at = std::max(at, frame.arrivesNanos);
        m_frames.push_back({port, std::move(bytes), at});
    }
    // Hands each frame that has arrived by nowNanos to hand(port, bytes), in the order they were
    // queued, answers that hand's work queues included.
    template <typename Hand>
    void HandOver(int64_t nowNanos, Hand&& hand) {
        while (true) {
            auto next = std::find_if(m_frames.begin(), m_frames.end(), [nowNanos](const Frame& f) {
                return f.arrivesNanos <= nowNanos;
            });
            if (next == m_frames.end())
                return;
            Frame frame = std::move(*next);
            m_frames.erase(next);
            hand(frame.port, frame.bytes);
        }
    }
    void Forget(const Port* port) {
        std::erase_if(m_frames, [port](const Frame& frame) { return frame.port == port; });
    }

  private:
    struct Frame {
        Port* port;
        std::string bytes;
        int64_t arrivesNanos;
    };
    std::deque<Frame> m_frames;
};

}  // namespace sensorsim
