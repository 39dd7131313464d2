// What the report list and its header show: the empty-list text, check-box and progress cells,
// selection colours, grid lines over the cells, erasing around the rows, texts from outside kept
// in their cells, and the header's boxes, pictures, separators and frame.
#include <algorithm>

#include <climits>
#include <cstdlib>

#include "controls/list/XListCheckBox.h"
#include "gfx/GfxTestUtil.h"
#include "list_fixture.h"
#include "platform/gfx/WindowDC.h"

namespace kq::xlist::test {
namespace {

constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kPaper = RGB(250, 250, 200);

COLORREF Sys(int index) {
    return ::GetSysColor(index);
}

// Pixels of a screen rectangle that are not `background`, as a bounding box (empty when none).
CRect InkBox(const CRect& screen, COLORREF background) {
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = screen.top; y < screen.bottom; ++y)
        for (int x = screen.left; x < screen.right; ++x)
            if (kq::ui::GetScreenPixel(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left == INT_MAX ? CRect() : box;
}

int CountColour(const CRect& screen, COLORREF c) {
    int n = 0;
    for (int y = screen.top; y < screen.bottom; ++y)
        for (int x = screen.left; x < screen.right; ++x)
            n += kq::ui::GetScreenPixel(x, y) == c;
    return n;
}

class ListPaintTest : public ListTest {
  protected:
    CRect ScreenCell(int row, int column) {
        CRect rect = CellRect(row, column);
        list_.ClientToScreen(&rect);
        return rect;
    }
    CRect HeaderItem(int column) {
        CRect rect;
        list_.m_HeaderCtrl.GetItemRect(column, &rect);
        return rect;
    }
    CRect ScreenHeaderItem(int column) {
        CRect rect = HeaderItem(column);
        list_.m_HeaderCtrl.ClientToScreen(&rect);
        return rect;
    }
    void RepaintHeader() {
        list_.m_HeaderCtrl.RedrawWindow(nullptr, nullptr,
                                        RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
};

TEST_F(ListPaintTest, AnEmptyListSaysSoBelowTheHeaderCentredAndWrapped) {
    Fill(0);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    Repaint();
    const int headerBottom = HeaderItem(0).bottom;
    CRect client;
    list_.GetClientRect(&client);
    list_.ClientToScreen(&client);
    CRect below = client;
    below.top += headerBottom;
    const CRect ink = InkBox(below, Sys(COLOR_WINDOW));
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GE(ink.top, below.top + 10);
    EXPECT_LE(ink.top, below.top + 14);
    EXPECT_LE(std::abs(ink.CenterPoint().x - client.CenterPoint().x), 3);
    const int oneLine = ink.Height();

    list_.MoveWindow(10, 10, 120, 300);
    Repaint();
    list_.GetClientRect(&client);
    list_.ClientToScreen(&client);
    below = client;
    below.top += headerBottom;
    const CRect wrapped = InkBox(below, Sys(COLOR_WINDOW));
    EXPECT_GT(wrapped.Height(), oneLine * 2);
    EXPECT_LE(wrapped.Width(), client.Width());
}

TEST_F(ListPaintTest, CheckBoxCellsDrawTheSquareAndTheTick) {
    Fill(2);
    list_.SetCheckbox(0, 1, 1);
    list_.SetItemText(1, 1, "COM");
    list_.SetCheckbox(1, 1, 0);
    Repaint();
    // With text: the square is 9 px in, as high as the cell less one pixel.
    const CRect cell = ScreenCell(1, 1);
    const int side = cell.Height() - 1;
    EXPECT_EQ(kq::ui::GetScreenPixel(cell.left + 9, cell.top + side / 2), kCheckFrameColor);
    EXPECT_EQ(kq::ui::GetScreenPixel(cell.left + 9 + side - 1, cell.top + side / 2),
              kCheckFrameColor);
    EXPECT_EQ(kq::ui::GetScreenPixel(cell.left + 8, cell.top + side / 2), Sys(COLOR_WINDOW));
    EXPECT_EQ(CountColour(cell, kCheckMarkColor), 0);

    // Without text the square is centred; the tick has its seven strokes of three pixels.
    const CRect empty = ScreenCell(0, 1);
    const int left = empty.left + empty.Width() / 2 - side / 2 - 1;
    EXPECT_EQ(kq::ui::GetScreenPixel(left, empty.top + side / 2), kCheckFrameColor);
    EXPECT_EQ(kq::ui::GetScreenPixel(left - 1, empty.top + side / 2), Sys(COLOR_WINDOW));
    const int ys[7] = {3, 4, 5, 6, 7, 6, 5};
    for (int stroke = 0; stroke < 7; ++stroke)
        for (int dy = 0; dy < 3; ++dy)
            EXPECT_EQ(kq::ui::GetScreenPixel(left + 9 - stroke, empty.top + ys[stroke] + dy),
                      kCheckMarkColor)
                << stroke << " " << dy;
    EXPECT_EQ(CountColour(empty, kCheckMarkColor), 21);
}

TEST_F(ListPaintTest, ProgressCellsStayInsideTheirCells) {
    Fill(5);
    for (int r = 0; r < 5; ++r) {
        list_.SetProgress(r, 2);
        list_.SetItemText(r, 3, "");
    }
    const int percents[5] = {0, 40, 100, 150, -5};
    for (int r = 0; r < 5; ++r)
        list_.UpdateProgress(r, 2, percents[r]);
    Repaint();
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
    // 0: the framed light-grey bar and nothing else.
    const CRect zero = ScreenCell(0, 2);
    EXPECT_EQ(kq::ui::GetScreenPixel(zero.left + 1, zero.top + 3), RGB(0, 0, 0));
    EXPECT_EQ(kq::ui::GetScreenPixel(zero.CenterPoint().x, zero.CenterPoint().y),
              RGB(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(CountColour(zero, highlight), 0);

    // 40: the filled part ends where the formula says, the caption shows on both sides.
    const CRect forty = ScreenCell(1, 2);
    const int barLeft = forty.left + 1;
    const int fillRight = barLeft + 1 + ((forty.right - (barLeft + 1)) * 40) / 100 - 1;
    const int y = forty.top + 2;
    EXPECT_EQ(kq::ui::GetScreenPixel(fillRight - 1, y), highlight);
    EXPECT_EQ(kq::ui::GetScreenPixel(fillRight, y), RGB(0xE0, 0xE0, 0xE0));
    EXPECT_GT(
        CountColour(forty, Sys(COLOR_HIGHLIGHTTEXT)) + CountColour(forty, Sys(COLOR_WINDOWTEXT)),
        40);

    // 100, 150 and -5: all inside; at full the caption is all in highlight text.
    const CRect full = ScreenCell(2, 2);
    CRect inner = full;
    inner.DeflateRect(2, 2);
    int caption = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = inner.left; x < inner.right; ++x) {
            const COLORREF c = kq::ui::GetScreenPixel(x, y);
            // Light caption on the dark bar: never darker than the bar itself.
            EXPECT_GE(GetBValue(c), GetBValue(highlight)) << x << "," << y;
            caption += c != highlight;
        }
    EXPECT_GT(caption, 10);
    for (int r : {3, 4}) {
        const CRect next = ScreenCell(r, 3);
        CRect nextInner = next;
        nextInner.DeflateRect(1, 0, 2, 2);
        EXPECT_EQ(CountColour(nextInner, Sys(COLOR_WINDOW)), nextInner.Width() * nextInner.Height())
            << r;
    }
    EXPECT_EQ(CountColour(ScreenCell(4, 2), highlight), 0);

    // A bar that is off shows no bar whatever its percent.
    list_.UpdateProgress(0, 1, 70);
    EXPECT_EQ(CountColour(ScreenCell(0, 1), RGB(0xE0, 0xE0, 0xE0)), 0);
}

TEST_F(ListPaintTest, SelectionColoursFollowFocusStyleAndFullRowSelection) {
    Fill(2);
    list_.SetItemTextColored(0, 2, "x", RGB(0, 0, 0), kPaper);
    list_.SetCurSel(0);
    const auto back = [&](int column) {
        const CRect cell = ScreenCell(0, column);
        return kq::ui::GetScreenPixel(cell.right - 4, cell.bottom - 3);
    };
    list_.SetFocus();
    Repaint();
    EXPECT_EQ(back(2), Sys(COLOR_HIGHLIGHT));
    page_.SetFocus();
    Repaint();
    EXPECT_EQ(back(2), Sys(COLOR_BTNFACE));
    list_.ModifyStyle(LVS_SHOWSELALWAYS, 0);
    Repaint();
    EXPECT_EQ(back(2), kPaper);
    list_.ModifyStyle(0, LVS_SHOWSELALWAYS);
    list_.SetExtendedStyle(LVS_EX_GRIDLINES);
    list_.SetFocus();
    Repaint();
    EXPECT_EQ(back(2), kPaper);  // only the first column shows the selection then
    EXPECT_EQ(back(0), Sys(COLOR_HIGHLIGHT));
}

TEST_F(ListPaintTest, GridLinesLieOverTheCellsAndErasingSparesTheRows) {
    Fill(3);
    for (int c = 0; c < 4; ++c)
        list_.SetItemTextColored(1, c, "", RGB(0, 0, 0), kRed);
    Repaint();
    const CRect cell = ScreenCell(1, 1);
    EXPECT_EQ(kq::ui::GetScreenPixel(cell.right - 1, cell.CenterPoint().y), Sys(COLOR_BTNFACE));
    EXPECT_EQ(kq::ui::GetScreenPixel(cell.right - 3, cell.CenterPoint().y), kRed);

    CRect client;
    list_.GetClientRect(&client);
    kq::gfx::test::Canvas canvas(client.Width(), client.Height(), RGB(255, 0, 255));
    list_.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.hdc));
    const CRect row = CellRect(1, 1);
    EXPECT_EQ(canvas.At(row.CenterPoint().x, row.CenterPoint().y), RGB(255, 0, 255));
    EXPECT_EQ(canvas.At(5, CellRect(2, 0).bottom + 5), Sys(COLOR_WINDOW));
    EXPECT_EQ(canvas.At(client.right - 3, row.CenterPoint().y), Sys(COLOR_WINDOW));
}

TEST_F(ListPaintTest, TextsFromOutsideStayOnOneLineInTheirCells) {
    Fill(3);
    std::string longText(10000, 'W');
    list_.SetItemTextColored(1, 1, longText.c_str(), RGB(0, 0, 0), kPaper);
    list_.SetItemTextColored(0, 1, "bad \xff\xfe\xc3 utf", RGB(0, 0, 0), kPaper);
    list_.SetItemTextColored(2, 1, "tab\there\nline\r\nbreak", RGB(0, 0, 0), kPaper);
    Repaint();
    for (int r = 0; r < 3; ++r) {
        CRect next = ScreenCell(r, 2);
        next.DeflateRect(0, 0, 2, 2);
        EXPECT_EQ(CountColour(next, Sys(COLOR_WINDOW)), next.Width() * next.Height()) << r;
        CRect cell = ScreenCell(r, 1);
        cell.DeflateRect(0, 0, 2, 2);
        EXPECT_GT(cell.Width() * cell.Height() - CountColour(cell, kPaper), 20) << r;
    }
    CRect below = ScreenCell(2, 1);
    below.OffsetRect(0, below.Height());
    below.DeflateRect(0, 0, 2, 2);
    EXPECT_EQ(CountColour(below, Sys(COLOR_WINDOW)), below.Width() * below.Height());
}

TEST_F(ListPaintTest, HeaderItemsBoxesSeparatorsAndFrame) {
    Fill(1);
    list_.SetHeaderCheckedState(1, 1);
    list_.SetHeaderCheckedState(2, 2);
    RepaintHeader();
    const COLORREF face = Sys(COLOR_BTNFACE);
    // Image 0: no box, the text starts at the item's left plus the spacing.
    const CRect first = ScreenHeaderItem(0);
    CRect inside = first;
    inside.DeflateRect(2, 2);
    EXPECT_EQ(CountColour(inside, kCheckFrameColor), 0);
    EXPECT_EQ(
        InkBox(CRect(first.left + 2, first.top + 3, first.right - 3, first.bottom - 3), face).left -
            first.left,
        6);
    // State 1: an empty 13 x 13 box; state 2 the same with the tick.
    for (int column : {1, 2}) {
        const CRect item = ScreenHeaderItem(column);
        const int top = (item.Height() - 13) / 2 + item.top;
        EXPECT_EQ(kq::ui::GetScreenPixel(item.left + 6, top + 6), kCheckFrameColor);
        EXPECT_EQ(kq::ui::GetScreenPixel(item.left + 18, top + 6), kCheckFrameColor);
        EXPECT_EQ(kq::ui::GetScreenPixel(item.left + 12, top), kCheckFrameColor);
        EXPECT_EQ(kq::ui::GetScreenPixel(item.left + 12, top + 12), kCheckFrameColor);
        EXPECT_EQ(CountColour(item, kCheckMarkColor), column == 2 ? 21 : 0);
    }
    // Separators between items, none after the last; the frame ends with the items.
    const CRect last = ScreenHeaderItem(3);
    const int mid = first.CenterPoint().y;
    EXPECT_EQ(kq::ui::GetScreenPixel(first.right - 1, mid), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(kq::ui::GetScreenPixel(first.right, mid), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(kq::ui::GetScreenPixel(last.right - 1, mid), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(kq::ui::GetScreenPixel(last.right, mid), face);
    EXPECT_EQ(kq::ui::GetScreenPixel(last.right + 20, last.bottom - 1), face);
    EXPECT_EQ(kq::ui::GetScreenPixel(last.right - 20, last.bottom - 1), Sys(COLOR_BTNSHADOW));

    // The same picture painted straight on the screen.
    CRect header;
    list_.m_HeaderCtrl.GetWindowRect(&header);
    const kq::gfx::Image buffered = kq::ui::CaptureScreenRect(header);
    list_.m_HeaderCtrl.SetDoubleBuffer(FALSE);
    RepaintHeader();
    EXPECT_EQ(kq::ui::CaptureScreenRect(header).pixels, buffered.pixels);
}

TEST_F(ListPaintTest, HeaderTitlesPicturesAndNarrowItemsStayInside) {
    list_.InsertColumn(0, "A title far too long for the narrow column", LVCFMT_LEFT, 90);
    list_.InsertColumn(1, "Gone", LVCFMT_LEFT, 0);
    list_.InsertColumn(2, "Pic", LVCFMT_LEFT, 16);
    list_.InsertColumn(3, "End", LVCFMT_LEFT, 60);
    list_.SetHeaderCheckedState(1, 2);
    RepaintHeader();
    const COLORREF face = Sys(COLOR_BTNFACE);
    const CRect title = ScreenHeaderItem(0);
    const CRect ink =
        InkBox(CRect(title.left + 2, title.top + 3, title.right - 2, title.bottom - 3), face);
    EXPECT_LE(ink.right, title.right - 6);
    EXPECT_EQ(CountColour(ScreenHeaderItem(1), kCheckFrameColor), 0);  // the zero-width item
    EXPECT_EQ(CountColour(ScreenHeaderItem(1), kCheckMarkColor), 0);

    // Pictures of the owner's image list, clipped to the item.
    CImageList images;
    ASSERT_TRUE(images.Create(13, 13, ILC_COLOR32, 3, 0));
    CClientDC screen(&list_);
    for (COLORREF colour : {RGB(1, 1, 1), RGB(0, 0, 200), RGB(0, 150, 0)}) {
        CDC mem;
        mem.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 13, 13);
        CBitmap* old = mem.SelectObject(&bitmap);
        mem.FillSolidRect(0, 0, 13, 13, colour);
        mem.SelectObject(old);
        images.Add(&bitmap, RGB(255, 0, 255));
    }
    list_.m_HeaderCtrl.SetImageList(&images);
    list_.SetHeaderCheckedState(2, 1);
    list_.SetHeaderCheckedState(3, 2);
    RepaintHeader();
    const CRect pic = ScreenHeaderItem(2);
    EXPECT_EQ(CountColour(pic, RGB(0, 0, 200)), 4 * 13);  // 16 wide less the spacing on both sides
    const CRect end = ScreenHeaderItem(3);
    EXPECT_EQ(kq::ui::GetScreenPixel(end.left + 6, end.CenterPoint().y), RGB(0, 150, 0));
    EXPECT_EQ(CountColour(end, kCheckFrameColor), 0);
    list_.m_HeaderCtrl.SetImageList(nullptr);
}

}  // namespace
}  // namespace kq::xlist::test
