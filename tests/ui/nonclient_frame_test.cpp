#include <cstring>

#include "platform/ui/Input.h"
#include "platform/ui/nonclient/NonClientHooks.h"
#include "platform/ui/nonclient/NonClientLayout.h"
#include "ui/PaintTestSupport.h"

namespace kq::ui::test {
namespace {

class NonClientFrame : public PaintTest {
  protected:
    void TearDown() override {
        SetNonClientHooks({});
        PaintTest::TearDown();
    }
    // Pixels of one colour inside a screen rectangle.
    static int CountOf(COLORREF color, RECT r) {
        kq::gfx::Image image = CaptureScreenRect(r, {false, false});
        int n = 0;
        for (uint32_t p : image.pixels)
            n += kq::gfx::ColorRefFromPixel(p & 0xFFFFFF) == color;
        return n;
    }
    static detail::NonClientLayout LayoutOf(HWND hwnd) {
        RECT window{};
        GetWindowRect(hwnd, &window);
        RECT client{};
        GetClientRect(hwnd, &client);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        OffsetRect(&client, origin.x - window.left, origin.y - window.top);
        detail::NonClientFacts facts;
        facts.style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        facts.exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
        facts.window = SIZE{window.right - window.left, window.bottom - window.top};
        facts.client = client;
        return detail::LayoutNonClient(facts);
    }
};

TEST_F(NonClientFrame, TheCaptionShowsTitleButtonsAndActivation) {
    HWND top = Solid(nullptr, {100, 100, 500, 400}, kBlue, WS_OVERLAPPEDWINDOW);
    SetWindowText(top, "Caption text");
    Pump();
    EXPECT_EQ(At(100, 100), GetSysColor(COLOR_3DLIGHT));  // raised sizing frame
    EXPECT_EQ(At(499, 399), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(104, 105), GetSysColor(COLOR_ACTIVECAPTION));
    const RECT title{110, 104, 300, 122};
    EXPECT_GT(CountOf(GetSysColor(COLOR_CAPTIONTEXT), title), 20);

    // Each button is drawn where the hit test finds it.
    const detail::NonClientLayout l = LayoutOf(top);
    const std::pair<const detail::CaptionButton*, LRESULT> buttons[] = {
        {&l.close, HTCLOSE}, {&l.maximize, HTMAXBUTTON}, {&l.minimize, HTMINBUTTON}};
    for (const auto& [button, hit] : buttons) {
        ASSERT_TRUE(button->present);
        RECT r = button->rect;
        OffsetRect(&r, 100, 100);
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(x, y)), hit);
        EXPECT_GT(CountOf(GetSysColor(COLOR_BTNFACE), r), 40) << hit;
        EXPECT_GT(CountOf(GetSysColor(COLOR_BTNTEXT), r), 5) << hit;
    }

    // Another window takes the activation: the caption turns inactive at once.
    Solid(nullptr, {600, 100, 700, 200}, kGreen, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(At(104, 105), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(CountOf(GetSysColor(COLOR_CAPTIONTEXT), title), 0);
    SetActiveWindow(top);
    EXPECT_EQ(At(104, 105), GetSysColor(COLOR_ACTIVECAPTION));
    // A new title replaces the old one at once.
    SetWindowText(top, "");
    EXPECT_EQ(CountOf(GetSysColor(COLOR_CAPTIONTEXT), title), 0);
}

TEST_F(NonClientFrame, ACaptionButtonClickCountsThoughItsReleaseWasPeekedAtBeforeThePress) {
    HWND top = Solid(nullptr, {100, 100, 500, 400}, kBlue, WS_OVERLAPPEDWINDOW);
    Pump();
    RECT r = LayoutOf(top).maximize.rect;
    OffsetRect(&r, 100, 100);
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    InjectMouseMove(at);
    InjectMouseButton(at, VK_LBUTTON, true);
    InjectMouseButton(at, VK_LBUTTON, false);
    // A loop that looks ahead between taking the press and handling it.
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_NCLBUTTONDOWN)
        DispatchMessage(&msg);
    ASSERT_EQ(msg.message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    MSG ahead{};
    ASSERT_TRUE(PeekMessage(&ahead, nullptr, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_NOREMOVE));
    EXPECT_EQ(ahead.message, static_cast<UINT>(WM_NCLBUTTONUP));
    DispatchMessage(&msg);
    Pump();
    EXPECT_TRUE(IsZoomed(top));
}

TEST_F(NonClientFrame, BordersEdgesAndSmallCaptionsFollowTheStyles) {
    HWND tool = Solid(nullptr, {100, 100, 300, 200}, kBlue, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_TOOLWINDOW);
    SetActiveWindow(tool);
    HWND edit = Solid(tool, {10, 10, 110, 40}, kGreen, WS_BORDER);
    HWND list = Solid(tool, {10, 50, 110, 80}, kGreen, 0, WS_EX_CLIENTEDGE);
    Pump();
    EXPECT_EQ(At(103, 103), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(At(103, 117), GetSysColor(COLOR_BTNFACE));  // the line under a 15 px caption
    const detail::NonClientLayout l = LayoutOf(tool);
    EXPECT_TRUE(l.close.present);
    EXPECT_FALSE(l.maximize.present);
    EXPECT_EQ(l.close.rect.bottom - l.close.rect.top, 10);

    POINT e{0, 0};
    ClientToScreen(edit, &e);
    EXPECT_EQ(At(e.x - 1, e.y - 1), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(e.x, e.y), kGreen);
    POINT c{0, 0};
    ClientToScreen(list, &c);
    EXPECT_EQ(At(c.x - 2, c.y - 2), GetSysColor(COLOR_BTNSHADOW));  // sunken client edge
    EXPECT_EQ(At(c.x - 1, c.y - 1), GetSysColor(COLOR_3DDKSHADOW));
}

struct Drawn {
    std::vector<std::pair<int, RECT>> scrollBars;
    RECT menu{};
    std::vector<std::pair<int, POINT>> tracked;  // bar (2: the menu bar), where
};
Drawn g_drawn;

TEST_F(NonClientFrame, ScrollBarsAndMenuBarAreDrawnThroughTheHooks) {
    g_drawn = Drawn{};
    NonClientHooks hooks;
    hooks.drawScrollBar = [](HWND, HDC dc, int bar, const RECT& r) {
        g_drawn.scrollBars.emplace_back(bar, r);
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    hooks.drawMenuBar = [](HWND, HDC, const RECT& r) { g_drawn.menu = r; };
    hooks.trackScrollBar = [](HWND, int bar, POINT pt) { g_drawn.tracked.emplace_back(bar, pt); };
    hooks.trackMenuBar = [](HWND, POINT pt) { g_drawn.tracked.emplace_back(2, pt); };
    SetNonClientHooks(hooks);
    HWND top = CreateWindowEx(0, kClass, "menu",
                              WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 300,
                              200, nullptr, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    Pump();
    ASSERT_EQ(g_drawn.scrollBars.size(), 2u);
    RECT client{};
    GetClientRect(top, &client);
    // Window coordinates: client area at (4, 42) below the caption and the menu bar.
    EXPECT_EQ(g_drawn.scrollBars[0].first, 0);
    EXPECT_EQ(R(g_drawn.scrollBars[0].second),
              (Rc{4, 42 + client.bottom, 4 + client.right, 58 + client.bottom}));
    EXPECT_EQ(g_drawn.scrollBars[1].first, 1);
    EXPECT_EQ(R(g_drawn.menu), (Rc{4, 23, 296, 42}));
    EXPECT_EQ(At(4 + client.right + 5, 42 + 5), RGB(1, 2, 3));
    EXPECT_EQ(At(4 + client.right + 5, 42 + client.bottom + 5), GetSysColor(COLOR_BTNFACE));

    // Presses on them go to the code that tracks them.
    Click(POINT{4 + client.right + 5, 50});
    Click(POINT{50, 30});
    ASSERT_EQ(g_drawn.tracked.size(), 2u);
    EXPECT_EQ(g_drawn.tracked[0].first, 1);
    EXPECT_EQ(g_drawn.tracked[0].second.y, 50);
    EXPECT_EQ(g_drawn.tracked[1].first, 2);
    EXPECT_EQ(g_drawn.tracked[1].second.x, 50);
}

TEST_F(NonClientFrame, NonClientMetricsDescribeTheClassicLook) {
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_EQ(ncm.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(ncm.iSmCaptionHeight + 1, GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_EQ(ncm.iMenuHeight + 1, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(ncm.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(ncm.lfCaptionFont.lfWeight, FW_BOLD);
    EXPECT_EQ(ncm.lfMessageFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, -11);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, "Tahoma");
    // The older, shorter structure is filled too; anything shorter is refused.
    NONCLIENTMETRICS older{};
    std::memset(&older, 0x55, sizeof older);
    older.cbSize = sizeof older - sizeof older.iPaddedBorderWidth;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, older.cbSize, &older, 0));
    EXPECT_EQ(older.iPaddedBorderWidth, 0x55555555);
    older.cbSize = 8;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 8, &older, 0));
}

}  // namespace
}  // namespace kq::ui::test
