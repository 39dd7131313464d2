// The next day at the bench: the program closed on the measure page by the main window's close
// button and started again from the settings it wrote, against the same sensor. Once the sensor
// is ready Start and Trigger are enabled and a run records; every page shows by its tree item,
// and the measure page by its menu item. The suite ends with the close button (ProgramRoad).
#include "ProgramRoad.h"

namespace x11test {
namespace {

// The operating-mode menu's second item, below its first (a submenu of the settings pages).
constexpr Place kModeMeasure{100, 74};

class RestartRoad : public ProgramRoad {};

TEST_F(RestartRoad, StartedAgainOnTheMeasurePageItMeasuresAndEveryPageShows) {
    ShowPage(kRowDiagram);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 30000)) << "the sensor is not ready";
    op().ClickCloseButton(MainCaption());
    ASSERT_EQ(program().WaitForExit(30000), 0) << program().OutputTail();
    std::string why;
    ASSERT_TRUE(StartAgain(&why)) << why;

    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart) && Enabled(kTrigger); }, 30000))
        << "Start and Trigger stay grey after the restart";
    const Box runLine{X(204), Y(80), X(500), Y(112)};
    ClickAt(kStart);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStop); }, 5000)) << "the run did not start";
    const Box recorded = op().SeeChange(
        runLine,
        [&] {
            Sleep(1500);
            ClickAt(kStop);
        },
        10000);
    EXPECT_FALSE(recorded.Empty()) << "the run recorded nothing";
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 10000)) << "the run did not stop";

    // Beside the measure page the tree shows the page's item, scrolled: the operator scrolls it
    // back to its top first.
    op().SeeChange(Box{X(0), Y(50), X(190), Y(300)}, [&] { hands().Wheel(X(90), Y(150), 10); });
    for (int row = kRowConnected; row <= kRowDiagnostic; ++row) {
        EXPECT_FALSE(op().SeeChange(Page(), [&] { ClickTree(row); }).Empty()) << "tree row " << row;
        Sleep(200);
    }
    ASSERT_TRUE(OpenMenu(kMenuMode));
    EXPECT_FALSE(op().SeeChange(Page(), [&] { ClickAt(kModeMeasure); }).Empty())
        << "the measure page's menu item";
    EXPECT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 10000));
}

}  // namespace
}  // namespace x11test
