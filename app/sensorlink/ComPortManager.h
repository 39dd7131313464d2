// The dialogue's ports on the port library: each port manager is a CPortManGui that sends what
// it receives to the owner window as its data message.
#pragma once

#include <memory>

#include "ports/CPortManGui.h"
#include "sensor/ComPortInterfaces.h"

class CComPortManager final : public ISensorPort {
  public:
    // The main port manager asks for device notifications to its owner; the ports of a
    // multi-port device do not.
    CComPortManager(HWND owner, UINT dataMessage, UINT eventMessage);
    bool OpenPort(const CString& portName, int baudrate) override;
    void ClosePort(bool removed) override;
    bool IsPortOpen() const override;
    bool Write(std::string_view bytes) override;
    CString GetStateText() const override;
    // Handed on to the port library's manager, which follows its own port's removal and return.
    BOOL OnDeviceChange(UINT event, DWORD_PTR data) override;
    CPortManGui& Manager() { return m_manager; }

  private:
    CPortManGui m_manager;
};

class CComPortProvider final : public ISensorPortProvider {
  public:
    std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT dataMessage,
                                                   UINT eventMessage) override;
    std::vector<CString> EnumeratePorts(bool usbOnly) override;
};
