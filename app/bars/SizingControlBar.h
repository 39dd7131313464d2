// A docking bar the user sizes with the mouse: one size per docking state (horizontal,
// vertical, floating) with minimums, sizing edges between the bars of a row and towards the
// frame's centre, a row length shared among the bars docked in it, and the sizes kept in the
// profile. Files: SizingBarLayout (sizes, layout requests, state), SizingBarRow (rows, their
// division and alignment, edges), SizingBarDrag (hit test and edge drags), SizingBarNcPaint.
#pragma once

#include <vector>

#include "platform/framework/Framework.h"

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)
  public:
    // The bar's own style bits: its sizing edges (recomputed on every non-client calculation),
    // edges reserved and drawn raised, and the first child window sized to the client.
    static constexpr DWORD kEdgeLeft = 0x0001;
    static constexpr DWORD kEdgeRight = 0x0002;
    static constexpr DWORD kEdgeTop = 0x0004;
    static constexpr DWORD kEdgeBottom = 0x0008;
    static constexpr DWORD kEdgeBits = 0x000F;
    static constexpr DWORD kShowEdges = 0x0010;
    static constexpr DWORD kSizeChild = 0x0020;

    CSizingControlBar() = default;

    using CControlBar::Create;
    // Keeps the bar-style bits of dwStyle as the control-bar style; the window gets the rest
    // (less the low word and the dialog frame) and clips its children.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    // The same with every size set to sizeDefault first; bHasGripper is not used.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault,
                        BOOL bHasGripper, UINT nID, DWORD dwStyle);

    // The six sizes in the section "<profile>-SCBar-<id>"; loaded sizes are raised to their
    // minimums and kept inside the virtual screen.
    virtual void LoadState(LPCTSTR lpszProfileName);
    virtual void SaveState(LPCTSTR lpszProfileName);
    // LoadState or SaveState of every bar of this family in the frame's bar list.
    static void LoadAll(LPCTSTR lpszProfileName, CFrameWnd* pFrame);
    static void SaveAll(LPCTSTR lpszProfileName, CFrameWnd* pFrame);

    DWORD GetSizingStyle() const { return m_dwSizingStyle; }
    // Only the edges-drawn and size-child bits are taken; the edge bits are the bar's own.
    void SetSizingStyle(DWORD dwStyle) { m_dwSizingStyle = dwStyle & ~kEdgeBits; }
    // The id of the dock bar the bar last sat in (59419..59423).
    UINT GetDockBarId() const { return m_nDockBarId; }
    BOOL IsFloatingId() const { return m_nDockBarId == AFX_IDW_DOCKBAR_FLOAT; }
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    BOOL IsTracking() const { return m_bTracking; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    // Nothing at idle time here; the gripper classes follow the mouse and the focus.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The visible bars of the family in this bar's row, in list order.
    std::vector<CSizingControlBar*> RowBars() const;
    // The strip of a window rectangle (screen) that is the edge of a hit code; FALSE when the
    // bar has no such edge.
    BOOL EdgeStrip(CRect window, UINT nHitTest, CRect& strip) const;

    CSize m_szHorz{200, 200};
    CSize m_szVert{200, 200};
    CSize m_szFloat{200, 200};
    CSize m_szMinHorz{33, 32};
    CSize m_szMinVert{33, 32};
    CSize m_szMinFloat{37, 32};

  protected:
    virtual void StartTracking(UINT nHitTest, CPoint point);
    virtual void StopTracking();
    // Follows the mouse (screen point) while an edge is dragged.
    virtual void TrackUpdate(CPoint point);
    // Inverts the tracking line on the frame (without full-window drag only); twice restores.
    virtual void DrawTrackingLine();
    // Draws the gripper into the off-screen non-client picture (window coordinates).
    virtual void PaintGripper(CDC* pDC, CRect rcClient);
    // Shrinks a window rectangle to the client for the dock bar's id.
    virtual void CalcClientInside(LPRECT pRect, UINT nDockBarId);
    virtual void AlignRow();

    // Divides the row's length among its bars anew; FALSE when the row was broken before this
    // bar (the framework lays out the list as it then is).
    BOOL DivideRow(int nLength);
    // Along the row and across it, in the docking state the row has.
    LONG& LengthOf(BOOL bHorz) { return bHorz ? m_szHorz.cx : m_szVert.cy; }
    LONG MinLengthOf(BOOL bHorz) const { return bHorz ? m_szMinHorz.cx : m_szMinVert.cy; }
    LONG& ThicknessOf(BOOL bHorz) { return bHorz ? m_szHorz.cy : m_szVert.cx; }
    LONG MinThicknessOf(BOOL bHorz) const { return bHorz ? m_szMinHorz.cy : m_szMinVert.cx; }
    // An edge between two bars of the row (not one that changes the row's thickness).
    BOOL IsEdgeBetweenBars(UINT nHitTest) const;
    void ReadFullDragSetting();
    // The client rectangle in window coordinates.
    CRect ClientInWindow() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnClose();

    DWORD m_dwSizingStyle = 0;
    UINT m_nTrackedEdge = 0;
    int m_nTrackLimitLow = 0;  // screen coordinates the dragged edge may reach
    int m_nTrackLimitHigh = 0;
    int m_nTrackPos = 0;     // the mouse along the drag axis at the last update
    int m_nTrackOffset = 0;  // mouse minus the edge strip's centre when the drag started
    BOOL m_bTracking = FALSE;
    BOOL m_bKeepSize = FALSE;
    BOOL m_bParentSizing = FALSE;
    BOOL m_bFullDrag = FALSE;
    UINT m_nDockBarId = AFX_IDW_DOCKBAR_RIGHT;
    int m_nEdgeWidth = 5;

    DECLARE_MESSAGE_MAP()
};
