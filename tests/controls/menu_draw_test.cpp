// Menu items painted into a memory bitmap at an offset: the flat look's strip, body and
// selection, the image variants at their offsets, check marks, separators and texts, the
// classic look's frames and embossed images, and the off-screen DC's two ways.
#include <gtest/gtest.h>

#include "controls/menu/BCMenu.h"
#include "framework/FrameworkTest.h"
#include "platform/gfx/SysColors.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kCommand = 10001;
constexpr COLORREF kMarker = RGB(255, 0, 0);
constexpr COLORREF kTransparent = RGB(255, 0, 255);
const CRect kItem(20, 30, 220, 53);  // 23 high, as measured

class MenuDraw : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        dc_.CreateCompatibleDC(nullptr);
        bitmap_.CreateBitmap(300, 100, 1, 32, nullptr);
        old_ = dc_.SelectObject(&bitmap_);
        dc_.FillSolidRect(0, 0, 300, 100, RGB(1, 2, 3));
        popup_.CreatePopupMenu();
        popup_.AppendMenu(MF_STRING, kCommand, "x");
    }
    void TearDown() override {
        dc_.SelectObject(old_);
        BCMenu::ReleaseClassResources();
        FrameworkTest::TearDown();
    }
    // One image: a single marker pixel at (5, 5), the rest transparent.
    int RegisterMarker() {
        CImageList list;
        list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap bmp;
        bmp.CreateBitmap(16, 16, 1, 32, nullptr);
        CBitmap* old = mem.SelectObject(&bmp);
        mem.FillSolidRect(0, 0, 16, 16, kTransparent);
        mem.SetPixel(5, 5, kMarker);
        mem.SelectObject(old);
        list.Add(&bmp, kTransparent);
        return BCMenu::RegisterImage(&list, 0, kCommand);
    }
    void Draw(BCMenuData& record, UINT state, bool classic = false) {
        DRAWITEMSTRUCT dis{ODT_MENU,       0,     kCommand,
                           ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(popup_.m_hMenu),
                           dc_.m_hDC,      kItem, reinterpret_cast<ULONG_PTR>(&record)};
        if (classic)
            menu_.DrawClassicItem(&dis);
        else
            menu_.DrawItem(&dis);
    }
    COLORREF At(int dx, int dy) { return dc_.GetPixel(kItem.left + dx, kItem.top + dy); }
    int Dark(CRect rc) {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const COLORREF c = dc_.GetPixel(x, y);
                n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
            }
        return n;
    }

    CDC dc_;
    CBitmap bitmap_;
    CBitmap* old_ = nullptr;
    CMenu popup_;
    BCMenu menu_;
};

TEST_F(MenuDraw, FlatColoursAndImageVariants) {
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF strip = BCMenu::BlendToWhite(::GetSysColor(COLOR_3DFACE), 0.25);
    const COLORREF body = BCMenu::ScaleToBlack(::GetSysColor(COLOR_WINDOW), 0.02);
    const COLORREF shadow = BCMenu::BlendToWhite(::GetSysColor(COLOR_3DSHADOW), 0.49);
    BCMenuData record;
    record.SetAnsiString("A");
    record.nID = kCommand;
    record.nImageIndex = RegisterMarker();
    ASSERT_EQ(record.nImageIndex, 0);

    Draw(record, 0);
    EXPECT_EQ(At(1, 1), strip);
    EXPECT_EQ(At(195, 3), body);
    EXPECT_EQ(dc_.GetPixel(kItem.left - 1, kItem.top), RGB(1, 2, 3));  // nothing outside
    EXPECT_EQ(At(4 + 5, 4 + 5), BCMenu::BlendToWhite(kMarker, 0.3));   // faded

    Draw(record, ODS_SELECTED);
    EXPECT_EQ(At(0, 0), highlight);
    EXPECT_EQ(At(195, 3), BCMenu::BlendToWhite(highlight, 0.85));
    EXPECT_EQ(At(3 + 5, 3 + 5), kMarker);  // lifted up-left
    EXPECT_EQ(At(5 + 5, 5 + 5), shadow);   // its shadow down-right

    Draw(record, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(At(3 + 5, 3 + 5), kMarker);
    EXPECT_EQ(At(2, 2), BCMenu::BlendToWhite(highlight, 0.55));
    EXPECT_EQ(At(1, 1), highlight);  // the box frame

    // Disabled and hot: no selection, the greyed image, the disabled text colour.
    Draw(record, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(At(0, 0), strip);
    EXPECT_EQ(At(195, 3), body);
    EXPECT_EQ(At(4 + 5, 4 + 5),
              BCMenu::BlendToWhite(::GetSysColor(COLOR_3DSHADOW), (255 / 3) / 255.0));
    const COLORREF greyText = BCMenu::BlendToWhite(::GetSysColor(COLOR_GRAYTEXT), 0.4);
    int grey = 0;
    for (int x = 31; x < 45; ++x)
        for (int y = 0; y < 23; ++y)
            grey += At(x, y) == greyText;
    EXPECT_GT(grey, 0);
}

TEST_F(MenuDraw, ChecksSeparatorsAndTexts) {
    const COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    BCMenuData record;
    record.SetAnsiString("A");
    Draw(record, ODS_CHECKED);
    // The tick, shortened by one, from the box's mark origin (8, 8).
    const int rows[7][2] = {{2, 5}, {3, 6}, {4, 7}, {3, 6}, {2, 5}, {1, 4}, {0, 3}};
    for (int i = 0; i < 7; ++i) {
        for (int y = 0; y < 9; ++y) {
            const bool on = y >= rows[i][0] && y < rows[i][1] - 1;
            EXPECT_EQ(At(8 + i, 8 + y) == text, on) << i << "," << y;
        }
    }
    // A checked bitmap makes it a radio item: a dot.
    CBitmap dot;
    dot.CreateBitmap(8, 8, 1, 1, nullptr);
    popup_.SetMenuItemBitmaps(kCommand, MF_BYCOMMAND, nullptr, dot);
    Draw(record, ODS_CHECKED);
    EXPECT_EQ(At(8 + 2, 8 + 2), text);
    EXPECT_EQ(At(8 + 3, 8 + 3), text);
    EXPECT_NE(At(8 + 6, 8 + 2), text);

    // A separator: body, strip, and the etched line at half height.
    BCMenuData separator;
    separator.nFlags = MF_SEPARATOR;
    Draw(separator, 0);
    EXPECT_EQ(At(40, 23 / 2), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(40, 23 / 2 + 1), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_NE(At(25, 23 / 2), ::GetSysColor(COLOR_3DSHADOW));  // starts 7 after the strip

    // The shortcut ends 16 pixels before the right edge; the mnemonic is underlined.
    BCMenuData shortcut;
    shortcut.SetAnsiString("W\tW");
    Draw(shortcut, 0);
    EXPECT_EQ(Dark(CRect(kItem.right - 16, kItem.top, kItem.right, kItem.bottom)), 0);
    EXPECT_GT(Dark(CRect(kItem.right - 30, kItem.top, kItem.right - 16, kItem.bottom)), 0);
    BCMenuData plain, mnemonic;
    plain.SetAnsiString("W");
    mnemonic.SetAnsiString("&W");
    const CRect label(kItem.left + 31, kItem.top, kItem.left + 60, kItem.bottom);
    Draw(plain, 0);
    const int plainInk = Dark(label);
    Draw(mnemonic, 0);
    EXPECT_GT(Dark(label), plainInk);
    // Without a record nothing is drawn.
    dc_.FillSolidRect(0, 0, 300, 100, RGB(1, 2, 3));
    DRAWITEMSTRUCT empty{ODT_MENU, 0, 0, ODA_DRAWENTIRE, 0, nullptr, dc_.m_hDC, kItem, 0};
    menu_.DrawItem(&empty);
    EXPECT_EQ(At(1, 1), RGB(1, 2, 3));
}

TEST_F(MenuDraw, ClassicFramesAndEmbossedImages) {
    const COLORREF bg = ::GetSysColor(COLOR_MENU);
    BCMenuData record;
    record.SetAnsiString("A");
    record.nImageIndex = RegisterMarker();
    const int dy = (23 - 4 - 16) / 2;
    Draw(record, ODS_CHECKED, true);  // sunken
    EXPECT_EQ(At(0, dy), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(19, dy + 19), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(At(2 + 5, 2 + dy + 5), kMarker);
    Draw(record, ODS_SELECTED, true);  // raised
    EXPECT_EQ(At(0, dy), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(At(19, dy + 19), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(100, 5), ::GetSysColor(COLOR_HIGHLIGHT));
    Draw(record, 0, true);
    EXPECT_EQ(At(0, dy), bg);

    // Embossed: the highlight one pixel down-right, the shadow on top.
    CBitmap image;
    image.CreateBitmap(16, 16, 1, 32, nullptr);
    {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap* old = mem.SelectObject(&image);
        mem.FillSolidRect(0, 0, 16, 16, ::GetSysColor(COLOR_3DFACE));
        mem.SetPixel(5, 5, RGB(0, 0, 0));
        mem.SelectObject(old);
    }
    dc_.FillSolidRect(0, 0, 300, 100, bg);
    BCMenu::DrawEmbossed(&dc_, 40, 40, 16, 16, image, 0, 0, bg);
    EXPECT_EQ(dc_.GetPixel(45, 45), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc_.GetPixel(46, 46), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(dc_.GetPixel(50, 50), bg);
    // The classic check box, sunken, with its tick.
    dc_.FillSolidRect(0, 0, 300, 100, bg);
    BCMenu::DrawClassicCheck(&dc_, CRect(10, 10, 26, 26), FALSE, nullptr);
    EXPECT_EQ(dc_.GetPixel(10, 10), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc_.GetPixel(12, 12), BCMenu::BlendToWhite(bg, 0.6));
    EXPECT_EQ(dc_.GetPixel(14, 16), ::GetSysColor(COLOR_MENUTEXT));
}

TEST_F(MenuDraw, OffScreenDcCopiesAndPrintingDrawsThrough) {
    const CRect rc(50, 20, 90, 40);
    {
        BCMenuMemDC mem(&dc_, &rc);
        mem.FillSolidRect(&rc, RGB(9, 9, 9));  // in the target's coordinates
        EXPECT_EQ(dc_.GetPixel(60, 30), RGB(1, 2, 3));
    }
    EXPECT_EQ(dc_.GetPixel(60, 30), RGB(9, 9, 9));
    EXPECT_EQ(dc_.GetPixel(49, 30), RGB(1, 2, 3));
    dc_.m_bPrinting = TRUE;
    {
        BCMenuMemDC mem(&dc_, &rc);
        mem.FillSolidRect(&rc, RGB(7, 7, 7));
        EXPECT_EQ(dc_.GetPixel(60, 30), RGB(7, 7, 7));
    }
    dc_.m_bPrinting = FALSE;
    EXPECT_EQ(dc_.GetPixel(60, 30), RGB(7, 7, 7));  // the target's handles survive
}

}  // namespace
