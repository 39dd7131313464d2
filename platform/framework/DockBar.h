// CDockBar: one side of a frame where bars dock (or the inside of a floating mini frame). It
// keeps its bars in rows: m_arrBars lists bar pointers with a null entry before the first row
// and after each row; a small number (an id) in place of a pointer marks where a bar that now
// floats was docked. Rows lie along the side; bars in a row overlap by the border width.
#pragma once

#include "platform/base/Arrays.h"
#include "platform/framework/ControlBar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
  public:
    // bFloating: the dock bar of a floating mini frame.
    explicit CDockBar(BOOL bFloating = FALSE);

    using CControlBar::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL IsDockBar() const override;
    int GetDockedCount() const;
    virtual int GetDockedVisibleCount() const;
    // The bar at a position; null for row ends and place holders.
    CControlBar* GetDockedControlBar(int nPos) const;
    // The position of a bar (or place holder) other than nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);

    // Docks the bar in the row and at the place the screen rectangle lpRect points to, or at
    // the end of a new row without one.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Docks the bar where it was docked last (its place holder), else as DockControlBar does.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // nAddPlaceHolder 1 leaves a place holder, 0 removes one too, -1 leaves place holders alone.
    // TRUE when this emptied a floating frame, which destroyed itself.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // Inserts the bar in the row the point lies in (a new row past the last); returns its place.
    int Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid);
    void ShowAll(BOOL bShow);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();

    static bool IsPlaceHolder(const void* entry) {
        return entry != nullptr && reinterpret_cast<UINT_PTR>(entry) <= 0xFFFF;
    }
    static void* PlaceHolderFor(UINT nID) { return reinterpret_cast<void*>(UINT_PTR{nID}); }

    BOOL m_bFloating;
    CPtrArray m_arrBars;
    BOOL m_bLayoutQuery = FALSE;  // laying out only to learn the size
    CRect m_rectLayout;           // the space the frame offers while it lays out

  protected:
    DECLARE_MESSAGE_MAP()
};
