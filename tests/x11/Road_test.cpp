// The operator's road through the real program under X, by mouse and keys only: a measurement
// stops and the shortcut keys still work, the values and the diagram are saved and printed, the
// menus and dialogs leave the screen as they found it, the About box opens on its owner and gives
// it the keys back, the pages show by their tree items, the tree scrolls by the wheel, 500 single
// clicks on tree items, buttons and menu items each do what they should, channel view B and the
// power view P1 show, two trigger cycles run, and the common dialogs speak the program's
// language, and the size grip sizes the window. The suite ends with the main window's close button,
// which writes the settings (ProgramRoad). A new step is a TEST_F here, in the order it is to run.
#include <unistd.h>

#include <algorithm>

#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

#include "ProgramRoad.h"

namespace x11test {
namespace {

constexpr int kMenuFile = 15;
constexpr int kMenuView = 141;
constexpr int kMenuLanguage = 190;
constexpr int kMenuHelp = 240;
constexpr Place kHelpInfo{264, 51};  // the first item of the Help menu
constexpr Place kLanguageGerman{214, 51};
constexpr Place kViewDigital{165, 51};  // the View menu's first item opens the channel views
constexpr Place kViewSensor2{335, 74};

constexpr int kRowMeasureAdjust = 9;

// The measure configuration page's start and stop conditions (drop-down lists).
constexpr Place kStartCondition{350, 410};
constexpr Place kStopCondition{350, 439};
// The documentation page's separator of the values saved.
constexpr int kRowDocumentation = 10;
constexpr Place kSeparator{412, 242};

// The measure-and-diagram page.
constexpr Place kP1{555, 92};
constexpr Place kRepeatTrigger{219, 92};

bool FileAppears(const std::string& path, int ms) {
    return WaitUntil(
        [&] {
            std::error_code ec;
            return std::filesystem::file_size(path, ec) > 0 && !ec;
        },
        ms);
}

class Road : public ProgramRoad {
  protected:
    // A new file's name gets the question whether to create it: yes.
    static void AnswerCreatePrompt(const std::string& path) {
        if (!FileAppears(path, 1500))
            hands().Key("Return");
    }
    // The diagram below the pages: saving and printing it may change its scale on screen.
    static Box Diagram() { return Box{X(-4), Y(570), X(1200), Y(710)}; }
    // The measuring page's line of the last run's duration and count, completed once the
    // recording is.
    static Box RunLine() { return Box{X(204), Y(80), X(500), Y(112)}; }
    // The main window's area below its caption.
    static Box Window() {
        const Box& c = MainCaption();
        return Box{c.left - 4, c.top, c.right + 4, c.top + 750};
    }
    // Where dialogs centred on the main window or the screen come up, away from the menus.
    static Box Middle() { return Box{X(300), Y(150), X(1100), Y(700)}; }
    // A common dialog opened by a shortcut key: the box it covers.
    static Box OpenByKey(const char* key) {
        return op().SeeChange(Middle(), [&] { hands().Key(key, {"Control_L"}); });
    }
};

TEST_F(Road, AMeasurementStopsAndTheShortcutKeysStillWork) {
    ShowPage(kRowDiagram);
    // Start is enabled while the sensor is connected.
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 30000)) << "the sensor is not connected";
    ClickAt(kStart);
    Sleep(2500);
    ClickAt(kStop);
    // The recording is complete when the page can start again.
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 10000)) << "the run did not stop";
    const std::string values = program().Documents() + "/values.csv";
    op().Ignore(Diagram());
    op().Ignore(RunLine());
    op().ExpectCoveredComesBack(
        "save-values", [&] { hands().Key("m", {"Control_L"}); },
        [&] {
            hands().Type(values);
            hands().Key("Return");
            AnswerCreatePrompt(values);
        });
    op().StopIgnoring();
    op().StopIgnoring();
    EXPECT_TRUE(FileAppears(values, 10000)) << values;
}

TEST_F(Road, TheDiagramIsSavedAndPrinted) {
    const std::string diagram = program().Documents() + "/diagram.bmp";
    op().Ignore(Diagram());
    op().ExpectCoveredComesBack(
        "save-diagram", [&] { hands().Key("d", {"Control_L"}); },
        [&] {
            hands().Type(diagram);
            hands().Key("Return");
            AnswerCreatePrompt(diagram);
        });
    EXPECT_TRUE(FileAppears(diagram, 10000)) << diagram;
    const std::string pdf = program().Documents() + "/diagram.pdf";
    op().ExpectCoveredComesBack(
        "print", [&] { hands().Key("p", {"Control_L"}); },
        [&] {
            hands().Key("Tab");  // from the printer to its file
            hands().Type(pdf);
            hands().Key("Return");
        });
    op().StopIgnoring();
    EXPECT_TRUE(FileAppears(pdf, 20000)) << pdf;
}

TEST_F(Road, EveryMenuLeavesWhatItCoveredAsItWas) {
    for (int x : {kMenuFile, kMenuMode, kMenuView, kMenuLanguage, kMenuHelp}) {
        op().ExpectCoveredComesBack(
            "menu-at-" + std::to_string(x), [&] { hands().Click(X(x), Y(kMenuBarY)); },
            [&] {
                hands().Key("Escape");
                hands().Key("Escape");
            });
    }
}

TEST_F(Road, TheAboutBoxOpensOnItsOwnerAndGivesTheKeysBack) {
    Box about;
    op().ExpectCoveredComesBack(
        "about-box",
        [&] {
            EXPECT_TRUE(OpenMenu(kMenuHelp));
            about = op().SeeChange(Middle(), [&] { ClickAt(kHelpInfo); });
        },
        [&] { hands().Key("Return"); });
    // Centred on the main window.
    const Box window = Window();
    EXPECT_NEAR(about.CentreX(), window.CentreX(), 4);
    EXPECT_NEAR(about.CentreY(), window.top + 374, 6);
    // The main window is active again and its shortcut keys work.
    EXPECT_EQ(op().ActiveCaption(), MainCaption());
    const Box print = OpenByKey("p");
    EXPECT_FALSE(print.Empty()) << "Ctrl+P after the About box did nothing";
    hands().Key("Escape");
    EXPECT_TRUE(WaitForMainWindowActive());
}

// Minimised by its own button, without a window manager the main window becomes a small captioned
// bar at the bottom left of the screen, whose restore button brings it back; under one, the
// window manager shows it as an icon until it is activated again.
TEST_F(Road, AMinimisedMainWindowComesBack) {
    if (hands().WindowManagerRuns()) {
        const unsigned long frame = hands().ActiveWindow();
        const std::string id = std::to_string(frame);
        program().RunOnDisplay("xdotool windowminimize " + id);
        EXPECT_TRUE(WaitUntil([&] { return hands().WindowBox(frame).Empty(); }, 5000));
        program().RunOnDisplay("wmctrl -i -a " + id);
        EXPECT_TRUE(WaitForMainWindowActive());
        return;
    }
    // The caption's buttons from the right: close, maximise, minimise, 16 pixels wide each.
    const Box& caption = MainCaption();
    hands().Click(caption.right - 44, caption.CentreY());
    const Box screen = hands().Screen();
    const Box bar{screen.left, screen.bottom - 24, screen.left + 160, screen.bottom};
    EXPECT_TRUE(WaitUntil([&] { return !Plain(hands().Grab(bar)); }, 5000))
        << "no bar at the bottom left";
    EXPECT_TRUE(Plain(hands().Grab(Box{X(300), Y(200), X(600), Y(400)}))) << "the frame shows";
    // On the bar, the restore button where the frame had its minimise button.
    hands().Click(bar.right - 48, bar.top + 13);
    EXPECT_TRUE(WaitForMainWindowActive()) << "the frame did not come back";
}

TEST_F(Road, EveryPageShowsByItsTreeItem) {
    for (int row : {kRowConnected, kRowConnected + 1, kRowMeasureAdjust, kRowMeasureAdjust + 1,
                    kRowDiagram, kRowDiagnostic}) {
        const Box changed = op().SeeChange(Page(), [&] { ClickTree(row); });
        EXPECT_FALSE(changed.Empty()) << "tree row " << row;
        Sleep(200);
    }
    ShowPage(kRowDiagram);
}

// A drop-down that closes, by Escape or by a choice, leaves the fields and frames it covered as
// they were; Escape closes it and nothing else.
TEST_F(Road, EveryDropDownLeavesWhatItCoveredAsItWas) {
    // Each combo's choice is the one it shows: the first of the trigger lists, the second
    // (";") of the separators, taken by a click on it.
    const struct {
        int row;
        Place combo;
        int item;
    } combos[] = {{kRowMeasureAdjust, kStartCondition, 0},
                  {kRowMeasureAdjust, kStopCondition, 0},
                  {kRowDocumentation, kSeparator, 1}};
    constexpr int kItemHeight = 12;
    for (const auto& entry : combos) {
        const Place combo = entry.combo;
        const int item = entry.item;
        ShowPage(entry.row);
        // The combo takes the focus first, so that its own face is the same before and after.
        ClickAt(combo);
        Sleep(300);
        hands().Key("Escape");
        Sleep(300);
        op().ExpectCoveredComesBack(
            "drop-down-escape", [&] { ClickAt(combo); }, [&] { hands().Key("Escape"); });
        op().ExpectCoveredComesBack(
            "drop-down-choice", [&] { ClickAt(combo); },
            [&] {
                ClickAt(Place{combo.dx, combo.dy + 18 + kItemHeight * item});
            });
    }
    ShowPage(kRowDiagram);
}

TEST_F(Road, TheWheelScrollsTheNavigationTree) {
    // Beside the measuring page's diagram the tree is shorter than its items.
    ShowPage(kRowDiagram);
    const Box tree{X(0), Y(50), X(190), Y(400)};
    EXPECT_FALSE(op().SeeChange(tree, [&] { hands().Wheel(X(90), Y(250), -3); }).Empty());
    EXPECT_FALSE(op().SeeChange(tree, [&] { hands().Wheel(X(90), Y(250), 3); }).Empty());
    Sleep(300);
}

// Each click is followed by what it must do before the next one comes: a page change, a check
// box's tick, a menu opening, a dialog opening and closing.
TEST_F(Road, FiveHundredSingleClicksAllCount) {
    ShowPage(kRowDiagram);
    // The top of the page tells the pages apart; the menu drops below its bar item.
    const Box page{X(204), Y(40), X(700), Y(140)};
    const Box menu = MenuBelow(kMenuHelp);
    const Box box{X(kRepeatTrigger.dx - 8), Y(kRepeatTrigger.dy - 8), X(kRepeatTrigger.dx + 8),
                  Y(kRepeatTrigger.dy + 8)};
    int clicks = 0;
    auto expectReaction = [&](const char* what, const Box& watch, Place at) {
        const Box seen = op().SeeChange(watch, [&] { hands().Click(X(at.dx), Y(at.dy)); });
        ++clicks;
        EXPECT_FALSE(seen.Empty()) << what << ", click " << clicks;
        return seen;
    };
    while (clicks < 500 && !HasFailure()) {
        expectReaction("tree item", page, Place{kTreeTextX, TreeRowY(kRowMeasureAdjust)});
        expectReaction("tree item", page, Place{kTreeTextX, TreeRowY(kRowDiagram)});
        expectReaction("check box", box, kRepeatTrigger);
        expectReaction("menu bar", menu, Place{kMenuHelp, kMenuBarY});
        // The About box comes up centred on the main window, away from the menu.
        const Box about = expectReaction("menu item", Middle(), kHelpInfo);
        if (about.Empty())
            break;
        // The About box's OK button, centred at its foot.
        const Place ok{about.CentreX() - MainCaption().left, about.bottom - 25 - MainCaption().top};
        expectReaction("button", about, ok);
    }
    EXPECT_GE(clicks, 500);
}

// The channel views beside the measuring page: B from the View menu, P1 by its check box; a
// new view takes room from the page's right.
TEST_F(Road, ChannelViewBAndPowerP1Show) {
    ShowPage(kRowDiagram);
    const Box views{X(925), Y(150), X(1195), Y(560)};
    ASSERT_TRUE(OpenMenu(kMenuView));
    // The first item's submenu opens while the pointer rests on it.
    const Box submenu{X(kViewSensor2.dx - 25), Y(kViewDigital.dy - 6), X(kViewSensor2.dx + 65),
                      Y(kViewSensor2.dy + 10)};
    op().SeeChange(submenu, [&] { hands().Move(X(kViewDigital.dx), Y(kViewDigital.dy)); });
    EXPECT_FALSE(op().SeeChange(views, [&] { ClickAt(kViewSensor2); }).Empty())
        << "channel view B did not show";
    Sleep(300);
    EXPECT_FALSE(op().SeeChange(views, [&] { ClickAt(kP1); }).Empty())
        << "the power view P1 did not show";
    Sleep(300);
}

// Trigger, Stop, and the same once more: the second cycle starts after the first was stopped.
TEST_F(Road, TwoTriggerCyclesRun) {
    ShowPage(kRowDiagram);
    for (int cycle = 0; cycle < 2; ++cycle) {
        ASSERT_TRUE(WaitUntil([&] { return Enabled(kTrigger); }, 5000)) << "cycle " << cycle;
        ClickAt(kTrigger);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(kStop); }, 12000))
            << "cycle " << cycle << " never started";
        Sleep(500);
        ClickAt(kStop);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 10000))
            << "cycle " << cycle << " did not stop";
    }
}

// The diagram's context menu and the property sheet of its last item leave the diagram as they
// found it.
TEST_F(Road, TheDiagramsMenuAndPropertiesLeaveItAsItWas) {
    ShowPage(kRowDiagram);
    const Place inDiagram{600, 640};
    const auto openMenu = [&] { hands().Click(X(inDiagram.dx), Y(inDiagram.dy), 3); };
    // The click gives the diagram the focus once and for all.
    const Box around{X(inDiagram.dx - 20), Y(inDiagram.dy - 20), X(inDiagram.dx + 200),
                     Y(inDiagram.dy + 100)};
    ASSERT_FALSE(op().SeeChange(around, openMenu).Empty()) << "the diagram has no menu";
    op().SeeChange(around, [&] { hands().Key("Escape"); });
    // The diagram bar's caption shows whether the bar has the focus.
    op().Ignore(Box{X(-4), Y(330), X(20), Y(730)});
    op().ExpectCoveredComesBack("diagram-menu", openMenu, [&] { hands().Key("Escape"); });
    op().ExpectCoveredComesBack(
        "diagram-properties",
        [&] {
            op().SeeChange(around, openMenu);
            hands().Key("Up");
            hands().Key("Return");
        },
        [&] { hands().Key("Escape"); });
    op().StopIgnoring();
}

// Last: in German the navigation tree folds differently.
TEST_F(Road, TheCommonDialogsSpeakTheProgramsLanguage) {
    auto captionOfSaveAs = [&] {
        const Box box = OpenByKey("m");
        EXPECT_FALSE(box.Empty());
        const Picture caption = hands().Grab(Box{box.left, box.top, box.right, box.top + 20});
        hands().Key("Escape");
        EXPECT_TRUE(WaitForMainWindowActive());
        return caption;
    };
    const Picture english = captionOfSaveAs();
    ShowPage(kRowDiagram);
    ASSERT_TRUE(OpenMenu(kMenuLanguage));
    ASSERT_FALSE(op().SeeChange(Page(), [&] { ClickAt(kLanguageGerman); }).Empty());
    Sleep(500);
    const Picture german = captionOfSaveAs();
    EXPECT_TRUE(english.box.Width() != german.box.Width() || !english.SameAs(german, english.box))
        << "Save As stays English in German";
}

// The status bar's size grip makes the window taller (downwards only: the close button stays
// where the road's end looks for it).
TEST_F(Road, TheSizeGripSizesTheWindow) {
    const Box below{X(0), Y(756), X(1150), Y(790)};
    const int gripX = MainCaption().right - 5;
    const Box grown = op().SeeChange(below, [&] { hands().Drag(gripX, Y(741), gripX, Y(781)); });
    EXPECT_FALSE(grown.Empty()) << "the window did not grow";
}

}  // namespace
}  // namespace x11test
