// A resizable bar with a gripper strip while docked (a floating bar has its floating frame's
// caption instead) and a close button at the strip's end that hides the bar.
#pragma once

#include "app/bars/SizingControlBar.h"

class CSizingControlBarG : public CSizingControlBar {
    DECLARE_DYNAMIC(CSizingControlBarG)
  public:
    static constexpr int kGripperHeight = 12;
    static constexpr int kCloseButtonSize = 11;

    CSizingControlBarG() = default;

    virtual BOOL HasGripper() const;
    // Follows the mouse over the close button (raised, or pushed while the button is down).
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The close button's square in window coordinates.
    CRect CloseButtonRect() const;

  protected:
    void CalcClientInside(LPRECT pRect, UINT nDockBarId) override;
    void PaintGripper(CDC* pDC, CRect rcClient) override;
    // The close button: a raised or sunken edge and the close glyph.
    void PaintCloseButton(CDC* pDC);

    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);

    BOOL m_bClosePushed = FALSE;
    BOOL m_bCloseRaised = FALSE;
    CPoint m_ptCloseButton{0, 0};

    DECLARE_MESSAGE_MAP()
};
