// The owner-drawn menu as the main window uses it: a frame that loads it as its menu bar and
// forwards WM_MEASUREITEM, WM_MENUCHAR and WM_INITMENUPOPUP, opened by keys and the mouse.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "controls/menu/BCMenu.h"
#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Input.h"
#include "platform/ui/menu/MenuBar.h"
#include "platform/ui/paint/Screenshot.h"

namespace {

using kq::fw::test::FrameworkTest;
using Item = kq::MenuItemTemplate;

constexpr UINT kIdrFrame = 120;
constexpr UINT kSave = 10001, kDevices = 10005, kInfo = 10006, kDigital = 10011, kLanguage = 10019;

const Item kConfigItems[] = {
    {"&Geräte", kDevices, 0, {}},
    {"&Information", kInfo, 0, {}},
};
const Item kModeItems[] = {
    {"&Konfiguration", 0, Item::Popup, kConfigItems},
    {"&Ändern", kLanguage, 0, {}},
    {"Fish && &chips", kDigital, 0, {}},
};
const Item kFileItems[] = {{"&Speichern\tStrg+S", kSave, 0, {}}};
const Item kBar[] = {
    {"&Datei", 0, Item::Popup, kFileItems},
    {"&Betriebsart", 0, Item::Popup, kModeItems},
};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(kIdrFrame)), {kBar}}};
const kq::StringResource kStrings[] = {{kIdrFrame, "Frame"}};
const kq::ResourceBundle kBundle{kStrings, {}, kMenus, {}, {}};

class CMenuFrame : public CFrameWnd {
  public:
    BCMenu menu;
    std::deque<std::function<void(HWND)>> steps;
    std::vector<UINT> commands;
    std::vector<UINT> measuredIds;
    std::vector<LRESULT> menuChars;
    BOOL saved = FALSE;

    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
        measuredIds.push_back(mis->itemID);
        HMENU handle = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(mis->itemID));
        if (mis->CtlType == ODT_MENU && ::IsMenu(handle) &&
            BCMenu::IsRegisteredMenu(CMenu::FromHandle(handle))) {
            menu.MeasureItem(mis);
            return;
        }
        CFrameWnd::OnMeasureItem(id, mis);
    }
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
        LRESULT result = BCMenu::IsRegisteredMenu(pMenu)
                             ? BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu)
                             : CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
        menuChars.push_back(result);
        return result;
    }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
        CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
        if (!sysMenu && BCMenu::IsRegisteredMenu(popup))
            BCMenu::UpdateMenu(popup);
    }
    void OnEnterIdle(UINT why, CWnd* who) {
        CFrameWnd::OnEnterIdle(why, who);
        if (steps.empty()) {
            ::EndMenu();
            return;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        step(who ? who->m_hWnd : nullptr);
    }
    void OnSave() { commands.push_back(kSave); }
    void OnInfo() { commands.push_back(kInfo); }
    void OnLanguage() { commands.push_back(kLanguage); }
    void OnUpdateSave(CCmdUI* ui) {
        ui->SetText(saved ? "&Gespeichert\tStrg+S" : "&Speichern\tStrg+S");
        ui->SetCheck(saved);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
ON_WM_MEASUREITEM()
ON_WM_MENUCHAR()
ON_WM_INITMENUPOPUP()
ON_WM_ENTERIDLE()
ON_COMMAND(kSave, &CMenuFrame::OnSave)
ON_COMMAND(kInfo, &CMenuFrame::OnInfo)
ON_COMMAND(kLanguage, &CMenuFrame::OnLanguage)
ON_UPDATE_COMMAND_UI(kSave, &CMenuFrame::OnUpdateSave)
END_MESSAGE_MAP()

class MenuFrameTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        app_ = std::make_unique<CWinApp>("MenuApp");
        frame_ = new CMenuFrame;
        ASSERT_TRUE(frame_->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(40, 40, 540, 400)));
        app_->m_pMainWnd = frame_;
        ASSERT_TRUE(frame_->menu.LoadMenu(kIdrFrame));
        frame_->SetMenu(&frame_->menu);
        frame_->SetFocus();
        Pump();
    }
    void TearDown() override {
        frame_->SetMenu(nullptr);
        frame_->menu.DestroyMenu();
        if (::IsWindow(frame_->m_hWnd))
            frame_->DestroyWindow();
        app_->m_pMainWnd = nullptr;
        BCMenu::ReleaseClassResources();
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    static void Key(UINT vk, const char* text = nullptr) {
        kq::ui::InjectKey(vk, true, text);
        kq::ui::InjectKey(vk, false);
    }
    void OpenBar(int index) {
        const std::vector<RECT> items = kq::ui::MenuBarItemRects(frame_->m_hWnd);
        const CPoint p = CRect(items.at(static_cast<size_t>(index))).CenterPoint();
        kq::ui::InjectMouseMove(p);
        kq::ui::InjectMouseButton(p, VK_LBUTTON, true);
        kq::ui::InjectMouseButton(p, VK_LBUTTON, false);
        Pump();
        Pump();
    }
    BCMenu* Sub(CMenu& menu, int pos) {
        return DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(::GetSubMenu(menu, pos)));
    }
    std::unique_ptr<CWinApp> app_;
    CMenuFrame* frame_ = nullptr;
};

TEST_F(MenuFrameTest, PopupsAreMeasuredAndDrawnByTheMenuWithTheNestedArrow) {
    BCMenu* mode = Sub(frame_->menu, 1);
    const auto nested = static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetSubMenu(*mode, 0)));
    COLORREF stripPixel = 0;
    int arrowPixels = 0;
    frame_->steps.push_back([&](HWND popup) {
        CRect rc;
        ::GetWindowRect(popup, &rc);
        stripPixel = kq::ui::GetScreenPixel(rc.left + 5, rc.top + 5);
        for (int y = rc.top + 3; y < rc.top + 26; ++y)
            for (int x = rc.right - 20; x < rc.right - 3; ++x)
                arrowPixels += kq::ui::GetScreenPixel(x, y) == ::GetSysColor(COLOR_MENUTEXT);
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
    });
    OpenBar(1);
    // The nested pop-up item is measured by its sub-menu's handle, through the menu.
    EXPECT_NE(std::find(frame_->measuredIds.begin(), frame_->measuredIds.end(), nested),
              frame_->measuredIds.end());
    EXPECT_EQ(stripPixel, BCMenu::BlendToWhite(::GetSysColor(COLOR_3DFACE), 0.25));
    EXPECT_GT(arrowPixels, 0);
}

TEST_F(MenuFrameTest, MnemonicsChooseThroughMenuChar) {
    frame_->steps.push_back([](HWND) { Key(0xC4, "ä"); });
    OpenBar(1);
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kLanguage});
    // "&&" is no mnemonic: 'f' finds nothing; 'c' finds the real one after it.
    frame_->steps.push_back([](HWND) { Key('F', "f"); });
    frame_->steps.push_back([](HWND) { Key(VK_ESCAPE); });
    frame_->steps.push_back([](HWND) { Key(VK_ESCAPE); });
    frame_->menuChars.clear();
    OpenBar(1);
    ASSERT_FALSE(frame_->menuChars.empty());
    EXPECT_EQ(frame_->menuChars.front(), 0);
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('c', MF_POPUP, Sub(frame_->menu, 1)),
              MAKELRESULT(2, MNC_EXECUTE));
}

TEST_F(MenuFrameTest, UpdateHandlersChangeTextsAndTheRecordsFollow) {
    BCMenu* file = Sub(frame_->menu, 0);
    CImageList images;
    images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    CBitmap bmp;
    bmp.CreateBitmap(16, 16, 1, 32, nullptr);
    images.Add(&bmp, RGB(255, 0, 255));
    ASSERT_TRUE(frame_->menu.ModifyOwnerDrawItemA(nullptr, kSave, &images, 0));
    // Items added and removed behind the menu's back.
    file->InsertMenu(0, MF_BYPOSITION | MF_STRING, kInfo, "&Info");
    frame_->saved = TRUE;
    frame_->steps.push_back([](HWND) { Key(VK_ESCAPE); });
    frame_->steps.push_back([](HWND) { Key(VK_ESCAPE); });
    OpenBar(0);
    ASSERT_EQ(file->GetRecordCount(), 2);
    EXPECT_EQ(file->GetRecord(0)->GetString(), "&Info");
    EXPECT_EQ(file->GetRecord(1)->GetString(), "&Gespeichert\tStrg+S");
    EXPECT_EQ(file->GetRecord(1)->nImageIndex, 0);
    EXPECT_TRUE(file->GetMenuState(kSave, MF_BYCOMMAND) & MF_CHECKED);
    for (int pos = 0; pos < 2; ++pos) {
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        file->GetMenuItemInfo(static_cast<UINT>(pos), &info, TRUE);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(file->GetRecord(pos)));
    }
    // And the item is still chosen by the keyboard.
    frame_->steps.push_back([](HWND) { Key('G', "g"); });
    OpenBar(0);
    EXPECT_EQ(frame_->commands, std::vector<UINT>{kSave});
}

}  // namespace
