// Floating frames: CMiniFrameWnd is a small tool-window frame; CMiniDockFrameWnd holds one
// floating dock bar (AFX_IDW_DOCKBAR_FLOAT) with the bars that float in it. Its caption drags
// the bar, a double-click docks it again, its sizing border resizes a dynamic bar and its close
// button hides the bars.
#pragma once

#include "platform/framework/DockBar.h"
#include "platform/framework/FrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
  public:
    CMiniFrameWnd();
    using CFrameWnd::CreateEx;
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);
    // Grows a client rectangle to the window rectangle of a mini frame of that style.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                            DWORD dwExStyle = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

  protected:
    DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
  public:
    CMiniDockFrameWnd();
    using CMiniFrameWnd::Create;
    // pParent: the frame the bars belong to; dwBarStyle: the orientation and size style.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;

    void OnClose();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

    CDockBar m_wndDockBar;

  protected:
    CControlBar* FirstBar();

    DECLARE_MESSAGE_MAP()
};
