#include <string>

#include "ui/commctrl_value_fixture.h"

namespace kq::ui::test {
namespace {

using Codes = std::vector<UINT>;

class TabTest : public ControlsBTest {
  protected:
    HWND MakeWithTabs(std::initializer_list<const char*> texts, DWORD style = 0) {
        HWND tab = Create(WC_TABCONTROL, style, {10, 10, 410, 210});
        LPARAM data = 100;
        for (const char* text : texts)
            Insert(tab, 1000, text, data++);
        ClearEvents();
        return tab;
    }
    static int Insert(HWND tab, int index, const char* text, LPARAM data) {
        TCITEM item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(text);
        item.lParam = data;
        return static_cast<int>(
            SendMessage(tab, TCM_INSERTITEM, index, reinterpret_cast<LPARAM>(&item)));
    }
    static int Sel(HWND tab) { return static_cast<int>(SendMessage(tab, TCM_GETCURSEL, 0, 0)); }
    static RECT ItemRect(HWND tab, int index) {
        RECT rc{};
        SendMessage(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static POINT Middle(const RECT& rc) {
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
};

TEST_F(TabTest, ItemsKeepTextAndDataAndTheSelectionFollowsInsertsAndDeletes) {
    HWND tab = MakeWithTabs({});
    EXPECT_EQ(Sel(tab), -1);
    EXPECT_EQ(Insert(tab, 0, "Achse", 1), 0);
    EXPECT_EQ(Sel(tab), 0);  // the first tab is selected on its own
    EXPECT_EQ(Insert(tab, 0, "Diagramm", 2), 0);
    EXPECT_EQ(Sel(tab), 1);  // still "Achse"
    EXPECT_EQ(Insert(tab, 99, "Meßkurve", 3), 2);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 3);

    char buffer[6];
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEM, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(buffer,
                 "Me\xc3\x9f"
                 "k");  // cut before the buffer ends, not inside "ß"
    EXPECT_EQ(item.lParam, 3);
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Curve");
    EXPECT_TRUE(SendMessage(tab, TCM_SETITEM, 2, reinterpret_cast<LPARAM>(&item)));
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    SendMessage(tab, TCM_GETITEM, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, "Curve");
    EXPECT_EQ(item.lParam, 3);  // untouched by a text-only change
    EXPECT_FALSE(SendMessage(tab, TCM_GETITEM, 3, reinterpret_cast<LPARAM>(&item)));

    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 2, 0), 1);
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 5, 0), -1);
    EXPECT_EQ(Sel(tab), 2);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(Sel(tab), 1);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(Sel(tab), -1);
    EXPECT_FALSE(SendMessage(tab, TCM_DELETEITEM, 1, 0));
    EXPECT_TRUE(notifications_.empty());  // changes by messages are not reported
}

TEST_F(TabTest, ParentMayRefuseASelectionChangeByMouse) {
    HWND tab = MakeWithTabs({"Diagramm", "Achse", "Meßkurve"});
    answer_ = [](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING; };
    Click(OnScreen(tab, Middle(ItemRect(tab, 1)).x, Middle(ItemRect(tab, 1)).y));
    EXPECT_EQ(Sel(tab), 0);
    EXPECT_EQ(notifications_, (Codes{TCN_SELCHANGING}));

    ClearEvents();
    answer_ = nullptr;
    Click(OnScreen(tab, Middle(ItemRect(tab, 2)).x, Middle(ItemRect(tab, 2)).y));
    EXPECT_EQ(Sel(tab), 2);
    Click(OnScreen(tab, Middle(ItemRect(tab, 2)).x, Middle(ItemRect(tab, 2)).y));
    Click(OnScreen(tab, 300, 5));  // beside the tabs
    EXPECT_EQ(notifications_, (Codes{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(Sel(tab), 2);
}

TEST_F(TabTest, ArrowsStopAtTheEndsAndCtrlTabGoesRound) {
    HWND tab = MakeWithTabs({"A", "B", "C"});
    SetFocus(tab);
    Pump();
    KeyPress(VK_LEFT);
    EXPECT_EQ(Sel(tab), 0);
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    EXPECT_EQ(Sel(tab), 2);
    InjectKey(VK_CONTROL, true);
    KeyPress(VK_TAB);
    EXPECT_EQ(Sel(tab), 0);
    InjectKey(VK_SHIFT, true);
    KeyPress(VK_TAB);
    EXPECT_EQ(Sel(tab), 2);
    InjectKey(VK_SHIFT, false);
    InjectKey(VK_CONTROL, false);
    KeyPress(VK_TAB);  // a plain tab is the dialog's business
    EXPECT_EQ(Sel(tab), 2);
    int changes = 0;
    for (UINT code : notifications_)
        changes += code == TCN_SELCHANGE;
    EXPECT_EQ(changes, 4);
}

TEST_F(TabTest, ItemRectanglesHitTestingAndTheDisplayArea) {
    HWND tab = MakeWithTabs({"Diagramm", "Achse", "A much longer title"});
    const RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1), r2 = ItemRect(tab, 2);
    EXPECT_EQ(r0.right, r1.left);
    EXPECT_EQ(r1.right, r2.left);
    EXPECT_EQ(r0.top, r2.top);
    EXPECT_GT(r2.right - r2.left, r1.right - r1.left);

    TCHITTESTINFO hit{{r1.left, r1.top}, 0};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, TCHT_ONITEMLABEL);
    hit.pt = {r1.left, r1.bottom};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, TCHT_NOWHERE);

    RECT area{0, 0, 400, 200};
    SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    EXPECT_GT(area.top, r0.bottom);
    EXPECT_GT(area.left, 0);
    EXPECT_LT(area.right, 400);
    EXPECT_LT(area.bottom, 200);
    SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 400);
    EXPECT_EQ(area.bottom, 200);
}

TEST_F(TabTest, SelectedTabOpensIntoTheFrame) {
    HWND tab = MakeWithTabs({"Diagramm", "Achse"});
    const RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1);
    Rendered pic(tab);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The frame's lit top edge runs below the other tab but not below the selected one.
    EXPECT_EQ(pic.At(Middle(r1).x, r1.bottom), light);
    EXPECT_EQ(pic.At(Middle(r0).x, r0.bottom), face);
    // The selected tab stands 2 pixels higher.
    EXPECT_EQ(pic.At(Middle(r0).x, r0.top - 2), light);
    EXPECT_EQ(pic.At(Middle(r1).x, r1.top - 2), face);
    RECT inside = r0;
    InflateRect(&inside, -3, -3);
    const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
    EXPECT_LT(pic.Count(inside, face), area - 20);  // the label
}

}  // namespace
}  // namespace kq::ui::test
