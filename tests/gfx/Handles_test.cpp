#include <gtest/gtest.h>

#include "GfxTestUtil.h"
#include "platform/gfx/HandleTable.h"

using kq::gfx::test::Canvas;

TEST(Handles, DeletedAndForeignHandlesAreRefused) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(::GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_TRUE(::DeleteObject(pen));
    EXPECT_FALSE(::DeleteObject(pen));
    EXPECT_EQ(::GetObject(pen, sizeof(lp), &lp), 0);
    EXPECT_EQ(::GetObjectType(pen), 0u);

    Canvas c(4, 4);
    EXPECT_EQ(::SelectObject(c.hdc, pen), nullptr);
    EXPECT_EQ(::SelectObject(c.hdc, reinterpret_cast<HGDIOBJ>(0x12345678)), nullptr);
    EXPECT_FALSE(::LineTo(reinterpret_cast<HDC>(pen), 1, 1));

    HDC mem = ::CreateCompatibleDC(nullptr);
    EXPECT_TRUE(::DeleteDC(mem));
    EXPECT_FALSE(::DeleteDC(mem));
    EXPECT_EQ(::SetBkColor(mem, 0), CLR_INVALID);
    EXPECT_EQ(::GetDeviceCaps(mem, LOGPIXELSX), 0);

    // A handle of one kind is not accepted as another.
    HBRUSH brush = ::CreateSolidBrush(0);
    EXPECT_FALSE(::PtInRegion(reinterpret_cast<HRGN>(brush), 0, 0));
    ::DeleteObject(brush);
    // Stock objects survive DeleteObject.
    EXPECT_TRUE(::DeleteObject(::GetStockObject(BLACK_PEN)));
    EXPECT_EQ(::GetObjectType(::GetStockObject(BLACK_PEN)), OBJ_PEN);
}

TEST(Handles, DeletingASelectedPenIsDeferredAndASelectedBitmapIsRefused) {
    Canvas c(6, 2);
    HPEN red = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = ::SelectObject(c.hdc, red);
    EXPECT_TRUE(::DeleteObject(red));
    // The DC keeps drawing with the pen until it is selected out.
    ::MoveToEx(c.hdc, 0, 0, nullptr);
    ::LineTo(c.hdc, 3, 0);
    EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(::SelectObject(c.hdc, old), red);
    EXPECT_EQ(::GetObjectType(red), 0u);

    HDC mem = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = ::CreateCompatibleBitmap(c.hdc, 4, 4);
    HGDIOBJ oldBmp = ::SelectObject(mem, bmp);
    EXPECT_FALSE(::DeleteObject(bmp));
    // A bitmap is in one DC at a time.
    HDC other = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(::SelectObject(other, bmp), nullptr);
    ::SelectObject(mem, oldBmp);
    EXPECT_NE(::SelectObject(other, bmp), nullptr);
    ::DeleteDC(other);  // deleting the DC releases its bitmap
    EXPECT_TRUE(::DeleteObject(bmp));
    ::DeleteDC(mem);
}

TEST(Handles, WrappersSelectAndReturnPreviousObjects) {
    Canvas c(4, 4);
    CPen pen(PS_DASH, 1, RGB(0, 0, 0));
    CPen* old = c.dc.SelectObject(&pen);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(c.dc.SelectObject(old), &pen);
    CGdiObject* stock = c.dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->m_hObject, ::GetStockObject(WHITE_BRUSH));
    EXPECT_NE(dynamic_cast<CBrush*>(stock), nullptr);

    // A wide pen asked for with a dash style is solid, as GDI makes it.
    CPen wide(PS_DOT, 3, RGB(0, 0, 0));
    LOGPEN lp{};
    wide.GetLogPen(&lp);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(lp.lopnWidth.x, 3);

    // A temporary wrapper goes with its handle.
    HBRUSH raw = ::CreateSolidBrush(RGB(9, 9, 9));
    CBrush* temp = CBrush::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    LOGBRUSH lb{};
    temp->GetLogBrush(&lb);
    EXPECT_EQ(lb.lbColor, RGB(9, 9, 9));
    ::DeleteObject(raw);
    EXPECT_EQ(CBrush::FromHandle(raw), nullptr);

    CDC* tempDc = CDC::FromHandle(c.hdc);
    EXPECT_EQ(tempDc, &c.dc);
}

TEST(Handles, StockObjectsDescribeThemselves) {
    LOGBRUSH lb{};
    ::GetObject(::GetStockObject(LTGRAY_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
    ::GetObject(::GetStockObject(HOLLOW_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, BS_NULL);
    LOGFONT lf{};
    EXPECT_EQ(::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf),
              static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    LOGBRUSH sys{};
    ::GetObject(::GetSysColorBrush(COLOR_3DSHADOW), sizeof(sys), &sys);
    EXPECT_EQ(sys.lbColor, RGB(128, 128, 128));
    BITMAP bm{};
    HBITMAP mono = ::CreateBitmap(9, 3, 1, 1, nullptr);
    ::GetObject(mono, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 9);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    ::DeleteObject(mono);
}
