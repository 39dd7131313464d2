// What the sensor dialogue needs from the window system and the port library, kept behind two
// small interfaces so that the dialogue runs the same against real ports on the event loop and
// against simulated sensors in tests.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "foundation/SharedConstants.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// Messages that carry received bytes to the owner window (wParam count, lParam buffer).
constexpr UINT COM_MSG_RECEIVED = WM_PORT_DATA;
constexpr UINT COM_MSG_PORT_EVENT = WM_PORT_EVENT;
constexpr UINT COM_MSG_RECEIVED_PORT0 = WM_PORT_DATA_FIRST;  // ports 0..3 of a multi-port device

// One port manager: one serial port at a time, whose received bytes reach the owner window as
// the manager's data message.
class ISensorPort {
  public:
    virtual ~ISensorPort() = default;
    // 8 data bits, no parity, one stop bit. False when the port cannot be opened (busy, gone).
    virtual bool OpenPort(const CString& portName, int baudrate) = 0;
    // removed: closed because the device went away (the manager may reopen it on arrival).
    virtual void ClosePort(bool removed) = 0;
    virtual bool IsPortOpen() const = 0;
    // False when the bytes could not be handed to the port (closed, gone).
    virtual bool Write(std::string_view bytes) = 0;
    // "OffLine" when closed, the port name while open.
    virtual CString GetStateText() const = 0;
    // A device change the owner window received (WM_DEVICECHANGE event and data); TRUE when
    // the manager handled it. Managers that do not follow devices leave it unhandled.
    virtual BOOL OnDeviceChange(UINT event, DWORD_PTR data) {
        (void)event;
        (void)data;
        return FALSE;
    }
};

class ISensorPortProvider {
  public:
    virtual ~ISensorPortProvider() = default;
    // A new port manager that delivers received bytes to owner as dataMessage and port events
    // as eventMessage.
    virtual std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT dataMessage,
                                                           UINT eventMessage) = 0;
    // The serial ports of the PC as "COMn description", optionally the USB ports only.
    virtual std::vector<CString> EnumeratePorts(bool usbOnly) = 0;
};

// The main frame's one-shot window timers, and one periodic tick that runs on the GUI thread.
class IComPortTimers {
  public:
    virtual ~IComPortTimers() = default;
    virtual void ArmFrameTimer(UINT id, UINT ms) = 0;
    virtual void KillFrameTimer(UINT id) = 0;
    // Starts (or restarts with a new period) the periodic tick, which may come up to slackMs
    // late to share a wake with the sensors' data.
    virtual bool StartTick(UINT ms, UINT slackMs, std::function<void()> tick) = 0;
    virtual void StopTick() = 0;
};
