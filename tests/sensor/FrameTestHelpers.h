// Small helpers shared by the sensor tests.
#pragma once

#include <string>
#include <vector>

#include "protocol/FrameCutter.h"
#include "protocol/Messages.h"

namespace sensortest {

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

// Every frame the cutter finds in bytes, fed all at once.
inline std::vector<tarvik::Frame> CutAll(const std::string& bytes, tarvik::FrameCutter& cutter) {
    std::vector<tarvik::Frame> frames;
    CString buffer(bytes);
    tarvik::Frame frame;
    while (cutter.CutFrame(buffer, frame)) {
        frames.push_back(frame);
    }
    return frames;
}

inline std::string ValueFrame(uint8_t counter, int32_t a, int32_t b) {
    tarvik::ValueSetReply reply;
    reply.counter = counter;
    reply.value[0] = a;
    reply.value[1] = b;
    return tarvik::BuildMessage(1, 0xFF, reply).Str();
}

}  // namespace sensortest
