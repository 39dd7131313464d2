// Taking the next message from the calling thread's queue, and the sources it draws from.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "platform/ui/detail/ThreadQueue.h"

namespace kq::ui::detail {

// The window and range restrictions of GetMessage/PeekMessage. The window restriction admits
// the window and its descendants; `threadOnly` admits only messages without a window.
class MessageFilter {
  public:
    MessageFilter(HWND hwnd, UINT min, UINT max);
    bool Admits(HWND hwnd, UINT message) const;
    bool AdmitsMessage(UINT message) const;
    bool AdmitsWindow(HWND hwnd) const;
    bool Valid() const { return valid_; }

  private:
    bool any_ = true;
    bool threadOnly_ = false;
    bool valid_ = true;
    std::unordered_set<HWND> windows_;
    UINT min_ = 0;
    UINT max_ = 0;
};

// Takes (or, without PM_REMOVE, looks at) the next message. timeoutMs: 0 returns at once,
// -1 waits without limit.
bool RetrieveMessage(MSG* out, const MessageFilter& filter, UINT removeFlags, int timeoutMs);

// Sources, implemented beside their public functions.
bool TakeTimerMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out);
int64_t NextTimerDue(ThreadQueue& q);  // INT64_MAX when no timer is waiting to expire
void KillTimersOf(ThreadQueue& q, const std::function<bool(HWND)>& matches);
bool TakeInputMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out);
// Input converted for a window but left in place goes back to be converted again (its window
// went, or the capture changed since): the event still happened where it happened.
void ReturnPendingInput(ThreadQueue& q);
void RunDueHighResTimers(ThreadQueue& q);
int64_t NextHighResDue(ThreadQueue& q);
// Polls the descriptor sources and the wake-up descriptor for up to timeoutMs and runs the
// callbacks of the ready sources. Returns at once, without a system call, when there are no
// sources and timeoutMs is 0.
void RunFdSources(ThreadQueue& q, int timeoutMs);

}  // namespace kq::ui::detail
