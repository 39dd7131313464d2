#include "platform/framework/commctrl/ListCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

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

CListCtrl::~CListCtrl() {
    // The stand-in never owned the header window.
    header_.m_hWnd = nullptr;
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID) {
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    return Send<int>(this, LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol), Ptr(pColumn));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem) {
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPTSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) {
    return Send<BOOL>(this, LVM_DELETECOLUMN, static_cast<WPARAM>(nCol));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
    return Send<BOOL>(this, LVM_SETCOLUMN, static_cast<WPARAM>(nCol), Ptr(pColumn));
}

int CListCtrl::GetColumnWidth(int nCol) const {
    return Send<int>(this, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    return Send<BOOL>(this, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol),
                      MAKELPARAM(static_cast<DWORD>(cx), 0));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
    HWND header = reinterpret_cast<HWND>(Send(this, LVM_GETHEADER));
    if (!header)
        return nullptr;
    if (auto* attached = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(header)))
        return attached;
    header_.m_hWnd = header;
    return &header_;
}

int CListCtrl::GetItemCount() const {
    return Send<int>(this, LVM_GETITEMCOUNT);
}

int CListCtrl::InsertItem(const LVITEM* pItem) {
    return Send<int>(this, LVM_INSERTITEM, 0, Ptr(pItem));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam) {
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteAllItems() {
    return Send<BOOL>(this, LVM_DELETEALLITEMS);
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
    return Send<BOOL>(this, LVM_GETITEM, 0, Ptr(pItem));
}

BOOL CListCtrl::SetItem(const LVITEM* pItem) {
    return Send<BOOL>(this, LVM_SETITEM, 0, Ptr(pItem));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam) {
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // Grows the buffer until the text fits.
    for (int size = 256;; size *= 2) {
        std::vector<char> buffer(static_cast<size_t>(size), '\0');
        const int n = GetItemText(nItem, nSubItem, buffer.data(), size);
        if (n < size - 4 || size >= (1 << 20))
            return CString(buffer.data());
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return Send<int>(this, LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), Ptr(&item));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    return Send<BOOL>(this, LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), Ptr(&item));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    return Send<UINT>(this, LVM_GETITEMSTATE, static_cast<WPARAM>(nItem),
                      static_cast<LPARAM>(nMask));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) {
    return Send<BOOL>(this, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), Ptr(pItem));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return Send<int>(this, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem),
                     MAKELPARAM(static_cast<DWORD>(nFlags), 0));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<intptr_t>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    const int item = static_cast<int>(reinterpret_cast<intptr_t>(pos)) - 1;
    const int next = GetNextItem(item, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<intptr_t>(next + 1));
    return item;
}

int CListCtrl::GetSelectionMark() const {
    return Send<int>(this, LVM_GETSELECTIONMARK);
}

int CListCtrl::SetSelectionMark(int iIndex) {
    return Send<int>(this, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(iIndex));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return Send<BOOL>(this, LVM_SORTITEMS, static_cast<WPARAM>(dwData),
                      reinterpret_cast<LPARAM>(pfnCompare));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    if (!lpRect)
        return FALSE;
    lpRect->left = static_cast<LONG>(nCode);
    return Send<BOOL>(this, LVM_GETITEMRECT, static_cast<WPARAM>(nItem), Ptr(lpRect));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
    ref.left = nArea;
    ref.top = iSubItem;
    return Send<BOOL>(this, LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem),
                      Ptr(static_cast<RECT*>(&ref)));
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) {
    return Send<int>(this, LVM_SUBITEMHITTEST, 0, Ptr(pInfo));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
    return Send<BOOL>(this, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem),
                      static_cast<LPARAM>(bPartialOK));
}

int CListCtrl::GetTopIndex() const {
    return Send<int>(this, LVM_GETTOPINDEX);
}

int CListCtrl::GetCountPerPage() const {
    return Send<int>(this, LVM_GETCOUNTPERPAGE);
}

HIMAGELIST CListCtrl::GetImageList(int nImageListType) const {
    return reinterpret_cast<HIMAGELIST>(
        Send(this, LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return Send<DWORD>(this, LVM_GETEXTENDEDLISTVIEWSTYLE);
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return Send<DWORD>(this, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle));
}
