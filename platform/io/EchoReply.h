// ICMP echo packets of IPv4: building a request and recognising the reply to it. Pure bytes in
// and out, so that hostile packets can be checked without a socket.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq {

// What one request is known by: its identifier and sequence number.
struct EchoRequestId {
    uint16_t identifier = 0;
    uint16_t sequence = 0;
};

// An echo request (type 8) with the given payload and a correct checksum.
std::string BuildEchoRequest(EchoRequestId id, const std::string& payload);

// The internet checksum over the bytes (one's complement of the one's-complement sum).
uint16_t InternetChecksum(const uint8_t* data, size_t size);

// True when `packet` is a well-formed echo reply (type 0, code 0, correct checksum) to the
// request `id`. withIpHeader: the packet starts with the IPv4 header (raw sockets); its header
// length, protocol and source address (network byte order, `expectedSource`) are checked, and
// the ICMP part must lie inside the datagram. Without the header (ping sockets), the source is
// the one recvfrom reported and is checked by the caller.
bool IsEchoReplyTo(const uint8_t* packet, size_t size, bool withIpHeader, uint32_t expectedSource,
                   EchoRequestId id);

}  // namespace kq
