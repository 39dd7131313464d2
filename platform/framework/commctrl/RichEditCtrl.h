// CRichEditCtrl: the framework's object for a rich edit control ("RICHEDIT"), and the
// initialisation that makes the class known to dialog templates.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/CommCtrl.h"

// Registers the rich edit window classes ("RICHEDIT" and "RichEdit20A"); TRUE once done.
BOOL AfxInitRichEdit();
BOOL AfxInitRichEdit2();

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
  public:
    CRichEditCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Selection, in characters.
    void GetSel(CHARRANGE& cr) const;
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(CHARRANGE& cr);
    void SetSel(long nStartChar, long nEndChar);
    CString GetSelText() const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);

    // Formats.
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);

    // Lines and scrolling.
    int GetLineCount() const;
    int LineIndex(int nLine = -1) const;
    void LineScroll(int nLines, int nChars = 0);

    // Text.
    long GetTextLength() const;
    long GetTextRange(int nFirst, int nLast, CString& refString) const;
};
