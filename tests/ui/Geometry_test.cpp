#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

class Geometry : public UiTest {};

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

LRESULT HitTest(HWND hwnd, int x, int y) {
    return SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

TEST_F(Geometry, NonClientAreaFollowsTheStyles) {
    HWND top = CreateTopLevel({100, 100, 500, 400});
    EXPECT_EQ(CRect(ClientRect(top)), CRect(0, 0, 392, 273));  // 4 px frame, 19 px caption
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    EXPECT_EQ(CPoint(origin), CPoint(104, 123));

    HWND child =
        CreateChild(top, 1, {10, 10, 110, 60}, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    EXPECT_EQ(CRect(ClientRect(child)), CRect(0, 0, 82, 48));
    EXPECT_EQ(CRect(WindowRect(child)), CRect(114, 133, 214, 183));
    POINT pt{0, 0};
    EXPECT_EQ(MapWindowPoints(child, top, &pt, 1), static_cast<int>(MAKELONG(11, 11)));
    EXPECT_EQ(CPoint(pt), CPoint(11, 11));
    pt = POINT{115, 134};
    ScreenToClient(child, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(0, 0));

    RECT r{0, 0, 392, 273};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(CRect(r), CRect(-4, -23, 396, 277));
    HWND edged = CreateTopLevel({0, 0, 100, 100}, WS_POPUP | WS_DLGFRAME, WS_EX_CLIENTEDGE);
    EXPECT_EQ(CRect(ClientRect(edged)), CRect(0, 0, 90, 90));
}

TEST_F(Geometry, HitTestingNamesEveryPartOfTheFrame) {
    HWND top = CreateTopLevel({100, 100, 500, 400});
    EXPECT_EQ(HitTest(top, 300, 110), HTCAPTION);
    EXPECT_EQ(HitTest(top, 110, 110), HTSYSMENU);
    EXPECT_EQ(HitTest(top, 490, 110), HTCLOSE);
    EXPECT_EQ(HitTest(top, 470, 110), HTMAXBUTTON);
    EXPECT_EQ(HitTest(top, 455, 110), HTMINBUTTON);
    EXPECT_EQ(HitTest(top, 101, 250), HTLEFT);
    EXPECT_EQ(HitTest(top, 498, 250), HTRIGHT);
    EXPECT_EQ(HitTest(top, 101, 101), HTTOPLEFT);
    EXPECT_EQ(HitTest(top, 300, 398), HTBOTTOM);
    EXPECT_EQ(HitTest(top, 499, 399), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(top, 300, 300), HTCLIENT);
    EXPECT_EQ(HitTest(top, 50, 50), HTNOWHERE);
    HWND tool = CreateTopLevel({0, 0, 200, 100}, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                               WS_EX_TOOLWINDOW);
    EXPECT_EQ(CRect(ClientRect(tool)), CRect(0, 0, 194, 79));  // 3 px frame, 15 px caption
    EXPECT_EQ(HitTest(tool, 193, 10), HTCLOSE);
    EXPECT_EQ(HitTest(tool, 10, 10), HTCAPTION);
    HWND scrolled =
        CreateChild(tool, 1, {0, 0, 100, 50}, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
    EXPECT_EQ(HitTest(scrolled, 3 + 95, 18 + 10), HTVSCROLL);
    EXPECT_EQ(HitTest(scrolled, 3 + 10, 18 + 45), HTHSCROLL);
    EXPECT_EQ(HitTest(scrolled, 3 + 95, 18 + 45), HTGROWBOX);
}

TEST_F(Geometry, SetWindowPosSendsItsMessagesAndHonoursItsFlags) {
    HWND top = CreateTopLevel({100, 100, 500, 400});
    Pump();
    ClearLog();
    SetWindowPos(top, nullptr, 50, 60, 500, 350, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(NamesOf(top), (Names{"WM_GETMINMAXINFO", "WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE",
                                   "WM_WINDOWPOSCHANGED", "WM_MOVE", "WM_SIZE"}));
    auto log = Log();
    EXPECT_EQ(log[4].lParam, MAKELPARAM(54, 83));
    EXPECT_EQ(log[5].wParam, SIZE_RESTORED);
    EXPECT_EQ(log[5].lParam, MAKELPARAM(492, 323));

    ClearLog();
    MoveWindow(top, 70, 60, 500, 350, TRUE);
    EXPECT_EQ(NamesOf(top), (Names{"WM_GETMINMAXINFO", "WM_WINDOWPOSCHANGING",
                                   "WM_WINDOWPOSCHANGED", "WM_MOVE"}));
    ClearLog();
    SetWindowPos(top, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(NamesOf(top),
              (Names{"WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE", "WM_WINDOWPOSCHANGED"}));

    // Size limits, and a WM_WINDOWPOSCHANGING handler that has the last word.
    OnMessage(top, [](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{300, 200};
        if (msg == WM_WINDOWPOSCHANGING && !(reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_NOSIZE))
            reinterpret_cast<WINDOWPOS*>(lp)->cy += 1;
        return std::nullopt;
    });
    SetWindowPos(top, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CRect(WindowRect(top)).Size(), CSize(300, 201));
    SetWindowPos(top, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOSENDCHANGING);
    EXPECT_EQ(CRect(WindowRect(top)).Size(), CSize(300, 200));
}

TEST_F(Geometry, MaximiseMinimiseAndRestore) {
    HWND top = CreateTopLevel({100, 100, 500, 400});
    ClearLog();
    ShowWindow(top, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(top));
    EXPECT_EQ(CRect(WindowRect(top)), CRect(-4, -4, 1924, 1084));
    EXPECT_EQ(CRect(ClientRect(top)), CRect(0, 0, 1920, 1061));
    auto sizes = Log();
    auto last = std::find_if(sizes.rbegin(), sizes.rend(),
                             [](const LoggedMessage& m) { return m.message == WM_SIZE; });
    ASSERT_NE(last, sizes.rend());
    EXPECT_EQ(last->wParam, SIZE_MAXIMIZED);

    ShowWindow(top, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_FALSE(IsZoomed(top));
    EXPECT_EQ(CRect(ClientRect(top)), CRect(0, 0, 0, 0));
    ShowWindow(top, SW_RESTORE);  // back to where it was before minimising
    EXPECT_TRUE(IsZoomed(top));
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(top));
    EXPECT_EQ(CRect(WindowRect(top)), CRect(100, 100, 500, 400));

    // Created maximised but hidden: the placement is taken without showing; too narrow a
    // size was widened to the minimum tracking width.
    HWND hidden = CreateTopLevel({10, 10, 110, 110}, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(Count(hidden, WM_SHOWWINDOW), 0);
    ShowWindow(hidden, SW_RESTORE);
    EXPECT_EQ(CRect(WindowRect(hidden)), CRect(10, 10, 122, 110));

    SetMonitors(
        {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}, {{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}}});
    MoveWindow(top, 2000, 100, 400, 300, TRUE);
    ShowWindow(top, SW_MAXIMIZE);
    EXPECT_EQ(CRect(WindowRect(top)), CRect(1916, -4, 3204, 988));
}

TEST_F(Geometry, ShowWindowStatesAndTheirMessages) {
    HWND top = CreateTopLevel({0, 0, 300, 300}, WS_OVERLAPPEDWINDOW);
    HWND child = CreateChild(top, 1, {0, 0, 10, 10});
    EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
    ClearLog();
    EXPECT_FALSE(ShowWindow(top, SW_SHOWNA));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(NamesOf(top),
              (Names{"WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED"}));
    ClearLog();
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    EXPECT_EQ(Count(top, WM_SHOWWINDOW), 0);
    EXPECT_EQ(GetActiveWindow(), top);
    ClearLog();
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(ShowWindow(top, SW_HIDE));
    EXPECT_EQ(Count(top, WM_SHOWWINDOW), 1);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Geometry, ZOrderKeepsTopmostBandsAndOwnedWindowsAboveTheirOwners) {
    HWND a = CreateTopLevel({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
    HWND b = CreateTopLevel({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
    HWND c = CreateTopLevel({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
    auto order = [] {
        std::vector<HWND> list;
        for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
            list.push_back(h);
        return list;
    };
    EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
    BringWindowToTop(a);
    EXPECT_EQ(order(), (std::vector<HWND>{a, c, b}));
    EXPECT_EQ(GetActiveWindow(), a);
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(GetWindowLong(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    BringWindowToTop(c);
    EXPECT_EQ(order(), (std::vector<HWND>{b, c, a}));
    HWND owned = CreateTopLevel({0, 0, 10, 10}, WS_POPUP | WS_VISIBLE, 0, a);
    BringWindowToTop(a);
    EXPECT_EQ(order(), (std::vector<HWND>{b, owned, a, c}));
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(order(), (std::vector<HWND>{b, c, owned, a}));
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), owned);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), a);
    EXPECT_EQ(GetWindow(c, GW_HWNDFIRST), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDLAST), a);

    // Children stack in creation order; HWND_TOP lifts one.
    HWND first = CreateChild(a, 1, {0, 0, 1, 1});
    HWND second = CreateChild(a, 2, {0, 0, 1, 1});
    EXPECT_EQ(GetWindow(a, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(a, GW_CHILD), second);
}

TEST_F(Geometry, RelationsBetweenParentsChildrenAndOwners) {
    HWND top = CreateTopLevel({0, 0, 300, 300});
    HWND child = CreateChild(top, 1, {10, 10, 100, 100});
    HWND grandchild = CreateChild(child, 2, {5, 5, 20, 20});
    HWND popup = CreateTopLevel({0, 0, 10, 10}, WS_POPUP, 0, grandchild);
    HWND overlapped = CreateTopLevel({0, 0, 200, 200}, WS_OVERLAPPED, 0, top);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetParent(popup), top);  // the owner is the top-level window of the parent given
    EXPECT_EQ(GetParent(overlapped), nullptr);
    EXPECT_EQ(GetWindow(overlapped, GW_OWNER), top);
    EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsChild(top, grandchild));
    EXPECT_FALSE(IsChild(top, popup));
    EXPECT_EQ(GetDlgItem(top, 1), child);
    EXPECT_EQ(GetDlgItem(top, 2), nullptr);  // direct children only
    EXPECT_EQ(GetDlgCtrlID(grandchild), 2);

    HWND other = CreateTopLevel({400, 400, 700, 700});
    RECT before = WindowRect(grandchild);
    EXPECT_EQ(SetParent(child, other), top);
    EXPECT_TRUE(IsChild(other, grandchild));
    EXPECT_FALSE(IsChild(top, grandchild));
    EXPECT_EQ(CRect(WindowRect(grandchild)), CRect(before) + CPoint(400, 400));
    EXPECT_EQ(SetParent(other, grandchild), nullptr);  // no cycles
}

TEST_F(Geometry, FindingWindowsAtAPoint) {
    HWND top = CreateTopLevel({100, 100, 500, 400});
    HWND a = CreateChild(top, 1, {10, 10, 110, 60});
    HWND disabled = CreateChild(top, 2, {200, 10, 300, 60}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND hidden = CreateChild(top, 3, {10, 100, 110, 150}, WS_CHILD);
    HWND transparent = CreateChild(top, 4, {200, 100, 300, 150});
    OnMessage(transparent, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    });
    const POINT origin{104, 123};
    auto at = [&](int x, int y) { return WindowFromPoint(POINT{origin.x + x, origin.y + y}); };
    EXPECT_EQ(at(20, 20), a);
    EXPECT_EQ(at(250, 20), top);
    EXPECT_EQ(at(20, 120), top);
    EXPECT_EQ(at(250, 120), top);
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), nullptr);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{250, 20}), disabled);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{20, 120}), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{250, 20}, CWP_SKIPDISABLED), top);
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{20, 120}, CWP_SKIPINVISIBLE), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{-1, 5}), nullptr);

    // A transparent window (a group box) above a sibling passes the point to that sibling.
    HWND framed = CreateChild(top, 5, {220, 110, 260, 130});
    SetWindowPos(transparent, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{230, 120}), transparent);
    EXPECT_EQ(at(230, 120), framed);
    EXPECT_EQ(at(280, 120), top);
}

}  // namespace
}  // namespace kq::ui::test
