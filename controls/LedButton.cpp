// The LED button's states, icons, timer and drawing.
#include "controls/LedButton.h"

#include "platform/framework/WinApp.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDraw.h"
#include "platform/ui/controls/Button.h"

IMPLEMENT_DYNAMIC(CLedButton, CButton)

BEGIN_MESSAGE_MAP(CLedButton, CButton)
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(BM_SETSTYLE, &CLedButton::OnSetStyle)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
constexpr int kTextGap = 3;
constexpr int kMaxTipWidth = 400;
}  // namespace

CLedButton::CLedButton() {
    SetNumberOfStates(2, false);
}

CLedButton::~CLedButton() {
    for (unsigned i = 0; i < m_nStateCount; ++i)
        FreeStateIcon(i);
    KillReturnTimer();
    m_States.RemoveAll();
}

void CLedButton::KillReturnTimer() {
    if (m_nRunningTimer && m_hWnd)
        KillTimer(m_nRunningTimer);
    m_nRunningTimer = 0;
}

void CLedButton::SetNumberOfStates(unsigned count, bool redraw) {
    for (unsigned i = 0; i < m_nStateCount; ++i)
        FreeStateIcon(i);
    m_States.RemoveAll();
    m_nStateCount = count;
    m_States.SetSize(count);
    for (unsigned i = 0; i < count; ++i)
        m_States[i] = LedData{};
    ResetStateColors(redraw);
}

void CLedButton::SetLedState(unsigned state, bool flag) {
    if (m_pTranslator)
        state = m_pTranslator->TranslateState(state, m_nState, flag);
    if (state == m_nState)
        return;
    if (state < m_nStateCount)
        m_nState = state;
    if (m_nReturnTimerId != 0) {
        KillReturnTimer();
        if (m_nState != m_nRestingState && m_hWnd)
            m_nRunningTimer = SetTimer(m_nReturnTimerId, m_nReturnInterval);
    }
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

bool CLedButton::LoadStateIcon(unsigned state, unsigned short resourceId, int cx, int cy) {
    if (state >= m_nStateCount)
        return false;
    HICON icon = static_cast<HICON>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId), IMAGE_ICON, cx, cy, 0));
    // A missing icon leaves the state without one.
    return SetStateIcon(state, icon);
}

bool CLedButton::SetStateIcon(unsigned state, HICON icon) {
    if (state >= m_nStateCount)
        return false;
    FreeStateIcon(state);
    if (!icon)
        return true;
    LedData& data = m_States[state];
    data.icon = icon;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        FreeStateIcon(state);
        return false;
    }
    data.width = 2 * info.xHotspot;
    data.height = 2 * info.yHotspot;
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    return true;
}

void CLedButton::FreeStateIcon(unsigned state) {
    if (state >= static_cast<unsigned>(m_States.GetSize()))
        return;
    LedData& data = m_States[state];
    if (data.icon)
        ::DestroyIcon(data.icon);
    data.icon = nullptr;
    data.width = data.height = 0;
}

void CLedButton::ResetStateColors(bool redraw) {
    for (INT_PTR i = 0; i < m_States.GetSize(); ++i) {
        m_States[i].textColor = ::GetSysColor(COLOR_BTNTEXT);
        m_States[i].faceColor = ::GetSysColor(COLOR_BTNFACE);
    }
    if (redraw && m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

COLORREF CLedButton::GetStateFaceColor(unsigned state) const {
    return state < m_nStateCount ? m_States[state].faceColor : ::GetSysColor(COLOR_BTNFACE);
}

const LedData* CLedButton::GetStateData(unsigned state) const {
    return state < m_nStateCount ? &m_States[state] : nullptr;
}

void CLedButton::DrawBackground(CDC* pDC, const RECT* rc) {
    CBrush brush;
    brush.CreateSolidBrush(GetStateFaceColor(m_nState));
    pDC->FillRect(rc, &brush);
}

void CLedButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    m_bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    dc->SetBkMode(TRANSPARENT);
    DrawBackground(dc, &lpDIS->rcItem);
    LedData data;
    data.textColor = ::GetSysColor(COLOR_BTNTEXT);
    data.faceColor = ::GetSysColor(COLOR_BTNFACE);
    if (m_nState < m_nStateCount)
        data = m_States[m_nState];
    CRect text(lpDIS->rcItem);
    int iconLeft = 0;
    if (m_dwStyle & BS_LEFTTEXT) {
        iconLeft = text.right - static_cast<int>(data.width);
        text.right = iconLeft - kTextGap;
    } else {
        iconLeft = text.left;
        text.left = iconLeft + static_cast<int>(data.width) + kTextGap;
    }
    const int iconTop = (text.Height() - static_cast<int>(data.height)) / 2;
    if (data.icon)
        ::DrawState(lpDIS->hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(data.icon), 0, iconLeft,
                    iconTop, static_cast<int>(data.width), static_cast<int>(data.height),
                    DST_ICON | (m_bDisabled ? DSS_DISABLED : 0));
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        return;
    UINT format = DT_WORDBREAK | DT_VCENTER;
    const DWORD align = m_dwStyle & BS_CENTER;
    if (align == BS_CENTER)
        format |= DT_CENTER;
    else if (align == BS_RIGHT)
        format |= DT_RIGHT;
    CRect measured(text);
    dc->DrawText(caption, &measured, format | DT_CALCRECT);
    int dx = 0;
    if (format & DT_CENTER)
        dx = (text.Width() - measured.Width()) / 2;
    else if (format & DT_RIGHT)
        dx = text.Width() - measured.Width();
    measured.OffsetRect(dx, (text.Height() - measured.Height()) / 2);
    dc->SetBkMode(TRANSPARENT);
    if (m_bDisabled) {
        measured.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        dc->DrawText(caption, &measured, format);
        measured.OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
        dc->DrawText(caption, &measured, format);
    } else {
        dc->SetTextColor(data.textColor);
        dc->DrawText(caption, &measured, format);
    }
}

void CLedButton::PreSubclassWindow() {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    m_dwStyle = static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
    CButton::PreSubclassWindow();
}

BOOL CLedButton::PreTranslateMessage(MSG* pMsg) {
    if (!m_ToolTip.m_hWnd && m_ToolTip.Create(this, 0)) {
        m_ToolTip.SendMessage(TTM_ACTIVATE, FALSE);
        m_ToolTip.SendMessage(TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    }
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

void CLedButton::OnDestroy() {
    CButton::OnDestroy();
    KillReturnTimer();
}

void CLedButton::OnSysColorChange() {
    CButton::OnSysColorChange();
    ResetStateColors(true);
}

LRESULT CLedButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW,
                         lParam);
}

HBRUSH CLedButton::CtlColor(CDC*, UINT) {
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLedButton::OnTimer(UINT_PTR nIDEvent) {
    if (m_nReturnTimerId != 0 && nIDEvent == m_nReturnTimerId) {
        KillReturnTimer();  // window timers repeat; this one returns once
        SetLedState(m_nRestingState, false);
        return;
    }
    CButton::OnTimer(nIDEvent);
}
