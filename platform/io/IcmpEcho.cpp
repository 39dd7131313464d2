#include "platform/io/IcmpEcho.h"

#include <errno.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

namespace kq {

namespace {

// Enough for an IP header with options and a reply to our small request; longer packets are
// someone else's and are cut.
constexpr size_t kReceiveBuffer = 1024;
const char kPayload[] = "KQ7-B echo";

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

uint16_t NextRawIdentifier() {
    static std::atomic<uint16_t> counter{0};
    return static_cast<uint16_t>(::getpid() * 31 + counter.fetch_add(1));
}

}  // namespace

const char* EchoSocketKindName(EchoSocketKind kind) {
    switch (kind) {
        case EchoSocketKind::PingSocket:
            return "ping socket";
        case EchoSocketKind::RawSocket:
            return "raw socket";
        case EchoSocketKind::None:
            break;
    }
    return "none";
}

bool IcmpEcho::Open(Preference preference) {
    fd_.Reset();
    kind_ = EchoSocketKind::None;
    if (preference != Preference::RawOnly) {
        UniqueFd fd(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP));
        sockaddr_in local{};
        local.sin_family = AF_INET;
        socklen_t size = sizeof local;
        // Binding to port 0 makes the kernel choose the identifier, which it then puts into
        // every request and matches replies against.
        if (fd.IsValid() && ::bind(fd.Get(), reinterpret_cast<sockaddr*>(&local), size) == 0 &&
            ::getsockname(fd.Get(), reinterpret_cast<sockaddr*>(&local), &size) == 0) {
            identifier_ = ntohs(local.sin_port);
            fd_ = std::move(fd);
            kind_ = EchoSocketKind::PingSocket;
            return true;
        }
        lastError_ = errno;
    }
    if (preference != Preference::PingOnly) {
        UniqueFd fd(::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP));
        if (fd.IsValid()) {
            identifier_ = NextRawIdentifier();
            fd_ = std::move(fd);
            kind_ = EchoSocketKind::RawSocket;
            return true;
        }
        lastError_ = errno;
    }
    return false;
}

bool IcmpEcho::Send(in_addr to, uint16_t sequence) {
    if (!fd_.IsValid()) {
        lastError_ = EBADF;
        return false;
    }
    const std::string packet = BuildEchoRequest(IdOf(sequence), kPayload);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr = to;
    const ssize_t sent = ::sendto(fd_.Get(), packet.data(), packet.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (sent != static_cast<ssize_t>(packet.size())) {
        lastError_ = sent < 0 ? errno : EMSGSIZE;
        return false;
    }
    return true;
}

IcmpEcho::Datagram IcmpEcho::ReadReply(in_addr& source, uint16_t sequence,
                                       const std::vector<in_addr>& awaited) {
    uint8_t buffer[kReceiveBuffer];
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t got =
        ::recvfrom(fd_.Get(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size);
    if (got < 0) {
        return errno == EINTR ? Datagram::Other : Datagram::None;
    }
    const bool raw = kind_ == EchoSocketKind::RawSocket;
    for (const in_addr& candidate : awaited) {
        if (!raw && from.sin_addr.s_addr != candidate.s_addr) {
            continue;
        }
        if (IsEchoReplyTo(buffer, static_cast<size_t>(got), raw, candidate.s_addr,
                          IdOf(sequence))) {
            source = candidate;
            return Datagram::Reply;
        }
    }
    return Datagram::Other;
}

std::vector<in_addr> IcmpEcho::Collect(const std::vector<in_addr>& awaited, uint16_t sequence,
                                       int timeoutMs) {
    std::vector<bool> answered(awaited.size(), false);
    size_t open = awaited.size();
    const int64_t deadline = NowMs() + timeoutMs;
    while (open > 0 && fd_.IsValid()) {
        const int64_t left = deadline - NowMs();
        if (left <= 0) {
            break;
        }
        pollfd waiting{fd_.Get(), POLLIN, 0};
        const int ready = PollWith(poll_, &waiting, 1, static_cast<int>(left));
        if (ready < 0) {
            lastError_ = errno;
            break;
        }
        if (ready <= 0 || (waiting.revents & POLLIN) == 0) {
            continue;
        }
        // Drain what is there: replies of other programs and other packets are passed over.
        in_addr source{};
        for (Datagram read; (read = ReadReply(source, sequence, awaited)) != Datagram::None;) {
            for (size_t i = 0; read == Datagram::Reply && i < awaited.size(); ++i) {
                if (!answered[i] && awaited[i].s_addr == source.s_addr) {
                    answered[i] = true;
                    --open;
                }
            }
        }
    }
    std::vector<in_addr> result;
    for (size_t i = 0; i < awaited.size(); ++i) {
        if (answered[i]) {
            result.push_back(awaited[i]);
        }
    }
    return result;
}

bool IcmpEcho::AwaitReply(in_addr from, uint16_t sequence, int timeoutMs) {
    return !Collect({from}, sequence, timeoutMs).empty();
}

bool IcmpEcho::Ping(in_addr to, uint16_t sequence, int timeoutMs) {
    return Send(to, sequence) && AwaitReply(to, sequence, timeoutMs);
}

std::vector<in_addr> IcmpEcho::PingMany(const std::vector<in_addr>& addresses, uint16_t sequence,
                                        int timeoutMs) {
    std::vector<in_addr> sent;
    for (const in_addr& address : addresses) {
        if (Send(address, sequence)) {
            sent.push_back(address);
        }
    }
    return Collect(sent, sequence, timeoutMs);
}

}  // namespace kq
