// Building the menu: loading from the MENU resource into owner-drawn pop-ups with a record per
// item, aligning each pop-up's shortcut column, keeping the menu bar plain, and taking it all
// down again. The registered-menu list holds every pop-up any BCMenu created.
#include "controls/menu/BCMenu.h"

#include <algorithm>

#include "controls/menu/BCMenuClassState.h"
#include "controls/menu/MenuSupport.h"
#include "controls/menu/MenuTemplateReader.h"
#include "platform/base/Resource.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(BCMenu, CMenu)

using kq::controls::menu::TheClassState;

namespace {

constexpr UINT kSeparatorByPosition = MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION;  // 0xD00
constexpr UINT kSeparatorFlags = MF_SEPARATOR | MF_OWNERDRAW;                       // 0x900
constexpr UINT kBarPopup = MF_BYPOSITION | MF_POPUP;                                // 0x410
// A label never needs more spaces than this to reach the widest one.
constexpr int kMaxPadding = 256;

void Unregister(HMENU menu) {
    auto& list = TheClassState().registered;
    for (auto it = list.end(); it != list.begin();) {
        --it;
        if (*it == menu)
            it = list.erase(it);
    }
}

}  // namespace

BCMenu::BCMenu() = default;

BCMenu::~BCMenu() {
    BCMenu::DestroyMenu();
}

BOOL BCMenu::DestroyMenu() {
    Unregister(m_hMenu);
    for (HMENU sub : m_SubMenus)
        Unregister(sub);
    const std::vector<HMENU> subs = std::move(m_SubMenus);
    m_SubMenus.clear();
    for (HMENU sub : subs)
        delete DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(sub));
    m_MenuList.clear();
    m_bLoaded = 0;
    return CMenu::DestroyMenu();
}

BOOL BCMenu::IsRegisteredMenu(CMenu* pMenu) {
    if (!pMenu || !pMenu->m_hMenu)
        return FALSE;
    const auto& list = TheClassState().registered;
    return std::find(list.begin(), list.end(), pMenu->m_hMenu) != list.end();
}

BCMenuData* BCMenu::GetRecord(int nPos) const {
    if (nPos < 0 || nPos >= static_cast<int>(m_MenuList.size()))
        return nullptr;
    return m_MenuList[static_cast<size_t>(nPos)].get();
}

BOOL BCMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCE(static_cast<int>(nIDResource)));
}

BOOL BCMenu::LoadMenu(LPCTSTR lpszResourceName) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(module, lpszResourceName, RT_MENU);
    if (!resource) {
        module = nullptr;
        resource = ::FindResourceA(nullptr, lpszResourceName, RT_MENU);
    }
    if (!resource)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* data = static_cast<const BYTE*>(::LockResource(loaded));
    const size_t size = ::SizeofResource(module, resource);
    return data ? LoadMenuTemplate(data, size) : FALSE;
}

BOOL BCMenu::LoadMenuTemplate(const BYTE* data, size_t size) {
    DestroyMenu();
    if (!CreateMenu())
        return FALSE;
    if (!ParseTemplate(data, size)) {
        DestroyMenu();
        return FALSE;
    }
    // The menu bar shows plain strings; only its pop-ups are owner-drawn.
    for (int pos = 0; pos < static_cast<int>(m_MenuList.size()); ++pos) {
        BCMenuData* record = m_MenuList[static_cast<size_t>(pos)].get();
        const bool popup = (record->nFlags & MF_POPUP) != 0;
        const UINT flags = popup ? kBarPopup : MF_BYPOSITION;
        ModifyMenu(static_cast<UINT>(pos), flags, record->nID, record->GetString());
        record->nFlags = flags;
    }
    m_bLoaded = 1;
    return TRUE;
}

BOOL BCMenu::ParseTemplate(const BYTE* data, size_t size) {
    using kq::controls::menu::MenuTemplateReader;
    using kq::controls::menu::TemplateItem;
    struct Level {
        BCMenu* menu;
        bool finished;
    };
    std::vector<Level> stack{{this, false}};
    MenuTemplateReader reader(data, size);
    if (!reader.SkipHeader())
        return FALSE;
    TemplateItem item;
    while (!stack.empty()) {
        if (!reader.Next(item))
            return FALSE;
        const bool end = (item.option & MF_END) != 0;
        const UINT flags = item.option & ~MF_END;
        if (!(flags & MF_POPUP)) {
            stack.back().menu->AppendOwnerDrawItem(item.text.c_str(), flags, item.id, -1);
            if (end)
                stack.back().finished = true;
            // Closing the innermost level may close the ones around it; each aligns its column.
            while (!stack.empty() && stack.back().finished) {
                stack.back().menu->AlignShortcutColumn();
                stack.pop_back();
            }
            continue;
        }
        if (end)
            stack.back().finished = true;
        auto* sub = new BCMenu;
        if (!sub->CreatePopupMenu()) {
            delete sub;
            return FALSE;
        }
        stack.back().menu->AppendOwnerDrawItem(item.text.c_str(), flags,
                                               reinterpret_cast<UINT_PTR>(sub->m_hMenu), -1);
        stack.push_back({sub, false});
    }
    return TRUE;
}

BOOL BCMenu::AppendOwnerDrawItem(const char16_t* lpszText, UINT nFlags, UINT_PTR nID, int nImage) {
    if (nID == 0)
        nFlags = (nFlags & MF_BYPOSITION) ? kSeparatorByPosition : kSeparatorFlags;
    else
        nFlags |= MF_OWNERDRAW;
    if (nFlags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(nID);
        TheClassState().registered.push_back(sub);
        m_SubMenus.push_back(sub);
    }
    auto record = std::make_unique<BCMenuData>();
    record->SetWideString(lpszText);
    record->nFlags = nFlags;
    record->nID = nID;
    record->nImageIndex = nImage >= 0 ? nImage : FindImageIndex(static_cast<UINT>(nID));
    BCMenuData* data = record.get();
    m_MenuList.push_back(std::move(record));
    const BOOL appended = ::AppendMenuA(m_hMenu, nFlags, nID, reinterpret_cast<LPCSTR>(data));
    if (m_bLoaded)
        RestoreBarItems();
    return appended;
}

void BCMenu::AlignShortcutColumn() {
    using kq::controls::menu::NarrowTextWidth;
    CFont font;
    kq::controls::menu::CreateMenuFont(font);
    kq::controls::menu::MainWindowDC dc;
    CFont* old = font.GetSafeHandle() ? dc.SelectObject(&font) : nullptr;
    int widest = 0;
    for (const auto& record : m_MenuList) {
        const std::u16string& text = record->GetWideString();
        widest = std::max(widest, NarrowTextWidth(dc, text.substr(0, text.find(u'\t')) + u" "));
    }
    for (auto& record : m_MenuList) {
        const std::u16string text = record->GetWideString();
        const size_t tab = text.find(u'\t');
        if (tab == std::u16string::npos)
            continue;
        std::u16string label = text.substr(0, tab);
        int width = NarrowTextWidth(dc, label);
        // A space that adds no width would never reach the column: stop there.
        for (int n = 0; width < widest && n < kMaxPadding; ++n) {
            label += u' ';
            const int wider = NarrowTextWidth(dc, label);
            if (wider <= width)
                break;
            width = wider;
        }
        record->SetWideString(label + text.substr(tab));
    }
    if (old)
        dc.SelectObject(old);
}

int BCMenu::GetRecordOffset() {
    if (!m_bLoaded)
        return 0;
    const int count = static_cast<int>(GetMenuItemCount());
    for (int pos = 0; pos < count; ++pos) {
        CString text;
        GetMenuString(static_cast<UINT>(pos), text, MF_BYPOSITION);
        for (size_t i = 0; i < m_MenuList.size(); ++i)
            if (m_MenuList[i]->GetString() == text)
                return pos - static_cast<int>(i);
    }
    return 0;
}

void BCMenu::RestoreBarItems() {
    const int offset = GetRecordOffset();
    const int count = static_cast<int>(GetMenuItemCount());
    for (int pos = std::max(offset, 0); pos < count; ++pos) {
        BCMenuData* record = GetRecord(pos - offset);
        if (!record || !(GetMenuState(static_cast<UINT>(pos), MF_BYPOSITION) & MF_POPUP))
            continue;
        ModifyMenu(static_cast<UINT>(pos), kBarPopup, record->nID, record->GetString());
        record->nFlags = kBarPopup;
    }
}
