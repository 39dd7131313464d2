#include "platform/ui/paint/DragOutline.h"

namespace kq::ui {
namespace {

DragOutlineShower& Shower() {
    static DragOutlineShower shower;
    return shower;
}

}  // namespace

void SetDragOutlineShower(DragOutlineShower shower) {
    Shower() = std::move(shower);
}

bool ShowDragOutline(const RECT& rect, SIZE thickness, bool halftone) {
    if (!Shower())
        return false;
    Shower()(rect, thickness, halftone);
    return true;
}

}  // namespace kq::ui
