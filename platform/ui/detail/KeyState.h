// Key-state tables and the fallback keyboard layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

// VK_LSHIFT/VK_RSHIFT and the like become VK_SHIFT in messages.
UINT GenericVk(UINT vk);
// Records a key (or mouse button) going down or up in a 256-entry table, keeping the generic
// and the left/right entries consistent; a press toggles bit 0 when `toggle` is set.
void ApplyKey(BYTE* table, UINT vk, bool down, bool toggle);
// MK_ flags from a table.
WPARAM MouseKeyFlags(const BYTE* table);
// The text a US keyboard produces for the key in the given state ("" for none).
std::string TextForKey(UINT vk, const BYTE* table);

}  // namespace kq::ui::detail
