#include "tools/sensorsim/SimEndpoint.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/base/StringFormat.h"

namespace sensorsim {
namespace {

void SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

int SpeedToBaud(speed_t speed) {
    switch (speed) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        case B230400:
            return 230400;
        case B460800:
            return 460800;
        default:
            return 0;
    }
}

}  // namespace

SimEndpoint::~SimEndpoint() {
    Close();
}

bool SimEndpoint::OpenPty(std::string& error) {
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = kq::Format("openpty failed: %s", std::strerror(errno));
        return false;
    }
    // Raw on both sides until the application sets its own line: nothing the simulator sends
    // may be echoed back to it or changed on the way.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tcsetattr(slave, TCSANOW, &tio);
    SetNonBlocking(master);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_dataFd = master;
    m_slaveFd = slave;
    m_tcp = false;
    m_name = name;
    UpdateLink();
    return true;
}

bool SimEndpoint::ListenTcp(int port, std::string& error) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = kq::Format("socket failed: %s", std::strerror(errno));
        return false;
    }
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(fd, 1) != 0) {
        error = kq::Format("cannot listen on 127.0.0.1:%d: %s", port, std::strerror(errno));
        close(fd);
        return false;
    }
    socklen_t length = sizeof(address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    m_listenFd = fd;
    m_tcp = true;
    m_tcpPort = ntohs(address.sin_port);
    m_name = kq::Format("127.0.0.1:%d", m_tcpPort);
    return true;
}

void SimEndpoint::Close() {
    CloseFd(m_dataFd);
    CloseFd(m_slaveFd);
    CloseFd(m_listenFd);
    UpdateLink();
}

bool SimEndpoint::Reopen(std::string& error) {
    Close();
    return m_tcp ? ListenTcp(m_tcpPort, error) : OpenPty(error);
}

void SimEndpoint::LinkAt(const std::string& path) {
    m_link = path;
    UpdateLink();
}

void SimEndpoint::UpdateLink() const {
    if (m_link.empty() || m_tcp) {
        return;
    }
    unlink(m_link.c_str());
    if (m_dataFd >= 0) {
        [[maybe_unused]] const int linked = symlink(m_name.c_str(), m_link.c_str());
    }
}

void SimEndpoint::Accept() {
    if (m_listenFd < 0) {
        return;
    }
    const int client = accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client >= 0) {
        CloseFd(m_dataFd);
        m_dataFd = client;
    }
}

ssize_t SimEndpoint::Read(char* buffer, size_t size) {
    if (m_dataFd < 0) {
        return 0;
    }
    const ssize_t n = read(m_dataFd, buffer, size);
    if (n > 0) {
        return n;
    }
    if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        // The client went away (TCP) or the slave side hung up; a pty stays open for the next
        // opening since the simulator holds the slave side itself.
        if (m_tcp) {
            CloseFd(m_dataFd);
        }
    }
    return 0;
}

ssize_t SimEndpoint::Write(const char* data, size_t size) {
    if (m_dataFd < 0) {
        return -1;
    }
    const ssize_t n = m_tcp ? send(m_dataFd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT)
                            : write(m_dataFd, data, size);
    if (n >= 0) {
        return n;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

int SimEndpoint::LineBaud() const {
    if (m_tcp || m_dataFd < 0) {
        return 0;
    }
    termios tio{};
    if (tcgetattr(m_dataFd, &tio) != 0) {
        return 0;
    }
    return SpeedToBaud(cfgetospeed(&tio));
}

bool SimEndpoint::LineMatches(int baud) const {
    if (m_tcp || m_dataFd < 0) {
        return true;
    }
    termios tio{};
    if (tcgetattr(m_dataFd, &tio) != 0) {
        return true;
    }
    const bool eightNoneOne =
        (tio.c_cflag & CSIZE) == CS8 && !(tio.c_cflag & PARENB) && !(tio.c_cflag & CSTOPB);
    return eightNoneOne && SpeedToBaud(cfgetospeed(&tio)) == baud;
}

}  // namespace sensorsim
