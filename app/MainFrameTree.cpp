// The navigation tree repeats the main menu: folders open and close, leaves run their menu
// command or show their page, and the view items show their view's state by their icon. A
// language switch rewrites captions, buttons, menu, tree and pages, and the date pane.
#include "app/Kq7View.h"
#include "app/MainFrame.h"
#include "app/views/CAFormDiagram.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/ui/commctrl/CommCtrl.h"
#include "platform/ui/commctrl/ControlLanguage.h"

namespace {

// The tree's content: folders (negative parent: top level) and items, in insertion order.
struct TreeRow {
    UINT textId;
    int parent;  // index of the parent row, -1 for the root
    int folder;  // folder state index 0-6, -1 for an item
    int view;    // view-state entry 0-7, -1 for no view item
    int icon;    // fixed icon of a plain item, -1 for folders and view items
};

constexpr TreeRow kTree[] = {
    {5014, -1, 0, -1, -1},  {5015, 0, -1, -1, 16}, {5016, 0, -1, -1, 17},  {5017, 0, -1, -1, 18},
    {5018, 0, -1, -1, 19},  {5019, -1, 1, -1, -1}, {5020, 5, 2, -1, -1},   {5021, 6, -1, -1, 22},
    {5022, 6, -1, -1, 23},  {5023, 6, -1, -1, 24}, {5024, 6, -1, -1, 25},  {5025, 6, -1, -1, 26},
    {5026, 5, -1, -1, 27},  {5027, 5, -1, -1, 0},  {5028, -1, 3, -1, -1},  {5029, 14, 4, -1, -1},
    {5321, 15, -1, 0, -1},  {5322, 15, -1, 1, -1}, {5323, 15, -1, 2, -1},  {5324, 15, -1, 3, -1},
    {5431, 15, -1, 4, -1},  {5140, 14, -1, 5, -1}, {5034, 14, -1, 6, -1},  {5035, 14, -1, 7, -1},
    {5036, 14, -1, -1, 31}, {5037, -1, 5, -1, -1}, {5038, 25, -1, -1, 3},  {5039, 25, -1, -1, 4},
    {5040, 25, -1, -1, 7},  {5042, -1, 6, -1, -1}, {5043, 29, -1, -1, 34}, {5044, 29, -1, -1, 35}};
constexpr int kTreeRows = static_cast<int>(std::size(kTree));
static_assert(kTreeRows == CMainFrame::kTreeItems);

constexpr UINT kIconResources[] = {149, 150, 141, 143, 146, 147, 148, 142, 144, 145, 152, 151,
                                   153, 211, 154, 157, 155, 156, 158, 159, 169, 164, 171, 172,
                                   168, 166, 170, 167, 165, 175, 173, 174, 163, 160, 161, 162};

constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kUnavailableColor = RGB(173, 173, 173);

// "Speichern Messwerte" and "Speichern Diagramm": available with a finished measurement only.
bool IsSaveItem(UINT textId) {
    return textId == 5015 || textId == 5016;
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
    if (m_wndTree.m_hWnd == nullptr)
        return;
    for (int i = 0; i < kTreeRows; ++i) {
        const TreeRow& row = kTree[i];
        if (row.view < 0 || row.view > 3 || m_ahTreeItems[i] == nullptr)
            continue;
        CString text;
        if (m_iActivatedCount >= 2)
            text.Format("%s %d", GetLanguageString(5111).GetString(), row.view + 1);
        else if (row.view < 2)
            text = GetLanguageString(5320) + (row.view == 0 ? " A" : " B");
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
            m_wndTree.SetItemTextColor(m_ahTreeItems[i],
                                       m_ucDataAvailable == 0 ? kUnavailableColor : kTextColor);
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
    static constexpr UINT kPageItems[][2] = {
        {PAGE_CONNECTION, 5021},    {PAGE_INFORMATION, 5022}, {PAGE_MEASURE_ADJUST, 5023},
        {PAGE_DOCUMENTATION, 5024}, {PAGE_CALIBRATION, 5025}, {PAGE_MEASURE_DIAGRAM, 5026},
        {PAGE_DIAGNOSTIC, 5027}};
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
    const bool languageItem = textId >= 5037 && textId <= 5041;
    if (!languageItem && m_nActivePage == PAGE_DOCUMENTATION) {
        CDlgDocumentation* documentation = GetDocumentationPage();
        if (documentation != nullptr && !documentation->CanLeavePage())
            return 0;
    }
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
        case 5015:
            SendMessage(WM_COMMAND, 10001);
            break;
        case 5016:
            SendMessage(WM_COMMAND, 10002);
            break;
        case 5017:
            SendMessage(WM_COMMAND, 10003);
            break;
        case 5018:
            SendMessage(WM_COMMAND, 10004);
            break;
        case 5021:
        case 5022:
        case 5023:
        case 5024:
        case 5025:
        case 5026:
        case 5027: {
            static constexpr UINT kPages[] = {
                PAGE_CONNECTION,  PAGE_INFORMATION,     PAGE_MEASURE_ADJUST, PAGE_DOCUMENTATION,
                PAGE_CALIBRATION, PAGE_MEASURE_DIAGRAM, PAGE_DIAGNOSTIC};
            SetOperatingMode(kPages[textId - 5021]);
            break;
        }
        case 5321:
        case 5322:
        case 5323:
        case 5324:
            if (m_iBarsForPage == 1)
                ToggleChannelView(static_cast<int>(textId - 5321));
            break;
        case 5431:
            if (m_iBarsForPage == 1)
                ToggleChannelView(CHANNEL_LIGHT);
            break;
        case 5140:
            ToggleBar(m_wndDiagramBar, 5);
            break;
        case 5034:
            ToggleBar(m_wndNaviBar, 6);
            break;
        case 5035:
            ToggleBar(m_wndStatusBar, 7);
            break;
        case 5036:
            ResetViews();
            break;
        case 5038:
            SwitchLanguage(LANGUAGE_GERMAN);
            break;
        case 5039:
            SwitchLanguage(LANGUAGE_ENGLISH);
            break;
        case 5040:
            SwitchLanguage(LANGUAGE_FRENCH_OLD);
            break;
        case 5041:
            SwitchLanguage(LANGUAGE_SPANISH);
            break;
        case 5043:
            OnInfo();
            break;
        case 5044:
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
    UpdateMeasuredValues(3);
    m_bSwitchingLanguage = FALSE;
    if (CAFormDiagram* diagram = GetDiagramView())
        diagram->ApplyLanguage();
    m_iDateShownLanguage = -1;  // the date pane follows at its next update
    SetTimer(PANE_DATE, 100, nullptr);
    SetStatusTextString(" ");
}
