// Calling window procedures, sending across threads and posting into queues.
#pragma once

#include <functional>

#include "platform/ui/detail/ThreadQueue.h"

namespace kq::ui::detail {

// Calls a window procedure on the calling thread, as a same-thread message.
LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Sends to a window of any thread. `delivered` (optional) tells whether a procedure ran; a
// send to a window that does not exist, or that is destroyed before it handles the message,
// returns 0 at once.
LRESULT SendInternal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool* delivered);
// Handles every message other threads have sent to the calling thread; true if there were any.
bool ServeIncomingSends(ThreadQueue& queue);
// Answers, with 0 and unhandled, the waiting sends whose window matches.
void AnswerPendingSends(ThreadQueue& queue, const std::function<bool(HWND)>& matches);
bool PostToQueue(ThreadQueue& queue, const MSG& msg);
// True while the calling thread handles a message sent by another thread.
bool InCrossThreadSend();
// Current cursor position, stamped on posted messages.
POINT CursorPosition();

}  // namespace kq::ui::detail
