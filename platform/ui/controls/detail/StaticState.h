// The state of a static control, as its painting reads it.
#pragma once

#include <memory>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;  // the bitmap (SS_BITMAP) or icon (SS_ICON)
    UINT imageType = 0;      // IMAGE_BITMAP or IMAGE_ICON
    bool ownsImage = false;  // loaded by the static from its resource name
};

// Null for windows that are not statics.
std::shared_ptr<const StaticState> StaticStateOf(HWND hwnd);
// Where the image is drawn in the client area: at the top left, or centred with
// SS_CENTERIMAGE. Empty when the size of the image is unknown.
RECT StaticImageRect(HWND hwnd);
void PaintStatic(HWND hwnd, const StaticState& s, HDC dc);

}  // namespace kq::ui::detail
