#include "platform/ui/ModalLoops.h"

#include <utility>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"

namespace kq::ui {
namespace {

struct ModalLoops {
    int depth = 0;
    bool ending = false;
    std::vector<std::function<void()>> waiting;
};

thread_local ModalLoops t_loops;

}  // namespace

ModalLoopScope::ModalLoopScope() {
    ++t_loops.depth;
}

ModalLoopScope::~ModalLoopScope() {
    if (--t_loops.depth > 0)
        return;
    t_loops.ending = false;
    // What runs now may open modal windows of its own, and leave more waiting.
    std::vector<std::function<void()>> due = std::exchange(t_loops.waiting, {});
    for (auto& then : due) {
        if (then)
            then();
    }
}

int ModalLoopDepth() {
    return t_loops.depth;
}

bool ModalLoopsEnding() {
    return t_loops.ending;
}

void AfterModalLoops(std::function<void()> then, bool endThem) {
    if (t_loops.depth == 0) {
        if (then)
            then();
        return;
    }
    t_loops.waiting.push_back(std::move(then));
    if (endThem && !t_loops.ending) {
        t_loops.ending = true;
        // A loop waiting for its next message looks again.
        ::PostThreadMessage(::GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

}  // namespace kq::ui
