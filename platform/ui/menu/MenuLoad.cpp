// Menus built from menu templates: the compiled structure of the resources (LoadMenu) and the
// standard binary form (LoadMenuIndirect).
#include "platform/base/BinaryMenuTemplate.h"
#include "platform/base/LastError.h"
#include "platform/base/Resource.h"
#include "platform/ui/menu/MenuStore.h"

namespace {

// Deep nesting in a template is refused rather than recursed through without end.
constexpr int kMaxDepth = 32;

bool AppendItems(HMENU menu, std::span<const kq::MenuItemTemplate> items, int depth) {
    for (const kq::MenuItemTemplate& t : items) {
        const std::string text(t.text);
        if (t.flags & kq::MenuItemTemplate::Popup) {
            if (depth > kMaxDepth)
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

// Appends the items of one level, up to the one marked MF_END; `at` moves past them. False
// for nesting that is too deep or an item the menu refuses.
bool AppendBinaryItems(HMENU menu, const BYTE*& at, int depth) {
    kq::BinaryMenuItem item;
    do {
        at = kq::ReadBinaryMenuItem(at, item);
        const UINT flags = item.option & ~MF_END;
        bool appended = false;
        if (item.IsPopup()) {
            if (depth > kMaxDepth)
                return false;
            HMENU sub = CreatePopupMenu();
            appended = AppendBinaryItems(sub, at, depth + 1) &&
                       AppendMenu(menu, flags, reinterpret_cast<UINT_PTR>(sub), item.text.c_str());
            if (!appended)
                DestroyMenu(sub);
        } else if (item.IsSeparator()) {
            appended = AppendMenu(menu, flags | MF_SEPARATOR, 0, "");
        } else {
            appended = AppendMenu(menu, flags, item.id, item.text.c_str());
        }
        if (!appended)
            return false;
    } while (!item.IsLast());
    return true;
}

}  // namespace

HMENU LoadMenuIndirect(const void* menuTemplate) {
    const BYTE* at = kq::FirstBinaryMenuItem(menuTemplate);
    if (!at) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HMENU menu = CreateMenu();
    if (!AppendBinaryItems(menu, at, 0)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return menu;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name) {
    const kq::MenuTemplate* menuTemplate = kq::FindMenuTemplate(kq::ResourceName(name));
    if (!menuTemplate)
        return nullptr;
    HMENU menu = CreateMenu();
    if (!AppendItems(menu, menuTemplate->items, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}
