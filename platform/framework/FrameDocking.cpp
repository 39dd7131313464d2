// The frame's side of docking: its dock bars, its list of control bars, docking, floating,
// showing and hiding bars, and the docking layout as a CDockState.
#include "platform/base/Exceptions.h"
#include "platform/base/Trace.h"
#include "platform/framework/DockBar.h"
#include "platform/framework/DockContext.h"
#include "platform/framework/DockState.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MiniDockFrameWnd.h"

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& side : dwDockBarMap) {
        if ((side[1] & dwDockStyle & CBRS_ALIGN_ANY) == 0 || GetControlBar(side[0]) != nullptr)
            continue;
        auto* dock = new CDockBar;
        if (!dock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side[1],
                          side[0])) {
            delete dock;
            AfxThrowNotSupportedException();
        }
    }
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (m_listControlBars.Find(pBar) == nullptr)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    CDockBar* dock =
        nDockBarID == 0 ? nullptr : DYNAMIC_DOWNCAST(CDockBar, GetControlBar(nDockBarID));
    DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    if (pDockBar == nullptr) {
        // The side the bar's style aligns it to.
        for (const auto& side : dwDockBarMap) {
            if ((side[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
                pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side[0]));
                break;
            }
        }
    }
    if (pDockBar == nullptr || pBar->m_pDockContext == nullptr) {
        TRACE("Warning: the bar cannot dock there (EnableDocking not called?).\n");
        return;
    }
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    if (pDockBar == nullptr) {
        for (const auto& side : dwDockBarMap) {
            if ((side[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
                pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side[0]));
                break;
            }
        }
    }
    if (pDockBar != nullptr)
        pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
    CRuntimeClass* cls =
        m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* object = cls->CreateObject();
    auto* frame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, object);
    if (frame == nullptr) {
        delete object;
        AfxThrowNotSupportedException();
    }
    if (!frame->Create(this, dwStyle))
        AfxThrowNotSupportedException();  // the frame deleted itself
    return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
    // A floating frame with only this bar just moves.
    if (pBar->m_pDockSite != nullptr && pBar->m_pDockBar != nullptr) {
        CDockBar* dock = pBar->m_pDockBar;
        if (dock->m_bFloating && dock->GetDockedCount() == 1 &&
            (dwStyle & dock->m_dwStyle & CBRS_ALIGN_ANY) != 0) {
            if (CFrameWnd* floating = dock->GetParentFrame()) {
                floating->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                floating->RecalcLayout(TRUE);
            }
            return;
        }
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT) {
            dwStyle &= ~CBRS_ALIGN_ANY;
            dwStyle |= CBRS_ALIGN_TOP;
        }
    }
    CMiniDockFrameWnd* floating = CreateFloatingFrame(dwStyle);
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (floating->m_hWndOwner == nullptr)
        floating->m_hWndOwner = pBar->m_hWnd;
    floating->m_wndDockBar.DockControlBar(pBar);
    floating->RecalcLayout(TRUE);
    if (::GetWindowLong(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE)
        floating->ShowWindow(SW_SHOWNA);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    CFrameWnd* parentFrame = pBar->GetDockingFrame();
    if (parentFrame == nullptr)
        parentFrame = this;
    if (bDelay) {
        pBar->DelayShow(bShow);
        parentFrame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);  // clears a contrary delayed request
        if (bShow || !pBar->IsFloating())
            parentFrame->RecalcLayout(FALSE);
    }
    // A floating frame shows while at least one of its bars does.
    if (pBar->IsFloating()) {
        CFrameWnd* floating = pBar->GetParentFrame();
        if (floating == nullptr)
            return;
        const int visible = pBar->m_pDockBar->GetDockedVisibleCount();
        if (visible == 1 && bShow) {
            floating->m_nShowDelay = -1;
            if (bDelay) {
                floating->m_nShowDelay = SW_SHOWNA;
                floating->RecalcLayout(FALSE);
            } else {
                floating->ShowWindow(SW_SHOWNA);
            }
        } else if (visible == 0) {
            floating->m_nShowDelay = -1;
            if (bDelay)
                floating->m_nShowDelay = SW_HIDE;
            else
                floating->ShowWindow(SW_HIDE);
        } else if (!bDelay) {
            floating->RecalcLayout(FALSE);
        }
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
    dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
    if (ppDockBar != nullptr)
        *ppDockBar = nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!bar->IsDockBar() || !bar->IsWindowVisible())
            continue;
        auto* dock = static_cast<CDockBar*>(bar);
        if ((dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            continue;
        if (dock->m_bFloating && !(dwDockStyle & dock->m_dwStyle & CBRS_FLOAT_MULTI))
            continue;
        CRect barRect;
        dock->GetWindowRect(&barRect);
        // An empty side still catches a bar dragged onto its edge.
        if (barRect.Width() == 0)
            ++barRect.right;
        if (barRect.Height() == 0)
            ++barRect.bottom;
        if (barRect.IntersectRect(barRect, rect)) {
            if (ppDockBar != nullptr)
                *ppDockBar = dock;
            return dock->m_dwStyle & dwDockStyle;
        }
    }
    return 0;
}

void CFrameWnd::DestroyDockBars() {
    // Collected first: destroying floating frames changes the list.
    std::vector<HWND> docks;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->IsDockBar())
            docks.push_back(bar->m_hWnd);
    }
    for (HWND hWnd : docks) {
        auto* dock = DYNAMIC_DOWNCAST(CDockBar, FromHandlePermanent(hWnd));
        if (dock != nullptr && dock->m_bFloating) {
            if (CFrameWnd* floating = dock->GetParentFrame())
                floating->DestroyWindow();
        }
    }
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    if (CControlBar* bar = GetControlBar(pCmdUI->m_nID)) {
        pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

// --- state ---

void CFrameWnd::GetDockState(CDockState& state) const {
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        auto* info = new CControlBarInfo;
        bar->GetBarInfo(info);
        state.m_arrBarInfo.Add(info);
    }
}

void CFrameWnd::SetDockState(const CDockState& state) {
    // First the bars each entry stands for, making the floating frames it needs.
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_bFloating) {
            CMiniDockFrameWnd* floating =
                CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            CRect rect(info->m_pointPos, CSize(10, 10));
            floating->CalcWindowRect(&rect);
            floating->SetWindowPos(nullptr, info->m_pointPos.x, info->m_pointPos.y, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            info->m_pBar = &floating->m_wndDockBar;
        } else {
            info->m_pBar = GetControlBar(info->m_nBarID);
        }
        if (info->m_pBar != nullptr)
            info->m_pBar->m_nMRUWidth = info->m_nMRUWidth;
    }
    // Then the dock bars' rows and every bar's place and visibility.
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_pBar != nullptr && info->m_pBar->IsDockBar())
            info->m_pBar->SetBarInfo(info, this);
    }
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_pBar != nullptr && !info->m_pBar->IsDockBar())
            info->m_pBar->SetBarInfo(info, this);
    }
    // Floating frames with a visible bar show; empty ones go.
    for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (info->m_pBar == nullptr || !info->m_bFloating)
            continue;
        auto* dock = static_cast<CDockBar*>(info->m_pBar);
        CFrameWnd* floating = dock->GetParentFrame();
        if (floating == nullptr)
            continue;
        if (dock->GetDockedCount() == 0) {
            floating->DestroyWindow();
        } else if (dock->GetDockedVisibleCount() > 0) {
            floating->RecalcLayout();
            floating->ShowWindow(SW_SHOWNA);
        }
    }
    DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}
