#include <gtest/gtest.h>

#include "GfxTestUtil.h"
#include "platform/gfx/WindowDC.h"

namespace {

// A stand-in window system: one "window" at (10, 5) on a 40 x 20 screen.
struct FakeWindowSystem {
    static inline std::shared_ptr<kq::gfx::Surface> screen;
    static inline int begun = 0;
    static inline int ended = 0;
    static inline int released = 0;

    static HDC Make(const RECT& area) {
        HDC hdc = kq::gfx::CreateSurfaceDC(screen);
        kq::gfx::SetDCDeviceArea(hdc, screen, POINT{area.left, area.top}, kq::gfx::Region(area));
        return hdc;
    }
    static HDC BeginPaint(CWnd*, PAINTSTRUCT* ps) {
        ++begun;
        ps->rcPaint = RECT{0, 0, 8, 6};
        ps->hdc = Make(RECT{10, 5, 18, 11});
        return ps->hdc;
    }
    static void EndPaint(CWnd*, const PAINTSTRUCT* ps) {
        ++ended;
        ::DeleteDC(ps->hdc);
    }
    static HDC GetDC(CWnd*, bool whole) {
        return Make(whole ? RECT{9, 4, 19, 12} : RECT{10, 5, 18, 11});
    }
    static int ReleaseDC(CWnd*, HDC hdc) {
        ++released;
        return ::DeleteDC(hdc);
    }
};

}  // namespace

TEST(WindowDC, PaintClientAndWindowDcsComeFromTheHooks) {
    FakeWindowSystem::screen = std::make_shared<kq::gfx::Surface>(40, 20);
    FakeWindowSystem::screen->Fill(0xFFFFFF);
    kq::gfx::WindowDcHooks hooks;
    hooks.beginPaint = &FakeWindowSystem::BeginPaint;
    hooks.endPaint = &FakeWindowSystem::EndPaint;
    hooks.getDC = &FakeWindowSystem::GetDC;
    hooks.releaseDC = &FakeWindowSystem::ReleaseDC;
    kq::gfx::SetWindowDcHooks(&hooks);
    CWnd* wnd = reinterpret_cast<CWnd*>(0x1);  // never dereferenced by the DC side
    {
        CPaintDC dc(wnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        EXPECT_EQ(dc.m_ps.rcPaint.right, 8);
        dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 0));
    }
    EXPECT_EQ(FakeWindowSystem::begun, 1);
    EXPECT_EQ(FakeWindowSystem::ended, 1);
    EXPECT_EQ(FakeWindowSystem::screen->Pixel(10, 5), 0u);
    EXPECT_EQ(FakeWindowSystem::screen->Pixel(17, 10), 0u);
    EXPECT_EQ(FakeWindowSystem::screen->Pixel(18, 10), 0xFFFFFFu);
    {
        CWindowDC dc(wnd);
        dc.SetPixel(0, 0, RGB(255, 0, 0));  // the window's top-left corner
    }
    EXPECT_EQ(FakeWindowSystem::screen->Pixel(9, 4), 0xFF0000u);
    {
        CClientDC dc(wnd);
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    }
    EXPECT_EQ(FakeWindowSystem::released, 2);

    // Without hooks the DCs hold nothing and drawing through them fails quietly.
    kq::gfx::SetWindowDcHooks(nullptr);
    CClientDC none(wnd);
    EXPECT_EQ(none.m_hDC, nullptr);
    EXPECT_FALSE(none.LineTo(3, 3));
    FakeWindowSystem::screen.reset();
}

TEST(WindowDC, HalftoneBrushInvertsAlternatePixels) {
    kq::gfx::test::Canvas c(8, 4);
    CBrush* halftone = CDC::GetHalftoneBrush();
    CBrush* old = c.dc.SelectObject(halftone);
    c.dc.PatBlt(0, 0, 8, 4, PATINVERT);
    EXPECT_EQ(c.Count(RGB(255, 255, 255)), 16);
    EXPECT_NE(c.At(0, 0), c.At(1, 0));
    EXPECT_NE(c.At(0, 0), c.At(0, 1));
    c.dc.PatBlt(0, 0, 8, 4, PATINVERT);
    EXPECT_EQ(c.Count(RGB(255, 255, 255)), 32);
    c.dc.SelectObject(old);
}
