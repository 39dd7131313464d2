// A benchmark's targets beside its figures: each sets its counter, and the benchmark's label
// says what the targets are and whether this run met them ("target x_floor <= 2 met").
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
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

// The CPU seconds the calling thread spends in a call, the kernel's work for it (page faults,
// copies from the page cache) included. For work that waits on nothing, this is its whole cost
// without the time a loaded machine gives the core to other processes, which the steady clock
// counts and which differs between a benchmark's case and its reference timed beside it.
template <typename Call>
double CpuSeconds(Call&& call) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double start = now();
    call();
    return now() - start;
}

// A case and its reference timed in the same iterations, each in the thread's CPU time, and the
// ratio of the least time of each: on a shared machine other processes only ever add to a time
// (the cache and the memory's bandwidth they take), so the least is what the work itself costs.
class LeastTimes {
  public:
    // Times the case; its CPU seconds, for the iteration's time.
    template <typename Call>
    double Case(Call&& call) {
        const double t = CpuSeconds(call);
        m_case = std::min(m_case, t);
        return t;
    }
    template <typename Call>
    void Reference(Call&& call) {
        m_reference = std::min(m_reference, CpuSeconds(call));
    }
    double LeastCase() const { return m_case; }
    double Ratio() const { return m_case / m_reference; }

  private:
    double m_case = std::numeric_limits<double>::infinity();
    double m_reference = std::numeric_limits<double>::infinity();
};

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
