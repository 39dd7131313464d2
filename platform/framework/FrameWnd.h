// CFrameWnd: a top-level (or child) frame with a client view and control bars. It routes
// commands to the active view first, then itself, then the application; lays out its bars and
// view (RecalcLayout); shows prompts and the idle message in its message bar (the status bar,
// AFX_IDW_STATUS_BAR); and updates its title, layout and message at idle time.
#pragma once

#include "platform/base/Lists.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/Layout.h"
#include "platform/framework/Wnd.h"

class CDockBar;
class CDockState;
class CDocument;
class CMiniDockFrameWnd;
class CView;
struct CCreateContext;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
  public:
    // Default position and size for Create.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame from the resource nIDResource: the title is the first part of the
    // string nIDResource; a view of pContext's class becomes the pane AFX_IDW_PANE_FIRST.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    using CWnd::Create;
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // --- views and documents ---
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // Sends WM_INITIALUPDATE to the views and shows the frame (the application's first show
    // state for the main window).
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // -1 shows a hidden frame normally and restores a minimised one.
    virtual void ActivateFrame(int nCmdShow = -1);

    // --- layout ---
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Lays out again at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // --- title and status ---
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The prompt of a command: the string resource up to its first line break.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();

    // --- control bars and docking ---
    // Creates the dock bars of the sides in dwDockStyle (CBRS_ALIGN_ bits).
    void EnableDocking(DWORD dwDockStyle);
    // Docks at the dock bar nDockBarID (0: the side the bar's style aligns it to), in the row
    // and place of the screen rectangle lpRect, or in a new row without one.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a mini frame whose top-left corner is at point (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // bDelay: at the next layout (the idle update).
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The sides of the visible dock bar the screen rectangle touches; 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void LoadBarState(LPCTSTR lpszProfileName);
    void DestroyDockBars();
    // Commands that show and hide a bar whose id is the command (ID_VIEW_STATUS_BAR).
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    // The four dock bars' ids with the bar style of their side.
    static const DWORD dwDockBarMap[4][2];

    // --- modal state: disables this frame and the windows it owns, counted ---
    virtual void BeginModalState();
    virtual void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }

    BOOL IsFrameWnd() const override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

    // --- handlers ---
    int OnCreate(LPCREATESTRUCT lpcs);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void OnClose();
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    // With a view pane present the frame's background is covered: nothing to erase.
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Before a pop-up opens, its items take their state from the update handlers; items
    // without any handler are disabled when m_bAutoMenuEnable is set.
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // The prompt of the item the user points at shows when the menu loop idles; the idle
    // message comes back when the menu closes.
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnEnterIdle(UINT nWhy, CWnd* pWho);
    // A top-level frame passes a setting change on to all its descendants (bars in dock bars,
    // views in their frames); a child frame gets it from its top-level frame.
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

    // Idle work still to do (m_nIdleFlags).
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    CView* m_pViewActive = nullptr;
    int m_nWindow = -1;  // number shown in the title when a document has several frames
    UINT m_nIdleFlags = 0;
    BOOL m_bAutoMenuEnable = TRUE;
    CRect m_rectBorder;
    CPtrList m_listControlBars;
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    int m_nShowDelay = -1;  // a show command a floating frame carries out at its next layout
    // Set while the frame shows a print preview; the close command then ends the preview.
    void (*m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;

  protected:
    CString m_strTitle;
    BOOL m_bInRecalcLayout = FALSE;
    int m_cModalStack = 0;
    std::vector<HWND> m_disabledByModalState;

    DECLARE_MESSAGE_MAP()
};
