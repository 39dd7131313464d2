// The program as a desktop program under a real window manager (openbox): on two monitors it
// starts on the primary one and fits it, the desktop reads its window's properties, a German
// keyboard types every character into an edit, its clipboard and primary selection are the
// desktop's both ways, a bar floats and docks again by its caption, and when the X server ends
// while it measures the program closes as SIGTERM closes it. Then, on a 3840x2160 screen at 192
// dpi, it shows at twice its size.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "ProgramRoad.h"

namespace x11test {
namespace {

// The smaller monitor is the primary one, left of a larger one.
const Box kLeft{0, 0, 1366, 768};
const Box kRight{1366, 0, 3286, 1080};

constexpr int kRowDocumentation = 10;
// The documentation page's headline edit.
constexpr Place kHeadline{400, 291};

// What the German layout types: umlauts, AltGr characters and dead keys.
const char* const kGerman = "äöüß@€êé\\|~";

// The caption height at 96 dpi, for the scaled run to compare with.
int unscaledCaptionHeight = 0;

class DesktopRoad : public ProgramRoad {
  protected:
    static void SetUpTestSuite() {
        Desktop desktop;
        desktop.screens = {"-screen", "0", "3286x1080x24"};
        desktop.monitors = {kLeft, kRight};
        desktop.layout = "de";
        desktop.windowManager = true;
        StartRoad(desktop);
    }
    static std::string Selection(const char* which) {
        return program().RunOnDisplay(std::string("xclip -o -selection ") + which);
    }
    static void Offer(const char* which, const std::string& text) {
        program().RunOnDisplay(std::string("xclip -i -selection ") + which + " >/dev/null 2>&1",
                               text);
    }
    // Selects the headline's text, which makes it the primary selection.
    static void SelectHeadline() {
        ClickAt(kHeadline);
        hands().Key("Home");
        hands().Key("End", {"Shift_L"});
        Sleep(300);
    }
};

TEST_F(DesktopRoad, TheWindowTellsTheDesktopWhatItIs) {
    const unsigned long window = hands().ActiveWindow();
    ASSERT_NE(window, 0u) << "no active window";
    const std::string properties = program().RunOnDisplay("xprop -id " + std::to_string(window));
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    for (const std::string& expected :
         {std::string("WM_CLASS(STRING) = \"kq7b\", \"KQ7-B\""),
          std::string("_NET_WM_NAME(UTF8_STRING) = \"KQ7-B "),
          "_NET_WM_PID(CARDINAL) = " + std::to_string(program().Pid()),
          "WM_CLIENT_MACHINE(STRING) = \"" + std::string(host) + "\"",
          // The frame's minimum size without the caption and frame the window manager draws.
          std::string("program specified minimum size: 792 by 678"),
          std::string("_NET_WM_ICON(CARDINAL) =")}) {
        EXPECT_NE(properties.find(expected), std::string::npos) << expected << "\n" << properties;
    }
}

TEST_F(DesktopRoad, TheFrameStartsOnThePrimaryMonitorAndFitsIt) {
    unscaledCaptionHeight = MainCaption().Height();
    EXPECT_TRUE(kLeft.Contains(MainCaption().left, MainCaption().top)) << MainCaption().left;
    EXPECT_LE(MainCaption().right, kLeft.right);
    // Below and beside the primary monitor the desktop shows nothing of the program (the window
    // manager's title bar runs along the top).
    EXPECT_TRUE(Plain(hands().Grab(Box{kRight.left + 4, 40, kRight.right - 4, kRight.bottom - 4})));
    EXPECT_TRUE(Plain(hands().Grab(Box{4, kLeft.bottom + 4, kLeft.right, kRight.bottom - 4})));
}

TEST_F(DesktopRoad, AGermanKeyboardTypesEveryCharacterAndTheDesktopReadsItsCopy) {
    ShowPage(kRowDocumentation);
    ClickAt(kHeadline);
    for (const char* key : {"adiaeresis", "odiaeresis", "udiaeresis", "ssharp"})
        hands().Key(key);
    for (const char* key : {"q", "e"})
        hands().Key(key, {"ISO_Level3_Shift"});
    for (const char* dead : {"dead_circumflex", "dead_acute"}) {
        hands().Key(dead);
        hands().Key("e");
    }
    for (const char* key : {"ssharp", "less", "plus"})
        hands().Key(key, {"ISO_Level3_Shift"});
    SelectHeadline();
    EXPECT_EQ(Selection("primary"), kGerman);
    hands().Key("c", {"Control_L"});
    EXPECT_EQ(Selection("clipboard"), kGerman);
    EXPECT_TRUE(program().IsRunning()) << "AltGr+E must type the euro sign, not end the program";
}

TEST_F(DesktopRoad, TextOtherProgramsCopiedPastes) {
    Offer("clipboard", "Prüfstand 7");
    SelectHeadline();
    hands().Key("v", {"Control_L"});
    // A middle click pastes the primary selection where it clicks: after the text.
    Offer("primary", " links");
    hands().Click(X(kHeadline.dx + 150), Y(kHeadline.dy), 2);
    // A text the program's 8-bit texts cannot hold is refused, not pasted as '?'.
    Offer("clipboard", "\u0394");
    hands().Key("End");
    hands().Key("v", {"Control_L"});
    SelectHeadline();
    EXPECT_EQ(Selection("primary"), "Prüfstand 7 links");
}

// Each window of the program is one of the window manager's: the About box is a modal dialog of
// the frame, the frame maximises into the work area with its status line in sight, minimises and
// comes back, and a menu may reach past the frame's edge.
TEST_F(DesktopRoad, TheWindowManagerManagesEachWindow) {
    const unsigned long frame = hands().ActiveWindow();
    const Box normal = hands().WindowBox(frame);
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", frame);
    ASSERT_TRUE(OpenMenu(240));
    ClickAt(Place{264, 51});
    // Between the frame and the box, for a moment no window is active.
    unsigned long about = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            about = hands().ActiveWindow();
            return about != frame && about != 0;
        },
        5000));
    const std::string listed = program().RunOnDisplay("wmctrl -l");
    const std::string properties = program().RunOnDisplay("xprop -id " + std::to_string(about));
    hands().Key("Return");
    EXPECT_NE(listed.find("KQ7-B Brevan"), std::string::npos) << listed;
    EXPECT_NE(listed.find("About KQ7-B"), std::string::npos) << listed;
    for (const std::string& expected :
         {"WM_TRANSIENT_FOR(WINDOW): window id # " + std::string(id),
          std::string("_NET_WM_STATE_MODAL"), std::string("_NET_WM_WINDOW_TYPE_DIALOG")})
        EXPECT_NE(properties.find(expected), std::string::npos) << expected << "\n" << properties;
    ASSERT_TRUE(WaitUntil([&] { return hands().ActiveWindow() == frame; }, 5000));

    program().RunOnDisplay(std::string("wmctrl -i -r ") + id +
                           " -b add,maximized_vert,maximized_horz");
    // Below the window manager's title bar down to its bottom edge (a few pixels).
    EXPECT_TRUE(WaitUntil(
        [&] {
            const Box b = hands().WindowBox(frame);
            return b.left <= kLeft.left + 2 && b.right >= kLeft.right - 2 &&
                   b.bottom >= kLeft.bottom - 8 && b.bottom <= kLeft.bottom;
        },
        5000));
    const Box maximized = hands().WindowBox(frame);
    // Painted a moment after the window manager has sized the frame.
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !Plain(hands().Grab(Box{maximized.left + 2, maximized.bottom - 18,
                                           maximized.left + 200, maximized.bottom - 4}));
        },
        5000))
        << "the status line is not in sight";
    program().RunOnDisplay(std::string("wmctrl -i -r ") + id +
                           " -b remove,maximized_vert,maximized_horz");
    EXPECT_TRUE(WaitUntil([&] { return hands().WindowBox(frame) == normal; }, 5000));

    program().RunOnDisplay(std::string("xdotool windowminimize ") + id);
    EXPECT_TRUE(WaitUntil([&] { return hands().WindowBox(frame).Empty(); }, 5000));
    program().RunOnDisplay(std::string("wmctrl -i -a ") + id);
    EXPECT_TRUE(WaitUntil([&] { return hands().WindowBox(frame) == normal; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return hands().ActiveWindow() == frame; }, 5000));

    // The diagram's context menu, opened at the frame's right edge.
    ShowPage(kRowDiagram);
    const Box beyond{normal.right, Y(450), std::min(normal.right + 400, kRight.right), Y(760)};
    const Box menu = op().SeeChange(beyond, [&] { hands().Click(normal.right - 40, Y(500), 3); });
    hands().Key("Escape");
    EXPECT_FALSE(menu.Empty()) << "the menu stops at the frame's edge";
    Sleep(300);
}

// A bar dragged by its caption past the frame floats as a window of its own, its outline
// following the mouse over the desktop beside the frame; dragged back by the caption it draws
// itself onto the frame's left edge, it docks there again.
TEST_F(DesktopRoad, ABarFloatsAndDocksAgainByItsCaption) {
    const Box normal = hands().WindowBox(hands().ActiveWindow());
    const Box beside{kRight.left + 100, 100, kRight.left + 900, 900};
    hands().Move(X(65), Y(48));
    hands().Button(1, true);
    hands().Move(X(300), Y(300));
    const Box outline = op().SeeChange(
        beside, [&] { hands().Move(kRight.left + 400, 400); }, 2000);
    hands().Button(1, false);
    EXPECT_FALSE(outline.Empty()) << "the outline stops at the frame's edge";
    Box floating;
    ASSERT_TRUE(WaitUntil(
        [&] {
            floating = ListedBox(program().RunOnDisplay("wmctrl -lG"), "Navigation Bar");
            return !floating.Empty();
        },
        5000))
        << "the bar did not float";
    hands().Drag(floating.left + 40, floating.top + 6, normal.left + 30, Y(300));
    EXPECT_TRUE(WaitUntil(
        [&] { return ListedBox(program().RunOnDisplay("wmctrl -lG"), "Navigation Bar").Empty(); },
        5000))
        << "the bar did not dock again";
    Sleep(300);
}

// Last: the display goes while a measurement runs.
TEST_F(DesktopRoad, WhenTheXServerEndsWhileMeasuringTheProgramCloses) {
    ShowPage(kRowDiagram);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kStart); }, 30000)) << "the sensor is not connected";
    ClickAt(kStart);
    Sleep(2000);
    const std::string settings = program().Folder() + "/home/.config/kq7b/registry.reg";
    std::error_code ec;
    const auto before = std::filesystem::last_write_time(settings, ec);
    Sleep(20);  // a later file time
    program().EndDisplay();
    const int code = program().WaitForExit(20000);
    EXPECT_NE(code, -1) << "the program lives on without its display";
    EXPECT_GT(code, 0) << "it must say by its exit code that its display went";
    EXPECT_GT(std::filesystem::last_write_time(settings, ec), before)
        << "the settings were not written";
}

// The same program at 192 dpi: twice the size, as on a 96-dpi screen of half the resolution.
class ScaledRoad : public ProgramRoad {
  protected:
    static void SetUpTestSuite() { StartRoad(At192Dpi(), 2); }
};

TEST_F(ScaledRoad, At192DpiTheProgramShowsTwiceItsSize) {
    ASSERT_GT(unscaledCaptionHeight, 0) << "the desktop road did not measure its caption";
    EXPECT_EQ(MainCaption().Height(), 2 * unscaledCaptionHeight);
    // Clicks land where the operator sees things: the measuring page's tree item shows the
    // page, whose Start button shows enabled once the start-up is over and the sensor connected
    // (until then page switches wait, and a close would be refused).
    EXPECT_TRUE(WaitUntil(
        [] {
            hands().Click(X(2 * kTreeTextX), Y(2 * TreeRowY(kRowDiagram)));
            Sleep(300);
            return Enabled(Place{2 * kStart.dx, 2 * kStart.dy});
        },
        30000));
}

}  // namespace
}  // namespace x11test
