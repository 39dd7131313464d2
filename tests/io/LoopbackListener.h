// A TCP listener on 127.0.0.1 with an ephemeral port, playing the network device in tests.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace kq::test {

class LoopbackListener {
  public:
    LoopbackListener() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::listen(listener_, 4) == 0 &&
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~LoopbackListener() {
        CloseConnection();
        ::close(listener_);
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    uint16_t Port() const { return port_; }
    std::string Endpoint() const { return "127.0.0.1:" + std::to_string(port_); }

    bool Accept(int timeoutMs = 5000) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, timeoutMs) <= 0) {
            return false;
        }
        connection_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        return connection_ >= 0;
    }
    bool SendAll(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::send(connection_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    }
    bool ReceiveExactly(std::string& out, size_t length) {
        char buffer[4096];
        while (out.size() < length) {
            const ssize_t n = ::recv(connection_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return false;
            }
            out.append(buffer, static_cast<size_t>(n));
        }
        return true;
    }
    void CloseConnection() {
        if (connection_ >= 0) {
            ::close(connection_);
            connection_ = -1;
        }
    }

  private:
    int listener_ = -1;
    int connection_ = -1;
    uint16_t port_ = 0;
};

}  // namespace kq::test
