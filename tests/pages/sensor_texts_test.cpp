// The start-up search's progress arithmetic and the connection page's texts and column shares.
#include <gtest/gtest.h>

#include "pages/sensor/PortRowTexts.h"
#include "pages/sensor/StartUpProgress.h"

namespace {

TEST(StartUpProgressTest, FourPortsMoveQuicklyToTheHalfAndSlowlyAfterIt) {
    StartUpProgress progress;
    progress.Start(4);
    progress.ReachPort(3);
    EXPECT_EQ(progress.Position(), 25);
    EXPECT_EQ(progress.DisplayedValue(), 25);
    progress.ReachPort(1);
    EXPECT_EQ(progress.Position(), 75);
    EXPECT_EQ(progress.DisplayedValue(), 93);  // 50 + sqrt(1875)
    EXPECT_EQ(progress.FinishedRowValue(), 100);
    // The position only moves forward with whole port steps; sub-steps narrower than a percent
    // count for the row but leave the bar.
    progress.Advance(0);
    EXPECT_EQ(progress.SubSteps(), 1);
    EXPECT_EQ(progress.Position(), 75);
    progress.Advance(1);
    EXPECT_EQ(progress.Position(), 100);
    EXPECT_EQ(progress.DisplayedValue(), 100);
}

TEST(StartUpProgressTest, EdgesAndPositionsBeyondTheRangeStayInside) {
    EXPECT_EQ(StartUpProgress::DisplayedValueOf(50), 50);
    EXPECT_EQ(StartUpProgress::DisplayedValueOf(100), 100);
    EXPECT_EQ(StartUpProgress::DisplayedValueOf(151), 100);
    EXPECT_EQ(StartUpProgress::DisplayedValueOf(100000), 100);
    EXPECT_EQ(StartUpProgress::DisplayedValueOf(-5), 0);

    // A search over one port that probes long: the sub-steps and port steps push the position
    // far past 100, the bar and the row stay at 100.
    StartUpProgress one;
    one.Start(1);
    one.ReachPort(0);
    one.PresetSubSteps();
    for (int i = 0; i < 100; ++i)
        one.Advance(i % 2);
    EXPECT_GT(one.Position(), 150);
    EXPECT_EQ(one.DisplayedValue(), 100);
    EXPECT_EQ(one.RowValue(3), 100);

    // No ports: no steps, nothing moves, nothing divides by zero.
    StartUpProgress none;
    none.Start(0);
    none.Advance(0);
    none.Advance(1);
    none.ReachPort(0);
    EXPECT_EQ(none.Position(), 0);
    EXPECT_EQ(none.DisplayedValue(), 0);
    EXPECT_EQ(none.FinishedRowValue(), 0);
}

TEST(StartUpProgressTest, TheRowValueEasesAboveTheHalfAndLeansOnTheRowIndex) {
    EXPECT_EQ(StartUpProgress::RowValueOf(0, 0), 0);
    EXPECT_EQ(StartUpProgress::RowValueOf(10, 0), 34);  // 10 x 100 / 29
    // 15 preset sub-steps: 51.7 % eases to 50 + sqrt(2500 - 48.3^2) = 63.0, plus 1.5 per row.
    EXPECT_EQ(StartUpProgress::RowValueOf(StartUpProgress::kPresetSubSteps, 0), 63);
    EXPECT_EQ(StartUpProgress::RowValueOf(StartUpProgress::kPresetSubSteps, 4), 69);
    EXPECT_EQ(StartUpProgress::RowValueOf(29, 3), 100);
    EXPECT_EQ(StartUpProgress::RowValueOf(500, 0), 100);
}

TEST(PortRowTextsTest, BaudRatesConvertBothWaysAndUnknownTextsAreRefused) {
    EXPECT_EQ(BaudrateText(115200), "115,2k");
    EXPECT_EQ(BaudrateText(230400), "230,4k");
    EXPECT_EQ(BaudrateText(9600), "unknown(error)");
    EXPECT_EQ(BaudrateCodeFromText("115,2k"), 9);
    EXPECT_EQ(BaudrateCodeFromText("230.4k"), 16);
    EXPECT_EQ(BaudrateCodeFromText("230,4K"), -1);
    EXPECT_EQ(BaudrateCodeFromText(""), -1);
    EXPECT_EQ(BaudrateChoiceIndex(115200), 0);
    EXPECT_EQ(BaudrateChoiceIndex(230400), 1);
    EXPECT_EQ(BaudrateChoiceIndex(-1), -1);
}

TEST(PortRowTextsTest, ColumnsShareTheUsableWidthAndNoWidthGoesNegative) {
    const auto widths = PortListColumnWidths(126 + 98);
    EXPECT_EQ(widths, (std::array<int, 8>{36, 5, 10, 4, 12, 12, 17, 28}));
    const auto wide = PortListColumnWidths(1098);
    int sum = 0;
    for (int w : wide)
        sum += w;
    EXPECT_EQ(sum, 1000 - 2);
    for (int w : PortListColumnWidths(50))
        EXPECT_EQ(w, 0);
    EXPECT_EQ(UpdateButtonWidth(300, 120), 170);
    EXPECT_EQ(UpdateButtonWidth(100, 120), 0);
}

}  // namespace
