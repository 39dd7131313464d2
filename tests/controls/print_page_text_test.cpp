// Text by row and column and in boxes: rows returned, limits, providers, formatting and what
// the printer draws for the flags.
#include <string>

#include "controls/print/PrintRegion.h"
#include "print_PageTestSupport.h"

namespace kq::print::test {
namespace {

constexpr int kNoFill = 0;

class PrintPageText : public ::testing::Test {
  protected:
    PrinterSheet sheet_{600, 2400, 1800};
    CPage page_{RECT{0, 0, 2400, 1800}, &sheet_.dc, MM_TEXT};
};

TEST_F(PrintPageText, ProvidedTextNeedsAProviderAndLeavesTheDcAsItWas) {
    CPrintRegion* black = page_.AddRegion(100, 100, 900, 1500, kFillBlack);
    ASSERT_NE(black, nullptr);
    const COLORREF colour = sheet_.dc.GetTextColor();
    const int mode = sheet_.dc.GetBkMode();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(page_.PrintProvidedText(black, 10, 10, kKeepCurrent, 0, 7u), 0);
        EXPECT_EQ(page_.PrintProvidedText(black, 0.1, 0.1, kKeepCurrent, 0, 7u), 0.0);
    }
    EXPECT_EQ(page_.StateDepth(), 0u);
    EXPECT_EQ(sheet_.dc.GetTextColor(), colour);
    EXPECT_EQ(sheet_.dc.GetBkMode(), mode);

    // A provider without a text for the value: nothing printed, the row stays.
    const std::vector<uint32_t> before = sheet_.Pixels();
    page_.SetTextProvider([](uint32_t value) { return value == 1 ? "one" : nullptr; });
    EXPECT_EQ(page_.PrintProvidedText(1000, 200, 2u), 1000);
    page_.PrintProvidedTextBox(1000, 200, 1200, 900, kKeepCurrent, 0, 2u);
    EXPECT_EQ(sheet_.Pixels(), before);
    EXPECT_GT(page_.PrintProvidedText(1000, 200, 1u), 1000);
    EXPECT_GT(sheet_.Dark({200, 1000, 900, 1200}), 0);
}

TEST_F(PrintPageText, FormattedTextIsCutAtTheBufferSize) {
    const std::string ascii(6000, 'a');
    page_.PrintText(100, 100, "%s", ascii.c_str());
    EXPECT_EQ(page_.State().text.size(), 5119u);
    std::string accents;
    for (int i = 0; i < 3000; ++i)
        accents += "\xC3\xA9";
    page_.PrintText(100, 100, "%s", accents.c_str());
    EXPECT_EQ(page_.State().text.size(), 5118u);  // never half a character
}

TEST_F(PrintPageText, RowsColumnsAndLineSpacing) {
    const int row = page_.PrintText(100, 100, 0x220, 10, "Hg");
    EXPECT_GT(row, 100 + 70);  // one line of 10 points at 600 dpi
    EXPECT_EQ(page_.PrintText(100, 100, "Hg"), row);
    page_.SetLineSpacing(1.5);
    EXPECT_EQ(page_.PrintText(100, 100, "Hg"), row + 41);
    page_.SetLineSpacing(1.0);

    // Column -1 goes on right after the previous text.
    page_.PrintText(400, 100, "left");
    const int end = page_.LastRight();
    page_.PrintText(400, -1, "right");
    EXPECT_EQ(page_.State().left, end);
    EXPECT_GT(page_.LastRight(), end);

    // Beyond the right limit nothing is printed and the row stays.
    const std::vector<uint32_t> before = sheet_.Pixels();
    EXPECT_EQ(page_.PrintText(700, 2401, "nothing"), 700);
    EXPECT_EQ(sheet_.Pixels(), before);

    // The by-pointer forms move the column past the text.
    int column = 100;
    page_.PrintText(900, &column, kKeepCurrent, 0, "abc");
    EXPECT_EQ(column, page_.LastRight());
    double inches = 0.5;
    page_.PrintText(2.0, &inches, kKeepCurrent, 0, "abc");
    EXPECT_DOUBLE_EQ(inches, page_.LastRight() / 600.0);
}

TEST_F(PrintPageText, BoxWithoutSizeGrowsToTheText) {
    PageState s = page_.State();
    s.left = 100;
    s.top = 100;
    s.right = 0;
    s.bottom = 0;
    s.text = "single line";
    page_.Printer().OutputText(s, 1.0);
    const int lineHeight = s.lastHeight;
    EXPECT_GT(s.textBox.right - s.textBox.left, 200);
    EXPECT_LT(lineHeight, 120);

    s.right = 0;
    s.bottom = 0;
    s.text = "one two three four\nfive";  // word-wrapped: one line per paragraph
    page_.Printer().OutputText(s, 1.0);
    EXPECT_EQ(s.lastHeight, 2 * lineHeight);
    EXPECT_GT(s.textBox.right - s.textBox.left, 400);
}

TEST_F(PrintPageText, RightEdgeStaysOnThePage) {
    CPage narrow(RECT{0, 0, 2000, 1800}, &sheet_.dc, MM_TEXT);
    narrow.PrintTextBox(100, 100, 300, 100000, kTextRight | kTextSingleLine, 10, "right");
    EXPECT_GT(sheet_.Dark({1700, 100, 2000, 300}), 0);
    EXPECT_EQ(sheet_.Dark({2000, 0, 2400, 1800}), 0);
}

TEST_F(PrintPageText, FilledBoxesColourTheText) {
    const COLORREF colour = sheet_.dc.GetTextColor();
    const int mode = sheet_.dc.GetBkMode();
    page_.State().fillFlags = kFillBlack;
    page_.PrintTextBox(100, 100, 400, 1000, kTextFilledBox | kTextSingleLine, 20, "WWWW");
    const RECT inside{110, 110, 990, 390};
    EXPECT_GT(sheet_.Count(inside, kWhite), 1000);  // white text
    EXPECT_GT(sheet_.Count(inside, kBlack), 100000);
    EXPECT_EQ(sheet_.dc.GetTextColor(), colour);
    EXPECT_EQ(sheet_.dc.GetBkMode(), mode);

    // On plain grey the text keeps its opaque (white) background, on light grey it does not.
    page_.State().fillFlags = kFillGray;
    page_.PrintTextBox(500, 100, 800, 1000, kTextFilledBox | kTextSingleLine, 20, "WWWW");
    EXPECT_GT(sheet_.Count({110, 510, 990, 790}, kWhite), 1000);
    page_.State().fillFlags = kFillLightGray;
    page_.PrintTextBox(900, 100, 1200, 1000, kTextFilledBox | kTextSingleLine, 20, "WWWW");
    EXPECT_EQ(sheet_.Count({110, 910, 990, 1190}, kWhite), 0);
}

TEST_F(PrintPageText, MetricsDescribeTheDcsOwnFontAfterTheText) {
    // After a text the block holds the metrics of the font the DC is left with, in the DC's
    // mapping: not those of the 10-point font the text was printed in (some 90 pixels high
    // at 600 pixels per inch).
    page_.PrintText(100, 100, "x");
    TEXTMETRIC own{};
    ASSERT_TRUE(sheet_.dc.GetTextMetrics(&own));
    EXPECT_EQ(page_.Metrics().tmHeight, own.tmHeight);
    EXPECT_EQ(page_.Metrics().tmMaxCharWidth, own.tmMaxCharWidth);
    EXPECT_LT(page_.Metrics().tmHeight, 60);

    CPage units(RECT{0, 0, 2400, 1800}, &sheet_.dc, MM_ANISOTROPIC);
    units.PrintText(100, 100, "x");
    ASSERT_TRUE(sheet_.dc.GetTextMetrics(&own));
    EXPECT_EQ(units.Metrics().tmMaxCharWidth, own.tmMaxCharWidth);
    EXPECT_EQ(units.GetNextColumn(false, true), units.LastRight() + own.tmMaxCharWidth);
}

TEST_F(PrintPageText, ThousandUnitTextLandsInItsBoxAwayFromTheCorner) {
    // 1000 units over 1200 x 1000 pixels starting at (300, 200).
    CPage units(RECT{300, 200, 1200, 1000}, &sheet_.dc, MM_ANISOTROPIC);
    units.DrawBox(100, 100, 400, 900, 1, 0, 0);
    units.PrintTextBox(100, 100, 400, 900, kTextSingleLine | kTextVCentred, 20, "HHHH");
    POINT box[2] = {{100, 100}, {900, 400}};
    sheet_.dc.LPtoDP(box, 2);
    const RECT inside{box[0].x + 3, box[0].y + 3, box[1].x - 3, box[1].y - 3};
    const int ink = sheet_.Dark({0, 0, 2400, 1800});
    EXPECT_GT(sheet_.Dark(inside), 0);
    // Everything else is the box's own outline.
    EXPECT_EQ(ink - sheet_.Dark(inside),
              sheet_.Dark({box[0].x - 2, box[0].y - 2, box[1].x + 3, box[1].y + 3}) -
                  sheet_.Dark(inside));
}

TEST_F(PrintPageText, LinesAndBordersShowTheirPatterns) {
    // Switches between ink and paper along a horizontal line.
    auto changes = [&](int y) {
        int n = 0;
        for (int x = 101; x < 2000; ++x)
            n += (sheet_.Pixel(x, y) == kWhite) != (sheet_.Pixel(x - 1, y) == kWhite) ? 1 : 0;
        return n;
    };
    page_.DrawLine(100, 100, 100, 2000, 1, 0);
    page_.DrawLine(200, 100, 200, 2000, 1, kLineDash);
    page_.DrawLine(300, 100, 300, 2000, 1, kLineDot);
    page_.DrawBox(400, 100, 600, 2000, 1, kNoFill, kLineDot);
    page_.DrawBox(700, 100, 900, 2000, 1, kNoFill, kLineDashDot);  // solid for borders
    EXPECT_EQ(changes(100), 0);
    EXPECT_GT(changes(200), 10);
    EXPECT_GT(changes(300), changes(200));
    EXPECT_GT(changes(400), 10);
    EXPECT_EQ(changes(700), 0);
}

TEST_F(PrintPageText, FillsWithoutAFillBitPaintNothing) {
    PageState s = page_.State();
    s.left = 100;
    s.top = 100;
    s.right = 500;
    s.bottom = 500;
    s.fillFlags = 0x40;
    page_.Printer().OutputFill(s);
    EXPECT_EQ(sheet_.Dark({0, 0, 2400, 1800}), 0);
    s.fillFlags = kFillGray;
    page_.Printer().OutputFill(s);
    EXPECT_EQ(sheet_.Count({100, 100, 500, 500}, 0x808080), 400 * 400);
}

}  // namespace
}  // namespace kq::print::test
