#include "platform/base/FileTime.h"

namespace kq {
namespace {

// 1601-01-01 to 1970-01-01 in 100 ns ticks.
constexpr int64_t kEpochDifferenceTicks = 116444736000000000LL;

}  // namespace

FILETIME FileTimeFromUnixNanos(int64_t unixNanos) {
    int64_t ticks = unixNanos / 100 + kEpochDifferenceTicks;
    if (ticks < 0)
        ticks = 0;
    const auto value = static_cast<uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

}  // namespace kq
