// Returns the window system to its starting state between tests.
#pragma once

namespace kq::ui {

// Destroys the calling thread's windows (with their messages), empties its queue and drops
// its timers, descriptor sources and hooks; clears focus, activation, capture, key states,
// cursor, caret and clipboard; restores the default screen, its desktop colour and the
// double-click time, and drops the screen presenter and any LockWindowUpdate. Window
// classes stay registered.
void ResetWindowSystem();

}  // namespace kq::ui
