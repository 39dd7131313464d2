#include "platform/io/EchoReply.h"

namespace kq {

namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kEchoRequest = 8;
constexpr size_t kIcmpHeaderSize = 8;
constexpr size_t kMinIpHeaderSize = 20;
constexpr uint8_t kProtocolIcmp = 1;

uint16_t ReadBig16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

}  // namespace

uint16_t InternetChecksum(const uint8_t* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        sum += ReadBig16(data + i);
    }
    if (size % 2 != 0) {
        sum += static_cast<uint32_t>(data[size - 1]) << 8;
    }
    while (sum >> 16) {
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<uint16_t>(~sum);
}

std::string BuildEchoRequest(EchoRequestId id, const std::string& payload) {
    std::string packet(kIcmpHeaderSize, '\0');
    packet[0] = static_cast<char>(kEchoRequest);
    packet[4] = static_cast<char>(id.identifier >> 8);
    packet[5] = static_cast<char>(id.identifier & 0xFF);
    packet[6] = static_cast<char>(id.sequence >> 8);
    packet[7] = static_cast<char>(id.sequence & 0xFF);
    packet += payload;
    const uint16_t checksum =
        InternetChecksum(reinterpret_cast<const uint8_t*>(packet.data()), packet.size());
    packet[2] = static_cast<char>(checksum >> 8);
    packet[3] = static_cast<char>(checksum & 0xFF);
    return packet;
}

bool IsEchoReplyTo(const uint8_t* packet, size_t size, bool withIpHeader, uint32_t expectedSource,
                   EchoRequestId id) {
    if (packet == nullptr) {
        return false;
    }
    if (withIpHeader) {
        if (size < kMinIpHeaderSize || (packet[0] >> 4) != 4) {
            return false;
        }
        const size_t headerSize = static_cast<size_t>(packet[0] & 0x0F) * 4;
        const size_t totalSize = ReadBig16(packet + 2);
        if (headerSize < kMinIpHeaderSize || headerSize > size || packet[9] != kProtocolIcmp) {
            return false;
        }
        uint32_t source = 0;
        for (int i = 0; i < 4; ++i) {
            // Kept in network byte order, as the caller's address is.
            reinterpret_cast<uint8_t*>(&source)[i] = packet[12 + i];
        }
        if (source != expectedSource) {
            return false;
        }
        // The datagram's own length bounds the ICMP part: a longer read is padding, a shorter
        // one a truncated packet.
        if (totalSize < headerSize || totalSize > size) {
            return false;
        }
        size = totalSize;
        packet += headerSize;
        size -= headerSize;
    }
    if (size < kIcmpHeaderSize || packet[0] != kEchoReply || packet[1] != 0) {
        return false;
    }
    if (InternetChecksum(packet, size) != 0) {
        return false;
    }
    return ReadBig16(packet + 4) == id.identifier && ReadBig16(packet + 6) == id.sequence;
}

}  // namespace kq
