#include "platform/ui/detail/KeyState.h"

#include "platform/ui/Messages.h"
#include "platform/ui/VirtualKeys.h"

namespace kq::ui::detail {
namespace {

bool Down(const BYTE* table, int vk) {
    return (table[vk] & 0x80) != 0;
}

}  // namespace

UINT GenericVk(UINT vk) {
    switch (vk) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return vk;
    }
}

void ApplyKey(BYTE* table, UINT vk, bool down, bool toggle) {
    if (vk > 0xFF)
        return;
    auto set = [&](UINT k) {
        const bool wasDown = Down(table, static_cast<int>(k));
        BYTE v = table[k];
        v = down ? (v | 0x80) : (v & ~0x80);
        if (down && !wasDown && toggle)
            v ^= 0x01;
        table[k] = v;
    };
    struct Pair {
        UINT generic, left, right;
    };
    static const Pair pairs[] = {{VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
                                 {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
                                 {VK_MENU, VK_LMENU, VK_RMENU}};
    for (const Pair& p : pairs) {
        if (vk == p.generic) {
            // A generic key press is taken as the left one.
            set(p.left);
            if (!down)
                set(p.right);
            set(p.generic);
            return;
        }
        if (vk == p.left || vk == p.right) {
            set(vk);
            const bool any =
                Down(table, static_cast<int>(p.left)) || Down(table, static_cast<int>(p.right));
            if (any != Down(table, static_cast<int>(p.generic))) {
                BYTE v = table[p.generic];
                table[p.generic] = any ? (v | 0x80) : (v & ~0x80);
            }
            return;
        }
    }
    set(vk);
}

WPARAM MouseKeyFlags(const BYTE* table) {
    WPARAM flags = 0;
    if (Down(table, VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (Down(table, VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (Down(table, VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (Down(table, VK_SHIFT))
        flags |= MK_SHIFT;
    if (Down(table, VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

std::string TextForKey(UINT vk, const BYTE* table) {
    const bool shift = Down(table, VK_SHIFT);
    const bool ctrl = Down(table, VK_CONTROL);
    const bool caps = (table[VK_CAPITAL] & 0x01) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return std::string(1, static_cast<char>(vk - 'A' + 1));
        const bool upper = shift != caps;
        return std::string(1, static_cast<char>(upper ? vk : vk - 'A' + 'a'));
    }
    if (ctrl)
        return "";
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return std::string(1, shift ? shifted[vk - '0'] : static_cast<char>(vk));
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return std::string(1, static_cast<char>('0' + (vk - VK_NUMPAD0)));
    switch (vk) {
        case VK_SPACE:
            return " ";
        case VK_RETURN:
            return "\r";
        case VK_BACK:
            return "\b";
        case VK_TAB:
            return "\t";
        case VK_ESCAPE:
            return "\x1b";
        case VK_MULTIPLY:
            return "*";
        case VK_ADD:
            return "+";
        case VK_SUBTRACT:
            return "-";
        case VK_DECIMAL:
            return ".";
        case VK_DIVIDE:
            return "/";
        case VK_OEM_PLUS:
            return shift ? "+" : "=";
        case VK_OEM_COMMA:
            return shift ? "<" : ",";
        case VK_OEM_MINUS:
            return shift ? "_" : "-";
        case VK_OEM_PERIOD:
            return shift ? ">" : ".";
        case VK_OEM_1:
            return shift ? ":" : ";";
        case VK_OEM_2:
            return shift ? "?" : "/";
        case VK_OEM_3:
            return shift ? "~" : "`";
        case VK_OEM_4:
            return shift ? "{" : "[";
        case VK_OEM_5:
            return shift ? "|" : "\\";
        case VK_OEM_6:
            return shift ? "}" : "]";
        case VK_OEM_7:
            return shift ? "\"" : "'";
        default:
            return "";
    }
}

}  // namespace kq::ui::detail
