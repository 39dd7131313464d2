// CStatusBar: the frame's status line, a bar of panes along the bottom. Each pane has a
// command id (ID_SEPARATOR for the message pane), a style and a text; the window text of the
// bar is the text of its first separator pane, which is where the frame's prompts go. Pane texts
// are updated at idle time through the update handlers of the panes' ids.
#pragma once

#include <vector>

#include "platform/framework/CmdUI.h"
#include "platform/framework/ControlBar.h"

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
  public:
    CStatusBar();
    ~CStatusBar() override;

    using CControlBar::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    using CControlBar::CreateEx;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane's width and first text come from the string resource of its id
    // (FALSE when one is missing). The first separator pane stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    // The grip in the corner, shown while the frame is sizable and not maximised; the panes
    // end where it begins.
    BOOL HasSizeGrip() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    // The size grip is the frame's bottom right corner: a press there sizes the frame.
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);

    // The least height of the bar.
    int m_nMinHeight = 0;

  protected:
    struct Pane {
        UINT nID = 0;
        int cxText = 0;  // width of the text area
        UINT nStyle = SBPS_NORMAL;
        CString strText;
        CRect rect;  // where it is, in client coordinates
    };

    // Recomputes the panes' rectangles from the bar's width.
    void LayoutPanes();
    void InvalidatePane(int nIndex);
    HFONT TextFont() const;
    int TextWidth(const CString& text) const;
    bool ValidIndex(int nIndex) const {
        return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size());
    }

    std::vector<Pane> m_panes;
    HFONT m_hFont = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Updates a status pane: Enable clears or sets SBPS_DISABLED, SetCheck pops the pane out,
// SetText sets its text.
class CStatusCmdUI : public CCmdUI {
  public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};
