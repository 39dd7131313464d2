// The bars docked in one row of a dock bar share its length: when the frame is resized the
// row's first bar divides the length among them (bars that do not fit even at their minimum
// start a new row) and lines them up; a bar's sizing edges are the sides it shares with a
// neighbour and the side that faces the frame's centre.
#include <algorithm>

#include "app/bars/SizingControlBar.h"

namespace {

// Bars of a row overlap by this much, so that their neighbouring borders coincide.
constexpr int kOverlap = 2;

int Along(CSize size, BOOL bHorz) {
    return bHorz ? size.cx : size.cy;
}

}  // namespace

std::vector<CSizingControlBar*> CSizingControlBar::RowBars() const {
    std::vector<CSizingControlBar*> row;
    if (m_pDockBar == nullptr)
        return row;
    const CPtrArray& entries = m_pDockBar->m_arrBars;
    int pos = m_pDockBar->FindBar(const_cast<CSizingControlBar*>(this));
    if (pos < 0)
        return row;
    while (pos > 0 && entries[pos - 1] != nullptr)
        --pos;
    for (; pos < entries.GetSize() && entries[pos] != nullptr; ++pos) {
        CControlBar* bar = m_pDockBar->GetDockedControlBar(pos);
        // The bar itself counts while it is being shown (its edges are calculated then).
        if (bar != nullptr && (bar->IsVisible() || bar == this))
            if (auto* sizing = DYNAMIC_DOWNCAST(CSizingControlBar, bar))
                row.push_back(sizing);
    }
    return row;
}

BOOL CSizingControlBar::DivideRow(int nLength) {
    const BOOL bHorz = IsHorzDocked();
    int free = nLength;
    int used = 0;
    int needed = 0;
    int thickness = 0;
    CPtrArray& entries = m_pDockBar->m_arrBars;
    int pos = m_pDockBar->FindBar(this);
    while (pos > 0 && entries[pos - 1] != nullptr)
        --pos;
    bool beforeThis = true;
    for (; pos < entries.GetSize() && entries[pos] != nullptr; ++pos) {
        CControlBar* bar = m_pDockBar->GetDockedControlBar(pos);
        if (bar == nullptr || !bar->IsVisible())
            continue;
        auto* sizing = DYNAMIC_DOWNCAST(CSizingControlBar, bar);
        CRect window;
        bar->GetWindowRect(&window);
        needed += (sizing != nullptr ? sizing->MinLengthOf(bHorz) : Along(window.Size(), bHorz)) -
                  kOverlap;
        if (needed > nLength) {
            if (bar == this) {
                LengthOf(bHorz) = MinLengthOf(bHorz);
                return TRUE;
            }
            if (beforeThis) {
                entries.InsertAt(pos + 1, static_cast<void*>(nullptr));
                return FALSE;
            }
            // What does not fit even at its minimum starts the next row.
            entries.InsertAt(pos, static_cast<void*>(nullptr));
            break;
        }
        if (bar == this)
            beforeThis = false;
        if (sizing != nullptr) {
            // A bar is laid out at least at its minimum: count it so, or the row overruns.
            LONG& length = sizing->LengthOf(bHorz);
            length = std::max(length, sizing->MinLengthOf(bHorz));
            used += length - kOverlap;
            thickness = std::max<int>(thickness, sizing->ThicknessOf(bHorz));
        } else {
            free -= Along(window.Size(), bHorz) - kOverlap;
        }
    }

    const std::vector<CSizingControlBar*> row = RowBars();
    int delta = free - used;
    if (row.size() == 1) {
        if (delta != 0) {
            row[0]->m_bKeepSize = FALSE;
            row[0]->LengthOf(bHorz) += delta;
        }
        return TRUE;
    }
    for (CSizingControlBar* bar : row)
        bar->ThicknessOf(bHorz) = thickness;
    // Pixel by pixel over the bars that may change. A pass that changes nothing frees the bars
    // that keep their size; a second such pass means every bar is at its minimum: stop there.
    bool keepSizeCleared = false;
    while (delta != 0) {
        const int before = delta;
        for (CSizingControlBar* bar : row) {
            LONG& length = bar->LengthOf(bHorz);
            if (bar->m_bKeepSize || (length <= bar->MinLengthOf(bHorz) && delta < 0))
                continue;
            length += delta > 0 ? 1 : -1;
            delta += delta > 0 ? -1 : 1;
            if (delta == 0)
                break;
        }
        if (delta == before || delta == 0) {
            for (CSizingControlBar* bar : row)
                bar->m_bKeepSize = FALSE;
        }
        if (delta == before) {
            if (keepSizeCleared)
                break;
            keepSizeCleared = true;
        }
    }
    return TRUE;
}

void CSizingControlBar::AlignRow() {
    const BOOL bHorz = IsHorzDocked();
    int along = bHorz ? -kOverlap : 0;
    bool moved = false;
    for (CSizingControlBar* bar : RowBars()) {
        CRect rect;
        bar->GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        const CPoint target = bHorz ? CPoint(along, rect.top) : CPoint(rect.left, along);
        if (target != rect.TopLeft()) {
            bar->SetWindowPos(nullptr, target.x, target.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            moved = true;
        }
        along += bar->LengthOf(bHorz) - kOverlap;
    }
    if (moved && m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

// ---- Edges and the client area -------------------------------------------------------------

void CSizingControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    (void)bCalcValidRects;
    m_dwSizingStyle &= ~kEdgeBits;
    if (IsHorzDocked() || IsVertDocked()) {
        const std::vector<CSizingControlBar*> row = RowBars();
        const BOOL bHorz = IsHorzDocked();
        if (!row.empty() && row.front() != this)
            m_dwSizingStyle |= bHorz ? kEdgeLeft : kEdgeTop;
        if (!row.empty() && row.back() != this)
            m_dwSizingStyle |= bHorz ? kEdgeRight : kEdgeBottom;
    }
    CalcClientInside(&lpncsp->rgrc[0], m_nDockBarId);
}

void CSizingControlBar::CalcClientInside(LPRECT pRect, UINT nDockBarId) {
    CRect rect(pRect);
    const int side = IsFloatingId() ? 3 : 5;
    rect.DeflateRect(side, 5, side, side);
    // The side towards the frame's centre sizes the row's thickness.
    switch (nDockBarId) {
        case AFX_IDW_DOCKBAR_TOP:
            m_dwSizingStyle |= kEdgeBottom;
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            m_dwSizingStyle |= kEdgeTop;
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            m_dwSizingStyle |= kEdgeRight;
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            m_dwSizingStyle |= kEdgeLeft;
            break;
        default:
            break;
    }
    if (m_dwSizingStyle & kShowEdges) {
        rect.DeflateRect((m_dwSizingStyle & kEdgeLeft) ? m_nEdgeWidth : 0,
                         (m_dwSizingStyle & kEdgeTop) ? m_nEdgeWidth : 0,
                         (m_dwSizingStyle & kEdgeRight) ? m_nEdgeWidth : 0,
                         (m_dwSizingStyle & kEdgeBottom) ? m_nEdgeWidth : 0);
    }
    *pRect = rect;
}

CRect CSizingControlBar::ClientInWindow() const {
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    return client;
}
