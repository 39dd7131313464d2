#include "platform/io/SerialPort.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace kq {

namespace {

struct SpeedEntry {
    int rate;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {1200, B1200},       {2400, B2400},       {4800, B4800},       {9600, B9600},
    {19200, B19200},     {38400, B38400},     {57600, B57600},     {115200, B115200},
    {230400, B230400},   {460800, B460800},   {500000, B500000},   {576000, B576000},
    {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000},
};

}  // namespace

unsigned BaudRateToSpeed(int baudRate) {
    for (const auto& entry : kSpeeds) {
        if (entry.rate == baudRate) {
            return entry.speed;
        }
    }
    return 0;
}

int SpeedToBaudRate(unsigned speed) {
    for (const auto& entry : kSpeeds) {
        if (entry.speed == speed) {
            return entry.rate;
        }
    }
    return 0;
}

bool SerialPort::IsSupportedBaudRate(int baudRate) {
    return BaudRateToSpeed(baudRate) != 0;
}

bool SerialPort::Configure(int fd, int baudRate) {
    const speed_t speed = BaudRateToSpeed(baudRate);
    if (speed == 0) {
        SetLastError(EINVAL);
        return false;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        SetLastError(errno);
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // With O_NONBLOCK reads never wait whatever VMIN says. VMIN 1 makes an empty line answer
    // EAGAIN; with VMIN 0 it would answer 0, which could not be told from a hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0 ||
        tcsetattr(fd, TCSANOW, &tio) != 0) {
        SetLastError(errno);
        return false;
    }
    // tcsetattr succeeds when any part was applied; a driver that cannot do the rate leaves
    // another one in place.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0 || cfgetospeed(&applied) != speed) {
        SetLastError(EINVAL);
        return false;
    }
    return true;
}

bool SerialPort::Open(const std::string& path, int baudRate) {
    Close();
    if (!IsSupportedBaudRate(baudRate)) {
        SetLastError(EINVAL);
        return false;
    }
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsValid()) {
        SetLastError(errno);
        return false;
    }
    // The advisory lock also holds against root, whom TIOCEXCL does not stop.
    if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        SetLastError(errno == EWOULDBLOCK ? EBUSY : errno);
        return false;
    }
    if (!isatty(fd.Get())) {
        SetLastError(ENOTTY);
        return false;
    }
    if (ioctl(fd.Get(), TIOCEXCL) != 0) {
        SetLastError(errno);
        return false;
    }
    if (!Configure(fd.Get(), baudRate)) {
        ioctl(fd.Get(), TIOCNXCL);
        return false;
    }
    tcflush(fd.Get(), TCIOFLUSH);
    // Pseudo-terminals have no modem lines; that is not an error.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd.Get(), TIOCMBIS, &lines);
    Adopt(std::move(fd));
    path_ = path;
    baudRate_ = baudRate;
    return true;
}

bool SerialPort::SetBaudRate(int baudRate) {
    if (!IsOpen()) {
        SetLastError(EBADF);
        return false;
    }
    if (!Configure(Fd(), baudRate)) {
        return false;
    }
    baudRate_ = baudRate;
    return true;
}

void SerialPort::Close() {
    if (IsOpen()) {
        // The exclusive flag outlives this descriptor while others (a hung-up line, the peer's
        // own slave descriptor) keep the terminal open, and would refuse our next open.
        ioctl(Fd(), TIOCNXCL);
    }
    ByteChannel::Close();
    path_.clear();
    baudRate_ = 0;
}

}  // namespace kq
