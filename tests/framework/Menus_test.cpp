// Menus: the menu functions, menus from resources, CMenu objects, and the frame's menu bar with
// the update of pop-ups before they open and the prompts of the items pointed at.
#include <gtest/gtest.h>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrMenu = 300;
constexpr UINT kSave = 10001;
constexpr UINT kPrint = 10003;
constexpr UINT kExit = 10004;
constexpr UINT kGerman = 10019;
constexpr UINT kEnglish = 10020;
constexpr UINT kNoHandler = 10099;

using Item = kq::MenuItemTemplate;
const Item kFileItems[] = {
    {"&Save\tCtrl+M", kSave, 0, {}},  {"&Print", kPrint, Item::Grayed, {}},
    {"", 0, Item::Separator, {}},     {"E&xit", kExit, 0, {}},
    {"Unhandled", kNoHandler, 0, {}},
};
const Item kLanguageItems[] = {
    {"Deutsch", kGerman, Item::Checked, {}},
    {"English", kEnglish, 0, {}},
};
const Item kBar[] = {
    {"&File", 0, Item::Popup, kFileItems},
    {"&Language", 0, Item::Popup, kLanguageItems},
};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(kIdrMenu)), {kBar}}};
const kq::StringResource kStrings[] = {
    {kIdrMenu, "Menu frame"},
    {kSave, "Saves the measured values\nSave"},
};
using Accel = kq::AcceleratorEntry;
const Accel kShortcuts[] = {
    {Accel::VirtKey | Accel::Control, 'M', kSave},
    {Accel::VirtKey | Accel::Control, 'P', kPrint},
};
const kq::AcceleratorResource kAccelerators[] = {
    {kq::ResourceName(static_cast<int>(kIdrMenu)), {kShortcuts}}};
const kq::ResourceBundle kBundle{kStrings, {}, kMenus, kAccelerators, {}};

class Menus : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        kq::UninstallResources(kBundle);
    }
    static std::string Text(HMENU menu, UINT item, UINT flags) {
        char buffer[64];
        GetMenuString(menu, item, buffer, sizeof buffer, flags);
        return buffer;
    }
};

TEST_F(Menus, ItemsAreFoundByCommandInSubMenusAndByPosition) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(file, MF_STRING, kSave, "&Save"));
    ASSERT_TRUE(AppendMenu(file, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenu(file, MF_STRING | MF_GRAYED, kExit, "E&xit"));
    ASSERT_TRUE(AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File"));
    EXPECT_FALSE(AppendMenu(bar, MF_POPUP, 12345, "not a menu"));

    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));  // a pop-up
    EXPECT_EQ(GetMenuItemID(file, 1), 0u);                    // a separator
    EXPECT_EQ(GetMenuItemID(file, 2), kExit);
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetMenuState(bar, kExit, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (3u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    EXPECT_EQ(CheckMenuItem(bar, kSave, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(bar, kSave, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(bar, 999, MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(bar, kExit, MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(bar, 999, MF_ENABLED), -1);

    ASSERT_TRUE(InsertMenu(bar, kExit, MF_BYCOMMAND | MF_STRING, kPrint, "&Print"));
    EXPECT_EQ(GetMenuItemID(file, 2), kPrint);
    ASSERT_TRUE(InsertMenu(file, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 7, "last"));
    EXPECT_EQ(GetMenuItemID(file, 4), 7u);
    ASSERT_TRUE(ModifyMenu(bar, kPrint, MF_BYCOMMAND | MF_STRING, kPrint, "Drucken"));
    EXPECT_EQ(Text(bar, kPrint, MF_BYCOMMAND), "Drucken");

    // Texts are cut whole characters at a time.
    ModifyMenu(file, 0, MF_BYPOSITION | MF_STRING, kSave, "Größe");
    char small[6];  // room for "Grö" and half of the "ß"
    EXPECT_EQ(GetMenuString(file, 0, small, sizeof small, MF_BYPOSITION), 4);
    EXPECT_STREQ(small, "Gr\xC3\xB6");
    EXPECT_EQ(GetMenuString(file, 0, nullptr, 0, MF_BYPOSITION), 7);

    // Removing keeps a pop-up; deleting destroys it.
    ASSERT_TRUE(RemoveMenu(bar, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file));
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ASSERT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_NE(CreateMenu(), bar);  // a handle names one menu only, ever
}

TEST_F(Menus, RadioMarksItemInfoAndReplacedPopups) {
    HMENU popup = CreatePopupMenu();
    for (UINT id = 1; id <= 3; ++id)
        AppendMenu(popup, MF_STRING, id, "choice");
    ASSERT_TRUE(CheckMenuRadioItem(popup, 1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYCOMMAND), 0u);

    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_CHECKMARKS;
    info.dwItemData = 0xABCD;
    ASSERT_TRUE(SetMenuItemInfo(popup, 0, TRUE, &info));
    MENUITEMINFO read{};
    read.cbSize = sizeof read;
    read.fMask = MIIM_DATA | MIIM_ID | MIIM_STATE | MIIM_STRING;
    char text[16];
    read.dwTypeData = text;
    read.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfo(popup, 0, TRUE, &read));
    EXPECT_EQ(read.dwItemData, 0xABCDu);
    EXPECT_EQ(read.wID, 1u);
    EXPECT_STREQ(text, "choice");
    EXPECT_EQ(read.cch, 6u);

    // A pop-up item renamed as a plain one keeps its pop-up (texts are rewritten by position
    // when the language changes).
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Pop");
    ASSERT_TRUE(ModifyMenu(bar, 0, MF_BYPOSITION | MF_STRING, 9, "plain"));
    EXPECT_TRUE(IsMenu(popup));
    DestroyMenu(bar);
}

TEST_F(Menus, MenusComeFromResourcesAndCMenuObjectsOwnTheirs) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kIdrMenu));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 5u);
    CString text;
    file->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, "&Save\tCtrl+M");
    EXPECT_EQ(file->GetMenuState(kPrint, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu.GetMenuState(kGerman, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    EXPECT_EQ(CMenu::FromHandlePermanent(file->m_hMenu), nullptr);  // a temporary
    EXPECT_FALSE(CMenu().LoadMenu(4242));

    CMenu other;
    EXPECT_FALSE(other.Attach(menu.m_hMenu));
    HMENU kept = nullptr;
    {
        CMenu owner;
        owner.CreatePopupMenu();
        kept = owner.Detach();
    }
    EXPECT_TRUE(IsMenu(kept));
    HMENU owned = nullptr;
    {
        CMenu owner;
        owner.CreatePopupMenu();
        owned = owner.m_hMenu;
    }
    EXPECT_FALSE(IsMenu(owned));
    DestroyMenu(kept);
}

class CMenuFrame : public CFrameWnd {
  public:
    BOOL canSave = FALSE;
    int language = 0;
    int saved = 0;
    void OnSave() { ++saved; }
    void OnExit() {}
    void OnUpdateSave(CCmdUI* ui) {
        ui->Enable(canSave);
        ui->SetText(canSave ? "&Save\tCtrl+M" : "&Save (nothing yet)");
    }
    void OnUpdateLanguage(CCmdUI* ui) {
        ui->SetRadio(ui->m_nID - kGerman == static_cast<UINT>(language));
    }
    void OnLanguage(UINT) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
ON_COMMAND(kSave, &CMenuFrame::OnSave)
ON_COMMAND(kExit, &CMenuFrame::OnExit)
ON_UPDATE_COMMAND_UI(kSave, &CMenuFrame::OnUpdateSave)
ON_COMMAND_RANGE(kGerman, kEnglish, &CMenuFrame::OnLanguage)
ON_UPDATE_COMMAND_UI_RANGE(kGerman, kEnglish, &CMenuFrame::OnUpdateLanguage)
END_MESSAGE_MAP()

TEST_F(Menus, LoadMenuIndirectTakesTheLockedMenuResource) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(kIdrMenu), RT_MENU);
    ASSERT_NE(found, nullptr);
    const void* menuTemplate = LockResource(LoadResource(nullptr, found));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(menuTemplate));
    EXPECT_FALSE(menu.LoadMenuIndirect(menuTemplate));  // it holds a menu already
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 5u);
    EXPECT_EQ(Text(*file, 0, MF_BYPOSITION), "&Save\tCtrl+M");
    EXPECT_EQ(file->GetMenuState(2, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(file->GetMenuState(kPrint, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(Text(menu, kExit, MF_BYCOMMAND), "E&xit");
    EXPECT_EQ(menu.GetMenuState(kGerman, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    EXPECT_FALSE(CMenu().LoadMenuIndirect(nullptr));
}

TEST_F(Menus, PopupsTakeTheirStateFromTheUpdateHandlersBeforeTheyOpen) {
    auto* frame = new CMenuFrame;
    ASSERT_TRUE(frame->LoadFrame(kIdrMenu, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    HMENU bar = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->m_hMenuDefault, bar);
    HMENU file = GetSubMenu(bar, 0);
    HMENU languages = GetSubMenu(bar, 1);

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
    EXPECT_EQ(GetMenuState(file, kSave, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(Text(file, kSave, MF_BYCOMMAND), "&Save (nothing yet)");
    EXPECT_EQ(GetMenuState(file, kExit, MF_BYCOMMAND) & MF_GRAYED, 0u);  // a handler exists
    EXPECT_EQ(GetMenuState(file, kPrint, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(GetMenuState(file, kNoHandler, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_SEPARATOR);

    frame->canSave = TRUE;
    frame->m_bAutoMenuEnable = FALSE;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
    EXPECT_EQ(GetMenuState(file, kSave, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(Text(file, kSave, MF_BYCOMMAND), "&Save\tCtrl+M");
    EXPECT_EQ(GetMenuState(file, kNoHandler, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);  // unchanged

    frame->language = 1;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(languages), MAKELPARAM(1, FALSE));
    EXPECT_EQ(GetMenuState(languages, kGerman, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(languages, kEnglish, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfo(languages, kEnglish, FALSE, &info);
    EXPECT_NE(info.hbmpChecked, nullptr);  // drawn as a radio dot

    frame->DestroyWindow();
    EXPECT_FALSE(IsMenu(bar));  // the menu bar went with its window
}

TEST_F(Menus, PointingAtAnItemShowsItsPromptAndClosingTheIdleMessage) {
    auto* frame = new CMenuFrame;
    ASSERT_TRUE(frame->LoadFrame(kIdrMenu, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame,
                           AFX_IDW_STATUS_BAR));
    HMENU file = GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(kSave, MF_HILITE), reinterpret_cast<LPARAM>(file));
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ(TextOf(bar.m_hWnd), "Saves the measured values");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(file));
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ(TextOf(bar.m_hWnd), "");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(TextOf(bar.m_hWnd), "Ready");
    bar.DestroyWindow();
    frame->DestroyWindow();
}

TEST_F(Menus, TheFramesShortcutKeysBecomeCommands) {
    auto* frame = new CMenuFrame;
    ASSERT_TRUE(frame->LoadFrame(kIdrMenu, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    frame->canSave = TRUE;
    KeyDown(VK_CONTROL);
    MSG key{frame->m_hWnd, WM_KEYDOWN, 'M', 0, 0, {}};
    EXPECT_TRUE(frame->PreTranslateMessage(&key));
    EXPECT_EQ(frame->saved, 1);
    // The print item is grayed in the menu: the key is taken, nothing runs.
    key.wParam = 'P';
    EXPECT_TRUE(frame->PreTranslateMessage(&key));
    KeyUp(VK_CONTROL);
    key.wParam = 'M';
    EXPECT_FALSE(frame->PreTranslateMessage(&key));  // no Ctrl: not a shortcut
    EXPECT_EQ(frame->saved, 1);
    frame->DestroyWindow();
}

}  // namespace
