// The drop-down's own scroll bar: it scrolls the list box it is attached to and hands the
// mouse capture back to the drop-down window when it is done or the pointer leaves it.
#pragma once

#include "platform/framework/Framework.h"

class CDropListBox;

class CDropScrollBar : public CScrollBar {
    DECLARE_DYNAMIC(CDropScrollBar)
  public:
    CDropScrollBar() = default;
    // Range 0 .. count - 1, a page of the list's visible lines, position 0.
    void SetListBox(CDropListBox* pListBox);

  protected:
    bool LeaveIfOutside(CPoint point);

    void VScroll(UINT nSBCode, UINT nPos);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    LRESULT OnTakeCapture(WPARAM wParam, LPARAM lParam);
    LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    CDropListBox* m_pListBox = nullptr;
};
