// A trackbar whose object takes the mouse over: it sets the position from the channel rectangle
// and posts its own scroll messages, while the keyboard stays with the trackbar. The base
// control must not add scroll messages of its own to a drag it never started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "framework/FrameworkTest.h"
#include "platform/framework/commctrl/SliderCtrl.h"
#include "platform/ui/Input.h"
#include "platform/ui/commctrl/InitCommonControls.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kSliderId = 4711;

class CJumpSlider : public CSliderCtrl {
  public:
    bool dragging = false;
    bool moved = false;

    // The position under the point, from the channel's extent; true when it changed.
    bool TakePosition(CPoint point) {
        const int min = GetRangeMin();
        const int max = GetRangeMax() + 1;
        CRect channel;
        GetChannelRect(&channel);
        const double f = (GetStyle() & TBS_VERT)
                             ? double(point.y - channel.top) / (channel.bottom - channel.top)
                             : double(point.x - channel.left) / (channel.right - channel.left);
        const int pos = static_cast<int>(min + (max - min) * f + ((1 - f) * 0.5 - 0.5 * f));
        if (pos == GetPos())
            return false;
        SendMessage(TBM_SETPOS, TRUE, pos);
        return true;
    }
    void Tell(UINT code) {
        GetParent()->PostMessage(WM_HSCROLL, MAKEWPARAM(code, GetPos()),
                                 reinterpret_cast<LPARAM>(m_hWnd));
    }
    void OnLButtonDown(UINT, CPoint point) {
        dragging = true;
        moved = false;
        SetCapture();
        SetFocus();
        if (TakePosition(point)) {
            moved = true;
            Tell(SB_THUMBTRACK);
        }
    }
    void OnMouseMove(UINT nFlags, CPoint point) {
        if (!dragging) {
            CSliderCtrl::OnMouseMove(nFlags, point);
            return;
        }
        if (TakePosition(point)) {
            moved = true;
            Tell(SB_THUMBTRACK);
        }
    }
    void OnLButtonUp(UINT nFlags, CPoint point) {
        if (!dragging) {
            CSliderCtrl::OnLButtonUp(nFlags, point);
            return;
        }
        dragging = false;
        ReleaseCapture();
        if (TakePosition(point)) {
            Tell(SB_THUMBTRACK);
            moved = true;
        }
        if (moved) {
            Tell(SB_THUMBPOSITION);
            moved = false;
        }
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CJumpSlider, CSliderCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

struct Scroll {
    UINT code;
    UINT pos;
    HWND from;
    bool operator==(const Scroll&) const = default;
};

class CScrollHost : public CWnd {
  public:
    std::vector<Scroll> scrolls;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
        // For a control that is no scroll bar the object is a stand-in: compare handles.
        scrolls.push_back({nSBCode, nPos, pScrollBar->GetSafeHwnd()});
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScrollHost, CWnd)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

class JumpSlider : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        InitCommonControls();
        ASSERT_TRUE(host_.CreateEx(0, nullptr, "Diagramm", WS_POPUP | WS_VISIBLE, 20, 20, 400, 100,
                                   nullptr, nullptr));
        ASSERT_TRUE(slider_.CreateEx(
            WS_EX_CLIENTEDGE,
            WS_VISIBLE | WS_TABSTOP | WS_BORDER | TBS_AUTOTICKS | TBS_BOTH | TBS_NOTICKS,
            CRect(0, 0, 360, 24), &host_, kSliderId));
        slider_.SetRange(0, 10000);
        s_ = slider_.m_hWnd;
        Pump();
    }
    void TearDown() override {
        host_.DestroyWindow();
        FrameworkTest::TearDown();
    }
    void Button(CPoint at, bool down) {
        slider_.ClientToScreen(&at);
        kq::ui::InjectMouseButton(at, VK_LBUTTON, down);
        Pump();
    }
    void Move(CPoint at) {
        slider_.ClientToScreen(&at);
        kq::ui::InjectMouseMove(at);
        Pump();
    }
    // The scroll messages so far, each from the slider.
    std::vector<Scroll> Take() { return std::exchange(host_.scrolls, {}); }
    CRect Channel() {
        CRect channel;
        slider_.GetChannelRect(&channel);
        return channel;
    }

    CScrollHost host_;
    CJumpSlider slider_;
    HWND s_ = nullptr;
};

TEST_F(JumpSlider, PressesJumpToTheMouseAndOnlyTheObjectsMessagesArrive) {
    EXPECT_EQ(slider_.GetDlgCtrlID(), static_cast<int>(kSliderId));
    EXPECT_TRUE(slider_.GetExStyle() & WS_EX_CLIENTEDGE);
    const CRect channel = Channel();
    CRect client;
    slider_.GetClientRect(&client);
    ASSERT_GT(channel.Width(), 0);
    EXPECT_GE(channel.left, client.left);
    EXPECT_LE(channel.right, client.right);
    const int y = channel.CenterPoint().y;

    // The very right end of the channel is the maximum; one track message at the press, one
    // position message at the release, and nothing from the trackbar itself.
    Button({channel.right, y}, true);
    EXPECT_EQ(slider_.GetPos(), 10000);
    EXPECT_EQ(::GetCapture(), slider_.m_hWnd);
    EXPECT_EQ(::GetFocus(), slider_.m_hWnd);
    EXPECT_EQ(Take(), (std::vector<Scroll>{{SB_THUMBTRACK, 10000, s_}}));
    Button({channel.right, y}, false);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Take(), (std::vector<Scroll>{{SB_THUMBPOSITION, 10000, s_}}));

    // A click where the thumb already is sends nothing at all.
    Button({channel.right, y}, true);
    Button({channel.right, y}, false);
    EXPECT_TRUE(Take().empty());

    // A drag from the left end to the middle tracks on the way and ends with the position.
    Button({channel.left, y}, true);
    EXPECT_EQ(slider_.GetPos(), 0);
    const int middle = channel.left + channel.Width() / 2;
    Move({middle, y});
    const int mid = slider_.GetPos();
    EXPECT_NEAR(mid, 5000, 10000 / channel.Width() + 1);
    Move({channel.right + 40, y});  // beyond the end the position stays at the maximum
    EXPECT_EQ(slider_.GetPos(), 10000);
    Move({middle, y});
    Button({middle, y}, false);
    EXPECT_EQ(Take(), (std::vector<Scroll>{{SB_THUMBTRACK, 0, s_},
                                           {SB_THUMBTRACK, UINT(mid), s_},
                                           {SB_THUMBTRACK, 10000, s_},
                                           {SB_THUMBTRACK, UINT(mid), s_},
                                           {SB_THUMBPOSITION, UINT(mid), s_}}));

    // The thumb is drawn where the position puts it.
    CRect thumb;
    slider_.GetThumbRect(&thumb);
    EXPECT_LE(std::abs(thumb.CenterPoint().x - middle), 1);
}

TEST_F(JumpSlider, TheKeyboardStaysWithTheTrackbar) {
    slider_.SetPos(10);
    slider_.SetPageSize(1000);
    slider_.SetFocus();
    kq::ui::InjectKey(VK_RIGHT, true);
    kq::ui::InjectKey(VK_RIGHT, false);
    kq::ui::InjectKey(VK_NEXT, true);
    kq::ui::InjectKey(VK_NEXT, false);
    kq::ui::InjectKey(VK_END, true);
    kq::ui::InjectKey(VK_END, false);
    kq::ui::InjectKey(VK_RIGHT, true);  // at the end: no move, nothing said
    Pump();
    EXPECT_EQ(slider_.GetPos(), 10000);
    EXPECT_EQ(Take(), (std::vector<Scroll>{{TB_LINEDOWN, 0, s_},
                                           {TB_ENDTRACK, 0, s_},
                                           {TB_PAGEDOWN, 0, s_},
                                           {TB_ENDTRACK, 0, s_},
                                           {TB_BOTTOM, 0, s_},
                                           {TB_ENDTRACK, 0, s_}}));
    EXPECT_EQ(slider_.GetPos(), 10000);
    kq::ui::InjectKey(VK_RIGHT, false);
    Pump();
}

}  // namespace
