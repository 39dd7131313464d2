// The modal loops of a thread (dialog boxes, message boxes, the framework's modal windows): how
// many run, and a way to end them all. The code that opened a modal window runs on once its loop
// returns, and expects the windows it knew to be there: a window that goes for good (the
// program's end) waits with AfterModalLoops until the outermost loop has returned.
#pragma once

#include <functional>

namespace kq::ui {

// Counts a modal loop of the calling thread while it lives; the last one to end runs what
// AfterModalLoops left waiting.
class ModalLoopScope {
  public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

// The modal loops running on the calling thread.
int ModalLoopDepth();
// True from AfterModalLoops(..., true) until the outermost loop has returned: every modal loop
// ends at its next look, as cancelled, and one that starts meanwhile ends at once.
bool ModalLoopsEnding();
// Runs `then` on this thread once none of its modal loops runs (at once when none does); with
// `endThem` they all end now, as cancelled.
void AfterModalLoops(std::function<void()> then, bool endThem);

}  // namespace kq::ui
