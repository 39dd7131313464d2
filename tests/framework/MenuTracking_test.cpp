// Menus on the screen in a frame: the menu bar opened and chosen by mouse and keyboard with the
// update handlers deciding what can be chosen, the prompt of the item pointed at, pop-up menus
// of CMenu with the choice returned, and owner-drawn items measured and drawn by their CMenu.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/ui/Input.h"
#include "platform/ui/menu/MenuBar.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrTrack = 310;
constexpr UINT kNew = 10101;
constexpr UINT kPrint = 10102;
constexpr UINT kQuit = 10103;
constexpr UINT kZoom = 10110;
constexpr UINT kStart = 10120;

using Item = kq::MenuItemTemplate;
const Item kFileItems[] = {
    {"&Neu", kNew, 0, {}},
    {"&Drucken", kPrint, 0, {}},
    {"", 0, Item::Separator, {}},
    {"&Beenden", kQuit, 0, {}},
};
const Item kViewItems[] = {{"&Zoom", kZoom, 0, {}}};
const Item kBar[] = {
    {"&Datei", 0, Item::Popup, kFileItems},
    {"&Ansicht", 0, Item::Popup, kViewItems},
};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(kIdrTrack)), {kBar}}};
const kq::StringResource kStrings[] = {
    {kIdrTrack, "Tracking frame"},
    {kNew, "Legt eine neue Messung an\nNeu"},
};
const kq::ResourceBundle kBundle{kStrings, {}, kMenus, {}, {}};

class CTrackFrame : public CFrameWnd {
  public:
    std::vector<UINT> commands;
    BOOL canPrint = FALSE;
    std::deque<std::function<void()>> steps;
    std::vector<CString> promptsSeen;

    void OnNew() { commands.push_back(kNew); }
    void OnPrint() { commands.push_back(kPrint); }
    void OnZoom() { commands.push_back(kZoom); }
    void OnStart() { commands.push_back(kStart); }
    void OnUpdatePrint(CCmdUI* ui) { ui->Enable(canPrint); }
    // Each time the menu loop has nothing to do the next scripted step runs.
    void OnEnterIdle(UINT nWhy, CWnd* pWho) {
        CFrameWnd::OnEnterIdle(nWhy, pWho);
        if (nWhy != MSGF_MENU)
            return;
        if (CStatusBar* bar = DYNAMIC_DOWNCAST(CStatusBar, GetMessageBar()))
            promptsSeen.push_back(bar->GetPaneText(0));
        if (steps.empty()) {
            ::EndMenu();  // a script that ran out must not hang the test
            return;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTrackFrame, CFrameWnd)
ON_COMMAND(kNew, &CTrackFrame::OnNew)
ON_COMMAND(kPrint, &CTrackFrame::OnPrint)
ON_COMMAND(kZoom, &CTrackFrame::OnZoom)
ON_COMMAND(kStart, &CTrackFrame::OnStart)
ON_UPDATE_COMMAND_UI(kPrint, &CTrackFrame::OnUpdatePrint)
ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

// A menu whose items it draws itself.
class CDrawnMenu : public CMenu {
  public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    UINT lastState = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
        measured.push_back(mis->itemID);
        mis->itemWidth = 100;
        mis->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        drawn.push_back(dis->itemID);
        lastState = dis->itemState;
        EXPECT_EQ(reinterpret_cast<HMENU>(dis->hwndItem), m_hMenu);
        EXPECT_GE(dis->rcItem.right - dis->rcItem.left, 100);  // at least what it asked for
    }
};

class MenuTracking : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("TrackApp");
        frame_ = new CTrackFrame;
        ASSERT_TRUE(frame_->LoadFrame(kIdrTrack, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        frame_->MoveWindow(50, 50, 500, 350);
        app_->m_pMainWnd = frame_;
        ASSERT_TRUE(status_.Create(frame_));
        const UINT indicators[] = {ID_SEPARATOR};
        status_.SetIndicators(indicators, 1);
        frame_->RecalcLayout();
        frame_->SetFocus();
        Pump();
    }
    void TearDown() override {
        if (::IsWindow(frame_->m_hWnd))
            frame_->DestroyWindow();
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    static void Key(UINT vk) {
        kq::ui::InjectKey(vk, true);
        kq::ui::InjectKey(vk, false);
    }
    CPoint BarItemCentre(int index) const {
        const std::vector<RECT> items = kq::ui::MenuBarItemRects(frame_->m_hWnd);
        return CRect(items.at(static_cast<size_t>(index))).CenterPoint();
    }

    std::unique_ptr<CWinApp> app_;
    CTrackFrame* frame_ = nullptr;
    CStatusBar status_;
};

TEST_F(MenuTracking, TheKeyboardOpensTheBarAndChoosesAnItem) {
    // Alt+D opens "Datei"; its first item is highlighted; Enter chooses it.
    frame_->steps.push_back([] { Key(VK_RETURN); });
    kq::ui::InjectKey(VK_MENU, true);
    kq::ui::InjectKey('D', true, "d");
    kq::ui::InjectKey('D', false);
    kq::ui::InjectKey(VK_MENU, false);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kNew});

    // F10, Right to "Ansicht", Down opens it, Enter chooses "Zoom".
    frame_->steps.push_back([] {
        Key(VK_RIGHT);
        Key(VK_DOWN);
    });
    frame_->steps.push_back([] { Key(VK_RETURN); });
    Key(VK_F10);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, (std::vector<UINT>{kNew, kZoom}));
}

TEST_F(MenuTracking, AnItemItsUpdateHandlerDisablesCannotBeChosen) {
    // "Drucken" by its mnemonic: disabled by the update handler, so nothing happens.
    frame_->steps.push_back([] { Key('D'); });
    frame_->steps.push_back([] { Key(VK_ESCAPE); });
    frame_->steps.push_back([] { Key(VK_ESCAPE); });
    Key(VK_F10);
    Key(VK_DOWN);
    Pump();
    Pump();
    EXPECT_TRUE(frame_->commands.empty());
    HMENU file = ::GetSubMenu(::GetMenu(frame_->m_hWnd), 0);
    EXPECT_EQ(::GetMenuState(file, kPrint, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    frame_->canPrint = TRUE;
    frame_->steps.push_back([] { Key('D'); });
    Key(VK_F10);
    Key(VK_DOWN);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kPrint});
    EXPECT_EQ(::GetMenuState(file, kPrint, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MenuTracking, TheMouseOpensThePopupAndThePointedItemShowsItsPrompt) {
    const CPoint datei = BarItemCentre(0);
    frame_->steps.push_back([] { Key(VK_DOWN); });  // point at "Neu"
    frame_->steps.push_back([] { Key(VK_RETURN); });
    kq::ui::InjectMouseMove(datei);
    kq::ui::InjectMouseButton(datei, VK_LBUTTON, true);
    kq::ui::InjectMouseButton(datei, VK_LBUTTON, false);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kNew});
    // While "Neu" was highlighted the status bar showed its prompt; afterwards the idle text.
    bool prompted = false;
    for (const CString& text : frame_->promptsSeen)
        prompted |= text == "Legt eine neue Messung an";
    EXPECT_TRUE(prompted);
    app_->OnIdle(0);
    EXPECT_EQ(status_.GetPaneText(0), "Ready");
}

TEST_F(MenuTracking, AClickOffTheMenusClosesThemAndStillReachesItsButton) {
    CButton start;
    ASSERT_TRUE(start.Create("Start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                             CRect(300, 150, 400, 180), frame_, kStart));
    CRect r;
    start.GetWindowRect(&r);
    const CPoint at = r.CenterPoint();
    const CPoint datei = BarItemCentre(0);
    auto click = [](CPoint pt) {
        kq::ui::InjectMouseMove(pt);
        kq::ui::InjectMouseButton(pt, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(pt, VK_LBUTTON, false);
    };
    // With the pop-up open, and after Escape closed it with the bar still selected.
    frame_->steps.push_back([&] { click(at); });
    click(datei);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kStart});
    frame_->steps.push_back([] { Key(VK_ESCAPE); });
    frame_->steps.push_back([&] { click(at); });
    click(datei);
    Pump();
    Pump();
    EXPECT_EQ(frame_->commands, (std::vector<UINT>{kStart, kStart}));
}

TEST_F(MenuTracking, APopupMenuReturnsTheChoiceAndItsOwnerDrawnItemsAreItsOwn) {
    CDrawnMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 501, reinterpret_cast<LPCTSTR>(0x1234)));
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 502, reinterpret_cast<LPCTSTR>(0x5678)));
    frame_->steps.push_back([] {
        Key(VK_DOWN);
        Key(VK_DOWN);
    });
    frame_->steps.push_back([] { Key(VK_RETURN); });
    const UINT chosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, frame_);
    EXPECT_EQ(chosen, 502u);
    EXPECT_EQ(menu.measured, (std::vector<UINT>{501, 502}));
    ASSERT_FALSE(menu.drawn.empty());
    EXPECT_EQ(menu.drawn.back(), 502u);
    EXPECT_TRUE(menu.lastState & ODS_SELECTED);
    EXPECT_TRUE(frame_->commands.empty());  // returned, not sent

    // Without TPM_RETURNCMD the choice arrives as a command.
    frame_->steps.push_back([] {
        Key(VK_DOWN);
        Key(VK_RETURN);
    });
    CMenu plain;
    ASSERT_TRUE(plain.CreatePopupMenu());
    plain.AppendMenu(MF_STRING, kZoom, "&Zoom");
    EXPECT_TRUE(plain.TrackPopupMenu(TPM_LEFTALIGN, 120, 120, frame_));
    Pump();
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kZoom});
}

TEST_F(MenuTracking, OwnerDrawnItemsOfTheMenuBarsPopupsAreFoundThroughTheBar) {
    CMenu* bar = frame_->GetMenu();
    ASSERT_NE(bar, nullptr);
    CDrawnMenu drawn;
    ASSERT_TRUE(drawn.CreatePopupMenu());
    drawn.AppendMenu(MF_OWNERDRAW, 601, nullptr);
    ASSERT_TRUE(bar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(drawn.m_hMenu), "&Extra"));
    frame_->DrawMenuBar();
    EXPECT_EQ(CMenu::FindPopupMenuFromID(bar->m_hMenu, 601), &drawn);
    EXPECT_EQ(CMenu::FindPopupMenuFromID(bar->m_hMenu, 4711), nullptr);

    frame_->steps.push_back([] { Key(VK_ESCAPE); });
    frame_->steps.push_back([] { Key(VK_ESCAPE); });
    kq::ui::InjectKey(VK_MENU, true);
    kq::ui::InjectKey('E', true, "e");
    kq::ui::InjectKey('E', false);
    kq::ui::InjectKey(VK_MENU, false);
    Pump();
    Pump();
    EXPECT_EQ(drawn.measured, std::vector<UINT>{601});
    EXPECT_FALSE(drawn.drawn.empty());
    bar->RemoveMenu(2, MF_BYPOSITION);  // the pop-up stays with its object
}

}  // namespace
