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

constexpr WPARAM kImageBitmap = 0;
constexpr WPARAM kImageIcon = 1;

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

HICON CButton::SetIcon(HICON hIcon) {
    return reinterpret_cast<HICON>(
        Send(this, ctl::kBmSetImage, kImageIcon, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CButton::GetIcon() const {
    return reinterpret_cast<HICON>(Send(this, ctl::kBmGetImage, kImageIcon));
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(
        Send(this, ctl::kBmSetImage, kImageBitmap, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CButton::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(Send(this, ctl::kBmGetImage, kImageBitmap));
}

void CButton::Click() {
    Send(this, ctl::kBmClick);
}

// --- CStatic ---

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) {
    return reinterpret_cast<HICON>(Send(this, ctl::kStmSetIcon, reinterpret_cast<WPARAM>(hIcon)));
}

HICON CStatic::GetIcon() const {
    return reinterpret_cast<HICON>(Send(this, ctl::kStmGetIcon));
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(
        Send(this, ctl::kStmSetImage, kImageBitmap, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CStatic::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(Send(this, ctl::kStmGetImage, kImageBitmap));
}

// --- CEdit ---

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CEdit::GetSel() const {
    return Send<DWORD>(this, ctl::kEmGetSel);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0;
    DWORD end = 0;
    Send(this, ctl::kEmGetSel, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
    SetSel(static_cast<SHORT>(LOWORD(dwSelection)), static_cast<SHORT>(HIWORD(dwSelection)),
           bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    Send(this, ctl::kEmSetSel, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        Send(this, ctl::kEmScrollCaret);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    Send(this, ctl::kEmReplaceSel, static_cast<WPARAM>(bCanUndo), TextParam(lpszNewText));
}

void CEdit::LimitText(int nChars) {
    Send(this, ctl::kEmLimitText, static_cast<WPARAM>(nChars));
}

UINT CEdit::GetLimitText() const {
    return Send<UINT>(this, ctl::kEmGetLimitText);
}

int CEdit::GetLineCount() const {
    return Send<int>(this, ctl::kEmGetLineCount);
}

int CEdit::LineIndex(int nLine) const {
    return Send<int>(this, ctl::kEmLineIndex, static_cast<WPARAM>(nLine));
}

int CEdit::LineLength(int nLine) const {
    return Send<int>(this, ctl::kEmLineLength, static_cast<WPARAM>(nLine));
}

int CEdit::LineFromChar(int nIndex) const {
    return Send<int>(this, ctl::kEmLineFromChar, static_cast<WPARAM>(nIndex));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
    // The control reads the buffer size from the buffer's first word.
    if (nMaxLength < 2)
        return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength);
    return Send<int>(this, ctl::kEmGetLine, static_cast<WPARAM>(nIndex), TextParam(lpszBuffer));
}

int CEdit::GetFirstVisibleLine() const {
    return Send<int>(this, ctl::kEmGetFirstVisibleLine);
}

void CEdit::LineScroll(int nLines, int nChars) {
    Send(this, ctl::kEmLineScroll, static_cast<WPARAM>(nChars), nLines);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return Send<BOOL>(this, ctl::kEmSetReadOnly, static_cast<WPARAM>(bReadOnly));
}

BOOL CEdit::GetModify() const {
    return Send<BOOL>(this, ctl::kEmGetModify);
}

void CEdit::SetModify(BOOL bModified) {
    Send(this, ctl::kEmSetModify, static_cast<WPARAM>(bModified));
}

void CEdit::Clear() {
    Send(this, WM_CLEAR);
}

void CEdit::Copy() {
    Send(this, WM_COPY);
}

void CEdit::Cut() {
    Send(this, WM_CUT);
}

void CEdit::Paste() {
    Send(this, WM_PASTE);
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

int CListBox::GetSel(int nIndex) const {
    return Send<int>(this, ctl::kLbGetSel, static_cast<WPARAM>(nIndex));
}

int CListBox::SetSel(int nIndex, BOOL bSelect) {
    return Send<int>(this, ctl::kLbSetSel, static_cast<WPARAM>(bSelect), nIndex);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
    return Send<int>(this, ctl::kLbGetText, static_cast<WPARAM>(nIndex), TextParam(lpszBuffer));
}

void CListBox::GetText(int nIndex, CString& rString) const {
    ItemText(this, ctl::kLbGetTextLen, ctl::kLbGetText, nIndex, rString);
}

int CListBox::AddString(LPCTSTR lpszItem) {
    return Send<int>(this, ctl::kLbAddString, 0, TextParam(lpszItem));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
    return Send<int>(this, ctl::kLbInsertString, static_cast<WPARAM>(nIndex), TextParam(lpszItem));
}

int CListBox::DeleteString(UINT nIndex) {
    return Send<int>(this, ctl::kLbDeleteString, nIndex);
}

void CListBox::ResetContent() {
    Send(this, ctl::kLbResetContent);
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return Send<int>(this, ctl::kLbFindString, static_cast<WPARAM>(nStartAfter),
                     TextParam(lpszItem));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return Send<int>(this, ctl::kLbFindStringExact, static_cast<WPARAM>(nIndexStart),
                     TextParam(lpszFind));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
    return Send<int>(this, ctl::kLbSelectString, static_cast<WPARAM>(nStartAfter),
                     TextParam(lpszItem));
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

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return Send<int>(this, ctl::kLbSetItemHeight, static_cast<WPARAM>(nIndex), cyItemHeight);
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

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return Send<int>(this, ctl::kCbGetLbText, static_cast<WPARAM>(nIndex), TextParam(lpszText));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    ItemText(this, ctl::kCbGetLbTextLen, ctl::kCbGetLbText, nIndex, rString);
}

int CComboBox::AddString(LPCTSTR lpszString) {
    return Send<int>(this, ctl::kCbAddString, 0, TextParam(lpszString));
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
    return Send<int>(this, ctl::kCbInsertString, static_cast<WPARAM>(nIndex),
                     TextParam(lpszString));
}

int CComboBox::DeleteString(UINT nIndex) {
    return Send<int>(this, ctl::kCbDeleteString, nIndex);
}

void CComboBox::ResetContent() {
    Send(this, ctl::kCbResetContent);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
    return Send<int>(this, ctl::kCbFindString, static_cast<WPARAM>(nStartAfter),
                     TextParam(lpszString));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return Send<int>(this, ctl::kCbFindStringExact, static_cast<WPARAM>(nIndexStart),
                     TextParam(lpszFind));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
    return Send<int>(this, ctl::kCbSelectString, static_cast<WPARAM>(nStartAfter),
                     TextParam(lpszString));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return Send<DWORD_PTR>(this, ctl::kCbGetItemData, static_cast<WPARAM>(nIndex));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return Send<int>(this, ctl::kCbSetItemData, static_cast<WPARAM>(nIndex),
                     static_cast<LPARAM>(dwItemData));
}

void* CComboBox::GetItemDataPtr(int nIndex) const {
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData) {
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

BOOL CComboBox::GetDroppedState() const {
    return Send<BOOL>(this, ctl::kCbGetDroppedState);
}

int CComboBox::GetItemHeight(int nIndex) const {
    return Send<int>(this, ctl::kCbGetItemHeight, static_cast<WPARAM>(nIndex));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return Send<int>(this, ctl::kCbSetItemHeight, static_cast<WPARAM>(nIndex), cyItemHeight);
}

BOOL CComboBox::LimitText(int nMaxChars) {
    return Send<BOOL>(this, ctl::kCbLimitText, static_cast<WPARAM>(nMaxChars));
}

int CComboBox::GetTopIndex() const {
    return Send<int>(this, ctl::kCbGetTopIndex);
}

int CComboBox::SetTopIndex(int nIndex) {
    return Send<int>(this, ctl::kCbSetTopIndex, static_cast<WPARAM>(nIndex));
}

void CComboBox::Clear() {
    Send(this, WM_CLEAR);
}

void CComboBox::Copy() {
    Send(this, WM_COPY);
}

void CComboBox::Cut() {
    Send(this, WM_CUT);
}

void CComboBox::Paste() {
    Send(this, WM_PASTE);
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
