// Handles to kernel objects (events, mutexes, threads; see KernelObject.h for adding kinds).
#pragma once

#include "platform/base/WinTypes.h"

// Releases one reference to the object; the object ends with its last handle (a thread keeps
// running, a mutex stays owned). FALSE for an unknown or already closed handle.
BOOL CloseHandle(HANDLE handle);
