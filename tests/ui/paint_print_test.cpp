#include "platform/gfx/SurfaceDc.h"
#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

class PaintPrint : public PaintTest {
  protected:
    // A child that draws shapes and text into the DC it is given, or else its paint DC.
    HWND Drawing(HWND parent, RECT r) {
        HWND child = CreateChild(parent, 7, r);
        OnMessage(child, [](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
            if (m == WM_ERASEBKGND) {
                RECT rc{};
                GetClientRect(h, &rc);
                FillRect(reinterpret_cast<HDC>(w), &rc, GetSysColorBrush(COLOR_INFOBK));
                return 1;
            }
            if (m != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps{};
            HDC dc = w ? reinterpret_cast<HDC>(w) : BeginPaint(h, &ps);
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            Ellipse(dc, 5, 5, 60, 40);
            SetBkMode(dc, TRANSPARENT);
            TextOut(dc, 10, 45, "Print me", 8);
            if (!w)
                EndPaint(h, &ps);
            return 0;
        });
        return child;
    }

    // Pixels of a memory DC and of the screen (at `at`) differ somewhere?
    static int Differences(HDC memory, POINT at, int width, int height) {
        auto surface = kq::gfx::DCSurface(memory);
        kq::gfx::Image screen =
            CaptureScreenRect(RECT{at.x, at.y, at.x + width, at.y + height}, {false, false});
        int differences = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                differences += (surface->Pixel(x, y) & 0xFFFFFF) != (screen.Pixel(x, y) & 0xFFFFFF);
        }
        return differences;
    }
};

TEST_F(PaintPrint, PrintClientGivesTheSamePixelsAsTheScreen) {
    HWND top = Solid(nullptr, {100, 100, 400, 300}, kBlue);
    HWND child = Drawing(top, {20, 20, 120, 90});
    Pump();
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(100, 70, 1, 32, nullptr);
    SelectObject(memory, bitmap);
    SendMessage(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    // Nothing but the shapes was drawn: the background stays the bitmap's black.
    EXPECT_EQ(GetPixel(memory, 1, 1), RGB(0, 0, 0));
    SendMessage(child, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_ERASEBKGND | PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, 1, 1), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(GetPixel(memory, 32, 5), RGB(0, 0, 0));  // the ellipse's top
    EXPECT_EQ(Differences(memory, ClientOrigin(child), 100, 70), 0);
    EXPECT_EQ(Count(child, WM_PAINT), 3);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

TEST_F(PaintPrint, PrintDrawsTheFrameAndTheChildrenInPlace) {
    HWND top = Solid(nullptr, {100, 100, 400, 300}, kBlue, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    HWND child = Drawing(top, {20, 20, 120, 90});
    HWND hidden = Solid(top, {150, 20, 200, 90}, kRed);
    ShowWindow(hidden, SW_HIDE);
    Pump();
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(300, 200, 1, 32, nullptr);
    SelectObject(memory, bitmap);
    SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    EXPECT_EQ(Differences(memory, POINT{100, 100}, 300, 200), 0);

    // PRF_CHECKVISIBLE leaves out hidden windows; without PRF_CHILDREN children are left out.
    RECT all{0, 0, 300, 200};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessage(hidden, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                PRF_CHECKVISIBLE | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 255, 255));
    SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_ERASEBKGND);
    const POINT c = ClientOrigin(child);
    EXPECT_EQ(GetPixel(memory, c.x - 100 + 1, c.y - 100 + 1), kBlue);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace kq::ui::test
