// The resizable bar of the main window: its gripper is a caption with the bar's title, shown
// active while the keyboard focus is inside the bar; a user's close (caption button, or the
// floating frame's close box) keeps the frame's menu and view settings in step; and a channel
// bar lays out the seven controls of its channel view with fonts sized to its client.
// Files: SizingBarCaption (caption, active state), SizingBarCloseReaction, SizingBarViewLayout.
#pragma once

#include "app/bars/ChannelViewFonts.h"
#include "app/bars/SizingControlBarG.h"

class CMainFrame;

class CSizingControlBarCF : public CSizingControlBarG {
    DECLARE_DYNAMIC(CSizingControlBarCF)
  public:
    CSizingControlBarCF();

    // Hover of the close button, then whether the focus is inside the bar.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsActiveCaption() const { return m_bActive; }
    // "Tahoma" when the system has that family, else "Arial".
    const CString& GetCaptionFace() const { return m_strCaptionFace; }
    const ChannelViewPlacer& GetPlacer() const { return m_placer; }
    // The face the captions take with or without "Tahoma" on the system.
    static CString ChooseCaptionFace(bool tahomaPresent);

  protected:
    void PaintGripper(CDC* pDC, CRect rcClient) override;
    // The main frame, found once the application has one; null before.
    CMainFrame* FindMainFrame();
    // The frame is known, the bar initialised and the frame's start-up complete.
    bool FrameReady();
    // Places the hosted channel view's controls, or hands the diagram bar's client to the
    // diagram view; other bars are left alone.
    void LayoutHostedView();

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    BOOL m_bActive = FALSE;
    CString m_strCaptionFace;
    BOOL m_bNotInitialised = TRUE;
    CMainFrame* m_pMainFrame = nullptr;
    ChannelViewPlacer m_placer;
    CRect m_rectLastLayout{0, 0, -1, -1};  // the client last laid out

    DECLARE_MESSAGE_MAP()
};
