// A raw ICMP socket hands over every ICMP packet of the host, from anyone: the reply check must
// survive anything, and accept only what is a reply to the request it was given.
#include <cstdint>
#include <cstdlib>

#include "platform/io/EchoReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) {
        return 0;
    }
    // The first bytes choose the request and the source; the rest is the packet.
    const kq::EchoRequestId id{static_cast<uint16_t>(data[0] << 8 | data[1]),
                               static_cast<uint16_t>(data[2] << 8 | data[3])};
    const uint32_t source = static_cast<uint32_t>(data[4]) | (static_cast<uint32_t>(data[5]) << 8) |
                            (static_cast<uint32_t>(data[6]) << 16) |
                            (static_cast<uint32_t>(data[7]) << 24);
    const uint8_t* packet = data + 8;
    const size_t length = size - 8;
    if (kq::IsEchoReplyTo(packet, length, false, source, id) &&
        (length < 8 || packet[0] != 0 || kq::InternetChecksum(packet, length) != 0)) {
        std::abort();
    }
    kq::IsEchoReplyTo(packet, length, true, source, id);
    return 0;
}
