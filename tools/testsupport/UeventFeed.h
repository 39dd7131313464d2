// Device events of a test's own: a datagram socket pair whose reading end a device-event monitor
// listens on, while the writing end plays the kernel.
#pragma once

#include <cstddef>

#include "platform/io/Uevent.h"
#include "platform/io/UniqueFd.h"

namespace kq {

class UeventFeed {
  public:
    bool Open();
    // The end a monitor listens on (it stays the feed's).
    int ReadingFd() const { return reader_.Get(); }
    // Sends the datagram or event as the kernel would; false when it could not be sent.
    bool Send(const void* data, size_t size);
    bool Send(const Uevent& event);

  private:
    UniqueFd reader_;
    UniqueFd writer_;
};

}  // namespace kq
