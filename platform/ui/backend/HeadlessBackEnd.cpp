#include "platform/ui/backend/HeadlessBackEnd.h"

#include "platform/ui/paint/VirtualScreen.h"

namespace kq::ui {

HeadlessBackEnd::HeadlessBackEnd() {
    ScreenSurface();  // the screen exists from the start, painted with the desktop
}

}  // namespace kq::ui
