// A test suite that is one run of the real program: started before the suite's first test, its
// tests the steps of the road in the order of the file, and closed through the main window's
// close button after the last, which must end it with exit code 0 and no sanitizer report.
// A new step is a TEST_F of such a suite; a new road is a suite of its own (a new file).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Operator.h"
#include "RealProgram.h"

namespace x11test {

// Where things are, counted from the main window's caption (its top left pixel): the window
// opens in the same place with the same layout on every first start.
struct Place {
    int dx;
    int dy;
};

// Navigation tree rows (17 pixels apart, the first at 62 below the caption's top).
constexpr int TreeRowY(int row) {
    return 62 + 17 * row;
}
constexpr int kRowConnected = 7;
constexpr int kRowDiagram = 12;
constexpr int kRowDiagnostic = 13;
constexpr int kTreeTextX = 100;
// The measure-and-diagram page's Start, Trigger and Stop buttons.
constexpr Place kStart{264, 63};
constexpr Place kTrigger{376, 63};
constexpr Place kStop{489, 63};
// The menu bar's items stand on this line; the operating-mode menu's item.
constexpr int kMenuBarY = 27;
constexpr int kMenuMode = 76;

void Sleep(int ms);
// Every pixel of the picture has one colour: nothing of the program is there.
bool Plain(const Picture& picture);
// Where the window manager's list (wmctrl -lG) has the window whose title holds `title`: its
// box; empty when none.
Box ListedBox(const std::string& listed, const std::string& title);

class ProgramRoad : public ::testing::Test {
  protected:
    // The road's desktop: a bare X server, or with KQ7B_X11_ROAD_WM=openbox set the same under
    // a window manager, where the program's windows are managed X windows.
    static void SetUpTestSuite() { StartRoad(RoadDesktop()); }
    static Desktop RoadDesktop();
    // A 3840x2160 screen at 192 dpi under the window manager, where the program shows twice its
    // size.
    static Desktop At192Dpi();
    // Starts the program on the desktop, where it shows at the scale (a suite on another
    // desktop calls this from its own SetUpTestSuite).
    static void StartRoad(const Desktop& desktop, int scale = 1);
    static void TearDownTestSuite();
    // After the program has ended: starts it again on the same desktop and settings, and waits
    // for its main window. False, with the reason in `why`, when it does not come up.
    static bool StartAgain(std::string* why);
    // Skips without Xvfb; fails when the program did not come up or has ended.
    void SetUp() override;
    void TearDown() override;

    static Operator& op() { return *operator_; }
    static Hands& hands() { return program_->hands(); }
    static RealProgram& program() { return *program_; }
    // The main window's caption as it showed when the program came up.
    static const Box& MainCaption() { return caption_; }
    static int X(int dx) { return MainCaption().left + dx; }
    static int Y(int dy) { return MainCaption().top + dy; }
    static void ClickAt(Place p) { hands().Click(X(p.dx), Y(p.dy)); }
    // A button shows enabled by its black text.
    static bool Enabled(Place button);
    static void ClickTree(int row, int x = kTreeTextX) { hands().Click(X(x), Y(TreeRowY(row))); }
    // The page beside the tree.
    static Box Page() { return Box{X(204), Y(40), X(1190), Y(560)}; }
    // Shows the page of the tree row (nothing changes when it shows already).
    static void ShowPage(int row);
    // Below the menu bar's item at `dx`: where its menu drops.
    static Box MenuBelow(int dx) {
        return Box{X(dx - 10), Y(kMenuBarY + 10), X(dx + 150), Y(kMenuBarY + 60)};
    }
    // Clicks the menu bar's item at `dx` and waits until its menu shows; false when it does not.
    static bool OpenMenu(int dx);
    // Waits until the main window is the active one again (a dialog or menu has gone).
    static bool WaitForMainWindowActive(int ms = 5000);

  private:
    static inline std::unique_ptr<RealProgram> program_;
    static inline std::unique_ptr<Operator> operator_;
    static inline std::string why_;
    static inline bool noXvfb_ = false;
    static inline Box caption_;
};

}  // namespace x11test
