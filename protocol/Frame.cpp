#include "protocol/Frame.h"

#include <cstring>

namespace tarvik {

CheckBytes ComputeCheckBytes(const uint8_t* data, size_t size) {
    unsigned sum = 0;
    unsigned sumOfSums = 0;
    for (size_t i = 0; i < size; ++i) {
        sum = (sum + data[i]) & 0xFF;
        sumOfSums = (sumOfSums + sum) & 0xFF;
    }
    return {static_cast<uint8_t>(sum), static_cast<uint8_t>(sumOfSums)};
}

bool Frame::SetData(std::string_view bytes) {
    if (bytes.size() > static_cast<size_t>(kMaxData)) {
        return false;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    size = static_cast<uint8_t>(bytes.size());
    return true;
}

CString BuildFrame(uint8_t address1, uint8_t address2, uint8_t code, std::string_view data) {
    if (data.size() > static_cast<size_t>(kMaxData)) {
        return CString();
    }
    const size_t length = data.size() + 1;
    uint8_t bytes[kMaxFrameSize];
    bytes[0] = kStx;
    bytes[1] = address1;
    bytes[2] = address2;
    bytes[3] = static_cast<uint8_t>(length);
    bytes[4] = code;
    std::memcpy(bytes + 5, data.data(), data.size());
    const CheckBytes check = ComputeCheckBytes(bytes + 1, length + 3);
    bytes[4 + length] = check.first;
    bytes[5 + length] = check.second;
    return CString(reinterpret_cast<const char*>(bytes), static_cast<int>(length) + kFrameOverhead);
}

CString BuildFrame(const Frame& frame) {
    return BuildFrame(frame.address1, frame.address2, frame.code, frame.Data());
}

}  // namespace tarvik
