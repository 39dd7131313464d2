// The drop-down's list: entries with their item copies, the selection rule that passes over
// disabled items, hovering and choosing with the mouse, and handing the capture back to the
// drop-down window when the pointer leaves.
#include "controls/list/CDropListBox.h"

#include <algorithm>
#include <cstring>

#include "controls/list/CDropScrollBar.h"
#include "controls/list/CDropWnd.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNAMIC(CDropListBox, CListBox)

BEGIN_MESSAGE_MAP(CDropListBox, CListBox)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(CDropListBox::kTakeCapture, &CDropListBox::OnTakeCapture)
ON_MESSAGE(CDropListBox::kReleaseCapture, &CDropListBox::OnReleaseCapture)
END_MESSAGE_MAP()

CDropListBox::CDropListBox(CAdvComboBox* pComboParent, CDropScrollBar* pScroll)
    : m_pComboParent(pComboParent), m_pScroll(pScroll) {
    const LOGFONT lf = kq::xlist::DropFontOf(20);
    m_font.CreateFontIndirect(&lf);
}

int CDropListBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    ShowWindow(SW_HIDE);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    SetWindowPos(&wndTop, lpCreateStruct->x, lpCreateStruct->y, lpCreateStruct->cx,
                 lpCreateStruct->cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (CFont* font = m_pComboParent->GetFont())
        SetFont(font, FALSE);
    return 0;
}

BOOL CDropListBox::DestroyWindow() {
    m_items.clear();
    return CListBox::DestroyWindow();
}

int CDropListBox::AddListItem(const AdvComboItem& item) {
    m_items.push_back(std::make_unique<AdvComboItem>(item));
    const int index = AddString(item.strText);
    if (index >= 0)
        SetItemDataPtr(index, m_items.back().get());
    return index;
}

AdvComboItem* CDropListBox::ItemAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return static_cast<AdvComboItem*>(GetItemDataPtr(nIndex));
}

bool CDropListBox::IsItemDisabled(int nIndex) const {
    const AdvComboItem* item = ItemAt(nIndex);
    return item != nullptr && item->bDisabled != 0;
}

int CDropListBox::SetCurSel(int nSelect) {
    if (nSelect == -1)
        return CListBox::SetCurSel(-1);
    const int count = GetCount();
    if (nSelect < 0 || nSelect >= count)
        return -1;
    const int current = GetCurSel();
    int index = nSelect;
    if (!m_bSelectDisabled) {
        const int step = nSelect < current ? -1 : nSelect > current ? 1 : 0;
        while (step != 0 && index >= 0 && index < count && IsItemDisabled(index))
            index += step;
        if (index < 0 || index >= count)
            index = nSelect;
    }
    if (IsItemDisabled(index))
        return index;
    CListBox::SetCurSel(index);
    if (m_pScroll != nullptr && m_pScroll->GetSafeHwnd() != nullptr)
        m_pScroll->SetScrollPos(GetTopIndex());
    return index;
}

void CDropListBox::SetTopIdx(int nPos, BOOL bUpdateScrollbar) {
    SetTopIndex(nPos);
    m_nLastTopIdx = GetTopIndex();
    if (bUpdateScrollbar && m_pScroll != nullptr && m_pScroll->GetSafeHwnd() != nullptr)
        m_pScroll->SetScrollPos(m_nLastTopIdx);
}

int CDropListBox::ItemHeight() {
    return std::max(1, GetItemHeight(0));
}

int CDropListBox::GetVisibleLines() {
    CRect client;
    GetClientRect(&client);
    return client.Height() / ItemHeight();
}

int CDropListBox::GetBottomIndex() {
    return GetTopIndex() + GetVisibleLines();
}

CSize CDropListBox::GetTextSize(LPCTSTR lpszText) {
    CClientDC dc(this);
    CFont* font = m_pComboParent->GetFont();
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    CSize size = dc.GetTextExtent(lpszText, static_cast<int>(std::strlen(lpszText)));
    if (old != nullptr)
        dc.SelectObject(old);
    if (m_dwACBStyle & 4)
        size.cx += 14;
    return size;
}

bool CDropListBox::LeaveIfOutside(CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return false;
    ::ReleaseCapture();
    GetParent()->SendMessage(kTakeCapture);
    return true;
}

void CDropListBox::OnMouseMove(UINT nFlags, CPoint point) {
    if (!LeaveIfOutside(point)) {
        const int index = GetTopIndex() + point.y / ItemHeight();
        if (index < GetCount() && index != GetCurSel() && !IsItemDisabled(index)) {
            const int top = GetTopIndex();
            SetCurSel(index);
            if (GetTopIndex() != top && m_pScroll != nullptr)
                m_pScroll->SetScrollPos(GetTopIndex());
        }
    }
    CListBox::OnMouseMove(nFlags, point);
}

void CDropListBox::OnLButtonUp(UINT, CPoint point) {
    const bool outside = LeaveIfOutside(point);
    const int under = GetTopIndex() + point.y / ItemHeight();
    if (!outside && under < GetCount() && IsItemDisabled(under))
        return;
    const int sel = GetCurSel();
    if (sel != -1 && IsItemDisabled(sel))
        return;
    if (sel != -1)
        m_pComboParent->PostMessage(CAdvComboBox::kChooseItem, static_cast<WPARAM>(sel));
    ::ReleaseCapture();
    m_pComboParent->PostMessage(CAdvComboBox::kCloseDropDown);
}

LRESULT CDropListBox::OnTakeCapture(WPARAM, LPARAM) {
    SetCapture();
    return 0;
}

LRESULT CDropListBox::OnReleaseCapture(WPARAM, LPARAM) {
    ::ReleaseCapture();
    return 0;
}
