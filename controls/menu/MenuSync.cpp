// Keeping the records in step with the menu: re-synchronising after the framework's update
// handlers changed texts, checks and items; giving commands their images and texts; and the
// keyboard-shortcut search of WM_MENUCHAR.
#include "controls/menu/BCMenu.h"

#include <algorithm>

#include "platform/base/WideText.h"
#include "platform/ui/controls/Utf8Text.h"

namespace {

constexpr UINT kOwnerDrawnByPosition = MF_BYPOSITION | MF_OWNERDRAW;                // 0x500
constexpr UINT kPopupByPosition = MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP;          // 0x510
constexpr UINT kSeparatorByPosition = MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION;  // 0xD00

// Whether the label holds an ampersand followed by the character, anywhere in it.
bool HasMnemonic(const std::u16string& text, char16_t key) {
    // Case folded for ASCII and Latin-1 letters, the same in every locale.
    const char16_t folded = kq::ui::FoldCase(key);
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&' && kq::ui::FoldCase(text[i + 1]) == folded)
            return true;
    return false;
}

CString MenuText(HMENU menu, int pos) {
    char buffer[1024] = {};
    ::GetMenuString(menu, static_cast<UINT>(pos), buffer, sizeof(buffer), MF_BYPOSITION);
    return CString(buffer);
}

}  // namespace

BCMenu::ItemPlace BCMenu::FindCommandItem(UINT nID, const std::vector<ItemPlace>* visited) {
    const int count = static_cast<int>(GetMenuItemCount());
    for (int pos = 0; pos < count; ++pos) {
        if (HMENU sub = ::GetSubMenu(m_hMenu, pos)) {
            if (auto* menu = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(sub))) {
                ItemPlace found = menu->FindCommandItem(nID, visited);
                if (found.menu)
                    return found;
            }
            continue;
        }
        if (GetMenuItemID(pos) != nID)
            continue;
        const bool seen =
            visited && std::any_of(visited->begin(), visited->end(), [&](const ItemPlace& p) {
                return p.menu == this && p.pos == pos;
            });
        if (!seen)
            return ItemPlace{this, pos};
    }
    return ItemPlace{};
}

BOOL BCMenu::ModifyOwnerDrawItemA(LPCSTR lpszText, UINT nID, CImageList* pImageList, int nIndex) {
    if (!lpszText)
        return ModifyOwnerDrawItemW(nullptr, nID, pImageList, nIndex);
    const std::u16string wide = kq::Utf8ToWide(lpszText);
    return ModifyOwnerDrawItemW(wide.c_str(), nID, pImageList, nIndex);
}

BOOL BCMenu::ModifyOwnerDrawItemW(const char16_t* lpszText, UINT nID, CImageList* pImageList,
                                  int nIndex) {
    ItemPlace place = FindCommandItem(nID);
    int image = -1;
    if (pImageList)
        image = RegisterImage(pImageList, nIndex, nID);
    // A command that stands nowhere keeps its image for a later append, but gets no record.
    if (!place.menu)
        return FALSE;
    std::vector<ItemPlace> visited;
    BOOL result = FALSE;
    while (place.menu) {
        BCMenuData* record = place.menu->RecordAt(place.pos);
        if (record) {
            if (lpszText)
                record->SetWideString(lpszText);
            if (pImageList)
                record->nImageIndex = image;
            record->nFlags = (record->nFlags & ~MF_BYPOSITION) | MF_OWNERDRAW;
            record->nID = nID;
            result = ::ModifyMenuA(place.menu->m_hMenu, static_cast<UINT>(place.pos),
                                   record->nFlags | MF_BYPOSITION, nID,
                                   reinterpret_cast<LPCSTR>(record));
        }
        visited.push_back(place);
        place = FindCommandItem(nID, &visited);
    }
    return result;
}

BCMenuData* BCMenu::RecordAt(int nPos) {
    if (nPos < 0)
        return nullptr;
    if (nPos >= static_cast<int>(m_MenuList.size()) ||
        static_cast<int>(GetMenuItemCount()) != static_cast<int>(m_MenuList.size()))
        SyncWithMenu();
    return GetRecord(nPos);
}

BCMenuData* BCMenu::CreateItemAtPosition(int nPos, UINT nFlags, UINT_PTR nID, const CString& text) {
    auto record = std::make_unique<BCMenuData>();
    record->SetAnsiString(text);
    record->nFlags = nFlags;
    record->nID = nID;
    record->nImageIndex =
        (nFlags & (MF_POPUP | MF_SEPARATOR)) ? -1 : FindImageIndex(static_cast<UINT>(nID));
    BCMenuData* data = record.get();
    ::ModifyMenuA(m_hMenu, static_cast<UINT>(nPos), nFlags, nID, reinterpret_cast<LPCSTR>(data));
    m_MenuList.push_back(std::move(record));
    return data;
}

void BCMenu::SyncWithMenu() {
    for (auto& record : m_MenuList)
        record->nSyncFlag = 0;
    std::vector<std::unique_ptr<BCMenuData>> old = std::move(m_MenuList);
    m_MenuList.clear();
    // The first record of the command not yet taken, moved over to the new order.
    auto take = [&](UINT_PTR id) -> BCMenuData* {
        for (auto& record : old)
            if (record && !record->nSyncFlag && record->nID == id) {
                record->nSyncFlag = 1;
                m_MenuList.push_back(std::move(record));
                return m_MenuList.back().get();
            }
        return nullptr;
    };
    const int count = static_cast<int>(GetMenuItemCount());
    for (int pos = 0; pos < count; ++pos) {
        const UINT state = GetMenuState(static_cast<UINT>(pos), MF_BYPOSITION);
        const UINT at = static_cast<UINT>(pos);
        if (state & MF_POPUP) {
            const auto id = reinterpret_cast<UINT_PTR>(::GetSubMenu(m_hMenu, pos));
            const CString text = MenuText(m_hMenu, pos);
            BCMenuData* record = take(id);
            if (!record) {
                CreateItemAtPosition(pos, (state & 0xFF) | kPopupByPosition, id, text);
                continue;
            }
            if (!text.IsEmpty())
                record->SetAnsiString(text);
            ::ModifyMenuA(m_hMenu, at, (state & 0xFF) | kPopupByPosition, id,
                          reinterpret_cast<LPCSTR>(record));
        } else if (state & MF_SEPARATOR) {
            BCMenuData* record = take(0);
            if (!record) {
                CreateItemAtPosition(pos, state | kSeparatorByPosition, 0, CString());
                continue;
            }
            ::ModifyMenuA(m_hMenu, at, record->nFlags | MF_BYPOSITION, 0,
                          reinterpret_cast<LPCSTR>(record));
        } else {
            const UINT id = GetMenuItemID(pos);
            const CString text = MenuText(m_hMenu, pos);
            BCMenuData* record = take(id);
            if (!record) {
                CreateItemAtPosition(pos, state | kOwnerDrawnByPosition, id, text);
                continue;
            }
            record->nFlags = state | kOwnerDrawnByPosition;
            if (!text.IsEmpty())
                record->SetAnsiString(text);
            ::ModifyMenuA(m_hMenu, at, record->nFlags, id, reinterpret_cast<LPCSTR>(record));
        }
    }
    // Records of items that are gone die with `old`.
}

void BCMenu::UpdateMenu(CMenu* pMenu) {
    if (auto* menu = DYNAMIC_DOWNCAST(BCMenu, pMenu))
        menu->SyncWithMenu();
}

BOOL BCMenu::GetItemText(UINT nItem, CString& text, UINT nFlags) const {
    if (nFlags & MF_BYPOSITION) {
        const BCMenuData* record = GetRecord(static_cast<int>(nItem));
        if (!record)
            return FALSE;
        text = record->GetString();
        return TRUE;
    }
    const ItemPlace place = const_cast<BCMenu*>(this)->FindCommandItem(nItem);
    return place.menu ? place.menu->GetItemText(static_cast<UINT>(place.pos), text, MF_BYPOSITION)
                      : FALSE;
}

LRESULT BCMenu::FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu) {
    auto* menu = DYNAMIC_DOWNCAST(BCMenu, pMenu);
    if (!menu || !(nFlags & MF_POPUP))
        return 0;
    if (static_cast<int>(menu->GetMenuItemCount()) != menu->GetRecordCount())
        menu->SyncWithMenu();
    const auto key = static_cast<char16_t>(nChar);
    for (int pos = 0; pos < menu->GetRecordCount(); ++pos)
        if (HasMnemonic(menu->GetRecord(pos)->GetWideString(), key))
            return MAKELRESULT(pos, MNC_EXECUTE);
    return 0;
}
