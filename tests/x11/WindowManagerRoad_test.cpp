// The program among other programs under a window manager (openbox): whenever one of its windows
// is activated again the keyboard focus is back in the field that had it, a bar dropped over
// another program's window floats right there, the program's windows minimise and come back
// together, they tell the desktop what they can do and answer its pings, and after many rounds of
// boxes, minimise requests and window switches at random moments a click still reaches the
// program. Then, at 192 dpi, a dropped bar floats where it was dropped too.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "ProgramRoad.h"

namespace x11test {
namespace {

constexpr int kRowDocumentation = 10;
// The documentation page's headline edit and the prefix edit of its first file row, which takes
// no '/' (a box says so).
constexpr Place kHeadline{400, 291};
constexpr Place kPrefix{615, 121};
// The navigation bar's caption, docked at the frame's left.
constexpr Place kBarCaption{65, 48};
constexpr int kHelpMenu = 240;
constexpr Place kAboutItem{264, 51};

std::string Id(unsigned long window) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", window);
    return id;
}

// The window the window manager's list (wmctrl -lG) has under the title; 0 when none.
unsigned long ListedWindow(const std::string& listed, const std::string& title) {
    std::istringstream lines(listed);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(title) != std::string::npos)
            return std::stoul(line, nullptr, 16);
    }
    return 0;
}

// Drags a bar by its caption out of the frame, by way of a point inside it, and drops it there.
void DragBarTo(Hands& hands, Place caption, Place via, int x, int y) {
    hands.Move(caption.dx, caption.dy);
    hands.Button(1, true);
    hands.Move(via.dx, via.dy);
    hands.Move(x - 20, y - 20);
    hands.Move(x, y);
    Sleep(200);
    hands.Button(1, false);
}

// The navigation bar's X window once it floats; 0 when it does not.
unsigned long FloatingBar(RealProgram& program) {
    unsigned long bar = 0;
    WaitUntil(
        [&] {
            bar = ListedWindow(program.RunOnDisplay("wmctrl -l"), "Navigation Bar");
            return bar != 0 && !program.hands().WindowBox(bar).Empty();
        },
        5000);
    return bar;
}

bool Docked(RealProgram& program) {
    return WaitUntil(
        [&] { return ListedWindow(program.RunOnDisplay("wmctrl -l"), "Navigation Bar") == 0; },
        5000);
}

class WindowManagerRoad : public ProgramRoad {
  protected:
    static void SetUpTestSuite() {
        Desktop desktop;
        desktop.windowManager = true;
        StartRoad(desktop);
        frame_ = MainCaption().Empty() ? 0 : hands().ActiveWindow();
    }
    static void Run(const std::string& command) { program().RunOnDisplay(command); }
    static bool Active(unsigned long window) {
        return WaitUntil([&] { return hands().ActiveWindow() == window; }, 5000);
    }
    static bool OtherActive() {
        return WaitUntil(
            [] {
                const unsigned long active = hands().ActiveWindow();
                return active != 0 && active != frame_;
            },
            5000);
    }
    // Another program's window, at the desktop's right.
    static unsigned long OtherProgram() {
        if (other_ == 0) {
            Run("sh -c 'xmessage -geometry +1350+600 -timeout 900 \"another program\" "
                ">/dev/null 2>&1 &'");
            WaitUntil([] { return (other_ = hands().WindowOfClass("xmessage")) != 0; }, 5000);
        }
        return other_;
    }
    static void ComeBack() {
        Run("wmctrl -i -a " + Id(frame_));
        EXPECT_TRUE(Active(frame_)) << "the frame did not come back";
    }
    // Opens the About box from the Help menu (again where a click was lost on the way).
    static void OpenAbout() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (OpenMenu(kHelpMenu)) {
                ClickAt(kAboutItem);
                if (OtherActive())
                    return;
            }
            hands().Key("Escape");
            Sleep(300);
        }
        op().Snapshot("no-about");
        FAIL() << "no About box";
    }
    // The field's whole text, selected (which makes it the primary selection).
    static std::string TextOf(Place field) {
        ClickAt(field);
        hands().Key("End");
        hands().Key("Home", {"Shift_L"});
        Sleep(300);
        return program().RunOnDisplay("xclip -o -selection primary");
    }
    static void ReplaceText(Place field, const char* text) {
        ClickAt(field);
        hands().Key("End");
        hands().Key("Home", {"Shift_L"});
        hands().Type(text);
    }
    static void DockBar(unsigned long bar) {
        const Box floating = hands().WindowBox(bar);
        hands().Drag(floating.left + 40, floating.top + 6, MainCaption().left + 30, Y(300));
        EXPECT_TRUE(Docked(program())) << "the bar did not dock again";
    }

    static inline unsigned long frame_ = 0;
    static inline unsigned long other_ = 0;
};

// Another program activated and left, the About box, Alt+Tab there and back, a box about a
// refused character: each time the characters typed next arrive in the field that had the focus.
TEST_F(WindowManagerRoad, TheFocusIsBackInItsFieldWheneverTheProgramIsActiveAgain) {
    ASSERT_NE(frame_, 0u);
    ShowPage(kRowDocumentation);
    ReplaceText(kHeadline, "a");
    Run("wmctrl -i -a " + Id(OtherProgram()));
    ASSERT_TRUE(OtherActive());
    ComeBack();
    hands().Type("b");
    OpenAbout();
    hands().Key("Return");
    ASSERT_TRUE(Active(frame_));
    hands().Type("c");
    hands().Key("Tab", {"Alt_L"});
    ASSERT_TRUE(OtherActive()) << "Alt+Tab did not switch";
    hands().Key("Tab", {"Alt_L"});
    ASSERT_TRUE(Active(frame_));
    hands().Type("d");
    EXPECT_EQ(TextOf(kHeadline), "abcd");

    ReplaceText(kPrefix, "p");
    hands().Key("slash");
    ASSERT_TRUE(OtherActive()) << "no box about the refused character";
    hands().Key("Return");
    ASSERT_TRUE(Active(frame_));
    hands().Type("q");
    EXPECT_EQ(TextOf(kPrefix), "pq");
    ReplaceText(kPrefix, "x");
}

// The main window and the About box tell the desktop what they can do; both belong to the
// program's window group, take the focus, show the program's icon at three sizes, and the
// program answers the window manager's ping.
TEST_F(WindowManagerRoad, TheWindowsTellTheDesktopWhatTheyCanDo) {
    const std::string frame = program().RunOnDisplay("xprop -id " + Id(frame_));
    for (const char* expected :
         {"_NET_WM_PING",
          "window id # of group leader:", "Client accepts input or input focus: True",
          "WM_CLIENT_LEADER(WINDOW)", "Icon (16 x 16)", "Icon (32 x 32)", "Icon (48 x 48)",
          // move, close, size, minimise, maximise; border, handles, title, menu and buttons
          "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x3e, 0x7e"})
        EXPECT_NE(frame.find(expected), std::string::npos) << expected << "\n" << frame;
    EXPECT_TRUE(hands().AnswersPing(frame_, 3000));

    OpenAbout();
    const std::string about = program().RunOnDisplay("xprop -id " + Id(hands().ActiveWindow()));
    hands().Key("Return");
    ASSERT_TRUE(Active(frame_));
    // A fixed dialog: moved and closed, nothing else; border, title and menu.
    for (const char* expected :
         {"_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x24, 0x1a", "window id # of group leader:"})
        EXPECT_NE(about.find(expected), std::string::npos) << expected << "\n" << about;
}

// Dropped over another program's window, the bar floats right there, its clicks its own, and
// the menu bar keeps its clicks; the bar and a modal box go and come back with the main window.
TEST_F(WindowManagerRoad, ABarFloatsWhereDroppedAndMinimisesWithTheFrame) {
    const Box over = hands().WindowBox(OtherProgram());
    ASSERT_FALSE(over.Empty());
    const int dropX = (over.left + over.right) / 2;
    const int dropY = (over.top + over.bottom) / 2;
    DragBarTo(hands(), Place{X(kBarCaption.dx), Y(kBarCaption.dy)}, Place{X(300), Y(300)}, dropX,
              dropY);
    const unsigned long bar = FloatingBar(program());
    ASSERT_NE(bar, 0u) << "the bar did not float";
    const Box floating = hands().WindowBox(bar);
    EXPECT_TRUE(floating.Contains(dropX, dropY)) << floating.left << "," << floating.top;
    EXPECT_FALSE(Plain(hands().Grab(floating))) << "the bar's window shows nothing";
    // A click on the bar's tree reaches it: the row under it shows selected. The row is the
    // File folder's, which starts nothing (a command's row, Print, would start a print whose
    // window and dialog take the next clicks).
    const Box rows{floating.left + 10, floating.top + 20, floating.right - 10,
                   floating.bottom - 10};
    EXPECT_FALSE(
        op().SeeChange(rows, [&] { hands().Click(floating.left + 35, floating.top + 40); }).Empty())
        << "the floating bar ignores clicks";
    EXPECT_TRUE(OpenMenu(kHelpMenu)) << "the menu bar lost its clicks";
    hands().Key("Escape");
    Sleep(300);

    Run("xdotool windowminimize " + Id(frame_));
    EXPECT_TRUE(WaitUntil(
        [&] { return hands().WindowBox(frame_).Empty() && hands().WindowBox(bar).Empty(); }, 5000))
        << "the frame and its bar did not go together";
    ComeBack();
    EXPECT_TRUE(WaitUntil([&] { return !hands().WindowBox(bar).Empty(); }, 5000))
        << "the bar did not come back with the frame";

    OpenAbout();
    const unsigned long about = hands().ActiveWindow();
    Run("xdotool windowminimize " + Id(frame_));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return hands().WindowBox(frame_).Empty() && hands().WindowBox(about).Empty() &&
                   hands().WindowBox(bar).Empty();
        },
        5000))
        << "the frame did not minimise with its box open";
    Run("wmctrl -i -a " + Id(frame_));
    EXPECT_TRUE(Active(about)) << "the box did not come back active";
    hands().Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return hands().WindowBox(about).Empty(); }, 5000));
    DockBar(bar);
}

// What once left the program deaf to every click: boxes, minimise requests, Alt+Tab and a
// refused character's box closed with Escape, again and again at random moments. After each
// round the frame comes back and a click on the menu bar opens its menu.
TEST_F(WindowManagerRoad, AClickReachesTheProgramAfterEveryRoundOfBoxesAndSwitches) {
    std::mt19937 random(55);
    std::uniform_int_distribution<int> moment(0, 400);
    OtherProgram();
    ShowPage(kRowDocumentation);
    for (int round = 0; round < 12; ++round) {
        OpenAbout();
        Sleep(moment(random));
        hands().Key("Return");
        Sleep(moment(random));
        Run("xdotool windowminimize " + Id(frame_));
        Sleep(moment(random));
        Run("wmctrl -i -a " + Id(frame_));
        Sleep(moment(random));
        hands().Key("Tab", {"Alt_L"});
        Sleep(moment(random));
        Run("wmctrl -i -a " + Id(frame_));
        ASSERT_TRUE(Active(frame_)) << "round " << round;
        ReplaceText(kPrefix, "/");
        Sleep(moment(random));
        hands().Key("Escape");
        ASSERT_TRUE(Active(frame_)) << "round " << round;
        ASSERT_TRUE(OpenMenu(kHelpMenu))
            << "a click no longer reaches the program, round " << round;
        hands().Key("Escape");
        Sleep(200);
    }
    ReplaceText(kPrefix, "x");
}

// The Color dialog opened from the diagram property sheet's colour picker is modal for the
// sheet: the window manager keeps it above the sheet, and the sheet takes no click meanwhile.
TEST_F(WindowManagerRoad, AColourChosenFromThePropertySheetIsModalForIt) {
    ShowPage(kRowDiagram);
    const Place inDiagram{600, 640};
    hands().Click(X(inDiagram.dx), Y(inDiagram.dy), 3);
    Sleep(500);
    hands().Key("Up");
    hands().Key("Return");
    ASSERT_TRUE(OtherActive()) << "no property sheet";
    const unsigned long sheet = hands().ActiveWindow();
    const Box box = hands().WindowBox(sheet);
    // The background colour's button, then "More Colors..." at the foot of its picker.
    op().SeeChange(box, [&] { hands().Click(box.left + 167, box.top + 71); });
    hands().Click(box.left + 210, box.top + 201);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const unsigned long active = hands().ActiveWindow();
            return active != 0 && active != sheet && active != frame_;
        },
        5000))
        << "no Color dialog";
    const unsigned long colour = hands().ActiveWindow();
    const std::string properties = program().RunOnDisplay("xprop -id " + Id(colour));
    for (const std::string& expected :
         {"WM_TRANSIENT_FOR(WINDOW): window id # " + Id(sheet), std::string("_NET_WM_STATE_MODAL")})
        EXPECT_NE(properties.find(expected), std::string::npos) << expected << "\n" << properties;
    // A click on the sheet's Axis tab changes nothing there; the dialog stays active.
    const Box tabs{box.left, box.top, box.left + 200, box.top + 30};
    EXPECT_TRUE(op().SeeChange(
                        tabs, [&] { hands().Click(box.left + 74, box.top + 13); }, 1500)
                    .Empty())
        << "the sheet took a click while the Color dialog was open";
    EXPECT_TRUE(Active(colour));
    hands().Key("Escape");
    EXPECT_TRUE(Active(sheet));
    hands().Click(box.left + 297, box.top + 300);  // the sheet's Cancel button
    EXPECT_TRUE(Active(frame_));
}

// The same at 192 dpi, where the program shows twice its size.
class ScaledWindowManagerRoad : public ProgramRoad {
  protected:
    static void SetUpTestSuite() { StartRoad(At192Dpi(), 2); }
};

TEST_F(ScaledWindowManagerRoad, ABarFloatsWhereDropped) {
    const int dropX = 3300;
    const int dropY = 1500;
    DragBarTo(hands(), Place{X(2 * kBarCaption.dx), Y(2 * kBarCaption.dy)}, Place{X(600), Y(600)},
              dropX, dropY);
    const unsigned long bar = FloatingBar(program());
    ASSERT_NE(bar, 0u) << "the bar did not float";
    const Box floating = hands().WindowBox(bar);
    EXPECT_TRUE(floating.Contains(dropX, dropY)) << floating.left << "," << floating.top;
    const Box rows{floating.left + 20, floating.top + 40, floating.right - 20,
                   floating.bottom - 20};
    EXPECT_FALSE(
        op().SeeChange(rows, [&] { hands().Click(floating.left + 2 * 35, floating.top + 2 * 40); })
            .Empty())
        << "the floating bar ignores clicks";
    // The menu bar keeps its clicks.
    EXPECT_FALSE(op().SeeChange(Box{X(2 * kHelpMenu - 20), Y(2 * kMenuBarY + 20),
                                    X(2 * kHelpMenu + 300), Y(2 * kMenuBarY + 120)},
                                [&] { hands().Click(X(2 * kHelpMenu), Y(2 * kMenuBarY)); })
                     .Empty())
        << "the menu bar lost its clicks";
    hands().Key("Escape");
    Sleep(300);
    hands().Drag(floating.left + 80, floating.top + 12, MainCaption().left + 60, Y(600));
    EXPECT_TRUE(Docked(program())) << "the bar did not dock again";
}

}  // namespace
}  // namespace x11test
