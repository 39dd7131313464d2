// What the sensor dialogue hands the frame's measured-value flow: why the flow runs, and the
// value set it runs on.
#pragma once

#include <cstdint>

// Why the frame's measured-value flow runs. Only a value set of the running measurement and the
// single shot bring new counts; the others show, check or record again what is there.
enum class MeasuredValueReason {
    // A value set of the running measurement: processed, shown at the display rate, recorded.
    ValueSet = 0,
    // The single shot's value set at rest: processed, shown at once, recorded.
    SingleShot = 1,
    // The texts of the active channels again; at rest their extremes start from the last counts.
    Redisplay = 2,
    // The language or a channel's settings changed: redisplayed like Redisplay.
    SettingsChanged = 3,
    // A minimum or maximum was reset: the extremes follow the processed values again, nothing is
    // recorded.
    ExtremesReset = 4,
    // A tare changed or a diagram save ended: while running the texts and extremes again; at rest
    // the last counts again through fresh moving averages.
    Retake = 5,
};

// One set of counts as the sensors delivered it.
struct MeasuredValueSet {
    // Raw counts: channels A and B of one sensor, or channel A of each sensor of a multi-port
    // device at the sensor's position.
    int32_t alRaw[4] = {};
    // The sensors that deliver the set: 1 for one sensor (its channels A and B), up to 4.
    int iPortCount = 1;
};
