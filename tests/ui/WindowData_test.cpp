#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class WindowData : public UiTest {};

WNDPROC g_original = nullptr;
int g_subclassCalls = 0;

LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER) {
        ++g_subclassCalls;
        return CallWindowProc(g_original, hwnd, msg, wp + 100, lp);
    }
    if (msg == WM_USER + 1)
        return 77;  // swallowed by the subclass
    return CallWindowProc(g_original, hwnd, msg, wp, lp);
}

TEST_F(WindowData, SubclassingThroughTheWindowProcedure) {
    HWND hwnd = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    OnMessage(hwnd, [](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER)
            return static_cast<LRESULT>(wp);
        return std::nullopt;
    });
    g_subclassCalls = 0;
    g_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    ASSERT_NE(g_original, nullptr);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassProc));
    ClearLog();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 1, 0), 101);
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 1, 0, 0), 77);
    PostMessage(hwnd, WM_USER, 2, 0);
    Pump();
    EXPECT_EQ(g_subclassCalls, 2);
    EXPECT_EQ(Count(hwnd, WM_USER), 2);
    EXPECT_EQ(Count(hwnd, WM_USER + 1), 0);
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 1, 0), 1);
}

TEST_F(WindowData, ExtraBytesUserDataAndIds) {
    HWND top = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    HWND child = CreateChild(top, 5, {0, 0, 1, 1});
    EXPECT_EQ(GetWindowLong(child, 0), 0);
    EXPECT_EQ(SetWindowLong(child, 0, 1234), 0);
    EXPECT_EQ(SetWindowLongPtr(child, 8, LONG_PTR{-7}), 0);
    EXPECT_EQ(GetWindowLong(child, 0), 1234);
    EXPECT_EQ(GetWindowLongPtr(child, 8), -7);
    EXPECT_EQ(GetWindowLong(child, 13), 0);  // would run past the 16 bytes
    EXPECT_EQ(SetWindowLong(child, 13, 9), 0);
    EXPECT_EQ(GetWindowLong(child, -100), 0);
    int data = 0;
    SetWindowLongPtr(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&data));
    EXPECT_EQ(GetWindowLongPtr(child, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&data));
    EXPECT_EQ(SetWindowLong(child, GWL_ID, 9), 5);
    EXPECT_EQ(GetDlgItem(top, 9), child);
    EXPECT_EQ(GetWindowLongPtr(child, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(top));
}

TEST_F(WindowData, StyleChangesAreAnnouncedAndMayBeAdjusted) {
    HWND hwnd = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    OnMessage(hwnd, [](HWND, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_BORDER;
        return std::nullopt;
    });
    ClearLog();
    const LONG old = GetWindowLong(hwnd, GWL_STYLE);
    EXPECT_EQ(SetWindowLong(hwnd, GWL_STYLE, old | WS_CAPTION), old);
    EXPECT_EQ(NamesOf(hwnd), (std::vector<std::string>{"WM_STYLECHANGING", "WM_STYLECHANGED"}));
    EXPECT_TRUE(GetWindowLong(hwnd, GWL_STYLE) & WS_BORDER);
    SetWindowLong(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE)), WS_EX_TOOLWINDOW);
}

TEST_F(WindowData, OwnersCannotFormACycle) {
    HWND a = CreateTopLevel({0, 0, 10, 10}, WS_POPUP);
    HWND b = CreateTopLevel({0, 0, 10, 10}, WS_POPUP, 0, a);
    EXPECT_EQ(GetWindowLongPtr(b, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(a));
    EXPECT_EQ(SetWindowLongPtr(a, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(b)), 0);
    EXPECT_EQ(GetWindow(a, GW_OWNER), nullptr);
}

BOOL CollectChild(HWND hwnd, LPARAM lp) {
    auto* list = reinterpret_cast<std::vector<int>*>(lp);
    list->push_back(GetDlgCtrlID(hwnd));
    return list->size() < 4 ? TRUE : FALSE;
}

TEST_F(WindowData, EnumeratingChildrenVisitsParentsBeforeTheirChildren) {
    HWND top = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
    HWND one = CreateChild(top, 1, {0, 0, 1, 1});
    CreateChild(one, 11, {0, 0, 1, 1});
    CreateChild(one, 12, {0, 0, 1, 1});
    CreateChild(top, 2, {0, 0, 1, 1});
    CreateChild(top, 3, {0, 0, 1, 1});
    std::vector<int> ids;
    EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&ids));
    EXPECT_EQ(ids, (std::vector<int>{1, 11, 12, 2}));  // stopped by the callback
}

}  // namespace
}  // namespace kq::ui::test
