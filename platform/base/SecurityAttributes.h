// Security attributes are accepted by the creating calls and ignored: every object is private to
// the user that runs the program.
#pragma once

#include "platform/base/WinTypes.h"

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
