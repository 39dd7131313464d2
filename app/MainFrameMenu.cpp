// The main menu in the current language: every item is rewritten by position with its command id
// and text (pop-ups keep their sub-menus), the diagnostic item goes at the first set-up and the
// Spanish one always. The owner-drawn menu gets the icons of the frame's image list. Also the
// captions of the view bars and the texts of the channel views' buttons.
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "foundation/Language.h"

namespace {

struct MenuText {
    UINT position;
    UINT command;  // 0 for a pop-up
    int textId;
};

// Renames an item by position: a pop-up keeps its sub-menu.
bool RenameItem(CMenu* menu, const MenuText& item, const CString& text) {
    if (menu == nullptr)
        return false;
    if (item.command == 0) {
        CMenu* sub = menu->GetSubMenu(static_cast<int>(item.position));
        if (sub == nullptr)
            return false;
        return menu->ModifyMenu(item.position, MF_BYPOSITION | MF_POPUP | MF_STRING,
                                reinterpret_cast<UINT_PTR>(sub->GetSafeHmenu()), text) != FALSE;
    }
    return menu->ModifyMenu(item.position, MF_BYPOSITION | MF_STRING, item.command, text) != FALSE;
}

bool RenameAll(CMenu* menu, std::initializer_list<MenuText> items) {
    bool all = true;
    for (const MenuText& item : items)
        all &= RenameItem(menu, item, GetLanguageString(item.textId));
    return all;
}

// Removes a command when the menu still has it.
bool RemoveCommand(CMenu* menu, UINT command) {
    if (menu == nullptr)
        return false;
    if (menu->GetMenuState(command, MF_BYCOMMAND) == static_cast<UINT>(-1))
        return true;
    return menu->DeleteMenu(command, MF_BYCOMMAND) != FALSE;
}

constexpr MenuIcon kMenuIcons[] = {{10001, 16}, {10002, 17}, {10003, 18}, {10004, 19}, {10005, 22},
                                   {10006, 23}, {10007, 24}, {10008, 25}, {10009, 26}, {10010, 27},
                                   {10011, 28}, {10018, 31}, {10019, 3},  {10020, 4},  {10021, 7},
                                   {10023, 34}, {10024, 35}};

}  // namespace

BOOL CMainFrame::UpdateMenuTexts(BOOL firstSetUp) {
    CMenu* bar = GetMenu();
    if (bar == nullptr)
        return FALSE;
    CMenu* file = bar->GetSubMenu(0);
    CMenu* mode = bar->GetSubMenu(1);
    CMenu* view = bar->GetSubMenu(2);
    CMenu* language = bar->GetSubMenu(3);
    CMenu* help = bar->GetSubMenu(4);
    CMenu* configuration = mode != nullptr ? mode->GetSubMenu(0) : nullptr;
    CMenu* digital = view != nullptr ? view->GetSubMenu(0) : nullptr;

    bool all = true;
    if (firstSetUp)
        all &= RemoveCommand(mode, 10011);
    all &= RemoveCommand(language, 10022);
    all &= RenameAll(bar, {{0, 0, 5045}, {1, 0, 5050}, {2, 0, 5059}, {3, 0, 5068}, {4, 0, 5073}});
    all &=
        RenameAll(file, {{0, 10001, 5046}, {1, 10002, 5047}, {2, 10003, 5048}, {4, 10004, 5049}});
    all &= RenameAll(mode, {{0, 0, 5051}, {1, 10010, 5057}});
    all &= RenameAll(
        configuration,
        {{0, 10005, 5052}, {1, 10006, 5053}, {2, 10007, 5054}, {3, 10008, 5055}, {4, 10009, 5926}});
    all &= RenameAll(view, {{0, 0, 5060},
                            {1, 10025, 5286},
                            {2, 10016, 5065},
                            {3, 10017, 5066},
                            {4, 10045, 5416},
                            {6, 10018, 5067}});
    for (UINT i = 0; i < 4; ++i) {
        CString text;
        text.Format("%s %u", GetLanguageString(5111).GetString(), i + 1);
        all &= RenameItem(digital, {i, 10031 + i, 5111}, text);
    }
    all &= RenameAll(digital, {{4, 10040, 5431}});
    all &= RenameAll(language, {{0, 10019, 5069}, {1, 10020, 5070}, {2, 10021, 5071}});
    all &= RenameAll(help, {{0, 10023, 5074}, {1, 10024, 5075}});
    DrawMenuBar();
    return all ? TRUE : FALSE;
}

HMENU CMainFrame::CreateOwnerDrawMenu() {
    if (!m_menu.LoadMenu(120))
        return nullptr;
    SetMenuItemIcons(m_menu, m_imageList, kMenuIcons);
    return m_menu.Detach();
}

BOOL CMainFrame::UpdateViewBarCaptions() {
    for (int i = 0; i < 4; ++i) {
        CString caption;
        if (m_iActivatedCount > 1)
            caption.Format("%s %d", GetLanguageString(5111).GetString(), i + 1);
        else
            caption = GetLanguageString(5331 + i);
        if (m_wndViewBar[i].m_hWnd != nullptr)
            m_wndViewBar[i].SetWindowText(caption);
    }
    if (m_wndViewBar[CHANNEL_LIGHT].m_hWnd != nullptr)
        m_wndViewBar[CHANNEL_LIGHT].SetWindowText(GetLanguageString(5437));
    if (m_wndDiagramBar.m_hWnd != nullptr)
        m_wndDiagramBar.SetWindowText(GetLanguageString(5140));
    if (m_wndNaviBar.m_hWnd != nullptr)
        m_wndNaviBar.SetWindowText(GetLanguageString(5076));
    return TRUE;
}

BOOL CMainFrame::UpdateChannelFormButtonTexts() {
    BOOL all = TRUE;
    for (int i = 0; i < COM_CHANNELS; ++i) {
        CAFormChannelX* view = GetChannelView(i);
        if (view == nullptr) {
            all = FALSE;
            continue;
        }
        view->SetButtonTexts(GetLanguageString(view->GetTareLock() == 0 ? 5088 : 5087),
                             GetLanguageString(5089), GetLanguageString(5090));
    }
    return all;
}
