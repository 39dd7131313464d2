// ICMP echo to IPv4 hosts, for telling whether a network device is there. An unprivileged ping
// socket is used where the system allows it (net.ipv4.ping_group_range), else a raw socket
// (which needs CAP_NET_RAW). Only a well-formed reply from the asked address to this request
// counts: a raw socket sees every ICMP packet of the host.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <vector>

#include "platform/io/EchoReply.h"
#include "platform/io/PollFunction.h"
#include "platform/io/UniqueFd.h"

namespace kq {

enum class EchoSocketKind {
    None,        // neither socket is permitted
    PingSocket,  // SOCK_DGRAM, IPPROTO_ICMP: the kernel owns the identifier
    RawSocket,   // SOCK_RAW, IPPROTO_ICMP: replies come with their IP header
};

// "ping socket", "raw socket" or "none".
const char* EchoSocketKindName(EchoSocketKind kind);

class IcmpEcho {
  public:
    IcmpEcho() = default;

    // Opens the first permitted socket of the preference; Any tries the ping socket first.
    enum class Preference { Any, PingOnly, RawOnly };
    bool Open(Preference preference = Preference::Any);
    EchoSocketKind Kind() const { return kind_; }
    // errno of the last failure (EPERM/EACCES when no socket was permitted).
    int LastError() const { return lastError_; }
    // How waits are done (poll(2) by default).
    void SetPollFunction(PollFunction poll) { poll_ = std::move(poll); }

    // Sends one request with this sequence number to the address (network byte order).
    bool Send(in_addr to, uint16_t sequence);
    // Waits up to timeoutMs of real time for the reply to the request (to, sequence).
    bool AwaitReply(in_addr from, uint16_t sequence, int timeoutMs);
    // One request and its wait.
    bool Ping(in_addr to, uint16_t sequence, int timeoutMs);
    // Sends one request to each address and collects replies until timeoutMs has passed or all
    // have answered; the addresses that answered, in the order given.
    std::vector<in_addr> PingMany(const std::vector<in_addr>& addresses, uint16_t sequence,
                                  int timeoutMs);

  private:
    EchoRequestId IdOf(uint16_t sequence) const { return {identifier_, sequence}; }
    enum class Datagram { None, Other, Reply };
    // Reads one datagram: None when nothing is waiting, Reply with its source when it answers
    // one of the awaited addresses, Other for anything else.
    Datagram ReadReply(in_addr& source, uint16_t sequence, const std::vector<in_addr>& awaited);
    // Waits for the replies of the awaited addresses; those that answered.
    std::vector<in_addr> Collect(const std::vector<in_addr>& awaited, uint16_t sequence,
                                 int timeoutMs);

    UniqueFd fd_;
    EchoSocketKind kind_ = EchoSocketKind::None;
    uint16_t identifier_ = 0;
    int lastError_ = 0;
    PollFunction poll_;
};

}  // namespace kq
