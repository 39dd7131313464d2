// Text helpers of the common controls.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace kq::ui::commctrl {

// Copies as much of the text as fits in size - 1 bytes without cutting a UTF-8 character,
// and terminates it. Returns the bytes copied.
int CopyText(std::string_view text, char* buffer, int size);

// Width and height of a single line in the font.
SIZE MeasureText(HFONT font, std::string_view text);
// The height of a line in the font.
int LineHeight(HFONT font);

}  // namespace kq::ui::commctrl
