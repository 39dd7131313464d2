// The three kinds of view bar: a channel or light view, the diagram view, and the navigation
// tree (which is made by the main frame as the bar's child, without a view).
#pragma once

#include "app/bars/ViewBarBase.h"

class CViewBar : public CViewBarBase {
    DECLARE_DYNAMIC(CViewBar)
  public:
    CViewBar() : CViewBarBase(CSize(274, 95), CSize(274, 111), CSize(259, 93)) {
        SetMinimumSizes(m_szHorz, m_szVert, m_szFloat);
    }

  protected:
    // A channel view's controls and fonts follow the bar's client; a light view stays as it is.
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CViewBarDiagram : public CViewBarBase {
    DECLARE_DYNAMIC(CViewBarDiagram)
  public:
    CViewBarDiagram() : CViewBarBase(CSize(200, 160), CSize(200, 160), CSize(200, 160)) {
        SetMinimumSizes(m_szHorz, m_szVert, m_szFloat);
    }
    // Index 9: the floating size, and with a position the floating frame moves there (not
    // sized, not activated); the others as the base class has them.
    void SetSizeByIndex(int index, CSize size) override { SetSizeByIndex(index, size, nullptr); }
    void SetSizeByIndex(int index, CSize size, const CPoint* position);
    void SetFloatingRect(int left, int top, int right, int bottom);
    // Clicks and double clicks reach the bar (moving, docking toggle) only while this is set.
    BOOL m_bForwardClicks = FALSE;

  protected:
    // The diagram view takes the bar's client.
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CViewBarNavi : public CViewBarBase {
    DECLARE_DYNAMIC(CViewBarNavi)
  public:
    CViewBarNavi() : CViewBarBase(CSize(200, 400), CSize(200, 400), CSize(200, 400)) {
        SetMinimumSizes(CSize(50, 50), CSize(50, 50), CSize(50, 50));
    }

  protected:
    // The tree fills the bar.
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
