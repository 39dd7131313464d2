// CStatusBar: the frame's status line. A row of panes, each with the id of the command or
// indicator it shows, a style (SBPS_) and a text. The first pane shows the frame's messages
// (SetMessageText and menu prompts arrive as the bar's window text); the others are updated at
// idle time through the ON_UPDATE_COMMAND_UI handlers of their ids. A size grip in the corner
// resizes a sizable frame.
#pragma once

#include <vector>

#include "platform/framework/CmdUI.h"
#include "platform/framework/bars/ControlBar.h"

struct AFX_STATUSPANE {
    UINT nID = 0;
    UINT nStyle = SBPS_NORMAL;
    int cxText = 0;  // width of the text area in pixels
    CString strText;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
  public:
    CStatusBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane's width and first text come from the string resource of its id
    // (ID_SEPARATOR makes an empty pane, the first one stretching). FALSE when a string is
    // missing; the pane is made all the same.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the pane with that id; -1 when none.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in client coordinates (empty for a bad index).
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // The font of the panes (the status font unless set).
    void SetFont(HFONT hFont) { m_hFont = hFont; }
    HFONT GetFont() const;
    // Whether the size grip shows (a sizable, not maximised frame).
    BOOL HasSizeGrip() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);

  protected:
    // The panes' rectangles for the current client width.
    std::vector<CRect> PaneRects() const;
    int TextWidth(const CString& text) const;
    CRect GripRect() const;

    std::vector<AFX_STATUSPANE> m_panes;
    HFONT m_hFont = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Updates one pane: Enable shows or hides its text, SetCheck pops it out, SetText sets it.
class CStatusCmdUI : public CCmdUI {
  public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;

    CStatusBar* m_pStatusBar = nullptr;
};
