// What the window system remembers about a window's painting: the part of the client area that
// needs painting and the erase, frame and internal-paint requests still open. Lives in the
// window record, guarded by TreeMutex() like the rest of it.
#pragma once

#include "platform/gfx/Region.h"

namespace kq::ui::detail {

struct WindowPaint {
    kq::gfx::Region update;    // client coordinates, within the client area
    bool erase = false;        // WM_ERASEBKGND owed before the next paint
    bool frame = false;        // WM_NCPAINT owed
    bool internal = false;     // RDW_INTERNALPAINT: one WM_PAINT even without an update region
    bool redrawOff = false;    // WM_SETREDRAW FALSE: the window and its children are not drawn
    bool frameActive = false;  // the caption is drawn active (last WM_NCACTIVATE)
};

}  // namespace kq::ui::detail
