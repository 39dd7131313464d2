// A port's line settings and status, named after the system's device control block. The port
// library's lines are 8 data bits, no parity, one stop bit at a rate termios knows.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE MARKPARITY = 3;
constexpr BYTE SPACEPARITY = 4;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE ONE5STOPBITS = 1;
constexpr BYTE TWOSTOPBITS = 2;

// States of a port manager.
constexpr DWORD PORTMAN_STATE_OPEN = 0;
constexpr DWORD PORTMAN_STATE_CLOSED = 1;   // closed on request
constexpr DWORD PORTMAN_STATE_LENT = 2;     // lent to another process (never entered here)
constexpr DWORD PORTMAN_STATE_REMOVED = 3;  // closed because the device went away

class CDcb {
  public:
    CDcb() = default;
    CDcb(const CString& portName, DWORD baudRate) : m_strPortName(portName), BaudRate(baudRate) {}

    // A known COM name, a rate termios has, and 8N1: the only lines this library opens.
    BOOL IsValid() const;
    // "Granted" while lent, "OffLine" when closed or removed, else the port name when the
    // settings are valid, else "Bad Config".
    CString GetStateText() const;

    CString m_strPortName;  // "COM3"
    DWORD BaudRate = 115200;
    BYTE ByteSize = 8;
    BYTE Parity = NOPARITY;
    BYTE StopBits = ONESTOPBIT;
    DWORD m_dwState = PORTMAN_STATE_CLOSED;  // kept by the port manager
};
