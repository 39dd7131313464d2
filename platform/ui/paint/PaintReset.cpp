#include "platform/ui/paint/PaintReset.h"

#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui::detail {

void ResetPainting() {
    {
        std::lock_guard lock(TreeMutex());
        ForgetPaintCandidatesLocked();
    }
    ResetWindowDcs();
    ResetScreen();
}

}  // namespace kq::ui::detail
