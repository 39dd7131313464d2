#include "tools/testsupport/PseudoTerminal.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>

#include "platform/io/SerialPort.h"

namespace kq {

namespace {

// Waits for the events on fd; false on time-out or a hang-up without the wanted event.
bool WaitFor(int fd, short events, int timeoutMs) {
    pollfd waiting{fd, events, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (waiting.revents & events) != 0;
}

}  // namespace

bool PseudoTerminal::Open() {
    CloseMaster();
    slave_.Reset();
    UniqueFd master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!master.IsValid() || grantpt(master.Get()) != 0 || unlockpt(master.Get()) != 0) {
        return false;
    }
    char name[128];
    if (ptsname_r(master.Get(), name, sizeof name) != 0) {
        return false;
    }
    UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!slave.IsValid()) {
        return false;
    }
    termios tio{};
    if (tcgetattr(slave.Get(), &tio) != 0) {
        return false;
    }
    cfmakeraw(&tio);
    if (tcsetattr(slave.Get(), TCSANOW, &tio) != 0) {
        return false;
    }
    const int flags = fcntl(master.Get(), F_GETFL);
    if (flags < 0 || fcntl(master.Get(), F_SETFL, flags | O_NONBLOCK) != 0) {
        return false;
    }
    master_ = std::move(master);
    slave_ = std::move(slave);
    slavePath_ = name;
    return true;
}

int PseudoTerminal::LineBaudRate() const {
    termios tio{};
    if (!master_.IsValid() || tcgetattr(master_.Get(), &tio) != 0) {
        return 0;
    }
    return SpeedToBaudRate(cfgetospeed(&tio));
}

bool PseudoTerminal::WriteAll(const void* data, size_t length, int timeoutMs) {
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t n = ::write(master_.Get(), bytes, length);
        if (n > 0) {
            bytes += n;
            length -= static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitFor(master_.Get(), POLLOUT, timeoutMs)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

size_t PseudoTerminal::ReadAvailable(std::string& out) {
    size_t total = 0;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_.Get(), buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
            total += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return total;
        }
    }
}

bool PseudoTerminal::ReadExactly(std::string& out, size_t length, int timeoutMs) {
    while (out.size() < length) {
        std::string chunk;
        if (ReadAvailable(chunk) > 0) {
            out += chunk;
            continue;
        }
        if (!WaitFor(master_.Get(), POLLIN, timeoutMs)) {
            return false;
        }
    }
    return true;
}

void PseudoTerminal::CloseMaster() {
    master_.Reset();
    slave_.Reset();
}

}  // namespace kq
