#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

using Names = std::vector<std::string>;

// A 400x300 frame at (100,100) whose client area starts at (104,123) on the screen, with a
// child that accepts double-clicks at (10,10)-(110,60) of that client area.
class Input : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        top_ = CreateTopLevel({100, 100, 500, 400});
        child_ = CreateChild(top_, 1, {10, 10, 110, 60}, WS_CHILD | WS_VISIBLE, 0, kDblClickClass);
        Pump();
        ClearLog();
    }
    static POINT InChild(int x, int y) { return POINT{114 + x, 133 + y}; }
    std::vector<LoggedMessage> Of(HWND hwnd, UINT message) const {
        std::vector<LoggedMessage> list;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == hwnd && m.message == message)
                list.push_back(m);
        }
        return list;
    }
    HWND top_ = nullptr;
    HWND child_ = nullptr;
};

const std::vector<UINT> kMouse = {WM_MOUSEACTIVATE, WM_SETCURSOR,     WM_MOUSEMOVE,
                                  WM_LBUTTONDOWN,   WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                                  WM_RBUTTONDOWN,   WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK};

TEST_F(Input, AClickReachesTheWindowUnderTheCursorInClientCoordinates) {
    Click(InChild(10, 12));
    EXPECT_EQ(NamesOf(child_, kMouse), (Names{"WM_MOUSEACTIVATE", "WM_SETCURSOR", "WM_LBUTTONDOWN",
                                              "WM_SETCURSOR", "WM_LBUTTONUP"}));
    auto down = Of(child_, WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].wParam, MK_LBUTTON);
    EXPECT_EQ(down[0].lParam, MAKELPARAM(10, 12));
    EXPECT_EQ(Of(child_, WM_LBUTTONUP)[0].wParam, 0u);
    // The parent is asked first by the default handling of both questions.
    EXPECT_EQ(Count(top_, WM_MOUSEACTIVATE), 1);
    EXPECT_EQ(Count(top_, WM_SETCURSOR), 2);
    const DWORD pos = GetMessagePos();
    EXPECT_EQ(GET_X_LPARAM(pos), 124);
    EXPECT_EQ(GET_Y_LPARAM(pos), 145);

    ClearLog();
    InjectKey(VK_SHIFT, true);
    Click(InChild(1, 1), VK_RBUTTON);
    EXPECT_EQ(Of(child_, WM_RBUTTONDOWN)[0].wParam, MK_RBUTTON | MK_SHIFT);
    InjectKey(VK_SHIFT, false);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTheTimeAndThePlace) {
    Click(InChild(10, 10));
    Advance(300);
    Click(InChild(12, 8));
    Click(InChild(12, 8));  // a third press starts over
    EXPECT_EQ(NamesOf(child_, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (Names{"WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK", "WM_LBUTTONDOWN"}));
    ClearLog();
    Advance(501);
    Click(InChild(12, 8));
    EXPECT_EQ(NamesOf(child_, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), (Names{"WM_LBUTTONDOWN"}));
    ClearLog();
    Advance(600);
    Click(InChild(10, 10));
    Click(InChild(13, 10));  // more than half the double-click width away
    EXPECT_EQ(NamesOf(child_, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (Names{"WM_LBUTTONDOWN", "WM_LBUTTONDOWN"}));
    // The frame's class has no CS_DBLCLKS: two presses in its client area stay presses...
    ClearLog();
    Click(POINT{300, 300});
    Click(POINT{300, 300});
    EXPECT_EQ(NamesOf(top_, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (Names{"WM_LBUTTONDOWN", "WM_LBUTTONDOWN"}));
    // ...but its caption always reports double-clicks, in screen coordinates.
    ClearLog();
    Advance(600);
    Click(POINT{300, 110});
    Click(POINT{300, 110});
    auto nc = Of(top_, WM_NCLBUTTONDBLCLK);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(static_cast<LRESULT>(nc[0].wParam), HTCAPTION);
    EXPECT_EQ(nc[0].lParam, MAKELPARAM(300, 110));
}

TEST_F(Input, CaptureTakesTheMouseWhereverItGoes) {
    OnMessage(child_, [](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_LBUTTONDOWN)
            SetCapture(hwnd);
        if (msg == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    });
    MouseDown(InChild(5, 5));
    EXPECT_EQ(GetCapture(), child_);
    ClearLog();
    MouseMove(POINT{50, 60});  // outside the frame altogether
    MouseUp(POINT{50, 60});
    EXPECT_EQ(NamesOf(child_,
                      {WM_MOUSEMOVE, WM_LBUTTONUP, WM_SETCURSOR, WM_NCHITTEST, WM_CAPTURECHANGED}),
              (Names{"WM_MOUSEMOVE", "WM_LBUTTONUP", "WM_CAPTURECHANGED"}));
    auto move = Of(child_, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(move[0].lParam), 50 - 114);
    EXPECT_EQ(GET_Y_LPARAM(move[0].lParam), 60 - 133);
    EXPECT_EQ(Of(child_, WM_CAPTURECHANGED)[0].lParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);

    SetCapture(child_);
    ClearLog();
    SetCapture(top_);
    auto changed = Of(child_, WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(changed[0].lParam), top_);
    DestroyWindow(top_);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, ClickingAnInactiveWindowActivatesItUnlessItSaysNo) {
    HWND other = CreateTopLevel({600, 100, 800, 300});
    ASSERT_EQ(GetActiveWindow(), other);
    ClearLog();
    Click(InChild(5, 5));
    EXPECT_EQ(GetActiveWindow(), top_);
    EXPECT_EQ(Sequence({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN},
                       {{top_, "top"}, {child_, "child"}, {other, "other"}}),
              (Names{"child:WM_MOUSEACTIVATE", "top:WM_MOUSEACTIVATE", "other:WM_ACTIVATE",
                     "top:WM_ACTIVATE", "child:WM_LBUTTONDOWN"}));
    EXPECT_EQ(LOWORD(Of(top_, WM_ACTIVATE)[0].wParam), WA_CLICKACTIVE);

    SetActiveWindow(other);
    OnMessage(top_, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_MOUSEACTIVATE)
            return MA_NOACTIVATEANDEAT;
        return std::nullopt;
    });
    ClearLog();
    Click(InChild(5, 5));
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(Count(child_, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(child_, WM_LBUTTONUP), 1);
}

TEST_F(Input, DisabledWindowsGetNoInput) {
    EnableWindow(child_, FALSE);
    Click(InChild(5, 5));
    EXPECT_EQ(Count(child_, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(top_, WM_LBUTTONDOWN), 1);  // the point belongs to the parent now
    EnableWindow(top_, FALSE);
    ClearLog();
    Click(InChild(5, 5));
    KeyPress('A');
    for (HWND h : {top_, child_}) {
        EXPECT_EQ(NamesOf(h, {WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP,
                              WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_ACTIVATE}),
                  Names{});
    }
}

TEST_F(Input, KeysGoToTheFocusWindowWithTheirFlagsAndText) {
    SetFocus(child_);
    ClearLog();
    KeyPress('A');
    KeyDown(VK_SHIFT);
    KeyPress('A');
    KeyUp(VK_SHIFT);
    KeyPress(VK_OEM_1, "ü");  // the back end's layout decides the text
    EXPECT_EQ(NamesOf(child_, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
              (Names{"WM_KEYDOWN", "WM_CHAR", "WM_KEYUP", "WM_KEYDOWN", "WM_KEYDOWN", "WM_CHAR",
                     "WM_KEYUP", "WM_KEYUP", "WM_KEYDOWN", "WM_CHAR", "WM_KEYUP"}));
    auto chars = Of(child_, WM_CHAR);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(chars[2].wParam, 0xFCu);
    auto down = Of(child_, WM_KEYDOWN);
    EXPECT_EQ(down[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(down[0].lParam & 0xFFFF, 1);
    EXPECT_FALSE(down[0].lParam & (1 << 30));
    auto up = Of(child_, WM_KEYUP);
    EXPECT_EQ(static_cast<DWORD>(up[0].lParam) & 0xC0000000u, 0xC0000000u);

    ClearLog();
    KeyDown('B');
    KeyDown('B');  // held: the second press is a repeat
    KeyUp('B');
    down = Of(child_, WM_KEYDOWN);
    ASSERT_EQ(down.size(), 2u);
    EXPECT_TRUE(down[1].lParam & (1 << 30));

    ClearLog();
    Type("é€");
    chars = Of(child_, WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, 0xE9u);
    EXPECT_EQ(chars[1].wParam, 0x20ACu);
}

TEST_F(Input, AltMakesSystemKeysAndAltF4Closes) {
    SetFocus(child_);
    ClearLog();
    KeyDown(VK_MENU);
    KeyPress('F');
    KeyUp(VK_MENU);
    EXPECT_EQ(
        NamesOf(child_, {WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYUP}),
        (Names{"WM_SYSKEYDOWN", "WM_SYSKEYDOWN", "WM_SYSCHAR", "WM_SYSKEYUP", "WM_SYSKEYUP"}));
    auto sys = Of(child_, WM_SYSKEYDOWN);
    EXPECT_TRUE(sys[1].lParam & (1 << 29));
    EXPECT_EQ(Of(child_, WM_SYSCHAR)[0].wParam, static_cast<WPARAM>('f'));
    KeyDown(VK_MENU);
    KeyPress(VK_F4);
    KeyUp(VK_MENU);
    EXPECT_FALSE(IsWindow(top_));
}

TEST_F(Input, KeyStateFollowsTheMessagesTakenAndTheAsyncStateTheInput) {
    SetFocus(child_);
    InjectKey(VK_CONTROL, true);
    EXPECT_TRUE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    EXPECT_TRUE(GetAsyncKeyState(VK_LCONTROL) & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
    Pump();
    EXPECT_TRUE(GetKeyState(VK_CONTROL) < 0);
    KeyPress('C');
    EXPECT_EQ(Of(child_, WM_CHAR)[0].wParam, 3u);  // CTRL+C
    KeyUp(VK_CONTROL);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
    KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    MouseDown(InChild(5, 5));
    EXPECT_TRUE(GetKeyState(VK_LBUTTON) < 0);
    MouseUp(InChild(5, 5));
    EXPECT_FALSE(GetKeyState(VK_LBUTTON) < 0);
}

TEST_F(Input, TheWheelGoesToTheWindowUnderTheCursorAndUpTheParents) {
    // Over the child that has no focus: the child, then its parent.
    HWND other = CreateTopLevel({600, 100, 700, 200});
    SetFocus(other);
    ClearLog();
    const POINT over = InChild(5, 5);
    InjectMouseWheel(over, -WHEEL_DELTA);
    Pump();
    auto wheel = Of(child_, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -WHEEL_DELTA);
    EXPECT_EQ(wheel[0].lParam, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(Count(top_, WM_MOUSEWHEEL), 1);
    EXPECT_EQ(Count(other, WM_MOUSEWHEEL), 0);
    // Over no window of the program: the focus.
    ClearLog();
    InjectMouseWheel(POINT{900, 700}, WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Count(other, WM_MOUSEWHEEL), 1);
    EXPECT_EQ(Count(child_, WM_MOUSEWHEEL), 0);
}

TEST_F(Input, TheCursorShapeFollowsTheFrameAndTheClass) {
    MouseMove(POINT{101, 250});
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    EXPECT_EQ(StandardCursorId(GetCursor()), 32644);
    POINT pt{};
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(101, 250));
    EXPECT_EQ(LoadCursor(nullptr, KQ_IDC(1)), nullptr);
}

}  // namespace
}  // namespace kq::ui::test
