// The combo's life and its item store: the window class, creation and subclassing (owner, initial
// items from the string resource of the control id, a copy of the owner's font), the standard
// combo-box messages over the items, and the CBN_ notifications to the owner.
#include "controls/list/CAdvComboBox.h"

#include <cstring>
#include <iterator>

#include "controls/list/CDropListBox.h"
#include "controls/list/CDropWnd.h"

IMPLEMENT_DYNAMIC(CAdvComboBox, CWnd)

BEGIN_MESSAGE_MAP(CAdvComboBox, CWnd)
ON_WM_CREATE()
ON_WM_CHILDACTIVATE()
ON_WM_PAINT()
ON_WM_ENABLE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_MOUSEWHEEL()
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_MESSAGE(CB_ADDSTRING, &CAdvComboBox::OnAddString)
ON_MESSAGE(CB_SETCURSEL, &CAdvComboBox::OnSetCurSel)
ON_MESSAGE(CB_GETCURSEL, &CAdvComboBox::OnGetCurSel)
ON_MESSAGE(CB_SELECTSTRING, &CAdvComboBox::OnSelectString)
ON_MESSAGE(CB_GETCOUNT, &CAdvComboBox::OnGetCount)
ON_MESSAGE(CB_RESETCONTENT, &CAdvComboBox::OnResetContent)
ON_MESSAGE(CB_GETLBTEXT, &CAdvComboBox::OnGetLBText)
ON_MESSAGE(CB_GETLBTEXTLEN, &CAdvComboBox::OnGetLBTextLen)
ON_MESSAGE(CB_GETTOPINDEX, &CAdvComboBox::OnGetTopIndex)
ON_MESSAGE(CB_SETTOPINDEX, &CAdvComboBox::OnSetTopIndex)
ON_MESSAGE(CAdvComboBox::kChooseItem, &CAdvComboBox::OnChooseItem)
ON_MESSAGE(CAdvComboBox::kCloseDropDown, &CAdvComboBox::OnCloseDropDown)
ON_MESSAGE(CAdvComboBox::kToggleDropDown, &CAdvComboBox::OnToggleDropDown)
END_MESSAGE_MAP()

CAdvComboBox::CAdvComboBox() {
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASS wc{};
    if (::GetClassInfo(instance, kClassName, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;  // the framework subclasses every window of the class
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_MENU + 1));
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

CAdvComboBox::~CAdvComboBox() {
    if (m_pDropWnd != nullptr) {
        if (::IsWindow(m_pDropWnd->GetSafeHwnd()))
            m_pDropWnd->DestroyWindow();
        delete m_pDropWnd;
        m_pDropWnd = nullptr;
    }
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pFont;
}

BOOL CAdvComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    m_rcCombo = rect;
    m_dwACBStyle = 2;
    m_bCodeCreate = true;
    m_dwStyle = dwStyle;
    m_pOwner = pParentWnd;
    LoadInitialItems(nID);
    return CWnd::Create(nullptr, "", dwStyle, rect, pParentWnd, nID);
}

void CAdvComboBox::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    if (m_pOwner == nullptr)
        m_pOwner = GetParent();
    if (!m_bCodeCreate)
        LoadInitialItems(static_cast<UINT>(GetDlgCtrlID()));
    CopyOwnerFont();
}

void CAdvComboBox::LoadInitialItems(UINT id) {
    CString items;
    if (id == 0 || !items.LoadString(id))
        return;
    int start = 0;
    while (start <= items.GetLength()) {
        int end = items.Find('\n', start);
        if (end < 0)
            end = items.GetLength();
        AddString(items.Mid(start, end - start));
        start = end + 1;
    }
}

void CAdvComboBox::CopyOwnerFont() {
    if (m_pFont != nullptr || m_hWnd == nullptr)
        return;
    HFONT source = m_pOwner != nullptr && ::IsWindow(m_pOwner->GetSafeHwnd())
                       ? reinterpret_cast<HFONT>(m_pOwner->SendMessage(WM_GETFONT))
                       : nullptr;
    if (source == nullptr)
        source = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONT lf{};
    if (::GetObject(source, sizeof lf, &lf) == 0)
        return;
    m_pFont = new CFont;
    m_pFont->CreateFontIndirect(&lf);
    SetFont(m_pFont, FALSE);
}

CFont* CAdvComboBox::GetFont() {
    return m_pFont;
}

int CAdvComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CopyOwnerFont();
    return 0;
}

void CAdvComboBox::OnChildActivate() {
    CWnd::OnChildActivate();
    CopyOwnerFont();
}

void CAdvComboBox::Notify(UINT nCode) {
    if (m_pOwner == nullptr || !::IsWindow(m_pOwner->GetSafeHwnd()) || m_hWnd == nullptr)
        return;
    m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode),
                          reinterpret_cast<LPARAM>(m_hWnd));
}

AdvComboItem* CAdvComboBox::ItemAt(int nIndex) {
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return &*std::next(m_list.begin(), nIndex);
}

int CAdvComboBox::AddString(LPCTSTR lpszString) {
    AdvComboItem item;
    item.strText = lpszString != nullptr ? lpszString : "";
    m_list.push_back(item);
    return GetCount() - 1;
}

int CAdvComboBox::SetCurSel(int nSelect) {
    if (nSelect == -1) {
        m_nCurSel = -1;
        m_strEdit.Empty();
        if (m_hWnd != nullptr)
            Invalidate();
        return -1;
    }
    const AdvComboItem* item = ItemAt(nSelect);
    if (item == nullptr)
        return -1;
    m_nCurSel = nSelect;
    m_strEdit = item->strText;
    if (m_hWnd != nullptr)
        Invalidate();
    return nSelect;
}

int CAdvComboBox::GetCurSel() {
    int index = 0;
    for (const AdvComboItem& item : m_list) {
        if (item.strText == m_strEdit)
            return index;
        ++index;
    }
    return -1;
}

void CAdvComboBox::GetLBText(int nIndex, CString& rString) {
    const AdvComboItem* item = ItemAt(nIndex);
    rString = item != nullptr ? item->strText : CString();
}

int CAdvComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) {
    if (nIndexStart > GetCount() || lpszFind == nullptr)
        return -1;
    int index = 0;
    for (const AdvComboItem& item : m_list) {
        if (index >= nIndexStart && item.strText == lpszFind)
            return index;
        ++index;
    }
    return -1;
}

LRESULT CAdvComboBox::OnAddString(WPARAM, LPARAM lParam) {
    return AddString(reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CAdvComboBox::OnSetCurSel(WPARAM wParam, LPARAM) {
    return SetCurSel(static_cast<int>(wParam));
}

LRESULT CAdvComboBox::OnGetCurSel(WPARAM, LPARAM) {
    return GetCurSel();
}

LRESULT CAdvComboBox::OnSelectString(WPARAM wParam, LPARAM lParam) {
    return SetCurSel(FindStringExact(static_cast<int>(wParam), reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CAdvComboBox::OnGetCount(WPARAM, LPARAM) {
    return GetCount();
}

LRESULT CAdvComboBox::OnResetContent(WPARAM, LPARAM) {
    m_list.clear();
    m_strEdit.Empty();
    m_nCurSel = -1;
    SetWindowText("");
    Invalidate();
    return 0;
}

LRESULT CAdvComboBox::OnGetLBText(WPARAM wParam, LPARAM lParam) {
    const AdvComboItem* item = ItemAt(static_cast<int>(wParam));
    if (item == nullptr)
        return -1;
    if (auto* buffer = reinterpret_cast<char*>(lParam))
        std::memcpy(buffer, item->strText.GetString(),
                    static_cast<size_t>(item->strText.GetLength()) + 1);
    return item->strText.GetLength() + 1;
}

LRESULT CAdvComboBox::OnGetLBTextLen(WPARAM wParam, LPARAM) {
    const AdvComboItem* item = ItemAt(static_cast<int>(wParam));
    return item != nullptr ? item->strText.GetLength() + 1 : -1;
}

LRESULT CAdvComboBox::OnGetTopIndex(WPARAM, LPARAM) {
    if (!m_bDropListVisible || m_pDropWnd == nullptr)
        return -1;
    return m_pDropWnd->GetListBox()->GetTopIndex();
}

LRESULT CAdvComboBox::OnSetTopIndex(WPARAM wParam, LPARAM) {
    if (!m_bDropListVisible || m_pDropWnd == nullptr)
        return -1;
    return m_pDropWnd->GetListBox()->SendMessage(LB_SETTOPINDEX, wParam);
}
