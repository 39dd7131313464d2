// The combo's drop-down: a top-most, resizable window on the desktop under (or above) the combo,
// holding the list of choices, its own scroll bar and a size grip. It holds the mouse capture
// (passing it to its list and scroll bar while the pointer is over them), so it sees every click,
// and a click outside or the application losing the activation closes it.
#pragma once

#include <list>

#include "controls/list/CAdvComboBox.h"

class CDropListBox;
class CDropScrollBar;

namespace kq::xlist {

// The drop-down's own font record ("MS Sans Serif" of the given height).
LOGFONT DropFontOf(int height);

}  // namespace kq::xlist

class CDropWnd : public CWnd {
    DECLARE_DYNAMIC(CDropWnd)
  public:
    static constexpr UINT kScrollBarId = 100;
    static constexpr UINT kListBoxId = 101;

    CDropWnd(CAdvComboBox* pComboParent, const std::list<AdvComboItem>& itemlist, DWORD dwACBStyle);
    ~CDropWnd() override;

    CDropListBox* GetListBox() const { return m_pListBox; }
    CDropScrollBar* GetScrollBar() const { return m_pScroll; }
    // Gives up the capture and destroys the list before the window.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  protected:
    // Height and top of the window for the combo's items and line count: below the combo when
    // enough lines fit, else above it.
    void PlaceForItems(const CREATESTRUCT& cs, int& top, int& height);
    int WidthForItems(const CREATESTRUCT& cs);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    LRESULT OnTakeCapture(WPARAM wParam, LPARAM lParam);
    LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    int m_nMaxX = 1000;
    int m_nMaxY = 1000;
    CDropListBox* m_pListBox = nullptr;
    CRect m_rcList;
    CDropScrollBar* m_pScroll = nullptr;
    CRect m_rcScroll;
    CRect m_rcSizeHandle;
    CFont m_font;
    CAdvComboBox* m_pComboParent;
    std::list<AdvComboItem> m_list;
    int m_bResizing = 0;
    CPoint m_ptLastResize;
    int m_nMouseDiffX = 0;
    int m_nMouseDiffY = 0;
    DWORD m_dwACBStyle;
};
