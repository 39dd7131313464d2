// Listens to the kernel's device events. Its descriptor is meant for the program's event loop:
// when it is readable, Dispatch hands over the events that arrived.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/io/Uevent.h"
#include "platform/io/UniqueFd.h"

namespace kq {

class UeventMonitor {
  public:
    UeventMonitor() = default;
    UeventMonitor(const UeventMonitor&) = delete;
    UeventMonitor& operator=(const UeventMonitor&) = delete;

    // Subscribes to the kernel's events (no privileges needed). False with LastError() set
    // where the system offers none (e.g. some containers); the caller then simply gets none.
    bool Open();
    // Listens on a datagram socket of the caller's instead (a simulation of the kernel's
    // events): its messages are taken as the kernel's. False for an invalid descriptor.
    bool Adopt(UniqueFd socket);
    void Close();
    bool IsOpen() const { return socket_.IsValid(); }
    int Fd() const { return socket_.Get(); }
    int LastError() const { return lastError_; }

    // Reads every datagram waiting and passes each well-formed event to the handler. Messages
    // from anything but the kernel are dropped, since any local process may address the socket.
    // Returns false when the kernel had to drop events because the socket's buffer was full:
    // the caller has missed changes and should look at the devices afresh.
    bool Dispatch(const std::function<void(const Uevent&)>& handler);

  private:
    UniqueFd socket_;
    bool fromKernel_ = false;
    int lastError_ = 0;
};

}  // namespace kq
