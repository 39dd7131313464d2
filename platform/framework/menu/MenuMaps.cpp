// The calling thread's maps from menu handles to CMenu objects.
#include <map>
#include <memory>

#include "platform/framework/menu/Menu.h"

namespace {

struct MenuMaps {
    std::map<HMENU, CMenu*> permanent;
    std::map<HMENU, std::unique_ptr<CMenu>> temporary;
};

MenuMaps& Maps() {
    thread_local MenuMaps maps;
    return maps;
}

}  // namespace

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    auto& p = Maps().permanent;
    auto it = p.find(hMenu);
    return it == p.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* menu = FromHandlePermanent(hMenu))
        return menu;
    auto& t = Maps().temporary;
    auto it = t.find(hMenu);
    if (it != t.end() && IsMenu(hMenu))
        return it->second.get();
    auto temp = std::make_unique<CMenu>();
    temp->m_hMenu = hMenu;  // not attached: a temporary never destroys the menu
    CMenu* raw = temp.get();
    if (it != t.end()) {
        it->second->m_hMenu = nullptr;
        it->second = std::move(temp);
    } else {
        t.emplace(hMenu, std::move(temp));
    }
    return raw;
}

void CMenu::DeleteTempMap() {
    auto& t = Maps().temporary;
    for (auto& [handle, menu] : t)
        menu->m_hMenu = nullptr;
    t.clear();
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr || !IsMenu(hMenu))
        return FALSE;
    // A menu has one permanent object; the newest would otherwise never be found.
    if (FromHandlePermanent(hMenu))
        return FALSE;
    m_hMenu = hMenu;
    Maps().permanent.emplace(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    if (h) {
        auto& p = Maps().permanent;
        if (auto it = p.find(h); it != p.end() && it->second == this)
            p.erase(it);
    }
    m_hMenu = nullptr;
    return h;
}
