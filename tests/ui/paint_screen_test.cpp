#include "base/ScopedTempFolder.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/WindowDC.h"
#include "platform/gfx/codec/FileBytes.h"
#include "platform/gfx/codec/Png.h"
#include "platform/ui/paint/CaretBlink.h"
#include "platform/ui/paint/WindowDcHooks.h"
#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

class PaintScreen : public PaintTest {};

constexpr COLORREF Inverted(COLORREF c) {
    return c ^ 0xFFFFFF;
}

COLORREF ShotPixel(int x, int y, const ScreenshotOptions& options = {}) {
    kq::gfx::Image image = CaptureScreenRect(RECT{x, y, x + 1, y + 1}, options);
    return image.Empty() ? CLR_INVALID : kq::gfx::ColorRefFromPixel(image.Pixel(0, 0) & 0xFFFFFF);
}

TEST_F(PaintScreen, AScreenshotIsWrittenAsPng) {
    Solid(nullptr, {10, 10, 110, 60}, kRed);
    Solid(nullptr, {60, 30, 160, 90}, kGreen);
    Pump();
    kq::test::ScopedTempFolder folder;
    const RECT part{0, 0, 200, 100};
    std::string error;
    ASSERT_TRUE(SaveScreenshot(folder / "shot.png", &part, {}, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(kq::gfx::ReadFileBytes(folder / "shot.png", bytes, error)) << error;
    kq::gfx::ImageResult png = kq::gfx::DecodePng(bytes);
    ASSERT_TRUE(png.Ok()) << png.error;
    ASSERT_EQ(png.image.width, 200);
    ASSERT_EQ(png.image.height, 100);
    EXPECT_EQ(png.image.pixels, CaptureScreenRect(part).pixels);
    EXPECT_EQ(kq::gfx::ColorRefFromPixel(png.image.Pixel(20, 20) & 0xFFFFFF), kRed);
    EXPECT_EQ(kq::gfx::ColorRefFromPixel(png.image.Pixel(100, 50) & 0xFFFFFF), kGreen);
    EXPECT_EQ(kq::gfx::ColorRefFromPixel(png.image.Pixel(190, 5) & 0xFFFFFF), GetDesktopColor());

    const RECT outside{-100, -100, -10, -10};
    EXPECT_FALSE(SaveScreenshot(folder / "none.png", &outside, {}, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(PaintScreen, TheCaretBlinksOnTheClockOverThePaintedPixels) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    Pump();
    SetCaretBlinkTime(500);
    ASSERT_TRUE(CreateCaret(top, nullptr, 2, 16));
    SetCaretPos(10, 10);
    EXPECT_EQ(ShotPixel(10, 10), kGreen);  // a new caret is hidden
    ShowCaret(top);
    EXPECT_EQ(ShotPixel(10, 10), Inverted(kGreen));
    EXPECT_EQ(ShotPixel(12, 10), kGreen);
    EXPECT_EQ(At(10, 10), kGreen);  // the painted pixels stay as they are
    EXPECT_EQ(MillisUntilCaretBlink(), 500);
    Advance(500);
    EXPECT_EQ(ShotPixel(10, 10), kGreen);
    Advance(500);
    EXPECT_EQ(ShotPixel(10, 25), Inverted(kGreen));
    Advance(300);
    SetCaretPos(50, 10);  // moving shows it again at once
    EXPECT_EQ(ShotPixel(50, 10), Inverted(kGreen));
    EXPECT_EQ(ShotPixel(10, 10), kGreen);
    EXPECT_EQ(ShotPixel(50, 10, {false, false}), kGreen);
    // A window on top hides it.
    Solid(nullptr, {40, 0, 100, 50}, kBlue);
    Pump();
    EXPECT_EQ(ShotPixel(50, 10), kBlue);
    DestroyCaret();
    SetCaretBlinkTime(530);
}

TEST_F(PaintScreen, TheCursorIsDrawnOnRequest) {
    SetCursorPos(300, 300);
    Pump();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    const ScreenshotOptions withCursor{false, true};
    EXPECT_EQ(ShotPixel(300, 300, withCursor), RGB(0, 0, 0));
    EXPECT_EQ(ShotPixel(301, 303, withCursor), RGB(255, 255, 255));
    EXPECT_EQ(ShotPixel(301, 303), GetDesktopColor());
    SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(ShotPixel(300, 300, withCursor), RGB(0, 0, 0));  // the I-beam's stem
    EXPECT_EQ(ShotPixel(301, 303, withCursor), GetDesktopColor());
}

TEST_F(PaintScreen, TheScreenFollowsItsConfigurationAndShowsWhatChanged) {
    HWND top = Solid(nullptr, {0, 0, 200, 100}, kGreen);
    Pump();
    int presented = 0;
    std::vector<RECT> changes;
    SetScreenPresenter([&] {
        ++presented;
        changes = TakeScreenChanges();
    });
    Pump();
    const int before = presented;
    RECT part{10, 10, 20, 20};
    InvalidateRect(top, &part, TRUE);
    Pump();
    EXPECT_EQ(presented, before + 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(R(changes[0]), (Rc{10, 10, 20, 20}));
    Pump();
    EXPECT_EQ(presented, before + 1);  // nothing new

    // The screen's DC taken to read its resolution changes nothing; drawing through it does,
    // and only then is its area presented.
    HDC caps = GetDC(nullptr);
    EXPECT_GT(GetDeviceCaps(caps, LOGPIXELSY), 0);
    ReleaseDC(nullptr, caps);
    Pump();
    EXPECT_EQ(presented, before + 1);
    HDC draw = GetDC(nullptr);
    SetPixel(draw, 5, 5, kGreen);
    ReleaseDC(nullptr, draw);
    Pump();
    EXPECT_EQ(presented, before + 2);

    SetDesktopColor(RGB(1, 2, 3));
    EXPECT_EQ(At(500, 500), RGB(1, 2, 3));
    ClearProbes();
    SetScreenSize(800, 600);
    Pump();
    EXPECT_EQ(ScreenSurface()->Width(), 800);
    EXPECT_EQ(Probe(top).paints.size(), 1u);
    EXPECT_EQ(At(100, 50), kGreen);
    EXPECT_EQ(At(700, 500), RGB(1, 2, 3));
    EXPECT_EQ(At(900, 500), CLR_INVALID);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 800);
    ReleaseDC(nullptr, screen);
}

struct FakeWnd {
    HWND hwnd;
};

HWND HandleOfFake(CWnd* wnd) {
    return reinterpret_cast<FakeWnd*>(wnd)->hwnd;
}

TEST_F(PaintScreen, TheFrameworkDcClassesDrawThroughTheWindowSystem) {
    InstallWindowDcHooks(&HandleOfFake);
    HWND top = CreateTopLevel({0, 0, 200, 100}, WS_POPUP | WS_BORDER | WS_VISIBLE);
    FakeWnd fake{top};
    CWnd* wnd = reinterpret_cast<CWnd*>(&fake);
    OnMessage(top, [wnd](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT)
            return std::nullopt;
        CPaintDC dc(wnd);
        dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(9, 9, 9));
        return 0;
    });
    Pump();
    EXPECT_EQ(At(50, 50), RGB(9, 9, 9));
    {
        CClientDC dc(wnd);
        dc.FillSolidRect(0, 0, 10, 10, kRed);
        CWindowDC frame(wnd);
        frame.FillSolidRect(0, 0, 1, 1, kYellow);
        CClientDC screen(nullptr);
        screen.FillSolidRect(500, 500, 1, 1, kBlue);
    }
    EXPECT_EQ(At(1, 1), kRed);
    EXPECT_EQ(At(0, 0), kYellow);
    EXPECT_EQ(At(500, 500), kBlue);
    RECT r{};
    EXPECT_FALSE(GetUpdateRect(top, &r, FALSE));
    InstallWindowDcHooks(nullptr);
}

}  // namespace
}  // namespace kq::ui::test
