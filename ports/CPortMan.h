// The port manager: owns one port at a time, opens it with line settings, writes to it, and
// hands everything it receives to its subclass on the thread whose event loop serves the port.
// A line that hangs up or fails is a removal: the port is closed with the removed flag (state
// 3), and reopened when the device comes back (OnDeviceChange with its arrival).
//
// Lending a port to another process is not supported: state 2 and "Granted" exist only as
// names.
#pragma once

#include <memory>

#include "platform/base/Arrays.h"
#include "platform/base/SyncObjects.h"
#include "platform/ui/EventLoop.h"
#include "ports/CDcb.h"
#include "ports/CPort.h"
#include "ports/DeviceChangeBroadcaster.h"

// What a port manager reports through OnPortEvent (the event message's wParam; lParam is the
// state afterwards).
constexpr WPARAM PORTEVENT_REMOVED = 1;   // the line went away; the port is closed (state 3)
constexpr WPARAM PORTEVENT_REOPENED = 2;  // the device came back and the port is open again

class CPortMan : public kq::ports::DeviceFollower {
  public:
    // Bytes taken from the line per read; a handler gets at most this many at once.
    static constexpr DWORD kReadChunk = 4096;

    CPortMan();
    virtual ~CPortMan();
    CPortMan(const CPortMan&) = delete;
    CPortMan& operator=(const CPortMan&) = delete;

    // The ports present, each as "COMn description", in COM-number order. bUsbOnly leaves out
    // serial devices not on USB (declared extra ports stay). Returns the count.
    static int EnumPorts(CStringArray& ports, BOOL bUsbOnly);

    // Opens the named port ("COM3") with the settings, closing the current one first. On
    // failure the state is 1 (closed) and GetLastError tells why.
    BOOL OpenPort(const CDcb& dcb);
    BOOL OpenPort(LPCTSTR portName, DWORD baudRate) { return OpenPort(CDcb(portName, baudRate)); }
    // Closes the port under the port lock: FALSE = closed on request (state 1), TRUE = closed
    // because the device went away (state 3, reopened on its arrival).
    BOOL ClosePort(BOOL bRemoved);
    // Queues all bytes for the line (written at once as far as it takes them, the rest as it
    // drains). FALSE when the port is not open or the line failed.
    BOOL Write(const void* data, DWORD length);
    BOOL SetBaudRate(DWORD baudRate);

    // PORTMAN_STATE_OPEN, _CLOSED, _LENT or _REMOVED.
    DWORD GetState() const;
    const CDcb& GetDcb() const { return m_Dcb; }
    CString GetStateText() const;
    CString GetPortName() const;
    // The port's description as listed ("Tarvik USB sensor interface port"); empty when none was
    // opened.
    CString GetPortDescription() const;

    // Arrival, remove-pending and remove-complete of this manager's port (the data of
    // WM_DEVICECHANGE): a removal closes it as removed, an arrival while removed reopens it.
    // Anything else, and everything while lent, is ignored (FALSE).
    BOOL OnDeviceChange(UINT nEventType, DWORD_PTR dwData) override;

    // The system error code of the last failure, and the message id for it.
    DWORD GetLastError() const;
    UINT GetLastErrorStringId() const;

    // For every port of the process: a line that speaks unasked (it sent again with nothing
    // written to it since) within ms milliseconds of its last bytes is read after ms
    // milliseconds of gathering instead of at once, so that a device streaming every
    // millisecond costs a wake-up per ms, not per value set; one that speaks more seldom is read
    // at once, without the wake-up that ends a gathering. A write
    // ends the gathering at once, so that its answer is read as soon as it comes. 0 (the
    // default) reads whenever bytes are there.
    static void SetStreamGathering(int ms);

  protected:
    // Received bytes, on the serving thread; the buffer is valid during the call only. The
    // handler may close the port or delete the manager.
    virtual void OnReceive(const BYTE* data, DWORD length) = 0;
    // An event the manager noticed by itself (PORTEVENT_...), on the serving thread.
    virtual void OnPortEvent(WPARAM event, LPARAM state) = 0;
    // The thread whose event loop serves the port (by default the one that opens it).
    virtual DWORD ServingThreadId() const;

  private:
    struct Line;

    BOOL OpenLocked(const CDcb& dcb);
    std::unique_ptr<Line> DetachLocked(DWORD state);
    static void Dispose(std::unique_ptr<Line> line);
    void Serve(short revents);
    // After a read: a line that spoke unasked, and soon after its last bytes, gathers its next
    // bytes for a while.
    void GatherStream();
    void FlushPending();
    void WatchOutputLocked(bool watch);
    void LineLost();
    BOOL Fail(DWORD error);

    mutable CCriticalSection m_csPort;  // the port lock
    CDcb m_Dcb;
    CString m_strDescription;
    std::unique_ptr<Line> m_pLine;
    DWORD m_dwLastError = 0;
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
    // Set by a write, cleared by a read: a read without one before it is the line speaking unasked.
    bool m_bWrittenSinceRead = true;
    int64_t m_llLastReadNanos = 0;  // steady clock
};
