// Building owner-drawn menus from MENU resources, keeping their records in step with the menu,
// the class-wide images, and the keyboard-shortcut search.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/menu/BCMenu.h"
#include "framework/FrameworkTest.h"
#include "platform/base/BinaryMenuTemplate.h"
#include "platform/base/Registry.h"
#include "platform/base/Resource.h"
#include "platform/base/WideText.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

namespace {

using kq::fw::test::FrameworkTest;
using Item = kq::MenuItemTemplate;

constexpr UINT kIdrMain = 120;
constexpr UINT kSave = 10001, kPrint = 10003, kExit = 10004, kDevices = 10005, kInfo = 10006;

const Item kConfigItems[] = {
    {"&Geräte\tF5", kDevices, 0, {}},
    {"&Information", kInfo, 0, {}},  // closes this level and the one around it
};
const Item kModeItems[] = {{"&Konfiguration", 0, Item::Popup, kConfigItems}};
const Item kFileItems[] = {
    {"&Speichern\tStrg+S", kSave, 0, {}},
    {"", 0, Item::Separator, {}},
    {"&Drucken", kPrint, Item::Checked, {}},
    {"B&eenden\tAlt+F4", kExit, 0, {}},
};
const Item kBar[] = {
    {"&Datei", 0, Item::Popup, kFileItems},
    {"&Betriebsart", 0, Item::Popup, kModeItems},
};
const kq::MenuResource kMenus[] = {{kq::ResourceName(static_cast<int>(kIdrMain)), {kBar}}};
const kq::ResourceBundle kBundle{{}, {}, kMenus, {}, {}};

// Reaches the template builder and the class-wide list for the tests.
class TestMenu : public BCMenu {
  public:
    using BCMenu::LoadMenuTemplate;
};

class MenuBuild : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
    }
    void TearDown() override {
        BCMenu::ReleaseClassResources();
        kq::UninstallResources(kBundle);
        FrameworkTest::TearDown();
    }
    static BCMenu* Sub(CMenu& menu, int pos) {
        return DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(::GetSubMenu(menu, pos)));
    }
    // An image list with one 16 x 16 image per colour.
    static void MakeImages(CImageList& list, std::initializer_list<COLORREF> colors) {
        list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        for (COLORREF c : colors) {
            CDC mem;
            mem.CreateCompatibleDC(nullptr);
            CBitmap bmp;
            bmp.CreateBitmap(16, 16, 1, 32, nullptr);
            CBitmap* old = mem.SelectObject(&bmp);
            mem.FillSolidRect(0, 0, 16, 16, ::GetSysColor(COLOR_3DFACE));
            mem.FillSolidRect(4, 4, 8, 8, c);
            mem.SelectObject(old);
            list.Add(&bmp, RGB(255, 0, 255));
        }
    }
    static int MenuFontWidth(const std::u16string& text) {
        CFont font;
        NONCLIENTMETRICS m{};
        m.cbSize = 340;
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &m, 0);
        font.CreateFontIndirect(&m.lfMenuFont);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CFont* old = dc.SelectObject(&font);
        const std::string narrow = kq::WideToUtf8(text);
        const int w = dc.GetTextExtent(narrow.c_str(), static_cast<int>(narrow.size())).cx;
        dc.SelectObject(old);
        return w;
    }
};

TEST_F(MenuBuild, ResourceBecomesOwnerDrawnPopupsUnderAPlainBar) {
    BCMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kIdrMain));
    // The bar: plain string items with the record texts, never registered.
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_FALSE(BCMenu::IsRegisteredMenu(&menu));
    CString barText;
    menu.GetMenuString(0, barText, MF_BYPOSITION);
    EXPECT_EQ(barText, "&Datei");
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);

    BCMenu* file = Sub(menu, 0);
    BCMenu* mode = Sub(menu, 1);
    ASSERT_TRUE(file && mode);
    BCMenu* config = Sub(*mode, 0);
    ASSERT_TRUE(config);
    for (BCMenu* popup : {file, mode, config})
        EXPECT_TRUE(BCMenu::IsRegisteredMenu(popup));
    // A record per position, each item owner-drawn with its record as data.
    ASSERT_EQ(file->GetRecordCount(), 4);
    for (int pos = 0; pos < 4; ++pos) {
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(file->GetMenuItemInfo(static_cast<UINT>(pos), &info, TRUE));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(file->GetRecord(pos)));
    }
    EXPECT_TRUE(file->GetRecord(1)->nFlags & MF_SEPARATOR);
    EXPECT_EQ(file->GetRecord(1)->nID, 0u);
    EXPECT_TRUE(file->GetMenuState(2, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(config->GetRecord(1)->GetString(), "&Information");

    // The shortcut column: each tabbed label padded to the widest label plus a space, no more.
    int widest = 0;
    for (const char16_t* label : {u"&Speichern ", u" ", u"&Drucken ", u"B&eenden "})
        widest = std::max(widest, MenuFontWidth(label));
    for (int pos : {0, 3}) {
        const std::u16string text = file->GetRecord(pos)->GetWideString();
        const std::u16string label = text.substr(0, text.find(u'\t'));
        EXPECT_GE(MenuFontWidth(label), widest);
        EXPECT_LT(MenuFontWidth(label.substr(0, label.size() - 1)), widest);
    }
    EXPECT_EQ(file->GetRecord(2)->GetString(), "&Drucken");  // no tab: unchanged
    EXPECT_EQ(config->GetRecord(0)->GetString().Right(3), "\tF5");
}

TEST_F(MenuBuild, TruncatedTemplateFailsAndDestroyingLeavesNothingBehind) {
    const std::vector<BYTE> bytes = kq::EncodeMenuTemplate(kq::MenuTemplate{kBar});
    auto cycle = [&] {
        TestMenu menu;
        for (size_t cut : {size_t{0}, size_t{3}, bytes.size() / 2, bytes.size() - 1}) {
            EXPECT_FALSE(menu.LoadMenuTemplate(bytes.data(), cut)) << cut;
            EXPECT_EQ(menu.m_hMenu, nullptr);
        }
        ASSERT_TRUE(menu.LoadMenuTemplate(bytes.data(), bytes.size()));
        CMenu* file = CMenu::FromHandlePermanent(::GetSubMenu(menu, 0));
        ASSERT_TRUE(BCMenu::IsRegisteredMenu(file));
        CImageList images;
        MakeImages(images, {RGB(255, 0, 0)});
        menu.ModifyOwnerDrawItemA(nullptr, kSave, &images, 0);
        const HMENU fileHandle = file->m_hMenu;
        menu.DestroyMenu();
        CMenu probe;
        probe.m_hMenu = fileHandle;
        EXPECT_FALSE(BCMenu::IsRegisteredMenu(&probe));
        probe.m_hMenu = nullptr;
        EXPECT_FALSE(::IsMenu(fileHandle));
        EXPECT_EQ(menu.GetRecordCount(), 0);
        BCMenu::ReleaseClassResources();
    };
    cycle();  // the graphics layer's own objects come with the first use
    const size_t handlesBefore = kq::gfx::HandleTable::Instance().LiveCount();
    cycle();
    EXPECT_EQ(kq::gfx::HandleTable::Instance().LiveCount(), handlesBefore);
    // Built again as on first use.
    BCMenu again;
    ASSERT_TRUE(again.LoadMenu(kIdrMain));
    EXPECT_EQ(BCMenu::FindImageIndex(kSave), -1);
    EXPECT_EQ(BCMenu::GetOsClass(), 6);
}

TEST_F(MenuBuild, ImagesAreRegisteredWithVariantsInStepWithTheirCommands) {
    CImageList images;
    MakeImages(images, {RGB(255, 0, 0), RGB(0, 0, 255)});
    EXPECT_EQ(BCMenu::RegisterImage(&images, 0, kSave), 0);
    EXPECT_EQ(BCMenu::RegisterImage(&images, 1, kPrint), 4);
    EXPECT_EQ(BCMenu::RegisterImage(&images, 1, kSave), 0);  // in place
    EXPECT_EQ(BCMenu::ClassImages().GetImageCount(), 8);
    EXPECT_TRUE(BCMenu::HasDerivedImages(0));
    EXPECT_TRUE(BCMenu::HasDerivedImages(4));
    EXPECT_FALSE(BCMenu::HasDerivedImages(2));
    EXPECT_EQ(BCMenu::FindImageIndex(kPrint), 4);
    // A source that cannot give an icon adds nothing.
    CImageList empty;
    empty.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    EXPECT_EQ(BCMenu::RegisterImage(&empty, 0, kExit), -1);
    EXPECT_EQ(BCMenu::RegisterImage(nullptr, 0, kExit), -1);
    EXPECT_EQ(BCMenu::ClassImages().GetImageCount(), 8);
    EXPECT_EQ(BCMenu::FindImageIndex(kExit), -1);
    CBitmap none;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_FALSE(BCMenu::IconToBitmap(&dc, &empty, 0, none));
}

TEST_F(MenuBuild, ColourArithmeticAndFilters) {
    const COLORREF c = RGB(100, 50, 200);
    for (double f : {0.0, -0.5, 1.5}) {
        EXPECT_EQ(BCMenu::BlendToWhite(c, f), c);
        EXPECT_EQ(BCMenu::ScaleToBlack(c, f), c);
    }
    EXPECT_EQ(BCMenu::BlendToWhite(c, 1.0), RGB(255, 255, 255));
    EXPECT_EQ(BCMenu::ScaleToBlack(c, 1.0), RGB(0, 0, 0));
    EXPECT_EQ(BCMenu::BlendToWhite(RGB(0, 100, 255), 0.5), RGB(127, 177, 255));
    EXPECT_EQ(BCMenu::ScaleToBlack(RGB(0, 100, 255), 0.5), RGB(0, 50, 127));

    // An image all of the face colour is left alone by every filter.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateBitmap(16, 16, 1, 32, nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    mem.FillSolidRect(0, 0, 16, 16, face);
    mem.SelectObject(old);
    BCMenu::ApplyFade(bmp);
    BCMenu::ApplyShadow(bmp);
    BCMenu::ApplyGrey(bmp, 0);
    old = mem.SelectObject(&bmp);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(mem.GetPixel(i, 15 - i), face);
    // Greys: the shadow colour lightened by the pixel's brightness.
    mem.SetPixel(3, 3, RGB(0, 0, 0));
    mem.SetPixel(4, 4, RGB(255, 255, 255));
    mem.SetPixel(5, 5, RGB(30, 60, 90));
    mem.SelectObject(old);
    BCMenu::ApplyGrey(bmp, RGB(1, 2, 3));
    old = mem.SelectObject(&bmp);
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_EQ(mem.GetPixel(3, 3), shadow);
    EXPECT_EQ(mem.GetPixel(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(5, 5), BCMenu::BlendToWhite(shadow, 60 / 255.0));
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(1, 2, 3));  // face replaced
    mem.SelectObject(old);
}

TEST_F(MenuBuild, ClassicThemeIsReadFromTheSettingsOnce) {
    auto setTheme = [](const char* value) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current",
                                   0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueEx(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                        static_cast<DWORD>(std::strlen(value) + 1));
        ::RegCloseKey(key);
        BCMenu::ReleaseClassResources();  // the test runs once per start
    };
    EXPECT_FALSE(BCMenu::IsClassicTheme());  // no value
    setTheme("C:\\WINDOWS\\Resources\\Themes\\WINDOWS Classic.THEME");
    EXPECT_TRUE(BCMenu::IsClassicTheme());
    setTheme("C:\\Themes\\Luna.theme");
    EXPECT_FALSE(BCMenu::IsClassicTheme());
    setTheme("Classic.theme");  // shorter than the name
    EXPECT_FALSE(BCMenu::IsClassicTheme());
    // Class 6 never asks: the themed look needs class 7.
    setTheme("C:\\Themes\\Luna.theme");
    EXPECT_FALSE(BCMenu::IsThemedXp());
}

TEST_F(MenuBuild, CommandsTakeImagesAndTextsInEveryPopup) {
    BCMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kIdrMain));
    BCMenu* file = Sub(menu, 0);
    BCMenu* config = Sub(*Sub(menu, 1), 0);
    // The same command in a second pop-up.
    config->AppendMenu(MF_STRING, kSave, "Save again");
    BCMenu::UpdateMenu(config);
    CImageList images;
    MakeImages(images, {RGB(0, 200, 0)});
    EXPECT_TRUE(menu.ModifyOwnerDrawItemA("&Sichern", kSave, &images, 0));
    EXPECT_EQ(file->GetRecord(0)->nImageIndex, 0);
    EXPECT_EQ(config->GetRecord(2)->nImageIndex, 0);
    EXPECT_EQ(config->GetRecord(2)->GetString(), "&Sichern");
    EXPECT_EQ(BCMenu::ClassImages().GetImageCount(), 4);
    // A null text keeps every text.
    EXPECT_TRUE(menu.ModifyOwnerDrawItemA(nullptr, kSave, &images, 0));
    EXPECT_EQ(file->GetRecord(0)->GetString(), "&Sichern");

    // A command that stands nowhere: its image is kept for later, no record, FALSE.
    const int records = menu.GetRecordCount();
    EXPECT_FALSE(menu.ModifyOwnerDrawItemA(nullptr, 10077, &images, 0));
    EXPECT_EQ(menu.GetRecordCount(), records);
    EXPECT_EQ(BCMenu::FindImageIndex(10077), 4);
    file->AppendOwnerDrawItem(u"Later", 0, 10077, -1);
    EXPECT_EQ(file->GetRecord(file->GetRecordCount() - 1)->nImageIndex, 4);
}

TEST_F(MenuBuild, SynchronisingFollowsTheMenuAfterUpdates) {
    BCMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kIdrMain));
    BCMenu* file = Sub(menu, 0);
    BCMenuData* save = file->GetRecord(0);
    BCMenuData* separator = file->GetRecord(1);
    // What update handlers do: change a text (the item becomes a plain string), delete and
    // insert items.
    file->ModifyMenu(0, MF_BYPOSITION | MF_STRING, kSave, "&Sichern");
    file->DeleteMenu(kPrint, MF_BYCOMMAND);
    file->InsertMenu(0, MF_BYPOSITION | MF_STRING, 10050, "&Neu");
    file->AppendMenu(MF_SEPARATOR);
    BCMenu::UpdateMenu(file);
    ASSERT_EQ(file->GetRecordCount(), 5);
    EXPECT_EQ(file->GetRecord(0)->GetString(), "&Neu");
    EXPECT_EQ(file->GetRecord(1), save);  // reused by command
    EXPECT_EQ(save->GetString(), "&Sichern");
    EXPECT_EQ(file->GetRecord(2), separator);
    EXPECT_EQ(file->GetRecord(4)->GetString(), "");
    for (int pos = 0; pos < 5; ++pos) {
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(file->GetMenuItemInfo(static_cast<UINT>(pos), &info, TRUE));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << pos;
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(file->GetRecord(pos))) << pos;
    }
    // Only BCMenus are synchronised; others are left alone.
    CMenu plain;
    plain.CreatePopupMenu();
    BCMenu::UpdateMenu(&plain);
}

TEST_F(MenuBuild, KeyboardShortcutsByMnemonic) {
    BCMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kIdrMain));
    BCMenu* file = Sub(menu, 0);
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('d', MF_POPUP, file), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('E', MF_POPUP, file), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('q', MF_POPUP, file), 0);
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('d', 0, file), 0);  // not a pop-up
    CMenu plain;
    plain.CreatePopupMenu();
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('d', MF_POPUP, &plain), 0);
    // Non-ASCII mnemonics fold without a locale; any ampersand before the character counts,
    // the second of "&&" and a later one too. An item added behind the menu's back is found
    // after re-synchronising.
    file->AppendMenu(MF_STRING, 10060, "Fish &&chips &wrapped");
    file->AppendMenu(MF_STRING, 10061, "&Änderung");
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('c', MF_POPUP, file), MAKELRESULT(4, MNC_EXECUTE));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('W', MF_POPUP, file), MAKELRESULT(4, MNC_EXECUTE));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut(0xE4, MF_POPUP, file), MAKELRESULT(5, MNC_EXECUTE));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut(0xC4, MF_POPUP, file), MAKELRESULT(5, MNC_EXECUTE));
}

TEST_F(MenuBuild, MeasuringSeparatorsEmptyAndNullRecords) {
    BCMenu menu;
    const int height = std::max(23, ::GetSystemMetrics(SM_CYMENU));
    BCMenuData separator, empty;
    separator.nFlags = MF_SEPARATOR;
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(&separator)};
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 0u);
    EXPECT_EQ(mis.itemHeight, 3u);
    for (ULONG_PTR data : {reinterpret_cast<ULONG_PTR>(&empty), ULONG_PTR{0}}) {
        mis = MEASUREITEMSTRUCT{ODT_MENU, 0, 0, 0, 0, data};
        menu.MeasureItem(&mis);
        EXPECT_EQ(mis.itemWidth, 31u);
        EXPECT_EQ(mis.itemHeight, static_cast<UINT>(height));
    }
    BCMenuData text;
    text.SetAnsiString("&Speichern\tStrg+S");
    mis = MEASUREITEMSTRUCT{ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(&text)};
    menu.MeasureItem(&mis);
    EXPECT_GT(mis.itemWidth, 31u + static_cast<UINT>(MenuFontWidth(u"Speichern")));
}

}  // namespace
