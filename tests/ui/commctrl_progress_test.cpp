#include <climits>

#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

class ProgressTest : public ControlsBTest {};

TEST_F(ProgressTest, RangeStepAndDeltaKeepThePositionInside) {
    HWND pb = Create(PROGRESS_CLASS, 0, {10, 10, 210, 30});
    EXPECT_EQ(SendMessage(pb, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELRESULT(0, 100));
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 10);  // pulled into the new range
    EXPECT_EQ(SendMessage(pb, PBM_SETSTEP, 15, 0), 10);
    EXPECT_EQ(SendMessage(pb, PBM_STEPIT, 0, 0), 10);
    EXPECT_EQ(SendMessage(pb, PBM_STEPIT, 0, 0), 25);
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 40);
    SendMessage(pb, PBM_STEPIT, 0, 0);  // 55 is past the end: starts over
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 15);
    EXPECT_EQ(SendMessage(pb, PBM_DELTAPOS, 100, 0), 15);
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessage(pb, PBM_SETPOS, static_cast<WPARAM>(-5), 0), 50);
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 10);

    SendMessage(pb, PBM_SETRANGE32, static_cast<WPARAM>(-1000), 3000000);
    PBRANGE range{};
    EXPECT_EQ(SendMessage(pb, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), -1000);
    EXPECT_EQ(range.iHigh, 3000000);
    SendMessage(pb, PBM_SETPOS, 2999999, 0);
    SendMessage(pb, PBM_DELTAPOS, INT_MAX, 0);  // no overflow on the way to the end
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 3000000);

    // An empty range leaves an empty bar and a step goes nowhere.
    SendMessage(pb, PBM_SETRANGE32, 7, 7);
    SendMessage(pb, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessage(pb, PBM_GETPOS, 0, 0), 7);
    Rendered pic(pb);
    EXPECT_EQ(pic.Count({0, 0, 200, 20}, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(ProgressTest, FillsInBlocksOrSmoothlyInTheColoursSet) {
    HWND blocks = Create(PROGRESS_CLASS, 0, {10, 10, 210, 32});
    HWND smooth = Create(PROGRESS_CLASS, PBS_SMOOTH, {10, 40, 210, 62}, 101);
    for (HWND pb : {blocks, smooth})
        SendMessage(pb, PBM_SETPOS, 50, 0);
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    {
        Rendered pic(smooth);
        EXPECT_EQ(pic.Count({1, 1, 100, 21}, bar), 99 * 20);  // inside a 1-pixel margin
        EXPECT_EQ(pic.Count({100, 1, 199, 21}, bar), 0);
        EXPECT_EQ(pic.At(150, 10), face);
        EXPECT_EQ(pic.At(0, 0), GetSysColor(COLOR_BTNSHADOW));  // a sunken frame in the margin
        EXPECT_EQ(pic.At(199, 21), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    {
        // Blocks of 13 pixels (two thirds of 20) with gaps of 2.
        Rendered pic(blocks);
        EXPECT_EQ(pic.At(1, 10), bar);
        EXPECT_EQ(pic.At(13, 10), bar);
        EXPECT_EQ(pic.At(14, 10), face);
        EXPECT_EQ(pic.At(16, 10), bar);
        EXPECT_EQ(pic.Count({100, 1, 199, 21}, bar), 0);
    }
    EXPECT_EQ(SendMessage(smooth, PBM_SETBARCOLOR, 0, RGB(0, 128, 0)),
              static_cast<LRESULT>(CLR_DEFAULT));
    SendMessage(smooth, PBM_SETBKCOLOR, 0, RGB(255, 255, 255));
    EXPECT_EQ(Rendered(smooth).At(150, 10), RGB(255, 255, 255));
    SendMessage(smooth, PBM_SETPOS, 100, 0);
    Rendered pic(smooth);
    EXPECT_EQ(pic.Count({1, 1, 199, 21}, RGB(0, 128, 0)), 198 * 20);
    EXPECT_EQ(pic.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(ProgressTest, VerticalBarsGrowUpwards) {
    HWND pb = Create(PROGRESS_CLASS, PBS_VERTICAL | PBS_SMOOTH, {10, 10, 30, 112});
    SendMessage(pb, PBM_SETPOS, 25, 0);
    Rendered pic(pb);
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(pic.Count({1, 76, 19, 101}, bar), 18 * 25);
    EXPECT_EQ(pic.Count({1, 1, 19, 76}, bar), 0);
}

}  // namespace
}  // namespace kq::ui::test
