// The pages' input field: a character filter that removes a typed character that is not
// allowed, the decimal separator of the user's language in numeric fields, truncation of texts
// the program sets, and a change test that tells the page's EN_CHANGE handler whether the
// value (numeric mode) or the text (text mode) really changed. Positions and the filter count
// characters, not bytes.
#pragma once

#include <string>

#include "platform/framework/Controls.h"

class CMyEdit : public CEdit {
    DECLARE_DYNAMIC(CMyEdit)
  public:
    CMyEdit();
    ~CMyEdit() override = default;

    // decimalChar: the separator to show instead of the language's (null: none); mergeSigns:
    // in text mode a typed "+" and "-" pair becomes "±".
    bool SetInputParameters(CString allowed, int code1, int code2, int code3, int code4,
                            int* currentLanguage, bool numeric, const char* decimalChar,
                            bool mergeSigns);
    void SetMaxTextLength(unsigned n);
    void SetValueText(LPCTSTR text);
    // The selection is restored only with the focus and both ends within the text.
    void SetValueTextKeepSelection(LPCTSTR text, int* selStart, int* selEnd);
    bool HasValueChanged();
    void LockChangeDetection() { m_bChangeLock = true; }
    void UnlockChangeDetection() { m_bChangeLock = false; }
    void RestorePreviousText();
    double ReadValue();
    CString ReadFilteredText();

    // Read by the pages directly.
    bool m_bChangeLock = false;
    double m_dCurrentValue = 6666.66666666;
    CString m_strCurrentText;
    CString m_strLastText = "n.a.";
    CString m_strPreviousText = "n.a.";

  protected:
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);

  private:
    enum class LanguageRule { None, PointToSeparator, CommaToSeparator };
    LanguageRule CurrentRule() const;
    char32_t Separator(LanguageRule rule) const;
    // Replaces the characters [from, to) under the change lock.
    void ReplaceRange(int from, int to, const std::u32string& with);
    void Selection(int& start, int& end) const;
    std::u32string Text() const;
    void FilterTypedCharacter();
    void FilterNumericPlacement();
    // A typed character was taken back: the operator is told which, so that "1.5e2" does not
    // silently become "1.52".
    void TellRefused(char32_t typed);
    void MergeSigns();

    char32_t m_cDecimal = 0;
    const char32_t* m_pDecimal = nullptr;
    unsigned m_nMaxLength = 0xFFFFFFFF;
    bool m_bHasFocus = false;
    double m_dLastValue = -6666.666666;
    bool m_bFirstTest = true;
    CMyEdit* m_pSelf = nullptr;
    bool* m_pChangeLock = nullptr;
    std::u32string m_allowed;
    bool m_bMergeSigns = false;
    int m_nCodes[4] = {0, 0, 0, 0};
    int* m_pLanguage = nullptr;
    // Text mode until SetInputParameters says otherwise.
    bool m_bNumeric = false;

    DECLARE_MESSAGE_MAP()
};
