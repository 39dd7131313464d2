// CRectTracker: a rectangle the user moves and sizes with the mouse. It draws itself (border,
// hatching, resize handles), tells which part of it lies under a point, shows the matching
// cursor, and runs the tracking loop: the mouse is captured, an inverted outline follows it,
// the left button commits and Escape or the right button cancels.
//
// Handles are numbered as TrackerHit says; the rectangle is in the client coordinates of the
// window passed to Track. Copies are independent (the tracker holds no resources).
#pragma once

#include "platform/base/Geometry.h"

class CDC;
class CWnd;

class CRectTracker {
  public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;
    CRectTracker(const CRectTracker&) = default;
    CRectTracker& operator=(const CRectTracker&) = default;

    void Draw(CDC* pDC) const;
    // The rectangle with its border and handles.
    void GetTrueRect(LPRECT lpTrueRect) const;
    // Sets the cursor for the part under the mouse; TRUE when it did (call from OnSetCursor).
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Tracks from a press at point (client coordinates of pWnd). TRUE when the left button
    // was released with a changed rectangle; FALSE when cancelled or nothing was hit.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    // Spans a new rectangle from point to where the button is released.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    // The TrackerHit under point, as seen on the screen.
    int HitTest(CPoint point) const;
    // Maps a handle of the inverted rectangle to the one the user sees there.
    int NormalizeHit(int nHandle) const;

    // Draws the outline while tracking (inverted, so drawing it again removes it).
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Keeps the rectangle at least m_sizeMin while a handle moves.
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    // Bit i set when handle i is shown: middle handles only on long enough sides.
    virtual UINT GetHandleMask() const;

    static constexpr int kDefaultHandleSize = 4;

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin{kDefaultHandleSize * 2, kDefaultHandleSize * 2};
    int m_nHandleSize = kDefaultHandleSize;

  protected:
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;
    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    // The edges of m_rect that a handle moves (null where it moves none).
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy);
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;
};
