#include <thread>

#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class Screen : public UiTest {};

MONITORINFOEX Info(HMONITOR monitor) {
    MONITORINFOEX info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetMonitorInfo(monitor, &info));
    return info;
}

BOOL CountMonitor(HMONITOR, HDC, LPRECT rect, LPARAM lp) {
    reinterpret_cast<std::vector<CRect>*>(lp)->push_back(CRect(rect));
    return TRUE;
}

TEST_F(Screen, DefaultsToOneFullHdMonitor) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(CRect(work), CRect(0, 0, 1920, 1080));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &work, 0));
    MONITORINFOEX info = Info(MonitorFromPoint(POINT{5, 5}, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_STREQ(info.szDevice, "\\\\.\\DISPLAY1");
    SetScreenSize(1024, 768);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1024);
}

TEST_F(Screen, SeveralMonitorsAndTheirWorkAreas) {
    SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                 {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}},
                 {{1920, 0, 3200, 1024}, {5000, 5000, 5001, 5001}}});  // work area off its monitor
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 3);
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1280);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 4480);
    HMONITOR left = MonitorFromPoint(POINT{-10, 10}, MONITOR_DEFAULTTONULL);
    HMONITOR right = MonitorFromPoint(POINT{2000, 10}, MONITOR_DEFAULTTONULL);
    EXPECT_EQ(CRect(Info(left).rcMonitor), CRect(-1280, 0, 0, 1024));
    EXPECT_EQ(Info(left).dwFlags, 0u);
    EXPECT_EQ(CRect(Info(right).rcWork), CRect(1920, 0, 3200, 1024));  // never empty
    EXPECT_EQ(MonitorFromPoint(POINT{-300, 1100}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{-300, 1100}, MONITOR_DEFAULTTONEAREST), left);
    EXPECT_EQ(Info(MonitorFromPoint(POINT{-10, 2000}, MONITOR_DEFAULTTOPRIMARY)).dwFlags,
              MONITORINFOF_PRIMARY);
    RECT straddling{1800, 100, 2200, 300};  // mostly on the right-hand monitor
    EXPECT_EQ(MonitorFromRect(&straddling, MONITOR_DEFAULTTONULL), right);
    HWND w = CreateTopLevel({1800, 100, 2200, 300});
    EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), right);

    std::vector<CRect> seen;
    RECT clip{-100, 0, 100, 100};
    EnumDisplayMonitors(nullptr, &clip, CountMonitor, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<CRect>{CRect(0, 0, 100, 100), CRect(-100, 0, 0, 100)}));

    SetScreenSize(800, 600);
    MONITORINFO stale{sizeof(MONITORINFO), {}, {}, 0};
    EXPECT_FALSE(GetMonitorInfo(left, &stale));
    SetMonitors({{{0, 0, 0, 0}, {0, 0, 0, 0}}});  // nothing usable: the default screen
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
}

TEST_F(Screen, TheCaretIsOneHiddenUntilShownAndDiesWithItsWindow) {
    HWND top = CreateTopLevel({0, 0, 100, 100});
    HWND edit = CreateChild(top, 1, {0, 0, 50, 20});
    ASSERT_TRUE(CreateCaret(edit, nullptr, 0, 14));
    EXPECT_FALSE(GetCaretState().visible);
    EXPECT_TRUE(ShowCaret(edit));
    EXPECT_TRUE(GetCaretState().visible);
    EXPECT_FALSE(ShowCaret(edit));  // cannot be more visible than visible
    HideCaret(nullptr);
    HideCaret(nullptr);
    ShowCaret(edit);
    EXPECT_FALSE(GetCaretState().visible);
    ShowCaret(edit);
    SetCaretPos(7, 3);
    CaretState caret = GetCaretState();
    EXPECT_TRUE(caret.visible);
    EXPECT_EQ(caret.owner, edit);
    EXPECT_EQ(CSize(caret.size), CSize(1, 14));
    EXPECT_EQ(CPoint(caret.pos), CPoint(7, 3));
    EXPECT_FALSE(ShowCaret(top));
    DestroyWindow(top);
    EXPECT_EQ(GetCaretState().owner, nullptr);
    EXPECT_FALSE(DestroyCaret());
}

TEST_F(Screen, TheClipboardHoldsTextForOneOpenerAtATime) {
    HWND first = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    HWND second = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    std::string text;
    EXPECT_FALSE(SetClipboardText("closed"));
    ASSERT_TRUE(OpenClipboard(first));
    EmptyClipboard();
    EXPECT_TRUE(SetClipboardText("12,5 Nm"));
    BOOL otherThread = TRUE;
    std::thread([&] { otherThread = OpenClipboard(nullptr); }).join();
    EXPECT_FALSE(otherThread);
    CloseClipboard();
    EXPECT_EQ(GetClipboardOwner(), first);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(GetClipboardText(text));
    ASSERT_TRUE(OpenClipboard(second));
    EXPECT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "12,5 Nm");
    ClearLog();
    EmptyClipboard();
    EXPECT_EQ(Count(first, WM_DESTROYCLIPBOARD), 1);
    EXPECT_EQ(GetClipboardOwner(), second);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    CloseClipboard();
}

}  // namespace
}  // namespace kq::ui::test
