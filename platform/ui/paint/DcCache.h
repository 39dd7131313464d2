// The window DC cache's state that painting code outside it needs.
#pragma once

#include "platform/ui/detail/Window.h"

namespace kq::ui::detail {

// The window or one of its ancestors is locked by LockWindowUpdate. TreeMutex() held.
bool IsUpdateLockedLocked(const Window& w);

}  // namespace kq::ui::detail
