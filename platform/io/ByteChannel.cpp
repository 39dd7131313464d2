#include "platform/io/ByteChannel.h"

#include <errno.h>
#include <unistd.h>

namespace kq {

namespace {

bool IsHangUp(int error) {
    switch (error) {
        case EIO:
        case ENXIO:
        case ENODEV:
        case EPIPE:
        case ECONNRESET:
        case ENOTCONN:
        case ESHUTDOWN:
        case ETIMEDOUT:
            return true;
        default:
            return false;
    }
}

}  // namespace

IoResult ByteChannel::Failure(int error) {
    lastError_ = error;
    return {IsHangUp(error) ? IoStatus::HungUp : IoStatus::Failed, 0, error};
}

void ByteChannel::Adopt(UniqueFd fd) {
    pending_.clear();
    fd_ = std::move(fd);
    lastError_ = 0;
}

void ByteChannel::Close() {
    pending_.clear();
    fd_.Reset();
}

ssize_t ByteChannel::WriteSome(const void* data, size_t length) {
    return ::write(fd_.Get(), data, length);
}

IoResult ByteChannel::Read(void* buffer, size_t capacity) {
    if (!fd_.IsValid()) {
        return Failure(EBADF);
    }
    for (;;) {
        const ssize_t n = ::read(fd_.Get(), buffer, capacity);
        if (n > 0) {
            return {IoStatus::Done, static_cast<size_t>(n), 0};
        }
        if (n == 0) {
            // A non-blocking terminal reports "no data" as EAGAIN, so 0 means the line was hung
            // up; on a socket it is the peer's orderly close.
            if (capacity == 0) {
                return {IoStatus::Done, 0, 0};
            }
            lastError_ = 0;
            return {IoStatus::HungUp, 0, 0};
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return {IoStatus::WouldBlock, 0, 0};
        }
        return Failure(errno);
    }
}

IoResult ByteChannel::FlushOutput() {
    if (!fd_.IsValid()) {
        return Failure(EBADF);
    }
    size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t n = WriteSome(pending_.data() + written, pending_.size() - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            pending_.erase(0, written);
            return Failure(errno);
        }
        break;  // the descriptor takes nothing more now
    }
    pending_.erase(0, written);
    return {pending_.empty() ? IoStatus::Done : IoStatus::WouldBlock, written, 0};
}

IoResult ByteChannel::Send(const void* data, size_t length) {
    if (!fd_.IsValid()) {
        return Failure(EBADF);
    }
    if (pending_.size() + length > kMaxPendingOutput) {
        return Failure(ENOBUFS);
    }
    pending_.append(static_cast<const char*>(data), length);
    const IoResult flushed = FlushOutput();
    if (flushed.status == IoStatus::HungUp || flushed.status == IoStatus::Failed) {
        return flushed;
    }
    return {IoStatus::Done, length, 0};
}

}  // namespace kq
