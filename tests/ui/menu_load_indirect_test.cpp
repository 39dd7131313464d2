#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/BinaryMenuTemplate.h"
#include "platform/base/LastError.h"
#include "platform/base/Resource.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/menu/MenuApi.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

namespace {

using namespace std::string_view_literals;
using Item = kq::MenuItemTemplate;

// Nesting three deep, where the innermost pop-up is the last item of every enclosing level, so
// that end marks follow one another; separators first, inside and last; shortcuts and
// mnemonics; every item flag the compiler writes.
constexpr Item kDeepest[] = {{"&Tief\tF9"sv, 501, Item::Checked}, {""sv, 0, Item::Separator}};
constexpr Item kInner[] = {{""sv, 0, Item::Separator},
                           {"&Innen"sv, 401, Item::MenuBreak},
                           {"Tie&fer"sv, 0, Item::Popup, kDeepest}};
constexpr Item kFile[] = {
    {"&Öffnen...\tStrg+O"sv, 101, 0},
    {"&Speichern\tStrg+S"sv, 102, Item::Grayed},
    {""sv, 0, Item::Separator},
    {"&Zuletzt"sv, 0, Item::Popup | Item::Inactive, kInner},
};
constexpr Item kView[] = {{"&Leiste"sv, 201, Item::MenuBarBreak}};
constexpr Item kBar[] = {
    {"&Datei"sv, 0, Item::Popup, kFile},
    {"&Ansicht"sv, 0, Item::Popup, kView},
    {"&Hilfe"sv, 900, Item::Help},
};
constexpr kq::MenuResource kMenus[] = {{120, kq::MenuTemplate{kBar}}};

class MenuLoadIndirect : public ::testing::Test {
  protected:
    void SetUp() override {
        bundle_.menus = kMenus;
        kq::InstallResources(bundle_);
    }
    void TearDown() override { kq::UninstallResources(bundle_); }

    static const void* Locked(int id) {
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_MENU);
        return found ? LockResource(LoadResource(nullptr, found)) : nullptr;
    }

  private:
    kq::ResourceBundle bundle_{};
};

// A menu as text, one line per item with its type, state, id and text, sub-menus indented.
std::string Describe(HMENU menu, const std::string& indent = "") {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        out += indent + std::to_string(info.fType) + "/" + std::to_string(info.fState) + "/" +
               (info.hSubMenu ? std::string("popup") : std::to_string(info.wID)) + " " + text +
               "\n";
        if (info.hSubMenu)
            out += Describe(info.hSubMenu, indent + "  ");
    }
    return out;
}

TEST_F(MenuLoadIndirect, TheLockedResourceLoadsTheSameMenuAsLoadMenu) {
    HMENU byName = LoadMenu(nullptr, MAKEINTRESOURCE(120));
    HMENU indirect = LoadMenuIndirect(Locked(120));
    ASSERT_TRUE(IsMenu(byName));
    ASSERT_TRUE(IsMenu(indirect));
    const std::string expected = Describe(byName);
    EXPECT_EQ(Describe(indirect), expected);
    // The shape itself, so that equal but wrong menus cannot pass.
    ASSERT_EQ(GetMenuItemCount(indirect), 3);
    HMENU file = GetSubMenu(indirect, 0);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), 0u);
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND), MF_GRAYED);
    char text[64] = {};
    GetMenuString(file, 101, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Öffnen...\tStrg+O");
    HMENU inner = GetSubMenu(file, 3);
    ASSERT_EQ(GetMenuItemCount(inner), 3);
    EXPECT_EQ(GetMenuState(inner, 0, MF_BYPOSITION), MF_SEPARATOR);
    HMENU deepest = GetSubMenu(inner, 2);
    ASSERT_EQ(GetMenuItemCount(deepest), 2);
    EXPECT_EQ(GetMenuState(deepest, 501, MF_BYCOMMAND), MF_CHECKED);
    // After three levels closed at once, the bar goes on with its next pop-up.
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(indirect, 1)), 1);
    EXPECT_EQ(GetMenuState(indirect, 900, MF_BYCOMMAND), MF_HELP);
    DestroyMenu(byName);
    DestroyMenu(indirect);
}

// A hand-made template: header offset, a separator marked MF_SEPARATOR and one written as
// option 0 / id 0 / no text, an item with id 0 but a text (not a separator).
TEST_F(MenuLoadIndirect, HandMadeTemplatesAndBadOnes) {
    std::vector<WORD> words = {0, 4, 0xAAAA, 0xBBBB, MF_POPUP | MF_END, 'P', 0};
    words.insert(words.end(), {0, 0, 0});                           // separator, unmarked
    words.insert(words.end(), {MF_SEPARATOR, 0, 0});                // separator, marked
    words.insert(words.end(), {0, 0, 'T', 'i', 't', 'e', 'l', 0});  // id 0 with a text
    words.insert(words.end(), {MF_END | MF_CHECKED, 7, 'a', '\t', 'b', 0});
    HMENU menu = LoadMenuIndirect(words.data());
    ASSERT_TRUE(IsMenu(menu));
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION), 0u);
    char text[16] = {};
    GetMenuString(popup, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Titel");
    EXPECT_EQ(GetMenuState(popup, 7, MF_BYCOMMAND), MF_CHECKED);  // MF_END is not kept
    DestroyMenu(menu);

    SetLastError(0);
    EXPECT_EQ(LoadMenuIndirect(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    const WORD extended[] = {1, 4, 0, 0, 0, 0, 0};
    EXPECT_EQ(LoadMenuIndirect(extended), nullptr);
    // Nesting past the limit is refused, not recursed through.
    std::vector<WORD> deep = {0, 0};
    for (int i = 0; i < 40; ++i)
        deep.insert(deep.end(), {MF_POPUP | MF_END, 'x', 0});
    deep.insert(deep.end(), {MF_END, 1, 0});
    EXPECT_EQ(LoadMenuIndirect(deep.data()), nullptr);
}

TEST(AnsiMenuNames, AppendModifyAndItemInfoWithTheWindowsSize) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 10, "&Eins\tF1"));
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 11, "Zwei"));
    ASSERT_TRUE(ModifyMenuA(menu, 1, MF_BYPOSITION | MF_STRING | MF_GRAYED, 12, "&Drei"));
    EXPECT_EQ(GetMenuItemID(menu, 1), 12u);
    EXPECT_EQ(GetMenuState(menu, 12, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_FALSE(ModifyMenuA(menu, 99, MF_BYCOMMAND, 13, "x"));

    HBITMAP checked = reinterpret_cast<HBITMAP>(0x1234);  // kept, never drawn here
    MENUITEMINFOA set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_CHECKMARKS;
    set.hbmpChecked = checked;
    ASSERT_TRUE(SetMenuItemInfo(menu, 10, FALSE, &set));
    // Callers written for 32-bit Windows give the structure size 48.
    MENUITEMINFOA get{};
    get.cbSize = 48;
    get.fMask = MIIM_CHECKMARKS;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 10, FALSE, &get));
    EXPECT_EQ(get.hbmpChecked, checked);
    EXPECT_EQ(get.hbmpUnchecked, nullptr);
    DestroyMenu(menu);
}

TEST(AnsiMenuNames, NonClientMetricsFillTheMenuFontAtBothSizes) {
    for (UINT size : {340u, 344u}) {
        NONCLIENTMETRICSA metrics;
        std::memset(&metrics, 0, sizeof metrics);
        metrics.cbSize = size;
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, size, &metrics, 0)) << size;
        EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "Tahoma") << size;
        EXPECT_LT(metrics.lfMenuFont.lfHeight, 0) << size;
        EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "Tahoma") << size;
    }
    NONCLIENTMETRICSA small{};
    small.cbSize = 300;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 300, &small, 0));
}

}  // namespace
