// Returning the painting state to its start between independent sessions in one process.
#pragma once

namespace kq::ui::detail {

// No update regions or locks left, the DC cache's bookkeeping cleared, the screen back to the
// desktop colour without a presenter, default screenshot and caret state.
void ResetPainting();
void ResetWindowDcs();

}  // namespace kq::ui::detail
