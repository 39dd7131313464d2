#include <gtest/gtest.h>

#include <string>

#include "platform/base/Resource.h"
#include "platform/ui/menu/MenuApi.h"

namespace {

std::string TextOf(HMENU menu, UINT item, UINT flags) {
    char buf[64] = {};
    GetMenuString(menu, item, buf, sizeof(buf), flags);
    return buf;
}

// File: Open, Save, separator, Recent > (One, Two)
struct SampleMenu {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    SampleMenu() {
        AppendMenu(file, MF_STRING, 100, "&Open\tCtrl+O");
        AppendMenu(file, MF_STRING, 101, "&Save");
        AppendMenu(file, MF_SEPARATOR, 0, nullptr);
        AppendMenu(recent, MF_STRING, 200, "One");
        AppendMenu(recent, MF_STRING, 201, "Two");
        AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    }
    ~SampleMenu() { DestroyMenu(bar); }
};

TEST(MenuItems, ItemsAreFoundByPositionAndByCommandThroughSubMenus) {
    SampleMenu m;
    EXPECT_EQ(GetMenuItemCount(m.file), 4);
    EXPECT_EQ(GetMenuItemID(m.file, 1), 101u);
    EXPECT_EQ(GetMenuItemID(m.file, 2), 0u);                     // separator
    EXPECT_EQ(GetMenuItemID(m.file, 3), static_cast<UINT>(-1));  // pop-up
    EXPECT_EQ(GetMenuItemID(m.file, 9), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.file);
    EXPECT_EQ(GetSubMenu(m.file, 0), nullptr);
    EXPECT_EQ(TextOf(m.file, 0, MF_BYPOSITION), "&Open\tCtrl+O");
    // By command, the search reaches into the sub-menus of the menu given.
    EXPECT_EQ(TextOf(m.bar, 201, MF_BYCOMMAND), "Two");
    EXPECT_EQ(GetMenuString(m.bar, 100, nullptr, 0, MF_BYCOMMAND), 12);
    char small[4];
    EXPECT_EQ(GetMenuString(m.bar, 100, small, 4, MF_BYCOMMAND), 3);
    EXPECT_STREQ(small, "&Op");
}

TEST(MenuItems, InsertModifyDeleteAndRemove) {
    SampleMenu m;
    EXPECT_TRUE(InsertMenu(m.file, 101, MF_BYCOMMAND | MF_STRING, 150, "Close"));
    EXPECT_EQ(GetMenuItemID(m.file, 1), 150u);
    EXPECT_TRUE(InsertMenu(m.file, 0, MF_BYPOSITION | MF_STRING, 99, "New"));
    EXPECT_EQ(GetMenuItemID(m.file, 0), 99u);
    EXPECT_TRUE(InsertMenu(m.bar, 200, MF_BYCOMMAND | MF_STRING, 199, "Zero"));
    EXPECT_EQ(GetMenuItemID(m.recent, 0), 199u);
    EXPECT_FALSE(InsertMenu(m.file, 4242, MF_BYCOMMAND, 1, "x"));

    EXPECT_TRUE(ModifyMenu(m.bar, 150, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 151, "Shut"));
    EXPECT_EQ(TextOf(m.file, 151, MF_BYCOMMAND), "Shut");
    EXPECT_EQ(GetMenuState(m.file, 151, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(m.file, 150, MF_BYCOMMAND), static_cast<UINT>(-1));

    // A pop-up renamed without MF_POPUP keeps its sub-menu; replaced by another, it goes.
    EXPECT_TRUE(ModifyMenu(m.bar, 0, MF_BYPOSITION | MF_STRING, 0, "&Datei"));
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.file);
    EXPECT_EQ(TextOf(m.bar, 0, MF_BYPOSITION), "&Datei");
    HMENU other = CreatePopupMenu();
    const UINT last = static_cast<UINT>(GetMenuItemCount(m.file) - 1);
    EXPECT_TRUE(ModifyMenu(m.file, last, MF_BYPOSITION | MF_POPUP,
                           reinterpret_cast<UINT_PTR>(other), "Other"));
    EXPECT_FALSE(IsMenu(m.recent));
    m.recent = other;

    // RemoveMenu keeps the sub-menu alive, DeleteMenu destroys it.
    const int recentPos = GetMenuItemCount(m.file) - 1;
    EXPECT_TRUE(RemoveMenu(m.file, recentPos, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(m.recent));
    EXPECT_TRUE(AppendMenu(m.file, MF_POPUP, reinterpret_cast<UINT_PTR>(m.recent), "Recent"));
    EXPECT_TRUE(DeleteMenu(m.file, recentPos, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(m.recent));
    EXPECT_TRUE(DeleteMenu(m.bar, 99, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemID(m.file, 0), 100u);
    EXPECT_FALSE(DeleteMenu(m.bar, 99, MF_BYCOMMAND));
}

TEST(MenuItems, CheckEnableRadioAndState) {
    SampleMenu m;
    EXPECT_EQ(CheckMenuItem(m.bar, 100, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(m.bar, 100, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(m.bar, 555, MF_BYCOMMAND), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(m.file, 1, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(m.file, 1, MF_BYPOSITION | MF_ENABLED), MF_GRAYED);
    EnableMenuItem(m.file, 101, MF_DISABLED);
    CheckMenuItem(m.file, 101, MF_CHECKED);
    EXPECT_EQ(GetMenuState(m.file, 101, MF_BYCOMMAND), MF_DISABLED | MF_CHECKED);
    EXPECT_EQ(GetMenuState(m.file, 2, MF_BYPOSITION), MF_SEPARATOR);
    // A pop-up item: its flags in the low byte, the sub-menu's item count in the high byte.
    EXPECT_EQ(GetMenuState(m.file, 3, MF_BYPOSITION), MF_POPUP | (2u << 8));

    EXPECT_TRUE(CheckMenuRadioItem(m.recent, 200, 201, 201, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(m.recent, 201, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_TRUE(CheckMenuRadioItem(m.recent, 0, 1, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(m.recent, 200, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(m.recent, 201, MF_BYCOMMAND) & MF_CHECKED, 0u);
    MENUITEMINFO info{sizeof(info), MIIM_FTYPE};
    GetMenuItemInfo(m.recent, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    // The item to check must lie in the range.
    EXPECT_FALSE(CheckMenuRadioItem(m.recent, 0, 0, 1, MF_BYPOSITION));
}

TEST(MenuItems, ItemInfoReadsAndWritesTheMaskedFields) {
    SampleMenu m;
    char buf[32] = {};
    MENUITEMINFO info{sizeof(info)};
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA;
    info.dwTypeData = buf;
    info.cch = sizeof(buf);
    ASSERT_TRUE(GetMenuItemInfo(m.file, 3, TRUE, &info));
    EXPECT_EQ(info.hSubMenu, m.recent);
    EXPECT_STREQ(buf, "&Recent");
    EXPECT_EQ(info.cch, 7u);

    MENUITEMINFO set{sizeof(set)};
    set.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    set.fType = MFT_OWNERDRAW;
    set.fState = MFS_CHECKED | MFS_DEFAULT;
    set.dwItemData = 0xBEEF;
    ASSERT_TRUE(SetMenuItemInfo(m.bar, 101, FALSE, &set));
    MENUITEMINFO got{sizeof(got), MIIM_FTYPE | MIIM_DATA | MIIM_STATE | MIIM_ID};
    ASSERT_TRUE(GetMenuItemInfo(m.file, 1, TRUE, &got));
    EXPECT_EQ(got.fType, MFT_OWNERDRAW);
    EXPECT_EQ(got.fState, MFS_CHECKED | MFS_DEFAULT);
    EXPECT_EQ(got.dwItemData, 0xBEEFu);
    EXPECT_EQ(got.wID, 101u);
    EXPECT_EQ(GetMenuDefaultItem(m.file, TRUE, 0), 1u);

    MENUITEMINFO add{sizeof(add)};
    add.fMask = MIIM_ID | MIIM_STRING;
    add.wID = 300;
    add.dwTypeData = const_cast<char*>("Added");
    ASSERT_TRUE(InsertMenuItem(m.file, 0, TRUE, &add));
    EXPECT_EQ(TextOf(m.file, 300, MF_BYCOMMAND), "Added");
    // A sub-menu that is not a menu is refused and changes nothing.
    set.fMask = MIIM_SUBMENU;
    set.hSubMenu = reinterpret_cast<HMENU>(0x1234);
    EXPECT_FALSE(SetMenuItemInfo(m.file, 0, TRUE, &set));
    EXPECT_FALSE(GetMenuItemInfo(m.file, 0, TRUE, nullptr));
}

TEST(MenuItems, DestroyedHandlesStayInvalid) {
    HMENU bar = CreateMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
    EXPECT_FALSE(AppendMenu(bar, MF_POPUP, 0x77, "Not a menu"));
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(GetMenuItemCount(bar), -1);
    EXPECT_FALSE(AppendMenu(sub, MF_STRING, 1, "x"));
    // New menus never take an old handle back.
    HMENU fresh = CreateMenu();
    EXPECT_NE(fresh, bar);
    EXPECT_NE(fresh, sub);
    DestroyMenu(fresh);
}

constexpr kq::MenuItemTemplate kViewItems[] = {
    {"&Toolbar", 301, kq::MenuItemTemplate::Checked},
    {"", 0, kq::MenuItemTemplate::Separator},
    {"&Status", 302, kq::MenuItemTemplate::Grayed},
};
constexpr kq::MenuItemTemplate kBarItems[] = {
    {"&View", 0, kq::MenuItemTemplate::Popup, kViewItems},
    {"&Help", 400, kq::MenuItemTemplate::Help},
};
constexpr kq::MenuResource kMenus[] = {{120, kq::MenuTemplate{kBarItems}}};

TEST(MenuItems, LoadMenuBuildsTheTemplateTree) {
    kq::ResourceBundle bundle{};
    bundle.menus = kMenus;
    kq::InstallResources(bundle);
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(120));
    kq::UninstallResources(bundle);
    ASSERT_TRUE(IsMenu(menu));
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    HMENU view = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(view), 3);
    EXPECT_EQ(GetMenuState(view, 301, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(view, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(view, 302, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, 400, MF_BYCOMMAND), MF_HELP);
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION), "&View");
    DestroyMenu(menu);
    EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(121)), nullptr);
}

}  // namespace
