// CMiniDockFrameWnd: the small captioned window a floating bar lives in. It holds one floating
// dock bar (AFX_IDW_DOCKBAR_FLOAT) and takes the size of the bars in it. Closing it hides its
// bars; a double click on the caption docks them again.
#pragma once

#include "platform/framework/bars/DockBar.h"

class CMiniDockFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
  public:
    CMiniDockFrameWnd();

    // pParent: the frame the bars belong to (the owner); dwBarStyle CBRS_ALIGN_TOP for a
    // horizontal bar, CBRS_ALIGN_LEFT for a vertical one.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void OnClose();
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

    CDockBar m_wndDockBar{TRUE};

  protected:
    DECLARE_MESSAGE_MAP()
};
