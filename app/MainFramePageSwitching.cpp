// Page switching: one page of the view shows at a time; a switch is refused during a measurement,
// under the wait cursor, within 50 ms of the last one and on a documentation page that refuses to
// be left; one asked for while a request waits for its reply (an explicit page) is kept and made
// once the reply has come. The measure-and-diagram
// page brings its bars. Also the wait cursor (one flag, not nested) and the diagram bar's return
// after an export.
#include "app/MainFrame.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/base/Clock.h"

namespace {

constexpr int64_t kPageSwitchSpacingMs = 50;
constexpr UINT kPageWhenAnsweredRetryMs = 100;

}  // namespace

void CMainFrame::ShowPageWindow(UINT pageId, BOOL show) {
    CWnd* page = GetPageWindow(pageId);
    if (page != nullptr && page->m_hWnd != nullptr)
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL CMainFrame::CheckDocumentationBeforeLeaving() {
    if (m_nActivePage != PAGE_DOCUMENTATION)
        return TRUE;
    CDlgDocumentation* documentation = GetDocumentationPage();
    return documentation == nullptr || documentation->CanLeavePage();
}

BOOL CMainFrame::SetOperatingMode(UINT pageId) {
    // Showing the active page again leaves no page.
    if (!m_bStartUpPending && pageId != 0 && !CheckDocumentationBeforeLeaving())
        return FALSE;
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    if (measure != nullptr && measure->IsMeasuring())
        return FALSE;
    if (m_bWaitCursor)
        return FALSE;
    // An id that is no page is refused before anything is hidden.
    if (pageId != 0 && PageIndexOf(pageId) < 0)
        return FALSE;
    const int64_t now = ::kq::MonotonicMillis();
    if (m_bPageSwitched && now - m_llLastPageSwitchMs < kPageSwitchSpacingMs)
        return FALSE;
    if (pageId != 0 && m_bRequestOutstanding) {
        // Kept, not dropped: the page shows once the sensor has answered.
        m_nPageWhenAnswered = pageId;
        SetTimer(TIMER_PAGE_WHEN_ANSWERED, kPageWhenAnsweredRetryMs, nullptr);
        return FALSE;
    }
    m_nPageWhenAnswered = 0;
    m_bPageSwitched = TRUE;
    m_llLastPageSwitchMs = now;

    if (pageId == 0) {
        if (m_nActivePage < 1)
            m_nActivePage = PAGE_MEASURE_ADJUST;
        if (PageIndexOf(m_nActivePage) < 0)
            m_nActivePage = PAGE_LOGO;
        CWnd* page = GetPageWindow(m_nActivePage);
        const BOOL wasHidden = page != nullptr && !page->IsWindowVisible();
        ShowPageWindow(m_nActivePage, TRUE);
        SelectPageTreeItem();
        if (m_nActivePage == PAGE_MEASURE_DIAGRAM)
            ShowViewBar(&m_wndDiagramBar, TRUE, FALSE);
        if (m_iActivatedCount > 0)
            UpdateViewBarsForPage(m_nActivePage == PAGE_MEASURE_DIAGRAM ? 3 : 2);
        return wasHidden;
    }
    if (m_nActivePage == pageId) {
        if (pageId == PAGE_MEASURE_DIAGRAM)
            DockChannelBars();
        return TRUE;
    }
    if (m_nActivePage == 0)
        return FALSE;

    CWnd* previous = GetPageWindow(m_nActivePage);
    const BOOL wasVisible = previous != nullptr && previous->IsWindowVisible();
    ShowPageWindow(m_nActivePage, FALSE);
    if (m_nActivePage == PAGE_MEASURE_DIAGRAM) {
        ShowViewBar(&m_wndDiagramBar, FALSE, FALSE);
        UpdateViewBarsForPage(0);
    }
    m_nActivePage = pageId;
    ShowPageWindow(pageId, TRUE);
    SelectPageTreeItem();
    if (pageId == PAGE_MEASURE_DIAGRAM) {
        ShowViewBar(&m_wndDiagramBar, TRUE, FALSE);
        UpdateViewBarsForPage(1);
    }
    return wasVisible;
}

BOOL CMainFrame::StepPage(int direction) {
    return SetOperatingMode(StepPageId(m_nActivePage, direction));
}

void CMainFrame::UpdateViewBarsForPage(int mode) {
    m_iBarsForPage = mode == 1 || mode == 3 ? 1 : 0;
    ApplyViewStateToBars();
    RecalcLayout();
    RefreshChannelItems();
    RefreshTreeStates();
    if (m_nActivePage == PAGE_MEASURE_DIAGRAM && mode != 0)
        DockChannelBars();
}

void CMainFrame::DockChannelBars() {
    // Run on a page change, a re-selection of the page and a toggled channel view: the bars are
    // laid out again and those docked in one column made equally high.
    RecalcLayout();
    EqualizeChannelBarHeights();
}

BOOL CMainFrame::OnViewBarClosed(HWND hBar) {
    // A close only hides: a repeated report, or one after the frame's own hide, changes nothing.
    auto hide = [this](CControlBar& bar, int entry) {
        if (m_viewState.checkState[entry] == 1)
            m_viewState.checkState[entry] = 0;
        ShowViewBar(&bar, FALSE, FALSE);
        RefreshTreeStates();
    };
    for (int i = 0; i < 7; ++i) {
        if (i == CHANNEL_P1 || i == CHANNEL_P2 || m_wndViewBar[i].m_hWnd != hBar)
            continue;
        hide(m_wndViewBar[i], i == CHANNEL_LIGHT ? 4 : i);
        return TRUE;
    }
    if (m_wndDiagramBar.m_hWnd == hBar) {
        hide(m_wndDiagramBar, 5);
        return TRUE;
    }
    if (m_wndNaviBar.m_hWnd == hBar) {
        hide(m_wndNaviBar, 6);
        return TRUE;
    }
    return FALSE;
}

void CMainFrame::RestoreDiagramBarDocking() {
    if (m_bSuppressDiagramDocking)
        return;
    if (m_nDiagramDockBarId == AFX_IDW_DOCKBAR_FLOAT)
        FloatControlBar(&m_wndDiagramBar, m_rectDiagramFloat.TopLeft());
    else
        DockControlBar(&m_wndDiagramBar, m_nDiagramDockBarId);
    RecalcLayout();
    // Hidden again only when the export found it hidden.
    if (m_bDiagramHiddenBeforeExport) {
        ShowViewBar(&m_wndDiagramBar, FALSE, FALSE);
        m_bDiagramHiddenBeforeExport = FALSE;
    }
}

void CMainFrame::WaitCursorOn() {
    if (m_bWaitCursor)
        return;
    m_bWaitCursor = TRUE;
    BeginWaitCursor();
}

void CMainFrame::WaitCursorOff() {
    if (!m_bWaitCursor)
        return;
    m_bWaitCursor = FALSE;
    EndWaitCursor();
}

BOOL CMainFrame::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_bWaitCursor) {
        RestoreWaitCursor();
        return TRUE;
    }
    return CFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CMainFrame::ShowViewBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar != nullptr && pBar->m_hWnd != nullptr)
        ShowControlBar(pBar, bShow, bDelay);
}

void CMainFrame::ShowPageWhenAnswered() {
    const UINT page = m_nPageWhenAnswered;
    m_nPageWhenAnswered = 0;
    if (page != 0)
        SetOperatingMode(page);
}
