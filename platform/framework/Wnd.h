// CWnd: the framework's object for a window. It wraps an HWND, receives the window's messages
// through the framework's window procedure and dispatches them through its message map.
//
// Handle maps: a CWnd attached to a window (by creating it, Attach or SubclassWindow) is its
// permanent object, found by FromHandlePermanent. FromHandle also answers for windows without
// one, with a temporary CWnd that the idle processing deletes; keep such pointers only for the
// current message. Both maps belong to the calling thread.
//
// Windows created through Create/CreateEx get every message from the first one on (WM_CREATE
// included) and PreSubclassWindow before it; windows of another class are created through a
// framework class derived from theirs for that. Do not call members through a null pointer:
// GetSafeHwnd and friends need an object.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/framework/AfxRes.h"
#include "platform/framework/CmdTarget.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/paint/Painting.h"

class CDataExchange;
class CDC;
class CFont;
class CMenu;
class CFrameWnd;
class CRgn;
class CScrollBar;
struct CCreateContext;

// RunModalLoop flags.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;

// CWnd::m_nFlags
constexpr UINT WF_TOOLTIPS = 0x0001;
constexpr UINT WF_TEMPHIDE = 0x0002;
constexpr UINT WF_STAYDISABLED = 0x0004;
constexpr UINT WF_MODALLOOP = 0x0008;
constexpr UINT WF_CONTINUEMODAL = 0x0010;
constexpr UINT WF_OLECTLCONTAINER = 0x0100;
constexpr UINT WF_STAYACTIVE = 0x0020;
constexpr UINT WF_NOPOPMSG = 0x0040;
constexpr UINT WF_MODALDISABLE = 0x0080;
constexpr UINT WF_KEEPMINIACTIVE = 0x0200;

// What a reflected WM_CTLCOLOR handler receives (through lParam).
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;  // 0 message box, 1 edit, 2 list box, 3 button, 4 dialog, 5 scroll bar, 6 static
};

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
  public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    // The owner a control bar reports instead of its parent (see GetOwner).
    HWND m_hWndOwner = nullptr;
    // The procedure the window had before the framework took it over (the class's own).
    WNDPROC m_pfnSuper = nullptr;
    UINT m_nFlags = 0;

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& other) const { return other.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& other) const { return other.m_hWnd != m_hWnd; }

    // --- handle maps ---
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes the calling thread's temporary objects (the idle processing does this).
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Called before the window is taken over: by SubclassWindow, and for windows created
    // through Create before their first message.
    virtual void PreSubclassWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual WNDPROC* GetSuperWndProcAddr();

    // --- creation and destruction ---
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    // After WM_NCDESTROY, when the window is gone; frames and views delete themselves here.
    virtual void PostNcDestroy();

    // --- messages ---
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         BOOL bDeep, BOOL bOnlyPerm);
    // The message the calling thread's framework window procedure is handling.
    static const MSG* GetCurrentMessage();
    // Passes the current message to the default procedure.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's chance to handle what it sent its parent (reflection); TRUE when it did.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Reflects the current message to the permanent object of the child that sent it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers the message to the permanent objects from its window up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // --- data exchange and command UI ---
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    // Updates each child control through the update handlers of pTarget (and the control's
    // own reflected one); buttons without a handler are disabled when asked.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // --- styles, text, ids ---
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    void SetWindowText(LPCTSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // --- dialog items ---
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // --- relations ---
    virtual BOOL IsFrameWnd() const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;
    CWnd* GetWindow(UINT nCmd) const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* GetDesktopWindow();

    // --- state and geometry ---
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void BringWindowToTop();
    // Centres over the owner (or pAlternateOwner), kept inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL IsTopParentActive() const;
    void ActivateTopParent();

    // --- layout of control bars ---
    enum RepositionFlags {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };
    // Lays out the children with ids nIDFirst..nIDLast (the bars) in the client rectangle (or
    // lpRectClient) and gives the child nIDLeftOver what is left. reposQuery only returns the
    // left-over rectangle in lpRectParam; reposExtra shrinks it further by the borders in
    // lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr,
                        BOOL bStretch = TRUE);

    // --- painting and window DCs ---
    // The DCs are temporary objects of the graphics library; give each one back with
    // ReleaseDC (or EndPaint).
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    // WM_SETREDRAW: FALSE stops the window's drawing until TRUE; the caller then invalidates.
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    // --- menu bar (top-level windows) ---
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();

    // --- focus, activation, capture ---
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // --- timers and caret ---
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // --- modal loops (dialogs) ---
    // Runs messages until EndModalLoop: whenever the queue runs dry the parent gets
    // WM_ENTERIDLE (MSGF_DIALOGBOX; not with MLF_NOIDLEMSG) and the window WM_KICKIDLE (not
    // with MLF_NOKICKIDLE); MLF_SHOWONIDLE shows a hidden window then. Messages pass the
    // application's PreTranslateMessage. Returns the result EndModalLoop gave, -1 when the loop
    // ended by WM_QUIT (which stays posted).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    int m_nModalResult = -1;

    // A message box owned by this window (see AfxMessageBox).

    // --- message handlers; each one's default passes the message to DefWindowProc ---
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCaptureChanged(CWnd* pWnd);
    void OnChildActivate();
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnEnterIdle(UINT nWhy, CWnd* pWho);
    // These reflect the message to the control that sent it before the default handling.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnParentNotify(UINT message, LPARAM lParam);
    // Owner-drawn items: a menu's go to the permanent CMenu holding the item (the menu being
    // tracked by CMenu::TrackPopupMenu, then the window's menu bar), a control's are reflected
    // to the control.
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);

  protected:
    // Objects that stand for a special handle value (wndTop and its relatives).
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

    // The message the window procedure is handling for this object (what Default passes on).
    static const MSG* CurrentMessage();

    DECLARE_MESSAGE_MAP()
};

// The framework's window procedure; windows of the framework's classes use it.
LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers one message to a CWnd the way the framework's window procedure does.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Registers (once) a window class with the framework's window procedure and returns its name,
// which stays valid for the life of the process.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Registers the class unless a class of that name exists already.
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
// Sets the text only when it differs, so controls do not flicker or send needless notifications.
void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);

// Temporary objects (FromHandle) live while the temporary maps are locked, until the matching
// unlock; AfxUnlockTempMaps deletes them when the count reaches zero.
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

#include "platform/framework/WindowThunks.h"
