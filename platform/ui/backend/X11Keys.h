// What an X key event means to the window system: its virtual key and the UTF-8 text it types.
// Kept free of Xlib types so that it can be tested without a display.
#pragma once

#include <string>

#include "platform/ui/UiTypes.h"

namespace kq::ui::detail {

struct X11Key {
    UINT vk = 0;  // 0: no virtual key (the text may still be typed)
    bool extended = false;
    UINT scanCode = 0;
    // AltGr: the window system's convention types its characters with Ctrl+Alt held, so that
    // they reach edits as characters, not as Alt shortcuts.
    bool altGr = false;
};

// baseKeysym: the key's symbol without modifiers (group 0, level 0), which names the key as the
// layout prints it; lookedUp: the symbol XLookupString found with the modifiers and NumLock
// (which decides between the keypad's digits and its cursor keys); keycode: the X keycode,
// which places punctuation keys of national layouts on the US key they stand on.
X11Key VirtualKeyFromX11(unsigned long baseKeysym, unsigned long lookedUp, unsigned keycode);
// The text of a key press from what the input method returned (UTF-8), or from the keysym
// itself where it returned none. Delete types nothing.
std::string TextFromX11(unsigned long lookedUp, const char* utf8, int length);

}  // namespace kq::ui::detail
