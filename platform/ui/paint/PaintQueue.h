// The WM_PAINT source of a thread's queue, consulted when no posted message or input waits.
#pragma once

#include "platform/ui/detail/Retrieve.h"

namespace kq::ui::detail {

// Picks the thread's next window that owes painting (parents before children, the bottom of a
// z-order before the top), sends it WM_NCPAINT if its frame is owed and returns WM_PAINT if its
// client area is. WM_PAINT stays due until the window is validated; an internal paint is handed
// out once. With nothing to paint, the screen presenter gets its turn.
bool TakePaintMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out);

}  // namespace kq::ui::detail
