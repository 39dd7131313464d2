#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

class ListViewTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        list_ = Create(WC_LISTVIEW, LVS_REPORT | LVS_SHOWSELALWAYS, {10, 10, 310, 210});
        ASSERT_NE(list_, nullptr);
        AddColumn(0, "Port", 100, LVCFMT_LEFT);
        AddColumn(1, "State", 80, LVCFMT_RIGHT);
        AddColumn(2, "Unit", 60, LVCFMT_CENTER);
        for (int i = 0; i < 20; ++i) {
            const std::string text = "Item " + std::to_string(i);
            LVITEM item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = i;
            item.pszText = const_cast<char*>(text.c_str());
            item.lParam = 1000 + i;
            SendMessage(list_, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
            SetText(i, 1, ("v" + std::to_string(i)).c_str());
        }
        notices_.clear();
    }
    void AddColumn(int index, const char* text, int width, int fmt) {
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = const_cast<char*>(text);
        col.cx = width;
        col.fmt = fmt;
        SendMessage(list_, LVM_INSERTCOLUMN, index, reinterpret_cast<LPARAM>(&col));
    }
    void SetText(int i, int sub, const char* text) {
        LVITEM item{};
        item.iSubItem = sub;
        item.pszText = const_cast<char*>(text);
        SendMessage(list_, LVM_SETITEMTEXT, i, reinterpret_cast<LPARAM>(&item));
    }
    std::string Text(int i, int sub) {
        char buffer[64] = {};
        LVITEM item{};
        item.iSubItem = sub;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessage(list_, LVM_GETITEMTEXT, i, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    RECT SubItemRect(int i, int sub, int code = LVIR_BOUNDS) {
        RECT rc{code, sub, 0, 0};
        rc.left = code;
        rc.top = sub;
        SendMessage(list_, LVM_GETSUBITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    LVHITTESTINFO SubHit(int x, int y) {
        LVHITTESTINFO info{{x, y}, 0, 0, 0};
        SendMessage(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    int Next(int start, UINT flags) {
        return static_cast<int>(SendMessage(list_, LVM_GETNEXTITEM, start, flags));
    }
    std::vector<int> Selected() {
        std::vector<int> out;
        for (int i = Next(-1, LVNI_SELECTED); i >= 0; i = Next(i, LVNI_SELECTED))
            out.push_back(i);
        return out;
    }
    int ItemHeight() {
        RECT rc{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
        return rc.bottom - rc.top;
    }
    int HeaderHeight() {
        RECT rc{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list_, LVM_GETITEMRECT, SendMessage(list_, LVM_GETTOPINDEX, 0, 0),
                    reinterpret_cast<LPARAM>(&rc));
        return rc.top;
    }
    // Client point inside row i, x given.
    POINT RowPoint(int i, int x) {
        RECT rc{LVIR_BOUNDS, 0, 0, 0};
        SendMessage(list_, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
        return At(list_, x, (rc.top + rc.bottom) / 2);
    }
    // "changed:item:old>new" for every LVN_ITEMCHANGED.
    std::vector<std::string> Changes() {
        std::vector<std::string> out;
        for (const Notice& n : NoticesOf(LVN_ITEMCHANGED))
            out.push_back(std::to_string(n.item) + ":" + std::to_string(n.oldState) + ">" +
                          std::to_string(n.newState));
        return out;
    }
    HWND list_ = nullptr;
};

TEST_F(ListViewTest, ItemsColumnsAndTexts) {
    EXPECT_EQ(SendMessage(list_, LVM_GETITEMCOUNT, 0, 0), 20);
    EXPECT_EQ(Text(3, 0), "Item 3");
    EXPECT_EQ(Text(3, 1), "v3");
    EXPECT_EQ(Text(3, 2), "");
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = 7;
    ASSERT_TRUE(SendMessage(list_, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 1007);

    // Inserting in the middle moves the later items down.
    LVITEM insert{};
    insert.mask = LVIF_TEXT;
    insert.iItem = 2;
    insert.pszText = const_cast<char*>("new");
    EXPECT_EQ(SendMessage(list_, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)), 2);
    EXPECT_EQ(Text(3, 0), "Item 2");
    insert.iSubItem = 1;
    EXPECT_EQ(SendMessage(list_, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)), -1);

    EXPECT_EQ(SendMessage(list_, LVM_GETCOLUMNWIDTH, 1, 0), 80);
    char buffer[16] = {};
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = buffer;
    col.cchTextMax = sizeof buffer;
    SendMessage(list_, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&col));
    EXPECT_STREQ(buffer, "State");
    EXPECT_EQ(col.fmt, LVCFMT_RIGHT);

    // Auto-size fits the widest text; with the header it also fits the header text, and the
    // last column reaches the window's right edge.
    EXPECT_TRUE(SendMessage(list_, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE));
    const int autoWidth = static_cast<int>(SendMessage(list_, LVM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_LT(autoWidth, 40);
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_GT(SendMessage(list_, LVM_GETCOLUMNWIDTH, 1, 0), autoWidth);
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER);
    RECT client{};
    GetClientRect(list_, &client);
    EXPECT_EQ(SubItemRect(0, 2).right, client.right);

    EXPECT_TRUE(SendMessage(list_, LVM_DELETECOLUMN, 0, 0));
    // The remaining columns show the sub-items they showed before.
    EXPECT_EQ(SubItemRect(0, 1).left, SendMessage(list_, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(Text(0, 1), "v0");
    LVCOLUMN first{};
    first.mask = LVCF_SUBITEM;
    SendMessage(list_, LVM_GETCOLUMN, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.iSubItem, 1);
}

TEST_F(ListViewTest, SubItemRectsAndHitTestsAtColumnBordersAndAfterScrolling) {
    const int top = HeaderHeight();
    const int h = ItemHeight();
    EXPECT_GT(top, 0);
    RECT r1 = SubItemRect(1, 1);
    EXPECT_EQ(r1.left, 100);
    EXPECT_EQ(r1.right, 180);
    EXPECT_EQ(r1.top, top + h);
    // Sub-item 0 with LVIR_BOUNDS is the whole row; its label is column 0 only.
    EXPECT_EQ(SubItemRect(1, 0).right, 240);
    EXPECT_EQ(SubItemRect(1, 0, LVIR_LABEL).right, 100);

    const int y = top + h + 2;
    EXPECT_EQ(SubHit(99, y).iSubItem, 0);
    EXPECT_EQ(SubHit(100, y).iSubItem, 1);
    EXPECT_EQ(SubHit(179, y).iSubItem, 1);
    EXPECT_EQ(SubHit(180, y).iSubItem, 2);
    EXPECT_EQ(SubHit(180, y).iItem, 1);
    EXPECT_EQ(SubHit(180, y).flags, LVHT_ONITEMLABEL);
    EXPECT_EQ(SubHit(245, y).iItem, -1);
    EXPECT_EQ(SubHit(50, top - 2).iItem, -1);  // on the header
    EXPECT_EQ(SubHit(245, y).flags, LVHT_NOWHERE);

    // Scroll right by 70 pixels and down by 3 rows: cells move, hit tests follow.
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 2, 400);
    SendMessage(list_, LVM_SCROLL, 70, 3 * h - 1);
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 3);
    EXPECT_EQ(SubItemRect(3, 1).left, 30);
    EXPECT_EQ(SubHit(29, top + 1).iSubItem, 0);
    EXPECT_EQ(SubHit(30, top + 1).iSubItem, 1);
    EXPECT_EQ(SubHit(30, top + 1).iItem, 3);
    EXPECT_EQ(SubHit(110, top + 1).iSubItem, 2);
    RECT headerRect{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessage(list_, LVM_GETHEADER, 0, 0)), &headerRect);
    RECT listRect{};
    GetWindowRect(list_, &listRect);
    EXPECT_EQ(headerRect.left, listRect.left - 70);

    // Scrolling stops at the ends.
    SendMessage(list_, LVM_SCROLL, 10000, -100000);
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 0);
    RECT client{};
    GetClientRect(list_, &client);
    EXPECT_EQ(SubItemRect(0, 2).right, client.right);

    // Without full-row selection the sub-items are not the item; with it they are.
    LVHITTESTINFO hit{{150, top + 2}, 0, 0, 0};
    SendMessage(list_, LVM_SCROLL, -10000, 0);
    EXPECT_EQ(SendMessage(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    SendMessage(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessage(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
}

TEST_F(ListViewTest, MouseSelectionNotifiesChangesInOrder) {
    Click(RowPoint(2, 20));
    EXPECT_EQ(Changes(), (std::vector<std::string>{"2:0>3"}));
    EXPECT_EQ(Codes({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}),
              (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
    EXPECT_EQ(NoticesOf(NM_CLICK).size(), 1u);

    notices_.clear();
    Advance(1000);
    Click(RowPoint(5, 20));
    // The old item loses its selection, then its focus, then the new item gains both.
    EXPECT_EQ(Changes(), (std::vector<std::string>{"2:3>1", "2:1>0", "5:0>3"}));

    Advance(1000);
    InjectKey(VK_SHIFT, true);
    Click(RowPoint(7, 20));
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(Selected(), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 7);

    Advance(1000);
    InjectKey(VK_CONTROL, true);
    Click(RowPoint(6, 20));
    Click(RowPoint(12, 20));
    InjectKey(VK_CONTROL, false);
    EXPECT_EQ(Selected(), (std::vector<int>{5, 7, 12}));
    EXPECT_EQ(SendMessage(list_, LVM_GETSELECTEDCOUNT, 0, 0), 3);

    // A click on empty space clears the selection; the parent may refuse a change.
    Advance(1000);
    RECT client{};
    GetClientRect(list_, &client);
    Click(At(list_, 280, HeaderHeight() + 2));
    EXPECT_TRUE(Selected().empty());
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> { return hdr->code == LVN_ITEMCHANGING; };
    Advance(1000);
    Click(RowPoint(1, 20));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ListViewTest, KeyboardSelectionAndScrolling) {
    SetFocus(list_);
    const int perPage = static_cast<int>(SendMessage(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 3);
    ASSERT_LT(perPage, 20);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Selected(), std::vector<int>{0});
    KeyPress(VK_DOWN);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(NoticesOf(LVN_KEYDOWN).size(), 3u);

    KeyPress(VK_NEXT);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), perPage - 1);
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 0);
    KeyPress(VK_NEXT);
    const int second = std::min(19, 2 * perPage - 2);
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), second);
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), second - perPage + 1);
    KeyPress(VK_END);
    EXPECT_EQ(Selected(), std::vector<int>{19});
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 20 - perPage);
    InjectKey(VK_SHIFT, true);
    KeyPress(VK_UP);
    KeyPress(VK_UP);
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(Selected(), (std::vector<int>{17, 18, 19}));
    KeyPress(VK_HOME);
    EXPECT_EQ(Selected(), std::vector<int>{0});
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 0);

    // CTRL moves the focus only; CTRL+SPACE toggles the focused item.
    InjectKey(VK_CONTROL, true);
    KeyPress(VK_DOWN);
    KeyPress(VK_DOWN);
    KeyPress(VK_SPACE, " ");
    InjectKey(VK_CONTROL, false);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));

    // Single selection keeps one item.
    SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) | LVS_SINGLESEL);
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(list_, LVM_SETITEMSTATE, 9, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(Selected(), std::vector<int>{9});

    SendMessage(list_, LVM_ENSUREVISIBLE, 15, FALSE);
    EXPECT_EQ(SendMessage(list_, LVM_GETTOPINDEX, 0, 0), 15 - perPage + 1);
}

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM sortParam) {
    EXPECT_EQ(sortParam, 42);
    return a > b ? -1 : a < b ? 1 : 0;
}

TEST_F(ListViewTest, SortByCallbackKeepsStatesWithTheirItems) {
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(list_, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(SendMessage(list_, LVM_SORTITEMS, 42, reinterpret_cast<LPARAM>(&ByDataDescending)));
    EXPECT_EQ(Text(0, 0), "Item 19");
    EXPECT_EQ(Text(19, 0), "Item 0");
    EXPECT_EQ(Text(0, 1), "v19");
    EXPECT_EQ(Selected(), std::vector<int>{16});
    EXPECT_EQ(Next(-1, LVNI_FOCUSED), 16);
}

TEST_F(ListViewTest, DeletionNotifiesAndKeepsNeighbours) {
    EXPECT_TRUE(SendMessage(list_, LVM_DELETEITEM, 4, 0));
    ASSERT_EQ(NoticesOf(LVN_DELETEITEM).size(), 1u);
    EXPECT_EQ(NoticesOf(LVN_DELETEITEM)[0].lParam, 1004);
    EXPECT_EQ(Text(4, 0), "Item 5");
    notices_.clear();
    EXPECT_TRUE(SendMessage(list_, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(NoticesOf(LVN_DELETEALLITEMS).size(), 1u);
    EXPECT_EQ(NoticesOf(LVN_DELETEITEM).size(), 19u);
    EXPECT_EQ(SendMessage(list_, LVM_GETITEMCOUNT, 0, 0), 0);
}

// A wrapper object deleted before its window can take the header away first: the list then
// lays out, paints and goes without it.
TEST_F(ListViewTest, ListOutlivesItsHeaderWindow) {
    HWND header = reinterpret_cast<HWND>(SendMessage(list_, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(DestroyWindow(header));
    SetWindowPos(list_, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(list_);
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessage(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc)));
    EXPECT_EQ(rc.top, 0);
    EXPECT_TRUE(DestroyWindow(list_));
    list_ = nullptr;
}

TEST_F(ListViewTest, HeaderClicksAndDragsReachTheList) {
    HWND header = reinterpret_cast<HWND>(SendMessage(list_, LVM_GETHEADER, 0, 0));
    Click(At(header, 130, 4));
    ASSERT_EQ(NoticesOf(LVN_COLUMNCLICK).size(), 1u);
    EXPECT_EQ(NoticesOf(LVN_COLUMNCLICK)[0].subItem, 1);
    EXPECT_EQ(NoticesOf(LVN_COLUMNCLICK)[0].item, -1);
    EXPECT_EQ(NoticesOf(HDN_ITEMCLICK).size(), 1u);  // passed on to the list's parent

    MouseDown(At(header, 100, 4));
    MouseMove(At(header, 120, 4));
    MouseUp(At(header, 120, 4));
    EXPECT_EQ(NoticesOf(HDN_BEGINTRACK).size(), 1u);
    EXPECT_EQ(SubItemRect(0, 1).left, 120);
    EXPECT_EQ(SendMessage(list_, LVM_GETCOLUMNWIDTH, 0, 0), 120);

    // LVS_NOSORTHEADER: the header items are no buttons.
    SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) | LVS_NOSORTHEADER);
    notices_.clear();
    Advance(1000);
    Click(At(header, 160, 4));
    EXPECT_TRUE(NoticesOf(LVN_COLUMNCLICK).empty());
}

TEST_F(ListViewTest, CustomDrawStagesAndAnswersInOrder) {
    SendMessage(list_, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < 2; ++i) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>("x");
        SendMessage(list_, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    notices_.clear();
    std::vector<std::string> stages;
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        const DWORD stage = cd->nmcd.dwDrawStage;
        std::string name = stage == CDDS_PREPAINT                         ? "pre"
                           : stage == CDDS_POSTPAINT                      ? "post"
                           : stage == CDDS_ITEMPREPAINT                   ? "item"
                           : stage == CDDS_ITEMPOSTPAINT                  ? "itempost"
                           : stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)  ? "sub"
                           : stage == (CDDS_ITEMPOSTPAINT | CDDS_SUBITEM) ? "subpost"
                                                                          : "?";
        if (stage & CDDS_ITEM)
            name += std::to_string(cd->nmcd.dwItemSpec);
        if (stage & CDDS_SUBITEM)
            name += "." + std::to_string(cd->iSubItem);
        stages.push_back(name);
        if (stage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        if (stage == CDDS_ITEMPREPAINT)
            return cd->nmcd.dwItemSpec == 0 ? CDRF_NOTIFYSUBITEMDRAW : CDRF_NOTIFYPOSTPAINT;
        if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
            return cd->iSubItem == 1 ? (CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT) : CDRF_DODEFAULT;
        return CDRF_DODEFAULT;
    };
    Render(list_);
    const std::vector<std::string> expected = {
        "pre", "item0", "sub0.0", "sub0.1", "subpost0.1", "sub0.2", "item1", "itempost1", "post"};
    EXPECT_EQ(stages, expected);

    // Skipping the whole paint leaves only the background; a plain answer gives no items.
    stages.clear();
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == NM_CUSTOMDRAW)
            stages.push_back(std::to_string(reinterpret_cast<NMCUSTOMDRAW*>(hdr)->dwDrawStage));
        return CDRF_DODEFAULT;
    };
    Render(list_);
    EXPECT_EQ(stages, std::vector<std::string>{"1"});
}

TEST_F(ListViewTest, CustomColoursAndSelectionAreDrawn) {
    SendMessage(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(list_, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    const COLORREF cellBk = RGB(10, 200, 30);
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 2)
            cd->clrTextBk = cellBk;
        return CDRF_DODEFAULT;
    };
    const int top = HeaderHeight();
    const int h = ItemHeight();
    auto canvas = Render(list_);
    EXPECT_EQ(canvas->At(250, top + 2), GetSysColor(COLOR_WINDOW));
    // Selected without the focus under LVS_SHOWSELALWAYS: button face across the row.
    EXPECT_EQ(canvas->At(90, top + h + 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas->At(150, top + h + 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas->At(150, top + 2 * h + 3), cellBk);
    // Grid lines under each row and right of each column.
    EXPECT_EQ(canvas->At(260, top + h - 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas->At(99, top + 3 * h + 2), GetSysColor(COLOR_BTNFACE));

    SetFocus(list_);
    answer_ = nullptr;
    canvas = Render(list_);
    EXPECT_EQ(canvas->At(150, top + h + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(canvas->CountNot(GetSysColor(COLOR_WINDOW)), 0);
}

TEST_F(ListViewTest, SmallImagesShiftTheLabelAndCallbackTextsAreAskedFor) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    const int before = ItemHeight();
    SendMessage(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    EXPECT_GE(ItemHeight(), 17);
    EXPECT_GE(ItemHeight(), before);
    RECT icon{LVIR_ICON, 0, 0, 0};
    SendMessage(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessage(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    EXPECT_EQ(icon.left, 0);
    EXPECT_EQ(icon.right, 16);
    EXPECT_EQ(label.left, 16);
    EXPECT_EQ(label.right, 100);
    LVHITTESTINFO hit{{5, label.top + 2}, 0, 0, 0};
    EXPECT_EQ(SendMessage(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, LVHT_ONITEMICON);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessage(list_, LVM_SETIMAGELIST, LVSIL_SMALL, 0)),
              images);
    ImageList_Destroy(images);

    SetText(4, 2, LPSTR_TEXTCALLBACK);
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == LVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
            std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax),
                          "row %d/%d", info->item.iItem, info->item.iSubItem);
        }
        return 0;
    };
    EXPECT_EQ(Text(4, 2), "row 4/2");
    EXPECT_EQ(Text(4, 1), "v4");
}

TEST_F(ListViewTest, RepaintingOneCellAsksCustomDrawForThatRowOnly) {
    Render(list_);
    ASSERT_TRUE(UpdateWindow(list_));
    std::vector<std::string> items;
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT || cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            return CDRF_NOTIFYSUBITEMDRAW;
        if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
            items.push_back(std::to_string(cd->nmcd.dwItemSpec) + "." +
                            std::to_string(cd->iSubItem));
        return CDRF_DODEFAULT;
    };
    RECT cell = SubItemRect(3, 1);
    InflateRect(&cell, 0, -2);
    InvalidateRect(list_, &cell, TRUE);
    UpdateWindow(list_);
    EXPECT_EQ(items, (std::vector<std::string>{"3.0", "3.1", "3.2"}));

    // A paint of the whole client still reaches every visible row.
    items.clear();
    InvalidateRect(list_, nullptr, TRUE);
    UpdateWindow(list_);
    const int perPage = static_cast<int>(SendMessage(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 3);
    EXPECT_EQ(items.front(), "0.0");
    EXPECT_NE(std::find(items.begin(), items.end(), std::to_string(perPage - 1) + ".2"),
              items.end());
}

}  // namespace
}  // namespace kq::ui::test
