// Measures the time between two readings on the program's high-resolution clock.
#pragma once

#include <cstdint>

class CStopWatch {
  public:
    CStopWatch() = default;

    // Seconds since the previous call; 0.0 on the first call, which starts the watch.
    double GetElapsedSeconds();
    // Whether the watch holds a start time (it has been read at least once since the reset).
    bool IsValid() const { return valid_; }
    void Reset() { valid_ = false; }

  private:
    int64_t lastNanos_ = 0;
    bool valid_ = false;
};
