#include "platform/framework/commctrl/TreeCtrl.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

template <class T = LRESULT>
T Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<T>(::SendMessage(wnd->m_hWnd, message, wParam, lParam));
}

LPARAM Item(HTREEITEM item) {
    return reinterpret_cast<LPARAM>(item);
}

}  // namespace

CTreeCtrl::~CTreeCtrl() {
    // The stand-in never owned the tip window.
    toolTip_.m_hWnd = nullptr;
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
    return reinterpret_cast<HTREEITEM>(
        Send(this, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    TVINSERTSTRUCT in{};
    in.hParent = hParent;
    in.hInsertAfter = hInsertAfter;
    in.item.mask = nMask;
    in.item.pszText = const_cast<LPTSTR>(lpszItem);
    in.item.iImage = nImage;
    in.item.iSelectedImage = nSelectedImage;
    in.item.state = nState;
    in.item.stateMask = nStateMask;
    in.item.lParam = lParam;
    return InsertItem(&in);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
    return Send<BOOL>(this, TVM_DELETEITEM, 0, Item(hItem));
}

BOOL CTreeCtrl::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
    return Send<BOOL>(this, TVM_EXPAND, nCode, Item(hItem));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(Send(this, TVM_GETNEXTITEM, nCode, Item(hItem)));
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_PARENT);
}
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}
HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return GetNextItem(nullptr, TVGN_CARET);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren > 0;
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) {
    return Send<BOOL>(this, TVM_SELECTITEM, nCode, Item(hItem));
}
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) {
    return Select(hItem, TVGN_CARET);
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const {
    if (!pItem)
        return FALSE;
    TVITEMEX ex{};
    std::memcpy(&ex, pItem, sizeof *pItem);
    const BOOL done = Send<BOOL>(this, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&ex));
    std::memcpy(pItem, &ex, sizeof *pItem);
    return done;
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem) {
    if (!pItem)
        return FALSE;
    TVITEMEX ex{};
    std::memcpy(&ex, pItem, sizeof *pItem);
    return Send<BOOL>(this, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&ex));
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam) {
    TVITEM item{};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    std::vector<char> buffer(4096, '\0');
    TVITEM item{};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    GetItem(&item);
    return CString(buffer.data());
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEM item{};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(dwData));
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return Send<UINT>(this, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem),
                      static_cast<LPARAM>(nStateMask));
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    TVITEM item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    const BOOL done = GetItem(&item);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return done;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0,
                   0);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    if (!lpRect)
        return FALSE;
    std::memcpy(lpRect, &hItem, sizeof hItem);
    return Send<BOOL>(this, TVM_GETITEMRECT, static_cast<WPARAM>(bTextOnly),
                      reinterpret_cast<LPARAM>(lpRect));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return reinterpret_cast<HTREEITEM>(
        Send(this, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

UINT CTreeCtrl::GetVisibleCount() const {
    return Send<UINT>(this, TVM_GETVISIBLECOUNT);
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    return reinterpret_cast<HIMAGELIST>(
        Send(this, TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
             reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr)));
}

CToolTipCtrl* CTreeCtrl::GetToolTips() {
    HWND tip = reinterpret_cast<HWND>(Send(this, TVM_GETTOOLTIPS));
    if (!tip)
        return nullptr;
    if (auto* attached = dynamic_cast<CToolTipCtrl*>(CWnd::FromHandlePermanent(tip)))
        return attached;
    toolTip_.m_hWnd = tip;
    return &toolTip_;
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr) {
    return Send<COLORREF>(this, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(clr));
}
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) {
    return Send<COLORREF>(this, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr));
}
COLORREF CTreeCtrl::SetLineColor(COLORREF clrNew) {
    return Send<COLORREF>(this, TVM_SETLINECOLOR, 0, static_cast<LPARAM>(clrNew));
}
