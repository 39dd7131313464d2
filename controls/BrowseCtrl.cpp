// Creating the browse control, its edit and tool tip, its layout and its settings.
#include "controls/BrowseCtrl.h"

#include <algorithm>

#include "platform/framework/WinApp.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/controls/Edit.h"

IMPLEMENT_DYNAMIC(CBrowseCtrl, CButton)

BEGIN_MESSAGE_MAP(CBrowseCtrl, CButton)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_SETFOCUS()
ON_WM_MOVE()
ON_WM_SIZE()
ON_WM_ENABLE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_EN_CHANGE(CBrowseCtrl::kEditId, &CBrowseCtrl::OnChangeEdit)
ON_EN_SETFOCUS(CBrowseCtrl::kEditId, &CBrowseCtrl::OnEditFocusChange)
ON_EN_KILLFOCUS(CBrowseCtrl::kEditId, &CBrowseCtrl::OnEditFocusChange)
END_MESSAGE_MAP()

namespace {
constexpr int kGlyphSize = 16;
constexpr int kButtonPadding = 11;
constexpr int kGlyphInset = 2;
}  // namespace

CBrowseCtrl::CBrowseCtrl() = default;
CBrowseCtrl::~CBrowseCtrl() = default;

BOOL CBrowseCtrl::Create(const RECT& rect, CWnd* pParent, UINT nID, DWORD dwBrowseStyle,
                         UINT nNotifyMessage) {
    if (!pParent)
        pParent = AfxGetMainWnd();
    if (!pParent)
        return FALSE;
    m_bOwnCreate = true;
    m_nNotifyMsg = nNotifyMessage;
    if (!CButton::Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pParent, nID))
        return FALSE;
    m_dwStyle = dwBrowseStyle;
    return Initialize();
}

void CBrowseCtrl::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    if (!m_bOwnCreate)
        Initialize();
}

BOOL CBrowseCtrl::Initialize() {
    if (!m_hWnd)
        return FALSE;
    RecalcLayout(false);
    if (m_sButtonCaption.IsEmpty())
        GetWindowText(m_sButtonCaption);
    SetWindowText("");
    if (!CreateEdit())
        return FALSE;
    if (!m_wndTooltip.m_hWnd && !m_wndTooltip.Create(this))
        return FALSE;
    m_wndTooltip.AddTool(this, m_sTootipText, &m_rcButton, kToolId);
    return TRUE;
}

BOOL CBrowseCtrl::CreateEdit() {
    CString text;
    if (m_wndEdit.m_hWnd) {
        m_wndEdit.GetWindowText(text);
        m_wndEdit.DestroyWindow();
    }
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL;
    if (!(m_dwStyle & BC_CTL_ALLOWEDIT))
        style |= ES_READONLY;
    if (!IsWindowEnabled())
        style |= WS_DISABLED;
    if (!m_wndEdit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, m_rcEdit, this, kEditId))
        return FALSE;
    m_wndEdit.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
    m_wndEdit.SetFont(GetFont(), FALSE);
    m_wndEdit.SetWindowText(text);
    m_wndEdit.ShowWindow(SW_SHOW);
    return TRUE;
}

void CBrowseCtrl::RecalcLayout(bool moveEdit) {
    CRect client;
    GetClientRect(&client);
    m_rcButton = client;
    CSize glyph(kGlyphSize, kGlyphSize);
    if (!(m_dwStyle & BC_BTN_ICON)) {
        CClientDC dc(this);
        CFont* font = GetFont();
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        glyph = dc.GetTextExtent(m_sButtonCaption);
        if (old)
            dc.SelectObject(old);
    }
    const int width = std::max<int>(glyph.cx, kGlyphSize) + kButtonPadding;
    if (client.Width() > width) {
        if (m_dwStyle & BC_BTN_LEFT)
            m_rcButton.right = m_rcButton.left + width;
        else
            m_rcButton.left = m_rcButton.right - width;
    }
    CRect inner(m_rcButton);
    inner.DeflateRect(kGlyphInset, kGlyphInset);
    m_rcGlyph = CRect(inner.TopLeft(), glyph);
    if (inner.Height() > glyph.cy)
        m_rcGlyph.OffsetRect(0, (inner.Height() - glyph.cy) / 2);
    else
        m_rcGlyph.bottom = inner.bottom;
    if (inner.Width() > glyph.cx)
        m_rcGlyph.OffsetRect((inner.Width() - glyph.cx) / 2, 0);
    else
        m_rcGlyph.right = inner.right;
    m_rcEdit = client;
    if (m_dwStyle & BC_BTN_LEFT)
        m_rcEdit.left = m_rcButton.right;
    else
        m_rcEdit.right = m_rcButton.left;
    if (moveEdit && m_wndEdit.m_hWnd)
        m_wndEdit.MoveWindow(&m_rcEdit, TRUE);
}

void CBrowseCtrl::SetBrowseStyle(DWORD dwStyle) {
    if (dwStyle == m_dwStyle)
        return;
    m_dwStyle = dwStyle;
    if (!m_hWnd)
        return;
    RecalcLayout(false);
    CreateEdit();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CBrowseCtrl::SetTooltipText(LPCTSTR text) {
    m_sTootipText = text;
    if (m_hWnd && m_wndTooltip.m_hWnd)
        m_wndTooltip.UpdateTipText(m_sTootipText, this, kToolId);
}

void CBrowseCtrl::RedrawButton() {
    RedrawWindow(&m_rcButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}
