// Threads behind HANDLEs: the handle becomes signalled when the thread has ended, after the
// mutexes it still owned were abandoned. Priorities are accepted and remembered but do not
// change scheduling; stack sizes are ignored.
#pragma once

#include <functional>

#include "platform/base/Handles.h"
#include "platform/base/SecurityAttributes.h"
#include "platform/base/WinTypes.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr DWORD STILL_ACTIVE = 259;

constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

// With CREATE_SUSPENDED the thread waits for ResumeThread before it runs. Null when no thread
// can be started.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, size_t stackSize,
                    LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    LPDWORD threadId);
// The previous suspend count, or 0xFFFFFFFF for a handle that is not a thread.
DWORD ResumeThread(HANDLE thread);
// STILL_ACTIVE while the thread runs.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
DWORD GetCurrentThreadId();
// A pseudo handle meaning "the calling thread"; closing it does nothing.
HANDLE GetCurrentThread();
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

namespace kq {

// Thrown to end the current thread early (AfxEndThread); the thread's start function catches it
// and ends with the code. Destructors on the way run.
struct ThreadExitRequest {
    DWORD exitCode;
    bool deleteThreadObject;
};

// CreateThread for a function object; its result becomes the exit code.
HANDLE StartThread(std::function<DWORD()> body, bool suspended, DWORD* threadId);

}  // namespace kq
