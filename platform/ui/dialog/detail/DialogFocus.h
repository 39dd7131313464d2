// What controls tell the dialog manager, and the groups it knows.
#pragma once

#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// A control got the keyboard focus: in a dialog the default push button follows (a focused
// push button shows as the default; otherwise the dialog's default id does).
void ControlFocused(HWND control);
// The siblings of a control's group, in order: from the WS_GROUP control at or before it up to
// the control before the next WS_GROUP, whatever their state.
std::vector<HWND> GroupOf(HWND control);

}  // namespace kq::ui::detail
