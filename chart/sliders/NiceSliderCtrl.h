// A trackbar whose thumb jumps to where the left button goes down and then follows the mouse,
// instead of paging towards it. Movement is reported as WM_HSCROLL posted to the notify window
// (or the parent), also for vertical sliders; the keyboard stays with the trackbar.
#pragma once

#include "platform/framework/commctrl/SliderCtrl.h"

class CNiceSliderCtrl : public CSliderCtrl {
  public:
    CNiceSliderCtrl() = default;
    void SetNotifyWnd(CWnd* wnd) { m_pWndNotify = wnd; }

    bool m_bDragging = false;
    bool m_bDragChanged = false;
    CWnd* m_pWndNotify = nullptr;

  protected:
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);
    DECLARE_MESSAGE_MAP()

  private:
    // Sets the position under the point; true when it changed.
    bool SetThumb(CPoint point);
    void PostMessageToParent(UINT code);
    // Ends a drag: the release position, when it moved, is reported once.
    void FinishDrag();
};
