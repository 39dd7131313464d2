// The application's side of a simulated port in the tests: opens a pseudo-terminal like a
// serial port (raw, 8N1) or connects to the TCP port, sends requests and cuts replies.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "protocol/FrameCutter.h"

namespace simtest {

class Client {
  public:
    ~Client() { Close(); }

    bool Open(const std::string& path, int baud) {
        Close();
        m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        return m_fd >= 0 && SetBaud(baud);
    }

    bool SetBaud(int baud) {
        termios tio{};
        if (tcgetattr(m_fd, &tio) != 0) {
            return false;
        }
        cfmakeraw(&tio);
        const speed_t speed = baud == 230400 ? B230400 : baud == 115200 ? B115200 : B9600;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        return tcsetattr(m_fd, TCSANOW, &tio) == 0;
    }

    bool Connect(int port) {
        Close();
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
            return false;
        }
        fcntl(m_fd, F_SETFL, O_NONBLOCK);
        return true;
    }

    void Close() {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
        m_buffer.Empty();
    }

    bool Send(const CString& bytes) {
        return !bytes.IsEmpty() &&
               write(m_fd, bytes.GetString(), static_cast<size_t>(bytes.GetLength())) ==
                   bytes.GetLength();
    }

    // The next frame, waiting up to timeoutMs of real time.
    bool Receive(tarvik::Frame& frame, int timeoutMs = 3000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (m_cutter.CutFrame(m_buffer, frame)) {
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0 || !ReadSome(static_cast<int>(left))) {
                return false;
            }
        }
    }

    // Sends a request and returns its reply (code 0 when none came).
    tarvik::Frame Ask(const CString& request, int timeoutMs = 3000) {
        tarvik::Frame frame;
        if (!Send(request) || !Receive(frame, timeoutMs)) {
            frame = tarvik::Frame();
        }
        return frame;
    }

    // Everything that arrives within ms of real time, raw.
    std::string Collect(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) {
                break;
            }
            ReadSome(static_cast<int>(left));
        }
        std::string bytes = m_buffer.Str();
        m_buffer.Empty();
        return bytes;
    }

    // False when the port went away (hang-up or read error).
    bool ReadSome(int timeoutMs) {
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) {
            return true;
        }
        char chunk[4096];
        const ssize_t n = read(m_fd, chunk, sizeof(chunk));
        if (n <= 0) {
            m_hungUp = n == 0 || errno != EAGAIN;
            return !m_hungUp;
        }
        m_buffer.Append(chunk, static_cast<int>(n));
        return true;
    }

    bool HungUp() const { return m_hungUp; }
    const tarvik::CutStats& Stats() const { return m_cutter.Stats(); }

  private:
    int m_fd = -1;
    CString m_buffer;
    tarvik::FrameCutter m_cutter;
    bool m_hungUp = false;
};

// Collects the simulator's log lines.
class LogLines {
  public:
    void operator()(const std::string& line) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.push_back(line);
    }
    bool Contains(const std::string& text) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const std::string& line : m_lines) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

}  // namespace simtest
