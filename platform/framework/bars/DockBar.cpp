#include "platform/framework/bars/DockBar.h"

#include <algorithm>

#include "platform/framework/bars/Docking.h"
#include "platform/gfx/UserDrawConstants.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace {

// Docked bars overlap their neighbours' borders by this much.
constexpr int kOverlap = 2;

bool IsPlaceHolder(void* entry) {
    return reinterpret_cast<UINT_PTR>(entry) < 0x10000;
}

DWORD LayoutModeOf(const CControlBar* bar) {
    if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (bar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

}  // namespace

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    LPCTSTR cls = AfxRegisterWndClass(
        CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    return CWnd::Create(cls, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
    void* entry = m_arrBars[nPos];
    return IsPlaceHolder(entry) ? nullptr : static_cast<CControlBar*>(entry);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    if (m_bFloating)
        return;
    const std::vector<CControlBar*>& bars = kq::fw::ControlBarsOf(pTarget);
    auto first = std::find_if(bars.begin(), bars.end(),
                              [](const CControlBar* bar) { return bar->IsDockBar(); });
    if (first == bars.end() || *first != this)
        return;
    std::vector<CFrameWnd*> done;
    for (CControlBar* bar : bars) {
        if (!bar->IsFloating())
            continue;
        CFrameWnd* mini = bar->GetParentFrame();
        if (std::find(done.begin(), done.end(), mini) != done.end() || !mini->IsWindowVisible())
            continue;
        done.push_back(mini);
        mini->SendMessageToDescendants(WM_IDLEUPDATECMDUI, static_cast<WPARAM>(bDisableIfNoHndler),
                                       0, TRUE, TRUE);
    }
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

int CDockBar::GetDockedCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        count += GetDockedControlBar(i) != nullptr ? 1 : 0;
    return count;
}

int CDockBar::GetDockedVisibleCount() const {
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        count += bar != nullptr && bar->IsVisible() ? 1 : 0;
    }
    return count;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    const int overlap = m_bFloating ? 0 : kOverlap;
    const int rowStart = (!m_bFloating && bHorz) ? -kOverlap : 0;
    const int available =
        m_bFloating ? 32767 : (bHorz ? m_rectLayout.Width() : m_rectLayout.Height());
    int across = (!m_bFloating && (m_dwStyle & CBRS_ALIGN_TOP)) ? -kOverlap : 0;
    int thickness = 0;
    int length = 0;
    int offset = rowStart;
    int rowThickness = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(i);
        if (m_arrBars[i] == nullptr) {
            // End of a row: the next one starts where this one ends, borders overlapping.
            if (rowThickness > 0) {
                thickness = std::max(thickness, across + rowThickness);
                across += rowThickness - overlap;
            }
            offset = rowStart;
            rowThickness = 0;
            continue;
        }
        if (bar == nullptr || !bar->IsVisible())
            continue;
        const CSize size = bar->CalcDynamicLayout(-1, LayoutModeOf(bar));
        const int along = bHorz ? size.cx : size.cy;
        CRect current;
        bar->GetWindowRect(&current);
        ScreenToClient(&current);
        // A bar keeps its place in the row unless the one before it or the end pushes it.
        int pos = bHorz ? current.left : current.top;
        if (pos < offset || pos + along > available)
            pos = offset;
        CRect place = bHorz ? CRect(CPoint(pos, across), size) : CRect(CPoint(across, pos), size);
        if (!m_bLayoutQuery && !place.EqualRect(&current) && bar->m_hWnd != nullptr) {
            bar->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
        }
        offset = pos + along - overlap;
        length = std::max(length, pos + along);
        rowThickness = std::max(rowThickness, bHorz ? size.cy : size.cx);
    }
    thickness = std::max(0, thickness);
    if (bHorz)
        return CSize(bStretch ? 32767 : length, thickness);
    return CSize(thickness, bStretch ? 32767 : length);
}

int CDockBar::InsertPosition(const CRect& rect) const {
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || m_bFloating;
    const int across = horz ? rect.top : rect.left;
    const int along = horz ? rect.left : rect.top;
    int rowFirst = 1;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != nullptr)
            continue;
        // The extent of the row [rowFirst, i) across the dock bar.
        int lo = 32767;
        int hi = -32767;
        for (int j = rowFirst; j < i; ++j) {
            CControlBar* bar = GetDockedControlBar(j);
            if (bar == nullptr || !bar->IsVisible())
                continue;
            CRect r;
            bar->GetWindowRect(&r);
            ScreenToClient(&r);
            lo = std::min(lo, horz ? static_cast<int>(r.top) : static_cast<int>(r.left));
            hi = std::max(hi, horz ? static_cast<int>(r.bottom) : static_cast<int>(r.right));
        }
        if (lo <= hi && across < lo)
            return -rowFirst;  // a new row before this one
        if (lo <= hi && across < hi) {
            for (int j = rowFirst; j < i; ++j) {
                CControlBar* bar = GetDockedControlBar(j);
                if (bar == nullptr)
                    continue;
                CRect r;
                bar->GetWindowRect(&r);
                ScreenToClient(&r);
                if (along < (horz ? r.left : r.top))
                    return j;
            }
            return i;
        }
        rowFirst = i + 1;
    }
    return -static_cast<int>(m_arrBars.GetSize());  // a new last row
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    CRect rect;
    if (lpRect != nullptr)
        rect = *lpRect;
    else
        pBar->GetWindowRect(&rect);
    ScreenToClient(&rect);

    CDockBar* old = pBar->m_pDockBar;
    if (old == this && lpRect == nullptr)
        return;
    // The bar changes parent first, so that closing an emptied floating frame spares it.
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (old != nullptr)
        old->RemoveControlBar(pBar);

    pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                      (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    if (lpRect == nullptr) {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    } else {
        const int pos = InsertPosition(rect);
        if (pos > 0) {
            m_arrBars.InsertAt(pos, pBar);
        } else {
            // A row of its own before -pos.
            m_arrBars.InsertAt(-pos, static_cast<void*>(nullptr));
            m_arrBars.InsertAt(-pos, pBar);
        }
    }
    pBar->m_pDockBar = this;
    pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude) {
    const int pos = FindBar(pBar, nPosExclude);
    if (pos < 0)
        return FALSE;
    m_arrBars.RemoveAt(pos);
    // Two row ends in a row mean an empty row.
    if (pos < m_arrBars.GetSize() && m_arrBars[pos] == nullptr && m_arrBars[pos - 1] == nullptr)
        m_arrBars.RemoveAt(pos);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (m_bFloating && GetDockedCount() == 0) {
        // The floating frame has nothing left to hold.
        if (CWnd* frame = GetParent())
            frame->DestroyWindow();
    } else if (CFrameWnd* site = GetDockingFrame()) {
        site->DelayRecalcLayout();
    }
    return TRUE;
}
