// The caption bars on the screen: the active and inactive caption colours and the gradient to
// the close button, the title turned along a bar docked at the top, the close glyph; without
// full-window drag, the tracking line that a finished drag leaves no trace of.
#include "bars_fixture_test.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/ui/Input.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/paint/Screenshot.h"

namespace apptest {
namespace {

class Captions : public SizingBars {
  protected:
    void TearDown() override {
        ::SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<PVOID>(TRUE), 0);
        ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
        SizingBars::TearDown();
    }
    void Repaint(CWnd& bar) {
        bar.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    static COLORREF Pixel(CPoint p) { return kq::ui::GetScreenPixel(p.x, p.y); }
    static COLORREF Mix(COLORREF a, COLORREF b, int band) {
        auto part = [&](int shift) {
            const int x = static_cast<int>((a >> shift) & 0xFF);
            const int y = static_cast<int>((b >> shift) & 0xFF);
            return static_cast<COLORREF>((x * (64 - band) + y * band) / 64) << shift;
        };
        return part(0) | part(8) | part(16);
    }
};

TEST_F(Captions, ColoursRunToTheCloseButtonAndTheTitleTurnsAlongATopBar) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0});
    TestSizingBar& bar = bars_[0];
    const CRect button = CloseButtonOnScreen(bar);
    // The caption starts at the client's left; its last band lies right of the button.
    const CPoint start(ScreenRect(&bar).left + 5, button.CenterPoint().y);
    const CPoint end(button.right, button.CenterPoint().y);
    Repaint(bar);
    EXPECT_FALSE(bar.IsActiveCaption());
    EXPECT_EQ(Pixel(start), ::GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(Pixel(end), Mix(::GetSysColor(COLOR_INACTIVECAPTION),
                              ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 63));
    // A click into the bar makes the caption active; the focus elsewhere makes it inactive.
    kq::ui::InjectMouseButton(ScreenRect(&bar).CenterPoint(), VK_LBUTTON, true);
    kq::ui::InjectMouseButton(ScreenRect(&bar).CenterPoint(), VK_LBUTTON, false);
    Pump();
    Advance(1000);
    EXPECT_TRUE(bar.IsActiveCaption());
    Repaint(bar);
    EXPECT_EQ(Pixel(start), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(Pixel(end), Mix(::GetSysColor(COLOR_ACTIVECAPTION),
                              ::GetSysColor(COLOR_GRADIENTACTIVECAPTION), 63));
    frame_->SetFocus();
    Idle();
    EXPECT_FALSE(bar.IsActiveCaption());

    // The close glyph in the button text colour inside its square.
    int glyph = 0;
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            glyph += Pixel(CPoint(x, y)) == ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(glyph, 4);

    // At the top, the caption runs up the bar's left side and the title is turned with it.
    ::SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, nullptr, 0);
    DockInOneRow(AFX_IDW_DOCKBAR_TOP, {0});
    Repaint(bar);
    const CRect topButton = CloseButtonOnScreen(bar);
    const CRect window = ScreenRect(&bar);
    const CRect strip(topButton.left, topButton.bottom + 2, topButton.right, window.bottom - 6);
    const COLORREF background = ::GetSysColor(COLOR_INACTIVECAPTION);
    CRect ink(strip.right, strip.bottom, strip.left, strip.top);
    for (int y = strip.top; y < strip.bottom; ++y) {
        for (int x = strip.left; x < strip.right; ++x) {
            if (Pixel(CPoint(x, y)) != background) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.top = std::min<LONG>(ink.top, y);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
        }
    }
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GT(ink.Height(), 2 * ink.Width());  // "Bar 1" reads upwards
}

TEST_F(Captions, WithoutFullWindowDragTheTrackingLineLeavesNoTrace) {
    DockInOneRow(AFX_IDW_DOCKBAR_RIGHT, {0, 1});
    // The setting reaches the bars through the frame.
    ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, SPIF_SENDCHANGE);
    EXPECT_FALSE(bars_[0].m_bFullDrag);
    Pump();
    CRect frameRect;
    frame_->GetWindowRect(&frameRect);
    const kq::gfx::Image before = kq::ui::CaptureScreenRect(frameRect);

    const CRect first = ScreenRect(&bars_[0]);
    const CPoint edge(first.CenterPoint().x, first.bottom - 4);
    kq::ui::InjectMouseMove(edge);
    kq::ui::InjectMouseButton(edge, VK_LBUTTON, true);
    Pump();
    ASSERT_TRUE(bars_[0].IsTracking());
    // The line shows at the edge and follows the mouse; the bars wait for the end.
    EXPECT_NE(kq::ui::CaptureScreenRect(frameRect).pixels, before.pixels);
    kq::ui::InjectMouseMove(edge + CSize(0, 20));
    Pump();
    EXPECT_EQ(ScreenRect(&bars_[0]), first);
    // The right button ends the drag: the line is gone.
    kq::ui::InjectMouseButton(edge + CSize(0, 20), VK_RBUTTON, true);
    Pump();
    EXPECT_FALSE(bars_[0].IsTracking());
    EXPECT_EQ(kq::ui::CaptureScreenRect(frameRect).pixels, before.pixels);
    kq::ui::InjectMouseButton(edge + CSize(0, 20), VK_RBUTTON, false);
    Pump();

    ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, SPIF_SENDCHANGE);
    EXPECT_TRUE(bars_[0].m_bFullDrag);
}

}  // namespace
}  // namespace apptest
