// Tables: row heights, column fitting, grid lines, header titles and fills, refusals and the
// table's ownership.
#include <memory>
#include <string>

#include "controls/print/PrintTable.h"
#include "print_PageTestSupport.h"

namespace kq::print::test {
namespace {

// 600 dpi, 10 points: body rows 125 pixels, header units 125 (one row) or 83.
class PrintTableTest : public ::testing::Test {
  protected:
    PrintTableTest() {
        layout_.columns = 3;
        layout_.rows = 5;
        layout_.headerRows = 1;
        layout_.border = 1;
        layout_.horizontalLines = 1;
        layout_.verticalLines = 1;
        layout_.top = 100;
        layout_.left = 100;
        layout_.right = 2200;
        for (int c = 0; c < 3; ++c)
            layout_.column[c].width = 700;
    }

    PrinterSheet sheet_{600, 2400, 1800};
    CPage page_{RECT{0, 0, 2400, 1800}, &sheet_.dc, MM_TEXT};
    TableLayout layout_;
};

TEST_F(PrintTableTest, RowHeightsFollowThePointSize) {
    page_.DrawTable(&layout_);
    ASSERT_NE(layout_.table, nullptr);
    EXPECT_EQ(layout_.table->RowHeight(1), 125);
    EXPECT_EQ(layout_.table->RowHeight(0), 125);
    EXPECT_EQ(layout_.bottom, 100 + 125 + 5 * 125);
    layout_.headerRows = 2;
    page_.DrawTable(&layout_);
    EXPECT_EQ(layout_.table->RowHeight(0), 83);
    EXPECT_EQ(layout_.bottom, 100 + 166 + 5 * 125);
    layout_.noHeader = 1;
    layout_.linesPerRow = 2;
    page_.DrawTable(&layout_);
    EXPECT_EQ(layout_.headerRows, 0);
    EXPECT_EQ(layout_.bottom, 100 + 5 * 250);
    EXPECT_EQ(page_.StateDepth(), 0u);
}

TEST_F(PrintTableTest, InchesAreConvertedOnceAndTheLastColumnFillsTheBox) {
    layout_.inInches = 1;
    layout_.top = 0.5;
    layout_.left = 0.25;
    layout_.right = 3.75;  // 3.5 inches for three 1-inch columns
    for (int c = 0; c < 3; ++c)
        layout_.column[c].width = 1.0;
    page_.DrawTable(&layout_);
    ASSERT_NE(layout_.table, nullptr);
    EXPECT_EQ(layout_.column[2].width, 900.0);  // 1.5 inches
    EXPECT_EQ(layout_.right, 2250.0);
    EXPECT_DOUBLE_EQ(layout_.bottom, (300 + 125 + 5 * 125) / 600.0);
    const std::vector<uint32_t> first = sheet_.Pixels();
    const CPrintTable* firstTable = layout_.table.get();

    // Drawn again on a fresh sheet: the same grid, and the layout holds the new table only.
    sheet_.surface->Fill(kWhite);
    page_.DrawTable(&layout_);
    EXPECT_TRUE(sheet_.Pixels() == first);
    EXPECT_NE(layout_.table.get(), firstTable);
    EXPECT_DOUBLE_EQ(layout_.bottom, (300 + 125 + 5 * 125) / 600.0);
}

TEST_F(PrintTableTest, RowLinesEveryNthRowLieOnTheRowsTopEdges) {
    layout_.lineEvery = 2;
    layout_.border = 0;
    layout_.verticalLines = 0;
    page_.DrawTable(&layout_);
    const int x = 1500;
    auto lineAt = [&](int row) { return sheet_.Pixel(x, 100 + 125 + 125 * row) != kWhite; };
    EXPECT_TRUE(lineAt(1));
    EXPECT_TRUE(lineAt(3));
    EXPECT_FALSE(lineAt(2));
    EXPECT_FALSE(lineAt(4));
    EXPECT_FALSE(lineAt(5));
    // Without frames nothing is drawn inside the cells apart from those lines.
    EXPECT_EQ(sheet_.Dark({150, 100 + 250 + 5, 2150, 100 + 375 - 5}), 0);
}

TEST_F(PrintTableTest, HeaderTitlesAndFills) {
    layout_.column[0].title = "Alpha";
    layout_.headerFill = kFillBlack;
    page_.DrawTable(&layout_);
    // Every header cell, the first included: black with white bold text.
    for (int c = 0; c < 3; ++c) {
        const RECT cell{100 + 700 * c + 5, 105, 100 + 700 * (c + 1) - 5, 220};
        EXPECT_GT(sheet_.Count(cell, kBlack), 50000) << c;
        EXPECT_GT(sheet_.Count(cell, kWhite), 200) << c;
    }

    // An empty title reads "Col 2" in the second column.
    PrinterSheet named(600, 2400, 1800);
    CPage page(RECT{0, 0, 2400, 1800}, &named.dc, MM_TEXT);
    layout_.column[1].title = "Col 2";
    page.DrawTable(&layout_);
    for (int y = 100; y < 225; ++y)
        for (int x = 800; x < 1500; ++x)
            ASSERT_EQ(sheet_.Pixel(x, y), named.Pixel(x, y)) << x << "," << y;
}

TEST_F(PrintTableTest, RefusedTablesAndCells) {
    for (int columns : {0, 26}) {
        page_.DrawTable(&layout_);
        ASSERT_NE(layout_.table, nullptr);
        layout_.columns = columns;
        page_.DrawTable(&layout_);
        EXPECT_EQ(layout_.table, nullptr) << columns;
        layout_.columns = 3;
    }
    // A table wider than the right limit is not drawn, and the layout keeps the one it had.
    page_.DrawTable(&layout_);
    const CPrintTable* previous = layout_.table.get();
    sheet_.surface->Fill(kWhite);
    page_.SetRightLimit(2000);
    page_.DrawTable(&layout_);
    EXPECT_EQ(layout_.table.get(), previous);
    EXPECT_EQ(sheet_.Dark({0, 0, 2400, 1800}), 0);
    page_.SetRightLimit(-1);

    sheet_.surface->Fill(kWhite);
    page_.DrawTable(&layout_);
    const std::vector<uint32_t> grid = sheet_.Pixels();
    page_.FillTableCell(&layout_, -1, 0, 0, kKeepCurrent, "%s", "WWW");
    page_.FillTableCell(&layout_, 0, -1, 0, kKeepCurrent, "%s", "WWW");
    page_.FillTableCell(&layout_, 5, 0, 0, kKeepCurrent, "%s", "WWW");
    page_.FillTableCell(&layout_, 0, 3, 0, kKeepCurrent, "%s", "WWW");
    EXPECT_TRUE(sheet_.Pixels() == grid);
    page_.FillTableCell(&layout_, 4, 2, 0, kKeepCurrent, "%s", "WWW");
    EXPECT_GT(sheet_.Dark({1500, 225 + 4 * 125 + 3, 2200, 225 + 5 * 125 - 3}), 0);
    EXPECT_EQ(page_.StateDepth(), 0u);
}

TEST_F(PrintTableTest, CellsFillOnlyThroughATableOfThisPage) {
    {
        auto earlier = std::make_unique<CPage>(RECT{0, 0, 2400, 1800}, &sheet_.dc, MM_TEXT);
        earlier->DrawTable(&layout_);
    }
    sheet_.surface->Fill(kWhite);
    CPage later(RECT{0, 0, 2400, 1800}, &sheet_.dc, MM_TEXT);
    later.FillTableCell(&layout_, 0, 0, 0, kKeepCurrent, "%s", "stale");
    EXPECT_EQ(sheet_.Dark({0, 0, 2400, 1800}), 0);
}

TEST_F(PrintTableTest, GridlessCellsPrintBelowTheTableAndTextsAreCut) {
    layout_.gridless = 1;
    layout_.noHeader = 1;
    layout_.lineEvery = 1;  // no cell frames
    layout_.pointSize = 4;
    page_.DrawTable(&layout_);
    EXPECT_EQ(sheet_.Dark({0, 0, 2400, 1800}), 0);  // no lines at all
    page_.FillTableCell(&layout_, 6, 0, 0, kKeepCurrent, "%s", "below");
    const int h = layout_.table->RowHeight(1);
    EXPECT_GT(sheet_.Dark({100, 100 + 6 * h, 800, 100 + 7 * h}), 0);

    // Cell text stops at 999 bytes: as far right as 999 characters reach, no further.
    const int flags = kTextSingleLine | kTextNoClip;
    auto endOf = [&](size_t count) {
        page_.FillTableCell(&layout_, 0, 0, 1, flags, "%s", std::string(count, 'i').c_str());
        return page_.LastRight();
    };
    const int cut = endOf(1500);
    EXPECT_EQ(cut, endOf(999));
    EXPECT_GT(cut, endOf(998));
}

}  // namespace
}  // namespace kq::print::test
