#include <gtest/gtest.h>

#include "GfxTestUtil.h"
#include "platform/gfx/ImageList.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kShadow = RGB(128, 128, 128);

// A 4 x 4 icon: red with a transparent top-left quarter.
HICON MakeIcon() {
    HBITMAP color = ::CreateBitmap(4, 4, 1, 32, nullptr);
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, color);
    const RECT all{0, 0, 4, 4};
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(mem, &all, red);
    ::DeleteObject(red);
    const RECT corner{0, 0, 2, 2};
    ::FillRect(mem, &corner, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HBITMAP mask = ::CreateBitmap(4, 4, 1, 1, nullptr);
    ::SelectObject(mem, mask);
    ::FillRect(mem, &corner, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    return icon;
}

}  // namespace

TEST(UserDraw, EdgesInTheClassicColours) {
    Canvas c(10, 10);
    CRect rc(0, 0, 10, 10);
    c.dc.DrawEdge(&rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(rc, CRect(2, 2, 8, 8));
    EXPECT_EQ(c.At(0, 0), kShadow);             // outer top-left
    EXPECT_EQ(c.At(9, 9), kWhite);              // outer bottom-right: highlight
    EXPECT_EQ(c.At(1, 1), kBlack);              // inner top-left: dark shadow
    EXPECT_EQ(c.At(8, 8), RGB(223, 223, 223));  // inner bottom-right: light
    EXPECT_EQ(c.At(5, 5), kFace);               // middle
    c.Clear();
    CRect etched(0, 0, 10, 4);
    c.dc.DrawEdge(&etched, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(c.At(4, 0), kShadow);
    EXPECT_EQ(c.At(4, 1), kWhite);
    EXPECT_EQ(c.At(4, 2), kWhite);
    CRect raised(0, 0, 10, 10);
    c.dc.DrawEdge(&raised, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(c.At(0, 5), RGB(223, 223, 223));
    EXPECT_EQ(c.At(9, 5), kBlack);
}

TEST(UserDraw, FrameControlsDrawTheirSymbols) {
    Canvas c(16, 16);
    CRect box(0, 0, 13, 13);
    c.dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(c.At(0, 0), kShadow);
    EXPECT_GT(c.Count(kBlack), 20);  // dark shadow edge and the check mark
    const int checked = c.Count(kBlack);
    c.Clear();
    c.dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(checked - c.Count(kBlack), 21);  // the classic 7 x 7 check mark

    c.Clear();
    CRect push(0, 0, 16, 16);
    c.dc.DrawFrameControl(&push, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(push, CRect(2, 2, 14, 14));
    EXPECT_EQ(c.At(8, 8), kFace);
    EXPECT_EQ(c.At(15, 15), kBlack);

    c.Clear();
    CRect arrow(0, 0, 16, 16);
    c.dc.DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    EXPECT_GT(c.Count(kBlack), 16 + 16 + 4);  // frame plus the arrow
    c.Clear();
    c.dc.DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 31);  // only the frame; the arrow is embossed
    c.Clear();
    c.dc.DrawFrameControl(&arrow, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    EXPECT_GT(c.Count(kBlack), 31 + 8);

    c.Clear();
    CRect radio(0, 0, 12, 12);
    c.dc.DrawFrameControl(&radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(c.At(0, 0), kWhite);  // round: the corners stay
    EXPECT_EQ(c.At(6, 6), kBlack);  // the dot
}

TEST(UserDraw, IconsDrawWithTheirMaskAndAlpha) {
    HICON icon = MakeIcon();
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    EXPECT_EQ(info.xHotspot, 2u);  // the centre of an icon
    BITMAP bm{};
    ::GetObject(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 4);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    Canvas c(10, 10, RGB(0, 128, 0));
    ::DrawIconEx(c.hdc, 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(c.At(1, 1), RGB(0, 128, 0));  // transparent corner
    EXPECT_EQ(c.At(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.At(5, 5), RGB(0, 128, 0));
    // Stretched with a flicker-free brush.
    ::DrawIconEx(c.hdc, 0, 0, icon, 8, 8, 0, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)),
                 DI_NORMAL);
    EXPECT_EQ(c.At(1, 1), kWhite);
    EXPECT_EQ(c.At(6, 6), RGB(255, 0, 0));

    HICON copy = ::CopyIcon(icon);
    EXPECT_TRUE(::DestroyIcon(icon));
    EXPECT_FALSE(::DestroyIcon(icon));
    EXPECT_FALSE(::DrawIcon(c.hdc, 0, 0, icon));
    EXPECT_TRUE(::DrawIconEx(c.hdc, 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    ::DestroyIcon(copy);
}

TEST(UserDraw, DisabledStateIsEmbossed) {
    HICON icon = MakeIcon();
    Canvas c(10, 10, kFace);
    c.dc.DrawState(CPoint(2, 2), CSize(0, 0), icon, DSS_DISABLED, static_cast<HBRUSH>(nullptr));
    // The opaque part appears in the shadow colour, its highlight copy one pixel down-right.
    EXPECT_EQ(c.At(4, 4), kShadow);
    EXPECT_EQ(c.At(6, 6), kWhite);
    EXPECT_EQ(c.At(2, 2), kFace);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 0);

    c.Clear(kWhite);
    CBrush blue(RGB(0, 0, 255));
    c.dc.DrawState(CPoint(0, 0), CSize(4, 4), icon, DSS_MONO, &blue);
    EXPECT_EQ(c.At(3, 3), RGB(0, 0, 255));
    EXPECT_EQ(c.At(0, 0), kWhite);
    ::DestroyIcon(icon);
}

TEST(UserDraw, ImageListsAddDrawAndReplace) {
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLORDDB | ILC_MASK, 1, 1));
    HICON icon = MakeIcon();
    EXPECT_EQ(list.Add(icon), 0);

    // Two images from one bitmap with a mask colour.
    CBitmap strip;
    Canvas src(8, 4, kFace);
    src.dc.FillSolidRect(4, 0, 4, 4, RGB(0, 0, 255));
    src.dc.SetPixel(1, 1, RGB(255, 255, 0));
    strip.Attach(kq::gfx::CreateBitmapFromSurface(*src.surface));
    EXPECT_EQ(list.Add(&strip, kFace), 1);
    EXPECT_EQ(list.GetImageCount(), 3);

    Canvas c(12, 4, RGB(0, 128, 0));
    list.Draw(&c.dc, 1, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(c.At(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(c.At(1, 1), RGB(255, 255, 0));
    list.SetBkColor(RGB(1, 2, 3));
    list.Draw(&c.dc, 1, CPoint(4, 0), ILD_NORMAL);
    EXPECT_EQ(c.At(4, 0), RGB(1, 2, 3));
    list.SetBkColor(CLR_NONE);
    list.Draw(&c.dc, 2, CPoint(8, 0), ILD_BLEND50);
    EXPECT_NE(c.At(8, 0), RGB(0, 0, 255));
    EXPECT_NE(c.At(8, 0), RGB(0, 128, 0));

    // The image as an icon, replaced in place, then removed.
    HICON back = list.GetIcon(0);
    Canvas d(4, 4, RGB(0, 128, 0));
    ::DrawIconEx(d.hdc, 0, 0, back, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(d.At(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(d.At(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(list.Replace(2, back), 2);
    IMAGEINFO info{};
    ASSERT_TRUE(list.GetImageInfo(2, &info));
    EXPECT_EQ(CRect(info.rcImage), CRect(8, 0, 12, 4));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
    EXPECT_TRUE(list.SetImageCount(5));
    EXPECT_EQ(list.GetImageCount(), 5);
    ::DestroyIcon(back);
    ::DestroyIcon(icon);

    HIMAGELIST h = list.Detach();
    EXPECT_TRUE(ImageList_Destroy(h));
    EXPECT_EQ(ImageList_GetImageCount(h), 0);  // stale
}
