// The setup-menu connection over TCP. Every wait is on the network in real time and serves the
// messages other threads send to the GUI thread meanwhile, since the callers wait on that thread.
#pragma once

#include <cstdint>
#include <string>

#include "ethernet/SetupTransport.h"
#include "platform/io/TcpClient.h"

class TcpSetupTransport final : public SetupTransport {
  public:
    // False when no connection came within timeoutMs; LastError() tells why.
    bool Connect(const std::string& host, uint16_t port, int timeoutMs);
    int LastError() const { return m_client.LastError(); }

    bool Write(std::string_view bytes, int timeoutMs) override;
    ReadResult ReadSome(std::string& out, int timeoutMs) override;
    void Close() override { m_client.Close(); }

  private:
    kq::TcpClient m_client;
};
