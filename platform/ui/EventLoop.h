// The poll-based event loop of a GUI thread and what others plug into it.
//
// A thread's loop is its GetMessage/PeekMessage calls: they wait in poll() on the thread's
// wake-up eventfd (written when another thread posts or sends to it), on the descriptors
// registered here, and until the next timer is due. Descriptor callbacks, high-resolution
// timer callbacks and sent messages run inside those calls on the owning thread; posted
// messages, input and WM_TIMER are returned to be dispatched.
//
// Typical use by a serial port or socket owned by the GUI thread:
//     id = kq::ui::AddFdSource(fd, POLLIN, [hwnd](int fd, short revents) {
//         ... read what is there, PostMessage(hwnd, WM_APP_DATA, ...) ...
//     });
//     ...
//     kq::ui::RemoveFdSource(id);  // before closing fd
#pragma once

#include <poll.h>

#include <cstdint>
#include <functional>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

using FdSourceId = uint64_t;
using FdCallback = std::function<void(int fd, short revents)>;

// Watches fd for the poll() events given and calls back on the calling thread (or on the
// thread given) whenever the descriptor is ready, until removed. A descriptor closed without
// being removed is reported once with POLLNVAL and then dropped. Returns 0 for a negative fd,
// no callback, or an unknown thread.
FdSourceId AddFdSource(int fd, short events, FdCallback callback);
FdSourceId AddFdSource(DWORD threadId, int fd, short events, FdCallback callback);
// After this returns the callback is not called again; from another thread it also waits for
// a callback that is running to return. False for an unknown id.
bool RemoveFdSource(FdSourceId id);
// Leaves the source out of the waits for about ms milliseconds: its bytes gather meanwhile and
// one callback takes them all, where a fast stream would otherwise wake the loop for every few
// bytes. The pause ends on a multiple of ms of the steady clock, so that sources paused alike
// are served in one wake-up; the loop wakes for it then. 0 watches the source again at once.
// False for an unknown id.
bool PauseFdSource(FdSourceId id, int ms);

// The thread's idle handler: called with 0, 1, 2... when the queue has become empty, until it
// returns FALSE or a message arrives (the framework's idle update). It runs once the queue has
// drained after input, a command or another posted message; timer and paint messages, which
// come often and seldom change what the handler updates, call for it at most every 250 ms, and
// a mouse move to where the mouse already was not at all.
void SetIdleHandler(std::function<BOOL(LONG count)> handler);
// Called by RunMessageLoop and PumpUntilIdle for every message before it is translated and
// dispatched; TRUE means the message was handled (the framework's PreTranslateMessage).
void SetPreTranslateHandler(std::function<BOOL(MSG& msg)> handler);
// Message filter hooks run by CallMsgFilter, i.e. by modal loops (dialog boxes, menus, message
// boxes) with an MSGF_ code (the framework's ProcessMessageFilter). The newest runs first.
int AddMessageFilterHook(std::function<BOOL(int code, MSG& msg)> hook);
void RemoveMessageFilterHook(int hookId);

// The thread's main loop: takes, pre-translates, translates and dispatches messages and runs
// the idle handler when the queue is empty, until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Handles everything that is due now (sent and posted messages, input, expired timers, ready
// descriptors) and runs the idle handler if it is due, without waiting; returns the number of
// messages taken. Stops early after a million messages (a message that keeps re-posting itself). A
// WM_QUIT met on the way stays posted and ends the pumping.
int PumpUntilIdle();
// Waits up to timeoutMs (-1: no limit) for something to handle; true if something is there.
bool WaitForWork(int timeoutMs);
// Wakes every thread's loop so that it re-reads the clock; call after moving a virtual clock.
void NotifyClockChanged();

// For blocking waits of a thread that owns windows: waits like poll() on the given
// descriptors, handling messages sent from other threads meanwhile. Returns poll()'s count of
// ready descriptors, 0 on timeout.
int PollServingSentMessages(pollfd* fds, nfds_t count, int timeoutMs);

}  // namespace kq::ui
