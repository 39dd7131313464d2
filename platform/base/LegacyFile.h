// The 16-bit-era file functions (OpenFile, _lread, _llseek, _lclose) over CFile, for code that
// reads files through them. Only reading is offered: nothing here writes through them.
#pragma once

#include "platform/base/WinTypes.h"

using HFILE = int;
constexpr HFILE HFILE_ERROR = -1;

constexpr int OFS_MAXPATHNAME = 128;

constexpr UINT OF_READ = 0x0000;
constexpr UINT OF_SHARE_COMPAT = 0x0000;
constexpr UINT OF_SHARE_EXCLUSIVE = 0x0010;
constexpr UINT OF_SHARE_DENY_WRITE = 0x0020;
constexpr UINT OF_SHARE_DENY_READ = 0x0030;
constexpr UINT OF_SHARE_DENY_NONE = 0x0040;

struct OFSTRUCT {
    BYTE cBytes;  // the structure's size
    BYTE fFixedDisk;
    WORD nErrCode;  // the system error code when the open failed
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];  // the full path, cut at a whole character to fit
};
using LPOFSTRUCT = OFSTRUCT*;

// Opens a file for reading, with OF_READ and optionally one OF_SHARE_ mode (enforced among
// this program's opens, as CFile does). A path longer than szPathName can hold is still
// opened; only the copy in the structure is shortened. HFILE_ERROR on failure, with the cause
// in GetLastError and nErrCode; other OF_ flags fail with ERROR_NOT_SUPPORTED.
HFILE OpenFile(LPCSTR path, LPOFSTRUCT info, UINT style);
// Bytes read (fewer only at the end of the file), or HFILE_ERROR (as UINT).
UINT _lread(HFILE file, LPVOID buffer, UINT bytes);
// origin 0 (start), 1 (current), 2 (end); the new position, or HFILE_ERROR.
LONG _llseek(HFILE file, LONG offset, int origin);
// 0, or HFILE_ERROR for a handle that is not open.
HFILE _lclose(HFILE file);
