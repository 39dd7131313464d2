// The arrow keys typed into an up-down control's buddy go to the up-down control: the buddy's
// window procedure is replaced by one that passes them on and everything else to the original.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::commctrl {

void HookBuddy(HWND buddy, HWND updown);
// Restores the buddy's own procedure if this up-down control still holds it.
void UnhookBuddy(HWND buddy, HWND updown);

}  // namespace kq::ui::commctrl
