// The main menu in the current language: every item is rewritten by position with its command id
// and text (pop-ups keep their sub-menus), the diagnostic item goes at the first set-up and the
// Spanish one always. The owner-drawn menu gets the icons of the frame's image list. Also the
// captions of the view bars and the texts of the channel views' buttons.
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "foundation/Language.h"
#include "res/TextIds.h"

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
    all &= RenameAll(bar, {{0, 0, IDS_MENU_FILE},
                           {1, 0, IDS_MENU_OPERATING_MODE},
                           {2, 0, IDS_MENU_VIEW},
                           {3, 0, IDS_MENU_LANGUAGE},
                           {4, 0, IDS_MENU_HELP}});
    all &= RenameAll(file, {{0, 10001, IDS_MENU_SAVE_VALUES},
                            {1, 10002, IDS_MENU_SAVE_DIAGRAM},
                            {2, 10003, IDS_MENU_PRINT},
                            {4, 10004, IDS_MENU_EXIT}});
    all &= RenameAll(mode, {{0, 0, IDS_MENU_ADJUST_MODE}, {1, 10010, IDS_MENU_MEASURE_DIAGRAM}});
    all &= RenameAll(configuration, {{0, 10005, IDS_MENU_CONNECTION},
                                     {1, 10006, IDS_MENU_INFORMATION},
                                     {2, 10007, IDS_MENU_MEASURE_ADJUST},
                                     {3, 10008, IDS_MENU_DOCUMENTATION},
                                     {4, 10009, IDS_MENU_CALIBRATION}});
    all &= RenameAll(view, {{0, 0, IDS_MENU_DIGITAL_VIEWS},
                            {1, 10025, IDS_MENU_DIAGRAM},
                            {2, 10016, IDS_MENU_NAVIGATION_BAR},
                            {3, 10017, IDS_MENU_STATUS_BAR},
                            {4, 10045, IDS_MENU_AROUND_TRIGGER},
                            {6, 10018, IDS_MENU_RESET_VIEWS}});
    all &= UpdateDigitalViewMenuTexts();
    all &= RenameAll(digital, {{4, 10040, IDS_OK_NOK_VALIDATION}});
    all &= RenameAll(
        language,
        {{0, 10019, IDS_MENU_GERMAN}, {1, 10020, IDS_MENU_ENGLISH}, {2, 10021, IDS_MENU_FRENCH}});
    all &= RenameAll(help, {{0, 10023, IDS_MENU_INFO}, {1, 10024, IDS_MENU_ADVICE}});
    DrawMenuBar();
    return all ? TRUE : FALSE;
}

bool CMainFrame::UpdateDigitalViewMenuTexts() {
    CMenu* bar = GetMenu();
    CMenu* view = bar != nullptr ? bar->GetSubMenu(2) : nullptr;
    CMenu* digital = view != nullptr ? view->GetSubMenu(0) : nullptr;
    // The items read as the tree and the bars do: a sensor's channels, or the sensors of a group.
    bool all = true;
    for (UINT i = 0; i < 4; ++i) {
        CString text;
        if (m_iActivatedCount >= 2)
            text.Format("%s %u", GetLanguageString(IDS_SENSOR).GetString(), i + 1);
        else
            text.Format("%s %c", GetLanguageString(IDS_CHANNEL).GetString(), 'A' + i);
        all &= RenameItem(digital, {i, 10031 + i, IDS_SENSOR}, text);
    }
    return all;
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
            caption.Format("%s %d", GetLanguageString(IDS_SENSOR).GetString(), i + 1);
        else
            caption = GetLanguageString(IDS_CHANNEL_A_DISPLAY + i);
        if (m_wndViewBar[i].m_hWnd != nullptr)
            m_wndViewBar[i].SetWindowText(caption);
    }
    if (m_wndViewBar[CHANNEL_LIGHT].m_hWnd != nullptr)
        m_wndViewBar[CHANNEL_LIGHT].SetWindowText(GetLanguageString(IDS_OK_NOK_DISPLAY));
    if (m_wndDiagramBar.m_hWnd != nullptr)
        m_wndDiagramBar.SetWindowText(GetLanguageString(IDS_DIAGRAM));
    if (m_wndNaviBar.m_hWnd != nullptr)
        m_wndNaviBar.SetWindowText(GetLanguageString(IDS_NAVIGATION_BAR));
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
        view->SetButtonTexts(
            GetLanguageString(view->GetTareLock() == 0 ? IDS_TARE_CLEAR : IDS_TARE),
            GetLanguageString(IDS_MIN_RESET), GetLanguageString(IDS_MAX_RESET));
    }
    return all;
}
