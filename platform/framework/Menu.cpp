#include "platform/framework/Menu.h"

#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/WndThreadState.h"

using kq::fw::detail::ThreadState;
using kq::fw::detail::ThreadStateIfAlive;

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() = default;

CMenu::~CMenu() {
    if (m_hMenu != nullptr)
        CMenu::DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* perm = FromHandlePermanent(hMenu))
        return perm;
    auto& temporaries = ThreadState().temporaryMenus;
    auto it = temporaries.find(hMenu);
    if (it != temporaries.end())
        return it->second.get();
    auto made = std::make_unique<CMenu>();
    made->m_hMenu = hMenu;
    CMenu* result = made.get();
    temporaries.emplace(hMenu, std::move(made));
    return result;
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    auto* state = ThreadStateIfAlive();
    if (hMenu == nullptr || state == nullptr)
        return nullptr;
    auto it = state->permanentMenus.find(hMenu);
    return it != state->permanentMenus.end() ? it->second : nullptr;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    auto& permanent = ThreadState().permanentMenus;
    if (permanent.count(hMenu) != 0)
        return FALSE;
    permanent.emplace(hMenu, this);
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr) {
        if (auto* state = ThreadStateIfAlive()) {
            auto it = state->permanentMenus.find(hMenu);
            if (it != state->permanentMenus.end() && it->second == this)
                state->permanentMenus.erase(it);
        }
    }
    m_hMenu = nullptr;
    return hMenu;
}

namespace {

// Attaches a new menu, or destroys it when the object cannot take it.
BOOL AttachNew(CMenu* menu, HMENU made) {
    if (made == nullptr)
        return FALSE;
    if (!menu->Attach(made)) {
        ::DestroyMenu(made);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL CMenu::CreateMenu() {
    return m_hMenu == nullptr && AttachNew(this, ::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return m_hMenu == nullptr && AttachNew(this, ::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    return m_hMenu == nullptr &&
           AttachNew(this, ::LoadMenu(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) {
    return m_hMenu == nullptr && AttachNew(this, ::LoadMenuIndirect(lpMenuTemplate));
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(nIDResource)));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP hBitmapUnchecked,
                               HBITMAP hBitmapChecked) {
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    info.hbmpUnchecked = hBitmapUnchecked;
    info.hbmpChecked = hBitmapChecked;
    return ::SetMenuItemInfo(m_hMenu, nPosition, (nFlags & MF_BYPOSITION) ? TRUE : FALSE, &info);
}

UINT CMenu::GetMenuItemCount() const {
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const int length = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
    char* buffer = rString.GetBuffer(length + 1);
    const int got = ::GetMenuString(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(got);
    return got;
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
    return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    if (lpRect != nullptr)
        params.rcExclude = *lpRect;
    return TrackPopupMenuEx(nFlags, x, y, pWnd, lpRect != nullptr ? &params : nullptr);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
    // The owner's WM_MEASUREITEM finds owner-drawn items of this menu through the state.
    auto& state = ThreadState();
    HMENU previous = state.trackingMenu;
    state.trackingMenu = m_hMenu;
    const BOOL result =
        ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd != nullptr ? pWnd->m_hWnd : nullptr, lptpm);
    if (auto* alive = ThreadStateIfAlive())
        alive->trackingMenu = previous;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CMenu* CMenu::FindPopupMenuFromID(HMENU hMenu, UINT nID) {
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return nullptr;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            // A pop-up item's id is its sub-menu's handle.
            if (static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)) == nID)
                return FromHandlePermanent(hMenu);
            if (CMenu* found = FindPopupMenuFromID(sub, nID))
                return found;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return FromHandlePermanent(hMenu);
        }
    }
    return nullptr;
}
