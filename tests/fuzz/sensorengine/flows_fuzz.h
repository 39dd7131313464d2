// The flows half of the sensor dialogue's fuzz target (see flows_fuzz.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

// Runs one input of the flows against simulated sensors.
int FuzzSensorFlows(const uint8_t* data, size_t size);
