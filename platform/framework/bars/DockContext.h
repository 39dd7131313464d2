// CDockContext: moves a dockable bar with the mouse. A drag follows the mouse with a tracking
// rectangle (the bar's outline at the mouse); on release the bar docks at the side the
// rectangle touches or floats where it was dropped. A double click toggles between the last
// docked place and the last floating place.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CControlBar;
class CDockBar;
class CFrameWnd;

class CDockContext {
  public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Starts a drag at pt (screen coordinates); the mouse is captured until the button goes up
    // (the right button, or another window taking the capture, cancels).
    virtual void StartDrag(CPoint pt);
    virtual void ToggleDocking();
    // The steps of a drag, called from the captured mouse input.
    void Move(CPoint pt);
    void EndDrag();
    void CancelDrag();
    BOOL IsDragging() const { return m_bDragging; }

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    // The tracking rectangle (screen coordinates) and the dock bar under it, if any.
    CRect m_rectLast;
    CDockBar* m_pDockTarget = nullptr;
    CPoint m_ptLast;
    BOOL m_bDragging = FALSE;
    // Where the bar was last docked and last floated.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;

  private:
    HWND m_hWndTracker = nullptr;
    CPoint m_ptStart;
    // From the bar's top-left corner to its floating frame's, while it floats.
    CSize m_sizeFrameOffset;
};
