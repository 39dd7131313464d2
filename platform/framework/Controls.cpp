#include "platform/framework/Controls.h"

#include "platform/framework/detail/ControlMessages.h"

namespace ctl = kq::fw::ctl;

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

template <class T = LRESULT>
T Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<T>(::SendMessage(wnd->m_hWnd, message, wParam, lParam));
}

LPARAM TextParam(LPCTSTR text) {
    return reinterpret_cast<LPARAM>(text);
}

// Reads an item text whose length a first message tells.
void ItemText(const CWnd* wnd, UINT lengthMessage, UINT textMessage, int index, CString& text) {
    text.Empty();
    const int length = Send<int>(wnd, lengthMessage, static_cast<WPARAM>(index));
    if (length <= 0)
        return;
    char* buffer = text.GetBuffer(length + 1);
    buffer[0] = '\0';
    Send(wnd, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer();
}

}  // namespace

// --- CButton ---

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const {
    return Send<int>(this, ctl::kBmGetCheck);
}

void CButton::SetCheck(int nCheck) {
    Send(this, ctl::kBmSetCheck, static_cast<WPARAM>(nCheck));
}

void CButton::Click() {
    Send(this, ctl::kBmClick);
}

// --- CStatic ---

// --- CEdit ---

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0;
    DWORD end = 0;
    Send(this, ctl::kEmGetSel, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    Send(this, ctl::kEmSetSel, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        Send(this, ctl::kEmScrollCaret);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    Send(this, ctl::kEmReplaceSel, static_cast<WPARAM>(bCanUndo), TextParam(lpszNewText));
}

int CEdit::GetLineCount() const {
    return Send<int>(this, ctl::kEmGetLineCount);
}

// --- CListBox ---

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const {
    return Send<int>(this, ctl::kLbGetCount);
}

int CListBox::GetCurSel() const {
    return Send<int>(this, ctl::kLbGetCurSel);
}

int CListBox::SetCurSel(int nSelect) {
    return Send<int>(this, ctl::kLbSetCurSel, static_cast<WPARAM>(nSelect));
}

int CListBox::AddString(LPCTSTR lpszItem) {
    return Send<int>(this, ctl::kLbAddString, 0, TextParam(lpszItem));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
    return Send<DWORD_PTR>(this, ctl::kLbGetItemData, static_cast<WPARAM>(nIndex));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return Send<int>(this, ctl::kLbSetItemData, static_cast<WPARAM>(nIndex),
                     static_cast<LPARAM>(dwItemData));
}

void* CListBox::GetItemDataPtr(int nIndex) const {
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CListBox::SetItemDataPtr(int nIndex, void* pData) {
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CListBox::GetTopIndex() const {
    return Send<int>(this, ctl::kLbGetTopIndex);
}

int CListBox::SetTopIndex(int nIndex) {
    return Send<int>(this, ctl::kLbSetTopIndex, static_cast<WPARAM>(nIndex));
}

int CListBox::GetItemHeight(int nIndex) const {
    return Send<int>(this, ctl::kLbGetItemHeight, static_cast<WPARAM>(nIndex));
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
    return Send<int>(this, ctl::kLbGetItemRect, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(lpRect));
}

// --- CComboBox ---

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const {
    return Send<int>(this, ctl::kCbGetCount);
}

int CComboBox::GetCurSel() const {
    return Send<int>(this, ctl::kCbGetCurSel);
}

int CComboBox::SetCurSel(int nSelect) {
    return Send<int>(this, ctl::kCbSetCurSel, static_cast<WPARAM>(nSelect));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    ItemText(this, ctl::kCbGetLbTextLen, ctl::kCbGetLbText, nIndex, rString);
}

int CComboBox::AddString(LPCTSTR lpszString) {
    return Send<int>(this, ctl::kCbAddString, 0, TextParam(lpszString));
}

void CComboBox::ResetContent() {
    Send(this, ctl::kCbResetContent);
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return Send<DWORD_PTR>(this, ctl::kCbGetItemData, static_cast<WPARAM>(nIndex));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return Send<int>(this, ctl::kCbSetItemData, static_cast<WPARAM>(nIndex),
                     static_cast<LPARAM>(dwItemData));
}

BOOL CComboBox::GetDroppedState() const {
    return Send<BOOL>(this, ctl::kCbGetDroppedState);
}

// --- CScrollBar ---

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
    return Send<int>(this, ctl::kSbmSetPos, static_cast<WPARAM>(nPos), bRedraw);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
    Send(this, bRedraw ? ctl::kSbmSetRangeRedraw : ctl::kSbmSetRange, static_cast<WPARAM>(nMinPos),
         nMaxPos);
}

// --- owner drawing ---

namespace {

// Passes an owner-draw message that came back to the control to its handlers.
template <class Control>
BOOL OwnerDrawNotify(Control* control, UINT message, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
        case WM_DRAWITEM:
            control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            break;
        case WM_MEASUREITEM:
            control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            break;
        case WM_COMPAREITEM: {
            const int order = control->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
            if (pResult != nullptr)
                *pResult = order;
            return TRUE;
        }
        case WM_DELETEITEM:
            control->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
            break;
        default:
            return FALSE;
    }
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

}  // namespace

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) {
    return 0;
}
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (OwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) {
    return 0;
}
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (OwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
