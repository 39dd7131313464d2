// CControlBar: a strip along an edge of a frame (status bar, dockable bar). The frame's layout
// asks each bar for its size through WM_SIZEPARENT; a dockable bar sits in one of the frame's
// dock bars or floats in a small frame of its own. Bars update their items at idle time from the
// frame's update handlers (OnUpdateCmdUI).
#pragma once

#include "platform/framework/FrameWnd.h"
#include "platform/framework/bars/BarStyles.h"

class CDC;
class CDockBar;
class CDockContext;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
  public:
    CControlBar();
    ~CControlBar() override;

    // The size of the bar when docked; with bStretch the bar fills the frame's width (bHorz) or
    // height.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // nLength -1 asks for the current size; nMode is a combination of the LM_ flags.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // The client area less the borders the bar style asks for.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void DoPaint(CDC* pDC);
    // Draws the borders of the bar style and narrows rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual BOOL IsDockBar() const { return FALSE; }

    // The sides the bar may dock at (CBRS_ALIGN_ flags); 0 forbids docking.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const;
    // Shown, or to be shown at the next idle time.
    BOOL IsVisible() const;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The frame the bar docks in (the floating frame's owner when floating).
    CFrameWnd* GetDockingFrame() const;
    // Shows or hides the bar at the next idle time.
    void DelayShow(BOOL bShow);
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CDockBar* m_pDockBar = nullptr;
    CFrameWnd* m_pDockSite = nullptr;
    CDockContext* m_pDockContext = nullptr;
    BOOL m_bAutoDelete = FALSE;
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_nMRUWidth = 32767;
    // Set while the frame only asks for sizes; nothing may move then.
    BOOL m_bLayoutQuery = FALSE;
    // The free rectangle of the layout that is asking the bar for its size.
    CRect m_rectLayout;

    enum StateFlags { delayHide = 1, delayShow = 2 };
    UINT m_nStateFlags = 0;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

  protected:
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};
