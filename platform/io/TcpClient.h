// A TCP connection served like a serial line: the data port of a network device server.
#pragma once

#include <cstdint>
#include <string>

#include "platform/io/ByteChannel.h"
#include "platform/io/PollFunction.h"

namespace kq {

// "host:port" or "[v6-address]:port"; false for anything else or a port outside 1..65535.
bool ParseHostPort(const std::string& text, std::string& host, uint16_t& port);

class TcpClient final : public ByteChannel {
  public:
    TcpClient() = default;
    ~TcpClient() override { Close(); }

    // Resolves the host and connects, waiting at most timeoutMs of real time for the connection
    // (the wait is on the network, not on the program's clock). The socket stays non-blocking.
    // False with LastError() set (ETIMEDOUT, ECONNREFUSED, EHOSTUNREACH, EINVAL for a bad
    // address, ...). `poll` does the wait (poll(2) when empty).
    bool Connect(const std::string& host, uint16_t port, int timeoutMs,
                 const PollFunction& poll = {});

  protected:
    ssize_t WriteSome(const void* data, size_t length) override;
};

}  // namespace kq
