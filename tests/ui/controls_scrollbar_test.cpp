// Scroll bars: the SB_ codes of arrows, page areas and the thumb, at the ends of the range,
// repeats on the virtual clock, keys, and the window's own scroll bars.
#include <algorithm>

#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class ScrollBarTest : public ControlTest {
  protected:
    // A vertical bar 16 x 200: arrows of 16, a track of 168 between them.
    HWND MakeBar(DWORD style = SBS_VERT) {
        HWND sb = Make("SCROLLBAR", "", style, RECT{10, 10, 26, 210});
        SetScrollRange(sb, SB_CTL, 0, 100, FALSE);
        ClearLog();
        return sb;
    }
    // The SB_ codes (and positions) the window got with WM_VSCROLL.
    std::vector<int> Codes(HWND to, UINT message = WM_VSCROLL) const {
        std::vector<int> out;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == to && m.message == message)
                out.push_back(LOWORD(m.wParam));
        }
        return out;
    }
    std::vector<int> Positions(HWND to, WORD code) const {
        std::vector<int> out;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == to && m.message == WM_VSCROLL && LOWORD(m.wParam) == code)
                out.push_back(static_cast<SHORT>(HIWORD(m.wParam)));
        }
        return out;
    }
    // The parent scrolls as an application does: by a line of 1 and a page of 10.
    void ParentScrolls(HWND sb) {
        OnMessage(parent_, [sb](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
            if (m != WM_VSCROLL)
                return std::nullopt;
            const int pos = GetScrollPos(sb, SB_CTL);
            switch (LOWORD(w)) {
                case SB_LINEDOWN:
                    SetScrollPos(sb, SB_CTL, pos + 1, TRUE);
                    break;
                case SB_PAGEDOWN:
                    SetScrollPos(sb, SB_CTL, pos + 10, TRUE);
                    break;
                case SB_THUMBPOSITION:
                    SetScrollPos(sb, SB_CTL, static_cast<SHORT>(HIWORD(w)), TRUE);
                    break;
                default:
                    break;
            }
            return 0;
        });
    }
};

TEST_F(ScrollBarTest, ArrowsReportEvenAtTheEndsUnlessDisabled) {
    HWND sb = MakeBar();
    Click(At(sb, 8, 8));  // up arrow at the top of the range
    Click(At(sb, 8, 192));
    EXPECT_EQ(Codes(parent_),
              (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_VSCROLL) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), sb);
        }
    }
    ClearLog();
    EnableScrollBar(sb, SB_CTL, ESB_DISABLE_UP);
    Click(At(sb, 8, 8));
    EXPECT_TRUE(Codes(parent_).empty());
    EnableWindow(sb, FALSE);
    Click(At(sb, 8, 192));
    EXPECT_TRUE(Codes(parent_).empty());
}

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsOnTheClockWhileTheMouseStaysOnIt) {
    HWND sb = MakeBar();
    MouseDown(At(sb, 8, 192));
    EXPECT_EQ(GetCapture(), sb);
    EXPECT_EQ(Codes(parent_).size(), 1u);
    Advance(299);
    EXPECT_EQ(Codes(parent_).size(), 1u);
    Advance(1);
    EXPECT_EQ(Codes(parent_).size(), 2u);
    Advance(100, 10);
    EXPECT_EQ(Codes(parent_).size(), 4u);
    MouseMove(At(sb, 8, 100));  // off the arrow: no more repeats
    Advance(200, 10);
    EXPECT_EQ(Codes(parent_).size(), 4u);
    MouseMove(At(sb, 8, 195));
    Advance(50);
    EXPECT_EQ(Codes(parent_).size(), 5u);
    MouseUp(At(sb, 8, 195));
    EXPECT_EQ(Codes(parent_).back(), SB_ENDSCROLL);
    EXPECT_EQ(GetCapture(), nullptr);
    Advance(500, 10);
    EXPECT_EQ(Codes(parent_).size(), 6u);
}

TEST_F(ScrollBarTest, PageRepeatsStopWhenTheThumbReachesTheMouse) {
    HWND sb = MakeBar();
    SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, 10, 0, 0};
    SetScrollInfo(sb, SB_CTL, &si, FALSE);
    ParentScrolls(sb);
    MouseDown(At(sb, 8, 150));
    Advance(2000, 10);
    MouseUp(At(sb, 8, 150));
    const std::vector<int> codes = Codes(parent_);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), SB_PAGEDOWN), 8);
    EXPECT_EQ(GetScrollPos(sb, SB_CTL), 80);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksWithinTheRange) {
    HWND sb = MakeBar();
    ParentScrolls(sb);
    MouseDown(At(sb, 8, 24));  // the thumb lies at 16..32
    MouseMove(At(sb, 8, 100));
    SCROLLINFO si{sizeof si, SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(sb, SB_CTL, &si);
    EXPECT_EQ(si.nTrackPos, 50);
    EXPECT_EQ(si.nPos, 0);
    MouseMove(At(sb, 8, 400));
    MouseMove(At(sb, 8, -300));
    MouseMove(At(sb, 8, 40));
    MouseUp(At(sb, 8, 40));
    EXPECT_EQ(Positions(parent_, SB_THUMBTRACK), (std::vector<int>{50, 100, 0, 11}));
    EXPECT_EQ(Positions(parent_, SB_THUMBPOSITION), std::vector<int>{11});
    EXPECT_EQ(Codes(parent_).back(), SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(sb, SB_CTL), 11);
    // With a page the thumb stops at max - page + 1.
    si = SCROLLINFO{sizeof si, SIF_PAGE | SIF_POS, 0, 0, 20, 0, 0};
    SetScrollInfo(sb, SB_CTL, &si, FALSE);
    ClearLog();
    MouseDown(At(sb, 8, 40));
    MouseMove(At(sb, 8, 400));
    MouseUp(At(sb, 8, 400));
    EXPECT_EQ(Positions(parent_, SB_THUMBPOSITION), std::vector<int>{81});
}

TEST_F(ScrollBarTest, KeysOfAFocusedBar) {
    HWND sb = MakeBar(SBS_VERT | WS_TABSTOP);
    SetFocus(sb);
    KeyPress(VK_DOWN);
    KeyPress(VK_PRIOR);
    KeyPress(VK_END);
    EXPECT_EQ(Codes(parent_), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL,
                                                SB_BOTTOM, SB_ENDSCROLL}));
    EXPECT_EQ(SendMessage(sb, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarTest, RangePageAndPositionStayConsistent) {
    HWND sb = MakeBar();
    SCROLLINFO si{sizeof si, SIF_ALL, 10, 20, 50, 30, 0};
    EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &si, FALSE), 10);  // the page covers it all
    GetScrollInfo(sb, SB_CTL, &si);
    EXPECT_EQ(si.nPage, 11u);
    si = SCROLLINFO{sizeof si, SIF_PAGE | SIF_POS, 0, 0, 5, 99, 0};
    EXPECT_EQ(SetScrollInfo(sb, SB_CTL, &si, FALSE), 16);
    EXPECT_EQ(SetScrollPos(sb, SB_CTL, 12, FALSE), 16);
    EXPECT_EQ(SendMessage(sb, SBM_SETRANGE, 0, 5), 12);
    EXPECT_EQ(GetScrollPos(sb, SB_CTL), 1);
    int low = -1, high = -1;
    GetScrollRange(sb, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 5);

    HWND right = Make("SCROLLBAR", "", SBS_VERT | SBS_RIGHTALIGN, RECT{100, 10, 200, 110}, 11);
    RECT r{};
    GetWindowRect(right, &r);
    POINT origin{0, 0};
    ClientToScreen(parent_, &origin);
    EXPECT_EQ(r.left - origin.x, 184);
    EXPECT_EQ(r.right - r.left, 16);
}

TEST_F(ScrollBarTest, AWindowsOwnBarComesGoesAndIsTracked) {
    HWND w = CreateTopLevel(RECT{300, 300, 500, 500}, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 184);
    SetScrollRange(w, SB_VERT, 0, 0, TRUE);  // nothing to scroll: the bar goes
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 200);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);  // stays, disabled

    si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    ClearLog();
    Click(POINT{300 + 192, 300 + 195});  // the down arrow of the bar
    EXPECT_EQ(Codes(w), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_VSCROLL) {
            EXPECT_EQ(m.lParam, 0);
        }
    }
    ClearLog();
    MouseDown(POINT{300 + 192, 300 + 20});  // on the thumb
    EXPECT_NE(GetCapture(), nullptr);
    MouseMove(POINT{300 + 192, 300 + 120});
    MouseUp(POINT{300 + 192, 300 + 120});
    EXPECT_EQ(GetCapture(), nullptr);
    const std::vector<int> codes = Codes(w);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
}

}  // namespace
}  // namespace kq::ui::test
