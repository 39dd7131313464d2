#include "platform/ui/backend/X11Keys.h"

#include <X11/keysym.h>

#include "platform/base/Utf8.h"
#include "platform/ui/VirtualKeys.h"

namespace kq::ui::detail {
namespace {

struct Entry {
    unsigned long keysym;
    int vk;
    bool extended;
};

// Keys whose meaning does not depend on the layout.
constexpr Entry kFixed[] = {
    {XK_BackSpace, VK_BACK, false},
    {XK_Tab, VK_TAB, false},
    {XK_ISO_Left_Tab, VK_TAB, false},
    {XK_Return, VK_RETURN, false},
    {XK_Escape, VK_ESCAPE, false},
    {XK_space, VK_SPACE, false},
    {XK_Pause, VK_PAUSE, false},
    {XK_Print, VK_SNAPSHOT, true},
    {XK_Scroll_Lock, VK_SCROLL, false},
    {XK_Caps_Lock, VK_CAPITAL, false},
    {XK_Num_Lock, VK_NUMLOCK, true},
    {XK_Shift_L, VK_LSHIFT, false},
    {XK_Shift_R, VK_RSHIFT, false},
    {XK_Control_L, VK_LCONTROL, false},
    {XK_Control_R, VK_RCONTROL, true},
    {XK_Alt_L, VK_LMENU, false},
    {XK_Meta_L, VK_LMENU, false},
    {XK_Alt_R, VK_RMENU, true},
    {XK_ISO_Level3_Shift, VK_RMENU, true},
    {XK_Mode_switch, VK_RMENU, true},
    {XK_Super_L, VK_LWIN, true},
    {XK_Super_R, VK_RWIN, true},
    {XK_Menu, VK_APPS, true},
    {XK_Insert, VK_INSERT, true},
    {XK_Delete, VK_DELETE, true},
    {XK_Home, VK_HOME, true},
    {XK_End, VK_END, true},
    {XK_Prior, VK_PRIOR, true},
    {XK_Next, VK_NEXT, true},
    {XK_Left, VK_LEFT, true},
    {XK_Up, VK_UP, true},
    {XK_Right, VK_RIGHT, true},
    {XK_Down, VK_DOWN, true},
};

// The keypad, by the symbol NumLock chose: digits, or cursor keys (not extended there).
constexpr Entry kKeypad[] = {
    {XK_KP_Insert, VK_INSERT, false},     {XK_KP_Delete, VK_DELETE, false},
    {XK_KP_Home, VK_HOME, false},         {XK_KP_End, VK_END, false},
    {XK_KP_Prior, VK_PRIOR, false},       {XK_KP_Next, VK_NEXT, false},
    {XK_KP_Left, VK_LEFT, false},         {XK_KP_Up, VK_UP, false},
    {XK_KP_Right, VK_RIGHT, false},       {XK_KP_Down, VK_DOWN, false},
    {XK_KP_Begin, VK_CLEAR, false},       {XK_KP_Enter, VK_RETURN, true},
    {XK_KP_Add, VK_ADD, false},           {XK_KP_Subtract, VK_SUBTRACT, false},
    {XK_KP_Multiply, VK_MULTIPLY, false}, {XK_KP_Divide, VK_DIVIDE, true},
    {XK_KP_Decimal, VK_DECIMAL, false},   {XK_KP_Separator, VK_DECIMAL, false},
};

// Punctuation keys named by the symbol they print unshifted (US layout).
constexpr Entry kPunctuation[] = {
    {XK_semicolon, VK_OEM_1, false},    {XK_equal, VK_OEM_PLUS, false},
    {XK_plus, VK_OEM_PLUS, false},      {XK_comma, VK_OEM_COMMA, false},
    {XK_minus, VK_OEM_MINUS, false},    {XK_period, VK_OEM_PERIOD, false},
    {XK_slash, VK_OEM_2, false},        {XK_grave, VK_OEM_3, false},
    {XK_bracketleft, VK_OEM_4, false},  {XK_backslash, VK_OEM_5, false},
    {XK_bracketright, VK_OEM_6, false}, {XK_apostrophe, VK_OEM_7, false},
    {XK_less, VK_OEM_102, false},
};

// Other symbols on punctuation keys (national letters, dead keys) go by the key's place:
// X keycodes of the evdev driver, the PC scan code plus 8.
struct Place {
    unsigned keycode;
    int vk;
};
constexpr Place kPlaces[] = {
    {20, VK_OEM_MINUS}, {21, VK_OEM_PLUS},   {34, VK_OEM_4}, {35, VK_OEM_6},
    {47, VK_OEM_1},     {48, VK_OEM_7},      {49, VK_OEM_3}, {51, VK_OEM_5},
    {59, VK_OEM_COMMA}, {60, VK_OEM_PERIOD}, {61, VK_OEM_2}, {94, VK_OEM_102},
};

template <size_t N>
const Entry* Find(const Entry (&table)[N], unsigned long keysym) {
    for (const Entry& e : table) {
        if (e.keysym == keysym)
            return &e;
    }
    return nullptr;
}

}  // namespace

X11Key VirtualKeyFromX11(unsigned long base, unsigned long lookedUp, unsigned keycode) {
    X11Key key;
    key.scanCode = keycode >= 8 ? (keycode - 8) & 0xFF : 0;
    if (lookedUp >= XK_KP_0 && lookedUp <= XK_KP_9) {
        key.vk = static_cast<UINT>(VK_NUMPAD0 + (lookedUp - XK_KP_0));
        return key;
    }
    const Entry* e = Find(kKeypad, lookedUp);
    if (!e)
        e = Find(kFixed, base);
    if (!e)
        e = Find(kPunctuation, base);
    if (e) {
        key.vk = static_cast<UINT>(e->vk);
        key.extended = e->extended;
        key.altGr = base == XK_ISO_Level3_Shift || base == XK_Mode_switch;
        return key;
    }
    if (base >= XK_a && base <= XK_z)
        key.vk = static_cast<UINT>('A' + (base - XK_a));
    else if (base >= XK_A && base <= XK_Z)
        key.vk = static_cast<UINT>('A' + (base - XK_A));
    else if (base >= XK_0 && base <= XK_9)
        key.vk = static_cast<UINT>('0' + (base - XK_0));
    else if (base >= XK_F1 && base <= XK_F24)
        key.vk = static_cast<UINT>(VK_F1 + (base - XK_F1));
    if (key.vk)
        return key;
    for (const Place& p : kPlaces) {
        if (p.keycode == keycode)
            key.vk = static_cast<UINT>(p.vk);
    }
    return key;
}

std::string TextFromX11(unsigned long lookedUp, const char* utf8, int length) {
    std::string text;
    if (lookedUp == XK_Delete || lookedUp == XK_KP_Delete)
        return text;
    for (int i = 0; utf8 && i < length; ++i) {
        if (utf8[i] != 0x7F)
            text += utf8[i];
    }
    if (text.empty() && lookedUp >= 0x01000100 && lookedUp <= 0x0110FFFF)
        AppendUtf8(text, static_cast<uint32_t>(lookedUp - 0x01000000));
    else if (text.empty() && lookedUp == XK_EuroSign)
        AppendUtf8(text, 0x20AC);
    return text;
}

}  // namespace kq::ui::detail
