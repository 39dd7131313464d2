// A serial line through termios: raw, 8 data bits, no parity, one stop bit, no flow control,
// opened exclusively (a second opener, in this process or another, is refused as busy).
#pragma once

#include <string>

#include "platform/io/ByteChannel.h"

namespace kq {

class SerialPort final : public ByteChannel {
  public:
    SerialPort() = default;
    ~SerialPort() override { Close(); }

    // Opens the device at the given rate. False with LastError() set: EBUSY when the line is
    // open elsewhere, EINVAL for a rate termios has no constant for, ENOTTY for a non-terminal,
    // otherwise the errno of the failing call.
    bool Open(const std::string& path, int baudRate);
    bool SetBaudRate(int baudRate);
    int BaudRate() const { return baudRate_; }
    const std::string& Path() const { return path_; }
    void Close() override;

    // True for the rates this port can be opened at.
    static bool IsSupportedBaudRate(int baudRate);

  private:
    bool Configure(int fd, int baudRate);

    std::string path_;
    int baudRate_ = 0;
};

// The termios speed constant of a rate (0 when there is none) and back (0 for an unknown one).
unsigned BaudRateToSpeed(int baudRate);
int SpeedToBaudRate(unsigned speed);

}  // namespace kq
