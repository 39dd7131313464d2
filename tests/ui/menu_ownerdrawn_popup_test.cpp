// Owner-drawn pop-up items (a sub-menu entry painted by the owner): the owner knows them by the
// sub-menu's handle, and the menu adds its arrow after the owner has painted.
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/menu/MenuApi.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

constexpr COLORREF kOwnerFill = RGB(0, 200, 0);

class MenuOwnerDrawnPopupTest : public UiTest {};

TEST_F(MenuOwnerDrawnPopupTest, OwnerGetsTheSubMenuHandleAndTheArrowShowsOverItsPainting) {
    HWND owner = CreateTopLevel(RECT{100, 100, 500, 400});
    SetFocus(owner);
    Pump();
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 20, "Inner");
    AppendMenu(menu, MF_OWNERDRAW, 30, reinterpret_cast<LPCSTR>(0x1111));
    AppendMenu(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
               reinterpret_cast<LPCSTR>(0x2222));

    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    RECT popupRect{};
    int arrowPixels = 0, ownerPixels = 0, commandRowText = 0;
    OnMessage(owner, [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            mis->itemWidth = 100;
            mis->itemHeight = 20;
            measured.push_back(*mis);
            return TRUE;
        }
        if (msg == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            drawn.push_back(*dis);
            HBRUSH brush = CreateSolidBrush(kOwnerFill);
            FillRect(dis->hDC, &dis->rcItem, brush);
            DeleteObject(brush);
            return TRUE;
        }
        if (msg != WM_ENTERIDLE)
            return std::nullopt;
        HWND popup = reinterpret_cast<HWND>(lp);
        GetWindowRect(popup, &popupRect);
        // The right end of each row: the arrow in the text colour on the owner's fill for the
        // pop-up item, nothing for the command item.
        const int arrowLeft = popupRect.right - 3 - GetSystemMetrics(SM_CXMENUCHECK);
        for (int row = 0; row < 2; ++row)
            for (int y = popupRect.top + 3 + 20 * row; y < popupRect.top + 23 + 20 * row; ++y)
                for (int x = arrowLeft; x < popupRect.right - 3; ++x) {
                    const COLORREF c = GetScreenPixel(x, y);
                    const bool text = c == GetSysColor(COLOR_MENUTEXT);
                    (row == 0 ? commandRowText : arrowPixels) += text;
                    ownerPixels += row == 1 && c == kOwnerFill;
                }
        EndMenu();
        return 0;
    });
    TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);

    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0].itemID, 30u);
    EXPECT_EQ(measured[1].itemID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)));
    EXPECT_TRUE(IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(measured[1].itemID))));
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].itemID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)));
    EXPECT_EQ(drawn[1].itemData, 0x2222u);
    EXPECT_GE(arrowPixels, 3);
    EXPECT_GT(ownerPixels, arrowPixels);  // drawn transparently, the owner's fill around it
    EXPECT_EQ(commandRowText, 0);
    DestroyMenu(menu);
}

}  // namespace
}  // namespace kq::ui::test
