// A COM port: a serial device, a pseudo-terminal or a TCP endpoint, all served as a serial line
// through their CComm2.
#pragma once

#include "ports/CComm2.h"
#include "ports/CPort.h"

class CPortCom final : public CPort {
  public:
    BOOL Open(const kq::ports::PortEntry& entry, const CDcb& dcb) override;
    void Close() override { m_Comm.Close(); }
    BOOL IsOpen() const override { return m_Comm.IsOpen(); }
    int Fd() const override { return m_Comm.Fd(); }
    BOOL SetBaudRate(DWORD baudRate) override { return m_Comm.SetBaudRate(baudRate); }
    kq::IoResult Read(void* buffer, size_t capacity) override {
        return m_Comm.Read(buffer, capacity);
    }
    kq::IoResult Send(const void* data, size_t length) override {
        return m_Comm.Send(data, length);
    }
    kq::IoResult FlushOutput() override { return m_Comm.FlushOutput(); }
    size_t PendingOutput() const override { return m_Comm.PendingOutput(); }
    DWORD GetLastError() const override { return m_Comm.GetLastError(); }

  private:
    CComm2 m_Comm;
};
