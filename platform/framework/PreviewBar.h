// CPreviewBar: the button strip along the top of a frame while it shows a print preview. Each
// button sends its command to the frame (and so to the preview view, the active view); the
// buttons are enabled and labelled at idle time through the update handlers of their commands.
// The texts follow the window system's control language at creation.
#pragma once

#include <vector>

#include "platform/framework/ControlBar.h"

class CButton;

// The commands of the preview bar.
constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NUMPAGE = 0xE301;
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE303;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE304;
constexpr UINT AFX_ID_PREVIEW_ZOOMIN = 0xE305;
constexpr UINT AFX_ID_PREVIEW_ZOOMOUT = 0xE306;
// The id a frame's view carries while a preview takes the pane's place.
constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21;

class CPreviewBar : public CControlBar {
    DECLARE_DYNAMIC(CPreviewBar)
  public:
    CPreviewBar();
    ~CPreviewBar() override;

    using CControlBar::Create;
    BOOL Create(CWnd* pParentWnd, UINT nID = AFX_IDW_PREVIEW_BAR);
    // The button of a command, null for other ids.
    CButton* GetButton(UINT nID) const;
    // The text of the page-count button for the number of pages shown (1 or 2): it offers the
    // other number.
    static CString NumPageText(UINT nPagesShown);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  private:
    std::vector<CButton*> m_buttons;
};
