// Setting and reading the field, its language conversion and its change test.
#include "controls/MyEdit.h"

#include "foundation/EditHelpers.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Utf8Text.h"

IMPLEMENT_DYNAMIC(CMyEdit, CEdit)

BEGIN_MESSAGE_MAP(CMyEdit, CEdit)
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CMyEdit::CMyEdit() = default;

bool CMyEdit::SetInputParameters(CString allowed, int code1, int code2, int code3, int code4,
                                 int* currentLanguage, bool numeric, const char* decimalChar,
                                 bool mergeSigns) {
    m_allowed = kq::ui::DecodeText(allowed.GetString());
    m_nCodes[0] = code1;
    m_nCodes[1] = code2;
    m_nCodes[2] = code3;
    m_nCodes[3] = code4;
    m_pLanguage = currentLanguage;
    m_bNumeric = numeric;
    m_bMergeSigns = mergeSigns;
    m_pSelf = this;
    m_pChangeLock = &m_bChangeLock;
    m_pDecimal = nullptr;
    if (decimalChar && *decimalChar) {
        m_cDecimal = kq::ui::DecodeText(decimalChar).front();
        m_pDecimal = &m_cDecimal;
    }
    return true;
}

void CMyEdit::SetMaxTextLength(unsigned n) {
    SendMessage(EM_LIMITTEXT, n);
    m_nMaxLength = n;
}

CMyEdit::LanguageRule CMyEdit::CurrentRule() const {
    if (!m_bNumeric || !m_pLanguage)
        return LanguageRule::None;
    const int language = *m_pLanguage;
    if (language == m_nCodes[0])
        return LanguageRule::PointToSeparator;
    if (language == m_nCodes[1])
        return LanguageRule::CommaToSeparator;
    if (language == m_nCodes[2] || language == m_nCodes[3])
        return LanguageRule::PointToSeparator;
    return LanguageRule::None;
}

char32_t CMyEdit::Separator(LanguageRule rule) const {
    if (m_pDecimal)
        return *m_pDecimal;
    return rule == LanguageRule::CommaToSeparator ? U'.' : U',';
}

void CMyEdit::SetValueText(LPCTSTR text) {
    std::u32string t = kq::ui::DecodeText(text ? text : "");
    const LanguageRule rule = CurrentRule();
    const char32_t from = rule == LanguageRule::PointToSeparator ? U'.' : U',';
    if (rule != LanguageRule::None)
        for (char32_t& c : t)
            if (c == from)
                c = Separator(rule);
    if (t.size() > m_nMaxLength)
        t.resize(m_nMaxLength);
    const CString value(kq::ui::EncodeText(t).c_str());
    m_strPreviousText = m_strLastText = m_strCurrentText = value;
    SetWindowText(value);
}

void CMyEdit::SetValueTextKeepSelection(LPCTSTR text, int* selStart, int* selEnd) {
    SetValueText(text);
    if (!selStart || !selEnd)
        return;
    const int length = static_cast<int>(kq::ui::CountCharacters(text ? text : ""));
    if (*selStart < 0 || *selEnd < 0 || *selStart > length || *selEnd > length ||
        GetFocus() != this)
        return;
    SendMessage(EM_SETSEL, static_cast<WPARAM>(*selStart), *selEnd);
    SendMessage(EM_SCROLLCARET);
}

bool CMyEdit::HasValueChanged() {
    if (m_bFirstTest) {
        const bool locked = m_bChangeLock;
        m_bChangeLock = false;
        ReadValue();
        m_bFirstTest = false;
        m_strPreviousText = m_strLastText = m_strCurrentText;
        m_bChangeLock = locked;
        return true;
    }
    if (m_bChangeLock)
        return false;
    const double before = m_dLastValue;
    ReadValue();
    if (m_bNumeric) {
        if (m_dCurrentValue != before || m_dCurrentValue != m_dCurrentValue) {
            m_dLastValue = m_dCurrentValue;
            return true;
        }
        return false;
    }
    if (m_strLastText == m_strCurrentText)
        return false;
    m_strPreviousText = m_strLastText;
    m_strLastText = m_strCurrentText;
    return true;
}

void CMyEdit::RestorePreviousText() {
    LockChangeDetection();
    SetValueText(m_strPreviousText);
    UnlockChangeDetection();
}

double CMyEdit::ReadValue() {
    const CString text = ReadFilteredText();
    m_strCurrentText = text;
    m_dCurrentValue = ParseNumberText(text);
    return m_dCurrentValue;
}

void CMyEdit::OnKillFocus(CWnd* pNewWnd) {
    m_bHasFocus = false;
    CEdit::OnKillFocus(pNewWnd);
}

void CMyEdit::OnSetFocus(CWnd* pOldWnd) {
    m_bHasFocus = true;
    CEdit::OnSetFocus(pOldWnd);
}
