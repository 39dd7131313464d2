#include "foundation/EditHelpers.h"

#include <charconv>
#include <string>

#include "foundation/Language.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowData.h"

namespace {

// Edit-control selection messages.
constexpr UINT kEditGetSelection = 0x00B0;
constexpr UINT kEditSetSelection = 0x00B1;

constexpr const char* kNumberCharacters = "0123456789+-.,";

bool IsSeparator(char c) {
    return c == '.' || c == ',';
}
bool IsSign(char c) {
    return c == '-' || c == '+';
}

CString WindowText(HWND window) {
    const int length = GetWindowTextLength(window);
    CString text;
    if (length > 0) {
        GetWindowText(window, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

// Whether the character at index may stand in the text.
bool Allowed(const CString& text, int index, const char* allowed) {
    const char c = text.GetAt(index);
    if (CString(allowed).Find(c) < 0)
        return false;
    if (IsSign(c))
        return index == 0 && text.Mid(1).FindOneOf("+-") < 0;
    if (IsSeparator(c)) {
        if (index == 0)
            return false;
        const CString others = text.Left(index) + text.Mid(index + 1);
        return others.FindOneOf(".,") < 0;
    }
    return true;
}

}  // namespace

bool SetWindowTextFromId(HWND window, int stringId, const char* suffix) {
    CString text;
    const bool found = FindLanguageString(stringId, text);
    text += suffix ? suffix : "";
    SetWindowText(window, text);
    return found;
}

double ParseNumberText(const CString& text) {
    std::string number(text.Str());
    for (auto& c : number) {
        if (c == ',')
            c = '.';
    }
    size_t start = number.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0.0;
    if (number[start] == '+')
        ++start;
    double value = 0.0;
    const auto result =
        std::from_chars(number.data() + start, number.data() + number.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

double FilterNumericEditInput(HWND edit, bool& changed, const char* allowed) {
    changed = false;
    if (!allowed)
        allowed = kNumberCharacters;
    CString text = WindowText(edit);
    DWORD selStart = 0;
    DWORD selEnd = 0;
    SendMessage(edit, kEditGetSelection, reinterpret_cast<WPARAM>(&selStart),
                reinterpret_cast<LPARAM>(&selEnd));
    int caret = static_cast<int>(selEnd);
    if (caret > text.GetLength())
        caret = text.GetLength();
    const int typed = caret - 1;
    if (typed >= 0 && !Allowed(text, typed, allowed)) {
        text.Delete(typed, 1);
        caret = typed;
        changed = true;
    }
    // Both separators are accepted while typing; the text shows the language's own.
    const char separator = GetDecimalSeparatorOf(-1);
    const char other = separator == '.' ? ',' : '.';
    if (CString(allowed).Find(separator) >= 0 && text.Replace(other, separator) > 0)
        changed = true;
    if (changed) {
        SetWindowText(edit, text);
        SendMessage(edit, kEditSetSelection, static_cast<WPARAM>(caret),
                    static_cast<LPARAM>(caret));
    }
    return ParseNumberText(text);
}

double GetNumericEditValue(HWND edit) {
    bool changed = false;
    FilterNumericEditInput(edit, changed);
    return ParseNumberText(WindowText(edit));
}
