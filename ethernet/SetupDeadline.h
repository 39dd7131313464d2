// A point in real (steady) time that a network wait must not pass. The setup dialogue runs on
// the GUI thread, so every wait it makes is bounded by one of these.
#pragma once

#include <algorithm>
#include <chrono>

class SetupDeadline {
  public:
    explicit SetupDeadline(int fromNowMs)
        : m_at(Clock::now() + std::chrono::milliseconds(std::max(fromNowMs, 0))) {}

    bool Expired() const { return Clock::now() >= m_at; }
    // Milliseconds left, 0 once expired.
    int LeftMs() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_at - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }
    // The nearer of this deadline and `fromNowMs` from now, in milliseconds from now.
    int LeftMsCappedAt(int fromNowMs) const { return std::min(LeftMs(), std::max(fromNowMs, 0)); }

  private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_at;
};
