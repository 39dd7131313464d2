// Tells windows and port managers about serial ports that arrive and go: WM_DEVICECHANGE with
// DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and the port's broadcast data ("COMn"), each
// followed by DBT_DEVNODES_CHANGED, as the system does for its COM ports. The news come from the
// kernel's device events and from port managers whose line hung up (pseudo-terminals and TCP
// endpoints have no device events). A removal is told once, however many sources report it.
//
// It runs on the event loop of the thread of the first window registered, and only while
// something is registered. Deliveries happen from the loop, never inside a caller's own call,
// so that a handler may close or delete port managers.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace kq::ports {

// A port manager that follows its device by itself.
class DeviceFollower {
  public:
    virtual BOOL OnDeviceChange(UINT eventType, DWORD_PTR data) = 0;

  protected:
    ~DeviceFollower() = default;
};

class DeviceChangeBroadcaster {
  public:
    // Registrations are counted: a window registered twice is told once and needs two removals.
    static void AddWindow(HWND hwnd);
    static void RemoveWindow(HWND hwnd);
    // Followers are served on the thread given (the one whose loop serves their port).
    static void AddFollower(DeviceFollower* follower, DWORD threadId);
    static void RemoveFollower(DeviceFollower* follower);

    // A port's line went away. Safe from any thread; delivered from the loop.
    static void ReportRemoved(const CString& comName);

    // Device events come from the kernel; a simulation of devices gives a datagram socket of
    // its own instead, which stays the caller's (each start listens on a copy). -1 returns to
    // the kernel's from the next start on.
    static void ListenTo(int socket);
};

}  // namespace kq::ports
