#include <climits>

#include "platform/ui/paint/Screenshot.h"
#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

using Events = std::vector<ScrollEvent>;

class TrackbarTest : public ControlsBTest {
  protected:
    HWND Make(DWORD style = 0, RECT rc = {10, 10, 310, 40}) {
        HWND tb = Create(TRACKBAR_CLASS, style, rc);
        SetFocus(tb);
        Pump();
        ClearEvents();
        return tb;
    }
    static LONG Pos(HWND tb) { return static_cast<LONG>(SendMessage(tb, TBM_GETPOS, 0, 0)); }
    static RECT ThumbRect(HWND tb) {
        RECT rc{};
        SendMessage(tb, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static RECT ChannelRect(HWND tb) {
        RECT rc{};
        SendMessage(tb, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static ScrollEvent H(WORD code, WORD pos = 0) { return {WM_HSCROLL, code, pos}; }
};

TEST_F(TrackbarTest, KeyStepsStopAtTheRangeEndsAndOnlyMovesAreReported) {
    HWND tb = Make();
    EXPECT_EQ(SendMessage(tb, TBM_GETPAGESIZE, 0, 0), 20);  // a fifth of the default 0..100
    SendMessage(tb, TBM_SETPOS, TRUE, 90);
    KeyPress(VK_NEXT);
    KeyPress(VK_NEXT);
    KeyPress(VK_RIGHT);
    EXPECT_EQ(Pos(tb), 100);
    EXPECT_EQ(Scrolls(), (Events{H(TB_PAGEDOWN), H(TB_ENDTRACK), H(TB_ENDTRACK), H(TB_ENDTRACK)}));

    ClearEvents();
    SendMessage(tb, TBM_SETPOS, TRUE, 5);
    KeyPress(VK_PRIOR);
    KeyPress(VK_LEFT);
    KeyPress(VK_END);
    KeyPress(VK_HOME);
    EXPECT_EQ(Pos(tb), 0);
    EXPECT_EQ(Scrolls(), (Events{H(TB_PAGEUP), H(TB_ENDTRACK), H(TB_ENDTRACK), H(TB_BOTTOM),
                                 H(TB_ENDTRACK), H(TB_TOP), H(TB_ENDTRACK)}));

    // A page larger than what is left, and a range as wide as 32 bits: no step wraps around.
    SendMessage(tb, TBM_SETRANGEMIN, FALSE, INT_MIN);
    SendMessage(tb, TBM_SETRANGEMAX, FALSE, INT_MAX);
    SendMessage(tb, TBM_SETPAGESIZE, 0, 1000);
    SendMessage(tb, TBM_SETPOS, TRUE, INT_MAX - 10);
    KeyPress(VK_NEXT);
    EXPECT_EQ(Pos(tb), INT_MAX);
    SendMessage(tb, TBM_SETLINESIZE, 0, 7);
    SendMessage(tb, TBM_SETPOS, TRUE, INT_MIN + 3);
    KeyPress(VK_UP);
    EXPECT_EQ(Pos(tb), INT_MIN);
}

TEST_F(TrackbarTest, RangeChangesKeepPositionSelectionAndTicksInside) {
    HWND tb = Make(TBS_AUTOTICKS | TBS_ENABLESELRANGE);
    SendMessage(tb, TBM_SETTICFREQ, 25, 0);
    EXPECT_EQ(SendMessage(tb, TBM_GETNUMTICS, 0, 0), 5);  // 25, 50, 75 and both ends
    EXPECT_EQ(SendMessage(tb, TBM_GETTIC, 1, 0), 50);
    EXPECT_EQ(SendMessage(tb, TBM_GETTIC, 3, 0), -1);
    EXPECT_FALSE(SendMessage(tb, TBM_SETTIC, 0, 100));
    EXPECT_TRUE(SendMessage(tb, TBM_SETTIC, 0, 60));
    const auto* tics = reinterpret_cast<const LONG*>(SendMessage(tb, TBM_GETPTICS, 0, 0));
    ASSERT_NE(tics, nullptr);
    EXPECT_EQ(tics[2], 60);

    SendMessage(tb, TBM_SETPOS, TRUE, 80);
    SendMessage(tb, TBM_SETSEL, FALSE, MAKELPARAM(10, 90));
    SendMessage(tb, TBM_SETRANGE, TRUE, MAKELPARAM(20, 60));
    EXPECT_EQ(Pos(tb), 60);
    EXPECT_EQ(SendMessage(tb, TBM_GETSELSTART, 0, 0), 20);
    EXPECT_EQ(SendMessage(tb, TBM_GETSELEND, 0, 0), 60);
    EXPECT_EQ(SendMessage(tb, TBM_GETNUMTICS, 0, 0), 3);  // 45 and both ends
    // A maximum below the minimum is lifted to it.
    SendMessage(tb, TBM_SETRANGEMAX, TRUE, 10);
    EXPECT_EQ(SendMessage(tb, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessage(tb, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(Pos(tb), 10);
    EXPECT_TRUE(Scrolls().empty());  // changes by messages are not reported
}

TEST_F(TrackbarTest, ThumbFollowsThePositionAcrossTheChannelInBothOrientations) {
    HWND tb = Make();
    const RECT ch = ChannelRect(tb);
    EXPECT_LT(ch.left, ch.right);
    EXPECT_EQ(ch.bottom - ch.top, 4);
    RECT thumb = ThumbRect(tb);
    EXPECT_EQ((thumb.left + thumb.right) / 2, ch.left);
    SendMessage(tb, TBM_SETPOS, TRUE, 100);
    thumb = ThumbRect(tb);
    EXPECT_EQ((thumb.left + thumb.right) / 2, ch.right);
    EXPECT_LE(thumb.right, 300);
    EXPECT_LE(thumb.top, ch.top);
    EXPECT_GE(thumb.bottom, ch.bottom);
    // The tick marks sit below the thumb by default: the thumb is pushed up to leave room.
    EXPECT_LT(thumb.bottom, 30 - 3);

    HWND vert = Make(TBS_VERT | TBS_BOTH, {320, 10, 350, 310});
    const RECT vch = ChannelRect(vert);
    EXPECT_EQ(vch.right - vch.left, 4);
    SendMessage(vert, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessage(vert, TBM_SETPOS, TRUE, 5);
    const RECT vthumb = ThumbRect(vert);
    EXPECT_NEAR((vthumb.top + vthumb.bottom) / 2, (vch.top + vch.bottom) / 2, 1);
    EXPECT_GT(vthumb.bottom - vthumb.top, 0);
    EXPECT_GT(vthumb.right - vthumb.left, vthumb.bottom - vthumb.top);
}

TEST_F(TrackbarTest, DraggingTheThumbTracksAndEndsWithThePosition) {
    HWND tb = Make();
    const RECT ch = ChannelRect(tb);
    const RECT thumb = ThumbRect(tb);
    const int y = (thumb.top + thumb.bottom) / 2;
    const int width = ch.right - ch.left;
    MouseDown(OnScreen(tb, (thumb.left + thumb.right) / 2, y));
    EXPECT_EQ(GetCapture(), tb);
    MouseMove(OnScreen(tb, ch.left + width / 4, y));
    MouseMove(OnScreen(tb, ch.left + width / 4, y + 40));  // off the control: still dragging
    MouseMove(OnScreen(tb, ch.right + 50, y));
    MouseUp(OnScreen(tb, ch.right + 50, y));
    EXPECT_EQ(Pos(tb), 100);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Scrolls(), (Events{H(TB_THUMBTRACK, 25), H(TB_THUMBTRACK, 100),
                                 H(TB_THUMBPOSITION, 100), H(TB_ENDTRACK)}));
}

TEST_F(TrackbarTest, HeldPageClickRepeatsOnTheClockUntilTheThumbReachesTheMouse) {
    HWND tb = Make(TBS_VERT, {10, 10, 40, 310});
    SendMessage(tb, TBM_SETPAGESIZE, 0, 10);
    const RECT ch = ChannelRect(tb);
    const int x = (ch.left + ch.right) / 2;
    const int y = ch.top + (ch.bottom - ch.top) * 35 / 100;  // position 35
    MouseDown(OnScreen(tb, x, y));
    EXPECT_EQ(Pos(tb), 10);
    Advance(300);
    EXPECT_EQ(Pos(tb), 10);  // the first repeat waits a little longer
    Advance(1000, 50);
    EXPECT_EQ(Pos(tb), 40);  // the thumb has passed the point under the mouse
    MouseUp(OnScreen(tb, x, y));
    Advance(1000, 100);
    EXPECT_EQ(Pos(tb), 40);
    EXPECT_EQ(Scrolls(), (Events{{WM_VSCROLL, TB_PAGEDOWN, 0},
                                 {WM_VSCROLL, TB_PAGEDOWN, 0},
                                 {WM_VSCROLL, TB_PAGEDOWN, 0},
                                 {WM_VSCROLL, TB_PAGEDOWN, 0},
                                 {WM_VSCROLL, TB_ENDTRACK, 0}}));
}

TEST_F(TrackbarTest, DrawsChannelTicksAndThumbWhereTheGeometrySays) {
    HWND tb = Make(TBS_AUTOTICKS);
    SendMessage(tb, TBM_SETTICFREQ, 50, 0);
    SendMessage(tb, TBM_SETPOS, TRUE, 50);
    const RECT ch = ChannelRect(tb);
    const RECT thumb = ThumbRect(tb);
    Rendered pic(tb);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    // Sunken channel: shadow on its upper edge, away from the thumb.
    EXPECT_EQ(pic.At(ch.left + 1, ch.top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pic.At((thumb.left + thumb.right) / 2, thumb.top + 3), face);
    EXPECT_EQ(pic.At(thumb.left, thumb.top + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pic.At(thumb.right - 1, thumb.top + 2), GetSysColor(COLOR_3DDKSHADOW));
    // Tick marks below the thumb at both ends and in the middle.
    const int tickY = thumb.bottom + 3;
    const int mid = (thumb.left + thumb.right) / 2;
    EXPECT_EQ(pic.At(ch.left, tickY), text);
    EXPECT_EQ(pic.At(ch.right, tickY), text);
    EXPECT_EQ(pic.At(mid, tickY), text);
    EXPECT_EQ(pic.At(mid + 10, tickY), face);
}

TEST_F(TrackbarTest, MovesShowOnTheScreenAfterThePaintThatFollows) {
    HWND tb = Make(TBS_BOTH | TBS_NOTICKS);
    auto centre = [&](const RECT& rc) {
        return OnScreen(tb, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    };
    const POINT start = centre(ThumbRect(tb));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(GetScreenPixel(start.x, start.y), face);
    KeyPress(VK_END);  // the thumb leaves: its old place shows the channel
    const POINT end = centre(ThumbRect(tb));
    EXPECT_NE(GetScreenPixel(start.x, start.y), face);
    EXPECT_EQ(GetScreenPixel(end.x, end.y), face);
}

}  // namespace
}  // namespace kq::ui::test
