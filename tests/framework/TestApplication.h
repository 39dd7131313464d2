// A small application built on the framework the way the product is: a single document with
// its view in a frame that has a menu bar, a status bar with a clock pane and three docking
// bars. The tests drive it headless (and once through an X server) by its menus, keys and
// mouse, and look at what it shows.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/framework/Framework.h"

namespace kq::fw::testapp {

constexpr UINT IDR_MAINFRAME = 400;
// Commands, each handled at one place of the routing chain.
constexpr UINT ID_CMD_VIEW = 41001;
constexpr UINT ID_CMD_DOCUMENT = 41002;
constexpr UINT ID_CMD_FRAME = 41003;
constexpr UINT ID_CMD_APP = 41004;
constexpr UINT ID_CMD_NOWHERE = 41005;  // no handler: disabled
constexpr UINT ID_CMD_COUNT = 41006;    // the view counts; checked while the count is odd
// The bars: command and control id are the same, as the frame's bar toggles expect.
constexpr UINT ID_BAR_RED = 0xE820;
constexpr UINT ID_BAR_GREEN = 0xE821;
constexpr UINT ID_BAR_BLUE = 0xE822;
constexpr UINT ID_INDICATOR_CLOCK = 41100;
constexpr UINT IDD_APPFORM = 420;
constexpr int IDC_FORM_VALUE = 1100;
constexpr int IDC_FORM_TARE = 1101;

constexpr COLORREF kRed = RGB(200, 40, 40);
constexpr COLORREF kGreen = RGB(40, 160, 40);
constexpr COLORREF kBlue = RGB(40, 40, 200);
constexpr COLORREF kPaper = RGB(255, 255, 240);

// Installs the application's resources (menu, shortcut keys, strings) while it lives.
class Resources {
  public:
    Resources();
    ~Resources();
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;
};

// Where each command ended up, in order ("view", "document", "frame", "application").
std::vector<std::string>& RoutedCommands();

class CAppDoc : public CDocument {
    DECLARE_DYNCREATE(CAppDoc)
  public:
    int tare = 0;
    void OnDocumentCommand();
    DECLARE_MESSAGE_MAP()
};

class CAppView : public CView {
    DECLARE_DYNCREATE(CAppView)
  public:
    int count = 0;
    void OnDraw(CDC* pDC) override;
    void OnViewCommand();
    void OnCount();
    void OnUpdateCount(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// The form in the blue bar: the document's tare and a button that raises it.
class CAppForm : public CFormView {
    DECLARE_DYNCREATE(CAppForm)
  public:
    CAppForm();
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTare();
    DECLARE_MESSAGE_MAP()
};

// A plain bar of one colour: 160 x 28 lying, 36 x 120 standing; the blue one can be resized
// while it floats.
class CColourBar : public CControlBar {
  public:
    using CControlBar::Create;
    BOOL Create(CWnd* pParent, UINT nID, COLORREF colour, BOOL bDynamic);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    COLORREF m_colour = 0;
    CSize m_sizeFloat{160, 28};
    CSize m_sizeHorz{160, 28};
    CSize m_sizeVert{36, 120};
    int m_updates = 0;
};

// A bar that holds a frame of its own with a form view in it, as the product's view bars do.
class CFormBar : public CColourBar {
  public:
    // Makes the inner frame and its view for the document.
    BOOL CreateForm(CDocument* pDoc);
    CFrameWnd* m_pInner = nullptr;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CAppFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CAppFrame)
  public:
    CStatusBar m_wndStatusBar;
    CColourBar m_wndRed;
    CColourBar m_wndGreen;
    CFormBar m_wndBlue;
    CString m_clock = " 12:00:00 ";
    // What a test does each time an open menu waits for input (given the pop-up window, null
    // while only the bar is highlighted); with none left the menu is closed.
    std::deque<std::function<void(HWND popup)>> m_menuSteps;
    BOOL m_scriptMenus = FALSE;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnEnterIdle(UINT nWhy, CWnd* pWho);
    void OnClose();
    void OnFrameCommand();
    void OnUpdateClock(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CTestApplication : public CWinApp {
  public:
    CTestApplication();
    BOOL InitInstance() override;
    void OnAppCommand();
    DECLARE_MESSAGE_MAP()
};

// The bar state's profile name.
constexpr const char* kBarProfile = "Bars";

}  // namespace kq::fw::testapp
