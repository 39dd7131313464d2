// CDockBar: the strip along one side of a frame (or inside a floating frame) that holds docked
// control bars. m_arrBars lists the bars row by row: it starts with a null entry and a null entry
// ends each row, so a row is the run between two nulls. An entry below 0x10000 stands for a bar
// that is not created yet (its control id); it takes no room.
#pragma once

#include "platform/base/Arrays.h"
#include "platform/framework/bars/ControlBar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
  public:
    explicit CDockBar(BOOL bFloating = FALSE);

    // dwStyle holds the side (CBRS_ALIGN_) besides the window styles; nID is one of the
    // AFX_IDW_DOCKBAR_ ids.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Lays the rows out in the free rectangle of the frame's layout (moving the bars unless the
    // layout only asks) and returns the room they need.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The frame's first dock bar passes the idle update on to the frame's floating frames,
    // which are not among the frame's descendants.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override { return TRUE; }

    // Takes the bar from where it was. With lpRect (screen coordinates) the bar goes into the
    // row and place the rectangle's top-left corner points at; without it into a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out of its row; an emptied row disappears, an emptied floating frame closes.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1);
    // The position of the bar in m_arrBars other than nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // The bar at a position; null for a row end or a place holder.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;

    CPtrArray m_arrBars;
    BOOL m_bFloating = FALSE;

  private:
    int InsertPosition(const CRect& rect) const;
};
