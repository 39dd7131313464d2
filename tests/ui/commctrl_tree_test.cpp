#include <cstdio>
#include <cstring>

#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

class TreeTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        tree_ = Create(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                       {10, 10, 210, 110});
        ASSERT_NE(tree_, nullptr);
        // file (1): save (2), print (3); view (4): a (5) (folder: x (6), y (7)), b (8); help (9)
        file_ = Add(TVI_ROOT, "File", 1);
        save_ = Add(file_, "Save", 2);
        print_ = Add(file_, "Print", 3);
        view_ = Add(TVI_ROOT, "View", 4);
        a_ = Add(view_, "A", 5);
        x_ = Add(a_, "X", 6);
        Add(a_, "Y", 7);
        b_ = Add(view_, "B", 8);
        help_ = Add(TVI_ROOT, "Help", 9);
        notices_.clear();
    }
    HTREEITEM Add(HTREEITEM parent, const char* text, LPARAM data, HTREEITEM after = TVI_LAST) {
        TVINSERTSTRUCT in{};
        in.hParent = parent;
        in.hInsertAfter = after;
        in.item.mask = TVIF_TEXT | TVIF_PARAM;
        in.item.pszText = const_cast<char*>(text);
        in.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(
            SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&in)));
    }
    HTREEITEM Next(HTREEITEM item, UINT code) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(tree_, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    LPARAM Data(HTREEITEM item) {
        TVITEM tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
        return tv.lParam;
    }
    bool Expand(HTREEITEM item, UINT code) {
        return SendMessage(tree_, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
    }
    RECT TextRect(HTREEITEM item) {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof item);
        SendMessage(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    std::pair<HTREEITEM, UINT> Hit(int x, int y) {
        TVHITTESTINFO info{{x, y}, 0, nullptr};
        SendMessage(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return {info.hItem, info.flags};
    }
    HTREEITEM Selected() { return Next(nullptr, TVGN_CARET); }
    std::vector<LPARAM> VisibleData() {
        std::vector<LPARAM> out;
        for (HTREEITEM i = Next(nullptr, TVGN_ROOT); i; i = Next(i, TVGN_NEXTVISIBLE))
            out.push_back(Data(i));
        return out;
    }
    int Height() { return static_cast<int>(SendMessage(tree_, TVM_GETITEMHEIGHT, 0, 0)); }
    POINT Label(HTREEITEM item) {
        RECT rc = TextRect(item);
        return At(tree_, rc.left + 3, (rc.top + rc.bottom) / 2);
    }

    HWND tree_ = nullptr;
    HTREEITEM file_{}, save_{}, print_{}, view_{}, a_{}, x_{}, b_{}, help_{};
};

TEST_F(TreeTest, NavigatesWithEveryCode) {
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), file_);
    EXPECT_EQ(Next(file_, TVGN_NEXT), view_);
    EXPECT_EQ(Next(view_, TVGN_PREVIOUS), file_);
    EXPECT_EQ(Next(file_, TVGN_PREVIOUS), nullptr);
    EXPECT_EQ(Next(view_, TVGN_CHILD), a_);
    EXPECT_EQ(Next(x_, TVGN_PARENT), a_);
    EXPECT_EQ(Next(file_, TVGN_PARENT), nullptr);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 9}));
    Expand(view_, TVE_EXPAND);
    Expand(a_, TVE_EXPAND);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), file_);
    EXPECT_EQ(Data(Next(nullptr, TVGN_LASTVISIBLE)), 9);
    EXPECT_EQ(Next(x_, TVGN_PREVIOUSVISIBLE), a_);
    EXPECT_EQ(Next(save_, TVGN_NEXTVISIBLE), nullptr);  // hidden under a collapsed parent

    HTREEITEM first = Add(view_, "First", 10, TVI_FIRST);
    EXPECT_EQ(Next(view_, TVGN_CHILD), first);
    HTREEITEM middle = Add(view_, "Mid", 11, a_);
    EXPECT_EQ(Next(a_, TVGN_NEXT), middle);
    HTREEITEM sorted = Add(TVI_ROOT, "Go", 12, TVI_SORT);
    EXPECT_EQ(Next(file_, TVGN_NEXT), sorted);

    // Deleting a branch reports every item and leaves its handles dead.
    EXPECT_TRUE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a_)));
    EXPECT_EQ(NoticesOf(TVN_DELETEITEM).size(), 3u);
    EXPECT_EQ(Data(x_), 0);
    EXPECT_FALSE(Expand(a_, TVE_EXPAND));
    EXPECT_EQ(Next(x_, TVGN_NEXT), nullptr);
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 9);
}

TEST_F(TreeTest, ExpandingNotifiesByUserAlwaysAndByMessageOnce) {
    EXPECT_TRUE(Expand(file_, TVE_EXPAND));
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDED)[0].item, static_cast<int>(TVE_EXPAND));
    EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDED)[0].lParam, 1);
    notices_.clear();
    Expand(file_, TVE_COLLAPSE);
    Expand(file_, TVE_TOGGLE);
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(
        SendMessage(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(file_), TVIS_EXPANDED));
    EXPECT_FALSE(Expand(save_, TVE_EXPAND));  // no children

    // A click on the button toggles and always notifies.
    RECT rc = TextRect(file_);
    const int indent = static_cast<int>(SendMessage(tree_, TVM_GETINDENT, 0, 0));
    const int buttonX = rc.left - indent / 2;
    EXPECT_EQ(Hit(buttonX, rc.top + 2).second, TVHT_ONITEMBUTTON);
    Click(At(tree_, buttonX, (rc.top + rc.bottom) / 2));
    EXPECT_EQ(Codes({TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}),
              (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 9}));

    // The parent may refuse.
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> { return hdr->code == TVN_ITEMEXPANDING; };
    EXPECT_FALSE(Expand(view_, TVE_EXPAND));
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 9}));
}

TEST_F(TreeTest, ClickReportsBeforeTheSelectionMoves) {
    HTREEITEM selectedAtClick = reinterpret_cast<HTREEITEM>(1);
    answer_ = [&](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == NM_CLICK)
            selectedAtClick = Selected();
        return 0;
    };
    Click(Label(view_));
    EXPECT_EQ(selectedAtClick, nullptr);
    EXPECT_EQ(Selected(), view_);
    EXPECT_EQ(Codes({NM_CLICK, TVN_SELCHANGING, TVN_SELCHANGED}),
              (std::vector<UINT>{NM_CLICK, TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(NoticesOf(TVN_SELCHANGED)[0].item, static_cast<int>(TVC_BYMOUSE));
    EXPECT_EQ(NoticesOf(TVN_SELCHANGED)[0].lParam, 4);

    // Double-click on an item toggles it.
    Advance(1000);
    notices_.clear();
    Click(Label(file_));
    Click(Label(file_));
    EXPECT_EQ(NoticesOf(NM_DBLCLK).size(), 1u);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 2, 3, 4, 9}));

    // Hit areas around the label: the image gap, the label, right of it.
    const RECT rc = TextRect(view_);
    EXPECT_EQ(Hit(rc.left + 1, rc.top + 1), std::make_pair(view_, TVHT_ONITEMLABEL));
    EXPECT_EQ(Hit(rc.right + 5, rc.top + 1), std::make_pair(view_, TVHT_ONITEMRIGHT));
    EXPECT_EQ(Hit(2, TextRect(save_).top + 1).second, TVHT_ONITEMINDENT);
    EXPECT_EQ(Hit(20, 99).second, TVHT_NOWHERE);
    EXPECT_EQ(Hit(20, 150).second, TVHT_BELOW);
}

TEST_F(TreeTest, CollapseMovesAHiddenSelectionUpAndKeepsScrollingInRange) {
    Expand(view_, TVE_EXPAND);
    Expand(a_, TVE_EXPAND);
    Expand(file_, TVE_EXPAND);
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(x_));
    const int rows = 100 / Height();
    ASSERT_LT(rows, 9);
    SendMessage(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(b_));
    // Only as far as the last row allows.
    const std::vector<LPARAM> all = VisibleData();
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(Data(Next(nullptr, TVGN_FIRSTVISIBLE)), all[std::min<size_t>(7, 9 - rows)]);
    notices_.clear();
    Expand(view_, TVE_COLLAPSE);
    EXPECT_EQ(Selected(), view_);
    EXPECT_EQ(Codes({TVN_SELCHANGING, TVN_SELCHANGED}),
              (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), file_);  // everything fits again
    EXPECT_TRUE(
        SendMessage(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(view_), TVIS_SELECTED));
    EXPECT_FALSE(SendMessage(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(x_), TVIS_SELECTED));

    // Selecting a hidden item opens its parents and scrolls to it.
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(x_));
    EXPECT_EQ(Selected(), x_);
    RECT rc = TextRect(x_);
    EXPECT_GE(rc.top, 0);
    EXPECT_LE(rc.bottom, 100);
}

TEST_F(TreeTest, Keyboard) {
    SetFocus(tree_);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Selected(), file_);
    KeyPress(VK_RIGHT);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 2, 3, 4, 9}));
    KeyPress(VK_RIGHT);
    EXPECT_EQ(Selected(), save_);
    KeyPress(VK_LEFT);
    EXPECT_EQ(Selected(), file_);
    KeyPress(VK_LEFT);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 9}));
    KeyPress(VK_END);
    EXPECT_EQ(Selected(), help_);
    KeyPress(VK_UP);
    EXPECT_EQ(Selected(), view_);
    KeyPress(VK_ADD);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 5, 8, 9}));
    KeyPress(VK_SUBTRACT);
    EXPECT_EQ(VisibleData(), (std::vector<LPARAM>{1, 4, 9}));
    KeyPress(VK_HOME);
    EXPECT_EQ(Selected(), file_);
    for (const Notice& n : NoticesOf(TVN_SELCHANGED))
        EXPECT_EQ(n.item, static_cast<int>(TVC_BYKEYBOARD));
    EXPECT_EQ(NoticesOf(TVN_KEYDOWN).size(), 10u);
}

TEST_F(TreeTest, PaintsLinesButtonsBoldAndSelection) {
    Expand(file_, TVE_EXPAND);
    TVITEM bold{};
    bold.mask = TVIF_STATE;
    bold.hItem = view_;
    bold.state = bold.stateMask = TVIS_BOLD;
    SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&bold));
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(save_));
    SetFocus(tree_);
    auto canvas = Render(tree_);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const RECT sel = TextRect(save_);
    EXPECT_EQ(canvas->At(sel.right - 2, (sel.top + sel.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT));
    // Expanded button with a minus only, collapsed one with a plus.
    const int indent = static_cast<int>(SendMessage(tree_, TVM_GETINDENT, 0, 0));
    const RECT fileRc = TextRect(file_);
    const int cx = fileRc.left - indent / 2;
    const int cy = (fileRc.top + fileRc.bottom) / 2;
    EXPECT_EQ(canvas->At(cx, cy), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(canvas->At(cx, cy - 2), window);
    EXPECT_EQ(canvas->At(cx - 4, cy), GetSysColor(COLOR_GRAYTEXT));
    const RECT viewRc = TextRect(view_);
    EXPECT_EQ(canvas->At(cx, (viewRc.top + viewRc.bottom) / 2 - 2), GetSysColor(COLOR_WINDOWTEXT));
    // A dotted line runs down from File past its children to View.
    const RECT printRc = TextRect(print_);
    int dots = 0;
    for (int y = printRc.top; y < printRc.bottom; ++y)
        dots += canvas->At(cx, y) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GE(dots, (printRc.bottom - printRc.top) / 2 - 1);
    // Bold text is wider than the same text in the normal weight would be.
    EXPECT_GT(viewRc.right - viewRc.left, 4);
    auto ink = [&](const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += canvas->At(x, y) != window;
        return n;
    };
    EXPECT_GT(ink(viewRc), 0);
    EXPECT_EQ(canvas->At(150, 95), window);

    // The tree's own tip shows an item's text when the window cuts it off.
    HWND tip = reinterpret_cast<HWND>(SendMessage(tree_, TVM_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    TVITEM longText{};
    longText.mask = TVIF_TEXT;
    longText.hItem = help_;
    longText.pszText = const_cast<char*>("Help with a text far too long for this narrow window");
    SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&longText));
    SetActiveWindow(parent_);
    MouseMove(Label(help_));
    Advance(600, 100);
    EXPECT_TRUE(IsWindowVisible(tip));
    MouseMove(At(tree_, 150, 95));
    Advance(600, 100);

    // Custom colours from the parent for items not selected.
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        cd->clrTextBk = RGB(0, 128, 0);
        return CDRF_DODEFAULT;
    };
    canvas = Render(tree_);
    const RECT helpRc = TextRect(help_);
    EXPECT_EQ(canvas->At(helpRc.right - 1, helpRc.top + 1), RGB(0, 128, 0));
}

TEST_F(TreeTest, CallbackTextsAndDeletingEverything) {
    TVITEM item{};
    item.mask = TVIF_TEXT;
    item.hItem = help_;
    item.pszText = LPSTR_TEXTCALLBACK;
    SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> {
        if (hdr->code == TVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMTVDISPINFO*>(hdr);
            std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax),
                          "help %ld", static_cast<long>(info->item.lParam));
        }
        return 0;
    };
    char buffer[32] = {};
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, "help 9");

    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(save_));
    notices_.clear();
    EXPECT_TRUE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_EQ(NoticesOf(TVN_DELETEITEM).size(), 9u);
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), nullptr);
    EXPECT_EQ(Hit(20, 5).second, TVHT_NOWHERE);
    // Handles of deleted items are refused, not followed.
    EXPECT_EQ(Next(save_, TVGN_PARENT), nullptr);
    EXPECT_FALSE(SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(save_)));
}

TEST_F(TreeTest, TextsAreMeasuredAgainWhenTheTextOrTheFontChanges) {
    const auto width = [&] {
        const RECT rc = TextRect(help_);
        return rc.right - rc.left;
    };
    const auto height = [&] {
        const RECT rc = TextRect(help_);
        return rc.bottom - rc.top;
    };
    const int plain = width();
    const int plainHeight = height();
    TVITEM item{};
    item.mask = TVIF_TEXT;
    item.hItem = help_;
    item.pszText = const_cast<char*>("Help and more");
    SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    const int longer = width();
    EXPECT_GT(longer, plain);
    // A larger font, then a smaller one that may get the freed handle of the first.
    LOGFONT lf{};
    lf.lfHeight = -40;
    HFONT large = CreateFontIndirect(&lf);
    SendMessage(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
    const int larger = width();
    EXPECT_GT(larger, longer);
    EXPECT_GT(height(), plainHeight);
    SendMessage(tree_, WM_SETFONT, 0, FALSE);
    DeleteObject(large);
    lf.lfHeight = -8;
    HFONT small = CreateFontIndirect(&lf);
    SendMessage(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
    EXPECT_LT(width(), larger);
    SendMessage(tree_, WM_SETFONT, 0, FALSE);
    DeleteObject(small);
}

}  // namespace
}  // namespace kq::ui::test
