// Painting that cannot wait for the message loop: RDW_UPDATENOW, RDW_ERASENOW and UpdateWindow.
// Called without TreeMutex(); these send messages.
#pragma once

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// Sends what the window and (as RedrawWindow's child flags say) its descendants owe, parents
// first: WM_NCPAINT, WM_ERASEBKGND with RDW_ERASENOW, WM_PAINT with RDW_UPDATENOW.
void UpdateNow(HWND hwnd, UINT flags);
// Sends WM_ERASEBKGND now with a DC clipped to the update region if an erase is owed; the
// erase stays owed when the window did not erase (returned 0).
void EraseNow(HWND hwnd);

}  // namespace kq::ui::detail
