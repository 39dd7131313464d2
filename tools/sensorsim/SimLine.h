// The serial line from a sensor to the application, as far as time goes: 8N1 takes ten bits a
// byte, so a line carries baud / 10 bytes a second, one frame behind the other. The sensor's
// transmitter holds one value set waiting behind the frame it is sending; a value set sampled
// while one is waiting already is lost on the way out (its counter is used up, so the
// application sees the gap).
#pragma once

#include <cstddef>
#include <cstdint>

namespace sensorsim {

class SimLine {
  public:
    // How long `bytes` take on a line of `baud` (0 for no rate).
    static int64_t TransferNanos(size_t bytes, int baud);

    // The time at which a value set of `bytes`, sampled at atNanos, starts on the line, or -1
    // when it is lost on the way out.
    int64_t SendValueSet(int64_t atNanos, size_t bytes, int baud);
    // The line is given up: nothing is on it any more.
    void Clear() { m_freeAtNanos = 0; }

  private:
    int64_t m_freeAtNanos = 0;  // when the last frame put on the line has left
};

}  // namespace sensorsim
