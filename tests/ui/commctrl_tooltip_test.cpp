#include <cstring>
#include <string>

#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

class ToolTipTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        SetActiveWindow(parent_);
        tip_ = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, parent_,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(tip_, nullptr);
    }
    bool AddTool(UINT flags, UINT_PTR id, RECT rect, const char* text, HWND window = nullptr) {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = flags;
        ti.hwnd = window ? window : parent_;
        ti.uId = id;
        ti.rect = rect;
        ti.lpszText = const_cast<char*>(text);
        return SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    }
    std::string TextOf(UINT_PTR id) {
        char buffer[80] = {};
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = parent_;
        ti.uId = id;
        ti.lpszText = buffer;
        SendMessage(tip_, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
        return buffer;
    }
    bool Visible() { return IsWindowVisible(tip_) != 0; }
    RECT TipRect() {
        RECT rc{};
        GetWindowRect(tip_, &rc);
        return rc;
    }
    HWND tip_ = nullptr;
};

TEST_F(ToolTipTest, ShowsAfterTheInitialDelayNearTheCursorAndPopsLater) {
    ASSERT_TRUE(AddTool(TTF_SUBCLASS, 5, {20, 20, 120, 60}, "Browse"));
    EXPECT_FALSE(AddTool(TTF_SUBCLASS, 5, {0, 0, 1, 1}, "again"));
    EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
    MouseMove(At(parent_, 50, 40));
    Advance(490, 10);
    EXPECT_FALSE(Visible());
    Advance(20, 10);
    ASSERT_TRUE(Visible());
    EXPECT_TRUE(GetWindowLong(tip_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT rc = TipRect();
    const POINT cursor = At(parent_, 50, 40);
    EXPECT_EQ(rc.left, cursor.x);
    EXPECT_GT(rc.top, cursor.y);
    EXPECT_GT(rc.right - rc.left, 20);
    EXPECT_EQ(GetActiveWindow(), parent_);

    // The tip paints its text on the info colours inside a frame.
    auto canvas = Render(tip_);
    EXPECT_EQ(canvas->At(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas->At(2, 2), GetSysColor(COLOR_INFOBK));
    EXPECT_GT(canvas->Count(GetSysColor(COLOR_INFOTEXT)), 5);

    Advance(5000, 100);
    EXPECT_FALSE(Visible());

    // Leaving the tool and coming back starts over; a click pops the tip.
    MouseMove(At(parent_, 300, 300));
    MouseMove(At(parent_, 60, 40));
    Advance(600, 100);
    EXPECT_TRUE(Visible());
    Click(At(parent_, 60, 40));
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTipTest, AsksForTextByCallbackAndWrapsAtTheMaximumWidth) {
    HWND button = CreateChild(parent_, 3, {200, 20, 260, 40});
    ASSERT_TRUE(AddTool(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(button), {},
                        LPSTR_TEXTCALLBACK));
    int asked = 0;
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TTN_GETDISPINFO) {
            ++asked;
            auto* info = reinterpret_cast<NMTTDISPINFO*>(hdr);
            EXPECT_EQ(hdr->idFrom, reinterpret_cast<UINT_PTR>(button));
            std::strcpy(info->szText, "Start the measurement and record every value");
        }
        return 0;
    };
    SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, 80);
    MouseMove(At(button, 5, 5));
    Advance(600, 100);
    ASSERT_TRUE(Visible());
    EXPECT_GE(asked, 1);
    const RECT rc = TipRect();
    EXPECT_LE(rc.right - rc.left, 80 + 8);
    EXPECT_GT(rc.bottom - rc.top, 3 * 12);  // several lines

    char buffer[80] = {};
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = parent_;
    ti.uId = reinterpret_cast<UINT_PTR>(button);
    ti.lpszText = buffer;
    SendMessage(tip_, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(buffer, "Start the measurement and record every value");
    EXPECT_EQ(NoticesOf(TTN_SHOW).size(), 1u);
}

TEST_F(ToolTipTest, RelayedMessagesDelaysActivationAndToolChanges) {
    ASSERT_TRUE(AddTool(0, 1, {0, 0, 50, 50}, "one"));
    ASSERT_TRUE(AddTool(0, 2, {50, 0, 100, 50}, "two"));
    SendMessage(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 100);
    auto relay = [&](int x, int y) {
        MSG msg{parent_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), 0, {}};
        SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    };
    relay(10, 10);
    Advance(100);
    EXPECT_TRUE(Visible());
    // Moving on to the neighbour shows its tip after the short reshow delay.
    relay(60, 10);
    EXPECT_FALSE(Visible());
    Advance(20);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(NoticesOf(TTN_POP).size(), 1u);

    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = parent_;
    ti.uId = 2;
    ti.lpszText = const_cast<char*>("changed");
    SendMessage(tip_, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(TextOf(2), "changed");
    ti.rect = {200, 200, 210, 210};
    SendMessage(tip_, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
    TTHITTESTINFO hit{parent_, {205, 205}, {}};
    EXPECT_TRUE(SendMessage(tip_, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 2u);

    SendMessage(tip_, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(Visible());
    relay(10, 10);
    Advance(1000, 100);
    EXPECT_FALSE(Visible());
    SendMessage(tip_, TTM_ACTIVATE, TRUE, 0);
    SendMessage(tip_, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
    relay(205, 205);
    Advance(1000, 100);
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTipTest, WithoutAlwaysTipOnlyForTheActiveWindow) {
    HWND other = CreateTopLevel({600, 0, 700, 100}, WS_POPUP | WS_VISIBLE);
    SetActiveWindow(other);
    ASSERT_TRUE(AddTool(TTF_SUBCLASS, 1, {0, 0, 100, 100}, "hidden"));
    MouseMove(At(parent_, 10, 10));
    Advance(1000, 100);
    EXPECT_FALSE(Visible());
    SetWindowLong(tip_, GWL_STYLE, GetWindowLong(tip_, GWL_STYLE) | TTS_ALWAYSTIP);
    MouseMove(At(parent_, 12, 12));
    Advance(1000, 100);
    EXPECT_TRUE(Visible());
    // Destroying the tip gives the window its own procedure back.
    DestroyWindow(tip_);
    MouseMove(At(parent_, 20, 20));
    EXPECT_GT(Count(parent_, WM_MOUSEMOVE), 0);
}

}  // namespace
}  // namespace kq::ui::test
