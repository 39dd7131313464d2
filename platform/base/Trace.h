// Diagnostic trace output. Every text goes to the installed sink (tests capture it there) and,
// when the environment variable KQ_TRACE is set to anything but "" or "0", to stderr. With
// neither, TRACE costs one check and formats nothing. Safe from any thread; texts from several
// threads never interleave within one call.
#pragma once

#include <functional>
#include <string_view>

#include "platform/base/CString.h"

namespace kq {

using TraceSink = std::function<void(std::string_view text)>;

// Installs the sink (an empty function removes it) and returns the one it replaces. The sink is
// called under the trace lock; it may trace itself, but must not wait for another thread that
// traces.
TraceSink SetTraceSink(TraceSink sink);

// True when a trace text would go anywhere.
bool TraceEnabled();

// Sends the text, exactly as given, to the sink and stderr.
void WriteTrace(std::string_view text);

}  // namespace kq

void OutputDebugString(const char* text);
inline void OutputDebugStringA(const char* text) {
    OutputDebugString(text);
}

// Formats with CString's typed Format, so a format string from data can never read past the
// arguments.
template <typename... Args>
void AfxTrace(const char* format, const Args&... args) {
    if (!kq::TraceEnabled())
        return;
    CString text;
    text.Format(format, args...);
    kq::WriteTrace(text.View());
}

#define TRACE(...) AfxTrace(__VA_ARGS__)
#define TRACE0(text) AfxTrace("%s", text)
#define TRACE1(format, a1) AfxTrace(format, a1)
#define TRACE2(format, a1, a2) AfxTrace(format, a1, a2)
#define TRACE3(format, a1, a2, a3) AfxTrace(format, a1, a2, a3)
