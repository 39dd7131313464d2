// A port as the port manager drives it: opened on a catalogue entry with line settings, read and
// written without blocking through one descriptor that the event loop watches.
#pragma once

#include "platform/io/ByteChannel.h"
#include "ports/CDcb.h"
#include "ports/PortCatalog.h"

class CPort {
  public:
    virtual ~CPort() = default;

    virtual BOOL Open(const kq::ports::PortEntry& entry, const CDcb& dcb) = 0;
    virtual void Close() = 0;
    virtual BOOL IsOpen() const = 0;
    virtual int Fd() const = 0;
    virtual BOOL SetBaudRate(DWORD baudRate) = 0;
    virtual kq::IoResult Read(void* buffer, size_t capacity) = 0;
    // Takes every byte or fails; what the line cannot take now waits for FlushOutput.
    virtual kq::IoResult Send(const void* data, size_t length) = 0;
    virtual kq::IoResult FlushOutput() = 0;
    virtual size_t PendingOutput() const = 0;
    virtual DWORD GetLastError() const = 0;
};
