#include "foundation/CTraceString.h"

#include <algorithm>
#include <cstring>

char g_szLastTraceText[TRACE_LAST_TEXT_SIZE] = {};

namespace {

void Record(const CString& text) {
    const size_t n =
        std::min(static_cast<size_t>(text.GetLength()), static_cast<size_t>(TRACE_LAST_TEXT_SIZE));
    std::memcpy(g_szLastTraceText, text.GetString(), n);
}

}  // namespace

CTraceString::CTraceString(const char* text) : CString(text) {
    Record(*this);
}

CTraceString::CTraceString(CString text) : CString(std::move(text)) {
    Record(*this);
}
