// The load a simulated sensor sees on one channel, in the quantity's base unit, over time.
//
//   const:V              V all the time
//   ramp:FROM:TO:SECONDS from FROM to TO in SECONDS, then again from FROM
//   sine:MEAN:AMPLITUDE:PERIOD
//   step:BEFORE:AFTER:AT BEFORE until AT seconds, then AFTER
//   noise:MEAN:AMPLITUDE uniformly distributed around MEAN, reproducible from the seed
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sensorsim {

struct SignalShape {
    enum class Kind { Constant, Ramp, Sine, Step, Noise };
    Kind kind = Kind::Constant;
    double a = 0.0;  // value, FROM, MEAN or BEFORE
    double b = 0.0;  // TO, AMPLITUDE or AFTER
    double c = 1.0;  // SECONDS, PERIOD or AT

    // False (and the shape untouched) for text of another form.
    static bool Parse(std::string_view text, SignalShape& shape);
    std::string ToText() const;

    // The load at t seconds after power-on; noise draws from state.
    double ValueAt(double seconds, uint32_t& state) const;
};

}  // namespace sensorsim
