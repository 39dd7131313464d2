#include <gtest/gtest.h>

#include "platform/framework/menu/Menu.h"

namespace {

TEST(CMenuObject, OwnsWhatItCreatesAndLetsGoOfTemporaries) {
    HMENU held = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        held = menu.m_hMenu;
        EXPECT_EQ(CMenu::FromHandlePermanent(held), &menu);
        EXPECT_EQ(CMenu::FromHandle(held), &menu);
        EXPECT_FALSE(menu.CreateMenu());  // already holds one
    }
    EXPECT_FALSE(IsMenu(held));  // the destructor destroyed it

    HMENU raw = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(raw, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
    CMenu* temp = CMenu::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(CMenu::FromHandle(raw), temp);
    EXPECT_EQ(temp->GetSubMenu(0)->m_hMenu, sub);
    EXPECT_EQ(temp->GetSubMenu(5), nullptr);
    CMenu::DeleteTempMap();
    EXPECT_TRUE(IsMenu(raw));  // temporaries never destroy the menu

    CMenu attached;
    ASSERT_TRUE(attached.Attach(raw));
    CMenu second;
    EXPECT_FALSE(second.Attach(raw));  // one permanent object per menu
    EXPECT_EQ(attached.Detach(), raw);
    EXPECT_EQ(CMenu::FromHandlePermanent(raw), nullptr);
    EXPECT_TRUE(IsMenu(raw));
    DestroyMenu(raw);
}

TEST(CMenuObject, ItemFunctionsWorkOnTheHeldMenu) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, "&One");
    menu.AppendMenu(MF_STRING, 2, "Two");
    menu.InsertMenu(0, MF_BYPOSITION, 3, "Zero");
    menu.CheckMenuItem(2, MF_CHECKED);
    menu.EnableMenuItem(1, MF_GRAYED);
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(0), 3u);
    EXPECT_EQ(menu.GetMenuState(2, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(1, MF_BYCOMMAND), MF_GRAYED);
    CString text;
    EXPECT_EQ(menu.GetMenuString(1, text, MF_BYCOMMAND), 4);
    EXPECT_EQ(text, "&One");
    menu.ModifyMenu(1, MF_BYPOSITION | MF_STRING, 11, "Eleven");
    EXPECT_EQ(menu.GetMenuItemID(1), 11u);
    EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
}

}  // namespace
