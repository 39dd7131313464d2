#include "platform/framework/commctrl/RichEditCtrl.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/framework/detail/ControlMessages.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace ctl = kq::fw::ctl;

namespace {

template <class T = LRESULT>
T Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<T>(::SendMessage(wnd->m_hWnd, message, wParam, lParam));
}

template <class P>
LPARAM Ptr(P* p) {
    return reinterpret_cast<LPARAM>(p);
}

}  // namespace

BOOL AfxInitRichEdit() {
    kq::ui::RegisterListTreeControlClasses();
    WNDCLASS wc{};
    return GetClassInfo(nullptr, RICHEDIT_CLASS10A, &wc);
}

BOOL AfxInitRichEdit2() {
    return AfxInitRichEdit();
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    AfxInitRichEdit();
    return CWnd::Create(RICHEDIT_CLASS10A, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(CHARRANGE& cr) const {
    Send(this, EM_EXGETSEL, 0, Ptr(&cr));
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
    CHARRANGE cr{};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) {
    Send(this, EM_EXSETSEL, 0, Ptr(&cr));
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
    CHARRANGE cr{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const {
    CHARRANGE cr{};
    GetSel(cr);
    // Up to four bytes per character, and the terminator.
    std::vector<char> buffer(static_cast<size_t>(cr.cpMax - cr.cpMin) * 4 + 1, '\0');
    Send(this, EM_GETSELTEXT, 0, Ptr(buffer.data()));
    return CString(buffer.data());
}

void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    Send(this, ctl::kEmReplaceSel, static_cast<WPARAM>(bCanUndo), Ptr(lpszNewText));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof cf;
    return Send<DWORD>(this, EM_GETCHARFORMAT, SCF_DEFAULT, Ptr(&cf));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const {
    cf.cbSize = sizeof cf;
    return Send<DWORD>(this, EM_GETCHARFORMAT, SCF_SELECTION, Ptr(&cf));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) {
    cf.cbSize = sizeof cf;
    return Send<BOOL>(this, EM_SETCHARFORMAT, SCF_SELECTION, Ptr(&cf));
}

int CRichEditCtrl::GetLineCount() const {
    return Send<int>(this, ctl::kEmGetLineCount);
}

int CRichEditCtrl::LineIndex(int nLine) const {
    return Send<int>(this, ctl::kEmLineIndex, static_cast<WPARAM>(nLine));
}

void CRichEditCtrl::LineScroll(int nLines, int nChars) {
    Send(this, ctl::kEmLineScroll, static_cast<WPARAM>(nChars), static_cast<LPARAM>(nLines));
}

long CRichEditCtrl::GetTextLength() const {
    return Send<long>(this, WM_GETTEXTLENGTH);
}

long CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const {
    const int count = nLast < 0 ? static_cast<int>(GetTextLength()) : nLast - nFirst;
    std::vector<char> buffer(static_cast<size_t>(std::max(count, 0)) * 4 + 1, '\0');
    TEXTRANGE range{{nFirst, nLast}, buffer.data()};
    const long n = Send<long>(this, EM_GETTEXTRANGE, 0, Ptr(&range));
    refString = buffer.data();
    return n;
}
