#include "platform/io/UeventMonitor.h"

#include <errno.h>
#include <linux/netlink.h>
#include <sys/socket.h>

#include <vector>

namespace kq {

namespace {

constexpr unsigned kKernelEventGroup = 1;

}  // namespace

bool UeventMonitor::Open() {
    Close();
    UniqueFd fd(
        ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT));
    if (!fd.IsValid()) {
        lastError_ = errno;
        return false;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = kKernelEventGroup;
    if (::bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        lastError_ = errno;
        return false;
    }
    socket_ = std::move(fd);
    fromKernel_ = true;
    lastError_ = 0;
    return true;
}

bool UeventMonitor::Adopt(UniqueFd socket) {
    Close();
    if (!socket.IsValid()) {
        lastError_ = EBADF;
        return false;
    }
    socket_ = std::move(socket);
    fromKernel_ = false;
    lastError_ = 0;
    return true;
}

void UeventMonitor::Close() {
    socket_.Reset();
}

bool UeventMonitor::Dispatch(const std::function<void(const Uevent&)>& handler) {
    bool complete = true;
    std::vector<char> buffer(kMaxUeventSize + 1);
    while (socket_.IsValid()) {
        sockaddr_nl sender{};
        iovec part{buffer.data(), buffer.size()};
        msghdr message{};
        message.msg_name = &sender;
        message.msg_namelen = sizeof sender;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        const ssize_t n = ::recvmsg(socket_.Get(), &message, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == ENOBUFS) {
                complete = false;
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                lastError_ = errno;
            }
            break;
        }
        if ((message.msg_flags & MSG_TRUNC) != 0) {
            continue;
        }
        if (fromKernel_ && (message.msg_namelen < sizeof sender || sender.nl_pid != 0)) {
            continue;
        }
        if (const auto event = ParseUevent(buffer.data(), static_cast<size_t>(n))) {
            handler(*event);
        }
    }
    return complete;
}

}  // namespace kq
