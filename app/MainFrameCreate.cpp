// The frame's construction and creation: the engine is wired to the frame's ports, timers and
// pages; OnCreate reads the first settings and builds the status bar, the view bars and the
// navigation tree, docks them and starts the clock. The windows then register one by one, and
// the last awaited registration completes the start-up: texts, layout, the end of the pending
// state, the page to show, the main port and the start-up search window.

#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "app/bars/ViewBarFloatFrame.h"
#include "app/sensorlink/ComPortManager.h"
#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"
#include "app/views/CAFormLight.h"
#include "foundation/DiagnosticTrace.h"
#include "foundation/Language.h"
#include "foundation/SharedConstants.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/CDlgSaveMwMessage.h"
#include "pages/measurement/CDlgTKBk.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "platform/base/Registry.h"
#include "platform/base/Time.h"
#include "platform/framework/CreateContext.h"
#include "platform/framework/DockBar.h"
#include "platform/framework/DockState.h"
#include "res/TextIds.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/ChanState.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

namespace {

CMainFrame* g_mainFrame = nullptr;

constexpr const char* kBarStateSection = "AllViewState\\BarState\\ViewBar";

// Whether the pointer is the object of a window that exists now. The pointer is compared, never
// followed, so a registration posted by a window that has gone since is safe to drop.
struct LiveWindowSearch {
    const CWnd* wanted;
    bool found;
};

BOOL CALLBACK FindLiveChild(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<LiveWindowSearch*>(data);
    if (CWnd::FromHandlePermanent(hwnd) == search->wanted) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindLiveWindow(HWND hwnd, LPARAM data) {
    FindLiveChild(hwnd, data);
    auto* search = reinterpret_cast<LiveWindowSearch*>(data);
    if (!search->found)
        ::EnumChildWindows(hwnd, FindLiveChild, data);
    return search->found ? FALSE : TRUE;
}

bool IsLiveWindowObject(const CWnd* window) {
    LiveWindowSearch search{window, false};
    ::EnumWindows(FindLiveWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::function<std::unique_ptr<ISensorPortProvider>()> CMainFrame::s_portProviderFactory = [] {
    return std::unique_ptr<ISensorPortProvider>(std::make_unique<CComPortProvider>());
};

CMainFrame* GetMainFrame() {
    return g_mainFrame;
}

BOOL OfferToShortcutKeys(MSG* pMsg) {
    return g_mainFrame != nullptr && g_mainFrame->HandleShortcutKeys(pMsg);
}

void PostFormRegistration(CWnd* view, UINT code) {
    CWnd* target = g_mainFrame != nullptr ? static_cast<CWnd*>(g_mainFrame) : AfxGetMainWnd();
    if (target != nullptr && target->m_hWnd != nullptr)
        target->PostMessage(code, reinterpret_cast<WPARAM>(view), kFormViewRegistration);
}

CMainFrame::CMainFrame() {
    for (int i = 0; i < COM_CHANNELS; ++i)
        ResetChannelRecord(i);
    m_closeSequence = std::make_unique<CSensorConfigSequence>(this);
    g_mainFrame = this;
    SetPageHost(this);
}

CMainFrame::~CMainFrame() {
    m_closeSequence.reset();
    delete m_measurement.EditFiles().m_pConvertThread.get();
    if (g_mainFrame == this)
        g_mainFrame = nullptr;
    if (GetPageHost() == this)
        SetPageHost(nullptr);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW;
    return TRUE;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    if (HandleShortcutKeys(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::DestroyWindow() {
    if (!m_bCloseWithoutSaving)
        SaveSettings();
    if (CKq7View* view = GetView())
        view->DestroyPages();
    return CFrameWnd::DestroyWindow();
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    m_windows.Fill(WindowSlot::Application, AfxGetApp());
    m_pPortProvider = s_portProviderFactory();
    if (m_pPortProvider == nullptr)
        return -1;  // without ports the sensor dialogue cannot work
    m_pWindowTimers = std::make_unique<CComPortWindowTimers>(m_hWnd);
    COM_SetInterfaces(m_pPortProvider.get(), m_pWindowTimers.get(), this);
    COM_SetOwnerWindow(m_hWnd);
    COM_SetFrameCounterCheck(TRUE);
    m_measurement.EditFiles().m_pConvertThread =
        new CThreadedConvertFile(m_hWnd, WM_CONVERSION_NOTIFY);
    m_bStoredVersionIsCurrent =
        AfxGetApp()->GetProfileString("DespiteReset", "ApplicationVersion", "") == kSettingsVersion;
    ReadSettings();

    CString folder;
    if (CreateLocalAppDataFolder(this, "Brevan", folder)) {
        m_measurement.EditFiles().m_strDiagramBitmap = folder + "/TEMP_DIAGRAM.bmp";
        m_measurement.EditFiles().m_strPrintLogoBitmap = folder + "/Brevn_TEMP.bmp";
        if (!FileExists(m_measurement.Files().m_strPrintLogoBitmap)) {
            CBitmap logo;
            if (logo.LoadBitmap(1287))
                WriteBitmapFile(this, static_cast<HBITMAP>(logo.GetSafeHandle()),
                                m_measurement.Files().m_strPrintLogoBitmap);
        }
    }

    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, PANE_WEEKDAY, PANE_DATE, PANE_TIME};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    ShowClockPanesNow();
    if (!CreateBars(static_cast<CCreateContext*>(lpcs->lpCreateParams)))
        return -1;
    DockBarsByDefault();
    m_wndTree.SetClickCallback(&CMainFrame::OnTreeCallback, this);
    m_llCurrentTime = CTime::GetCurrentTime().GetTime();
    for (UINT pane : {PANE_TIME, PANE_DATE, PANE_WEEKDAY})
        SetTimer(pane, 1000, nullptr);
    return 0;
}

BOOL CMainFrame::CreateBars(CCreateContext* frameContext) {
    static CRuntimeClass* const channelViews[6] = {
        RUNTIME_CLASS(CAFormChannelA),  RUNTIME_CLASS(CAFormChannelB),
        RUNTIME_CLASS(CAFormChannelC),  RUNTIME_CLASS(CAFormChannelD),
        RUNTIME_CLASS(CAFormChannelP1), RUNTIME_CLASS(CAFormChannelP2)};
    // The bars' views share the frame's context but not its document: the document's own view
    // is the page host alone.
    CCreateContext context;
    if (frameContext != nullptr)
        context = *frameContext;
    context.m_pCurrentDoc = nullptr;
    context.m_pCurrentFrame = this;
    for (int i = 0; i < 6; ++i) {
        CString caption;
        if (i < 4)
            caption.Format("%s %d", GetLanguageString(IDS_CHANNEL).GetString(), i + 1);
        else
            caption.Format("%s %d", GetLanguageString(IDS_QUANTITY_POWER).GetString(), i - 3);
        if (!m_wndViewBar[i].Create(caption, channelViews[i], &context, this,
                                    110 + static_cast<UINT>(i), WS_CHILD | WS_VISIBLE | CBRS_TOP))
            return FALSE;
    }
    if (!m_wndViewBar[CHANNEL_LIGHT].Create(GetLanguageString(IDS_OK_NOK_DISPLAY),
                                            RUNTIME_CLASS(CAFormLight), &context, this, 119,
                                            WS_CHILD | CBRS_TOP))
        return FALSE;
    // The diagram and navigation bars draw their sizing edges and size their one child.
    constexpr DWORD kEdgesAndChild = CSizingControlBar::kShowEdges | CSizingControlBar::kSizeChild;
    if (!m_wndDiagramBar.Create(GetLanguageString(IDS_DIAGRAM), RUNTIME_CLASS(CAFormDiagram),
                                &context, this, 185, WS_CHILD | WS_VISIBLE | CBRS_TOP))
        return FALSE;
    m_wndDiagramBar.SetSizingStyle(m_wndDiagramBar.GetSizingStyle() | kEdgesAndChild);
    if (!m_wndNaviBar.Create(GetLanguageString(IDS_NAVIGATION_BAR), nullptr, nullptr, this, 121,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP))
        return FALSE;
    m_wndNaviBar.SetSizingStyle(m_wndNaviBar.GetSizingStyle() | kEdgesAndChild);
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_TRACKSELECT,
                          CRect(0, 0, 0, 0), &m_wndNaviBar, 10000))
        return FALSE;
    if (CToolTipCtrl* tips = m_wndTree.GetToolTips())
        tips->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_wndTree.m_pStatusOwner = this;
    return BuildNavigationTree();
}

void CMainFrame::DockBarsByDefault() {
    for (CViewBar& bar : m_wndViewBar) {
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        bar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    }
    m_wndDiagramBar.SetBarStyle(m_wndDiagramBar.GetBarStyle() | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndDiagramBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    m_wndNaviBar.SetBarStyle(m_wndNaviBar.GetBarStyle() | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndNaviBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EnableDocking(CBRS_ALIGN_ANY);
    // A bar the user closes in its floating frame reports the close like its caption button.
    m_pFloatingFrameClass = RUNTIME_CLASS(CViewBarFloatFrame);
    RecalcLayout();

    DockControlBar(&m_wndViewBar[0], AFX_IDW_DOCKBAR_RIGHT);
    for (int i = 1; i < 7; ++i) {
        RecalcLayout();
        CRect rect;
        m_wndViewBar[i - 1].GetWindowRect(&rect);
        rect.OffsetRect(0, 1);
        DockControlBar(&m_wndViewBar[i], AFX_IDW_DOCKBAR_RIGHT, &rect);
    }
    DockControlBar(&m_wndNaviBar, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndDiagramBar, AFX_IDW_DOCKBAR_BOTTOM);
    JoinChannelColumn();
    ShowViewBar(&m_wndDiagramBar, FALSE, FALSE);
}

void CMainFrame::JoinChannelColumn() {
    // While the bars dock one by one, those not yet docked lie along the frame's top and leave
    // the right side too short, so its layout wraps the channel bars into columns of their own.
    // They belong in one column: the row ends between them are dropped.
    CDockBar* dock = m_wndViewBar[0].m_pDockBar;
    if (dock == nullptr)
        return;
    const int first = dock->FindBar(&m_wndViewBar[0]);
    const int last = dock->FindBar(&m_wndViewBar[CHANNEL_LIGHT]);
    if (first < 0 || last < first)
        return;
    for (int pos = last - 1; pos > first; --pos) {
        if (dock->m_arrBars[pos] == nullptr)
            dock->m_arrBars.RemoveAt(pos);
    }
    RecalcLayout();
}

// ---- Registrations ---------------------------------------------------------------------------

LRESULT CMainFrame::OnRegisterMessage(WPARAM wParam, LPARAM lParam) {
    const UINT code = GetCurrentMessage()->message;
    auto* window = reinterpret_cast<CWnd*>(wParam);
    // A registration posted by a window that has gone since is dropped.
    if (!IsLiveWindowObject(window)) {
        WriteDiagnosticTrace("Registration of a window that no longer exists dropped");
        return 0;
    }
    OnRegisterWindow(wParam, lParam, code);
    return 0;
}

LRESULT CMainFrame::RegisterWindow(CWnd* window, LPARAM lParam, UINT code) {
    return OnRegisterWindow(reinterpret_cast<WPARAM>(window), lParam, code);
}

LRESULT CMainFrame::OnRegisterWindow(WPARAM wParam, LPARAM lParam, UINT code) {
    (void)lParam;
    auto* window = reinterpret_cast<CWnd*>(wParam);
    const bool isSaveNotice =
        window != nullptr && window->IsKindOf(RUNTIME_CLASS(CDlgSaveMwMessage));
    const std::optional<WindowSlot> slot = CWindowTable::SlotOfCode(code, isSaveNotice);
    if (!slot || *slot == WindowSlot::Application)
        return 0;
    m_windows.Fill(*slot, window);
    if (!m_bStartUpPending || m_bStartUpComplete || !m_windows.AllAwaitedFilled())
        return 0;
    CompleteStartUp();
    return 1;
}

void CMainFrame::UnregisterWindow(CWnd* window) {
    m_windows.Clear(window);
}

void CMainFrame::CompleteStartUp() {
    m_bStartUpComplete = TRUE;
    UpdateChannelFormButtonTexts();
    if (!VerifyBarState(kBarStateSection)) {
        // A layout naming a bar the frame lacks would keep the program hidden on every start.
        WriteDiagnosticTrace("Stored bar layout names a missing bar: default docking kept");
        DropStoredBarLayout(kBarStateSection);
    }
    ReadStartupSettings();
    UpdateMenuTexts(TRUE);
    if (!RefreshPagesForLanguage())
        WriteDiagnosticTrace("A page did not take all of its texts");
    // The start-up ends before the page restored is shown: a page shown while it is pending skips
    // its show handling, and the page shown at start would lack it (the measure page its button
    // timer: Start and Trigger stayed grey) until it was left and shown again.
    m_bStartUpPending = FALSE;
    SetOperatingMode(0);
    // The measure page restored brings its bars as a switch to it does (the view menu's channel
    // and diagram items are offered with them).
    if (m_nActivePage == PAGE_MEASURE_DIAGRAM && m_iBarsForPage == 0)
        UpdateViewBarsForPage(1);
    ShowStatusMessage(IDS_STATUS_DISCONNECTED);
    m_bKeepInsideWorkArea = TRUE;
    COM_CreateMainPortManager(m_hWnd);
    if (m_bFirstSearchAhead && m_dlgStartUp.m_hWnd == nullptr) {
        if (m_dlgStartUp.Create(CDlgStartUp::IDD, nullptr))
            m_dlgStartUp.ShowWindow(SW_SHOW);
    }
}

BOOL CMainFrame::VerifyBarState(LPCTSTR lpszProfileName) {
    CDockState state;
    state.LoadState(lpszProfileName);
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        for (INT_PTR j = 0; j < info->m_arrBarID.GetSize(); ++j) {
            const auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(info->m_arrBarID[j]));
            if (id != 0 && GetControlBar(id % 0x10000) == nullptr)
                return FALSE;
        }
        if (!info->m_bDockBar && GetControlBar(info->m_nBarID) == nullptr)
            return FALSE;
    }
    return TRUE;
}

void CMainFrame::DropStoredBarLayout(LPCTSTR lpszProfileName) {
    HKEY appKey = AfxGetApp()->GetAppRegistryKey();
    if (appKey == nullptr)
        return;
    // The framework's sections and the bars' sizes all start with the profile's last part.
    CString parent(lpszProfileName);
    const int cut = parent.ReverseFind('\\');
    const CString stem = parent.Mid(cut + 1);
    parent = parent.Left(cut);
    HKEY parentKey = nullptr;
    if (::RegOpenKeyEx(appKey, parent, 0, KEY_ALL_ACCESS, &parentKey) == ERROR_SUCCESS) {
        CStringArray doomed;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof(name);
            if (::RegEnumKeyEx(parentKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (CString(name).Find(stem) == 0)
                doomed.Add(name);
        }
        for (INT_PTR i = 0; i < doomed.GetSize(); ++i)
            ::RegDeleteTree(parentKey, doomed[i]);
        ::RegCloseKey(parentKey);
    }
    ::RegCloseKey(appKey);
}

BOOL CMainFrame::RefreshPagesForLanguage() {
    if (CKq7View* view = GetView()) {
        CRect client;
        view->GetClientRect(&client);
        view->LayoutPages(client.Width(), client.Height());
    }
    BOOL all = TRUE;
    CDlgSensorConnection* connection = GetConnectionPage();
    all &= connection != nullptr && connection->SetLanguageTexts();
    all &= GetInformationPage() != nullptr && GetInformationPage()->Refill(0);
    all &= GetMeasureAdjustPage() != nullptr && GetMeasureAdjustPage()->SetLanguageTexts();
    all &= GetDocumentationPage() != nullptr && GetDocumentationPage()->SetLanguageTexts();
    all &= GetCalibrationPage() != nullptr && GetCalibrationPage()->SetLanguageTexts();
    all &= GetMeasureDiagramPage() != nullptr && GetMeasureDiagramPage()->SetLanguageTexts();
    all &= GetDiagnosticPage() != nullptr && GetDiagnosticPage()->SetLanguageTexts();
    if (connection != nullptr)
        connection->LayoutControls();
    return all;
}

void CMainFrame::ApplyViewStateToBars() {
    const BOOL barsAllowed = m_iBarsForPage == 1;
    for (int i = 0; i < 7; ++i) {
        CViewBar& bar = m_wndViewBar[i];
        if (bar.m_hWnd == nullptr)
            continue;
        const bool power = i == CHANNEL_P1 || i == CHANNEL_P2;
        const int choice = i == CHANNEL_LIGHT ? m_viewState.checkState[4]
                           : power            ? 0
                                              : m_viewState.checkState[i];
        const BOOL powerShown = power && ChanState_IsPowerViewShown(i - CHANNEL_P1, FALSE);
        if (bar.IsVisible()) {
            if (!barsAllowed)
                ShowViewBar(&bar, FALSE, FALSE);
            else if (power)
                ShowViewBar(&bar, powerShown, FALSE);
            else if (choice == 0 || choice == 3)
                ShowViewBar(&bar, FALSE, FALSE);
            else if (choice == 2)
                ShowViewBar(&bar, !bar.IsVisible(), FALSE);
        } else if (barsAllowed) {
            if (power) {
                ShowViewBar(&bar, ChanState_IsPowerViewShown(i - CHANNEL_P1, TRUE), FALSE);
            } else if (i == CHANNEL_LIGHT) {
                CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
                ShowViewBar(
                    &bar, m_hOwnerWnd != nullptr && adjust != nullptr && !adjust->CheckIoNioMode(0),
                    FALSE);
            } else if (choice == 1) {
                ShowViewBar(&bar, TRUE, FALSE);
            }
        }
    }
    if (m_wndDiagramBar.IsVisible()) {
        if (!barsAllowed || m_viewState.checkState[5] == 0)
            ShowViewBar(&m_wndDiagramBar, FALSE, FALSE);
    } else if (barsAllowed && m_viewState.checkState[5] == 1) {
        ShowViewBar(&m_wndDiagramBar, TRUE, FALSE);
    }
    struct Plain {
        CControlBar* bar;
        int entry;
    };
    for (Plain plain : {Plain{&m_wndNaviBar, 6}, Plain{&m_wndStatusBar, 7}}) {
        int& state = m_viewState.checkState[plain.entry];
        if (plain.bar->IsVisible() && state == 0)
            ShowViewBar(plain.bar, FALSE, FALSE);
        if (state != 0 && state != 1)
            state = 1;
    }
}

// ---- The registered windows ------------------------------------------------------------------

CWnd* CMainFrame::GetRegisteredWindow(WindowSlot slot) const {
    return static_cast<CWnd*>(m_windows.Get(slot));
}

CKq7View* CMainFrame::GetView() const {
    return static_cast<CKq7View*>(GetRegisteredWindow(WindowSlot::View));
}

CAFormChannelX* CMainFrame::GetChannelView(int channel) const {
    if (channel < 0 || channel > 5)
        return nullptr;
    return static_cast<CAFormChannelX*>(GetRegisteredWindow(
        static_cast<WindowSlot>(static_cast<int>(WindowSlot::ChannelA) + channel)));
}

CAFormDiagram* CMainFrame::GetDiagramView() const {
    return static_cast<CAFormDiagram*>(GetRegisteredWindow(WindowSlot::Diagram));
}

CDlgTKBk* CMainFrame::GetLogoPage() const {
    return static_cast<CDlgTKBk*>(GetRegisteredWindow(WindowSlot::LogoPage));
}

CDlgSensorConnection* CMainFrame::GetConnectionPage() const {
    return static_cast<CDlgSensorConnection*>(GetRegisteredWindow(WindowSlot::ConnectionPage));
}

CDlgSensorInformationPkr* CMainFrame::GetInformationPage() const {
    return static_cast<CDlgSensorInformationPkr*>(GetRegisteredWindow(WindowSlot::InformationPage));
}

CDlgMeasureAdjust* CMainFrame::GetMeasureAdjustPage() const {
    return static_cast<CDlgMeasureAdjust*>(GetRegisteredWindow(WindowSlot::MeasureAdjustPage));
}

CDlgDocumentation* CMainFrame::GetDocumentationPage() const {
    return static_cast<CDlgDocumentation*>(GetRegisteredWindow(WindowSlot::DocumentationPage));
}

CDlgSensorCalibration* CMainFrame::GetCalibrationPage() const {
    return static_cast<CDlgSensorCalibration*>(GetRegisteredWindow(WindowSlot::CalibrationPage));
}

CDlgMeasureDiagram* CMainFrame::GetMeasureDiagramPage() const {
    return static_cast<CDlgMeasureDiagram*>(GetRegisteredWindow(WindowSlot::MeasureDiagramPage));
}

CDlgDiagnostic* CMainFrame::GetDiagnosticPage() const {
    return static_cast<CDlgDiagnostic*>(GetRegisteredWindow(WindowSlot::DiagnosticPage));
}

IBrowseDocumentationPage* CMainFrame::BrowseDocumentationPage() {
    return GetDocumentationPage();
}

IBrowseMeasureAdjustPage* CMainFrame::BrowseMeasureAdjustPage() {
    return GetMeasureAdjustPage();
}

CWnd* CMainFrame::GetPageWindow(UINT pageId) const {
    const int index = PageIndexOf(pageId);
    if (index < 0)
        return nullptr;
    return GetRegisteredWindow(
        static_cast<WindowSlot>(static_cast<int>(WindowSlot::LogoPage) + index));
}
