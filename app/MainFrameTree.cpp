// The navigation tree repeats the main menu: folders open and close, leaves run their menu
// command or show their page, and the view items show their view's state by their icon. A
// language switch rewrites captions, buttons, menu, tree and pages, and the date pane.
#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "foundation/Language.h"
#include "pages/common/PageDialog.h"
#include "pages/common/PageTable.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "res/TextIds.h"

namespace {

// The tree's content: folders (negative parent: top level) and items, in insertion order.
struct TreeRow {
    UINT textId;
    int parent;  // index of the parent row, -1 for the root
    int folder;  // folder state index 0-6, -1 for an item
    int view;    // view-state entry 0-7, -1 for no view item
    int icon;    // fixed icon of a plain item, -1 for folders and view items
};

constexpr TreeRow kTree[] = {{IDS_NAVI_FILE, -1, 0, -1, -1},
                             {IDS_NAVI_SAVE_VALUES, 0, -1, -1, 16},
                             {IDS_NAVI_SAVE_DIAGRAM, 0, -1, -1, 17},
                             {IDS_NAVI_PRINT, 0, -1, -1, 18},
                             {IDS_NAVI_EXIT, 0, -1, -1, 19},
                             {IDS_NAVI_OPERATING_MODE, -1, 1, -1, -1},
                             {IDS_NAVI_ADJUST_MODE, 5, 2, -1, -1},
                             {IDS_NAVI_CONNECTION, 6, -1, -1, 22},
                             {IDS_NAVI_INFORMATION, 6, -1, -1, 23},
                             {IDS_NAVI_MEASURE_ADJUST, 6, -1, -1, 24},
                             {IDS_NAVI_DOCUMENTATION, 6, -1, -1, 25},
                             {IDS_NAVI_CALIBRATION, 6, -1, -1, 26},
                             {IDS_NAVI_MEASURE_DIAGRAM, 5, -1, -1, 27},
                             {IDS_NAVI_DIAGNOSTIC, 5, -1, -1, 0},
                             {IDS_NAVI_VIEW, -1, 3, -1, -1},
                             {IDS_NAVI_DIGITAL_VIEWS, 14, 4, -1, -1},
                             {IDS_CHANNEL_A, 15, -1, 0, -1},
                             {IDS_CHANNEL_B, 15, -1, 1, -1},
                             {IDS_CHANNEL_C, 15, -1, 2, -1},
                             {IDS_CHANNEL_D, 15, -1, 3, -1},
                             {IDS_OK_NOK_VALIDATION, 15, -1, 4, -1},
                             {IDS_DIAGRAM, 14, -1, 5, -1},
                             {IDS_NAVI_NAVIGATION_BAR, 14, -1, 6, -1},
                             {IDS_NAVI_STATUS_BAR, 14, -1, 7, -1},
                             {IDS_NAVI_RESET_VIEWS, 14, -1, -1, 31},
                             {IDS_NAVI_LANGUAGE, -1, 5, -1, -1},
                             {IDS_NAVI_GERMAN, 25, -1, -1, 3},
                             {IDS_NAVI_ENGLISH, 25, -1, -1, 4},
                             {IDS_NAVI_FRENCH, 25, -1, -1, 7},
                             {IDS_NAVI_HELP, -1, 6, -1, -1},
                             {IDS_NAVI_INFO, 29, -1, -1, 34},
                             {IDS_NAVI_ADVICE, 29, -1, -1, 35}};
constexpr int kTreeRows = static_cast<int>(std::size(kTree));
static_assert(kTreeRows == CMainFrame::kTreeItems);

constexpr UINT kIconResources[] = {149, 150, 141, 143, 146, 147, 148, 142, 144, 145, 152, 151,
                                   153, 211, 154, 157, 155, 156, 158, 159, 169, 164, 171, 172,
                                   168, 166, 170, 167, 165, 175, 173, 174, 163, 160, 161, 162};

constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kUnavailableColor = RGB(173, 173, 173);

// "Speichern Messwerte" and "Speichern Diagramm": available with a finished measurement only.
bool IsSaveItem(UINT textId) {
    return textId == IDS_NAVI_SAVE_VALUES || textId == IDS_NAVI_SAVE_DIAGRAM;
}

int ViewIcon(int state) {
    switch (state) {
        case 0:
            return 11;
        case 1:
            return 10;
        case 2:
            return 12;
        case 3:
            return 13;
        default:
            return 14;
    }
}

}  // namespace

void CMainFrame::OnTreeCallback(void* context, CString tag, CString text, DWORD_PTR data) {
    (void)text;
    static_cast<CMainFrame*>(context)->OnTreeItemAction(tag, static_cast<UINT>(data));
}

BOOL CMainFrame::BuildNavigationTree() {
    WaitCursorOn();
    BOOL ok = m_imageList.Create(16, 16, ILC_COLOR32 | ILC_MASK, 36, 0);
    for (UINT id : kIconResources)
        ok &=
            m_imageList.Add(static_cast<HICON>(::LoadImage(
                AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, LR_SHARED))) >= 0;
    m_wndTree.SetImageList(&m_imageList, TVSIL_NORMAL);
    ok &= RebuildNavigationTree();
    WaitCursorOff();
    return ok;
}

BOOL CMainFrame::RebuildNavigationTree() {
    if (m_wndTree.m_hWnd == nullptr)
        return FALSE;
    m_bFillingTree = TRUE;
    m_wndTree.DeleteAllItems();
    BOOL ok = TRUE;
    for (int i = 0; i < kTreeRows; ++i) {
        const TreeRow& row = kTree[i];
        HTREEITEM parent = row.parent < 0 ? TVI_ROOT : m_ahTreeItems[row.parent];
        m_ahTreeItems[i] =
            m_wndTree.InsertItem(GetLanguageString(static_cast<int>(row.textId)), parent, TVI_LAST);
        ok &= m_ahTreeItems[i] != nullptr;
        if (m_ahTreeItems[i] != nullptr)
            m_wndTree.SetItemData(m_ahTreeItems[i], row.textId);
    }
    m_wndTree.SetBkColor(RGB(255, 255, 255));
    m_wndTree.SetLineColor(RGB(0, 0, 0));
    m_wndTree.SetTextColor(kTextColor);
    m_bFillingTree = FALSE;
    RefreshChannelItems();
    RefreshTreeStates();
    SelectPageTreeItem();
    return ok;
}

void CMainFrame::RefreshChannelItems() {
    UpdateDigitalViewMenuTexts();
    if (m_wndTree.m_hWnd == nullptr)
        return;
    for (int i = 0; i < kTreeRows; ++i) {
        const TreeRow& row = kTree[i];
        if (row.view < 0 || row.view > 3 || m_ahTreeItems[i] == nullptr)
            continue;
        CString text;
        if (m_iActivatedCount >= 2)
            text.Format("%s %d", GetLanguageString(IDS_SENSOR).GetString(), row.view + 1);
        else if (row.view < 2)
            text = GetLanguageString(IDS_CHANNEL) + (row.view == 0 ? " A" : " B");
        m_wndTree.SetItemText(m_ahTreeItems[i], text);
    }
    // Unavailable items are greyed: views in state 2, channel views the sensors do not offer
    // (any state but shown or hidden), the bar views without their page.
    for (int i = 0; i < kTreeRows; ++i) {
        const TreeRow& row = kTree[i];
        if (m_ahTreeItems[i] == nullptr || IsSaveItem(row.textId))
            continue;
        const int state = row.view >= 0 ? m_viewState.checkState[row.view] : 0;
        const bool offered = row.view > 3 || state == 0 || state == 1;
        const bool unavailable =
            row.view >= 0 && (state == 2 || !offered || (row.view <= 5 && m_iBarsForPage == 0));
        m_wndTree.SetItemTextColor(m_ahTreeItems[i], unavailable ? kUnavailableColor : kTextColor);
    }
    RefreshSaveItems();
}

void CMainFrame::RefreshSaveItems() {
    // The saves are greyed exactly while their menu commands are disabled: every change of the
    // data-available flag comes here, and the tree is painted again to show it.
    if (m_wndTree.m_hWnd == nullptr)
        return;
    for (int i = 0; i < kTreeRows; ++i) {
        if (m_ahTreeItems[i] != nullptr && IsSaveItem(kTree[i].textId))
            m_wndTree.SetItemTextColor(
                m_ahTreeItems[i],
                m_measurement.Files().m_ucDataAvailable == 0 ? kUnavailableColor : kTextColor);
    }
    m_wndTree.Invalidate();
}

void CMainFrame::RefreshTreeStates() {
    if (m_wndTree.m_hWnd == nullptr)
        return;
    m_bFillingTree = TRUE;
    for (int i = 0; i < kTreeRows; ++i) {
        const TreeRow& row = kTree[i];
        HTREEITEM item = m_ahTreeItems[i];
        if (item == nullptr)
            continue;
        int icon = row.icon;
        if (row.folder >= 0) {
            const bool expanded = m_viewState.folderState[row.folder] != 0;
            m_wndTree.Expand(item, expanded ? TVE_EXPAND : TVE_COLLAPSE);
            icon = expanded ? 1 : 0;
        } else if (row.view >= 0) {
            icon = ViewIcon(m_viewState.checkState[row.view]);
            if (m_iBarsForPage == 0 && row.view < 6)
                icon = 12;
        }
        m_wndTree.SetItemImage(item, icon, icon);
    }
    m_bFillingTree = FALSE;
}

void CMainFrame::SelectPageTreeItem() {
    if (m_wndTree.m_hWnd == nullptr)
        return;
    static constexpr UINT kPageItems[][2] = {{PAGE_CONNECTION, IDS_NAVI_CONNECTION},
                                             {PAGE_INFORMATION, IDS_NAVI_INFORMATION},
                                             {PAGE_MEASURE_ADJUST, IDS_NAVI_MEASURE_ADJUST},
                                             {PAGE_DOCUMENTATION, IDS_NAVI_DOCUMENTATION},
                                             {PAGE_CALIBRATION, IDS_NAVI_CALIBRATION},
                                             {PAGE_MEASURE_DIAGRAM, IDS_NAVI_MEASURE_DIAGRAM},
                                             {PAGE_DIAGNOSTIC, IDS_NAVI_DIAGNOSTIC}};
    HTREEITEM item = nullptr;
    for (const auto& pair : kPageItems) {
        for (int i = 0; i < kTreeRows && pair[0] == m_nActivePage; ++i) {
            if (kTree[i].textId == pair[1])
                item = m_ahTreeItems[i];
        }
    }
    // Selecting an item inside a closed folder would open it behind the folder states' back:
    // the closed folder that holds the page is highlighted instead.
    for (HTREEITEM parent = item != nullptr ? m_wndTree.GetParentItem(item) : nullptr;
         parent != nullptr; parent = m_wndTree.GetParentItem(parent)) {
        if ((m_wndTree.GetItemState(parent, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
            item = parent;
    }
    m_bFillingTree = TRUE;
    m_wndTree.SelectItem(item);
    m_bFillingTree = FALSE;
}

int CMainFrame::OnTreeItemAction(const CString& eventText, UINT textId) {
    const bool languageItem = textId >= IDS_NAVI_LANGUAGE && textId <= IDS_NAVI_SPANISH;
    if (!languageItem && !CheckDocumentationBeforeLeaving())
        return 0;
    if (eventText == "TXT_ON_TVN_ITEMEXPANDED") {
        // The tree reports the first expansion of a new item too: while the frame fills the
        // tree or applies the folder states, an expansion is the frame's own, not the user's.
        if (m_bFillingTree)
            return 0;
        for (const TreeRow& row : kTree) {
            if (row.textId == textId && row.folder >= 0) {
                int& state = m_viewState.folderState[row.folder];
                state = state == 0 ? 1 : 0;
                RefreshTreeStates();
                SelectPageTreeItem();
            }
        }
        return 0;
    }
    switch (textId) {
        case IDS_NAVI_SAVE_VALUES:
            SendMessage(WM_COMMAND, 10001);
            break;
        case IDS_NAVI_SAVE_DIAGRAM:
            SendMessage(WM_COMMAND, 10002);
            break;
        case IDS_NAVI_PRINT:
            SendMessage(WM_COMMAND, 10003);
            break;
        case IDS_NAVI_EXIT:
            SendMessage(WM_COMMAND, 10004);
            break;
        case IDS_NAVI_CONNECTION:
        case IDS_NAVI_INFORMATION:
        case IDS_NAVI_MEASURE_ADJUST:
        case IDS_NAVI_DOCUMENTATION:
        case IDS_NAVI_CALIBRATION:
        case IDS_NAVI_MEASURE_DIAGRAM:
        case IDS_NAVI_DIAGNOSTIC: {
            static constexpr UINT kPages[] = {
                PAGE_CONNECTION,  PAGE_INFORMATION,     PAGE_MEASURE_ADJUST, PAGE_DOCUMENTATION,
                PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM, PAGE_DIAGNOSTIC};
            SetOperatingMode(kPages[textId - IDS_NAVI_CONNECTION]);
            break;
        }
        case IDS_CHANNEL_A:
        case IDS_CHANNEL_B:
        case IDS_CHANNEL_C:
        case IDS_CHANNEL_D:
            if (m_iBarsForPage == 1)
                ToggleChannelView(static_cast<int>(textId - IDS_CHANNEL_A));
            break;
        case IDS_OK_NOK_VALIDATION:
            if (m_iBarsForPage == 1)
                ToggleChannelView(CHANNEL_LIGHT);
            break;
        case IDS_DIAGRAM:
            ToggleBar(m_wndDiagramBar, 5);
            break;
        case IDS_NAVI_NAVIGATION_BAR:
            ToggleBar(m_wndNaviBar, 6);
            break;
        case IDS_NAVI_STATUS_BAR:
            ToggleBar(m_wndStatusBar, 7);
            break;
        case IDS_NAVI_RESET_VIEWS:
            ResetViews();
            break;
        case IDS_NAVI_GERMAN:
            SwitchLanguage(LANGUAGE_GERMAN);
            break;
        case IDS_NAVI_ENGLISH:
            SwitchLanguage(LANGUAGE_ENGLISH);
            break;
        case IDS_NAVI_FRENCH:
            SwitchLanguage(LANGUAGE_FRENCH_OLD);
            break;
        case IDS_NAVI_SPANISH:
            SwitchLanguage(LANGUAGE_SPANISH);
            break;
        case IDS_NAVI_INFO:
            OnInfo();
            break;
        case IDS_NAVI_ADVICE:
            OnAdvice();
            break;
        default:
            break;  // a folder
    }
    return 0;
}

BOOL CMainFrame::SetLanguage(int offset) {
    const int mapped = MapLanguageOffset(offset);
    // The platform's own dialogs and message boxes speak the program's language.
    kq::ui::SetControlLanguage(mapped == LANGUAGE_GERMAN   ? kq::ui::ControlLanguage::German
                               : mapped == LANGUAGE_FRENCH ? kq::ui::ControlLanguage::French
                                                           : kq::ui::ControlLanguage::English);
    if (mapped == m_iLanguageOffset)
        return FALSE;
    m_iLanguageOffset = mapped;
    ::SetLanguageOffset(mapped);
    return TRUE;
}

void CMainFrame::SwitchLanguage(int offset) {
    if (!SetLanguage(offset))
        return;
    m_bSwitchingLanguage = TRUE;
    UpdateViewBarCaptions();
    UpdateChannelFormButtonTexts();
    UpdateMenuTexts(FALSE);
    RebuildNavigationTree();
    for (int i = 1; i < kPageCount; ++i) {
        auto* page = static_cast<CPageDialog*>(GetPageWindow(kPageIds[i]));
        if (page == nullptr)
            continue;
        page->m_bNeedsNewTexts = TRUE;
        if (page->m_hWnd != nullptr && (page->GetStyle() & WS_VISIBLE) != 0) {
            page->m_bNeedsNewTexts = FALSE;
            page->SetLanguageTexts();
        }
    }
    UpdateMeasuredValues(MeasuredValueReason::SettingsChanged);
    m_bSwitchingLanguage = FALSE;
    if (CAFormDiagram* diagram = GetDiagramView())
        diagram->ApplyLanguage();
    m_iDateShownLanguage = -1;  // the date pane follows at its next update
    SetTimer(PANE_DATE, 100, nullptr);
    SetStatusTextString(" ");
}
