// The navigation tree's commands, clicks, expansions and hover prompts.
#include "controls/MyTreeCtrl.h"

#include "platform/framework/AfxRes.h"
#include "platform/ui/Messaging.h"
#include "res/TextIds.h"

IMPLEMENT_DYNAMIC(CMyTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CMyTreeCtrl, CTreeCtrl)
ON_WM_PAINT()
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, &CMyTreeCtrl::OnItemExpanded)
ON_NOTIFY_REFLECT(NM_CLICK, &CMyTreeCtrl::OnClick)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

struct TextCommand {
    unsigned textId;
    int command;
};

// The menu command of each navigation text; 10000 stands for the group items.
constexpr TextCommand kTextCommands[] = {
    {IDS_NAVI_FILE, 10000},
    {IDS_NAVI_SAVE_VALUES, 10001},
    {IDS_NAVI_SAVE_DIAGRAM, 10002},
    {IDS_NAVI_PRINT, 10003},
    {IDS_NAVI_EXIT, 10004},
    {IDS_NAVI_OPERATING_MODE, 10000},
    {IDS_NAVI_ADJUST_MODE, 10000},
    {IDS_NAVI_CONNECTION, 10005},
    {IDS_NAVI_INFORMATION, 10006},
    {IDS_NAVI_MEASURE_ADJUST, 10007},
    {IDS_NAVI_DOCUMENTATION, 10008},
    {IDS_NAVI_CALIBRATION, 10009},
    {IDS_NAVI_MEASURE_DIAGRAM, 10010},
    {IDS_NAVI_DIAGNOSTIC, -4},
    {IDS_NAVI_DIGITAL_VIEWS, 10000},
    {IDS_NAVI_NAVIGATION_BAR, 10016},
    {IDS_NAVI_STATUS_BAR, 10017},
    {IDS_NAVI_RESET_VIEWS, 10018},
    {IDS_NAVI_LANGUAGE, 10000},
    {IDS_NAVI_GERMAN, 10019},
    {IDS_NAVI_ENGLISH, 10020},
    {IDS_NAVI_FRENCH, 10021},
    {IDS_NAVI_SPANISH, 10022},
    {IDS_NAVI_HELP, 10000},
    {IDS_NAVI_INFO, 10023},
    {IDS_NAVI_ADVICE, 10024},
    {IDS_DIAGRAM, 10025},
    {IDS_CHANNEL_A, 10031},
    {IDS_CHANNEL_B, 10032},
    {IDS_OK_NOK_VALIDATION, 10040},
    {5501, -4},
};

// The image left of an item's text belongs to the item.
constexpr int kImageReach = 18;
constexpr WPARAM kPromptId = 10000;

}  // namespace

CMyTreeCtrl::CMyTreeCtrl() = default;
CMyTreeCtrl::~CMyTreeCtrl() = default;

void CMyTreeCtrl::SetClickCallback(ClickCallback callback, void* context) {
    if (!m_pCallback)
        m_pCallback = std::make_unique<CallbackRecord>();
    m_pCallback->function = callback;
    m_pCallback->context = context;
}

void CMyTreeCtrl::SetItemBold(HTREEITEM hItem, bool bold) {
    SetItem(hItem, TVIF_STATE, nullptr, 0, 0, bold ? TVIS_BOLD : 0, TVIS_BOLD, 0);
}

BOOL CMyTreeCtrl::IsItemBold(HTREEITEM hItem) const {
    return (GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CMyTreeCtrl::SetItemTextColor(HTREEITEM hItem, COLORREF color) {
    Color_Font cf;
    m_mapColorFont.Lookup(hItem, cf);
    cf.color = color;
    m_mapColorFont.SetAt(hItem, cf);
}

void CMyTreeCtrl::SetItemBkColor(HTREEITEM hItem, COLORREF color) {
    Color_Font cf;
    m_mapColorFont.Lookup(hItem, cf);
    cf.bkcolor = color;
    m_mapColorFont.SetAt(hItem, cf);
}

int CMyTreeCtrl::CommandForTextId(unsigned textId) {
    for (const TextCommand& entry : kTextCommands)
        if (entry.textId == textId)
            return entry.command;
    return kNoCommand;
}

bool CMyTreeCtrl::MapTextIdToCommand(unsigned textId, bool store) {
    const int command = CommandForTextId(textId);
    if (command == kNoCommand || command == kNoPrompt)
        return false;
    if (store)
        m_nCurrentCommandId = command;
    return true;
}

HTREEITEM CMyTreeCtrl::HitTestItem(CPoint point) const {
    for (HTREEITEM item = GetFirstVisibleItem(); item; item = GetNextVisibleItem(item)) {
        CRect rc;
        if (!GetItemRect(item, &rc, TRUE))
            continue;
        if (point.y >= rc.top && point.y <= rc.bottom && point.x >= rc.left - kImageReach &&
            point.x <= rc.right)
            return item;
    }
    return nullptr;
}

void CMyTreeCtrl::OnClick(NMHDR*, LRESULT* pResult) {
    const DWORD pos = ::GetMessagePos();
    CPoint point(static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos)));
    ScreenToClient(&point);
    if (HTREEITEM item = HitTestItem(point); item && m_pCallback && m_pCallback->function) {
        const CString text = GetItemText(item);
        m_pCallback->function(m_pCallback->context, text, text, GetItemData(item));
    }
    *pResult = 0;
}

void CMyTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if (m_nExpandNotify != 1)
        return;
    // Off while the callback runs, so an expansion it makes does not come back to it.
    m_nExpandNotify = 0;
    const auto* tree = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    HTREEITEM item = tree->itemNew.hItem;
    if (item && m_pCallback && m_pCallback->function)
        m_pCallback->function(m_pCallback->context, CString("TXT_ON_TVN_ITEMEXPANDED"),
                              GetItemText(item), GetItemData(item));
    m_nExpandNotify = 1;
}

void CMyTreeCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pStatusOwner) {
        if (HTREEITEM item = HitTestItem(point)) {
            m_strHoverText = GetItemText(item);
            m_nHoverData = GetItemData(item);
            if (m_nHoverData != m_nLastHoverData) {
                m_nLastHoverData = m_nHoverData;
                MapTextIdToCommand(static_cast<unsigned>(m_nHoverData), true);
                m_pStatusOwner->SendMessage(WM_SETMESSAGESTRING, kPromptId);
            }
        } else {
            if (m_nCurrentCommandId >= 0) {
                m_nCurrentCommandId = kGroupCommand;
                m_pStatusOwner->SendMessage(WM_SETMESSAGESTRING, kPromptId);
            }
            m_nHoverData = 0;
            m_nLastHoverData = 0;
            m_nCurrentCommandId = kLeftItems;
        }
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}
