// A string that also leaves its first 1024 characters in the program's last-text buffer, so
// that the last thing recorded before the program stops can be found in a dump.
#pragma once

#include "platform/base/CString.h"

constexpr int TRACE_LAST_TEXT_SIZE = 1024;

// The last-text buffer. No terminating zero is written: a shorter text leaves the tail of the
// one before it.
extern char g_szLastTraceText[TRACE_LAST_TEXT_SIZE];

class CTraceString : public CString {
  public:
    explicit CTraceString(const char* text);
    explicit CTraceString(CString text);
};
