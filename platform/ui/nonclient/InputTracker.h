// Mouse tracking for the frame (moving, sizing, holding a caption button) without a nested
// message loop: while a tracker is active, every mouse and keyboard message the thread takes
// goes to it instead of being returned to the caller, so whatever loop runs (the program's,
// a dialog's or a test's pump) keeps running and the window procedures see no input until the
// tracking is over. A tracker holds the capture; it ends when its input handler says so, when
// the capture goes elsewhere or when its window is destroyed.
#pragma once

#include <functional>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

class ThreadQueue;

struct InputTracker {
    HWND hwnd = nullptr;
    // Returns false when the tracking is over.
    std::function<bool(const MSG& msg)> onInput;
    // Runs once when the tracking ends, for whatever reason (after the capture is released).
    std::function<void()> onEnd;
};

// Takes the capture for tracker.hwnd and starts feeding it; a tracker already active on the
// thread ends first.
void StartInputTracker(InputTracker tracker);
// Called by message retrieval: gives the tracker the input waiting in the queue.
void FeedInputTracker(ThreadQueue& q);

}  // namespace kq::ui::detail
