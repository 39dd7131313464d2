#include "foundation/DiagnosticTrace.h"

#include <string>

#include "platform/base/Trace.h"

void WriteDiagnosticTrace(const char* line) {
    std::string text = line ? line : "";
    if (text.empty() || text.back() != '\n')
        text += '\n';
    OutputDebugString(text.c_str());
}
