// Painting the cells: custom draw hands every cell here, and the cell's record decides whether a
// progress bar, a check box or image and text are drawn; the list view draws nothing of its own.
// Also the text of an empty list and the erasing of only what the rows leave uncovered.
#include <algorithm>

#include "controls/list/CXListCtrl.h"
#include "controls/list/XListCheckBox.h"
#include "controls/list/XListProgressCaption.h"
#include "platform/gfx/WindowDC.h"

namespace {

constexpr COLORREF kEmptyProgressColor = 0x00E0E0E0;
constexpr const char* kEmptyListText = "There are no items to show in this view.";

}  // namespace

void CXListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = 0;
    const DWORD stage = cd->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT) {
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    }
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
        return;
    const int item = static_cast<int>(cd->nmcd.dwItemSpec);
    const int column = cd->iSubItem;
    COLORREF crText = m_crWindowText;
    COLORREF crBackground = m_crWindow;
    const XListRowData* row = RowData(item);
    if (const XListCellData* cell = Cell(item, column)) {
        crText = cell->crText;
        crBackground = cell->crBackground;
    }
    if (row != nullptr && !row->cells.empty() && !row->cells.front().bEnabled)
        crText = m_crGrayText;
    cd->clrText = crText;
    cd->clrTextBk = crBackground;
    if (CDC* dc = CDC::FromHandle(cd->nmcd.hdc))
        DrawCell(*dc, item, column, cd->nmcd.uItemState, crText, crBackground);
    *pResult = CDRF_SKIPDEFAULT;
}

void CXListCtrl::DrawCell(CDC& dc, int nItem, int nSubItem, UINT, COLORREF crText,
                          COLORREF crBackground) {
    CRect rect;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rect))
        return;
    const XListCellData* cell = Cell(nItem, nSubItem);
    if (cell != nullptr && cell->bShowProgress) {
        DrawProgress(dc, nItem, nSubItem, rect, crText);
    } else if (cell != nullptr && cell->nCheckedState != -1) {
        DrawCheckbox(dc, nItem, nSubItem, rect, crText, crBackground);
    } else {
        rect.left += DrawImage(dc, nItem, nSubItem, rect, crBackground);
        DrawText(dc, nItem, nSubItem, rect, crText, crBackground);
    }
}

void CXListCtrl::SelectionColors(int nItem, int nSubItem, COLORREF& crText,
                                 COLORREF& crBackground) {
    if (!(GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED))
        return;
    if (!(GetExtendedStyle() & LVS_EX_FULLROWSELECT) && nSubItem != 0)
        return;
    if (::GetFocus() == m_hWnd) {
        crText = m_crHighLightText;
        crBackground = m_crHighLight;
    } else if (GetStyle() & LVS_SHOWSELALWAYS) {
        crText = m_crWindowText;
        crBackground = m_crBtnFace;
    }
}

int CXListCtrl::DrawImage(CDC& dc, int nItem, int nSubItem, const CRect& rect,
                          COLORREF crBackground) {
    dc.FillSolidRect(&rect, crBackground);
    const XListCellData* cell = Cell(nItem, nSubItem);
    HIMAGELIST images = GetImageList(LVSIL_SMALL);
    if (images == nullptr || cell == nullptr || cell->nImage == -1)
        return 0;
    IMAGEINFO info{};
    if (!ImageList_GetImageInfo(images, cell->nImage, &info))
        return 0;
    const int width = info.rcImage.right - info.rcImage.left;
    const int height = info.rcImage.bottom - info.rcImage.top;
    const int spacing = m_HeaderCtrl.GetSpacing();
    const int left = rect.left + spacing;
    const int visible = std::max(0, std::min(width, static_cast<int>(rect.right) - left));
    ImageList_DrawEx(images, cell->nImage, dc.GetSafeHdc(), left,
                     rect.top + (rect.Height() - height) / 2, visible, height, CLR_DEFAULT,
                     CLR_DEFAULT, ILD_TRANSPARENT);
    return spacing + width;
}

void CXListCtrl::DrawText(CDC& dc, int nItem, int nSubItem, CRect rect, COLORREF crText,
                          COLORREF crBackground) {
    if (rect.IsRectEmpty())
        return;
    SelectionColors(nItem, nSubItem, crText, crBackground);
    dc.FillSolidRect(&rect, crBackground);
    const CString text = GetItemText(nItem, nSubItem);
    if (text.IsEmpty())
        return;
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (m_bUseEllipsis)
        format |= DT_END_ELLIPSIS;
    HDITEM hdi{};
    hdi.mask = HDI_FORMAT;
    if (CHeaderCtrl* header = GetHeaderCtrl();
        header != nullptr && header->GetItem(nSubItem, &hdi)) {
        const int justify = hdi.fmt & HDF_JUSTIFYMASK;
        format |= justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : 0;
    }
    CFont bold;
    CFont* oldFont = nullptr;
    const XListCellData* cell = Cell(nItem, nSubItem);
    if (cell != nullptr && cell->bBold) {
        LOGFONT lf{};
        if (CFont* current = dc.GetCurrentFont(); current != nullptr && current->GetLogFont(&lf)) {
            lf.lfWeight = FW_BOLD;
            if (bold.CreateFontIndirect(&lf))
                oldFont = dc.SelectObject(&bold);
        }
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(crText);
    dc.SetBkColor(crBackground);
    rect.DeflateRect(m_nPadding, 0);
    dc.DrawText(text, &rect, format);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

void CXListCtrl::DrawCheckbox(CDC& dc, int nItem, int nSubItem, const CRect& rect, COLORREF crText,
                              COLORREF crBackground) {
    if (rect.IsRectEmpty())
        return;
    const XListCellData* cell = Cell(nItem, nSubItem);
    SelectionColors(nItem, nSubItem, crText, crBackground);
    dc.FillSolidRect(&rect, crBackground);
    const CString text = GetItemText(nItem, nSubItem);
    CRect box(rect.left + 9, rect.top, 0, rect.bottom - 1);
    if (text.IsEmpty())
        box.left = rect.left + rect.Width() / 2 - box.Height() / 2 - 1;
    box.right = box.left + box.Height();
    kq::xlist::DrawCheckBoxFrame(dc, box);
    if (cell->nCheckedState == 1)
        kq::xlist::DrawCheckMark(dc, box,
                                 GetEnabled(nItem) ? kq::xlist::kCheckMarkColor : m_crGrayText);
    if (text.IsEmpty())
        return;
    CRect textRect(box.right + 4, rect.top, rect.right, rect.bottom);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (m_bUseEllipsis)
        format |= DT_END_ELLIPSIS;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(crText);
    dc.SetBkColor(crBackground);
    dc.DrawText(text, &textRect, format);
}

void CXListCtrl::DrawProgress(CDC& dc, int nItem, int nSubItem, const CRect& rect,
                              COLORREF crText) {
    if (rect.IsRectEmpty())
        return;
    const XListCellData* cell = Cell(nItem, nSubItem);
    CRect bar = rect;
    bar.bottom -= 1;
    bar.left += 1;
    dc.FillSolidRect(&bar, kEmptyProgressColor);
    dc.Draw3dRect(&bar, RGB(0, 0, 0), m_crBtnShadow);
    // The stored percent is the caller's; only the drawing keeps inside the bar.
    const int percent = std::clamp(cell->nProgressPercent, 0, 100);
    if (percent <= 0)
        return;
    const CRect filled(bar.left + 1, bar.top + 1,
                       bar.left + 1 + ((bar.right - (bar.left + 1)) * percent) / 100 - 1,
                       bar.bottom - 1);
    dc.FillSolidRect(&filled, m_crHighLight);
    if (!cell->bShowProgressMessage)
        return;
    const CString caption = kq::xlist::FormatProgressCaption(cell->strProgressText, percent);
    CRect textRect = rect;
    textRect.DeflateRect(1, 1);
    constexpr UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    dc.SetBkMode(TRANSPARENT);
    int saved = dc.SaveDC();
    dc.IntersectClipRect(&filled);
    dc.SetTextColor(m_crHighLightText);
    CRect drawRect = textRect;
    dc.DrawText(caption, &drawRect, format);
    dc.RestoreDC(saved);
    saved = dc.SaveDC();
    dc.IntersectClipRect(filled.right, textRect.top, rect.right, textRect.bottom);
    dc.SetTextColor(crText);
    drawRect = textRect;
    dc.DrawText(caption, &drawRect, format);
    dc.RestoreDC(saved);
}

void CXListCtrl::OnPaint() {
    Default();
    if (GetItemCount() == 0)
        DrawEmptyListText();
}

void CXListCtrl::DrawEmptyListText() {
    CClientDC dc(this);
    const int saved = dc.SaveDC();
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    CRect headerItem;
    if (CHeaderCtrl* header = GetHeaderCtrl();
        header != nullptr && header->GetItemCount() > 0 && header->GetItemRect(0, &headerItem))
        rect.top += headerItem.bottom;
    rect.top += 10;
    dc.FillSolidRect(&rect, m_crWindow);
    dc.SetTextColor(m_crWindowText);
    dc.SetBkColor(m_crWindow);
    dc.SelectStockObject(ANSI_VAR_FONT);
    dc.DrawText(kEmptyListText, -1, &rect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    dc.RestoreDC(saved);
}

BOOL CXListCtrl::OnEraseBkgnd(CDC* pDC) {
    CRect clip;
    pDC->GetClipBox(&clip);
    if (GetItemCount() == 0 || clip.IsRectEmpty())
        return CListCtrl::OnEraseBkgnd(pDC);
    const int top = GetTopIndex();
    const int last = std::min(top + GetCountPerPage(), GetItemCount() - 1);
    CRect topRow;
    CRect lastRow;
    GetItemRect(top, &topRow, LVIR_BOUNDS);
    GetItemRect(last, &lastRow, LVIR_BOUNDS);
    // The header is a child of the list: erasing above the rows must not paint over it.
    CRect header;
    if (m_HeaderCtrl.GetSafeHwnd() != nullptr && m_HeaderCtrl.IsWindowVisible()) {
        m_HeaderCtrl.GetWindowRect(&header);
        ScreenToClient(&header);
    }
    const int bandTop = std::max(static_cast<int>(clip.top), static_cast<int>(header.bottom));
    pDC->FillSolidRect(CRect(clip.left, bandTop, clip.right, topRow.top), m_crWindow);
    pDC->FillSolidRect(CRect(clip.left, lastRow.bottom, clip.right, clip.bottom), m_crWindow);
    pDC->FillSolidRect(CRect(topRow.right, topRow.top, clip.right, lastRow.bottom), m_crWindow);
    return TRUE;
}
