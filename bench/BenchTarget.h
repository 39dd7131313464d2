// A benchmark's targets beside its figures: each sets its counter, and the benchmark's label
// says what the targets are and whether this run met them ("target x_floor <= 2 met").
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace kqbench {

// The seconds a call takes on the steady clock, for a benchmark that times its reference in the
// same iterations.
template <typename Call>
double Seconds(Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Targets {
  public:
    explicit Targets(benchmark::State& state) : m_state(state) {}
    ~Targets() { m_state.SetLabel(m_label); }
    Targets(const Targets&) = delete;
    Targets& operator=(const Targets&) = delete;

    void AtMost(const char* counter, double value, double limit) {
        Add(counter, value, "<=", limit, value <= limit);
    }
    void AtLeast(const char* counter, double value, double limit) {
        Add(counter, value, ">=", limit, value >= limit);
    }

  private:
    void Add(const char* counter, double value, const char* relation, double limit, bool met) {
        m_state.counters[counter] = value;
        char text[128];
        std::snprintf(text, sizeof text, "%starget %s %s %g %s", m_label.empty() ? "" : "; ",
                      counter, relation, limit, met ? "met" : "MISSED");
        m_label += text;
    }

    benchmark::State& m_state;
    std::string m_label;
};

}  // namespace kqbench
