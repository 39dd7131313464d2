#include "platform/ui/commctrl/HeaderState.h"
#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

using kq::ui::commctrl::HeaderState;

class HeaderTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        header_ = Create(WC_HEADER, HDS_BUTTONS, {10, 10, 310, 30});
        Add("Name", 100, HDF_LEFT);
        Add("Value", 80, HDF_RIGHT);
        Add("Unit", 60, HDF_CENTER);
        notices_.clear();
    }
    int Add(const char* text, int width, int fmt) {
        HDITEM hd{};
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        hd.pszText = const_cast<char*>(text);
        hd.cxy = width;
        hd.fmt = fmt | HDF_STRING;
        return static_cast<int>(
            SendMessage(header_, HDM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&hd)));
    }
    int Width(int index) {
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        SendMessage(header_, HDM_GETITEM, index, reinterpret_cast<LPARAM>(&hd));
        return hd.cxy;
    }
    RECT ItemRect(int index) {
        RECT rc{};
        SendMessage(header_, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    std::pair<int, UINT> Hit(int x, int y) {
        HDHITTESTINFO info{{x, y}, 0, 0};
        SendMessage(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return {info.iItem, info.flags};
    }
    HWND header_ = nullptr;
};

TEST_F(HeaderTest, ItemsLayOutLeftToRightAndHitTestFindsDividers) {
    EXPECT_EQ(SendMessage(header_, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemRect(1).left, 100);
    EXPECT_EQ(ItemRect(1).right, 180);
    EXPECT_EQ(ItemRect(2).right, 240);
    EXPECT_EQ(Hit(50, 5), std::make_pair(0, HHT_ONHEADER));
    EXPECT_EQ(Hit(98, 5), std::make_pair(0, HHT_ONDIVIDER));
    EXPECT_EQ(Hit(102, 5), std::make_pair(0, HHT_ONDIVIDER));
    EXPECT_EQ(Hit(110, 5), std::make_pair(1, HHT_ONHEADER));
    EXPECT_EQ(Hit(270, 5), std::make_pair(-1, HHT_NOWHERE));
    EXPECT_EQ(Hit(-3, 5).second, HHT_TOLEFT);

    // A closed item is reopened from its divider rather than its neighbour's.
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    hd.cxy = 0;
    SendMessage(header_, HDM_SETITEM, 1, reinterpret_cast<LPARAM>(&hd));
    EXPECT_EQ(Hit(101, 5), std::make_pair(1, HHT_ONDIVOPEN));

    RECT parentArea{0, 0, 300, 200};
    WINDOWPOS pos{};
    HDLAYOUT layout{&parentArea, &pos};
    ASSERT_TRUE(SendMessage(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_GT(pos.cy, 10);
    EXPECT_EQ(pos.cx, 300);
    EXPECT_EQ(parentArea.top, pos.cy);
}

TEST_F(HeaderTest, DraggingADividerChangesTheWidthAndNotifiesInOrder) {
    MouseDown(At(header_, 100, 5));
    MouseMove(At(header_, 130, 5));
    MouseMove(At(header_, 142, 5));
    MouseUp(At(header_, 142, 5));
    EXPECT_EQ(Width(0), 142);
    EXPECT_EQ(ItemRect(1).left, 142);
    EXPECT_EQ(GetCapture(), nullptr);
    const std::vector<UINT> expected = {HDN_BEGINTRACK,  HDN_TRACK,   HDN_ITEMCHANGING,
                                        HDN_ITEMCHANGED, HDN_TRACK,   HDN_ITEMCHANGING,
                                        HDN_ITEMCHANGED, HDN_ENDTRACK};
    EXPECT_EQ(Codes(), expected);
    EXPECT_EQ(NoticesOf(HDN_BEGINTRACK)[0].width, 100);
    EXPECT_EQ(NoticesOf(HDN_ITEMCHANGED)[0].width, 130);
    EXPECT_EQ(NoticesOf(HDN_ENDTRACK)[0].width, 142);
    EXPECT_EQ(NoticesOf(HDN_ENDTRACK)[0].item, 0);

    // Dragging left of the item's start closes it instead of going negative.
    MouseDown(At(header_, 142, 5));
    MouseMove(At(header_, -6, 5));
    MouseUp(At(header_, -6, 5));
    EXPECT_EQ(Width(0), 0);
}

TEST_F(HeaderTest, ParentCanRefuseTrackingAndChangesAndEscapeRestores) {
    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> { return hdr->code == HDN_BEGINTRACK; };
    MouseDown(At(header_, 100, 5));
    MouseMove(At(header_, 150, 5));
    MouseUp(At(header_, 150, 5));
    EXPECT_EQ(Width(0), 100);
    EXPECT_EQ(Codes(), std::vector<UINT>{HDN_BEGINTRACK});

    answer_ = [](NMHDR* hdr) -> std::optional<LRESULT> { return hdr->code == HDN_ITEMCHANGING; };
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    hd.cxy = 33;
    EXPECT_FALSE(SendMessage(header_, HDM_SETITEM, 2, reinterpret_cast<LPARAM>(&hd)));
    EXPECT_EQ(Width(2), 60);

    answer_ = nullptr;
    SetFocus(header_);
    MouseDown(At(header_, 180, 5));
    MouseMove(At(header_, 220, 5));
    EXPECT_EQ(Width(1), 120);
    KeyPress(VK_ESCAPE);
    EXPECT_EQ(Width(1), 80);
    EXPECT_EQ(GetCapture(), nullptr);
    MouseUp(At(header_, 220, 5));
    EXPECT_EQ(Width(1), 80);
}

TEST_F(HeaderTest, ClicksAndDoubleClicks) {
    Click(At(header_, 50, 5));
    ASSERT_EQ(NoticesOf(HDN_ITEMCLICK).size(), 1u);
    EXPECT_EQ(NoticesOf(HDN_ITEMCLICK)[0].item, 0);

    // Pressed, then released elsewhere: no click.
    notices_.clear();
    MouseDown(At(header_, 120, 5));
    MouseMove(At(header_, 120, 40));
    MouseUp(At(header_, 120, 40));
    EXPECT_TRUE(NoticesOf(HDN_ITEMCLICK).empty());

    Advance(2000);
    notices_.clear();
    Click(At(header_, 180, 5));
    Click(At(header_, 180, 5));
    EXPECT_EQ(NoticesOf(HDN_DIVIDERDBLCLICK).size(), 1u);
    EXPECT_EQ(NoticesOf(HDN_DIVIDERDBLCLICK)[0].item, 1);

    // Without HDS_BUTTONS the items are not buttons.
    SetWindowLong(header_, GWL_STYLE, GetWindowLong(header_, GWL_STYLE) & ~HDS_BUTTONS);
    Advance(2000);
    notices_.clear();
    Click(At(header_, 50, 5));
    EXPECT_TRUE(NoticesOf(HDN_ITEMCLICK).empty());
}

TEST_F(HeaderTest, OrderArrayMovesItemsAndRejectsNonPermutations) {
    int order[3] = {2, 0, 1};
    EXPECT_TRUE(SendMessage(header_, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
    EXPECT_EQ(ItemRect(2).left, 0);
    EXPECT_EQ(ItemRect(0).left, 60);
    EXPECT_EQ(SendMessage(header_, HDM_ORDERTOINDEX, 0, 0), 2);
    int bad[3] = {0, 0, 1};
    EXPECT_FALSE(SendMessage(header_, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(bad)));
    EXPECT_TRUE(SendMessage(header_, HDM_DELETEITEM, 2, 0));
    EXPECT_EQ(ItemRect(0).left, 0);
    EXPECT_EQ(ItemRect(1).left, 100);

    char buffer[4];
    HDITEM hd{};
    hd.mask = HDI_TEXT;
    hd.pszText = buffer;
    hd.cchTextMax = sizeof buffer;
    SendMessage(header_, HDM_GETITEM, 1, reinterpret_cast<LPARAM>(&hd));
    EXPECT_STREQ(buffer, "Val");
}

TEST_F(HeaderTest, PaintsRaisedItemsWithAlignedText) {
    auto canvas = Render(header_);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(canvas->At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas->At(99, 19), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas->At(50, 2), face);
    // Left-aligned text starts near the item's left edge, right-aligned text ends near the
    // item's right edge, centred text sits in the middle.
    RECT left{}, right{}, centre{};
    auto inkIn = [&](int x0, int x1) {
        RECT box{x1, 20, x0, 0};
        for (int y = 2; y < 18; ++y)
            for (int x = x0 + 2; x < x1 - 2; ++x)
                if (canvas->At(x, y) != face) {
                    box.left = std::min<LONG>(box.left, x);
                    box.right = std::max<LONG>(box.right, x + 1);
                }
        return box;
    };
    left = inkIn(0, 100);
    right = inkIn(100, 180);
    centre = inkIn(180, 240);
    EXPECT_LE(left.left, 8);
    EXPECT_GE(right.right, 172);
    EXPECT_NEAR((centre.left + centre.right) / 2, 210, 3);
    // Beyond the last item: an empty raised area.
    EXPECT_EQ(canvas->At(260, 10), face);
    EXPECT_EQ(canvas->At(240, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(HeaderTest, OwnerDrawnItemsImagesAndBitmaps) {
    // An owner-drawn item: the parent paints it on WM_DRAWITEM with the item's rectangle.
    struct Drawn {
        UINT type, id, item;
        RECT rc;
        HWND from;
    };
    std::vector<Drawn> drawn;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_DRAWITEM)
            return std::nullopt;
        // The record WM_DRAWITEM carries: type, id, item, action, state, window, DC, rect.
        struct Record {
            UINT CtlType, CtlID, itemID, itemAction, itemState;
            HWND hwndItem;
            HDC hDC;
            RECT rcItem;
            ULONG_PTR itemData;
        };
        auto* r = reinterpret_cast<Record*>(l);
        drawn.push_back({r->CtlType, r->CtlID, r->itemID, r->rcItem, r->hwndItem});
        HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
        FillRect(r->hDC, &r->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    });
    HDITEM hd{};
    hd.mask = HDI_FORMAT;
    hd.fmt = HDF_OWNERDRAW;
    SendMessage(header_, HDM_SETITEM, 1, reinterpret_cast<LPARAM>(&hd));
    auto canvas = Render(header_);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].type, 100u);  // ODT_HEADER
    EXPECT_EQ(drawn[0].id, 7u);
    EXPECT_EQ(drawn[0].item, 1u);
    EXPECT_EQ(drawn[0].rc.left, 100);
    EXPECT_EQ(drawn[0].from, header_);
    EXPECT_EQ(canvas->At(140, 10), RGB(0, 200, 0));

    // An image from the header's list at the item's left, a bitmap at its right.
    HIMAGELIST images = ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
    gfx::test::Canvas picture(8, 8, RGB(255, 0, 255));
    HBITMAP imageBits = gfx::CreateBitmapFromSurface(*picture.surface);
    ImageList_Add(images, imageBits, nullptr);
    SendMessage(header_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    gfx::test::Canvas block(6, 6, RGB(0, 0, 255));
    HBITMAP bitmap = gfx::CreateBitmapFromSurface(*block.surface);
    hd.mask = HDI_FORMAT | HDI_IMAGE | HDI_BITMAP;
    hd.fmt = HDF_STRING | HDF_IMAGE | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    hd.iImage = 0;
    hd.hbm = bitmap;
    SendMessage(header_, HDM_SETITEM, 0, reinterpret_cast<LPARAM>(&hd));
    canvas = Render(header_);
    EXPECT_EQ(canvas->At(HeaderState::kSpacing + 2, 10), RGB(255, 0, 255));
    EXPECT_EQ(canvas->At(100 - HeaderState::kSpacing - 2, 10), RGB(0, 0, 255));
    DeleteObject(bitmap);
    DeleteObject(imageBits);
    ImageList_Destroy(images);
}

}  // namespace
}  // namespace kq::ui::test
