// The typing filter: it judges the character just before the caret, removes it when it is not
// allowed or typed into a text with two separators or signs, turns a typed separator into the
// language's, keeps separators and signs in their places in numeric fields and merges "+" and "-"
// into "±" in text fields. Each step reads caret and text afresh, since the one before may have
// changed them; replacements run under the change lock.
#include "controls/MyEdit.h"

#include "foundation/Language.h"
#include "platform/framework/MessageBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Utf8Text.h"
#include "res/TextIds.h"

namespace {

bool IsSeparator(char32_t c) {
    return c == U',' || c == U'.';
}

bool IsSign(char32_t c) {
    return c == U'+' || c == U'-';
}

char32_t OppositeSign(char32_t c) {
    return c == U'+' ? U'-' : U'+';
}

int Count(const std::u32string& t, bool (*what)(char32_t)) {
    int n = 0;
    for (char32_t c : t)
        n += what(c);
    return n;
}

}  // namespace

void CMyEdit::Selection(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

std::u32string CMyEdit::Text() const {
    CString text;
    GetWindowText(text);
    return kq::ui::DecodeText(text.GetString());
}

void CMyEdit::ReplaceRange(int from, int to, const std::u32string& with) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(from), to);
    SendMessage(EM_SCROLLCARET);
    const bool locked = *m_pChangeLock;
    *m_pChangeLock = true;
    const std::string replacement = kq::ui::EncodeText(with);
    SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(replacement.c_str()));
    *m_pChangeLock = locked;
}

void CMyEdit::FilterTypedCharacter() {
    int start = 0, end = 0;
    Selection(start, end);
    const std::u32string t = Text();
    if (start != end || start < 1 || start > static_cast<int>(t.size()))
        return;
    const int c = start - 1;
    const char32_t typed = t[static_cast<size_t>(c)];
    const int separators = m_bNumeric ? Count(t, IsSeparator) : 0;
    const int signs = m_bNumeric ? Count(t, IsSign) : 0;
    const bool allowed = m_allowed.find(typed) != std::u32string::npos;
    char32_t replacement = 0;
    if (m_bNumeric && separators == 1 && IsSeparator(typed)) {
        const LanguageRule rule = CurrentRule();
        if ((rule == LanguageRule::PointToSeparator && typed == U'.') ||
            (rule == LanguageRule::CommaToSeparator && typed == U','))
            replacement = Separator(rule);
    }
    // While the text holds two separators or two signs, whatever is typed is taken back.
    if (!allowed || separators >= 2 || (signs >= 2 && !(replacement && replacement != typed))) {
        ReplaceRange(c, c + 1, U"");
        TellRefused(typed);
    } else if (replacement && replacement != typed) {
        ReplaceRange(c, c + 1, std::u32string(1, replacement));
    }
}

void CMyEdit::TellRefused(char32_t typed) {
    CString text = GetLanguageString(IDS_FIELD_CHARACTER_REFUSED);
    text.Replace("%s", kq::ui::EncodeText(std::u32string(1, typed)).c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CMyEdit::FilterNumericPlacement() {
    int start = 0, end = 0;
    Selection(start, end);
    const std::u32string t = Text();
    if (start != end || start < 1 || start > static_cast<int>(t.size()))
        return;
    const char32_t typed = t[static_cast<size_t>(start - 1)];
    // A separator may not lead; a sign may only stand first.
    if ((start == 1 && IsSeparator(typed)) || (start > 1 && IsSign(typed))) {
        ReplaceRange(start - 1, start, U"");
        TellRefused(typed);
    }
}

void CMyEdit::MergeSigns() {
    int start = 0, end = 0;
    Selection(start, end);
    const std::u32string t = Text();
    if (start != end || start < 1 || start > static_cast<int>(t.size()))
        return;
    const size_t c = static_cast<size_t>(start - 1);
    if (!IsSign(t[c]))
        return;
    const char32_t opposite = OppositeSign(t[c]);
    if (c >= 1 && t[c - 1] == opposite)
        ReplaceRange(static_cast<int>(c) - 1, static_cast<int>(c) + 1, U"±");
    else if (c + 1 < t.size() && t[c + 1] == opposite)
        ReplaceRange(static_cast<int>(c), static_cast<int>(c) + 2, U"±");
}

CString CMyEdit::ReadFilteredText() {
    if (m_pSelf && m_pChangeLock && m_hWnd) {
        FilterTypedCharacter();
        if (m_bNumeric)
            FilterNumericPlacement();
        else if (m_bMergeSigns)
            MergeSigns();
    }
    CString text;
    GetWindowText(text);
    return text;
}
