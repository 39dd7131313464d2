#include "framework/bars_contract_double_test.h"

#include <algorithm>

#include "platform/gfx/UserDrawConstants.h"

namespace kq::fw::test {

IMPLEMENT_DYNAMIC(SizingBar, CControlBar)

BEGIN_MESSAGE_MAP(SizingBar, CControlBar)
ON_WM_WINDOWPOSCHANGING()
ON_WM_WINDOWPOSCHANGED()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

// Bars of a row overlap by this much; a horizontal row starts this far before the dock bar.
constexpr int kOverlap = 2;

int Along(const CSize& size, bool horz) {
    return horz ? size.cx : size.cy;
}

}  // namespace

BOOL SizingBar::Create(LPCTSTR title, CWnd* parent, CSize size, UINT id, DWORD style) {
    horz = vert = floating = size;
    m_dwStyle = style & CBRS_ALL;
    LPCTSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    const DWORD windowStyle = (style & ~CBRS_ALL & ~WS_DLGFRAME) | WS_CLIPCHILDREN;
    return CWnd::Create(cls, title, windowStyle, CRect(0, 0, 0, 0), parent, id);
}

std::vector<SizingBar*> SizingBar::RowBars() const {
    std::vector<SizingBar*> row;
    if (m_pDockBar == nullptr)
        return row;
    const CPtrArray& bars = m_pDockBar->m_arrBars;
    int pos = m_pDockBar->FindBar(const_cast<SizingBar*>(this));
    if (pos < 0)
        return row;
    while (pos > 0 && bars[pos - 1] != nullptr)
        --pos;
    for (; pos < bars.GetSize() && bars[pos] != nullptr; ++pos) {
        CControlBar* bar = m_pDockBar->GetDockedControlBar(pos);
        if (bar != nullptr && bar->IsVisible() && bar->IsKindOf(RUNTIME_CLASS(SizingBar)))
            row.push_back(static_cast<SizingBar*>(bar));
    }
    return row;
}

CSize SizingBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    calls.push_back(Call{nLength, nMode});
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (nLength == -1) {
            parentSizing = true;
            if (m_pDockBar != nullptr)
                layoutOffered.push_back(m_pDockBar->m_rectLayout);
        }
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }
    if (nMode & (LM_MRUWIDTH | LM_COMMIT))
        return floating;
    if (nMode & LM_LENGTHY)
        floating.cy = nLength;
    else
        floating.cx = nLength;
    floating.cx = std::max(floating.cx, minFloat.cx);
    floating.cy = std::max(floating.cy, minFloat.cy);
    return floating;
}

CSize SizingBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (bStretch)
        return bHorz ? CSize(32767, horz.cy) : CSize(vert.cx, 32767);
    if (parentSizing && IsVisible() && m_pDockBar != nullptr && !IsFloatingId()) {
        const std::vector<SizingBar*> row = RowBars();
        if (!row.empty() && row.front() == this) {
            CRect space = m_pDockBar->m_rectLayout;
            if (space.IsRectEmpty())
                m_pDockBar->GetClientRect(&space);
            const int length =
                IsHorzDocked() ? space.Width() + kOverlap : space.Height() - kOverlap;
            if (DivideRow(length))
                AlignRow();
        }
    }
    parentSizing = false;
    CSize size = bHorz ? horz : vert;
    const CSize& minimum = bHorz ? minHorz : minVert;
    return CSize(std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy));
}

bool SizingBar::DivideRow(int length) {
    const bool horzRow = IsHorzDocked();
    int free = length;
    int used = 0;
    int needed = 0;
    int thickness = 0;
    CPtrArray& bars = m_pDockBar->m_arrBars;
    int pos = m_pDockBar->FindBar(this);
    while (pos > 0 && bars[pos - 1] != nullptr)
        --pos;
    for (; pos < bars.GetSize() && bars[pos] != nullptr; ++pos) {
        CControlBar* bar = m_pDockBar->GetDockedControlBar(pos);
        if (bar == nullptr || !bar->IsVisible())
            continue;
        auto* sizing = DYNAMIC_DOWNCAST(SizingBar, bar);
        CRect rect;
        bar->GetWindowRect(&rect);
        needed +=
            (sizing != nullptr ? Along(sizing->Minimum(), horzRow) : Along(rect.Size(), horzRow)) -
            kOverlap;
        if (needed > length) {
            // What does not fit even at its minimum starts a new row.
            if (bar == this) {
                Current() =
                    CSize(horzRow ? minHorz.cx : Current().cx, horzRow ? Current().cy : minVert.cy);
                return true;
            }
            bars.InsertAt(pos, static_cast<void*>(nullptr));
            break;
        }
        if (sizing != nullptr) {
            used += Along(sizing->Current(), horzRow) - kOverlap;
            thickness = std::max(thickness, Along(sizing->Current(), !horzRow));
        } else {
            free -= Along(rect.Size(), horzRow) - kOverlap;
        }
    }
    std::vector<SizingBar*> row = RowBars();
    int delta = free - used;
    if (row.size() == 1) {
        if (delta != 0) {
            row[0]->keepSize = false;
            (horzRow ? row[0]->Current().cx : row[0]->Current().cy) += delta;
        }
        return true;
    }
    for (SizingBar* bar : row)
        (horzRow ? bar->Current().cy : bar->Current().cx) = thickness;
    while (delta != 0) {
        const int before = delta;
        for (SizingBar* bar : row) {
            int& along = horzRow ? bar->Current().cx : bar->Current().cy;
            const int minimum = Along(bar->Minimum(), horzRow);
            if (bar->keepSize || (along <= minimum && delta < 0))
                continue;
            along += delta > 0 ? 1 : -1;
            delta += delta > 0 ? -1 : 1;
            if (delta == 0)
                break;
        }
        // Bars that keep their size give way once nothing else can; bars at their minimums
        // end the division.
        bool kept = false;
        for (SizingBar* bar : row)
            kept |= bar->keepSize;
        if (delta == before || delta == 0) {
            for (SizingBar* bar : row)
                bar->keepSize = false;
            if (delta == before && !kept)
                break;
        }
    }
    return true;
}

void SizingBar::AlignRow() {
    const bool horzRow = IsHorzDocked();
    int along = horzRow ? -kOverlap : 0;
    bool moved = false;
    for (SizingBar* bar : RowBars()) {
        CRect rect;
        bar->GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        const CPoint target = horzRow ? CPoint(along, rect.top) : CPoint(rect.left, along);
        if (target != rect.TopLeft()) {
            bar->SetWindowPos(nullptr, target.x, target.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            moved = true;
        }
        along += Along(bar->Current(), horzRow) - kOverlap;
    }
    if (moved && m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

void SizingBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    updateTargets.push_back(pTarget != nullptr ? pTarget->m_hWnd : nullptr);
}

void SizingBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    if (CWnd* parent = GetParent())
        dockBarId = static_cast<UINT>(parent->GetDlgCtrlID());
    if (!IsFloatingId() && (lpwndpos->flags & SWP_SHOWWINDOW))
        keepSize = true;
}

void SizingBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CControlBar::OnWindowPosChanged(lpwndpos);
    changedFlags.push_back(lpwndpos->flags);
}

void SizingBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    const std::vector<SizingBar*> row = RowBars();
    const bool docked = m_pDockBar != nullptr && !IsFloatingId();
    firstInRow = docked && !row.empty() && row.front() == this;
    lastInRow = docked && !row.empty() && row.back() == this;
    // A sizing edge inside each bar; what is left is the client area.
    constexpr int kEdge = 5;
    ::InflateRect(&lpncsp->rgrc[0], -kEdge, -kEdge);
}

LRESULT SizingBar::OnNcHitTest(CPoint point) {
    CRect window;
    GetWindowRect(&window);
    if (m_pDockBar == nullptr || IsFloatingId() || !window.PtInRect(point))
        return CControlBar::OnNcHitTest(point);
    if (point.x < window.left + 5)
        return HTLEFT;
    const CRect close(window.right - 16, window.top + 5, window.right - 5, window.top + 16);
    if (close.PtInRect(point))
        return HTCLOSE;
    return CControlBar::OnNcHitTest(point);
}

void SizingBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    ncDown.emplace_back(nHitTest, point);
    if (nHitTest == HTLEFT) {
        SetCapture();
        tracking = true;
    }
}

void SizingBar::OnNcLButtonUp(UINT nHitTest, CPoint point) {
    ncUp.emplace_back(nHitTest, point);
    if (nHitTest == HTCLOSE && m_pDockSite != nullptr)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    CControlBar::OnNcLButtonUp(nHitTest, point);
}

void SizingBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (tracking) {
        ClientToScreen(&point);
        dragMoves.push_back(point);
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void SizingBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (tracking)
        ReleaseCapture();
    CControlBar::OnLButtonUp(nFlags, point);
}

void SizingBar::OnCaptureChanged(CWnd* pWnd) {
    if (tracking && pWnd != this) {
        tracking = false;
        ++capturesLost;
        if (m_pDockSite != nullptr)
            m_pDockSite->DelayRecalcLayout();
    }
    CControlBar::OnCaptureChanged(pWnd);
}

// --- settings ---

void SizingBar::LoadState(LPCTSTR profile) {
    CString section;
    section.Format("%s-SCBar-%d", profile, GetDlgCtrlID());
    CWinApp* app = AfxGetApp();
    auto read = [&](LPCTSTR key, LONG& value, LONG minimum) {
        value = std::max<LONG>(
            static_cast<LONG>(app->GetProfileInt(section, key, static_cast<int>(value))), minimum);
    };
    read("sizeHorzCX", horz.cx, minHorz.cx);
    read("sizeHorzCY", horz.cy, minHorz.cy);
    read("sizeVertCX", vert.cx, minVert.cx);
    read("sizeVertCY", vert.cy, minVert.cy);
    read("sizeFloatCX", floating.cx, minFloat.cx);
    read("sizeFloatCY", floating.cy, minFloat.cy);
}

void SizingBar::SaveState(LPCTSTR profile) const {
    CString section;
    section.Format("%s-SCBar-%d", profile, GetDlgCtrlID());
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(section, "sizeHorzCX", horz.cx);
    app->WriteProfileInt(section, "sizeHorzCY", horz.cy);
    app->WriteProfileInt(section, "sizeVertCX", vert.cx);
    app->WriteProfileInt(section, "sizeVertCY", vert.cy);
    app->WriteProfileInt(section, "sizeFloatCX", floating.cx);
    app->WriteProfileInt(section, "sizeFloatCY", floating.cy);
}

void SizingBar::LoadAll(LPCTSTR profile, CFrameWnd* frame) {
    for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (auto* sizing = DYNAMIC_DOWNCAST(SizingBar, bar))
            sizing->LoadState(profile);
    }
}

void SizingBar::SaveAll(LPCTSTR profile, CFrameWnd* frame) {
    for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (auto* sizing = DYNAMIC_DOWNCAST(SizingBar, bar))
            sizing->SaveState(profile);
    }
}

}  // namespace kq::fw::test
