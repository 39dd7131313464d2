// The report list's life: the message map, construction with the system colours, attaching its
// own header when the window is created or subclassed, and freeing the cell records when the
// window goes.
#include "controls/list/CXListCtrl.h"

#include "controls/list/CXCombo.h"

IMPLEMENT_DYNAMIC(CXListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CXListCtrl::OnCustomDraw)
ON_NOTIFY_REFLECT_EX(NM_CLICK, &CXListCtrl::OnClick)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &CXListCtrl::OnColumnClick)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_NCLBUTTONDOWN()
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_VK_ESCAPE, &CXListCtrl::OnComboEscape)
ON_REGISTERED_MESSAGE(WM_XCOMBOLIST_COMPLETE, &CXListCtrl::OnComboComplete)
END_MESSAGE_MAP()

CXListCtrl::CXListCtrl() {
    ReadSysColors();
}

CXListCtrl::~CXListCtrl() {
    if (m_pCombo != nullptr) {
        CXCombo* combo = m_pCombo;
        m_pCombo = nullptr;
        combo->SetListCtrl(nullptr);
        delete combo;
    }
    delete m_pEdit;
}

void CXListCtrl::ReadSysColors() {
    m_cr3DFace = ::GetSysColor(COLOR_BTNFACE);
    m_cr3DHighLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_crBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_crBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crHighLight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crHighLightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    m_crInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    m_crWindow = ::GetSysColor(COLOR_WINDOW);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

void CXListCtrl::SubclassHeaderControl() {
    if (m_bHeaderIsSubclassed)
        return;
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || header->GetSafeHwnd() == nullptr)
        return;
    if (m_HeaderCtrl.SubclassWindow(header->GetSafeHwnd())) {
        m_bHeaderIsSubclassed = 1;
        m_HeaderCtrl.SetListCtrl(this);
    }
}

void CXListCtrl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    SubclassHeaderControl();
}

int CXListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SubclassHeaderControl();
    return 0;
}

void CXListCtrl::OnDestroy() {
    // An open combo would otherwise write into freed records later.
    FinishCombo(false);
    ReleaseUpdateLock();
    FreeRowData();
    m_bHeaderIsSubclassed = 0;
    CListCtrl::OnDestroy();
}

void CXListCtrl::OnSysColorChange() {
    CListCtrl::OnSysColorChange();
    ReadSysColors();
}

void CXListCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
    CListCtrl::OnRButtonDown(nFlags, point);
}

void CXListCtrl::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CListCtrl::OnNcLButtonDown(nHitTest, point);
}

void CXListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    const int item = GetNextItem(-1, LVNI_FOCUSED);
    if (item >= 0)
        SetCurSel(item, TRUE);
}

CWnd* CXListCtrl::NotifyTarget() {
    CWnd* target = GetParent();
    return target != nullptr ? target : GetOwner();
}

void CXListCtrl::NotifyOwner(UINT message, int nItem, int nSubItem) {
    CWnd* target = NotifyTarget();
    if (target != nullptr && ::IsWindow(target->GetSafeHwnd()))
        target->SendMessage(message, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nSubItem));
}
