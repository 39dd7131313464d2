#include "platform/framework/bars/Docking.h"

#include <algorithm>
#include <map>

#include "platform/framework/bars/DockBar.h"
#include "platform/framework/bars/DockContext.h"
#include "platform/framework/bars/DockState.h"
#include "platform/framework/bars/MiniDockFrameWnd.h"

namespace kq::fw {

namespace {

struct DockSide {
    UINT id;
    DWORD align;
};
// The order the dock bars are made in is the order the layout serves them: top and bottom take
// the whole width, left and right what remains between them.
constexpr DockSide kSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                               {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                               {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                               {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};

std::map<const CFrameWnd*, std::vector<CControlBar*>>& Lists() {
    static std::map<const CFrameWnd*, std::vector<CControlBar*>> lists;
    return lists;
}

CDockBar* DockBarOf(const CFrameWnd* frame, UINT id) {
    return dynamic_cast<CDockBar*>(GetControlBar(frame, id));
}

// Remembers where the bar was docked, for a later double click.
void NoteDockPlace(CControlBar* bar) {
    if (bar->m_pDockContext == nullptr || bar->m_pDockBar == nullptr || bar->IsFloating())
        return;
    bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(bar->m_pDockBar->GetDlgCtrlID());
    bar->GetWindowRect(&bar->m_pDockContext->m_rectMRUDockPos);
}

}  // namespace

const std::vector<CControlBar*>& ControlBarsOf(const CFrameWnd* frame) {
    static const std::vector<CControlBar*> none;
    auto found = Lists().find(frame);
    return found != Lists().end() ? found->second : none;
}

void AddControlBar(CFrameWnd* frame, CControlBar* bar) {
    auto& list = Lists()[frame];
    if (std::find(list.begin(), list.end(), bar) == list.end())
        list.push_back(bar);
}

void RemoveControlBar(CFrameWnd* frame, CControlBar* bar) {
    auto found = Lists().find(frame);
    if (found == Lists().end())
        return;
    std::erase(found->second, bar);
    if (found->second.empty())
        Lists().erase(found);
}

CControlBar* GetControlBar(const CFrameWnd* frame, UINT nID) {
    for (CControlBar* bar : ControlBarsOf(frame)) {
        if (bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    }
    return nullptr;
}

void EnableDocking(CFrameWnd* frame, DWORD dwDockStyle) {
    for (const DockSide& side : kSides) {
        if ((dwDockStyle & side.align) == 0 || DockBarOf(frame, side.id) != nullptr)
            continue;
        auto* dockBar = new CDockBar();
        dockBar->m_bAutoDelete = TRUE;
        if (!dockBar->Create(frame, WS_CHILD | WS_VISIBLE | side.align, side.id)) {
            delete dockBar;
            continue;
        }
    }
}

void DockControlBar(CFrameWnd* frame, CControlBar* bar, UINT nDockBarID, LPCRECT lpRect) {
    CDockBar* dockBar = nullptr;
    if (nDockBarID != 0) {
        dockBar = DockBarOf(frame, nDockBarID);
    } else {
        for (const DockSide& side : kSides) {
            if (bar->m_dwDockStyle & side.align) {
                dockBar = DockBarOf(frame, side.id);
                if (dockBar != nullptr)
                    break;
            }
        }
    }
    if (dockBar != nullptr)
        DockControlBar(frame, bar, dockBar, lpRect);
}

void DockControlBar(CFrameWnd* frame, CControlBar* bar, CDockBar* dockBar, LPCRECT lpRect) {
    if (bar->IsFloating() && bar->m_pDockContext != nullptr) {
        CRect rect;
        bar->GetParentFrame()->GetWindowRect(&rect);
        bar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
        bar->m_pDockContext->m_dwMRUFloatStyle = bar->m_dwStyle & CBRS_ALIGN_ANY;
    }
    dockBar->DockControlBar(bar, lpRect);
    NoteDockPlace(bar);
    frame->DelayRecalcLayout();
}

void FloatControlBar(CFrameWnd* frame, CControlBar* bar, CPoint point, DWORD dwStyle) {
    if (bar->IsFloating() && bar->m_pDockBar->GetDockedCount() == 1 &&
        (bar->m_dwStyle & CBRS_ORIENT_ANY) == (dwStyle & CBRS_ORIENT_ANY)) {
        // Already alone in a floating frame of that orientation: only move it.
        bar->GetParentFrame()->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    NoteDockPlace(bar);
    auto* mini = new CMiniDockFrameWnd();
    if (!mini->Create(frame, dwStyle))
        return;  // a frame that failed deletes itself
    CString title;
    bar->GetWindowText(title);
    mini->SetWindowText(title);
    mini->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    mini->m_wndDockBar.DockControlBar(bar);
    mini->RecalcLayout();
    if (bar->m_pDockContext != nullptr) {
        bar->m_pDockContext->m_ptMRUFloatPos = point;
        bar->m_pDockContext->m_dwMRUFloatStyle = dwStyle & CBRS_ALIGN_ANY;
    }
    if (bar->IsVisible())
        mini->ShowWindow(SW_SHOWNA);
    frame->DelayRecalcLayout();
}

void ShowControlBar(CFrameWnd* frame, CControlBar* bar, BOOL bShow, BOOL bDelay) {
    if (bDelay) {
        bar->DelayShow(bShow);
        frame->DelayRecalcLayout();
    } else {
        // Hidden without redrawing: the layout that follows repaints what changed.
        bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                              (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOREDRAW));
        bar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
        frame->RecalcLayout(FALSE);
    }
    if (bar->IsFloating()) {
        // The floating frame shows as long as it shows a bar.
        CFrameWnd* mini = bar->GetParentFrame();
        const int visible = bar->m_pDockBar->GetDockedVisibleCount();
        if (bShow && visible >= 1) {
            mini->RecalcLayout();
            mini->ShowWindow(SW_SHOWNA);
        } else if (visible == 0) {
            mini->ShowWindow(SW_HIDE);
        }
    }
}

CDockBar* CanDock(CFrameWnd* frame, CRect rect, DWORD dwDockStyle) {
    // An empty side still catches a bar dragged over the edge of the frame's client area.
    constexpr int kCatch = 8;
    for (const DockSide& side : kSides) {
        CDockBar* dockBar = DockBarOf(frame, side.id);
        if ((dwDockStyle & side.align) == 0 || dockBar == nullptr)
            continue;
        CRect zone;
        dockBar->GetWindowRect(&zone);
        if (side.align == CBRS_ALIGN_TOP)
            zone.bottom = std::max(zone.bottom, zone.top + kCatch);
        else if (side.align == CBRS_ALIGN_BOTTOM)
            zone.top = std::min(zone.top, zone.bottom - kCatch);
        else if (side.align == CBRS_ALIGN_LEFT)
            zone.right = std::max(zone.right, zone.left + kCatch);
        else
            zone.left = std::min(zone.left, zone.right - kCatch);
        CRect overlap;
        if (overlap.IntersectRect(&zone, &rect))
            return dockBar;
    }
    return nullptr;
}

void GetDockState(const CFrameWnd* frame, CDockState& state) {
    state.Clear();
    for (CControlBar* bar : ControlBarsOf(frame)) {
        CControlBarInfo info;
        info.m_nBarID = static_cast<UINT>(bar->GetDlgCtrlID());
        info.m_bVisible = bar->IsVisible();
        info.m_bFloating = bar->IsFloating();
        info.m_bHorz = bar->IsHorz();
        info.m_nMRUWidth = bar->m_nMRUWidth;
        if (CDockContext* context = bar->m_pDockContext) {
            info.m_uMRUDockID = context->m_uMRUDockID;
            info.m_rectMRUDockPos = context->m_rectMRUDockPos;
            info.m_dwMRUFloatStyle = context->m_dwMRUFloatStyle;
            info.m_ptMRUFloatPos = context->m_ptMRUFloatPos;
        }
        CRect rect;
        bar->GetWindowRect(&rect);
        if (info.m_bFloating) {
            bar->GetParentFrame()->GetWindowRect(&rect);
            info.m_pointPos = rect.TopLeft();
        } else if (bar->m_pDockBar != nullptr) {
            bar->m_pDockBar->ScreenToClient(&rect);
            info.m_pointPos = rect.TopLeft();
        } else {
            info.m_pointPos = CPoint(-1, -1);
        }
        if (auto* dockBar = dynamic_cast<CDockBar*>(bar)) {
            info.m_bDockBar = TRUE;
            // Row ends are kept as 0; the leading one is implied.
            for (int i = 1; i < dockBar->m_arrBars.GetSize(); ++i) {
                void* entry = dockBar->m_arrBars[i];
                CControlBar* docked = dockBar->GetDockedControlBar(i);
                if (entry == nullptr)
                    info.m_arrBarID.push_back(0);
                else if (docked != nullptr)
                    info.m_arrBarID.push_back(static_cast<UINT>(docked->GetDlgCtrlID()));
                else
                    info.m_arrBarID.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(entry)));
            }
        }
        state.m_arrBarInfo.push_back(std::move(info));
    }
}

void SetDockState(CFrameWnd* frame, const CDockState& state) {
    // Dock bars first: they take back the bars listed in them, in their rows.
    for (const CControlBarInfo& info : state.m_arrBarInfo) {
        CDockBar* dockBar = info.m_bDockBar ? DockBarOf(frame, info.m_nBarID) : nullptr;
        if (dockBar == nullptr)
            continue;
        std::vector<CControlBar*> rowBars;
        for (UINT id : info.m_arrBarID) {
            if (id == 0) {
                for (CControlBar* bar : rowBars)
                    dockBar->DockControlBar(bar);  // a row of its own...
                // ...then joined into one row: drop the row ends between them.
                for (size_t k = 1; k < rowBars.size(); ++k) {
                    const int pos = dockBar->FindBar(rowBars[k]);
                    if (pos > 0 && dockBar->m_arrBars[pos - 1] == nullptr)
                        dockBar->m_arrBars.RemoveAt(pos - 1);
                }
                rowBars.clear();
                continue;
            }
            CControlBar* bar = GetControlBar(frame, id);
            if (bar != nullptr && !bar->IsDockBar())
                rowBars.push_back(bar);
        }
        for (CControlBar* bar : rowBars)
            dockBar->DockControlBar(bar);
    }
    for (const CControlBarInfo& info : state.m_arrBarInfo) {
        CControlBar* bar = GetControlBar(frame, info.m_nBarID);
        if (bar == nullptr || bar->IsDockBar())
            continue;
        if (CDockContext* context = bar->m_pDockContext) {
            context->m_uMRUDockID = info.m_uMRUDockID;
            context->m_rectMRUDockPos = info.m_rectMRUDockPos;
            context->m_dwMRUFloatStyle = info.m_dwMRUFloatStyle;
            context->m_ptMRUFloatPos = info.m_ptMRUFloatPos;
        }
        bar->m_nMRUWidth = info.m_nMRUWidth;
        if (info.m_bFloating) {
            FloatControlBar(frame, bar, info.m_pointPos,
                            info.m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
        } else if (bar->m_pDockBar != nullptr && info.m_pointPos.x != -1) {
            bar->SetWindowPos(nullptr, info.m_pointPos.x, info.m_pointPos.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ShowControlBar(frame, bar, info.m_bVisible, TRUE);
    }
    frame->RecalcLayout();
}

void SaveBarState(const CFrameWnd* frame, LPCTSTR lpszProfileName) {
    CDockState state;
    GetDockState(frame, state);
    state.SaveState(lpszProfileName);
}

void LoadBarState(CFrameWnd* frame, LPCTSTR lpszProfileName) {
    CDockState state;
    state.LoadState(lpszProfileName);
    if (!state.m_arrBarInfo.empty())
        SetDockState(frame, state);
}

}  // namespace kq::fw
