// The frame's smallest tracking size (taller on the diagram page) and, when asked, keeping a moved
// window inside the work area of the monitors.
#include <algorithm>

#include "app/MainFrame.h"
#include "pages/common/PageTable.h"

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    const CRect screen = GetScreenRect();
    const int height = m_nActivePage == PAGE_MEASURE_DIAGRAM ? 735 : 705;
    lpMMI->ptMinTrackSize.x = std::min(800, static_cast<int>(screen.Width()));
    lpMMI->ptMinTrackSize.y = std::min(height, static_cast<int>(screen.Height()));
}

void CMainFrame::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CFrameWnd::OnWindowPosChanging(lpwndpos);
    if (!m_bKeepInsideWorkArea || lpwndpos->flags != SWP_NOSIZE)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect moved(lpwndpos->x, lpwndpos->y, lpwndpos->x + window.Width(),
                lpwndpos->y + window.Height());
    CRect first;
    CRect second;
    const bool hasFirst = GetMonitorWorkArea(0, first);
    const bool hasSecond = GetMonitorWorkArea(1, second);
    CRect area;
    const int monitor = GetMonitorOverlapping(moved);
    if (monitor == 1 && hasSecond)
        area = second;
    else if (monitor == 0 && hasFirst)
        area = first;
    else if (hasFirst && hasSecond)
        area = GetUnionOfRects(first, second);
    else if (hasFirst)
        area = first;
    else
        return;
    int dx = 0;
    int dy = 0;
    if (moved.left < area.left)
        dx = area.left - moved.left;
    else if (moved.right > area.right)
        dx = std::max(area.right - moved.right, area.left - moved.left);
    if (moved.top < area.top)
        dy = area.top - moved.top;
    else if (moved.bottom > area.bottom)
        dy = std::max(area.bottom - moved.bottom, area.top - moved.top);
    lpwndpos->x += dx;
    lpwndpos->y += dy;
}
