#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/ui/menu/MenuApi.h"
#include "platform/ui/menu/MenuBar.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

// What the user sees: the bar and the pop-up on the screen, the highlight following the keys.
class MenuPaintTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        frame_ = CreateTopLevel(RECT{100, 100, 600, 400});
        SetFocus(frame_);
        bar_ = CreateMenu();
        popup_ = CreatePopupMenu();
        AppendMenu(popup_, MF_STRING, 10, "&One");
        AppendMenu(popup_, MF_STRING, 11, "&Two");
        AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), "&File");
        SetMenu(frame_, bar_);
        Pump();
    }
    void TearDown() override {
        SetMenu(frame_, nullptr);
        DestroyMenu(bar_);
        UiTest::TearDown();
    }
    // A point in the left margin of a pop-up item, clear of any text.
    static POINT Margin(HWND popup, int index) {
        RECT r{};
        GetWindowRect(popup, &r);
        const int h = (r.bottom - r.top - 6) / 2;
        return POINT{r.left + 5, r.top + 3 + h * index + h / 2};
    }

    HWND frame_ = nullptr;
    HMENU bar_ = nullptr;
    HMENU popup_ = nullptr;
};

TEST_F(MenuPaintTest, BarAndPopupShowTheHighlight) {
    const RECT item = MenuBarItemRects(frame_)[0];
    const POINT barMargin{item.left + 2, (item.top + item.bottom) / 2};
    EXPECT_EQ(GetScreenPixel(barMargin.x, barMargin.y), GetSysColor(COLOR_MENU));

    COLORREF barWhileOpen = 0, first = 0, second = 0, firstAfter = 0, secondAfter = 0;
    int phase = 0;
    OnMessage(frame_, [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg != WM_ENTERIDLE)
            return std::nullopt;
        HWND popup = reinterpret_cast<HWND>(lp);
        if (phase == 0) {
            barWhileOpen = GetScreenPixel(barMargin.x, barMargin.y);
            first = GetScreenPixel(Margin(popup, 0).x, Margin(popup, 0).y);
            second = GetScreenPixel(Margin(popup, 1).x, Margin(popup, 1).y);
            InjectKey(VK_DOWN, true);
        } else if (phase == 1) {
            firstAfter = GetScreenPixel(Margin(popup, 0).x, Margin(popup, 0).y);
            secondAfter = GetScreenPixel(Margin(popup, 1).x, Margin(popup, 1).y);
            InjectKey(VK_ESCAPE, true);
            InjectKey(VK_ESCAPE, true);
        } else {
            EndMenu();
        }
        ++phase;
        return 0;
    });
    MouseDown(POINT{(item.left + item.right) / 2, barMargin.y});
    EXPECT_EQ(barWhileOpen, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(first, GetSysColor(COLOR_MENU));  // opened by the mouse: nothing highlighted
    EXPECT_EQ(second, GetSysColor(COLOR_MENU));
    EXPECT_EQ(firstAfter, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(secondAfter, GetSysColor(COLOR_MENU));
    Pump();
    EXPECT_EQ(GetScreenPixel(barMargin.x, barMargin.y), GetSysColor(COLOR_MENU));
}

}  // namespace
}  // namespace kq::ui::test
