// Returning the calling thread's share of the window system to its start, so that one process
// can run independent sessions of it one after the other.
#pragma once

namespace kq::ui::detail {

// Destroys the calling thread's top-level windows (with their messages), empties its queue and
// drops its timers, descriptor sources and hooks; clears focus, activation, capture, key states
// and cursor, and restores the double-click time.
void ResetThreadState();

}  // namespace kq::ui::detail
