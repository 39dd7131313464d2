// A non-blocking byte stream behind one descriptor: the common part of serial lines and TCP
// endpoints. Reads never wait; writes take what the descriptor accepts now and queue the rest,
// which goes out with FlushOutput once the descriptor is writable again.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "platform/io/UniqueFd.h"

namespace kq {

enum class IoStatus {
    Done,        // bytes moved; the count may be smaller than asked
    WouldBlock,  // nothing can move now; wait until the descriptor is ready
    HungUp,      // the device or the peer went away; nothing more will come
    Failed,      // any other error
};

struct IoResult {
    IoStatus status = IoStatus::Done;
    size_t count = 0;
    int error = 0;  // errno for HungUp and Failed (0 for a plain end of stream)
};

class ByteChannel {
  public:
    // Beyond this many queued bytes a Send fails: the other side has stopped taking data.
    static constexpr size_t kMaxPendingOutput = 1 << 20;

    ByteChannel() = default;
    virtual ~ByteChannel() = default;
    ByteChannel(const ByteChannel&) = delete;
    ByteChannel& operator=(const ByteChannel&) = delete;

    bool IsOpen() const { return fd_.IsValid(); }
    int Fd() const { return fd_.Get(); }
    // errno of the last failure of this channel (0 when none).
    int LastError() const { return lastError_; }

    IoResult Read(void* buffer, size_t capacity);
    // Writes what the descriptor takes now and queues the rest; Done means every byte was taken.
    // Fails without taking anything when the queue is full; HungUp/Failed end the channel.
    IoResult Send(const void* data, size_t length);
    // Writes queued bytes; Done once the queue is empty, WouldBlock while bytes remain.
    IoResult FlushOutput();
    size_t PendingOutput() const { return pending_.size(); }
    // Drops queued output, then closes the descriptor.
    virtual void Close();

  protected:
    void Adopt(UniqueFd fd);
    void SetLastError(int error) { lastError_ = error; }
    // One write(2) (sockets override it to avoid SIGPIPE).
    virtual ssize_t WriteSome(const void* data, size_t length);

  private:
    IoResult Failure(int error);

    UniqueFd fd_;
    std::string pending_;
    int lastError_ = 0;
};

}  // namespace kq
