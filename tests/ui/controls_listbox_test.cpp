// The list box: items, sorting and searching, selection by keyboard and mouse with its
// notifications, geometry and scrolling, owner-drawn items, multiple selection.
#include <algorithm>

#include "platform/ui/controls/OwnerDraw.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class ListBoxTest : public ControlTest {
  protected:
    // Five items of 13 pixels fit.
    HWND MakeList(DWORD style = LBS_NOTIFY, RECT r = RECT{10, 10, 110, 75}) {
        HWND l = Make("LISTBOX", "", style | WS_TABSTOP, r);
        ClearLog();
        return l;
    }
    void Add(HWND l, std::initializer_list<const char*> items) {
        for (const char* item : items)
            SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    std::string Item(HWND l, int index) {
        char text[64] = "";
        SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    LRESULT Find(HWND l, UINT message, int start, const char* text) {
        return SendMessage(l, message, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
    }
    LRESULT CurSel(HWND l) { return SendMessage(l, LB_GETCURSEL, 0, 0); }
    POINT ItemPoint(HWND l, int index) {
        RECT r{};
        SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return At(l, 5, (r.top + r.bottom) / 2);
    }
};

TEST_F(ListBoxTest, SortedItemsSearchAndItemData) {
    HWND l = MakeList(LBS_SORT);
    Add(l, {"pear", "Apple", "banana"});
    EXPECT_EQ(Item(l, 0), "Apple");
    EXPECT_EQ(Item(l, 2), "pear");
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zebra")), 0);
    EXPECT_EQ(CurSel(l), 2);  // the selection moved with its item
    EXPECT_EQ(Item(l, 0), "zebra");
    EXPECT_EQ(Find(l, LB_FINDSTRING, -1, "B"), 2);
    EXPECT_EQ(Find(l, LB_FINDSTRING, 2, "b"), 2);  // wraps round to itself
    EXPECT_EQ(Find(l, LB_FINDSTRING, -1, "ba"), 2);
    EXPECT_EQ(Find(l, LB_FINDSTRINGEXACT, -1, "PEAR"), 3);
    EXPECT_EQ(Find(l, LB_FINDSTRINGEXACT, -1, "pea"), LB_ERR);
    EXPECT_EQ(Find(l, LB_SELECTSTRING, -1, "app"), 1);
    EXPECT_EQ(CurSel(l), 1);
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 3, 0), 4);
    SendMessage(l, LB_SETITEMDATA, 3, 0x1234);
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 3, 0), 0x1234);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 1, 0), 3);
    EXPECT_EQ(CurSel(l), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 2, 0), 0x1234);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndNotifyTheParent) {
    HWND l = MakeList();
    Add(l, {"a", "b", "c", "d", "e", "f", "g", "h", "pear"});
    SetFocus(l);
    KeyPress(VK_DOWN);
    EXPECT_EQ(CurSel(l), 0);
    KeyPress(VK_END);
    EXPECT_EQ(CurSel(l), 8);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 4);
    KeyPress(VK_HOME);
    KeyPress(VK_NEXT);
    EXPECT_EQ(CurSel(l), 4);
    KeyPress(VK_UP);
    EXPECT_EQ(CurSel(l), 3);
    KeyPress(VK_UP);
    KeyPress(VK_UP);
    KeyPress(VK_UP);
    KeyPress(VK_UP);  // stays at the top, and still reports
    EXPECT_EQ(CurSel(l), 0);
    Type("p");
    EXPECT_EQ(CurSel(l), 8);
    const std::vector<int> codes = Codes(l);
    EXPECT_EQ(codes.front(), LBN_SETFOCUS);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), 10);
    ClearLog();
    SendMessage(l, LB_SETCURSEL, 2, 0);  // the program's own changes are not reported
    EXPECT_TRUE(Codes(l).empty());
}

TEST_F(ListBoxTest, AClickSelectsAndReportsOnRelease) {
    HWND l = MakeList();
    Add(l, {"a", "b", "c"});
    MouseDown(ItemPoint(l, 2));
    EXPECT_EQ(GetCapture(), l);
    EXPECT_EQ(CurSel(l), 2);
    EXPECT_EQ(Codes(l), (std::vector<int>{LBN_SETFOCUS}));
    MouseMove(ItemPoint(l, 1));  // the selection follows the drag
    EXPECT_EQ(CurSel(l), 1);
    MouseUp(ItemPoint(l, 1));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Codes(l), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));
    ClearLog();
    Click(ItemPoint(l, 1));
    Click(ItemPoint(l, 1));  // within the double-click time: the second press is a double-click
    EXPECT_EQ(Codes(l), (std::vector<int>{LBN_SELCHANGE, LBN_DBLCLK}));
    ClearLog();
    Click(At(l, 5, 60));  // below the last item
    EXPECT_TRUE(Codes(l).empty());
    EXPECT_EQ(CurSel(l), 1);

    HWND quiet = MakeList(0, RECT{200, 10, 300, 75});
    Add(quiet, {"a", "b"});
    Click(ItemPoint(quiet, 1));
    EXPECT_EQ(CurSel(quiet), 1);
    EXPECT_EQ(Codes(quiet), (std::vector<int>{LBN_SETFOCUS}));
}

TEST_F(ListBoxTest, GeometryAndIntegralHeight) {
    HWND l = MakeList(LBS_NOTIFY, RECT{10, 10, 110, 80});
    RECT client{};
    GetClientRect(l, &client);
    EXPECT_EQ(client.bottom, 65);  // whole items only
    HWND free = MakeList(LBS_NOINTEGRALHEIGHT, RECT{200, 10, 300, 80});
    GetClientRect(free, &client);
    EXPECT_EQ(client.bottom, 70);

    Add(l, {"0", "1", "2", "3", "4", "5", "6", "7"});
    RECT r{};
    SendMessage(l, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.bottom, 39);
    EXPECT_EQ(r.right, 100);
    SendMessage(l, LB_SETTOPINDEX, 7, 0);  // no further than the last page
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 3);
    SendMessage(l, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, -13);
    EXPECT_EQ(SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 20)), MAKELRESULT(4, 0));
    EXPECT_EQ(HIWORD(SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 200))), 1);
    EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 0, 0), 13);
}

TEST_F(ListBoxTest, TheScrollBarComesWithTheNeedToScroll) {
    HWND l = MakeList(LBS_NOTIFY | WS_VSCROLL);
    Add(l, {"0", "1", "2"});
    EXPECT_FALSE(GetWindowLong(l, GWL_STYLE) & WS_VSCROLL);
    Add(l, {"3", "4", "5", "6", "7", "8", "9"});
    EXPECT_TRUE(GetWindowLong(l, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(l, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 9);
    EXPECT_EQ(si.nPage, 5u);
    SendMessage(l, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(l, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 5);
    EXPECT_EQ(GetScrollPos(l, SB_VERT), 5);
    SendMessage(l, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(GetScrollPos(l, SB_VERT), 0);
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreMeasuredAndDeletedThroughTheParent) {
    std::vector<ULONG_PTR> deleted;
    UINT measuredType = 0;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (m == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measuredType = mis->CtlType;
            mis->itemHeight = 20;
            return TRUE;
        }
        if (m == WM_DELETEITEM) {
            deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData);
            return TRUE;
        }
        return std::nullopt;
    });
    HWND l = MakeList(LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(measuredType, ODT_LISTBOX);
    EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 0, 0), 20);
    SendMessage(l, LB_ADDSTRING, 0, 0x11);  // without LBS_HASSTRINGS the "string" is item data
    SendMessage(l, LB_ADDSTRING, 0, 0x22);
    SendMessage(l, LB_ADDSTRING, 0, 0);
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 0x22);
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, static_cast<WPARAM>(-1), 0x22), 1);
    SendMessage(l, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(deleted, std::vector<ULONG_PTR>{0x11});
    DestroyWindow(l);
    EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{0x11, 0x22}));
}

TEST_F(ListBoxTest, MultipleAndExtendedSelection) {
    HWND multi = MakeList(LBS_MULTIPLESEL | LBS_NOTIFY);
    Add(multi, {"a", "b", "c", "d"});
    Click(ItemPoint(multi, 1));
    Click(ItemPoint(multi, 3));
    EXPECT_EQ(SendMessage(multi, LB_GETSELCOUNT, 0, 0), 2);
    int items[4] = {};
    EXPECT_EQ(SendMessage(multi, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), 2);
    EXPECT_EQ(items[0], 1);
    EXPECT_EQ(items[1], 3);
    Advance(1000);
    Click(ItemPoint(multi, 1));
    EXPECT_EQ(SendMessage(multi, LB_GETSEL, 1, 0), 0);
    EXPECT_EQ(SendMessage(multi, LB_SETCURSEL, 0, 0), LB_ERR);

    HWND ext = MakeList(LBS_EXTENDEDSEL, RECT{200, 10, 300, 75});
    Add(ext, {"a", "b", "c", "d", "e"});
    Click(ItemPoint(ext, 1));
    KeyDown(VK_SHIFT);
    Click(ItemPoint(ext, 3));
    KeyUp(VK_SHIFT);
    EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 3);
    Advance(1000);
    KeyDown(VK_CONTROL);
    Click(ItemPoint(ext, 2));
    KeyUp(VK_CONTROL);
    EXPECT_EQ(SendMessage(ext, LB_GETSEL, 2, 0), 0);
    EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 2);
    KeyPress(VK_DOWN);  // a plain arrow selects one item only
    EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(ext, LB_GETSEL, 3, 0), 1);
}

}  // namespace
}  // namespace kq::ui::test
