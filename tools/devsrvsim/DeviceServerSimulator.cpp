#include "tools/devsrvsim/DeviceServerSimulator.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>

namespace devsrvsim {

namespace {

constexpr int64_t kSlowLineMs = 300;
constexpr int64_t kEnterTimeoutMs = 3000;
constexpr int kLoopWaitMs = 10;

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool IsLoopback(const std::string& address, in_addr& parsed) {
    return inet_pton(AF_INET, address.c_str(), &parsed) == 1 && (ntohl(parsed.s_addr) >> 24) == 127;
}

// A non-blocking listener on the address; the port it got, or -1 with `error`.
int Listen(const std::string& address, int port, int& fdOut, std::string& error) {
    in_addr parsed{};
    if (!IsLoopback(address, parsed)) {
        error = "not a loopback address (127.0.0.0/8): " + address;
        return -1;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr = parsed;
    local.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t size = sizeof local;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&local), size) != 0 ||
        ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        error = "cannot listen on " + address + ":" + std::to_string(port) + ": " + strerror(errno);
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    fdOut = fd;
    return ntohs(local.sin_port);
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

struct DeviceServerSimulator::Session {
    Session(int socket, SetupDialogue d, int64_t now)
        : fd(socket), dialogue(std::move(d)), acceptedMs(now) {}
    ~Session() { CloseFd(fd); }

    int fd;
    SetupDialogue dialogue;
    int64_t acceptedMs;
    std::deque<std::pair<int64_t, std::string>> output;  // due time, bytes
    bool closeWhenSent = false;
    bool closed = false;
};

DeviceServerSimulator::DeviceServerSimulator(DevSrvSetup setup, LogSink sink)
    : m_setup(std::move(setup)), m_sink(std::move(sink)), m_fault(m_setup.fault) {}

DeviceServerSimulator::~DeviceServerSimulator() {
    Stop();
}

void DeviceServerSimulator::Log(const std::string& text) const {
    if (m_sink) {
        m_sink("devsrv " + m_setup.address + ":" + std::to_string(m_setupPort) + ": " + text);
    }
}

bool DeviceServerSimulator::ListenSetup(std::string& error) {
    const int port = Listen(m_setup.address, m_setupPort, m_setupListenFd, error);
    if (port < 0) {
        return false;
    }
    m_setupPort = port;
    return true;
}

bool DeviceServerSimulator::Start(std::string& error) {
    m_setupPort = m_setup.setupPort;
    if (m_setup.fault != DevSrvFault::Refuse && !ListenSetup(error)) {
        return false;
    }
    if (m_setup.fault == DevSrvFault::Refuse) {
        // Take a free port and give it up: connections to it are refused.
        if (!ListenSetup(error)) {
            return false;
        }
        CloseFd(m_setupListenFd);
    }
    m_dataPort = Listen(m_setup.address, m_setup.dataPort, m_dataListenFd, error);
    if (m_dataPort < 0) {
        CloseFd(m_setupListenFd);
        return false;
    }
    m_stored = m_setup.stored;
    m_stored.dataPort = m_dataPort;
    m_current = m_stored;
    if (!m_setup.serialPath.empty() && !m_line.Open(m_setup.serialPath, m_current.baud)) {
        error = "cannot open " + m_setup.serialPath + ": " + strerror(m_line.LastError());
        CloseFd(m_setupListenFd);
        CloseFd(m_dataListenFd);
        return false;
    }
    if (::pipe2(m_wakeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = "pipe: " + std::string(strerror(errno));
        return false;
    }
    Log("setup port " + std::to_string(m_setupPort) + ", data port " + std::to_string(m_dataPort) +
        ", line " + (m_setup.serialPath.empty() ? "none" : m_setup.serialPath) + " at " +
        std::to_string(m_current.baud));
    m_stop = false;
    m_thread = std::thread([this] { Loop(); });
    return true;
}

void DeviceServerSimulator::Stop() {
    if (m_thread.joinable()) {
        m_stop = true;
        Wake();
        m_thread.join();
    }
    std::lock_guard lock(m_mutex);
    m_sessions.clear();
    CloseFd(m_setupListenFd);
    CloseFd(m_dataListenFd);
    CloseFd(m_dataClientFd);
    m_line.Close();
    CloseFd(m_wakeFds[0]);
    CloseFd(m_wakeFds[1]);
}

void DeviceServerSimulator::Wake() {
    if (m_wakeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(m_wakeFds[1], &byte, 1);
    }
}

DevSrvSettings DeviceServerSimulator::Current() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

DevSrvSettings DeviceServerSimulator::Stored() const {
    std::lock_guard lock(m_mutex);
    return m_stored;
}

int DeviceServerSimulator::ConnectionCount() const {
    std::lock_guard lock(m_mutex);
    return m_connections;
}

bool DeviceServerSimulator::InSetupMode() const {
    std::lock_guard lock(m_mutex);
    return std::any_of(m_sessions.begin(), m_sessions.end(), [](const auto& session) {
        return !session->closed && session->dialogue.InSetupMode();
    });
}

int DeviceServerSimulator::LineBaud() const {
    std::lock_guard lock(m_mutex);
    return m_line.IsOpen() ? m_line.BaudRate() : 0;
}

void DeviceServerSimulator::SetFault(DevSrvFault fault) {
    std::lock_guard lock(m_mutex);
    m_fault = fault;
    if (fault == DevSrvFault::Refuse) {
        CloseFd(m_setupListenFd);
    } else if (m_setupListenFd < 0) {
        std::string error;
        if (!ListenSetup(error)) {
            Log(error);
        }
    }
    Log(std::string("fault ") + DevSrvFaultName(fault));
    Wake();
}

void DeviceServerSimulator::Restart() {
    std::lock_guard lock(m_mutex);
    m_sessions.clear();
    CloseFd(m_dataClientFd);
    m_current = m_stored;
    ApplyLineRate();
    Log("restart: " + std::to_string(m_current.baud) + " baud");
    Wake();
}

void DeviceServerSimulator::ApplyLineRate() {
    if (m_line.IsOpen() && m_line.BaudRate() != m_current.baud &&
        !m_line.SetBaudRate(m_current.baud)) {
        Log("line rate " + std::to_string(m_current.baud) + " refused");
    }
}

void DeviceServerSimulator::AcceptSetup(int64_t nowMs) {
    const int fd = ::accept4(m_setupListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        return;
    }
    ++m_connections;
    auto session =
        std::make_unique<Session>(fd, SetupDialogue(m_setup.banner, m_current, m_fault), nowMs);
    int64_t due = nowMs;
    for (std::string& chunk : session->dialogue.Greeting()) {
        session->output.emplace_back(due, std::move(chunk));
        due += m_fault == DevSrvFault::SlowLines ? kSlowLineMs : 0;
    }
    Log("setup connection " + std::to_string(m_connections));
    m_sessions.push_back(std::move(session));
}

void DeviceServerSimulator::ServeSession(Session& session, short revents, int64_t nowMs) {
    if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        char buffer[1024];
        const ssize_t got = ::recv(session.fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                session.closed = true;
                return;
            }
        } else {
            std::vector<std::string> out;
            const auto outcome =
                session.dialogue.Feed(std::string(buffer, static_cast<size_t>(got)), out);
            int64_t due =
                session.output.empty() ? nowMs : std::max(nowMs, session.output.back().first);
            for (std::string& chunk : out) {
                due += m_fault == DevSrvFault::SlowLines ? kSlowLineMs : 0;
                session.output.emplace_back(due, std::move(chunk));
            }
            if (outcome == SetupDialogue::Outcome::Apply ||
                outcome == SetupDialogue::Outcome::Save) {
                const int dataPort = m_current.dataPort;
                m_current = session.dialogue.Edited();
                m_current.dataPort = dataPort;
                if (outcome == SetupDialogue::Outcome::Save) {
                    m_stored = m_current;
                }
                ApplyLineRate();
                Log(std::string(outcome == SetupDialogue::Outcome::Save ? "stored " : "applied ") +
                    std::to_string(m_current.baud) + " baud");
            }
            if (outcome != SetupDialogue::Outcome::Continue) {
                session.closeWhenSent = true;
            }
        }
    }
    if (!session.dialogue.InSetupMode() && !session.closeWhenSent &&
        m_fault != DevSrvFault::Silent && nowMs - session.acceptedMs > kEnterTimeoutMs) {
        session.closed = true;  // no Return in time: the server goes back to work
    }
}

void DeviceServerSimulator::FlushSession(Session& session, int64_t nowMs) {
    while (!session.closed && !session.output.empty() && session.output.front().first <= nowMs) {
        std::string& bytes = session.output.front().second;
        const ssize_t sent = ::send(session.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EINTR) {
                session.closed = true;
            }
            return;
        }
        bytes.erase(0, static_cast<size_t>(sent));
        if (!bytes.empty()) {
            return;
        }
        session.output.pop_front();
    }
    if (session.closeWhenSent && session.output.empty()) {
        session.closed = true;
    }
}

void DeviceServerSimulator::AcceptData() {
    const int fd = ::accept4(m_dataListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        return;
    }
    // One client at a time: a newcomer takes over the line.
    CloseFd(m_dataClientFd);
    m_dataClientFd = fd;
    Log("data client");
}

void DeviceServerSimulator::BridgeFromClient() {
    char buffer[4096];
    const ssize_t got = ::recv(m_dataClientFd, buffer, sizeof buffer, 0);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) {
        CloseFd(m_dataClientFd);
        return;
    }
    if (got > 0 && m_line.IsOpen()) {
        m_line.Send(buffer, static_cast<size_t>(got));
    }
}

void DeviceServerSimulator::BridgeFromLine() {
    char buffer[4096];
    const kq::IoResult result = m_line.Read(buffer, sizeof buffer);
    if (result.status == kq::IoStatus::HungUp || result.status == kq::IoStatus::Failed) {
        Log("serial line gone");
        m_line.Close();
        return;
    }
    if (result.status == kq::IoStatus::Done && result.count > 0 && m_dataClientFd >= 0) {
        [[maybe_unused]] const ssize_t ignored =
            ::send(m_dataClientFd, buffer, result.count, MSG_NOSIGNAL);
    }
}

void DeviceServerSimulator::Loop() {
    std::vector<pollfd> fds;
    while (!m_stop) {
        int waitMs = kLoopWaitMs;
        {
            std::lock_guard lock(m_mutex);
            fds.clear();
            fds.push_back({m_wakeFds[0], POLLIN, 0});
            fds.push_back({m_setupListenFd, POLLIN, 0});
            fds.push_back({m_dataListenFd, POLLIN, 0});
            fds.push_back({m_dataClientFd, POLLIN, 0});
            fds.push_back({m_line.IsOpen() ? m_line.Fd() : -1,
                           static_cast<short>(POLLIN | (m_line.PendingOutput() > 0 ? POLLOUT : 0)),
                           0});
            for (const auto& session : m_sessions) {
                fds.push_back({session->fd, POLLIN, 0});
            }
        }
        ::poll(fds.data(), fds.size(), waitMs);
        if (fds[0].revents != 0) {
            char drain[64];
            while (::read(m_wakeFds[0], drain, sizeof drain) > 0) {
            }
        }
        std::lock_guard lock(m_mutex);
        const int64_t now = NowMs();
        if (fds[1].fd == m_setupListenFd && (fds[1].revents & POLLIN) != 0) {
            AcceptSetup(now);
        }
        if (fds[2].fd == m_dataListenFd && (fds[2].revents & POLLIN) != 0) {
            AcceptData();
        }
        if (m_dataClientFd >= 0 && fds[3].fd == m_dataClientFd && fds[3].revents != 0) {
            BridgeFromClient();
        }
        if (m_line.IsOpen()) {
            if ((fds[4].revents & POLLIN) != 0) {
                BridgeFromLine();
            }
            if (m_line.PendingOutput() > 0) {
                m_line.FlushOutput();
            }
        }
        for (size_t i = 0; i < m_sessions.size(); ++i) {
            Session& session = *m_sessions[i];
            const short revents =
                i + 5 < fds.size() && fds[i + 5].fd == session.fd ? fds[i + 5].revents : 0;
            ServeSession(session, revents, now);
            FlushSession(session, now);
        }
        std::erase_if(m_sessions, [](const auto& session) { return session->closed; });
    }
}

}  // namespace devsrvsim
