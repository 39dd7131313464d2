// CControlBar: a strip along an edge of a frame (status bar, docking bars). The frame's layout
// (RepositionBars) asks each bar for its size through WM_SIZEPARENT; a dockable bar lives in one
// of the frame's dock bars or in a floating mini frame and can be dragged between them
// (CDockContext). Bars forward the notifications of their children to their owner and update
// their items at idle time through the owner's update handlers.
#pragma once

#include "platform/framework/Layout.h"
#include "platform/framework/Wnd.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles (CControlBar::m_dwStyle; passed in the low word of the window style at creation).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0x00000000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Requests of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;   // stretch to the whole free length
constexpr DWORD LM_HORZ = 0x02;      // horizontal (else vertical)
constexpr DWORD LM_MRUWIDTH = 0x04;  // the most recently used width (floating)
constexpr DWORD LM_HORZDOCK = 0x08;  // docked horizontally
constexpr DWORD LM_VERTDOCK = 0x10;  // docked vertically
constexpr DWORD LM_LENGTHY = 0x20;   // nLength is the height, not the width
constexpr DWORD LM_COMMIT = 0x40;    // remember the size as the floating size

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
  public:
    CControlBar();
    ~CControlBar() override;

    // --- attributes ---
    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    int GetCount() const { return m_nCount; }
    // The frame the bar is docked in (its floating mini frame's frame when floating).
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    // Lying along its side (docked at the top or bottom, or floating horizontally).
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    virtual BOOL IsDockBar() const;
    // Visible, or about to be shown by a delayed show.
    virtual BOOL IsVisible() const;

    // --- docking ---
    // dwDockStyle: the CBRS_ALIGN_ sides it may dock at (and CBRS_FLOAT_MULTI).
    void EnableDocking(DWORD dwDockStyle);

    // --- layout ---
    // The size of a docked bar; stretched bars take 32767 along their length.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // nLength -1 while the frame lays out; LM_ flags in nMode.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Shrinks an empty rectangle by the bar's borders, gripper and edges.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Shows or hides at the next layout.
    virtual void DelayShow(BOOL bShow);
    // Carries out a delayed show or hide in a layout; returns the bar's style as it will be.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // --- state ---
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // --- command UI ---
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // --- drawing ---
    // Draws the CBRS_BORDER_ edges and shrinks rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual void DoPaint(CDC* pDC);
    // Borders, background and gripper of the non-client area.
    void EraseNonClient();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;
    BOOL m_bAutoDelete = FALSE;
    int m_nCount = 0;
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;      // CBRS_ bar styles
    DWORD m_dwDockStyle = 0;  // sides it may dock at
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;

  protected:
    DECLARE_MESSAGE_MAP()
};

namespace kq::fw {

// Thickness of a bar's border edges.
constexpr int kBarBorder = 2;
// The gripper strip of a docked CBRS_GRIPPER bar: border, grip, border.
constexpr int kGripperSpace = 2 + 3 + 2;

}  // namespace kq::fw
