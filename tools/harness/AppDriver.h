// The real application in this process, as the program starts it, with a folder of its own for
// settings, data and documents, the headless screen, and a virtual clock that follows real time
// while the simulator talks to it. The driver works it as an operator does: injected mouse and
// keyboard input and window messages; message boxes are read and answered through the
// framework's message-box function, as an operator reads and answers them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Paths.h"
#include "platform/ui/UiTypes.h"

class CKq7App;
class CMainFrame;

namespace e2e {

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type;
};

class AppDriver {
  public:
    // Every folder of the program below `root` (created if missing); the settings file in it.
    explicit AppDriver(const std::string& root);
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // The ports of the simulator, for the starts that follow (KQ7B_EXTRA_PORTS).
    void SetExtraPorts(const std::string& text);
    // Starts the program as its main does; false when it does not come up.
    bool Start();
    // The program runs: its main window exists.
    bool IsRunning() const;
    CMainFrame* Frame() const;
    HWND FrameWindow() const;

    // Lets the program work for `ms` milliseconds of its clock, which follows real time so that
    // the simulator's answers and streams keep their pace.
    void Run(int64_t ms);
    // How far the clock has fallen behind real time in the steps so far: a step the program
    // overruns (a loaded machine) moves the clock by the time asked only, so that the program's
    // answer timeouts are not cut short, while the simulator's sensors go on streaming in real
    // time.
    int64_t LagMs() const { return lagMs_; }
    // Runs until `done` holds or `maxMs` have passed; answers whether it held.
    bool RunUntil(const std::function<bool()>& done, int64_t maxMs);
    // Handles what is due now, without moving the clock.
    void Pump();

    // A menu or accelerator command to the main window.
    void Command(UINT id);
    // A click with the left button at a screen point / the centre of a window.
    void ClickAt(POINT screen);
    void Click(HWND window);
    void DoubleClickAt(POINT screen);
    // The left button pressed at `from`, the mouse moved to `to`, the button let go there.
    void DragFromTo(POINT from, POINT to);
    // A key going down and up, with Ctrl held when asked.
    void Key(UINT vk, bool ctrl = false);
    void Type(const char* utf8);

    // Answers for the program's next modal windows (dialogs and message boxes in their own
    // loops), in order: each modal window that shows is handed to the first answer waiting,
    // which runs inside that modal loop, acts with injected input and messages only (no pumping
    // of its own) and answers false when the window is not the one it is for (it then waits
    // for the next). A modal window left unanswered is cancelled after three seconds.
    void WhenModal(std::function<bool(HWND dialog)> answer);
    void ForgetAnswers();
    // A button's command posted to the dialog (IDYES to a question, IDOK to a notice); false
    // when the dialog has no such button.
    static bool Press(HWND dialog, int buttonId);
    // The edit's text set as typed, then the button clicked; false without them.
    static bool FillAndPress(HWND dialog, int editId, const std::string& text, int buttonId);

    // The close button: WM_CLOSE through the close protocol; runs until the program has ended
    // (true) or `maxMs` have passed.
    bool Close(int64_t maxMs = 20000);
    // Forgets the settings held in memory and reads the file again on next use, as the next
    // start of the program would.
    void ReloadSettings();

    // PNG of the main window (or of the whole screen when it does not show).
    bool Screenshot(const std::string& path, std::string* error = nullptr);

    const std::string& Root() const { return root_; }
    std::string SettingsFile() const;
    std::string DocumentsFolder() const;
    // Message boxes shown so far, oldest first; each was answered with `messageAnswer`, or when
    // it is 0, as an operator who agrees: Yes to a question, OK to a notice.
    std::vector<ShownMessage> messages;
    int messageAnswer = 0;

  private:
    void Step(int64_t ms);
    void Finish();

    std::string root_;
    std::unique_ptr<kq::ScopedFolderRoots> roots_;
    kq::VirtualClock clock_;
    std::unique_ptr<CKq7App> app_;
    bool ended_ = true;
    int64_t lagMs_ = 0;
};

// Windows by what an operator sees of them.
// The first visible descendant (any depth) of `parent` with the control id, else the first
// hidden one.
HWND FindControl(HWND parent, int id);
// The first visible top-level window whose title contains `text`, or whose class is `cls`.
HWND FindTopLevel(const char* text, const char* cls = nullptr);
std::string WindowText(HWND window);
// A list view's cell texts, row by row.
std::vector<std::vector<std::string>> ListRows(HWND list, int columns);
// A point inside a list view's cell, in screen coordinates.
POINT ListCell(HWND list, int row, int column);
// Centre of a window in screen coordinates.
POINT Centre(HWND window);

}  // namespace e2e
