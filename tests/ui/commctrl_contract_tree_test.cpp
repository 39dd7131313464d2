// The tree view as a navigation tree that repaints itself through an off-screen DC and finds
// its items by walking the visible rows: painting into a given DC, the visible walk and text
// rectangles, bold items, images, colours and the scroll bars.
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/controls/ScrollBar.h"
#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

class NavigationTreeTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        tree_ = Create(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES, {10, 10, 170, 150}, 0, 10000);
        ASSERT_NE(tree_, nullptr);
        SetWindowLong(tree_, GWL_STYLE, GetWindowLong(tree_, GWL_STYLE) | TVS_TRACKSELECT);
        for (int f = 0; f < 7; ++f) {
            folders_.push_back(Add(TVI_ROOT, ("Folder " + std::to_string(f)).c_str(), 5014 + f));
            for (int i = 0; i < 4; ++i)
                Add(folders_.back(), ("Item " + std::to_string(i)).c_str(), 5100 + 10 * f + i);
        }
        notices_.clear();
    }
    HTREEITEM Add(HTREEITEM parent, const char* text, LPARAM data) {
        TVINSERTSTRUCT in{};
        in.hParent = parent;
        in.hInsertAfter = TVI_LAST;
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
    RECT TextRect(HTREEITEM item) {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof item);
        SendMessage(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    void ExpandAll(UINT code) {
        for (HTREEITEM f : folders_)
            SendMessage(tree_, TVM_EXPAND, code, reinterpret_cast<LPARAM>(f));
    }
    int VisibleCount() { return static_cast<int>(SendMessage(tree_, TVM_GETVISIBLECOUNT, 0, 0)); }
    bool HasStyle(DWORD bits) { return (GetWindowLong(tree_, GWL_STYLE) & bits) == bits; }

    HWND tree_ = nullptr;
    std::vector<HTREEITEM> folders_;
};

TEST_F(NavigationTreeTest, PaintsIntoTheDcItIsGivenWithItsColours) {
    const COLORREF back = RGB(250, 250, 210);
    const COLORREF text = RGB(0, 0, 128);
    SendMessage(tree_, TVM_SETBKCOLOR, 0, back);
    SendMessage(tree_, TVM_SETTEXTCOLOR, 0, text);
    SendMessage(tree_, TVM_SETLINECOLOR, 0, RGB(128, 0, 0));
    EXPECT_EQ(static_cast<COLORREF>(SendMessage(tree_, TVM_GETBKCOLOR, 0, 0)), back);

    // WM_PAINT with a DC in wParam draws there, as WM_PRINTCLIENT does.
    RECT client{};
    GetClientRect(tree_, &client);
    gfx::test::Canvas given(client.right, client.bottom, RGB(1, 2, 3));
    SendMessage(tree_, WM_PAINT, reinterpret_cast<WPARAM>(given.hdc), 0);
    auto printed = Render(tree_);
    EXPECT_EQ(given.CountNot(RGB(1, 2, 3)), client.right * client.bottom);
    for (int y = 0; y < client.bottom; y += 3)
        for (int x = 0; x < client.right; x += 3)
            ASSERT_EQ(given.At(x, y), printed->At(x, y)) << x << "," << y;
    EXPECT_EQ(given.At(client.right - 2, client.bottom - 2), back);
    const RECT label = TextRect(folders_[0]);
    int textPixels = 0;
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x)
            textPixels += given.At(x, y) != back && GetBValue(given.At(x, y)) > 100 &&
                          GetRValue(given.At(x, y)) < 100;  // navy, smoothed at the edges
    EXPECT_GT(textPixels, 0);
}

TEST_F(NavigationTreeTest, VisibleWalkGivesStackedTextRectanglesAndBoldWidens) {
    SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folders_[1]));
    const int h = static_cast<int>(SendMessage(tree_, TVM_GETITEMHEIGHT, 0, 0));
    std::vector<HTREEITEM> walked;
    for (HTREEITEM i = Next(nullptr, TVGN_FIRSTVISIBLE); i; i = Next(i, TVGN_NEXTVISIBLE))
        walked.push_back(i);
    ASSERT_EQ(walked.size(), 11u);  // 7 folders and the 4 children of the second
    for (size_t n = 0; n < walked.size(); ++n)
        EXPECT_EQ(TextRect(walked[n]).top, static_cast<int>(n) * h);
    // Children stand further right than their folder.
    EXPECT_GT(TextRect(walked[2]).left, TextRect(walked[1]).left);
    EXPECT_EQ(VisibleCount(), 140 / h);

    // A bold item is measured in the bold font.
    const RECT plain = TextRect(folders_[0]);
    TVITEM tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = folders_[0];
    tv.state = tv.stateMask = TVIS_BOLD;
    ASSERT_TRUE(SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&tv)));
    EXPECT_EQ(
        SendMessage(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(folders_[0]), TVIS_BOLD),
        TVIS_BOLD);
    EXPECT_GT(TextRect(folders_[0]).right - TextRect(folders_[0]).left, plain.right - plain.left);
    EXPECT_EQ(TextRect(folders_[0]).left, plain.left);

    // With an image list the text moves right by at least the image width.
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    EXPECT_GE(TextRect(folders_[0]).left, plain.left + 16);
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    ImageList_Destroy(icons);
}

TEST_F(NavigationTreeTest, ScrollBarAppearsWhenTheRowsOutgrowTheWindow) {
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    ExpandAll(TVE_EXPAND);
    EXPECT_TRUE(HasStyle(WS_VSCROLL));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(tree_, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 34);
    EXPECT_EQ(static_cast<int>(info.nPage), VisibleCount());

    SendMessage(tree_, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    HTREEITEM first = Next(nullptr, TVGN_FIRSTVISIBLE);
    EXPECT_EQ(TextRect(first).top, 0);
    EXPECT_NE(first, folders_[0]);
    GetScrollInfo(tree_, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 10);
    // Bringing the first folder back scrolls the bar too.
    SendMessage(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(folders_[0]));
    GetScrollInfo(tree_, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 0);

    ExpandAll(TVE_COLLAPSE);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
    ExpandAll(TVE_EXPAND);
    SetWindowLong(tree_, GWL_STYLE, GetWindowLong(tree_, GWL_STYLE) | TVS_NOSCROLL);
    EXPECT_FALSE(HasStyle(WS_VSCROLL));
}

}  // namespace
}  // namespace kq::ui::test
