#include "foundation/Language.h"

#include <atomic>

namespace {

std::atomic<int> g_languageOffset{LANGUAGE_ENGLISH};

}  // namespace

void SetLanguageOffset(int offset) {
    g_languageOffset.store(offset);
}

int GetLanguageOffset() {
    return g_languageOffset.load();
}

bool FindLanguageString(int id, CString& text) {
    const int offset = GetLanguageOffset();
    if (text.LoadString(static_cast<UINT>(id + offset)))
        return true;
    return text.LoadString(static_cast<UINT>(id + offset - 2000)) != FALSE;
}

CString GetLanguageString(int id) {
    CString text;
    FindLanguageString(id, text);
    return text;
}

char GetDecimalSeparatorOf(int languageOffset) {
    if (languageOffset < 0)
        languageOffset = GetLanguageOffset();
    return languageOffset == LANGUAGE_ENGLISH ? '.' : ',';
}
