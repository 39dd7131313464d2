// The line under a COM port: one non-blocking descriptor, either a serial line through termios
// (a device or a pseudo-terminal) or a TCP connection standing in for a redirected COM port.
#pragma once

#include <memory>
#include <string>

#include "platform/io/ByteChannel.h"
#include "platform/io/SerialPort.h"
#include "ports/CDcb.h"

class CComm2 {
  public:
    // How long a TCP connection may take to come up.
    static constexpr int kConnectTimeoutMs = 3000;

    CComm2() = default;
    ~CComm2() { Close(); }
    CComm2(const CComm2&) = delete;
    CComm2& operator=(const CComm2&) = delete;

    // Opens a serial line at the settings' rate (8N1).
    BOOL OpenSerial(const std::string& path, const CDcb& dcb);
    // Connects to "host:port"; the rate belongs to the device server's own line and is not ours.
    BOOL OpenTcp(const std::string& endpoint);
    void Close();
    BOOL IsOpen() const { return channel_ && channel_->IsOpen(); }
    int Fd() const { return IsOpen() ? channel_->Fd() : -1; }
    BOOL SetBaudRate(DWORD baudRate);

    kq::IoResult Read(void* buffer, size_t capacity);
    kq::IoResult Send(const void* data, size_t length);
    kq::IoResult FlushOutput();
    size_t PendingOutput() const { return channel_ ? channel_->PendingOutput() : 0; }

    // The system error code of the last failure.
    DWORD GetLastError() const { return lastError_; }

  private:
    kq::IoResult Track(kq::IoResult result);

    std::unique_ptr<kq::ByteChannel> channel_;
    kq::SerialPort* serial_ = nullptr;  // channel_ when it is a serial line
    DWORD lastError_ = 0;
};
