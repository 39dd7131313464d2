// Waiting on kernel objects, and sleeping. Time-outs run on the current clock (see Clock.h for
// how they behave on a virtual clock).
#pragma once

#include "platform/base/Handles.h"
#include "platform/base/WinTypes.h"

constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_ABANDONED = 0x00000080;
constexpr DWORD WAIT_ABANDONED_0 = WAIT_ABANDONED;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// WAIT_OBJECT_0 when the object was signalled (and taken), WAIT_ABANDONED when it is a mutex
// whose owner ended without releasing it (the caller owns it now), WAIT_TIMEOUT, or WAIT_FAILED
// for an unknown handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Wait-any answers WAIT_OBJECT_0 + the lowest index that is signalled and takes only that one;
// wait-all takes all of them at once, when all are signalled together. WAIT_FAILED for 0 or more
// than MAXIMUM_WAIT_OBJECTS handles, an unknown handle, or the same object twice in a wait-all.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

void Sleep(DWORD milliseconds);
