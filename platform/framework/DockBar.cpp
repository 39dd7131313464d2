#include "platform/framework/DockBar.h"

#include "platform/framework/DockContext.h"
#include "platform/framework/DockState.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/detail/DefaultClasses.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
END_MESSAGE_MAP()

using kq::fw::kBarBorder;

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
    m_bAutoDelete = TRUE;
    m_arrBars.Add(nullptr);
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(kq::fw::detail::ControlBarClass(), nullptr, dwStyle & ~CBRS_ALL,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const {
    return TRUE;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
    void* entry = m_arrBars[nPos];
    return entry == nullptr || IsPlaceHolder(entry) ? nullptr : static_cast<CControlBar*>(entry);
}

int CDockBar::GetDockedCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        count += GetDockedControlBar(i) != nullptr;
    return count;
}

int CDockBar::GetDockedVisibleCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        count += bar != nullptr && bar->IsVisible();
    }
    return count;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) {
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

namespace {

// The style a bar takes in a dock bar: its alignment, all borders, floating or not.
void Adopt(CDockBar* dock, CControlBar* bar) {
    if (dock->m_bFloating && (bar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        dock->m_dwStyle |= CBRS_FLOAT_MULTI;
    dock->m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    dock->m_dwStyle |= bar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    // A bar that sizes itself is resized by the border of its floating frame, also in a frame
    // made before the bar was known (a restored docking layout).
    if (dock->m_bFloating && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        if (CFrameWnd* floating = dock->GetParentFrame())
            floating->ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
    // A floating frame for one bar carries that bar's title.
    if (!(dock->m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString title;
        bar->GetWindowText(title);
        AfxSetWindowText(dock->m_hWnd, title);
    }
    DWORD style = bar->GetBarStyle() & ~CBRS_ALIGN_ANY;
    style |= (dock->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (dock->m_bFloating)
        style |= CBRS_FLOATING;
    else
        style &= ~CBRS_FLOATING;
    bar->SetBarStyle(style);
}

void RemoveEmptyRowAt(CPtrArray& bars, int nPos) {
    if (nPos > 0 && nPos < bars.GetSize() && bars[nPos - 1] == nullptr && bars[nPos] == nullptr)
        bars.RemoveAt(nPos);
}

}  // namespace

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    CRect current;
    pBar->GetWindowRect(&current);
    if (pBar->m_pDockBar == this && (lpRect == nullptr || current == *lpRect))
        return;
    Adopt(this, pBar);
    // Hidden while it moves to another dock bar, so it does not flash.
    bool reshow = false;
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
        pBar->SetWindowPos(
            nullptr, 0, 0, 0, 0,
            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        reshow = true;
    }
    int nPos = -1;
    CRect rect;
    if (lpRect != nullptr) {
        rect = *lpRect;
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    // The bar belongs to this dock bar, shown, before it is placed: a bar that sizes itself
    // reads its side and its row as it is moved.
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this) {
        pBar->m_pDockBar->RemoveControlBar(pBar, nPos);
    } else if (pBar->m_pDockBar != nullptr) {
        // Leaving a side for a floating frame leaves a place holder to come back to.
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
    }
    pBar->m_pDockBar = this;
    // The side a double click on the floating bar brings it back to.
    const auto side = static_cast<UINT>(GetDlgCtrlID());
    if (!m_bFloating && pBar->m_pDockContext != nullptr && side >= AFX_IDW_DOCKBAR_TOP &&
        side <= AFX_IDW_DOCKBAR_BOTTOM)
        pBar->m_pDockContext->m_uMRUDockID = side;
    if (reshow)
        pBar->SetWindowPos(
            nullptr, 0, 0, 0, 0,
            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (lpRect != nullptr)
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    else
        pBar->SetWindowPos(nullptr, -kBarBorder, -kBarBorder, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    RemovePlaceHolder(pBar);
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    if (pBar->m_pDockBar == this)
        return;
    Adopt(this, pBar);
    int nPos =
        FindBar(static_cast<CControlBar*>(PlaceHolderFor(static_cast<UINT>(pBar->GetDlgCtrlID()))));
    if (nPos > 0)
        m_arrBars[nPos] = pBar;
    CRect rect;
    if (lpRect != nullptr) {
        rect = *lpRect;
        ScreenToClient(&rect);
        if (nPos < 1)
            nPos = Insert(pBar, rect, rect.CenterPoint());
    } else if (nPos < 1) {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    // As in DockControlBar: in this dock bar and out of the old one before it is placed.
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (CDockBar* previous = pBar->m_pDockBar)
        previous->RemoveControlBar(pBar);  // looks at where the bar was
    pBar->m_pDockBar = this;
    if (lpRect != nullptr)
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    else
        pBar->SetWindowPos(nullptr, -kBarBorder, -kBarBorder, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1) {
        m_arrBars[nPos] = PlaceHolderFor(static_cast<UINT>(pBar->GetDlgCtrlID()));
        // One place holder per bar is enough.
        if (FindBar(static_cast<CControlBar*>(m_arrBars[nPos]), nPos) > 0) {
            m_arrBars.RemoveAt(nPos);
            RemoveEmptyRowAt(m_arrBars, nPos);
        }
    } else {
        m_arrBars.RemoveAt(nPos);
        RemoveEmptyRowAt(m_arrBars, nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }
    // Nothing more while the bar is being destroyed.
    if (pBar->m_pDockContext == nullptr || m_hWnd == nullptr)
        return FALSE;
    CFrameWnd* frame = GetDockingFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        CFrameWnd* floating = GetParentFrame();
        if (GetDockedCount() == 0) {
            if (floating != nullptr)
                floating->DestroyWindow();
            return TRUE;
        }
        if (floating != nullptr)
            floating->ShowWindow(SW_HIDE);
    } else if (frame != nullptr) {
        frame->DelayRecalcLayout();
    }
    return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
    const int nPos =
        FindBar(static_cast<CControlBar*>(PlaceHolderFor(static_cast<UINT>(pBar->GetDlgCtrlID()))));
    if (nPos > 0) {
        m_arrBars.RemoveAt(nPos);
        RemoveEmptyRowAt(m_arrBars, nPos);
    }
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int insertAfter = 0;
    int thickness = 0;
    int total = 0;
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
        CControlBar* bar = GetDockedControlBar(nPos);
        if (bar != nullptr) {
            if (!bar->IsVisible())
                continue;
            CRect barRect;
            bar->GetWindowRect(&barRect);
            ScreenToClient(&barRect);
            thickness = std::max<int>(thickness, horz ? barRect.Height() : barRect.Width() - 1);
            if (horz ? rect.left > barRect.left : rect.top > barRect.top)
                insertAfter = nPos;
        } else if (m_arrBars[nPos] == nullptr) {
            // The end of a row: does the point lie in it?
            total += thickness - kBarBorder;
            thickness = 0;
            if ((horz ? ptMid.y : ptMid.x) < total) {
                if (nPos == 0)
                    m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
                m_arrBars.InsertAt(insertAfter + 1, pBarIns);
                return insertAfter + 1;
            }
            insertAfter = nPos;
        }
    }
    // Past the last row: a new one.
    m_arrBars.InsertAt(insertAfter + 1, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(insertAfter + 1, pBarIns);
    return insertAfter + 1;
}

void CDockBar::ShowAll(BOOL bShow) {
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
        if (CControlBar* bar = GetDockedControlBar(nPos)) {
            if (CFrameWnd* frame = bar->GetDockingFrame())
                frame->ShowControlBar(bar, bShow, FALSE);
        }
    }
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize fixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize maximum;
    if (!m_rectLayout.IsRectEmpty()) {
        maximum = m_rectLayout.Size();
    } else if (CFrameWnd* frame = GetParentFrame()) {
        CRect client;
        frame->GetClientRect(&client);
        maximum = client.Size();
    }
    kq::fw::DeferredMoves moves;
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : &moves;
    // Along a row the bars overlap by a border: a horizontal row starts a border before the
    // dock bar's left edge (the bars' own left border is hidden), a vertical one at its top.
    // Rows overlap the same way; only the top side's first row starts a border above its edge,
    // where the frame's edge already is. A floating frame shows its bars whole.
    const int startAlong = bHorz && !m_bFloating ? -kBarBorder : 0;
    const int startAcross =
        GetDlgCtrlID() == static_cast<int>(AFX_IDW_DOCKBAR_TOP) ? -kBarBorder : 0;
    CPoint pt = bHorz ? CPoint(startAlong, startAcross) : CPoint(startAcross, startAlong);
    int thickness = 0;
    bool wrapped = false;
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
        CControlBar* bar = GetDockedControlBar(nPos);
        void* entry = m_arrBars[nPos];
        if (bar != nullptr) {
            if (bar->IsVisible()) {
                DWORD mode = 0;
                if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
                    mode |= LM_HORZ | LM_MRUWIDTH;
                else if (bar->m_dwStyle & CBRS_ORIENT_HORZ)
                    mode |= LM_HORZ | LM_HORZDOCK;
                else
                    mode |= LM_VERTDOCK;
                const CSize size = bar->CalcDynamicLayout(-1, mode);
                CRect rect(pt, size);
                CRect barRect;
                bar->GetWindowRect(&barRect);
                ScreenToClient(&barRect);
                if (bHorz) {
                    // A bar keeps its place further along the row; at the end it is pulled
                    // back in; one that no longer fits starts a new row.
                    if (barRect.left > rect.left && !m_bFloating)
                        rect.OffsetRect(barRect.left - rect.left, 0);
                    if (rect.right > maximum.cx && !m_bFloating) {
                        const int x = std::max<int>(maximum.cx - (rect.Width() - kBarBorder), pt.x);
                        rect.OffsetRect(x - rect.left, 0);
                    }
                    if (wrapped) {
                        wrapped = false;
                        rect.OffsetRect(startAlong - rect.left, 0);
                    } else if (rect.left >= maximum.cx - kBarBorder && nPos > 0 &&
                               m_arrBars[nPos - 1] != nullptr) {
                        m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
                        bar = nullptr;
                        entry = nullptr;
                        wrapped = true;
                    }
                    if (!wrapped) {
                        if (rect != barRect) {
                            if (!m_bLayoutQuery && !(bar->m_dwStyle & CBRS_FLOATING) &&
                                bar->m_pDockContext != nullptr)
                                bar->m_pDockContext->m_rectMRUDockPos = rect;
                            AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
                        }
                        pt.x = rect.left + size.cx - kBarBorder;
                        thickness = std::max<int>(thickness, size.cy);
                    }
                } else {
                    if (barRect.top > rect.top && !m_bFloating)
                        rect.OffsetRect(0, barRect.top - rect.top);
                    if (rect.bottom > maximum.cy && !m_bFloating) {
                        const int y =
                            std::max<int>(maximum.cy - (rect.Height() - kBarBorder), pt.y);
                        rect.OffsetRect(0, y - rect.top);
                    }
                    if (wrapped) {
                        wrapped = false;
                        rect.OffsetRect(0, startAlong - rect.top);
                    } else if (rect.top >= maximum.cy - kBarBorder && nPos > 0 &&
                               m_arrBars[nPos - 1] != nullptr) {
                        m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
                        bar = nullptr;
                        entry = nullptr;
                        wrapped = true;
                    }
                    if (!wrapped) {
                        if (rect != barRect) {
                            if (!m_bLayoutQuery && !(bar->m_dwStyle & CBRS_FLOATING) &&
                                bar->m_pDockContext != nullptr)
                                bar->m_pDockContext->m_rectMRUDockPos = rect;
                            AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
                        }
                        pt.y = rect.top + size.cy - kBarBorder;
                        thickness = std::max<int>(thickness, size.cx);
                    }
                }
            }
            if (!wrapped && bar != nullptr)
                bar->RecalcDelayShow(&layout);
        }
        if (bar == nullptr && entry == nullptr && thickness != 0) {
            // End of a row.
            // End of a row: the next one starts a border before its far edge.
            if (bHorz) {
                pt.y += thickness - kBarBorder;
                fixed.cx = std::max<int>(fixed.cx, pt.x);
                fixed.cy = std::max<int>(fixed.cy, pt.y);
                pt.x = startAlong;
            } else {
                pt.x += thickness - kBarBorder;
                fixed.cx = std::max<int>(fixed.cx, pt.x);
                fixed.cy = std::max<int>(fixed.cy, pt.y);
                pt.y = startAlong;
            }
            thickness = 0;
        }
    }
    if (!m_bLayoutQuery) {
        for (const kq::fw::WindowMove& move : moves) {
            ::SetWindowPos(move.hWnd, nullptr, move.rect.left, move.rect.top,
                           move.rect.right - move.rect.left, move.rect.bottom - move.rect.top,
                           move.flags);
        }
    }
    // The last bar and row of a floating frame overlap nothing.
    if (m_bFloating) {
        if (fixed.cx != 0)
            fixed.cx += kBarBorder;
        if (fixed.cy != 0)
            fixed.cy += kBarBorder;
    }
    // The dock bar's own borders lie outside the rows.
    CRect inside;
    CalcInsideRect(inside, bHorz);
    if ((!bStretch || !bHorz) && fixed.cx != 0)
        fixed.cx += inside.left - inside.right;
    if ((!bStretch || bHorz) && fixed.cy != 0)
        fixed.cy += inside.top - inside.bottom;
    return fixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const BOOL queryBefore = m_bLayoutQuery;
    const CRect rectBefore = m_rectLayout;
    m_bLayoutQuery = layout->hDWP == nullptr;
    m_rectLayout = layout->rect;
    const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = queryBefore;
    m_rectLayout = rectBefore;
    return result;
}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    CRect inside;
    CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    lpncsp->rgrc[0].left += inside.left;
    lpncsp->rgrc[0].top += inside.top;
    lpncsp->rgrc[0].right += inside.right;
    lpncsp->rgrc[0].bottom += inside.bottom;
}

void CDockBar::OnNcPaint() {
    EraseNonClient();
}

void CDockBar::DoPaint(CDC*) {}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_pointPos = CPoint(-1, -1);
    if (m_bFloating) {
        if (CFrameWnd* floating = GetParentFrame()) {
            CRect rect;
            floating->GetWindowRect(&rect);
            pInfo->m_pointPos = rect.TopLeft();
        }
        pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    }
    pInfo->m_arrBarID.RemoveAll();
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        void* entry = m_arrBars[i];
        UINT id = 0;
        if (IsPlaceHolder(entry))
            id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(entry)) | 0x10000;
        else if (entry != nullptr)
            id = static_cast<UINT>(static_cast<CControlBar*>(entry)->GetDlgCtrlID());
        pInfo->m_arrBarID.Add(reinterpret_cast<void*>(UINT_PTR{id}));
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    CPtrArray rebuilt;
    auto add = [&rebuilt](void* entry) {
        // No two row ends in a row, and a row end first.
        if (entry == nullptr && rebuilt.GetSize() > 0 && rebuilt[rebuilt.GetSize() - 1] == nullptr)
            return;
        rebuilt.Add(entry);
    };
    add(nullptr);
    for (int i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        const auto id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(pInfo->m_arrBarID[i]));
        if (id == 0) {
            add(nullptr);
            continue;
        }
        if (id & 0xFFFF0000) {
            add(PlaceHolderFor(id & 0xFFFF));
            continue;
        }
        CControlBar* bar = pFrameWnd->GetControlBar(id);
        if (bar == nullptr || bar->IsDockBar()) {
            // A bar the frame no longer has keeps only its place.
            add(PlaceHolderFor(id & 0xFFFF));
            continue;
        }
        if (bar->m_pDockBar != nullptr && bar->m_pDockBar != this)
            bar->m_pDockBar->RemoveControlBar(bar, -1, -1);
        Adopt(this, bar);
        if (bar->GetParent() != this)
            bar->SetParent(this);
        bar->m_pDockBar = this;
        add(bar);
    }
    // Bars docked here that the stored layout does not know stay, in a row of their own.
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (bar != nullptr && bar->m_pDockBar == this) {
            bool listed = false;
            for (int j = 0; j < rebuilt.GetSize() && !listed; ++j)
                listed = rebuilt[j] == bar;
            if (!listed) {
                add(nullptr);
                add(bar);
            }
        }
    }
    add(nullptr);
    m_arrBars.RemoveAll();
    for (int i = 0; i < rebuilt.GetSize(); ++i)
        m_arrBars.Add(rebuilt[i]);
    if (m_bFloating) {
        m_dwStyle &= ~CBRS_ALIGN_ANY;
        m_dwStyle |= pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
    }
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}
