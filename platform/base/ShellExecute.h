// Running a program the way the shell's "open" does, for executable files only: the file is
// started directly with an argument vector (never through a shell, so blanks, ';' and '$' in its
// path are part of the name), in its own session with its standard streams on /dev/null. The
// caller does not wait; a reaper collects the child when it ends, so none is left a zombie.
#pragma once

#include "platform/base/WinTypes.h"

constexpr int SE_ERR_FNF = 2;           // the file does not exist
constexpr int SE_ERR_PNF = 3;           // its folder does not exist
constexpr int SE_ERR_ACCESSDENIED = 5;  // it may not be run
constexpr int SE_ERR_OOM = 8;           // the system could not start it
constexpr int SE_ERR_NOASSOC = 31;      // not an executable file (documents are not opened)

// verb: null or "open". parameters: blank-separated arguments, taken literally. directory: the
// working folder (null or empty keeps the caller's). show is accepted and ignored. The result is
// above 32 on success, else one of the codes above.
HINSTANCE ShellExecute(HWND hwnd, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory,
                       int show);
