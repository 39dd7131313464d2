// Menus built from the menu templates of the resources.
#include "platform/base/Resource.h"
#include "platform/ui/menu/MenuStore.h"

namespace {

bool AppendItems(HMENU menu, std::span<const kq::MenuItemTemplate> items, int depth) {
    for (const kq::MenuItemTemplate& t : items) {
        const std::string text(t.text);
        if (t.flags & kq::MenuItemTemplate::Popup) {
            // Deep nesting in a template is refused rather than recursed through without end.
            if (depth > 32)
                return false;
            HMENU sub = CreatePopupMenu();
            if (!AppendItems(sub, t.children, depth + 1) ||
                !AppendMenu(menu, (t.flags & ~MF_SEPARATOR) | MF_POPUP,
                            reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
                DestroyMenu(sub);
                return false;
            }
        } else if (!AppendMenu(menu, t.flags, t.id, text.c_str())) {
            return false;
        }
    }
    return true;
}

}  // namespace

HMENU LoadMenuIndirect(const kq::MenuTemplate* menuTemplate) {
    if (!menuTemplate)
        return nullptr;
    HMENU menu = CreateMenu();
    if (!AppendItems(menu, menuTemplate->items, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name) {
    return LoadMenuIndirect(kq::FindMenuTemplate(kq::ResourceName(name)));
}
