// Reading a non-blocking channel in tests: waits (in real time, on the descriptor) for data.
#pragma once

#include <poll.h>

#include <string>

#include "platform/io/ByteChannel.h"

namespace kq::test {

// Reads until `out` holds at least `length` bytes; the last status (Done when enough arrived).
inline IoStatus ReadChannel(ByteChannel& channel, std::string& out, size_t length,
                            int timeoutMs = 5000) {
    char buffer[4096];
    while (out.size() < length) {
        const IoResult r = channel.Read(buffer, sizeof buffer);
        if (r.status == IoStatus::Done) {
            out.append(buffer, r.count);
            continue;
        }
        if (r.status != IoStatus::WouldBlock) {
            return r.status;
        }
        pollfd waiting{channel.Fd(), POLLIN, 0};
        if (::poll(&waiting, 1, timeoutMs) <= 0) {
            return IoStatus::WouldBlock;
        }
    }
    return IoStatus::Done;
}

// Waits for the channel to report the end of its line.
inline IoStatus ReadUntilEnd(ByteChannel& channel, int timeoutMs = 5000) {
    std::string ignored;
    return ReadChannel(channel, ignored, SIZE_MAX, timeoutMs);
}

// Bytes 0..255 repeated, so that 0x00 and every other value cross the line.
inline std::string Pattern(size_t length, unsigned seed = 0) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    }
    return bytes;
}

}  // namespace kq::test
