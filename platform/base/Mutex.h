// Mutexes: owned by one thread at a time, recursively. A named mutex is one object per name in
// the process and is shared with other processes of the user through a lock file
// (NamedMutex.h). A thread that ends while owning a mutex abandons it: the next owner's wait
// answers WAIT_ABANDONED.
#pragma once

#include "platform/base/Handles.h"
#include "platform/base/SecurityAttributes.h"
#include "platform/base/WinTypes.h"

constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD MUTEX_MODIFY_STATE = 0x0001;
constexpr DWORD MUTEX_ALL_ACCESS = 0x001F0001;

// Without a name, or when the named mutex is new, initialOwner makes the caller its owner; an
// existing named mutex is opened without taking it. Null when the lock file cannot be used.
HANDLE CreateMutex(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCTSTR name);
// Null when no process has a mutex of that name open.
HANDLE OpenMutex(DWORD desiredAccess, BOOL inheritHandle, LPCTSTR name);
// FALSE when the caller does not own the mutex.
BOOL ReleaseMutex(HANDLE mutex);

namespace kq {

// CreateMutex that also tells whether the named mutex already existed: this process or another
// one has it open.
HANDLE CreateMutexReportingExistence(BOOL initialOwner, LPCTSTR name, bool& existed);

}  // namespace kq
