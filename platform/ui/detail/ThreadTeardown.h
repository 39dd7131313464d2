// What happens to a thread's windows and waiting senders when the thread ends.
#pragma once

namespace kq::ui::detail {

class ThreadQueue;

// Marks the queue dead, answers every message still sent to it with 0, drops its timers and
// sources and frees its windows without sending them messages (the thread is going away).
void TearDownThread(ThreadQueue& queue);

}  // namespace kq::ui::detail
