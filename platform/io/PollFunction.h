// How a blocking wait on descriptors is done: poll(2) by default. A thread that owns windows
// passes a poll that keeps serving the messages other threads send to it meanwhile.
#pragma once

#include <poll.h>

#include <functional>

namespace kq {

using PollFunction = std::function<int(pollfd* fds, nfds_t count, int timeoutMs)>;

// Calls `poll` when it is set, else poll(2); EINTR is retried with the time that is left.
int PollWith(const PollFunction& poll, pollfd* fds, nfds_t count, int timeoutMs);

}  // namespace kq
