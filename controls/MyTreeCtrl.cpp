// The navigation tree's commands, clicks, expansions and hover prompts.
#include "controls/MyTreeCtrl.h"

#include "platform/framework/AfxRes.h"
#include "platform/ui/Messaging.h"

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
    {5014, 10000}, {5015, 10001}, {5016, 10002}, {5017, 10003}, {5018, 10004}, {5019, 10000},
    {5020, 10000}, {5021, 10005}, {5022, 10006}, {5023, 10007}, {5024, 10008}, {5025, 10009},
    {5026, 10010}, {5027, -4},    {5029, 10000}, {5034, 10016}, {5035, 10017}, {5036, 10018},
    {5037, 10000}, {5038, 10019}, {5039, 10020}, {5040, 10021}, {5041, 10022}, {5042, 10000},
    {5043, 10023}, {5044, 10024}, {5140, 10025}, {5321, 10031}, {5322, 10032}, {5431, 10040},
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
