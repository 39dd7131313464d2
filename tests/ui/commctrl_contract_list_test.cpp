// The list view as a report list whose parent paints every cell itself and opens editors over
// cells: custom-draw stages and fields, cell geometry after scrolling, scroll bars, column
// alignment, the notifications of clicks and the header's items and image list.
#include <string>
#include <vector>

#include "platform/ui/controls/ScrollBar.h"
#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

class ReportListTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        list_ = Create(WC_LISTVIEW, LVS_REPORT | LVS_SHOWSELALWAYS, {10, 10, 310, 210});
        ASSERT_NE(list_, nullptr);
        header_ = reinterpret_cast<HWND>(SendMessage(list_, LVM_GETHEADER, 0, 0));
        SendMessage(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        AddColumn(0, "Port", 100, LVCFMT_LEFT);
        AddColumn(1, "Enabling", 80, LVCFMT_CENTER);
        AddColumn(2, "State", 90, LVCFMT_CENTER);
        for (int i = 0; i < 30; ++i) {
            const std::string text = "COM" + std::to_string(i + 1);
            LVITEM item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>(text.c_str());
            SendMessage(list_, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
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
    RECT SubItemRect(int i, int sub, int code = LVIR_BOUNDS) {
        RECT rc{code, sub, 0, 0};
        SendMessage(list_, LVM_GETSUBITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    // The cell as an owner-painted list takes it: column 0 ends where the next column starts.
    RECT CellRect(int i, int sub) {
        RECT rc = SubItemRect(i, sub);
        if (sub == 0)
            rc.right = SubItemRect(i, 1).left;
        return rc;
    }
    LVHITTESTINFO SubHit(POINT pt) {
        LVHITTESTINFO info{pt, 0, 0, 0};
        SendMessage(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    int Top() { return static_cast<int>(SendMessage(list_, LVM_GETTOPINDEX, 0, 0)); }
    int PerPage() { return static_cast<int>(SendMessage(list_, LVM_GETCOUNTPERPAGE, 0, 0)); }
    void Select(int i) {
        LVITEM state{};
        state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
    }
    SCROLLINFO Bar(int bar) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(list_, bar, &info);
        return info;
    }
    bool HasStyle(DWORD bits) { return (GetWindowLong(list_, GWL_STYLE) & bits) == bits; }
    static COLORREF CellColour(int i, int sub) {
        return RGB(40 + 10 * sub, 100 + 4 * i, 200 - 5 * i);
    }

    HWND list_ = nullptr;
    HWND header_ = nullptr;
};

struct Stage {
    DWORD stage;
    int item;
    int subItem;
    UINT itemState;
    friend bool operator==(const Stage&, const Stage&) = default;
};

TEST_F(ReportListTest, ParentPaintsEveryCellAndTheListDrawsNothingOverIt) {
    Select(3);
    SetFocus(list_);
    SendMessage(list_, LVM_SCROLL, 0, 2 * (SubItemRect(1, 0).top - SubItemRect(0, 0).top));
    ASSERT_EQ(Top(), 2);
    std::vector<Stage> stages;
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
        const DWORD stage = cd->nmcd.dwDrawStage;
        const int item = static_cast<int>(cd->nmcd.dwItemSpec);
        stages.push_back({stage, (stage & CDDS_ITEM) ? item : -1,
                          (stage & CDDS_SUBITEM) ? cd->iSubItem : -1,
                          cd->nmcd.uItemState & (CDIS_SELECTED | CDIS_FOCUS)});
        if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT)
            return CDRF_NOTIFYSUBITEMDRAW;
        if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
            return CDRF_DODEFAULT;
        // New colours for every cell, then the cell painted by hand.
        cd->clrText = RGB(1, 2, 3);
        cd->clrTextBk = CellColour(item, cd->iSubItem);
        const RECT cell = CellRect(item, cd->iSubItem);
        HBRUSH brush = CreateSolidBrush(cd->clrTextBk);
        FillRect(cd->nmcd.hdc, &cell, brush);
        DeleteObject(brush);
        return CDRF_SKIPDEFAULT;
    };
    auto canvas = Render(list_);

    // Rows from the top index on, each with every column in order; only the first stage and
    // the rows carry no sub-item; no post-paint stage was asked for.
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages.front(), (Stage{CDDS_PREPAINT, -1, -1, 0}));
    std::vector<Stage> expected{{CDDS_PREPAINT, -1, -1, 0}};
    RECT client{};
    GetClientRect(list_, &client);
    for (int i = Top(); i < 30 && SubItemRect(i, 0).top < client.bottom; ++i) {
        const UINT state = i == 3 ? CDIS_SELECTED | CDIS_FOCUS : 0;
        expected.push_back({CDDS_ITEMPREPAINT, i, -1, state});
        for (int sub = 0; sub < 3; ++sub)
            expected.push_back({CDDS_ITEMPREPAINT | CDDS_SUBITEM, i, sub, state});
    }
    EXPECT_EQ(stages, expected);

    // The cells keep what the parent painted, the selected row too; grid lines stay.
    for (int i = Top(); i < Top() + PerPage(); ++i) {
        for (int sub = 0; sub < 3; ++sub) {
            const RECT cell = CellRect(i, sub);
            EXPECT_EQ(canvas->At((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2),
                      CellColour(i, sub))
                << i << "." << sub;
        }
    }
    const RECT first = CellRect(Top(), 0);
    EXPECT_EQ(canvas->At(first.left + 1, first.top + 1), CellColour(Top(), 0));
    EXPECT_EQ(canvas->At(150, first.bottom - 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ReportListTest, CellRectanglesAndHitTestsAgreeAfterScrollingBothWays) {
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 2, 300);
    const int h = SubItemRect(1, 0).top - SubItemRect(0, 0).top;
    SendMessage(list_, LVM_SCROLL, 75, 4 * h);
    EXPECT_EQ(Top(), 4);
    // The rows move up by whole rows and the cells left by the pixels scrolled.
    EXPECT_EQ(SubItemRect(4, 0).top, SubItemRect(0, 0).top + 4 * h);
    EXPECT_EQ(SubItemRect(4, 1).left, 100 - 75);
    EXPECT_EQ(SubItemRect(4, 2).left, 180 - 75);
    EXPECT_EQ(SubItemRect(4, 0).right, 480 - 75);  // the whole row
    EXPECT_EQ(SubItemRect(4, 0, LVIR_LABEL).right, 100 - 75);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessage(list_, LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(row.left, -75);
    EXPECT_EQ(row.top, SubItemRect(4, 0).top);

    // An editor placed over a cell finds the same cell again by hit test.
    for (int i = Top(); i < Top() + PerPage(); ++i) {
        for (int sub = 0; sub < 3; ++sub) {
            const RECT cell = CellRect(i, sub);
            const POINT centre{(std::max<LONG>(cell.left, 0) + cell.right) / 2,
                               (cell.top + cell.bottom) / 2};
            const LVHITTESTINFO hit = SubHit(centre);
            EXPECT_EQ(hit.iItem, i);
            EXPECT_EQ(hit.iSubItem, sub);
            EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL)) << i << "." << sub;
        }
    }
    // Bringing a row into view scrolls just far enough.
    SendMessage(list_, LVM_ENSUREVISIBLE, 25, FALSE);
    EXPECT_EQ(Top(), 25 - PerPage() + 1);
    SendMessage(list_, LVM_ENSUREVISIBLE, 1, FALSE);
    EXPECT_EQ(Top(), 1);
}

TEST_F(ReportListTest, ScrollBarsFollowRowsAndColumns) {
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    EXPECT_FALSE(HasStyle(WS_HSCROLL));
    SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nMin, 0);
    EXPECT_EQ(v.nMax, 29);
    EXPECT_EQ(static_cast<int>(v.nPage), PerPage());
    // The client area gave way to the bar.
    RECT client{};
    GetClientRect(list_, &client);
    EXPECT_EQ(client.right, 300 - GetSystemMetrics(SM_CXVSCROLL));

    // The bar moves the rows and the rows move the bar.
    SendMessage(list_, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
    EXPECT_EQ(Top(), 7);
    SendMessage(list_, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Top(), 8);
    SendMessage(list_, LVM_ENSUREVISIBLE, 0, FALSE);
    EXPECT_EQ(Bar(SB_VERT).nPos, 0);
    // A click on the bar's lower arrow scrolls by a row.
    RECT frame{};
    GetWindowRect(list_, &frame);
    Click(POINT{frame.right - 4, frame.bottom - 4});
    EXPECT_EQ(Top(), 1);
    EXPECT_EQ(Bar(SB_VERT).nPos, 1);

    // Columns wider than the client add the horizontal bar.
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 2, 400);
    EXPECT_TRUE(HasStyle(WS_HSCROLL));
    EXPECT_EQ(Bar(SB_HORZ).nMax, 579);
    SendMessage(list_, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);
    EXPECT_EQ(SubItemRect(0, 1).left, 50);
    EXPECT_EQ(Bar(SB_HORZ).nPos, 50);

    // No scrolling: no bars; rows that all fit: no vertical bar.
    SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) | LVS_NOSCROLL);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    EXPECT_FALSE(HasStyle(WS_HSCROLL));
    SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) & ~LVS_NOSCROLL);
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    SendMessage(list_, LVM_SETCOLUMNWIDTH, 2, 50);
    SendMessage(list_, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    EXPECT_FALSE(HasStyle(WS_HSCROLL));
    GetClientRect(list_, &client);
    EXPECT_EQ(client.right, 300);
}

TEST_F(ReportListTest, LeftmostColumnTakesItsAlignmentOnlyWhenSetAgain) {
    SendMessage(list_, LVM_DELETECOLUMN, 0, 0);
    SendMessage(list_, LVM_DELETECOLUMN, 0, 0);
    SendMessage(list_, LVM_DELETECOLUMN, 0, 0);
    AddColumn(0, "Nr.", 32, LVCFMT_CENTER);
    AddColumn(1, "Type", 64, LVCFMT_CENTER);
    auto fmtOf = [&](int c) {
        LVCOLUMN col{};
        col.mask = LVCF_FMT;
        SendMessage(list_, LVM_GETCOLUMN, c, reinterpret_cast<LPARAM>(&col));
        HDITEM hd{};
        hd.mask = HDI_FORMAT;
        SendMessage(header_, HDM_GETITEM, c, reinterpret_cast<LPARAM>(&hd));
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, hd.fmt & HDF_JUSTIFYMASK);
        return col.fmt & LVCFMT_JUSTIFYMASK;
    };
    EXPECT_EQ(fmtOf(0), LVCFMT_LEFT);
    EXPECT_EQ(fmtOf(1), LVCFMT_CENTER);
    LVCOLUMN col{};
    col.mask = LVCF_FMT;
    col.fmt = LVCFMT_CENTER;
    EXPECT_TRUE(SendMessage(list_, LVM_SETCOLUMN, 0, reinterpret_cast<LPARAM>(&col)));
    EXPECT_EQ(fmtOf(0), LVCFMT_CENTER);
}

TEST_F(ReportListTest, ClicksReportTheCellAndSelectionChangesTheirStates) {
    std::vector<std::pair<int, int>> clicks;
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK) {
            auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
            clicks.push_back({nm->iItem, nm->iSubItem});
        }
        return 0;
    };
    const RECT cell = CellRect(2, 2);
    Click(At(list_, cell.left + 5, cell.top + 3));
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 2}}));
    const std::vector<Notice> changed = NoticesOf(LVN_ITEMCHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].newState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(changed[0].changed, static_cast<UINT>(LVIF_STATE));
    EXPECT_EQ(SendMessage(list_, LVM_GETSELECTIONMARK, 0, 0), 2);
    Click(At(list_, cell.left + 5, cell.top + 3));
    EXPECT_EQ(NoticesOf(NM_DBLCLK).size(), 1u);
    EXPECT_EQ(clicks.back(), (std::pair<int, int>{2, 2}));

    // Selecting by message: the row is the first selected one and stays the only one under
    // LVS_SINGLESEL set after creation.
    SetWindowLong(list_, GWL_STYLE, GetWindowLong(list_, GWL_STYLE) | LVS_SINGLESEL);
    Select(6);
    EXPECT_EQ(SendMessage(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 6);
    EXPECT_EQ(SendMessage(list_, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 6);

    // A key moves the focus and selection from there.
    SetFocus(list_);
    KeyPress(VK_DOWN);
    EXPECT_EQ(SendMessage(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 7);
}

TEST_F(ReportListTest, HeaderItemsCarryImagesTextsAndTheListsFont) {
    HIMAGELIST boxes = ImageList_Create(13, 13, ILC_COLOR24 | ILC_MASK, 3, 0);
    for (int i = 0; i < 3; ++i) {
        HBITMAP bitmap = CreateBitmap(13, 13, 1, 32, nullptr);
        ImageList_AddMasked(boxes, bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    EXPECT_EQ(SendMessage(header_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(boxes)), 0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessage(header_, HDM_GETIMAGELIST, 0, 0)), boxes);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(boxes, 0, &info));
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 13);
    EXPECT_EQ(info.rcImage.bottom - info.rcImage.top, 13);

    for (int c = 0; c < 3; ++c) {
        HDITEM hd{};
        hd.mask = HDI_IMAGE;
        hd.iImage = c == 1 ? 1 : 0;
        EXPECT_TRUE(SendMessage(header_, HDM_SETITEM, c, reinterpret_cast<LPARAM>(&hd)));
    }
    // Read back as a header that paints itself reads its items.
    char text[80] = {};
    HDITEM hd{};
    hd.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    hd.pszText = text;
    hd.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessage(header_, HDM_GETITEM, SendMessage(header_, HDM_ORDERTOINDEX, 1, 0),
                            reinterpret_cast<LPARAM>(&hd)));
    EXPECT_EQ(std::string(text), "Enabling");
    EXPECT_EQ(hd.iImage, 1);
    EXPECT_EQ(hd.cxy, 80);
    EXPECT_EQ(hd.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    EXPECT_TRUE(hd.fmt & HDF_STRING);
    EXPECT_FALSE(hd.fmt & HDF_OWNERDRAW);
    RECT item{};
    SendMessage(header_, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.left, 100);
    EXPECT_EQ(item.right, 180);
    // The list's rows start where the header's layout ends.
    RECT parent{0, 0, 300, 200};
    WINDOWPOS pos{};
    HDLAYOUT layout{&parent, &pos};
    ASSERT_TRUE(SendMessage(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(pos.cy, SubItemRect(0, 0).top);
    EXPECT_EQ(item.bottom, pos.cy);

    // The header writes with the list's font.
    HFONT font = CreateFont(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SendMessage(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(header_, WM_GETFONT, 0, 0)), font);
    DestroyWindow(list_);
    DeleteObject(font);
    ImageList_Destroy(boxes);
}

}  // namespace
}  // namespace kq::ui::test
