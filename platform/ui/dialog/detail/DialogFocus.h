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
// A window inside a dialog is being disabled while it (or a window below it) has the focus: the
// focus moves on to the dialog's next tab stop, or to the dialog itself when there is none, so
// that the keyboard keeps working. Climbs out of child dialogs that share their parent's tab
// order. Nothing happens outside dialogs.
void MoveFocusPastDisabled(HWND disabled);

}  // namespace kq::ui::detail
