#include "platform/base/Resource.h"
#include "platform/framework/menu/WinMenu.h"

namespace {

bool Fill(HMENU menu, std::span<const kq::MenuItemTemplate> items) {
    for (const kq::MenuItemTemplate& item : items) {
        const std::string text(item.text);
        // The template's flags are MF_ flags already.
        const UINT flags = item.flags & ~(MF_POPUP | MF_SEPARATOR);
        if (item.flags & kq::MenuItemTemplate::Popup) {
            HMENU popup = CreatePopupMenu();
            if (!Fill(popup, item.children) ||
                !AppendMenu(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                            text.c_str())) {
                DestroyMenu(popup);
                return false;
            }
        } else if (item.flags & kq::MenuItemTemplate::Separator) {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenu(menu, flags | MF_STRING, item.id, text.c_str());
        }
    }
    return true;
}

}  // namespace

HMENU LoadMenu(HINSTANCE, LPCSTR lpMenuName) {
    const kq::MenuTemplate* found = kq::FindMenuTemplate(kq::ResourceName(lpMenuName));
    if (found == nullptr)
        return nullptr;
    HMENU menu = CreateMenu();
    if (!Fill(menu, found->items)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}
