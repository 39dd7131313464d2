// What an operator sees and does on the program's screen, found on the screen itself: the main
// window by its caption, menus and dialogs by what they change, and the check that whatever a
// menu or dialog covered comes back unchanged once it has gone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Hands.h"
#include "Pictures.h"
#include "RealProgram.h"

namespace x11test {

constexpr uint32_t kHighlight = 0x000080;

// Polls until the condition holds; false when `ms` pass first.
bool WaitUntil(const std::function<bool()>& condition, int ms);

class Operator {
  public:
    explicit Operator(RealProgram& program) : program_(program) {}
    Hands& hands() { return program_.hands(); }
    RealProgram& program() { return program_; }

    // The caption of the widest window whose caption shows active: the title band across the
    // window's top. Under a window manager, which draws the captions, the band the program's
    // caption takes above the active window's area (the places counted from it are the same).
    // Empty when there is none.
    Box ActiveCaption();
    // The main window's caption once it shows active; empty when it does not within `ms`. At
    // a scale the program shows larger, the start-up window's caption too.
    Box WaitForActiveMainWindow(int ms, int scale = 1);
    // The close button at the right end of the caption (the window manager's, where it runs).
    void ClickCloseButton(const Box& caption);

    // The screen once two pictures 150 ms apart agree outside the live tiles (or after `ms`).
    Picture Still(int ms = 4000);
    // Tiles that change on their own (clock, live values, diagram), watched for `ms`.
    void LearnLiveTiles(int ms = 900);
    bool IsLive(const Box& tile) const;
    // A part of the screen that may change while a menu or dialog is open, by design (the
    // status line's prompts): left out of every comparison.
    void Ignore(const Box& box) { ignored_.push_back(box); }
    void StopIgnoring() { ignored_.pop_back(); }

    // What `open` shows (a menu, a dialog) appears, then `close` removes it: the tiles it
    // covered must show what they showed before. Returns the box it covered (empty when nothing
    // appeared, which fails the test). Pictures of a failure go to the work folder.
    Box ExpectCoveredComesBack(const std::string& what, const std::function<void()>& open,
                               const std::function<void()>& close);
    // After `act`, waits until the screen shows something new outside the live tiles; the box
    // of what changed, empty when nothing did within `ms`.
    Box WaitForChange(const std::function<void()>& act, int ms = 4000);

    // After `act`, waits until the watched box looks different, then until it holds still:
    // the exact bounds of what changed, empty when nothing did within `ms`. Quick enough to
    // follow every single click.
    Box SeeChange(const Box& watch, const std::function<void()>& act, int ms = 5000);

    // Saves a picture of the screen into the work folder under the name.
    void Snapshot(const std::string& name);

  private:
    std::vector<Box> ChangedOutsideLive(const Picture& a, const Picture& b) const;

    RealProgram& program_;
    int scale_ = 1;
    unsigned long mainWindow_ = 0;  // the X window of the main window, under a window manager
    std::vector<Box> live_;
    std::vector<Box> ignored_;
};

}  // namespace x11test
