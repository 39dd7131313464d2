#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

class WindowLifetime : public UiTest {};

TEST_F(WindowLifetime, CreationSendsItsMessagesInOrderAndShowsAfterCreate) {
    DWORD styleDuringCreate = 0;
    OnCreation([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE)
            styleDuringCreate = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        return std::nullopt;
    });
    HWND top = CreateTopLevel({10, 10, 410, 310});
    ASSERT_TRUE(top);
    EXPECT_FALSE(styleDuringCreate & WS_VISIBLE);
    EXPECT_EQ(NamesOf(top, {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE,
                            WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP,
                            WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_WINDOWPOSCHANGED}),
              (Names{"WM_GETMINMAXINFO", "WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SIZE",
                     "WM_MOVE", "WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING", "WM_ACTIVATEAPP",
                     "WM_NCACTIVATE", "WM_ACTIVATE", "WM_SETFOCUS", "WM_WINDOWPOSCHANGED"}));
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);

    ClearLog();
    HWND child = CreateChild(top, 7, {5, 5, 50, 25});
    EXPECT_EQ(
        NamesOf(child, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
        (Names{"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SIZE", "WM_MOVE",
               "WM_SHOWWINDOW"}));
    auto notify = Log();
    auto it = std::find_if(notify.begin(), notify.end(),
                           [&](const LoggedMessage& m) { return m.message == WM_PARENTNOTIFY; });
    ASSERT_NE(it, notify.end());
    EXPECT_EQ(it->hwnd, top);
    EXPECT_EQ(LOWORD(it->wParam), WM_CREATE);
    EXPECT_EQ(HIWORD(it->wParam), 7);
    EXPECT_EQ(reinterpret_cast<HWND>(it->lParam), child);
}

TEST_F(WindowLifetime, CreateStructCarriesParametersAndTheTextIsSetByDefault) {
    int cookie = 42;
    void* seen = nullptr;
    OnCreation([&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_CREATE)
            seen = reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams;
        return std::nullopt;
    });
    HWND w = CreateWindowEx(0, kClass, "Hallo Wörld", WS_POPUP, 1, 2, 30, 40, nullptr, nullptr,
                            nullptr, &cookie);
    ASSERT_TRUE(w);
    EXPECT_EQ(seen, &cookie);
    char text[32];
    EXPECT_EQ(GetWindowText(w, text, sizeof text), 12);
    EXPECT_STREQ(text, "Hallo Wörld");
    // Truncation never splits the two bytes of "ö".
    EXPECT_EQ(GetWindowText(w, text, 9), 7);
    EXPECT_STREQ(text, "Hallo W");
    EXPECT_EQ(GetWindowTextLength(w), 12);
}

TEST_F(WindowLifetime, FailedCreationReturnsNullAndFreesTheWindow) {
    HWND failing = nullptr;
    OnCreation([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        failing = hwnd;
        if (msg == WM_CREATE)
            return -1;
        return std::nullopt;
    });
    EXPECT_EQ(CreateTopLevel({0, 0, 200, 100}), nullptr);
    EXPECT_FALSE(IsWindow(failing));
    EXPECT_EQ(NamesOf(failing, {WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (Names{"WM_CREATE", "WM_DESTROY", "WM_NCDESTROY"}));

    OnCreation([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        failing = hwnd;
        if (msg == WM_NCCREATE)
            return FALSE;
        return std::nullopt;
    });
    ClearLog();
    EXPECT_EQ(CreateTopLevel({0, 0, 200, 100}), nullptr);
    EXPECT_FALSE(IsWindow(failing));
    EXPECT_EQ(NamesOf(failing), (Names{"WM_GETMINMAXINFO", "WM_NCCREATE", "WM_NCDESTROY"}));
    EXPECT_EQ(
        CreateWindow("NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateChild(nullptr, 1, {0, 0, 1, 1}), nullptr);
}

TEST_F(WindowLifetime, DestroyNotifiesParentsFirstThenFreesChildrenFirst) {
    HWND top = CreateTopLevel({0, 0, 300, 300});
    HWND a = CreateChild(top, 1, {0, 0, 100, 100});
    HWND a1 = CreateChild(a, 11, {0, 0, 10, 10});
    HWND b = CreateChild(top, 2, {100, 0, 200, 100});
    HWND owned = CreateTopLevel({50, 50, 150, 150}, WS_POPUP | WS_VISIBLE, 0, top);
    bool childAliveDuringParentDestroy = false;
    OnMessage(top, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_DESTROY)
            childAliveDuringParentDestroy = IsWindow(a1);
        return std::nullopt;
    });
    ClearLog();
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_TRUE(childAliveDuringParentDestroy);
    EXPECT_EQ(Sequence({WM_DESTROY, WM_NCDESTROY},
                       {{top, "top"}, {a, "a"}, {a1, "a1"}, {b, "b"}, {owned, "owned"}}),
              (Names{"owned:WM_DESTROY", "owned:WM_NCDESTROY", "top:WM_DESTROY", "a:WM_DESTROY",
                     "a1:WM_DESTROY", "b:WM_DESTROY", "a1:WM_NCDESTROY", "a:WM_NCDESTROY",
                     "b:WM_NCDESTROY", "top:WM_NCDESTROY"}));
    for (HWND h : {top, a, a1, b, owned})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowLifetime, StaleHandlesFailAndLoseTheirQueuedWork) {
    HWND top = CreateTopLevel({0, 0, 100, 100});
    HWND child = CreateChild(top, 3, {0, 0, 10, 10});
    PostMessage(child, WM_USER, 1, 2);
    SetTimer(child, 5, 10, nullptr);
    ClearLog();
    DestroyWindow(child);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(SendMessage(child, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(child));
    EXPECT_FALSE(SetWindowText(child, "x"));
    EXPECT_EQ(GetParent(child), nullptr);
    Advance(50);
    EXPECT_EQ(Count(child, WM_USER), 0);
    EXPECT_EQ(Count(child, WM_TIMER), 0);
    // The parent heard of it.
    auto log = Log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const LoggedMessage& m) {
        return m.hwnd == top && m.message == WM_PARENTNOTIFY && LOWORD(m.wParam) == WM_DESTROY;
    }));
}

TEST_F(WindowLifetime, OnlyTheCreatingThreadDestroysAndRecursionIsRefused) {
    HWND top = CreateTopLevel({0, 0, 100, 100});
    BOOL fromOtherThread = TRUE;
    std::thread([&] { fromOtherThread = DestroyWindow(top); }).join();
    EXPECT_FALSE(fromOtherThread);
    EXPECT_TRUE(IsWindow(top));
    BOOL nested = TRUE;
    OnMessage(top, [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_DESTROY)
            nested = DestroyWindow(hwnd);
        return std::nullopt;
    });
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_FALSE(nested);
    EXPECT_EQ(Count(top, WM_NCDESTROY), 1);
}

TEST_F(WindowLifetime, ClassesRegisterOnceAndStayWhileWindowsExist) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW;
    wc.lpfnWndProc = DefWindowProc;
    wc.cbWndExtra = 8;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "LifetimeTestClass";
    ATOM atom = RegisterClassEx(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassEx(&wc), 0);
    WNDCLASS info{};
    ASSERT_TRUE(GetClassInfo(nullptr, "lifetimetestclass", &info));
    EXPECT_EQ(info.style, CS_DBLCLKS | CS_HREDRAW);
    EXPECT_EQ(info.cbWndExtra, 8);
    EXPECT_EQ(info.hCursor, LoadCursor(nullptr, IDC_ARROW));
    HWND w = CreateWindow(MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                          nullptr);
    ASSERT_TRUE(w);
    char name[64];
    EXPECT_EQ(GetClassName(w, name, sizeof name), 17);
    EXPECT_STREQ(name, "LifetimeTestClass");
    EXPECT_FALSE(UnregisterClass("LifetimeTestClass", nullptr));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass("LifetimeTestClass", nullptr));
    EXPECT_FALSE(GetClassInfo(nullptr, "LifetimeTestClass", &info));
}

}  // namespace
}  // namespace kq::ui::test
