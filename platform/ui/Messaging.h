// Sending, posting and retrieving messages.
//
// Every thread that touches the window system has a queue. SendMessage to a window of the
// calling thread calls its procedure directly; to a window of another thread it waits until
// that thread has handled the message, and meanwhile handles whatever other threads send to
// the caller (so two threads sending to each other do not deadlock). PostMessage and
// PostThreadMessage work from any thread.
//
// GetMessage/PeekMessage take, in this order: messages sent from other threads (handled
// inside, never returned), posted messages, WM_QUIT, input, WM_PAINT for windows that need
// painting (paint/Painting.h), and WM_TIMER when nothing else is waiting. While they look or wait they also run the thread's descriptor sources and
// high-resolution timers (see EventLoop.h).
#pragma once

#include "platform/ui/Messages.h"
#include "platform/ui/UiTypes.h"

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// FALSE for WM_QUIT, -1 when the window filter is not a window, TRUE otherwise.
BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until something arrives for the thread (a message, input, a due timer or a ready
// descriptor source).
BOOL WaitMessage();
LRESULT DispatchMessage(const MSG* msg);
// Posts WM_CHAR (WM_SYSCHAR) after WM_KEYDOWN (WM_SYSKEYDOWN) for the text the key produced.
// The character code in wParam is the Unicode code point; controls store it as UTF-8.
BOOL TranslateMessage(const MSG* msg);

// Position (screen, packed as two signed 16-bit values) and time of the last message taken.
DWORD GetMessagePos();
LONG GetMessageTime();
// True while the calling thread handles a message that another thread sent.
BOOL InSendMessage();
// A message number in 0xC000..0xFFFF unique to the name (case-insensitive) for the life of
// the process; 0 for an empty name. Safe during static initialisation and from any thread.
UINT RegisterWindowMessage(LPCSTR name);

// Runs the thread's message filter hooks (kq::ui::AddMessageFilterHook) for a message taken
// in a modal loop; TRUE when a hook handled it and it must not be dispatched.
BOOL CallMsgFilter(LPMSG msg, int code);
