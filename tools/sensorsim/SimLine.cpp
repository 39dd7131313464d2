#include "tools/sensorsim/SimLine.h"

#include <algorithm>

namespace sensorsim {

int64_t SimLine::TransferNanos(size_t bytes, int baud) {
    constexpr int64_t kBitsPerByte = 10;  // start bit, eight data bits, stop bit
    return baud > 0 ? static_cast<int64_t>(bytes) * kBitsPerByte * 1000000000 / baud : 0;
}

int64_t SimLine::SendValueSet(int64_t atNanos, size_t bytes, int baud) {
    const int64_t transfer = TransferNanos(bytes, baud);
    // What is still on the line at the sample: at most the rest of the frame being sent leaves
    // room for one more waiting.
    if (m_freeAtNanos - atNanos > transfer) {
        return -1;
    }
    const int64_t start = std::max(atNanos, m_freeAtNanos);
    m_freeAtNanos = start + transfer;
    return start;
}

}  // namespace sensorsim
