#include "protocol/BlockImage.h"

#include <cstring>

namespace tarvik {

bool BlockImage::FromBytes(std::string_view data, BlockImage& image) {
    if (data.size() != static_cast<size_t>(kBlockSize)) {
        return false;
    }
    std::memcpy(image.bytes, data.data(), kBlockSize);
    return true;
}

CheckBytes BlockImage::ComputedCheckBytes() const {
    return ComputeCheckBytes(bytes, kBlockPayloadSize);
}

void BlockImage::SetCheckBytes() {
    const CheckBytes check = ComputedCheckBytes();
    bytes[62] = check.first;
    bytes[63] = check.second;
}

void BlockImage::InvalidateCheckBytes() {
    const CheckBytes check = ComputedCheckBytes();
    bytes[62] = static_cast<uint8_t>(check.first - kBlockInvalidationDelta);
    bytes[63] = static_cast<uint8_t>(check.second - kBlockInvalidationDelta);
}

bool BlockImage::IsInvalidated() const {
    const CheckBytes check = ComputedCheckBytes();
    return bytes[62] == static_cast<uint8_t>(check.first - kBlockInvalidationDelta) &&
           bytes[63] == static_cast<uint8_t>(check.second - kBlockInvalidationDelta);
}

bool BlockImage::IsValidFor(int number) const {
    return bytes[0] == number && bytes[1] != 0 && HasCorrectCheckBytes();
}

const char* BlockName(int index) {
    static const char* const kNames[kBlockCount] = {
        "Stator Header", "Stator Hardware",    "Stator Operation", "Stator SoftwareConfig",
        "Rotor Header",  "Rotor FactoryCalib", "Rotor UserCalib",  "Rotor Operation"};
    return index >= 0 && index < kBlockCount ? kNames[index] : "";
}

}  // namespace tarvik
