// A resizable docking bar as the application's bars are built on the control-bar classes: one
// size per docking state with minimums, rows that share the dock bar's length, the dock-bar id
// taken from the parent on every position change, and sizes kept in the settings store. It
// records how the framework calls it, so the tests can check the order and the arguments.
#pragma once

#include <vector>

#include "framework/bars_fixture_test.h"

namespace kq::fw::test {

class SizingBar : public CControlBar {
    DECLARE_DYNAMIC(SizingBar)
  public:
    using CControlBar::Create;
    BOOL Create(LPCTSTR title, CWnd* parent, CSize size, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override;

    bool IsFloatingId() const { return dockBarId == AFX_IDW_DOCKBAR_FLOAT; }
    bool IsHorzDocked() const {
        return dockBarId == AFX_IDW_DOCKBAR_TOP || dockBarId == AFX_IDW_DOCKBAR_BOTTOM;
    }
    bool IsVertDocked() const {
        return dockBarId == AFX_IDW_DOCKBAR_LEFT || dockBarId == AFX_IDW_DOCKBAR_RIGHT;
    }
    // The visible bars of this family in the bar's row, in list order.
    std::vector<SizingBar*> RowBars() const;

    void LoadState(LPCTSTR profile);
    void SaveState(LPCTSTR profile) const;
    // What the application does with every bar of the family in the frame's bar list.
    static void LoadAll(LPCTSTR profile, CFrameWnd* frame);
    static void SaveAll(LPCTSTR profile, CFrameWnd* frame);

    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    // A docked bar's left sizing edge and a close button in its top right corner.
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);

    struct Call {
        int length;
        DWORD mode;
    };
    std::vector<Call> calls;           // CalcDynamicLayout
    std::vector<UINT> changedFlags;    // WM_WINDOWPOSCHANGED
    std::vector<CRect> layoutOffered;  // the dock bar's layout rectangle at each -1 call
    std::vector<HWND> updateTargets;   // OnUpdateCmdUI
    CSize horz{200, 200}, vert{200, 200}, floating{200, 200};
    CSize minHorz{33, 32}, minVert{33, 32}, minFloat{37, 32};
    UINT dockBarId = AFX_IDW_DOCKBAR_RIGHT;
    bool parentSizing = false;
    bool keepSize = false;
    bool firstInRow = false;  // as the last non-client calculation saw it
    bool lastInRow = false;
    // Non-client presses and releases (hit code, screen point), moves while dragging an edge
    // (screen points), and captures lost.
    std::vector<std::pair<UINT, CPoint>> ncDown, ncUp;
    std::vector<CPoint> dragMoves;
    int capturesLost = 0;
    bool tracking = false;

  protected:
    bool DivideRow(int length);
    void AlignRow();
    CSize& Current() { return IsHorzDocked() ? horz : vert; }
    const CSize& Minimum() const { return IsHorzDocked() ? minHorz : minVert; }

    DECLARE_MESSAGE_MAP()
};

}  // namespace kq::fw::test
