// Where the parts of a message box go, in client pixels, measured with the text-metrics seam.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace kq::ui {

struct MessageBoxLayout {
    SIZE client{};
    RECT icon{};  // empty without an icon
    RECT text{};
    std::string wrappedText;  // the text with a '\n' wherever a line was wrapped
    std::vector<RECT> buttons;
};

// Lines longer than maxTextWidth wrap at blanks (a word longer than that is cut). The client is
// at least minimumWidth wide, the buttons centred in it.
MessageBoxLayout LayOutMessageBox(const std::string& text, const std::vector<std::string>& buttons,
                                  bool icon, int maxTextWidth, int minimumWidth = 0);

}  // namespace kq::ui
