#include "platform/io/TcpClient.h"

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <charconv>

namespace kq {

bool ParseHostPort(const std::string& text, std::string& host, uint16_t& port) {
    size_t colon;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') {
            return false;
        }
        host = text.substr(1, close - 1);
        colon = close + 1;
    } else {
        colon = text.rfind(':');
        if (colon == std::string::npos || text.find(':') != colon) {
            return false;
        }
        host = text.substr(0, colon);
    }
    const char* first = text.data() + colon + 1;
    const char* last = text.data() + text.size();
    unsigned value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (host.empty() || first == last || error != std::errc() || end != last || value == 0 ||
        value > 65535) {
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

namespace {

// Connects one resolved address; 0 or the errno of the failure.
int ConnectOne(const addrinfo& address, int timeoutMs, const PollFunction& poll, UniqueFd& out) {
    UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                         address.ai_protocol));
    if (!fd.IsValid()) {
        return errno;
    }
    if (::connect(fd.Get(), address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            return errno;
        }
        pollfd waiting{fd.Get(), POLLOUT, 0};
        const int ready = PollWith(poll, &waiting, 1, timeoutMs);
        if (ready == 0) {
            return ETIMEDOUT;
        }
        if (ready < 0) {
            return errno;
        }
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
            return errno;
        }
        if (error != 0) {
            return error;
        }
    }
    // Requests are a few bytes each and wait for their answer: do not hold them back.
    const int on = 1;
    setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    out = std::move(fd);
    return 0;
}

}  // namespace

bool TcpClient::Connect(const std::string& host, uint16_t port, int timeoutMs,
                        const PollFunction& poll) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
        SetLastError(EINVAL);
        return false;
    }
    int error = EINVAL;
    UniqueFd fd;
    for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
        error = ConnectOne(*address, timeoutMs, poll, fd);
        if (error == 0) {
            break;
        }
    }
    freeaddrinfo(found);
    if (error != 0) {
        SetLastError(error);
        return false;
    }
    Adopt(std::move(fd));
    return true;
}

ssize_t TcpClient::WriteSome(const void* data, size_t length) {
    return ::send(Fd(), data, length, MSG_NOSIGNAL);
}

}  // namespace kq
