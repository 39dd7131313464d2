#include "framework/TestApplication.h"

#include <algorithm>

#include "platform/base/Resource.h"

namespace kq::fw::testapp {
namespace {

using Item = kq::MenuItemTemplate;
const Item kFileItems[] = {
    {"&Neu\tCtrl+N", ID_FILE_NEW, 0, {}},
    {"", 0, Item::Separator, {}},
    {"&Beenden", ID_APP_EXIT, 0, {}},
};
const Item kCommandItems[] = {
    {"&Ansicht", ID_CMD_VIEW, 0, {}},     {"&Dokument", ID_CMD_DOCUMENT, 0, {}},
    {"&Rahmen", ID_CMD_FRAME, 0, {}},     {"A&pplikation", ID_CMD_APP, 0, {}},
    {"&Nirgends", ID_CMD_NOWHERE, 0, {}}, {"", 0, Item::Separator, {}},
    {"&Zählen\tF5", ID_CMD_COUNT, 0, {}},
};
const Item kBarItems[] = {
    {"&Rot", ID_BAR_RED, 0, {}},
    {"&Grün", ID_BAR_GREEN, 0, {}},
    {"&Blau", ID_BAR_BLUE, 0, {}},
    {"&Statusleiste", ID_VIEW_STATUS_BAR, 0, {}},
};
const Item kBar[] = {
    {"&Datei", 0, Item::Popup, kFileItems},
    {"&Befehle", 0, Item::Popup, kCommandItems},
    {"&Leisten", 0, Item::Popup, kBarItems},
};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(IDR_MAINFRAME)), {kBar}}};

using Accel = kq::AcceleratorEntry;
const Accel kShortcuts[] = {
    {Accel::VirtKey | Accel::Control, 'N', ID_FILE_NEW},
    {Accel::VirtKey, VK_F5, ID_CMD_COUNT},
};
const kq::AcceleratorResource kAccelerators[] = {
    {kq::ResourceName(static_cast<int>(IDR_MAINFRAME)), {kShortcuts}}};

const kq::StringResource kStrings[] = {
    {IDR_MAINFRAME, "KQ Testanwendung\nMessung"},
    {ID_CMD_VIEW, "Ein Befehl der Ansicht\nAnsicht"},
    {ID_CMD_COUNT, "Zählt in der Ansicht\nZählen"},
    {ID_INDICATOR_CLOCK, " 00:00:00 "},
    {AFX_IDS_IDLEMESSAGE, "Bereit"},
};
using Ctl = kq::ControlTemplate;
const Ctl kFormControls[] = {
    {"EDIT", "", IDC_FORM_VALUE, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0,
     4, 4, 50, 12},
    {"BUTTON", "&Tara", IDC_FORM_TARE, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 58, 4,
     40, 12},
};
const kq::DialogResource kDialogs[] = {
    {kq::ResourceName(static_cast<int>(IDD_APPFORM)),
     {WS_CHILD, 0, 0, 0, 104, 22, "", {}, {}, {}, kFormControls}},
};

const kq::ResourceBundle kBundle{kStrings, kDialogs, kMenus, kAccelerators, {}};

}  // namespace

Resources::Resources() {
    kq::InstallResources(kBundle);
}

Resources::~Resources() {
    kq::UninstallResources(kBundle);
}

std::vector<std::string>& RoutedCommands() {
    static std::vector<std::string> commands;
    return commands;
}

// --- document and view ---

IMPLEMENT_DYNCREATE(CAppDoc, CDocument)
BEGIN_MESSAGE_MAP(CAppDoc, CDocument)
ON_COMMAND(ID_CMD_DOCUMENT, &CAppDoc::OnDocumentCommand)
ON_COMMAND(ID_CMD_VIEW, &CAppDoc::OnDocumentCommand)  // the view comes first
END_MESSAGE_MAP()

void CAppDoc::OnDocumentCommand() {
    RoutedCommands().push_back("document");
}

IMPLEMENT_DYNCREATE(CAppView, CView)
BEGIN_MESSAGE_MAP(CAppView, CView)
ON_COMMAND(ID_CMD_VIEW, &CAppView::OnViewCommand)
ON_COMMAND(ID_CMD_COUNT, &CAppView::OnCount)
ON_UPDATE_COMMAND_UI(ID_CMD_COUNT, &CAppView::OnUpdateCount)
END_MESSAGE_MAP()

void CAppView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kPaper);
    CString text;
    text.Format("%d", count);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(10, 10, text);
}

void CAppView::OnViewCommand() {
    RoutedCommands().push_back("view");
}

void CAppView::OnCount() {
    ++count;
    Invalidate();
}

void CAppView::OnUpdateCount(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(count % 2);
}

IMPLEMENT_DYNCREATE(CAppForm, CFormView)
BEGIN_MESSAGE_MAP(CAppForm, CFormView)
ON_BN_CLICKED(IDC_FORM_TARE, &CAppForm::OnTare)
END_MESSAGE_MAP()

CAppForm::CAppForm() : CFormView(IDD_APPFORM) {}

void CAppForm::DoDataExchange(CDataExchange* pDX) {
    if (auto* doc = static_cast<CAppDoc*>(GetDocument()))
        DDX_Text(pDX, IDC_FORM_VALUE, doc->tare);
}

void CAppForm::OnTare() {
    if (auto* doc = static_cast<CAppDoc*>(GetDocument())) {
        ++doc->tare;
        UpdateData(FALSE);
    }
}

// --- bars ---

BOOL CColourBar::Create(CWnd* pParent, UINT nID, COLORREF colour, BOOL bDynamic) {
    m_colour = colour;
    m_dwStyle = CBRS_TOP | CBRS_BORDER_ANY | (bDynamic ? CBRS_SIZE_DYNAMIC : CBRS_SIZE_FIXED);
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), "Leiste",
                        WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
}

CSize CColourBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 && (m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        // Floating: the length asked for becomes the width (or with LM_LENGTHY the height).
        if (nLength > 0 && !(dwMode & LM_MRUWIDTH)) {
            if (dwMode & LM_LENGTHY)
                m_sizeFloat.cy = std::max(nLength, 20);
            else
                m_sizeFloat.cx = std::max(nLength, 40);
        }
        return m_sizeFloat;
    }
    return (dwMode & LM_HORZ) ? m_sizeHorz : m_sizeVert;
}

void CColourBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    ++m_updates;
}

void CColourBar::DoPaint(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_colour);
    CControlBar::DoPaint(pDC);
}

BEGIN_MESSAGE_MAP(CFormBar, CColourBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CFormBar::CreateForm(CDocument* pDoc) {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CAppForm);
    context.m_pCurrentDoc = pDoc;
    m_pInner = new CFrameWnd;
    CRect client;
    GetClientRect(&client);
    if (!m_pInner->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, nullptr, 0,
                          &context)) {
        m_pInner = nullptr;  // the frame deleted itself
        return FALSE;
    }
    m_pInner->InitialUpdateFrame(pDoc, TRUE);
    return TRUE;
}

void CFormBar::OnSize(UINT nType, int cx, int cy) {
    CColourBar::OnSize(nType, cx, cy);
    if (m_pInner != nullptr && ::IsWindow(m_pInner->m_hWnd))
        m_pInner->MoveWindow(0, 0, cx, cy);
}

// --- frame ---

IMPLEMENT_DYNCREATE(CAppFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CAppFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_ENTERIDLE()
ON_COMMAND(ID_CMD_FRAME, &CAppFrame::OnFrameCommand)
ON_COMMAND(ID_CMD_DOCUMENT, &CAppFrame::OnFrameCommand)  // the document comes first
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CLOCK, &CAppFrame::OnUpdateClock)
ON_COMMAND_EX(ID_BAR_RED, &CFrameWnd::OnBarCheck)
ON_COMMAND_EX(ID_BAR_GREEN, &CFrameWnd::OnBarCheck)
ON_COMMAND_EX(ID_BAR_BLUE, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_BAR_RED, &CFrameWnd::OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_BAR_GREEN, &CFrameWnd::OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_BAR_BLUE, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

int CAppFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CLOCK};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2))
        return -1;
    if (!m_wndRed.Create(this, ID_BAR_RED, kRed, FALSE) ||
        !m_wndGreen.Create(this, ID_BAR_GREEN, kGreen, FALSE) ||
        !m_wndBlue.Create(this, ID_BAR_BLUE, kBlue, TRUE))
        return -1;
    m_wndBlue.m_sizeHorz = m_wndBlue.m_sizeFloat = CSize(200, 40);
    m_wndBlue.m_sizeVert = CSize(170, 160);
    for (CColourBar* bar : std::initializer_list<CColourBar*>{&m_wndRed, &m_wndGreen, &m_wndBlue})
        bar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndRed, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndGreen, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndBlue, AFX_IDW_DOCKBAR_RIGHT);
    return 0;
}

void CAppFrame::OnClose() {
    SaveBarState(kBarProfile);
    CFrameWnd::OnClose();
}

void CAppFrame::OnEnterIdle(UINT nWhy, CWnd* pWho) {
    CFrameWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || !m_scriptMenus)
        return;
    if (m_menuSteps.empty()) {
        ::EndMenu();
        return;
    }
    auto step = std::move(m_menuSteps.front());
    m_menuSteps.pop_front();
    step(pWho != nullptr ? pWho->m_hWnd : nullptr);
}

void CAppFrame::OnFrameCommand() {
    RoutedCommands().push_back("frame");
}

void CAppFrame::OnUpdateClock(CCmdUI* pCmdUI) {
    pCmdUI->Enable();
    pCmdUI->SetText(m_clock);
}

// --- application ---

BEGIN_MESSAGE_MAP(CTestApplication, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
ON_COMMAND(ID_CMD_APP, &CTestApplication::OnAppCommand)
ON_COMMAND(ID_CMD_FRAME, &CTestApplication::OnAppCommand)  // the frame comes first
END_MESSAGE_MAP()

CTestApplication::CTestApplication() : CWinApp("KQ Testanwendung") {}

BOOL CTestApplication::InitInstance() {
    SetRegistryKey("KQ Test");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CAppDoc),
                                          RUNTIME_CLASS(CAppFrame), RUNTIME_CLASS(CAppView)));
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info))
        return FALSE;
    auto* frame = static_cast<CAppFrame*>(m_pMainWnd);
    if (!frame->m_wndBlue.CreateForm(frame->GetActiveDocument()))
        return FALSE;
    frame->LoadBarState(kBarProfile);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return TRUE;
}

void CTestApplication::OnAppCommand() {
    RoutedCommands().push_back("application");
}

}  // namespace kq::fw::testapp
