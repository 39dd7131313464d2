// The diagram's two sliders: the range slider's model, inversion, mouse, keys, guards and
// pixels, and the jump slider's presses, ends, vertical form and lost capture.
#include <cmath>
#include <utility>

#include "ChartTestUtil.h"
#include "chart/sliders/NiceSliderCtrl.h"
#include "chart/sliders/RangeSlider.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Input.h"
#include "platform/ui/commctrl/InitCommonControls.h"
#include "platform/ui/paint/Screenshot.h"

namespace kq::chart::test {
namespace {

struct Heard {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records what the sliders say: the range message sent, scroll messages posted.
class Listener : public CWnd {
  public:
    std::vector<Heard> heard;
    std::vector<Heard> Take() { return std::exchange(heard, {}); }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == RANGE_CHANGED || message == WM_HSCROLL) {
            heard.push_back({message, wParam, lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class Sliders : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        InitCommonControls();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "Diagramm", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300,
                                  nullptr, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        FrameworkTest::TearDown();
    }
    CPoint On(CWnd& w, CPoint p) {
        w.ClientToScreen(&p);
        return p;
    }
    std::pair<double, double> Range(const CRangeSlider& s) {
        std::pair<double, double> r;
        s.GetRange(r.first, r.second);
        return r;
    }
    Listener host;
};

TEST_F(Sliders, TheRangeModelClampsNotifiesAndInverts) {
    EXPECT_EQ(
        RANGE_CHANGED,
        ::RegisterWindowMessage("RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider"));
    CRangeSlider s;
    ASSERT_TRUE(s.Create(WS_TABSTOP | WS_VISIBLE, CRect(0, 0, 220, 20), &host, 4712));
    s.SetMinMax(5, 1);
    double lo = 0, hi = 0;
    s.GetMinMax(lo, hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(1.0, 5.0));
    host.Take();
    s.SetRange(0, 3);
    EXPECT_EQ(Range(s), std::make_pair(1.0, 3.0));
    auto heard = host.Take();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].wParam, 0u);
    s.SetRange(NAN, 4);
    s.SetMinMax(1, INFINITY);
    EXPECT_EQ(Range(s), std::make_pair(1.0, 3.0));

    s.SetInvertedMode(true);
    s.SetRange(2, 3);
    EXPECT_EQ(Range(s), std::make_pair(2.0, 3.0));
    s.SetInvertedMode(false);
    EXPECT_EQ(Range(s), std::make_pair(2.0, 3.0));
    s.SetInvertedMode(true);
    EXPECT_EQ(Range(s), std::make_pair(2.0, 3.0));
}

TEST_F(Sliders, TheRangeSliderFollowsTheMouseAndTheKeys) {
    CRangeSlider s;
    ASSERT_TRUE(s.Create(WS_TABSTOP | WS_VISIBLE, CRect(0, 0, 240, 20), &host, 4712));
    s.SetMinMax(0, 100);
    s.SetRange(20, 40);
    s.UpdateWindow();
    const int ch = s.GetChannelLength();
    ASSERT_EQ(ch, 240 - 2 * 15);
    host.Take();

    // A press and a move of no pixels change nothing; then the handle follows exactly.
    const CPoint grip = s.GetLeftHandleRect().TopLeft() + CPoint(2, 5);
    MouseMove(On(s, grip));
    MouseDown(On(s, grip));
    MouseMove(On(s, grip + CPoint(0, 3)));
    EXPECT_EQ(Range(s), std::make_pair(20.0, 40.0));
    MouseMove(On(s, grip + CPoint(21, 3)));
    EXPECT_DOUBLE_EQ(Range(s).first, 30.0);
    // Capture taken away: the drag is over, the hovering mouse moves nothing.
    ::SetCapture(host.m_hWnd);
    ::ReleaseCapture();
    EXPECT_FALSE(s.IsTracking());
    MouseMove(On(s, grip + CPoint(40, 3)));
    EXPECT_DOUBLE_EQ(Range(s).first, 30.0);
    MouseUp(On(s, grip + CPoint(40, 3)));

    // The bar against the maximum keeps its width.
    s.UpdateWindow();
    const CPoint bar((s.GetLeftHandleRect().right + s.GetRightHandleRect().left) / 2, 10);
    MouseDown(On(s, bar));
    MouseMove(On(s, bar + CPoint(500, 0)));
    MouseUp(On(s, bar + CPoint(500, 0)));
    EXPECT_EQ(Range(s), std::make_pair(90.0, 100.0));
    for (const Heard& h : host.Take())
        EXPECT_EQ(h.message, RANGE_CHANGED);

    // Shift moves only the right end, never below the left; the notice names the left end.
    s.SetRange(50, 50 + 100.0 / ch);
    host.Take();
    s.SetFocus();
    KeyDown(VK_SHIFT);
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    KeyUp(VK_SHIFT);
    EXPECT_LE(Range(s).first, Range(s).second);
    EXPECT_DOUBLE_EQ(Range(s).second, 50.0);
    auto heard = host.Take();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].wParam, 0u);
    KeyPress(VK_RIGHT);
    EXPECT_EQ(host.Take().back().wParam, 2u);
}

TEST_F(Sliders, EmptyRangesAndNarrowControlsStayStill) {
    for (const CRect& rect : {CRect(0, 0, 200, 20), CRect(0, 0, 25, 20)}) {
        CRangeSlider s;
        ASSERT_TRUE(s.Create(WS_TABSTOP | WS_VISIBLE, rect, &host, 4712));
        if (rect.Width() == 200)
            s.SetMinMax(3, 3);
        s.UpdateWindow();
        s.SetFocus();
        KeyPress(VK_RIGHT);
        const CPoint p = On(s, s.GetRightHandleRect().CenterPoint());
        MouseDown(p);
        MouseMove(p + CPoint(30, 0));
        MouseUp(p + CPoint(30, 0));
        const auto r = Range(s);
        EXPECT_TRUE(std::isfinite(r.first) && std::isfinite(r.second));
        if (rect.Width() == 200) {
            EXPECT_EQ(s.GetLeftHandleRect().left, 0);
        }
        s.DestroyWindow();
    }
}

TEST_F(Sliders, TheRangeSliderPaintsBandsOnlyWhereTheyBelong) {
    for (const bool vertical : {false, true}) {
        CRangeSlider s;
        s.SetVerticalMode(vertical);
        const CRect rect = vertical ? CRect(0, 0, 20, 240) : CRect(0, 0, 240, 20);
        ASSERT_TRUE(s.Create(WS_TABSTOP | WS_VISIBLE, rect, &host, 4712));
        s.SetMinMax(0, 100);
        s.SetRange(20, 60);
        s.SetVisualMinMax(50, 90);
        s.SetVisualMode(true);
        s.UpdateWindow();
        const auto at = [&](int along, int across) {
            CPoint p = vertical ? CPoint(across, along) : CPoint(along, across);
            s.ClientToScreen(&p);
            return kq::ui::GetScreenPixel(p.x, p.y);
        };
        const int a = 15, ch = 210;
        const auto pixel = [&](double v) { return static_cast<int>(v / 100 * ch) + a; };
        EXPECT_EQ(at(pixel(55), 10), RGB(255, 255, 150)) << vertical;
        EXPECT_EQ(at(pixel(30), 10), RGB(255, 255, 255)) << vertical;
        EXPECT_EQ(at(pixel(80), 10), at(1, 1)) << vertical;  // outside the selection: grey
        EXPECT_EQ(at(pixel(20) - a + 3, 1), ::GetSysColor(COLOR_3DHILIGHT)) << vertical;
        s.DestroyWindow();
    }
}

class JumpSliders : public Sliders {
  protected:
    void Make(DWORD extra = 0) {
        ASSERT_TRUE(slider.CreateEx(
            WS_EX_CLIENTEDGE,
            WS_VISIBLE | TBS_AUTOTICKS | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP | WS_BORDER | extra,
            extra ? CRect(0, 0, 30, 200) : CRect(0, 0, 300, 30), &host, 4711));
        slider.SetRange(0, 10000);
        slider.SetNotifyWnd(&host);
        slider.GetChannelRect(&channel);
    }
    CNiceSliderCtrl slider;
    CRect channel;
};

TEST_F(JumpSliders, PressesJumpAndTheEndsHold) {
    Make();
    const int y = channel.CenterPoint().y;
    MouseDown(On(slider, CPoint(channel.right, y)));
    EXPECT_EQ(slider.GetPos(), 10000);
    MouseMove(On(slider, CPoint(channel.right + 50, y)));
    MouseUp(On(slider, CPoint(channel.right + 80, y)));
    Pump();
    auto heard = host.Take();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].wParam, MAKEWPARAM(SB_THUMBTRACK, 10000));
    EXPECT_EQ(heard[1].wParam, MAKEWPARAM(SB_THUMBPOSITION, 10000));
    EXPECT_EQ(heard[1].lParam, reinterpret_cast<LPARAM>(slider.m_hWnd));
    MouseDown(On(slider, CPoint(channel.CenterPoint().x, y)));
    MouseMove(On(slider, CPoint(-30, y)));  // beyond the left end: the minimum
    EXPECT_EQ(slider.GetPos(), 0);
    // Capture lost mid-drag: the drag ends and the position is reported as a release would.
    ::SetCapture(host.m_hWnd);
    ::ReleaseCapture();
    Pump();
    heard = host.Take();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2].wParam, MAKEWPARAM(SB_THUMBPOSITION, 0));
    MouseMove(On(slider, CPoint(channel.CenterPoint().x, y)));
    Pump();
    EXPECT_TRUE(host.Take().empty());
}

TEST_F(JumpSliders, VerticalSlidersStillScrollHorizontally) {
    Make(TBS_VERT);
    const CPoint p = On(slider, CPoint(channel.CenterPoint().x, channel.bottom));
    MouseDown(p);
    MouseUp(p);
    Pump();
    const auto heard = host.Take();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].message, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(slider.GetPos(), 10000);
}

}  // namespace
}  // namespace kq::chart::test
