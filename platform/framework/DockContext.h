// CDockContext: dragging a bar between the frame's sides and floating frames, resizing a
// floating bar, and the double-click that toggles between docked and floating. While dragging
// the bar holds the mouse capture and an outline follows the mouse: a thin one where the bar
// would dock, a thick one where it would float. Ctrl keeps it floating, Shift flips its
// orientation, Escape or the right button cancels.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/framework/ControlBar.h"

class CDockBar;

class CDockContext {
  public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // pt in screen coordinates. Both return when the drag or resize has ended.
    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    // Docks a floating bar where it was docked last, floats a docked one where it floated.
    virtual void ToggleDocking();

    void Move(CPoint pt);
    void Stretch(CPoint pt);
    void EndDrag();
    void EndResize();
    void OnKey(int nChar, BOOL bDown);
    // The sides (CBRS_ALIGN_) of the dock bar under the drag outline, 0 for none.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    BOOL Track();
    void InitLoop();
    void CancelLoop();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;
    DWORD m_dwDockStyle = 0;
    DWORD m_dwOverDockStyle = 0;
    DWORD m_dwStyle = 0;
    BOOL m_bFlip = FALSE;
    BOOL m_bForceFrame = FALSE;
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;
    // Where the bar was docked and floated last.
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    // Resizing a floating bar.
    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;

  protected:
    bool m_bTracking = false;
};
