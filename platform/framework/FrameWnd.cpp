#include "platform/framework/FrameWnd.h"

#include "platform/base/Resource.h"
#include "platform/base/Trace.h"
#include "platform/framework/CreateContext.h"
#include "platform/framework/Document.h"
#include "platform/framework/Menu.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/detail/DefaultClasses.h"
#include "platform/framework/menu/Accelerators.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/ProgramIcon.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ENTERIDLE()
ON_WM_SETTINGCHANGE()
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::IsFrameWnd() const {
    return TRUE;
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    if (::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST) == nullptr)
        return CWnd::OnEraseBkgnd(pDC);
    // The view and the bars paint themselves; only what they leave free between them is the
    // frame's to fill, in the bars' colour (erasing all of it would make the view flicker).
    const int saved = ::SaveDC(pDC->m_hDC);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        CRect r;
        ::GetWindowRect(child, &r);
        ScreenToClient(&r);
        pDC->ExcludeClipRect(&r);
    }
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->m_hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::RestoreDC(pDC->m_hDC, saved);
    return TRUE;
}

// --- creation ---

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString full;
    if (full.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, full, 0);
    const CString title = m_strTitle;
    // The resource's menu, when it has one, is the frame's menu bar.
    LPCTSTR menuName = reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(nIDResource));
    if (kq::FindMenuTemplate(kq::ResourceName(menuName)) == nullptr)
        menuName = nullptr;
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, menuName, 0, pContext))
        return FALSE;  // the frame deleted itself
    m_hMenuDefault = ::GetMenu(m_hWnd);
    // The resource's icon, when it has one, is the program's icon on the desktop.
    kq::ui::SetProgramIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    m_hAccelTable =
        kq::fw::LoadAcceleratorTable(reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(nIDResource)));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    HMENU menu = nullptr;
    if (lpszMenuName != nullptr) {
        menu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (menu == nullptr) {
            TRACE("Warning: failed to load the menu of a frame.\n");
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    // rectDefault asks for the window system's default place and size.
    const bool defaultPlace = rect.left == CW_USEDEFAULT;
    const int x = defaultPlace ? CW_USEDEFAULT : rect.left;
    const int y = defaultPlace ? CW_USEDEFAULT : rect.top;
    const int cx = defaultPlace ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = defaultPlace ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, menu, pContext)) {
        TRACE("Warning: failed to create a frame window.\n");
        if (menu != nullptr)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = kq::fw::detail::FrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, context)) {
        TRACE("Failed to create the client pane of a frame.\n");
        return -1;
    }
    // The message bar starts with the idle message.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == nullptr)
            return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = DYNAMIC_DOWNCAST(CWnd, object);
    if (view == nullptr) {
        TRACE("Warning: the view class does not make a window.\n");
        delete object;
        return nullptr;
    }
    // A view deletes itself when its creation fails.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID,
                      pContext)) {
        TRACE("Warning: could not create a view for the frame.\n");
        return nullptr;
    }
    // The view shows the sunken edge; the frame does not need its own.
    if (view->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return view;
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}

// --- views and documents ---

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;
    if (old != nullptr)
        old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* view = nullptr;
    if (GetActiveView() == nullptr) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane != nullptr && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(pane);
            SetActiveView(view, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view != nullptr)
            view->OnActivateFrame(WA_INACTIVE, this);
        // The main window takes the show state the program was started with, once.
        int show = -1;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == this) {
            show = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(show);
        if (view != nullptr)
            view->OnActivateView(TRUE, view, view);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    auto bringToTop = [this](int show) {
        if (show != SW_HIDE && show != SW_MINIMIZE && show != SW_SHOWMINNOACTIVE &&
            show != SW_SHOWNA && show != SW_SHOWNOACTIVATE)
            ::BringWindowToTop(m_hWnd);
    };
    bringToTop(nCmdShow);
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        bringToTop(nCmdShow);
    }
}

// --- routing ---

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view (and through it the document) first, then the frame, then the
    // application.
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The frame's shortcut keys, for its own window and everything inside it.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
        return kq::fw::TranslateAcceleratorKey(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

// --- layout ---

void CFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    (void)bNotify;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The frame takes the size its bars need.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(),
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
    if (m_nShowDelay != -1) {
        const int show = m_nShowDelay;
        m_nShowDelay = -1;
        ShowWindow(show);
    }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) {
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

// --- title and status ---

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc != nullptr ? doc->GetTitle().GetString()
                                                              : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
    CString text;
    CString number;
    if (m_nWindow > 0)
        number.Format(":%d", m_nWindow);
    if (GetStyle() & FWS_PREFIXTITLE) {
        if (lpszDocName != nullptr)
            text = CString(lpszDocName) + number + " - ";
        text += m_strTitle;
    } else {
        text = m_strTitle;
        if (lpszDocName != nullptr)
            text += " - " + CString(lpszDocName) + number;
    }
    AfxSetWindowText(m_hWnd, text);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) {
    SendMessage(WM_SETMESSAGESTRING, nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    if (!kq::fw::LoadFrameworkString(nID, rMessage)) {
        TRACE("Warning: no message line prompt for id 0x%04X.\n", nID);
        rMessage.Empty();
        return;
    }
    const int lineBreak = rMessage.Find('\n');
    if (lineBreak >= 0)
        rMessage.Truncate(lineBreak);
}

CWnd* CFrameWnd::GetMessageBar() {
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT lastId = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* bar = GetMessageBar()) {
        CString message;
        LPCTSTR text = nullptr;
        if (lParam != 0) {
            text = reinterpret_cast<LPCTSTR>(lParam);
        } else if (wParam != 0) {
            UINT id = static_cast<UINT>(wParam);
            // The close prompt reads differently while a preview is shown.
            if (id == AFX_IDS_SCCLOSE && m_lpfnCloseProc != nullptr)
                id = AFX_IDS_PREVIEW_CLOSE;
            GetMessageString(id, message);
            text = message;
        }
        bar->SetWindowText(text != nullptr ? text : "");
        if (CFrameWnd* owner = bar->GetParentFrame()) {
            owner->m_nIDLastMessage = static_cast<UINT>(wParam);
            owner->m_nIDTracking = static_cast<UINT>(wParam);
        }
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return lastId;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    // A prompt chosen while tracking (a menu item) shows now.
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// --- menus ---

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    // A pop-up of the menu bar has the bar as its parent menu.
    if (HMENU bar = ::GetMenu(m_hWnd)) {
        const int count = ::GetMenuItemCount(bar);
        for (int i = 0; i < count; ++i) {
            if (::GetSubMenu(bar, i) == pPopupMenu->m_hMenu) {
                state.m_pParentMenu = CMenu::FromHandle(bar);
                break;
            }
        }
    }
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // a separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A nested pop-up follows the handler of its first item, and is never disabled.
            state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (state.m_pSubMenu == nullptr ||
                (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            // Window commands (0xF000 and up) are never disabled for want of a handler.
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update handler may have removed or added items.
        const UINT count = pPopupMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count &&
                   pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        // The menu closed: back to the idle message at once.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;  // nothing to say
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);  // window commands
    else
        m_nIDTracking = nItemID;
    m_nFlags |= WF_NOPOPMSG;
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (!(GetStyle() & WS_CHILD)) {
        const MSG* msg = GetCurrentMessage();
        SendMessageToDescendants(WM_SETTINGCHANGE, msg->wParam, msg->lParam, TRUE, TRUE);
    }
}

// --- modal state ---

namespace {

HWND ParentOrOwner(HWND hWnd) {
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

bool IsDescendant(HWND ancestor, HWND hWnd) {
    for (; hWnd != nullptr; hWnd = ParentOrOwner(hWnd)) {
        if (hWnd == ancestor)
            return true;
    }
    return false;
}

}  // namespace

void CFrameWnd::BeginModalState() {
    if (++m_cModalStack > 1)
        return;
    CWnd* top = GetTopLevelParent();
    m_disabledByModalState.clear();
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::IsWindowEnabled(hWnd) && FromHandlePermanent(hWnd) != nullptr &&
            IsDescendant(top->m_hWnd, hWnd) && ::SendMessage(hWnd, WM_DISABLEMODAL, 0, 0) == 0)
            m_disabledByModalState.push_back(hWnd);
    }
    for (HWND hWnd : m_disabledByModalState)
        ::EnableWindow(hWnd, FALSE);
}

void CFrameWnd::EndModalState() {
    if (m_cModalStack == 0 || --m_cModalStack > 0)
        return;
    for (HWND hWnd : m_disabledByModalState) {
        if (::IsWindow(hWnd))
            ::EnableWindow(hWnd, TRUE);
    }
    m_disabledByModalState.clear();
}

// --- handlers ---

void CFrameWnd::OnClose() {
    if (m_lpfnCloseProc != nullptr) {
        m_lpfnCloseProc(this);
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        if (doc == nullptr && !app->SaveAllModified())
            return;
        app->HideApplication();
        // Closing the documents destroys their frames, this one included.
        app->CloseAllDocuments(FALSE);
        if (app->m_pMainWnd == nullptr) {
            AfxPostQuitMessage(0);
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    DestroyDockBars();
    // The default menu is the one that goes with the window.
    if (m_hMenuDefault != nullptr && ::IsMenu(m_hMenuDefault) &&
        ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (CView* view = GetActiveView()) {
        // The view takes the focus unless a control of the frame took it back (one of a bar,
        // or one inside the view).
        const HWND focus = ::GetFocus();
        const bool controlHasFocus = focus != nullptr && focus != m_hWnd && focus != view->m_hWnd &&
                                     ::IsChild(m_hWnd, focus);
        if (nState != WA_INACTIVE && !bMinimized && !controlHasFocus)
            view->OnActivateView(TRUE, view, view);
        view->OnActivateFrame(nState, this);
    }
}
