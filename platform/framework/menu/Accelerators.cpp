#include "platform/framework/menu/Accelerators.h"

#include "platform/base/Resource.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuApi.h"

namespace kq::fw {

namespace {

using Entry = kq::AcceleratorEntry;

bool Down(int vk) {
    return (::GetKeyState(vk) & 0x8000) != 0;
}

bool Matches(const Entry& entry, const MSG& msg) {
    const bool virtualKey = (entry.flags & Entry::VirtKey) != 0;
    if (virtualKey) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
            return false;
        if (entry.key != msg.wParam)
            return false;
        return Down(VK_SHIFT) == ((entry.flags & Entry::Shift) != 0) &&
               Down(VK_CONTROL) == ((entry.flags & Entry::Control) != 0) &&
               Down(VK_MENU) == ((entry.flags & Entry::Alt) != 0);
    }
    // A character entry matches the character the key produced.
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    if (entry.key != msg.wParam)
        return false;
    return ((entry.flags & Entry::Alt) != 0) == (msg.message == WM_SYSCHAR);
}

// A command whose menu item is disabled does nothing.
bool DisabledInMenu(HWND hWnd, UINT command) {
    HMENU menu = ::GetMenu(hWnd);
    if (menu == nullptr)
        return false;
    const UINT state = ::GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

}  // namespace

HACCEL LoadAcceleratorTable(LPCSTR name) {
    const kq::AcceleratorTable* table = kq::FindAcceleratorTable(kq::ResourceName(name));
    return reinterpret_cast<HACCEL>(const_cast<kq::AcceleratorTable*>(table));
}

BOOL TranslateAcceleratorKey(HWND hWnd, HACCEL table, const MSG* msg) {
    if (table == nullptr || msg == nullptr || hWnd == nullptr)
        return FALSE;
    const auto* accelerators = reinterpret_cast<const kq::AcceleratorTable*>(table);
    for (const Entry& entry : accelerators->entries) {
        if (!Matches(entry, *msg))
            continue;
        if (!DisabledInMenu(hWnd, entry.cmd))
            ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace kq::fw
