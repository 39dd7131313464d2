// The caret as the screen shows it. The caret is not painted into the screen surface (a window
// repainting under it would leave a stale half of an inverted pair); it is laid over the
// surface's pixels wherever the screen is shown or captured, inverting them while it is in the
// shown half of its blink. It blinks every GetCaretBlinkTime() milliseconds on the program's
// clock (kq::CurrentClock()), starting in the shown half whenever it is shown, moved or made.
#pragma once

#include <cstdint>

#include "platform/gfx/Surface.h"
#include "platform/ui/UiTypes.h"

namespace kq::ui {

// Whether the caret is visible and in the shown half of its blink now.
bool CaretShownNow();
// The caret's rectangle on the screen while it is visible (blinking or not), else empty.
RECT CaretScreenRect();
// Milliseconds until the caret next appears or disappears; -1 when it does not blink.
int64_t MillisUntilCaretBlink();

}  // namespace kq::ui

namespace kq::ui::detail {

// Inverts the caret's pixels within `area` (screen coordinates) of an image of that area whose
// top-left pixel is area's corner, if the caret shows now. Pixels are 0x??RRGGBB.
void OverlayCaret(uint32_t* pixels, int stride, const RECT& area);

}  // namespace kq::ui::detail
