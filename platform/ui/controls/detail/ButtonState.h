// The state of a button control, as its painting reads it.
#pragma once

#include <memory>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct ButtonState {
    UINT check = 0;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool pushed = false;
    bool focused = false;
    bool mouseTracking = false;  // the mouse button went down on it; the capture is held
    bool spaceDown = false;
    bool ownerDrawDefault = false;  // an owner-drawn button made the dialog's default
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT imageType = 0;
};

// Where a check box or radio button puts its box and its text (client coordinates); a push
// button's text takes the whole client area and it has no box.
struct ButtonGeometry {
    RECT box{};
    RECT text{};
};
ButtonGeometry ButtonLayout(HWND hwnd);
void PaintButton(HWND hwnd, const ButtonState& b, HDC dc);

}  // namespace kq::ui::detail
