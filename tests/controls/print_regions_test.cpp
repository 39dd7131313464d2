// Regions of a page, their titles and colours, and tick boxes.
#include "controls/print/PrintRegion.h"
#include "print_PageTestSupport.h"

namespace kq::print::test {
namespace {

TEST(PrintRegions, BoxesOutsideThePageOrInvertedAreRefused) {
    PrinterSheet sheet(100, 900, 1200);
    CPage page(RECT{0, 0, 850, 1100}, &sheet.dc, MM_ANISOTROPIC);
    EXPECT_EQ(page.AddRegion(0, 0, 1001, 100, 0), nullptr);
    EXPECT_EQ(page.AddRegion(10, 10, 500, 1001, 0), nullptr);
    EXPECT_EQ(page.AddRegion(500, 10, 100, 300, 0), nullptr);
    EXPECT_EQ(page.AddRegion(10, 300, 500, 100, 0), nullptr);
    EXPECT_EQ(page.AddRegion(-1, 10, 500, 100, 0), nullptr);
    EXPECT_EQ(sheet.Dark({0, 0, 900, 1200}), 0);

    page.SetRightLimit(800);
    CPrintRegion* region = page.AddRegion(10, 10, 500, 900, 0);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->right, 800);
    EXPECT_EQ(region->innerTop, 11);
    EXPECT_EQ(region->innerLeft, 11);
    // Beyond the right limit nothing is left of the region.
    EXPECT_EQ(page.AddRegion(10, 850, 500, 900, 0), nullptr);
    EXPECT_NE(page.AddRegion(0.1, 0.1, 1.0, 1.0, 0), nullptr);
}

TEST(PrintRegions, TitleBandIsTwoTextHeights) {
    PrinterSheet sheet(100, 900, 1200);
    CPage page(RECT{0, 0, 850, 1100}, &sheet.dc, MM_ANISOTROPIC);  // 11 inches high
    CPrintRegion* region = page.AddRegion(100, 100, 600, 700, 0);
    ASSERT_NE(region, nullptr);
    region->PrintTitle("Title", 10, 0, kFillLightGray);
    EXPECT_EQ(region->innerTop - region->top, 26);  // a 25-unit band and the row below it
    EXPECT_EQ(page.StateDepth(), 0u);
    // A measured title: its text height plus a margin.
    CPrintRegion* measured = page.AddRegion(700, 100, 1000, 700, 0);
    measured->PrintTitle("Title", 10, kTextFilledBox, kFillLightGray);
    EXPECT_GT(measured->innerTop - measured->top, 11);
    EXPECT_LT(measured->innerTop - measured->top, 26);
}

TEST(PrintRegions, DarkRegionsDrawInWhiteAndRestoreTheColour) {
    PrinterSheet sheet(600, 1200, 1200);
    CPage page(RECT{0, 0, 1200, 1200}, &sheet.dc, MM_TEXT);
    CPrintRegion* region = page.AddRegion(100, 100, 1100, 1100, kFillBlack);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(sheet.Count({100, 100, 1100, 1100}, kBlack), 1000 * 1000);
    const COLORREF colour = sheet.dc.GetTextColor();
    const int mode = sheet.dc.GetBkMode();
    page.DrawLine(region, 100, 0, 100, 2000, 3, 0);  // clamped to the region's right
    page.PrintText(region, 400, 100, kKeepCurrent, 20, "WWW");
    page.DrawBox(region, 700, 100, 900, 500, 3, 0, 0);
    EXPECT_GT(sheet.Count({101, 200, 1100, 204}, kWhite), 900);
    EXPECT_EQ(sheet.Count({1100, 195, 1200, 210}, kWhite), 100 * 15);  // and no further
    EXPECT_GT(sheet.Count({200, 500, 1000, 700}, kWhite), 500);
    EXPECT_GT(sheet.Count({200, 800, 205, 1000}, kWhite), 100);
    EXPECT_EQ(sheet.dc.GetTextColor(), colour);
    EXPECT_EQ(sheet.dc.GetBkMode(), mode);
    region->DrawFrame();
    EXPECT_EQ(page.StateDepth(), 0u);
}

class PrintTickBoxes : public ::testing::Test {
  protected:
    PrinterSheet sheet_{600, 2400, 1200};
    CPage page_{RECT{0, 0, 2400, 1200}, &sheet_.dc, MM_TEXT};
    static constexpr int kSide = 83;  // 10 points at 600 dpi
};

TEST_F(PrintTickBoxes, CheckedBoxesShowACrossOrTheirFill) {
    page_.PrintTickBox("", true, 100, 100, 10, 0, 1, 0, kKeepCurrent);
    page_.PrintTickBox("", true, 300, 100, 10, 0, 1, kFillLightGray, kKeepCurrent);
    page_.PrintTickBox("", false, 500, 100, 10, 0, 1, kFillLightGray, kKeepCurrent);
    const int mid = kSide / 2;
    EXPECT_NE(sheet_.Pixel(100 + mid, 100 + mid), kWhite);  // the cross meets in the middle
    EXPECT_NE(sheet_.Pixel(110, 110), kWhite);
    EXPECT_EQ(sheet_.Pixel(100 + mid, 110), kWhite);
    EXPECT_EQ(sheet_.Count({110, 310, 170, 370}, 0xC0C0C0), 60 * 60);
    EXPECT_EQ(sheet_.Count({110, 510, 170, 570}, kWhite), 60 * 60);
    EXPECT_EQ(sheet_.Dark({100 + kSide + 1, 100, 100 + 2 * kSide, 100 + kSide + 1}), 0);
    EXPECT_EQ(page_.StateDepth(), 0u);
}

TEST_F(PrintTickBoxes, LabelFirstPutsTheBoxAfterTheLabelAndAGap) {
    page_.PrintTickBox("Label", false, 100, 100, 10, 1, 1, 0, kKeepCurrent);
    const int boxLeft = page_.LastRight() + page_.Metrics().tmMaxCharWidth;
    const int mid = 100 + kSide / 2;
    EXPECT_NE(sheet_.Pixel(boxLeft, mid), kWhite);
    EXPECT_EQ(sheet_.Dark({page_.LastRight() + 2, mid - 5, boxLeft - 1, mid + 5}), 0);
    // Otherwise the label starts two sides right of the box.
    page_.PrintTickBox("Label", false, 400, 100, 10, 0, 1, 0, kKeepCurrent);
    EXPECT_NE(sheet_.Pixel(100, 400 + kSide / 2), kWhite);
    EXPECT_EQ(page_.State().textFlags, kDefaultTextFlags);
    EXPECT_GT(sheet_.Dark({100 + 2 * kSide, 400, 100 + 2 * kSide + 300, 400 + kSide}), 0);
}

TEST_F(PrintTickBoxes, LabelsPrintLiterally) {
    page_.PrintTickBox("100 %% %s %d", false, 100, 100, 10, 1, 1, 0, kKeepCurrent);
    PrinterSheet other(600, 2400, 1200);
    CPage reference(RECT{0, 0, 2400, 1200}, &other.dc, MM_TEXT);
    reference.PrintText(100, 100, kKeepCurrent, 10, "%s", "100 % %s %d");
    // Same label, same place: the rows of the label read alike up to the box.
    const int end = reference.LastRight();
    EXPECT_EQ(page_.LastRight(), end);
    for (int y = 100; y < 100 + kSide; ++y)
        for (int x = 100; x < end; ++x)
            ASSERT_EQ(sheet_.Pixel(x, y), other.Pixel(x, y)) << x << "," << y;
}

TEST(PrintRegionForms, InchAndUnitFormsDrawTheSamePixels) {
    auto draw = [](PrinterSheet& sheet, bool inches) {
        CPage page(RECT{0, 0, 2400, 1800}, &sheet.dc, MM_TEXT);
        CPrintRegion* region = inches ? page.AddRegion(0.5, 0.5, 2.5, 3.5, kFillLightGray)
                                      : page.AddRegion(300, 300, 1500, 2100, kFillLightGray);
        ASSERT_NE(region, nullptr);
        if (inches) {
            page.DrawLine(0.25, 0.25, 0.25, 3.75, 2, kLineDash);
            page.DrawBox(2.6, 0.5, 2.9, 1.5, 2, kFillGray, 0);
            page.DrawLine(region, 0.1, 0.1, 1.0, 1.0, 2, 0);
            page.DrawBox(region, 1.2, 0.2, 1.4, 0.9, 1, kFillBlack, 0);
            page.PrintTickBox(region, "tick", true, 0.5, 1.5, 10, 1, 1, 0, kKeepCurrent);
            page.PrintTickBox("page", true, 2.6, 2.0, 10, 0, 1, kFillGray, kKeepCurrent);
            page.PrintText(region, 1.5, 1.5, kKeepCurrent, 12, "%s", "text");
            page.PrintTextBox(region, 0.1, 2.0, 0.4, 3.0, kKeepCurrent, 8, "a box");
        } else {
            page.DrawLine(150, 150, 150, 2250, 2, kLineDash);
            page.DrawBox(1560, 300, 1740, 900, 2, kFillGray, 0);
            page.DrawLine(region, 60, 60, 600, 600, 2, 0);
            page.DrawBox(region, 720, 120, 840, 540, 1, kFillBlack, 0);
            page.PrintTickBox(region, "tick", true, 300, 900, 10, 1, 1, 0, kKeepCurrent);
            page.PrintTickBox("page", true, 1560, 1200, 10, 0, 1, kFillGray, kKeepCurrent);
            page.PrintText(region, 900, 900, kKeepCurrent, 12, "%s", "text");
            page.PrintTextBox(region, 60, 1200, 240, 1800, kKeepCurrent, 8, "a box");
        }
    };
    PrinterSheet units(600, 2400, 1800), inches(600, 2400, 1800);
    draw(units, false);
    draw(inches, true);
    EXPECT_GT(units.Dark({0, 0, 2400, 1800}), 1000);
    EXPECT_TRUE(units.Pixels() == inches.Pixels());
}

}  // namespace
}  // namespace kq::print::test
