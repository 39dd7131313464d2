// Events: signalled until reset (manual reset) or until one waiter has passed (auto reset).
#pragma once

#include "platform/base/Handles.h"
#include "platform/base/SecurityAttributes.h"
#include "platform/base/WinTypes.h"

// The name is accepted and ignored: events are not shared by name.
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                   LPCTSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
