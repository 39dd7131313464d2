#include "tools/testsupport/UeventFeed.h"

#include <sys/socket.h>

#include <string>

namespace kq {

bool UeventFeed::Open() {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair) != 0) {
        return false;
    }
    reader_.Reset(pair[0]);
    writer_.Reset(pair[1]);
    return true;
}

bool UeventFeed::Send(const void* data, size_t size) {
    return writer_.IsValid() &&
           ::send(writer_.Get(), data, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
}

bool UeventFeed::Send(const Uevent& event) {
    const std::string datagram = FormatUevent(event);
    return Send(datagram.data(), datagram.size());
}

}  // namespace kq
