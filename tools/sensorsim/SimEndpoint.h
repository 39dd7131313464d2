// Where a simulated sensor meets the application: a pseudo-terminal (the application opens the
// slave side like a serial port) or a TCP port on 127.0.0.1 that takes one client at a time.
#pragma once

#include <string>

#include <sys/types.h>

namespace sensorsim {

class SimEndpoint {
  public:
    SimEndpoint() = default;
    ~SimEndpoint();
    SimEndpoint(const SimEndpoint&) = delete;
    SimEndpoint& operator=(const SimEndpoint&) = delete;

    bool OpenPty(std::string& error);
    // port 0 takes any free port.
    bool ListenTcp(int port, std::string& error);
    // The port disappears: the pseudo-terminal is closed (its path goes away), the TCP port
    // stops listening and drops its client.
    void Close();
    // The port comes back after Close: a new pseudo-terminal (under the same link, if any), or
    // the same TCP port listening again.
    bool Reopen(std::string& error);
    // A pseudo-terminal is also reached through a symbolic link at `path`, which follows it to
    // a new pseudo-terminal and goes away while the port is closed, as a USB adapter's device
    // node does when it is unplugged and plugged in again.
    void LinkAt(const std::string& path);

    bool IsOpen() const { return m_dataFd >= 0 || m_listenFd >= 0; }
    bool IsTcp() const { return m_tcp; }
    // The link or the slave path of a pseudo-terminal, "127.0.0.1:port" for TCP.
    const std::string& Name() const { return m_link.empty() ? m_name : m_link; }
    int TcpPort() const { return m_tcpPort; }

    int DataFd() const { return m_dataFd; }
    int ListenFd() const { return m_listenFd; }
    // Takes a waiting client; an earlier client is dropped.
    void Accept();

    // Non-blocking; 0 when nothing is there. A TCP client that went away is dropped.
    ssize_t Read(char* buffer, size_t size);
    ssize_t Write(const char* data, size_t size);

    // Whether the application's line settings are baud and 8N1. On a pseudo-terminal the master
    // sees the settings the slave side was given (tcgetattr works on the master under Linux);
    // where they cannot be seen (TCP, or tcgetattr failing) the line counts as matching.
    bool LineMatches(int baud) const;
    // The application's line speed in baud, 0 when unknown.
    int LineBaud() const;

  private:
    void UpdateLink() const;

    int m_dataFd = -1;   // pty master or TCP client
    int m_slaveFd = -1;  // kept open so the master does not see hang-ups between openings
    int m_listenFd = -1;
    bool m_tcp = false;
    int m_tcpPort = 0;
    std::string m_name;
    std::string m_link;
};

}  // namespace sensorsim
