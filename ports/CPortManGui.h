// The port manager of a window: received bytes are sent to the owner window as the data message
// (wParam the byte count, lParam the buffer, valid while the message is handled), events are
// posted to it as the event message (wParam PORTEVENT_..., lParam the state). The port is served
// by the event loop of the owner window's thread, so the data message is handled synchronously
// there, in the order the bytes arrived.
#pragma once

#include "ports/CPortMan.h"

// The messages the application's managers use.
constexpr UINT WM_PORTMAN_DATA = 2000;       // the main port manager's received bytes
constexpr UINT WM_PORTMAN_PORT_DATA = 2101;  // + i: port i (0..3) of a multi-port device
constexpr UINT WM_PORTMAN_EVENT = 2200;      // port events

class CPortManGui : public CPortMan {
  public:
    // bNotifyOwner: the owner window receives WM_DEVICECHANGE for serial ports arriving and
    // going (DBT_DEVICEARRIVAL / DBT_DEVICEREMOVECOMPLETE with the port, then
    // DBT_DEVNODES_CHANGED). bFollowDevices: the manager handles its own port's arrival and
    // removal; without it the owner passes WM_DEVICECHANGE on to OnDeviceChange.
    CPortManGui(HWND hOwner, UINT nEventMessage, UINT nDataMessage, BOOL bNotifyOwner,
                BOOL bFollowDevices);
    ~CPortManGui() override;

    HWND GetOwner() const { return m_hOwner; }
    UINT GetDataMessage() const { return m_nDataMessage; }
    UINT GetEventMessage() const { return m_nEventMessage; }

  protected:
    void OnReceive(const BYTE* data, DWORD length) override;
    void OnPortEvent(WPARAM event, LPARAM state) override;
    DWORD ServingThreadId() const override;

  private:
    HWND m_hOwner;
    UINT m_nEventMessage;
    UINT m_nDataMessage;
    BOOL m_bNotifyOwner;
};
